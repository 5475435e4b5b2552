// The calling thread's last-error value.
#pragma once

#include <windef.h>

extern "C" {
DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD dwErrCode);
}  // extern "C"
