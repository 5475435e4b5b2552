// The print processor's exports, called by the spooler.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

extern "C" {

__declspec(dllexport) BOOL WINAPI
    EnumPrintProcessorDatatypesW(LPWSTR pName, LPWSTR pPrintProcessorName, DWORD Level, LPBYTE pDatatypes,
                                 DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned);
__declspec(dllexport) HANDLE WINAPI
    OpenPrintProcessor(LPWSTR pPrinterName, PPRINTPROCESSOROPENDATA pPrintProcessorOpenData);
__declspec(dllexport) BOOL WINAPI PrintDocumentOnPrintProcessor(HANDLE hPrintProcessor, LPWSTR pDocumentName);
__declspec(dllexport) BOOL WINAPI ClosePrintProcessor(HANDLE hPrintProcessor);
__declspec(dllexport) BOOL WINAPI ControlPrintProcessor(HANDLE hPrintProcessor, DWORD Command);
__declspec(dllexport) DWORD WINAPI
    GetPrintProcessorCapabilities(LPTSTR pValueName, DWORD dwAttributes, LPBYTE pData, DWORD nSize,
                                  LPDWORD pcbNeeded);
__declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

}  // extern "C"
