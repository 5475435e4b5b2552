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
    std::printf("usage: nirahost [--list | job...]\njobs:\n");
    for (const HostJob& job : Jobs()) {
        std::printf("  %-18s %s\n", job.name, job.description);
    }
}

}  // namespace

HostJobRegistration::HostJobRegistration(const HostJob& job)
{
    Jobs().push_back(job);
    std::stable_sort(Jobs().begin(), Jobs().end(), [](const HostJob& a, const HostJob& b) { return a.order < b.order; });
}

int main(int argc, char** argv)
{
    std::vector<const HostJob*> chosen;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--list") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Usage();
            return 0;
        }
        auto job = std::find_if(Jobs().begin(), Jobs().end(),
                                [&](const HostJob& candidate) { return std::strcmp(candidate.name, argv[i]) == 0; });
        if (job == Jobs().end()) {
            std::fprintf(stderr, "nirahost: no job named %s\n", argv[i]);
            Usage();
            return 2;
        }
        chosen.push_back(&*job);
    }
    if (chosen.empty()) {
        for (const HostJob& job : Jobs()) {
            chosen.push_back(&job);
        }
    }

    HostMachine machine(BuildDir());
    int failures = 0;
    for (const HostJob* job : chosen) {
        std::printf("== %s: %s\n", job->name, job->description);
        int result = job->run(machine);
        if (result != 0) {
            std::printf("-- %s failed (%d)\n", job->name, result);
            ++failures;
        }
        std::printf("\n");
    }
    return failures == 0 ? 0 : 1;
}
