#include "synch/StartedThreads.h"

#include <nirasim/Runtime.h>

#include <chrono>

#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

struct StartedThreads {
    std::mutex lock;
    std::map<std::thread::id, int> running;
};

StartedThreads& Started()
{
    static auto* started = new StartedThreads;
    return *started;
}

}  // namespace

void NoteThreadStarted(std::thread::id creator)
{
    std::lock_guard<std::mutex> guard(Started().lock);
    ++Started().running[creator];
}

void NoteThreadEnded(std::thread::id creator)
{
    std::lock_guard<std::mutex> guard(Started().lock);
    if (--Started().running[creator] <= 0) {
        Started().running.erase(creator);
    }
}

bool StartedThreadsRunning(std::thread::id creator)
{
    std::lock_guard<std::mutex> guard(Started().lock);
    return Started().running.count(creator) != 0;
}

}  // namespace nirasim::sim

void nirasim::WaitForStartedThreads()
{
    constexpr auto kPoll = std::chrono::milliseconds(1);
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(sim::Started().lock);
            if (sim::Started().running.empty()) {
                return;
            }
        }
        std::this_thread::sleep_for(kPoll);
    }
}
