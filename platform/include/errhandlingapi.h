// The calling thread's last-error value.
#pragma once

#include <windef.h>

DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD dwErrCode);
