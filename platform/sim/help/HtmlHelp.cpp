// HTML Help without a help viewer: a call naming a help file answers a window handle that stands
// for the help popup.
#include <windows.h>
#include <htmlhelp.h>

namespace {

int g_helpWindow;

}  // namespace

HWND WINAPI HtmlHelpW(HWND, LPCWSTR pszFile, UINT, DWORD_PTR)
{
    if (pszFile == nullptr || *pszFile == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return reinterpret_cast<HWND>(&g_helpWindow);
}
