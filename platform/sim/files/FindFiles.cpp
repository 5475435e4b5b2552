// FindFirstFileW / FindNextFileW: the names of a folder that match a pattern with '*' and '?',
// without regard to case, in the order of their upper-case names.
#include "core/Failures.h"
#include "core/Handles.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace nirasim::sim {
namespace {

// Windows wildcard matching: '*' any run of characters, '?' one character.
bool Matches(std::u16string_view pattern, std::u16string_view name)
{
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || FoldUpper(pattern[p]) == FoldUpper(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

bool MatchesPattern(const std::u16string& pattern, const std::u16string& name)
{
    if (pattern == u"*.*") {
        return true;  // Windows: "*.*" matches names without a dot as well
    }
    return Matches(pattern, name);
}

class FindObject : public KernelObject {
public:
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

void FillTimes(FILETIME& target, time_t when)
{
    constexpr uint64_t kEpochDifference = 116444736000000000ull;  // 1601 to 1970 in 100 ns
    uint64_t ticks = static_cast<uint64_t>(when) * 10000000ull + kEpochDifference;
    target.dwLowDateTime = static_cast<DWORD>(ticks);
    target.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
}

WIN32_FIND_DATAW MakeEntry(const std::u16string& name, const struct stat& info)
{
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    uint64_t size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    FillTimes(data.ftCreationTime, info.st_ctime);
    FillTimes(data.ftLastAccessTime, info.st_atime);
    FillTimes(data.ftLastWriteTime, info.st_mtime);
    CopyWideOut(std::u16string_view(name).substr(0, MAX_PATH - 1), data.cFileName, MAX_PATH);
    return data;
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    NIRASIM_FAIL_IF_INJECTED("FindFirstFileW", INVALID_HANDLE_VALUE);
    if (lpFileName == nullptr || *lpFileName == 0 || lpFindFileData == nullptr) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::u16string full = FullWindowsPath(lpFileName);
    std::u16string pattern = LastNameOf(full);
    std::u16string folder = ParentOf(full);
    std::string hostFolder = MapWindowsPath(folder);
    DIR* dir = opendir(hostFolder.c_str());
    if (dir == nullptr) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_shared<FindObject>();
    bool driveRoot = folder.size() == 3 && folder[1] == u':';
    while (dirent* entry = readdir(dir)) {
        std::u16string name = WideFromUtf8(entry->d_name);
        bool dots = name == u"." || name == u"..";
        if ((dots && (driveRoot || (pattern != u"*" && pattern != u"*.*"))) ||
            (!dots && !MatchesPattern(pattern, name))) {
            continue;
        }
        struct stat info;
        if (stat((hostFolder + "/" + entry->d_name).c_str(), &info) == 0) {
            search->entries.push_back(MakeEntry(name, info));
        }
    }
    closedir(dir);
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(search->entries.begin(), search->entries.end(), [](const auto& a, const auto& b) {
        return NoCaseLess()(std::u16string(a.cFileName), std::u16string(b.cFileName));
    });
    *lpFindFileData = search->entries[search->next++];
    return AddHandle(search);
}

BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    auto search = LookUpHandleAs<FindObject>(hFindFile);
    if (!search || lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = search->entries[search->next++];
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile)
{
    if (!LookUpHandleAs<FindObject>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return RemoveHandle(hFindFile) ? TRUE : FALSE;
}
