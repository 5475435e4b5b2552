// Host-side helpers of the file area: what a host path is, and the Win32 error of a failed
// POSIX call.
#pragma once

#include <windows.h>

#include <string>

namespace nirasim::sim {

enum class HostKind { Missing, File, Folder };

HostKind KindOf(const std::string& hostPath);
// The error Windows gives for a missing path: ERROR_PATH_NOT_FOUND when the parent folder is
// missing too, else ERROR_FILE_NOT_FOUND.
DWORD MissingPathError(const std::string& hostPath);
DWORD ErrorFromErrno(int error);
// Reads a whole host file of at most `limit` bytes; false when it cannot be read or is larger.
// True while a CreateFileW handle holds the file without FILE_SHARE_DELETE.
// The host descriptor behind a CreateFileW handle; -1 (ERROR_INVALID_HANDLE) for any other handle.
// The handle's object keeps it open.
int HostDescriptorOf(HANDLE handle);
bool IsOpenWithoutDeleteSharing(const std::string& hostPath);

bool ReadHostFile(const std::string& hostPath, std::string& contents, size_t limit);

}  // namespace nirasim::sim
