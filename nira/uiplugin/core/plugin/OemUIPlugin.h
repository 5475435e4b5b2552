// The core driver's UI plug-in object: one per core-driver instance, seen through two interface
// tables (IPrintOemUI2 first, IPrintOemPrintTicketProvider second). It makes its helpers at the
// first call that needs them and owns them.
#pragma once

#include <windows.h>

#include <prcomoem.h>

#include "common/PrivateDevMode.h"

class CNiraDevModeSync;
class CNiraPrinterAccess;
class CNiraDocEventHandler;
class CNiraPrintTicketSnapshot;
class CNiraSettingsClient;
class CNiraUICore;
class INiraPropSheetAdapter;

class CNiraOemUIPlugin : public IPrintOemUI2, public IPrintOemPrintTicketProvider {
public:
    CNiraOemUIPlugin();
    CNiraOemUIPlugin(const CNiraOemUIPlugin&) = delete;
    CNiraOemUIPlugin& operator=(const CNiraOemUIPlugin&) = delete;

    // IUnknown, shared by both tables.
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IPrintOemUI
    STDMETHOD(PublishDriverInterface)(IUnknown* unknown) override;
    STDMETHOD(GetInfo)(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) override;
    STDMETHOD(DevMode)(DWORD mode, POEMDMPARAM param) override;
    STDMETHOD(CommonUIProp)(DWORD mode, POEMCUIPPARAM param) override;
    STDMETHOD(DocumentPropertySheets)(PPROPSHEETUI_INFO info, LPARAM lParam) override;
    STDMETHOD(DevicePropertySheets)(PPROPSHEETUI_INFO info, LPARAM lParam) override;
    STDMETHOD(DevQueryPrintEx)
    (POEMUIOBJ uiObject, PDEVQUERYPRINT_INFO info, DEVMODEW* publicDevMode, PVOID privateDevMode) override;
    STDMETHOD(DeviceCapabilities)
    (POEMUIOBJ uiObject, HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
     DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result) override;
    STDMETHOD(UpgradePrinter)(DWORD level, PBYTE upgradeInfo) override;
    STDMETHOD(PrinterEvent)(PWSTR printerName, INT event, DWORD flags, LPARAM lParam) override;
    STDMETHOD(DriverEvent)(DWORD event, DWORD level, LPBYTE driverInfo, LPARAM lParam) override;
    STDMETHOD(QueryColorProfile)
    (HANDLE printer, POEMUIOBJ uiObject, DEVMODEW* publicDevMode, PVOID privateDevMode, ULONG queryMode,
     VOID* profileData, ULONG* profileSize, ULONG* profileFlags) override;
    STDMETHOD(FontInstallerDlgProc)(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    STDMETHOD(UpdateExternalFonts)(HANDLE printer, HANDLE heap, PWSTR cartridges) override;

    // IPrintOemUI2
    STDMETHOD(QueryJobAttributes)
    (HANDLE printer, DEVMODEW* devMode, DWORD level, LPBYTE attributeInfo) override;
    STDMETHOD(HideStandardUI)(DWORD mode) override;
    STDMETHOD(DocumentEvent)
    (HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize, PVOID out,
     PINT result) override;

    // IPrintOemPrintTicketProvider
    STDMETHOD(GetSupportedVersions)(HANDLE printer, INT* versions[], INT* count) override;
    STDMETHOD(BindPrinter)
    (HANDLE printer, INT version, POEMPTOPTS options, INT* namespaceCount, BSTR** namespaces) override;
    STDMETHOD(PublishPrintTicketHelperInterface)(IUnknown* helper) override;
    STDMETHOD(QueryDeviceDefaultNamespace)(BSTR* namespaceUri) override;
    STDMETHOD(ConvertPrintTicketToDevMode)
    (IXMLDOMDocument2* ticket, ULONG devModeSize, DEVMODEW* devMode, ULONG privateSize,
     PVOID privateDevMode) override;
    STDMETHOD(ConvertDevModeToPrintTicket)
    (ULONG devModeSize, DEVMODEW* devMode, ULONG privateSize, PVOID privateDevMode,
     IXMLDOMDocument2* ticket) override;
    STDMETHOD(CompletePrintCapabilities)(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities) override;
    STDMETHOD(ExpandIntentOptions)(IXMLDOMDocument2* ticket) override;
    STDMETHOD(ValidatePrintTicket)(IXMLDOMDocument2* ticket) override;

    // Makes the missing helpers once per object; one that could not be made stays missing.
    void CreateHelpers(HANDLE printer);
    void CreateHelpersForPrinter(LPCWSTR printerName);
    // Loads the settings helper module for the process and (re)initialises the settings client on
    // the printer; NIRA_STATUS_FAILED for a null handle.
    LONG EnsureSettingsClient(HANDLE printer);
    void ReleaseSettingsClient();
    // Hides the core driver's own items, as the Windows version asks.
    void HideDriverItems(POEMCUIPPARAM param);
    // Writes the full paths of the setting API module and of this plug-in into the printer data.
    void RegisterComponentPaths(CNiraPrinterAccess& access);
    // The device-model handler's answer to request 3 (capture) or 10 (apply the snapshot); 0 when
    // the driver names no device-model configuration.
    int RunDmcRequest(CNiraPrinterAccess& access, int request);
    // 0 when the kept device-model snapshot was applied, else NIRA_STATUS_FAILED.
    int ApplyDmcSnapshot(CNiraPrinterAccess* access);

    // The DEVMODE synchronisation the UI core calls back: after a sheet was applied, the settings
    // into the section, the public fields and the core driver's options; the private section of
    // a colour-profile request, and the job's DEVMODE when the sheets open, into the settings.
    int SyncPublicDevMode(POEMUIPSPARAM sheetParam);
    int ImportPrivateDevMode(DEVMODEW* devMode, PVOID section);
    bool LoadSection(DEVMODEW* devMode, PrivateDevMode* section, LONG mode);
    void ImportPublicDevMode(DEVMODEW* devMode);

    INiraPropSheetAdapter* GetSheetAdapter() const { return m_sheetAdapter; }
    CNiraUICore* GetCore() const { return m_core; }
    CNiraDevModeSync* GetDevModeSync() const { return m_devModeSync; }
    CNiraSettingsClient* GetSettingsClient() const { return m_settings; }

private:
    virtual ~CNiraOemUIPlugin();
    // What a PrintTicket call needs first: helpers, driver state and settings client on the bound
    // printer; E_FAIL when building them failed.
    HRESULT StartConversion();
    // The printer data of initialisation: install date, component paths, device-model capture and
    // the default DEVMODEs.
    void InitializePrinterData(LPCWSTR printerName);

    // One pair through the core helper, on its current DEVMODE, with conflicts resolved.
    void SetCoreOption(const char* keyword, const char* option, const DEVMODEW& devMode);
    // The option's name (UTF-8) as the core driver's option of the keyword.
    void SetCoreOptionByName(const char* keyword, int featureId, int optionId, const DEVMODEW& devMode);
    bool CoreDriverHasFeature(const char* keyword);
    void WritePublicField(int featureId, int optionId, int value, DEVMODEW* devMode);
    static bool KeepsPrivateFields(const PrivateDevMode& section);

    int m_helpersCreated = 0;
    LONG volatile m_refCount = 1;
    int m_standardUIHidden = 0;
    IPrintCoreHelper* m_coreHelper = nullptr;
    HANDLE m_printer = nullptr;  // borrowed from the last call that brought one
    CNiraDocEventHandler* m_docEvents = nullptr;
    INiraPropSheetAdapter* m_sheetAdapter = nullptr;
    CNiraDevModeSync* m_devModeSync = nullptr;
    CNiraUICore* m_core = nullptr;
    CNiraSettingsClient* m_settings = nullptr;
    CNiraPrintTicketSnapshot* m_ptSnapshot = nullptr;
    BSTR m_namespaceUri = nullptr;
};
