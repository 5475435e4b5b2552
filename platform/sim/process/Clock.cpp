#include "process/Clock.h"

#include "core/MachineState.h"

#include <atomic>

namespace nirasim::sim {
namespace {

constexpr ULONGLONG kTicksPerMillisecond = 10000;  // FILETIME counts 100 ns
constexpr ULONGLONG kFirstTickCount = 3600000;     // the machine has been up an hour
const SYSTEMTIME kStartTime = {2025, 6, 1, 2, 8, 0, 0, 0};

std::atomic<ULONGLONG> g_elapsed{0};  // milliseconds since the machine started
std::atomic<ULONGLONG> g_startFileTime{0};
std::atomic<LONG> g_bias{0};

ULONGLONG AsNumber(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME AsFileTime(ULONGLONG value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

void ResetClock()
{
    FILETIME start;
    SystemTimeToFileTime(&kStartTime, &start);
    g_startFileTime = AsNumber(start);
    g_elapsed = 0;
    g_bias = 0;
}

ResetHook resetClock(ResetClock);

ULONGLONG NowUtc()
{
    if (g_startFileTime == 0) {
        ResetClock();
    }
    return g_startFileTime + g_elapsed * kTicksPerMillisecond;
}

// Days since 1601-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 584694;  // days from 0000-03-01 to 1601-01-01
}

}  // namespace

void AdvanceClock(DWORD milliseconds)
{
    g_elapsed += milliseconds;
}

void SetClockUtc(const SYSTEMTIME& utc)
{
    FILETIME at;
    if (SystemTimeToFileTime(&utc, &at)) {
        g_startFileTime = AsNumber(at) - g_elapsed * kTicksPerMillisecond;
    }
}

void SetClockBias(LONG minutesEastOfUtc)
{
    g_bias = minutesEastOfUtc;
}

ULONGLONG ClockTicks()
{
    return g_elapsed;
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime)
{
    if (lpSystemTime == nullptr || lpFileTime == nullptr || lpSystemTime->wYear < 1601 ||
        lpSystemTime->wMonth < 1 || lpSystemTime->wMonth > 12 || lpSystemTime->wDay < 1 ||
        lpSystemTime->wDay > 31 || lpSystemTime->wHour > 23 || lpSystemTime->wMinute > 59 ||
        lpSystemTime->wSecond > 59 || lpSystemTime->wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int64_t days = DaysFromCivil(lpSystemTime->wYear, lpSystemTime->wMonth, lpSystemTime->wDay);
    ULONGLONG ms =
        ((static_cast<ULONGLONG>(days) * 24 + lpSystemTime->wHour) * 60 + lpSystemTime->wMinute) * 60000ull +
        lpSystemTime->wSecond * 1000ull + lpSystemTime->wMilliseconds;
    *lpFileTime = AsFileTime(ms * kTicksPerMillisecond);
    return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (lpFileTime == nullptr || lpSystemTime == nullptr || (lpFileTime->dwHighDateTime & 0x80000000u)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ULONGLONG ms = AsNumber(*lpFileTime) / kTicksPerMillisecond;
    int64_t days = static_cast<int64_t>(ms / 86400000ull);
    ULONGLONG inDay = ms % 86400000ull;
    // Civil date from days since 1601-01-01.
    int64_t z = days + 584694;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    lpSystemTime->wYear = static_cast<WORD>(yoe + era * 400 + (month <= 2));
    lpSystemTime->wMonth = static_cast<WORD>(month);
    lpSystemTime->wDay = static_cast<WORD>(day);
    lpSystemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
    lpSystemTime->wHour = static_cast<WORD>(inDay / 3600000);
    lpSystemTime->wMinute = static_cast<WORD>(inDay / 60000 % 60);
    lpSystemTime->wSecond = static_cast<WORD>(inDay / 1000 % 60);
    lpSystemTime->wMilliseconds = static_cast<WORD>(inDay % 1000);
    return TRUE;
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime)
{
    *lpSystemTimeAsFileTime = AsFileTime(NowUtc());
}

void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    FILETIME now = AsFileTime(NowUtc());
    FileTimeToSystemTime(&now, lpSystemTime);
}

BOOL WINAPI SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
                                            const SYSTEMTIME* lpUniversalTime, LPSYSTEMTIME lpLocalTime)
{
    FILETIME utc;
    if (lpUniversalTime == nullptr || lpLocalTime == nullptr ||
        !SystemTimeToFileTime(lpUniversalTime, &utc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const LONGLONG minutesEast = lpTimeZoneInformation != nullptr
                                     ? -static_cast<LONGLONG>(lpTimeZoneInformation->Bias)
                                     : g_bias.load();
    FILETIME local =
        AsFileTime(AsNumber(utc) + minutesEast * 60000LL * static_cast<LONGLONG>(kTicksPerMillisecond));
    return FileTimeToSystemTime(&local, lpLocalTime);
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    FILETIME now = AsFileTime(NowUtc() + static_cast<LONGLONG>(g_bias.load()) * 60000LL *
                                             static_cast<LONGLONG>(kTicksPerMillisecond));
    FileTimeToSystemTime(&now, lpSystemTime);
}

DWORD WINAPI GetTickCount(void)
{
    return static_cast<DWORD>(kFirstTickCount + g_elapsed);
}

ULONGLONG WINAPI GetTickCount64(void)
{
    return kFirstTickCount + g_elapsed;
}
