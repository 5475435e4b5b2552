#include "printprocessor/ProcessLocks.h"

namespace {

// Made at first use (thread-safe static initialisation), gone with the library.
class ProcessLockSection {
public:
    ProcessLockSection() { InitializeCriticalSection(&section); }
    ~ProcessLockSection() { DeleteCriticalSection(&section); }
    ProcessLockSection(const ProcessLockSection&) = delete;
    ProcessLockSection& operator=(const ProcessLockSection&) = delete;

    CRITICAL_SECTION section;
};

}  // namespace

CRITICAL_SECTION& JobSetLock()
{
    static ProcessLockSection lock;
    return lock.section;
}

CRITICAL_SECTION& SettingsLibraryLock()
{
    static ProcessLockSection lock;
    return lock.section;
}
