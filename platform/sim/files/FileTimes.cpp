// File times of open files: the host's modification and access times in Windows FILETIME units
// (100 ns since 1601, UTC). The host keeps no creation time: its status-change time stands in.
#include "files/HostFiles.h"

#include <sys/stat.h>

#include <cerrno>

#include <cstdint>

namespace {

constexpr uint64_t kEpochDifference = 116444736000000000ull;  // 1601 to 1970 in 100 ns
constexpr uint64_t kTicksPerSecond = 10000000ull;
constexpr uint64_t kNanosecondsPerTick = 100;

FILETIME FileTimeOf(const struct timespec& when)
{
    uint64_t ticks = static_cast<uint64_t>(when.tv_sec) * kTicksPerSecond +
                     static_cast<uint64_t>(when.tv_nsec) / kNanosecondsPerTick + kEpochDifference;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

uint64_t TicksOf(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A time before 1970 cannot be given to the host.
bool HostTimeOf(const FILETIME* time, struct timespec& out)
{
    if (time == nullptr) {
        out.tv_sec = 0;
        out.tv_nsec = UTIME_OMIT;
        return true;
    }
    uint64_t ticks = TicksOf(*time);
    if (ticks < kEpochDifference) {
        return false;
    }
    ticks -= kEpochDifference;
    out.tv_sec = static_cast<time_t>(ticks / kTicksPerSecond);
    out.tv_nsec = static_cast<long>((ticks % kTicksPerSecond) * kNanosecondsPerTick);
    return true;
}

}  // namespace

using nirasim::sim::ErrorFromErrno;
using nirasim::sim::HostDescriptorOf;

BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                        LPFILETIME lpLastWriteTime)
{
    int fd = HostDescriptorOf(hFile);
    struct stat info;
    if (fd < 0) {
        return FALSE;
    }
    if (fstat(fd, &info) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    if (lpCreationTime != nullptr) {
        *lpCreationTime = FileTimeOf(info.st_ctim);
    }
    if (lpLastAccessTime != nullptr) {
        *lpLastAccessTime = FileTimeOf(info.st_atim);
    }
    if (lpLastWriteTime != nullptr) {
        *lpLastWriteTime = FileTimeOf(info.st_mtim);
    }
    return TRUE;
}

BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME*, const FILETIME* lpLastAccessTime,
                        const FILETIME* lpLastWriteTime)
{
    int fd = HostDescriptorOf(hFile);
    if (fd < 0) {
        return FALSE;
    }
    struct timespec times[2];
    if (!HostTimeOf(lpLastAccessTime, times[0]) || !HostTimeOf(lpLastWriteTime, times[1])) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (futimens(fd, times) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2)
{
    uint64_t first = TicksOf(*lpFileTime1);
    uint64_t second = TicksOf(*lpFileTime2);
    return first < second ? -1 : (first > second ? 1 : 0);
}
