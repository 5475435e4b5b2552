#include "host/CallWatch.h"

#include "host/HostMachine.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The exit code of a run ended by a hung call.
constexpr int kHungExitCode = 3;

}  // namespace

CCallWatch::CCallWatch(std::chrono::seconds limit) : m_limit(limit), m_thread([this] { Watch(); }) {}

CCallWatch::~CCallWatch()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CCallWatch::Enter(const std::string& what)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_what = what;
        m_started = std::chrono::steady_clock::now();
        m_inCall = true;
    }
    m_changed.notify_all();
}

void CCallWatch::Leave()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_inCall = false;
}

void CCallWatch::Watch()
{
    std::unique_lock<std::mutex> guard(m_lock);
    while (!m_stop) {
        if (!m_inCall) {
            m_changed.wait(guard);
            continue;
        }
        const auto deadline = m_started + m_limit;
        const auto started = m_started;
        m_changed.wait_until(guard, deadline, [&] { return m_stop || !m_inCall || m_started != started; });
        if (m_inCall && m_started == started && std::chrono::steady_clock::now() >= deadline) {
            HostMachine::Print("finding: " + m_what + " did not return within " +
                               std::to_string(m_limit.count()) + " s");
            std::fflush(stdout);
            std::_Exit(kHungExitCode);
        }
    }
}
