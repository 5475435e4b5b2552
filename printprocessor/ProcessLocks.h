// Process-wide locks of the print processor. The spooler runs several jobs at once, each on a
// thread of its own: the set of live job records and the one-time load of the settings library
// are shared by all of them.
#pragma once

#include <windows.h>

CRITICAL_SECTION& JobSetLock();
CRITICAL_SECTION& SettingsLibraryLock();

// Holds a critical section for its scope.
class ProcessLock {
public:
    explicit ProcessLock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    ~ProcessLock() { LeaveCriticalSection(&m_section); }
    ProcessLock(const ProcessLock&) = delete;
    ProcessLock& operator=(const ProcessLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};
