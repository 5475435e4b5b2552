// Who runs the process and in which language: small helpers of the printer access. Results are
// 0 on success, ERROR_INSUFFICIENT_BUFFER (122) when the caller's buffer is too small, and
// NIRA_STATUS_FAILED on other failures.
#pragma once

#include <windows.h>

// The base name of the process's program (the last part of its path split at '\' and ','); its
// length goes to *length. Inside the spooler ("spoolsv.exe") the name is not written, and the
// answer is 0 all the same.
LONG GetProcessBaseName(LPSTR out, size_t size, size_t* length);
// The full path of the process's program, not written inside the spooler; ERROR_INSUFFICIENT_BUFFER
// when it does not fit (also when it is too long to read whole).
LONG GetProcessPath(LPSTR out, size_t size, size_t* length);
// The last part of a path split at '\' and ','.
LONG GetFileBaseName(LPCSTR path, LPSTR out, size_t size, size_t* length);
// The signed-in user's name (size in characters).
LONG GetCurrentUserName(LPWSTR out, size_t size);
// The user's UI language.
LONG GetUserUILanguage(LANGID* language);
// A resource name from a number (its low 16 bits).
LPWSTR MakeIntResource(UINT number);
// Whether feature handlers may force a state: never.
BOOL IsStateOverrideEnabled();
