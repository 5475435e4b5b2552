// nirahost: makes a simulated machine with the sample driver package and a printer, and runs the
// system's jobs on it.
#include "host/HostJob.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<HostJob>& Jobs()
{
    static std::vector<HostJob> jobs;
    return jobs;
}

// The build folder: the parent of the bin/ folder this program lies in.
std::string BuildDir()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) {
        return ".";
    }
    std::string self(path, static_cast<size_t>(length));
    std::string bin = self.substr(0, self.find_last_of('/'));
    return bin.substr(0, bin.find_last_of('/'));
}

void Usage()
{
    std::printf("usage: nirahost [--list | job [arguments...]]\njobs:\n");
    for (const HostJob& job : Jobs()) {
        std::printf("  %-18s %s\n", job.name, job.description);
    }
}

}  // namespace

HostJobRegistration::HostJobRegistration(const HostJob& job)
{
    Jobs().push_back(job);
    std::stable_sort(Jobs().begin(), Jobs().end(),
                     [](const HostJob& a, const HostJob& b) { return a.order < b.order; });
}

int main(int argc, char** argv)
{
    std::vector<const HostJob*> chosen;
    std::vector<std::string> arguments;
    if (argc > 1) {
        if (std::strcmp(argv[1], "--list") == 0 || std::strcmp(argv[1], "--help") == 0) {
            Usage();
            return 0;
        }
        auto job = std::find_if(Jobs().begin(), Jobs().end(), [&](const HostJob& candidate) {
            return std::strcmp(candidate.name, argv[1]) == 0;
        });
        if (job == Jobs().end()) {
            std::fprintf(stderr, "nirahost: no job named %s\n", argv[1]);
            Usage();
            return 2;
        }
        chosen.push_back(&*job);
        arguments.assign(argv + 2, argv + argc);
    } else {
        for (const HostJob& job : Jobs()) {
            chosen.push_back(&job);
        }
    }

    HostMachine machine(BuildDir());
    int failures = 0;
    for (const HostJob* job : chosen) {
        std::printf("== %s: %s\n", job->name, job->description);
        std::fflush(stdout);
        int result = job->run(machine, arguments);
        std::fflush(stdout);
        if (result != 0) {
            std::printf("-- %s failed (%d)\n", job->name, result);
            ++failures;
        }
        std::printf("\n");
    }
    return failures == 0 ? 0 : 1;
}
