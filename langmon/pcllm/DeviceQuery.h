// Every read of the device ID goes through QueryDeviceStatus: the port monitor below is asked
// with the port's device-ID control code, the answer's length prefix is dropped, a changed ID is
// kept in the printer's driver data ("ZQSTSSTR") and in the port's status buffer, and the caller
// gets the ID, or its tail when the output is smaller.
#pragma once

#include <windows.h>

struct PortContext;

extern const WCHAR kStatusValueName[];  // "ZQSTSSTR"

// The lower call's result; FALSE without a lower port or its pfnGetPrinterDataFromPort, on a
// failed or empty answer, and for an output size of 0 (*returned is then the ID's size).
BOOL QueryDeviceStatus(PortContext* port, LPWSTR input, DWORD inputSize, LPBYTE output, DWORD outputSize,
                       LPDWORD returned);

// The process-wide model flag: set until a USB port first reports a changed ID of one of two
// models. Nothing reads it.
BOOL GetModelFlag();
