// The host program's jobs. A job is one file that registers itself with a name, a line of
// description and a run function; `nirahost` runs every job in order (without arguments),
// `nirahost <job> [arguments...]` runs one, `nirahost --list` lists them.
#pragma once

#include "host/HostMachine.h"

#include <string>
#include <vector>

// 0 on success.
typedef int (*HostJobRun)(HostMachine& machine, const std::vector<std::string>& arguments);

struct HostJob {
    const char* name;
    const char* description;
    int order;  // jobs run in this order
    HostJobRun run;
};

// Registers a job at start-up: `static const HostJobRegistration job{{"name", "...", 10, Run}};`
struct HostJobRegistration {
    explicit HostJobRegistration(const HostJob& job);
};
