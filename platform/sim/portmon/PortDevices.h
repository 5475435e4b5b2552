// The simulated port monitor's state: one printer per port with its scripted answers and the
// journals of what reached it.
#pragma once

#include <windows.h>

#include <nirasim/Printer.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/Wide.h"

namespace nirasim::sim {

struct PortDevice {
    printer::DeviceAnswer standing;
    std::deque<printer::DeviceAnswer> answers;
    DWORD expectedControlCode = 0;
    std::vector<printer::DeviceQuery> queries;
    std::deque<printer::WriteScript> writeScript;
    std::vector<printer::PortWrite> writes;
    std::string received;
    std::vector<std::string> calls;
    std::string readData;
    std::map<DWORD, printer::JobCounter> counters;
    DWORD counterRequested = 0;  // the counter the last counter command asked for, 0 for none
    unsigned releases = 0;       // ReleaseBlockedCalls count; a blocked call waits for it to move
};

// A port opened by pfnOpenPort: its handle points here.
struct LowerPort {
    std::u16string name;
};

struct PortMonitorState {
    std::mutex lock;
    std::condition_variable released;
    std::map<std::u16string, PortDevice, NoCaseLess> devices;
    std::vector<std::unique_ptr<LowerPort>> openPorts;
    DWORD openPortError = ERROR_SUCCESS;
    std::set<std::string> removedMembers;
};

PortMonitorState& PortMonitor();
// The device of a port (made at first use). Call under PortMonitor().lock.
PortDevice& DeviceOf(const std::u16string& port);
// The MONITOR2 of the port monitor with every member.
MONITOR2 FullPortMonitorTable();

}  // namespace nirasim::sim
