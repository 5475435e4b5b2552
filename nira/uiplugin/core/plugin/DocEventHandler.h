// The document and printer events of the plug-in. At create-DC and reset-DC it repairs the job's
// DEVMODE (the printer's default section stands in for a missing or damaged one), brings its
// settings up to date through the UI core and hands the core driver a new DEVMODE in a global
// block, which it frees at the matching post event. At printer set-up it refreshes the device
// information and names the driver's print processor. Every field lives for one event only.
#pragma once

#include <windows.h>

#include <prcomoem.h>

#include "common/PrivateDevMode.h"

class CNiraDevModeSync;
class CNiraPrinterAccess;
class CNiraUICore;

class CNiraDocEventHandler {
public:
    CNiraDocEventHandler() = default;
    CNiraDocEventHandler(const CNiraDocEventHandler&) = delete;
    CNiraDocEventHandler& operator=(const CNiraDocEventHandler&) = delete;

    // Always S_OK: what the spooler sees is in *result and out.
    HRESULT DocumentEvent(CNiraUICore* core, CNiraDevModeSync* devModeSync, HANDLE printer, HDC dc,
                          INT escape, ULONG inSize, PVOID in, ULONG outSize, PVOID out, PINT result,
                          IPrintCoreHelper* coreHelper);
    // Makes the copy handed out from the source DEVMODE; 0 or NIRA_STATUS_FAILED.
    int CopyDevMode();
    // Called back by the UI core once the driver state of a document event is built.
    int ImportIntoUI();
    int ApplyPublicDevMode(CNiraUICore* core, DEVMODEW* publicDevMode, PrivateDevMode* section);
    int WritePublicFields(CNiraUICore* core, DEVMODEW* publicDevMode, DWORD size,
                          IPrintCoreHelper* coreHelper);
    int SetupPrinter(CNiraUICore* core, LPCWSTR printerName, INT event, DWORD flags, LPARAM lParam);
    void UpdatePrintProcessor(CNiraPrinterAccess& access);
    void Reset();

private:
    // The create-DC and reset-DC repair; throws CNiraException for a refusal.
    void RepairDevMode(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize, PVOID out,
                       PINT result);
    // The printer's default DEVMODE (LocalAlloc) with the job's public part when they agree.
    DEVMODEW* ReadDefaultDevMode(HANDLE printer, const DEVMODEW* job);
    void FreeCopy();

    CNiraUICore* m_core = nullptr;
    CNiraDevModeSync* m_devModeSync = nullptr;
    IPrintCoreHelper* m_coreHelper = nullptr;
    PrivateDevMode* m_section = nullptr;
    DEVMODEW* m_copy = nullptr;
    DEVMODEW* m_source = nullptr;
    DEVMODEW* m_publicCopy = nullptr;
    DWORD m_copySize = 0;
};
