#include "common/ComponentFiles.h"

#include <strsafe.h>

const WCHAR kComponentFilesSection[] = TEXT("ComponentFiles");
const WCHAR kDriverVersionFolder[] = TEXT("\\3\\");

namespace {

const WCHAR kIniMarker[] = TEXT(".INI");

}  // namespace

BOOL FindIniInDependentFiles(LPCWSTR dependentFiles, LPWSTR iniPath)
{
    if (dependentFiles == nullptr || iniPath == nullptr) {
        return FALSE;
    }
    WCHAR name[MAX_PATH];
    for (LPCWSTR entry = dependentFiles; *entry != 0; entry += wcslen(entry) + 1) {
        if (FAILED(StringCchCopyW(name, MAX_PATH, entry))) {
            return FALSE;
        }
        _wcsupr(name);
        if (wcsstr(name, kIniMarker) != nullptr) {
            return SUCCEEDED(StringCchCopyW(iniPath, MAX_PATH, name));
        }
    }
    return FALSE;
}

DWORD ReadComponentValue(LPCWSTR iniPath, LPCWSTR key, LPCWSTR defaultValue, LPWSTR value, DWORD capacity)
{
    if (iniPath == nullptr || key == nullptr || value == nullptr || capacity == 0) {
        return 0;
    }
    return GetPrivateProfileStringW(kComponentFilesSection, key, defaultValue, value, capacity, iniPath);
}
