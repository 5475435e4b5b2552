// Version resources: the files of the simulated machine carry none.
#include <windows.h>

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle)
{
    if (lpdwHandle != nullptr) {
        *lpdwHandle = 0;
    }
    SetLastError(lptstrFilename == nullptr ? ERROR_INVALID_PARAMETER : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
}

BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD, DWORD, LPVOID lpData)
{
    SetLastError(lptstrFilename == nullptr || lpData == nullptr ? ERROR_INVALID_PARAMETER
                                                                 : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
}

BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID* lplpBuffer, PUINT puLen)
{
    if (lplpBuffer != nullptr) {
        *lplpBuffer = nullptr;
    }
    if (puLen != nullptr) {
        *puLen = 0;
    }
    return FALSE;
}

}  // extern "C"
