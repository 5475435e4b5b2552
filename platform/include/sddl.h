// Security identifiers as text ("S-1-5-21-...").
#pragma once

#include <windows.h>

extern "C" {

// The SID's string form in LocalAlloc memory that the caller frees with LocalFree.
BOOL WINAPI ConvertSidToStringSidW(PSID Sid, LPWSTR* StringSid);

}  // extern "C"
