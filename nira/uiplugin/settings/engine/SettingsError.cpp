#include "nira/uiplugin/settings/engine/SettingsError.h"

#include "common/NiraException.h"

#include <mutex>

namespace {

// The watches alive, innermost first. No thread_local: the library is loaded and freed at run
// time, and a module's thread-local storage does not always go with it. Watches are few and
// short (one update at a time), so one list under a lock costs nothing that matters.
std::mutex g_watchLock;
CResourceFailureWatch* g_innermost = nullptr;

}  // namespace

CResourceFailureWatch::CResourceFailureWatch() : m_thread(GetCurrentThreadId())
{
    std::lock_guard<std::mutex> hold(g_watchLock);
    m_outer = g_innermost;
    g_innermost = this;
}

CResourceFailureWatch::~CResourceFailureWatch()
{
    std::lock_guard<std::mutex> hold(g_watchLock);
    for (CResourceFailureWatch** link = &g_innermost; *link != nullptr; link = &(*link)->m_outer) {
        if (*link == this) {
            *link = m_outer;
            break;
        }
    }
    // An outer watch of the same thread learns what this one noted.
    for (CResourceFailureWatch* outer = m_outer; outer != nullptr; outer = outer->m_outer) {
        if (outer->m_thread == m_thread) {
            if (outer->m_noted == 0) {
                outer->m_noted = m_noted;
            }
            break;
        }
    }
}

void CResourceFailureWatch::RaiseNoted() const
{
    if (m_noted != 0) {
        RaiseSettingsError(m_noted);
    }
}

void RaiseSettingsError(LONG code)
{
    if (IsResourceFailure(code)) {
        std::lock_guard<std::mutex> hold(g_watchLock);
        const DWORD thread = GetCurrentThreadId();
        for (CResourceFailureWatch* watch = g_innermost; watch != nullptr; watch = watch->m_outer) {
            if (watch->m_thread == thread) {
                if (watch->m_noted == 0) {
                    watch->m_noted = code;
                }
                break;
            }
        }
    }
    throw CNiraException(code);
}
