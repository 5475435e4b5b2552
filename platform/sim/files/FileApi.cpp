// Files on the simulated machine: CreateFileW and the calls on a file handle, with Windows's
// creation dispositions, sharing rules and error codes.
#include "core/Failures.h"
#include "core/Handles.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr DWORD kReadRights = GENERIC_READ | GENERIC_ALL | FILE_READ_DATA;
constexpr DWORD kWriteRights = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;

struct OpenEntry {
    DWORD access;
    DWORD share;
};

// The opens of each host file, for the sharing rules.
struct ShareTable {
    std::mutex lock;
    std::multimap<std::string, OpenEntry> opens;
};

ShareTable& Shares()
{
    static auto* table = new ShareTable;
    return *table;
}

bool Reads(DWORD access)
{
    return (access & kReadRights) != 0;
}

bool Writes(DWORD access)
{
    return (access & kWriteRights) != 0;
}

bool Compatible(const OpenEntry& existing, DWORD access, DWORD share)
{
    if ((Reads(access) && !(existing.share & FILE_SHARE_READ)) ||
        (Writes(access) && !(existing.share & FILE_SHARE_WRITE)) ||
        ((access & DELETE) && !(existing.share & FILE_SHARE_DELETE))) {
        return false;
    }
    if ((Reads(existing.access) && !(share & FILE_SHARE_READ)) ||
        (Writes(existing.access) && !(share & FILE_SHARE_WRITE))) {
        return false;
    }
    return true;
}

class FileObject : public KernelObject {
public:
    FileObject(int fd, std::string hostPath, DWORD access, DWORD share, bool deleteOnClose)
        : fd_(fd), hostPath_(std::move(hostPath)), access_(access), deleteOnClose_(deleteOnClose)
    {
        ShareTable& table = Shares();
        std::lock_guard<std::mutex> guard(table.lock);
        entry_ = table.opens.emplace(hostPath_, OpenEntry{access, share});
    }

    ~FileObject() override
    {
        close(fd_);
        {
            ShareTable& table = Shares();
            std::lock_guard<std::mutex> guard(table.lock);
            table.opens.erase(entry_);
        }
        if (deleteOnClose_) {
            unlink(hostPath_.c_str());
        }
    }

    int fd() const { return fd_; }
    DWORD access() const { return access_; }

private:
    int fd_;
    std::string hostPath_;
    DWORD access_;
    bool deleteOnClose_;
    std::multimap<std::string, OpenEntry>::iterator entry_;
};

bool SharingAllows(const std::string& hostPath, DWORD access, DWORD share)
{
    ShareTable& table = Shares();
    std::lock_guard<std::mutex> guard(table.lock);
    auto range = table.opens.equal_range(hostPath);
    return std::all_of(range.first, range.second,
                       [&](const auto& open) { return Compatible(open.second, access, share); });
}

std::shared_ptr<FileObject> FileOf(HANDLE handle)
{
    auto file = LookUpHandleAs<FileObject>(handle);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return file;
}

