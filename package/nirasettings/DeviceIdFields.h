// Fields of the printer's device ID ("KEY:value;KEY:value;..."), as the language monitor keeps it
// in the printer data "ZQSTSSTR".
#pragma once

#include <windows.h>

// Reads the device ID of the printer; FALSE when the printer has none.
BOOL ReadDeviceId(HANDLE printer, LPSTR deviceId, DWORD capacity);

// The decimal value of the field key (e.g. "DU") of a device ID; FALSE when the field is absent
// or does not start with a digit.
BOOL FindDeviceIdNumber(LPCSTR deviceId, LPCSTR key, LONG* value);
