// A time limit per call for the stress runs: a watch thread ends the program with a report when
// the call it was told of runs past the limit, since a hung call never returns to be checked. The
// limit is in real time: the simulated machine's clock may run faster than the wall clock.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class CCallWatch {
public:
    explicit CCallWatch(std::chrono::seconds limit);
    ~CCallWatch();
    CCallWatch(const CCallWatch&) = delete;
    CCallWatch& operator=(const CCallWatch&) = delete;

    // A call starts; what names it in the report.
    void Enter(const std::string& what);
    void Leave();

private:
    void Watch();

    std::chrono::seconds m_limit;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::string m_what;
    std::chrono::steady_clock::time_point m_started;
    bool m_inCall = false;
    bool m_stop = false;
    std::thread m_thread;
};
