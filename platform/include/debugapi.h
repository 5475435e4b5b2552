// Debug output. On the simulated machine it goes to a journal that tests read
// (nirasim/Runtime.h), and to standard error when NIRA_DEBUG_OUTPUT is set.
#pragma once

#include <windef.h>

void WINAPI OutputDebugStringW(LPCWSTR lpOutputString);
void WINAPI OutputDebugStringA(LPCSTR lpOutputString);
BOOL WINAPI IsDebuggerPresent(void);
void WINAPI DebugBreak(void);

#define OutputDebugString OutputDebugStringW
