// The plain exports that other components of the driver package call, and DllMain.
#include "oemui/doceventdlg/NiraEvtExports.h"

#include "common/AsyncUIRequest.h"
#include "oemui/doceventdlg/DialogThreads.h"
#include "oemui/doceventdlg/JobStorageDialog.h"
#include "oemui/doceventdlg/JobWarningDialog.h"
#include "oemui/doceventdlg/ManualDuplexDialog.h"
#include "oemui/doceventdlg/SessionRequest.h"

void WINAPI VJobStorageDialog(JobStorageRequest request)
{
    StartJobStorageDialog(CopyRequest<JobStorageRequest>(&request));
}

void WINAPI VDisplayDialog(ManualDuplexRequest request, DWORD useAsynchronous)
{
    auto* copy = CopyRequest<ManualDuplexRequest>(&request);
    if (copy == nullptr) {
        return;
    }
    if (useAsynchronous == 0 || !SessionDialogsAvailable()) {
        if (copy->modal != 0) {
            RunManualDuplexDialog(copy);
        } else {
            StartManualDuplexDialog(copy);
        }
        return;
    }
    // The session's entry points always answer "Cancel": the reply tells nothing.
    LPCWSTR entryPoint = copy->modal != 0 ? kEntryPointManualDuplexModal : kEntryPointManualDuplexModeless;
    SendSessionRequest(copy->printer, entryPoint, copy, sizeof(*copy));
    LocalFree(copy);
}

DWORD WINAPI IShowWarningDialog(HANDLE printer, JobWarningRequest request)
{
    constexpr DWORD kWarningKind = 1;
    auto* copy = CopyRequest<JobWarningRequest>(&request);
    if (copy == nullptr) {
        return 0;
    }
    copy->printer = printer;
    DWORD result = 0;
    if (copy->kind != kWarningKind) {
        result = 0;
    } else if (!SessionDialogsAvailable()) {
        SetWarningPrinter(printer);
        result = static_cast<DWORD>(RunJobWarningDialog(*copy, nullptr));
    } else {
        result = SendSessionRequest(printer, kEntryPointJobUI, copy, sizeof(*copy)) ? 1 : 0;
    }
    LocalFree(copy);
    return result;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        SetNiraEvtModule(instance);
        break;
    case DLL_THREAD_DETACH:
    case DLL_PROCESS_DETACH:
        CloseDialogThreadHandles();
        break;
    default:
        break;
    }
    return TRUE;
}
