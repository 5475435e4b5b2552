// In-process servers found through the registry, as COM finds them on Windows.
#include "com/ClassRegistry.h"

#include <windows.h>

#include <string>

namespace nirasim {
namespace com {

namespace {

constexpr int kGuidChars = 39;
constexpr DWORD kServerPathChars = MAX_PATH;

// The default value of CLSID\{clsid}\InprocServer32; false when the class is not registered.
bool ReadServerPath(REFCLSID clsid, WCHAR* path, DWORD capacity)
{
    WCHAR guidText[kGuidChars];
    if (StringFromGUID2(clsid, guidText, kGuidChars) == 0) {
        return false;
    }
    std::u16string keyPath = u"CLSID\\";
    keyPath += guidText;
    keyPath += u"\\InprocServer32";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD size = (capacity - 1) * sizeof(WCHAR);
    LSTATUS status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    path[size / sizeof(WCHAR)] = 0;
    return path[0] != 0;
}

}  // namespace

HRESULT GetInprocServerFactory(REFCLSID clsid, REFIID iid, void** factory)
{
    *factory = nullptr;
    WCHAR path[kServerPathChars] = {};
    if (!ReadServerPath(clsid, path, kServerPathChars)) {
        return REGDB_E_CLASSNOTREG;
    }
    HMODULE module = LoadLibraryW(path);
    if (!module) {
        return CO_E_DLLNOTFOUND;
    }
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    if (!getClassObject) {
        FreeLibrary(module);
        return CO_E_ERRORINDLL;
    }
    return getClassObject(clsid, iid, factory);
}

}  // namespace com
}  // namespace nirasim
