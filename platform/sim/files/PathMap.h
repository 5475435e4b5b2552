// Windows paths on the simulated machine.
//
// A Windows path names a file on one of the machine's drives; the machine keeps drive X: in the
// folder <root>/X of its root folder (UNC paths \\server\share\... in <root>/UNC/server/share).
// Both '\' and '/' separate names, and names match without regard to case: each name of the path
// is resolved against what the host folder holds, and a name that does not exist yet keeps the
// spelling given (so a file is created as named). A relative path starts at the process's current
// folder ("C:\Windows\System32" unless set), a path starting with one separator at its drive.
//
// Other parts of the platform (the SQLite file-system layer, the XML loader) call MapWindowsPath
// to open a Windows path on the host.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace nirasim::sim {

// The full Windows form of a path: drive (upper case) or UNC prefix, '\' separators, "." and ".."
// resolved, no trailing separator (except for a drive's root, "C:\").
std::u16string FullWindowsPath(std::u16string_view path);

// The host path of a Windows path.
std::string MapWindowsPath(std::u16string_view windowsPath);
std::string MapWindowsPath(const WCHAR* windowsPath);
// The same for a path given in UTF-8 (as SQLite hands names to its file-system layer).
std::string MapWindowsPathUtf8(std::string_view utf8WindowsPath);

// The Windows path of a host path inside the machine's root; empty when it lies outside.
std::u16string WindowsPathOfHostPath(const std::string& hostPath);

// The parent folder of a full Windows path and its last name ("C:\a\b.txt" -> "C:\a", "b.txt").
std::u16string ParentOf(std::u16string_view fullPath);
std::u16string LastNameOf(std::u16string_view fullPath);

}  // namespace nirasim::sim
