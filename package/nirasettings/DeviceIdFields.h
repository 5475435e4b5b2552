// Fields of the printer's device ID ("KEY:value;KEY:value;..."), as the language monitor keeps it
// in the printer data "ZQSTSSTR".
#pragma once

#include <windows.h>

// The longest device ID read; the language monitor keeps far shorter ones.
constexpr DWORD kMaxDeviceIdBytes = 0x10000;

// The device ID of the printer, terminated, in a LocalAlloc block the caller frees with LocalFree;
// null when the printer has none (or one longer than kMaxDeviceIdBytes).
LPSTR ReadDeviceId(HANDLE printer);

// The decimal value of the field key (e.g. "DU") of a device ID; FALSE when the field is absent,
// does not start with a digit or is too large for a LONG.
BOOL FindDeviceIdNumber(LPCSTR deviceId, LPCSTR key, LONG* value);