HANDLE Fail(DWORD error)
{
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

int HostDescriptorOf(HANDLE handle)
{
    auto file = FileOf(handle);
    return file ? file->fd() : -1;
}

bool IsOpenWithoutDeleteSharing(const std::string& hostPath)
{
    return !SharingAllows(hostPath, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE)
{
    NIRASIM_FAIL_IF_INJECTED("CreateFileW", INVALID_HANDLE_VALUE);
    if (lpFileName == nullptr || *lpFileName == 0) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (dwCreationDisposition == TRUNCATE_EXISTING && !Writes(dwDesiredAccess)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::string host = MapWindowsPath(lpFileName);
    HostKind kind = KindOf(host);
    if (kind == HostKind::Folder) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    bool exists = kind == HostKind::File;
    if (!exists && (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == TRUNCATE_EXISTING)) {
        return Fail(MissingPathError(host));
    }
    if (exists && dwCreationDisposition == CREATE_NEW) {
        return Fail(ERROR_FILE_EXISTS);
    }
    if (exists && !SharingAllows(host, dwDesiredAccess, dwShareMode)) {
        return Fail(ERROR_SHARING_VIOLATION);
    }

    int flags = O_CLOEXEC;
    flags |= Reads(dwDesiredAccess) && Writes(dwDesiredAccess) ? O_RDWR
             : Writes(dwDesiredAccess)                         ? O_WRONLY
                                                               : O_RDONLY;
    if (!exists) {
        flags |= O_CREAT | O_EXCL;
    }
    if (exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING)) {
        flags |= O_TRUNC;
        if ((flags & O_ACCMODE) == O_RDONLY) {
            flags = (flags & ~O_ACCMODE) | O_WRONLY;
        }
    }
    if ((dwDesiredAccess & FILE_APPEND_DATA) && !(dwDesiredAccess & (GENERIC_WRITE | FILE_WRITE_DATA))) {
        flags |= O_APPEND;
    }
    int fd = open(host.c_str(), flags, 0644);
    if (fd < 0) {
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    }
    auto file = std::make_shared<FileObject>(fd, host, dwDesiredAccess, dwShareMode,
                                             (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0);
    HANDLE handle = AddHandle(file);
    bool reportsExisting =
        exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                     LPOVERLAPPED)
{
    NIRASIM_FAIL_IF_INJECTED("ReadFile", FALSE);
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = 0;
    }
    auto file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!Reads(file->access())) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (lpBuffer == nullptr && nNumberOfBytesToRead > 0) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t got = read(file->fd(), static_cast<BYTE*>(lpBuffer) + done, nNumberOfBytesToRead - done);
        if (got < 0) {
            SetLastError(ErrorFromErrno(errno));
            return FALSE;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<DWORD>(got);
    }
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = done;
    }
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED)
{
    NIRASIM_FAIL_IF_INJECTED("WriteFile", FALSE);
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = 0;
    }
    auto file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    if (!Writes(file->access())) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (lpBuffer == nullptr && nNumberOfBytesToWrite > 0) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t put =
            write(file->fd(), static_cast<const BYTE*>(lpBuffer) + done, nNumberOfBytesToWrite - done);
        if (put < 0) {
            SetLastError(ErrorFromErrno(errno));
            return FALSE;
        }
        done += static_cast<DWORD>(put);
    }
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = done;
    }
    return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE hFile)
{
    auto file = FileOf(hFile);
    return file && fsync(file->fd()) == 0;
}

BOOL WINAPI SetEndOfFile(HANDLE hFile)
{
    auto file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    off_t here = lseek(file->fd(), 0, SEEK_CUR);
    if (here < 0 || ftruncate(file->fd(), here) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                             DWORD dwMoveMethod)
{
    auto file = FileOf(hFile);
    if (!file) {
        return FALSE;
    }
    int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    if (dwMoveMethod > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    off_t base = whence == SEEK_SET ? 0 : lseek(file->fd(), 0, whence);
    if (base + liDistanceToMove.QuadPart < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return FALSE;
    }
    off_t at = lseek(file->fd(), base + liDistanceToMove.QuadPart, SEEK_SET);
    if (lpNewFilePointer != nullptr) {
        lpNewFilePointer->QuadPart = at;
    }
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod)
{
    LARGE_INTEGER distance;
    distance.QuadPart =
        lpDistanceToMoveHigh != nullptr
            ? static_cast<LONGLONG>(
                  (static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                  static_cast<uint32_t>(lDistanceToMove))
            : lDistanceToMove;
    LARGE_INTEGER at;
    if (!SetFilePointerEx(hFile, distance, &at, dwMoveMethod)) {
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh != nullptr) {
        *lpDistanceToMoveHigh = at.u.HighPart;
    }
    SetLastError(ERROR_SUCCESS);
    return at.u.LowPart;
}

BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize)
{
    auto file = FileOf(hFile);
    struct stat info;
    if (!file || fstat(file->fd(), &info) != 0) {
        return FALSE;
    }
    lpFileSize->QuadPart = info.st_size;
    return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(hFile, &size)) {
        return INVALID_FILE_SIZE;
    }
    if (lpFileSizeHigh != nullptr) {
        *lpFileSizeHigh = static_cast<DWORD>(size.u.HighPart);
    }
    SetLastError(ERROR_SUCCESS);
    return size.u.LowPart;
}
