// niraevt's exports: the job dialogs that other components of the driver package call in their
// own process, and the entry points the platform's asynchronous print-UI host calls in the user's
// session with the record that followed a request's text.
#pragma once

#include <windows.h>

#include "oemui/doceventdlg/JobRequests.h"

extern "C" {

// Shows the job storage notice on a thread of its own; returns at once.
__declspec(dllexport) void WINAPI VJobStorageDialog(JobStorageRequest request);
// Shows the manual two-sided printing instructions here (modal or on a thread of its own), or from
// Windows 6 on with useAsynchronous set, in the user's session through the print-UI host.
__declspec(dllexport) void WINAPI VDisplayDialog(ManualDuplexRequest request, DWORD useAsynchronous);
// Shows a job warning; the dialog's end code here, or from Windows 6 on 1 when the user chose OK in
// the session; 0 when nothing was shown.
__declspec(dllexport) DWORD WINAPI IShowWarningDialog(HANDLE printer, JobWarningRequest request);

// The entry points. record: the bytes after the request text; recordBytes: how many the host
// received. Each answers a 520-byte reply ("OK" or "Cancel") from this library's C runtime heap,
// which the host owns, or null without memory.
__declspec(dllexport) LPWSTR WINAPI EvtDlgAsyncUIEntryPointJobStorage(LPBYTE record, DWORD recordBytes);
__declspec(dllexport) LPWSTR WINAPI
    EvtDlgAsyncUIEntryPointManualDuplexModal(LPBYTE record, DWORD recordBytes);
__declspec(dllexport) LPWSTR WINAPI
    EvtDlgAsyncUIEntryPointManualDuplexModeless(LPBYTE record, DWORD recordBytes);
__declspec(dllexport) LPWSTR WINAPI EvtDlgAsyncUIEntryPointPrintPreview(LPBYTE record, DWORD recordBytes);
__declspec(dllexport) LPWSTR WINAPI EvtDlgAsyncUIEntryPointJobUI(LPBYTE record, DWORD recordBytes);

// Keeps the module handle; at thread detach closes the kept dialog-thread handles, at process
// detach as well.
__declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

}  // extern "C"
