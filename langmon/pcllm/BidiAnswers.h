// The monitor's answers about the device: the printer-data values "ZQSTSSTR" and "ZQSTATUS"
// (the device ID), and the spooler's bidi requests for nine schema paths.
#pragma once

#include <windows.h>
#include <winsplp.h>

constexpr DWORD kBidiSchemaCount = 9;
constexpr size_t kBidiSchemaCapacity = 256;

BOOL WINAPI GetPrinterDataFromPort(HANDLE port, DWORD controlId, LPWSTR valueName, LPWSTR input,
                                   DWORD inputSize, LPWSTR output, DWORD outputSize, LPDWORD returned);
// Answers 0; the container is the answer, or null for an unknown action or without the router's
// container functions.
DWORD WINAPI SendRecvBidiDataFromPort(HANDLE port, DWORD accessBit, LPCWSTR action,
                                      PBIDI_REQUEST_CONTAINER request, PBIDI_RESPONSE_CONTAINER* response);
