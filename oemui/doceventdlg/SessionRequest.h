// Sending a job dialog's record to the user's session (Windows 6 and later): the printer's name
// from its PRINTER_INFO_4, the request message naming one of niraevt's entry points, and the
// asynchronous print-UI request over a bidirectional channel.
#pragma once

#include <windows.h>

// TRUE when the host's reply confirmed; FALSE when it did not, or when the printer's name or the
// message cannot be had (nothing is sent then).
BOOL SendSessionRequest(HANDLE printer, LPCWSTR entryPoint, const void* record, size_t recordBytes);

// TRUE from Windows 6 on, where job dialogs can reach the user's session.
BOOL SessionDialogsAvailable();
