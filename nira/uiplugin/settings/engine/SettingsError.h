// How the settings objects raise failures inside and keep them from crossing their interfaces.
#pragma once

#include <windows.h>

// Throws CNiraException with a Win32 code: ERROR_INVALID_PARAMETER for a bad argument,
// ERROR_INVALID_DATA for a missing object or inconsistent state, ERROR_NOT_ENOUGH_MEMORY.
[[noreturn]] void RaiseSettingsError(LONG code);

// A failure of the machine rather than of the data: memory ran out or a read failed. Providers
// that go on past an entry whose data is missing must not go on past one of these.
inline bool IsResourceFailure(LONG code)
{
    return code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY || code == ERROR_READ_FAULT;
}

// Notes every resource failure raised on this thread while it lives, even one that a guard below
// turns into a plain FALSE (a row callback, one entry's Sync), so that the loop over many entries
// can still report it.
class CResourceFailureWatch {
public:
    CResourceFailureWatch();
    ~CResourceFailureWatch();
    CResourceFailureWatch(const CResourceFailureWatch&) = delete;
    CResourceFailureWatch& operator=(const CResourceFailureWatch&) = delete;

    // Raises the first resource failure noted so far, if any.
    void RaiseNoted() const;

private:
    CResourceFailureWatch* m_outer = nullptr;
    DWORD m_thread;
    LONG m_noted = 0;

    friend void RaiseSettingsError(LONG code);
};

// Raises ERROR_INVALID_DATA unless the condition holds.
inline void RequireSettings(bool condition)
{
    if (!condition) {
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
}

// Raises ERROR_INVALID_PARAMETER unless the argument is acceptable.
inline void RequireArgument(bool condition)
{
    if (!condition) {
        RaiseSettingsError(ERROR_INVALID_PARAMETER);
    }
}

// Runs the body of a settings-interface operation: its failures become the answer FALSE.
template <typename Body>
BOOLEAN GuardSettingsCall(Body&& body) noexcept
{
    try {
        body();
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

// The same for operations whose body gives the answer itself (a bool, or a BOOLEAN passed on
// unchanged): a plain false answer, such as an absent entry, costs no exception, and any failure
// raised inside is still FALSE.
template <typename Body>
BOOLEAN GuardSettingsAnswer(Body&& body) noexcept
{
    try {
        return static_cast<BOOLEAN>(body());
    } catch (...) {
        return FALSE;
    }
}

// The same for operations that answer nothing.
template <typename Body>
void GuardSettingsAction(Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}

// Flag arguments of the settings interfaces count as true only when the byte is exactly 1.
inline bool IsFlagSet(BYTE flag)
{
    return flag == 1;
}
