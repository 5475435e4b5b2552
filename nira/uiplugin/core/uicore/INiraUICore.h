// The UI core as the plug-in object and the external settings interface hold it. The slot order
// is fixed: every operation, the reserved one included, keeps its place.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <msxml2.h>
#include <printoem.h>

class CNiraDocEventHandler;
class CNiraOemUIPlugin;
class CNiraPrinterAccess;

class INiraUICore {
public:
    virtual ~INiraUICore() = default;                                                           // 0
    virtual int Reserved1(INT_PTR a, INT_PTR b, INT_PTR c, INT_PTR d) = 0;                      // 1
    virtual int AttachPrinterByName(LPCWSTR printerName, INT_PTR a, INT_PTR b, INT_PTR c) = 0;  // 2
    virtual int DocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize,
                              PVOID out, PINT result, CNiraDocEventHandler* docEvents,
                              DEVMODEW* devMode) = 0;  // 3
    virtual HRESULT DeviceCapabilities(POEMUIOBJ uiObject, HANDLE printer, PWSTR deviceName, WORD capability,
                                       PVOID output, DEVMODEW* publicDevMode, PVOID privateDevMode,
                                       DWORD oldResult, DWORD* result) = 0;  // 4
    virtual int DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, HANDLE printer,
                                       CNiraOemUIPlugin* plugin) = 0;     // 5
    virtual int SetSheetParam(INT_PTR ignored, POEMUIPSPARAM param) = 0;  // 6
    virtual int DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, HANDLE printer,
                                     CNiraOemUIPlugin* plugin) = 0;  // 7
    virtual HRESULT QueryColorProfile(HANDLE printer, POEMUIOBJ uiObject, DEVMODEW* publicDevMode,
                                      PVOID privateDevMode, ULONG queryMode, VOID* profileData,
                                      ULONG* profileSize, ULONG* profileFlags,
                                      CNiraOemUIPlugin* plugin) = 0;                       // 8
    virtual int BackupSettings(int featureId, int flags) = 0;                              // 9
    virtual int OnOptionChanged(int featureId, int fromUser) = 0;                          // 10
    virtual int ResolveConflicts(int featureId, int* reverted, int check, int quiet) = 0;  // 11
    virtual int QueuePendingChange(int featureId, int value, int action, int source) = 0;  // 12
    virtual int PrintTicketToSettings(IXMLDOMDocument2* ticket) = 0;                       // 13
    virtual int SettingsToPrintTicket(IXMLDOMDocument2* ticket) = 0;                       // 14
    virtual int CompletePrintCapabilities(IXMLDOMDocument2* ticket,
                                          IXMLDOMDocument2* capabilities) = 0;   // 15
    virtual CNiraPrinterAccess* GetPrinterAccess() = 0;                          // 16
    virtual int GetOptionValue(int featureId, int optionId, int* value) = 0;     // 17
    virtual int FindOptionByValue(int featureId, int value, int* optionId) = 0;  // 18
};
