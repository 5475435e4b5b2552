// The COM interfaces between the core printer driver's UI module and its UI plug-in
// (<prcomoem.h>): the plug-in's IPrintOemUI / IPrintOemUI2 and IPrintOemPrintTicketProvider, the
// core driver's IPrintCoreHelper, and the class ids under which the core driver asks a plug-in
// for them. Method order is the platform's (it is the vtable order).
#pragma once

#include <windows.h>

#include <msxml2.h>
#include <objbase.h>
#include <printoem.h>

// The class id the core driver asks a UI plug-in's DllGetClassObject for.
inline constexpr CLSID CLSID_OEMUI = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
// The class id of its PrintTicket work.
inline constexpr CLSID CLSID_OEMPTPROVIDER = {
    0x91723892, 0x45D2, 0x48E2, {0x9E, 0xC9, 0x56, 0x23, 0x79, 0xDA, 0xF9, 0x92}};

inline constexpr IID IID_IPrintOemUI = {
    0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
inline constexpr IID IID_IPrintOemUI2 = {
    0x292515F9, 0xB54B, 0x489B, {0x92, 0x75, 0xBA, 0xB5, 0x68, 0x21, 0x39, 0x5E}};
inline constexpr IID IID_IPrintOemPrintTicketProvider = {
    0xBCF5E011, 0xF60A, 0x49FF, {0xAB, 0x2F, 0xE0, 0x6F, 0x4A, 0xBD, 0xF2, 0x81}};
inline constexpr IID IID_IPrintCoreHelper = {
    0xA89EC53E, 0x3905, 0x49C6, {0x9C, 0x1A, 0xC0, 0xA8, 0x81, 0x17, 0xFD, 0xB6}};

// What the core driver offers its plug-ins: its features and options, read and set on a DEVMODE.
struct IPrintCoreHelper : public IUnknown {
    STDMETHOD(GetOption)
    (const DEVMODEW* pDevmode, DWORD cbSize, PCSTR pszFeatureRequested, PCSTR* ppszOption) PURE;
    STDMETHOD(SetOptions)
    (DEVMODEW* pDevmode, DWORD cbSize, BOOL bResolveConflicts, const PRINT_FEATURE_OPTION* pFOPairs,
     DWORD cPairs, DWORD* pcPairsWritten, DWORD* pdwResult) PURE;
    STDMETHOD(EnumConstrainedOptions)
    (const DEVMODEW* pDevmode, DWORD cbSize, PCSTR pszFeatureKeyword, PCSTR** pConstrainedOptionList,
     DWORD* pdwNumOptions) PURE;
    STDMETHOD(WhyConstrained)
    (const DEVMODEW* pDevmode, DWORD cbSize, PCSTR pszFeatureKeyword, PCSTR pszOptionKeyword,
     const PRINT_FEATURE_OPTION** ppFOConstraints, DWORD* pdwNumOptions) PURE;
    STDMETHOD(EnumFeatures)(PCSTR** pFeatureList, DWORD* pdwNumFeatures) PURE;
    STDMETHOD(EnumOptions)(PCSTR pszFeatureKeyword, PCSTR** pOptionList, DWORD* pdwNumOptions) PURE;
    STDMETHOD(GetFontSubstitution)(PCWSTR pszTrueTypeFontName, PCWSTR* ppszDevFontName) PURE;
    STDMETHOD(SetFontSubstitution)(PCWSTR pszTrueTypeFontName, PCWSTR pszDevFontName) PURE;
    STDMETHOD(CreateInstanceOfMSXMLObject)
    (REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) PURE;
};

struct IPrintOemUI : public IUnknown {
    STDMETHOD(PublishDriverInterface)(IUnknown* pIUnknown) PURE;
    STDMETHOD(GetInfo)(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) PURE;
    STDMETHOD(DevMode)(DWORD dwMode, POEMDMPARAM pOemDMParam) PURE;
    STDMETHOD(CommonUIProp)(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) PURE;
    STDMETHOD(DocumentPropertySheets)(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) PURE;
    STDMETHOD(DevicePropertySheets)(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) PURE;
    STDMETHOD(DevQueryPrintEx)
    (POEMUIOBJ poemuiobj, PDEVQUERYPRINT_INFO pDQPInfo, DEVMODEW* pPublicDM, PVOID pOEMDM) PURE;
    STDMETHOD(DeviceCapabilities)
    (POEMUIOBJ poemuiobj, HANDLE hPrinter, PWSTR pDeviceName, WORD wCapability, PVOID pOutput,
     DEVMODEW* pPublicDM, PVOID pOEMDM, DWORD dwOld, DWORD* dwResult) PURE;
    STDMETHOD(UpgradePrinter)(DWORD dwLevel, PBYTE pDriverUpgradeInfo) PURE;
    STDMETHOD(PrinterEvent)(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags, LPARAM lParam) PURE;
    STDMETHOD(DriverEvent)(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo, LPARAM lParam) PURE;
    STDMETHOD(QueryColorProfile)
    (HANDLE hPrinter, POEMUIOBJ poemuiobj, DEVMODEW* pPublicDM, PVOID pOEMDM, ULONG ulQueryMode,
     VOID* pvProfileData, ULONG* pcbProfileData, ULONG* pflProfileData) PURE;
    STDMETHOD(FontInstallerDlgProc)(HWND hWnd, UINT usMsg, WPARAM wParam, LPARAM lParam) PURE;
    STDMETHOD(UpdateExternalFonts)(HANDLE hPrinter, HANDLE hHeap, PWSTR pwstrCartridges) PURE;
};

struct IPrintOemUI2 : public IPrintOemUI {
    STDMETHOD(QueryJobAttributes)
    (HANDLE hPrinter, DEVMODEW* pDevmode, DWORD dwLevel, LPBYTE lpAttributeInfo) PURE;
    STDMETHOD(HideStandardUI)(DWORD dwMode) PURE;
    STDMETHOD(DocumentEvent)
    (HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn, PVOID pvIn, ULONG cbOut, PVOID pvOut,
     PINT piResult) PURE;
};

struct IPrintOemPrintTicketProvider : public IUnknown {
    STDMETHOD(GetSupportedVersions)(HANDLE hPrinter, INT* ppVersions[], INT* cVersions) PURE;
    STDMETHOD(BindPrinter)
    (HANDLE hPrinter, INT version, POEMPTOPTS pOptions, INT* pcNamespaces, BSTR** ppNamespaces) PURE;
    STDMETHOD(PublishPrintTicketHelperInterface)(IUnknown* pHelper) PURE;
    STDMETHOD(QueryDeviceDefaultNamespace)(BSTR* pbstrNamespaceUri) PURE;
    STDMETHOD(ConvertPrintTicketToDevMode)
    (IXMLDOMDocument2* pPrintTicket, ULONG cbDevmode, DEVMODEW* pDevmode, ULONG cbDrvPrivateSize,
     PVOID pPrivateDevmode) PURE;
    STDMETHOD(ConvertDevModeToPrintTicket)
    (ULONG cbDevmode, DEVMODEW* pDevmode, ULONG cbDrvPrivateSize, PVOID pPrivateDevmode,
     IXMLDOMDocument2* pPrintTicket) PURE;
    STDMETHOD(CompletePrintCapabilities)
    (IXMLDOMDocument2* pPrintTicket, IXMLDOMDocument2* pCapabilities) PURE;
    STDMETHOD(ExpandIntentOptions)(IXMLDOMDocument2* pPrintTicket) PURE;
    STDMETHOD(ValidatePrintTicket)(IXMLDOMDocument2* pBaseTicket) PURE;
};
