// Whole-file and folder operations, and the machine's standard folders.
#include "core/Failures.h"
#include "core/MachineState.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>

using namespace nirasim::sim;

namespace {

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// Answers a text the way the folder queries do: its length without the terminator when it fits
// in `capacity` characters, else the size needed with the terminator.
DWORD AnswerText(const std::u16string& text, WCHAR* buffer, DWORD capacity)
{
    if (buffer == nullptr || capacity < text.size() + 1) {
        return static_cast<DWORD>(text.size() + 1);
    }
    CopyWideOut(text, buffer, capacity);
    return static_cast<DWORD>(text.size());
}

bool CopyHostFile(const std::string& from, const std::string& to)
{
    struct stat info;
    if (stat(from.c_str(), &info) != 0) {
        return false;
    }
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

}  // namespace

BOOL WINAPI DeleteFileW(LPCWSTR lpFileName)
{
    NIRASIM_FAIL_IF_INJECTED("DeleteFileW", FALSE);
    if (lpFileName == nullptr || *lpFileName == 0) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    std::string host = MapWindowsPath(lpFileName);
    switch (KindOf(host)) {
    case HostKind::Missing:
        return Fail(MissingPathError(host));
    case HostKind::Folder:
        return Fail(ERROR_ACCESS_DENIED);
    case HostKind::File:
        break;
    }
    if (IsOpenWithoutDeleteSharing(host)) {
        return Fail(ERROR_SHARING_VIOLATION);
    }
    if (unlink(host.c_str()) != 0) {
        return Fail(ErrorFromErrno(errno));
    }
    return TRUE;
}

BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists)
{
    NIRASIM_FAIL_IF_INJECTED("CopyFileW", FALSE);
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::string from = MapWindowsPath(lpExistingFileName);
    std::string to = MapWindowsPath(lpNewFileName);
    HostKind source = KindOf(from);
    if (source == HostKind::Missing) {
        return Fail(MissingPathError(from));
    }
    if (source == HostKind::Folder) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    HostKind target = KindOf(to);
    if (target == HostKind::Folder) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (target == HostKind::File && bFailIfExists) {
        return Fail(ERROR_FILE_EXISTS);
    }
    if (target == HostKind::Missing && MissingPathError(to) == ERROR_PATH_NOT_FOUND) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (!CopyHostFile(from, to)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

BOOL WINAPI MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::string from = MapWindowsPath(lpExistingFileName);
    std::string to = MapWindowsPath(lpNewFileName);
    if (KindOf(from) == HostKind::Missing) {
        return Fail(MissingPathError(from));
    }
    HostKind target = KindOf(to);
    if (target != HostKind::Missing &&
        (!(dwFlags & MOVEFILE_REPLACE_EXISTING) || target == HostKind::Folder)) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    }
    return TRUE;
}

BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    NIRASIM_FAIL_IF_INJECTED("CreateDirectoryW", FALSE);
    if (lpPathName == nullptr || *lpPathName == 0) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    std::string host = MapWindowsPath(lpPathName);
    if (KindOf(host) != HostKind::Missing) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (mkdir(host.c_str(), 0755) != 0) {
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr || *lpPathName == 0) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    std::string host = MapWindowsPath(lpPathName);
    switch (KindOf(host)) {
    case HostKind::Missing:
        return Fail(MissingPathError(host));
    case HostKind::File:
        return Fail(ERROR_DIRECTORY);
    case HostKind::Folder:
        break;
    }
    if (rmdir(host.c_str()) != 0) {
        return Fail(ErrorFromErrno(errno));
    }
    return TRUE;
}

DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName)
{
    if (lpFileName == nullptr || *lpFileName == 0) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string host = MapWindowsPath(lpFileName);
    struct stat info;
    if (stat(host.c_str(), &info) != 0) {
        SetLastError(MissingPathError(host));
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(info.st_mode)) {
        return FILE_ATTRIBUTE_DIRECTORY;
    }
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (access(host.c_str(), W_OK) != 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    NIRASIM_FAIL_IF_INJECTED("GetTempPathW", 0);
    return AnswerText(TempDirectory(), lpBuffer, nBufferLength);
}

UINT WINAPI GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName)
{
    NIRASIM_FAIL_IF_INJECTED("GetTempFileNameW", 0);
    constexpr size_t kPrefixChars = 3;
    constexpr size_t kNameRoom = 14;  // prefix, four hex digits, ".tmp" and the terminator
    if (lpPathName == nullptr || lpTempFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string folder = WideFrom(lpPathName);
    if (folder.size() > MAX_PATH - kNameRoom) {
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return 0;
    }
    if (KindOf(MapWindowsPath(folder)) != HostKind::Folder) {
        SetLastError(ERROR_DIRECTORY);
        return 0;
    }
    if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') {
        folder += u'\\';
    }
    std::u16string prefix = WideFrom(lpPrefixString).substr(0, kPrefixChars);
    auto nameFor = [&](UINT number) {
        char hex[8];
        std::snprintf(hex, sizeof(hex), "%X", number & 0xFFFF);
        return folder + prefix + WideFromUtf8(hex) + u".tmp";
    };
    if (uUnique != 0) {
        CopyWideOut(nameFor(uUnique), lpTempFileName, MAX_PATH);
        return uUnique & 0xFFFF;
    }
    static std::atomic<UINT> next{static_cast<UINT>(getpid())};
    for (UINT attempt = 0; attempt < 0xFFFF; ++attempt) {
        UINT number = (next++ & 0xFFFF);
        if (number == 0) {
            continue;
        }
        std::u16string name = nameFor(number);
        int fd = open(MapWindowsPath(name).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) {
            close(fd);
            CopyWideOut(name, lpTempFileName, MAX_PATH);
            return number;
        }
        if (errno != EEXIST) {
            SetLastError(ErrorFromErrno(errno));
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

DWORD WINAPI GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart)
{
    if (lpFileName == nullptr || *lpFileName == 0) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    std::u16string full = FullWindowsPath(lpFileName);
    DWORD answer = AnswerText(full, lpBuffer, nBufferLength);
    if (lpFilePart != nullptr) {
        *lpFilePart = nullptr;
        if (answer == full.size()) {
            size_t cut = full.find_last_of(u'\\');
            if (cut != std::u16string::npos && cut + 1 < full.size()) {
                *lpFilePart = lpBuffer + cut + 1;
            }
        }
    }
    return answer;
}

UINT WINAPI GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    NIRASIM_FAIL_IF_INJECTED("GetSystemDirectoryW", 0);
    return AnswerText(kSystemDirectory, lpBuffer, uSize);
}

UINT WINAPI GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    return AnswerText(kWindowsDirectory, lpBuffer, uSize);
}
