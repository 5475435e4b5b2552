// SHGetFolderPathW: the special folders of the machine's current user.
#include <shlobj.h>

#include "core/Failures.h"
#include "core/MachineState.h"

#include <cstring>

using namespace nirasim::sim;

HRESULT WINAPI SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR pszPath)
{
    NIRASIM_RETURN_IF_INJECTED("SHGetFolderPathW");
    if (pszPath == nullptr) {
        return E_INVALIDARG;
    }
    std::u16string path;
    switch (csidl) {
    case CSIDL_LOCAL_APPDATA:
        path = UserProfileDirectory() + u"\\AppData\\Local";
        break;
    case CSIDL_APPDATA:
        path = UserProfileDirectory() + u"\\AppData\\Roaming";
        break;
    default:
        pszPath[0] = 0;
        return E_INVALIDARG;
    }
    if (path.size() >= MAX_PATH) {
        pszPath[0] = 0;
        return E_FAIL;
    }
    std::memcpy(pszPath, path.c_str(), (path.size() + 1) * sizeof(char16_t));
    return S_OK;
}
