#include "nira/uiplugin/core/plugin/OemUIPlugin.h"

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "nira/uiplugin/core/module/ComponentModule.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/DocEventHandler.h"
#include "nira/uiplugin/core/plugin/PrintTicketSnapshot.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeHandler.h"
#include "nira/uiplugin/core/plugin/PropSheetAdapter.h"
#include "nira/uiplugin/core/plugin/ServerCounts.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "printticket/XDVocabulary.h"

#include <oleauto.h>

#include <new>

namespace {

// The plug-in's private PrintTicket namespace.
const WCHAR* const kPrivateNamespace = XDVocabulary::kPrivateNamespace;

// Item flags that take a core-driver item out of the sheet.
constexpr DWORD kHiddenItemFlags = OPTIF_COLLAPSE | OPTIF_HIDE;
// Items with a public DEVMODE id below this one are hidden by id on Windows 2000.
constexpr BYTE kHiddenPublicIdLimit = 22;
constexpr DWORD kHideByKeywordMode = 1;

// Windows XP and later; false for Windows 2000 and earlier.
bool IsWindowsXPOrLater()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version)) {
        return false;
    }
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion != 0);
    }
    return version.dwPlatformId > VER_PLATFORM_WIN32_NT;
}

void HideItemByKeyword(INiraPropSheetAdapter& adapter, LPCSTR keyword)
{
    LPWSTR wide = nullptr;
    if (ConvertToWide(&wide, keyword, CP_ACP)) {
        adapter.HideItem(wide, kHideByKeywordMode);
        delete[] wide;
    }
}

}  // namespace

CNiraOemUIPlugin::CNiraOemUIPlugin()
{
    CountObjectCreated();
    m_namespaceUri = SysAllocString(kPrivateNamespace);
}

CNiraOemUIPlugin::~CNiraOemUIPlugin()
{
    delete m_docEvents;
    delete m_sheetAdapter;
    if (m_devModeSync != nullptr) {
        m_devModeSync->Reset();
    }
    delete m_devModeSync;
    m_devModeSync = nullptr;
    delete m_core;
    if (m_coreHelper != nullptr) {
        m_coreHelper->Release();
    }
    delete m_ptSnapshot;
    ReleaseSettingsClient();
    SysFreeString(m_namespaceUri);
    CountObjectDestroyed();
}

STDMETHODIMP CNiraOemUIPlugin::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    IUnknown* answer = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPrintOemUI) ||
        IsEqualIID(iid, IID_IPrintOemUI2)) {
        answer = static_cast<IPrintOemUI2*>(this);
    } else if (IsEqualIID(iid, IID_IPrintOemPrintTicketProvider)) {
        answer = static_cast<IPrintOemPrintTicketProvider*>(this);
    }
    *out = answer;
    if (answer == nullptr) {
        return E_NOINTERFACE;
    }
    answer->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CNiraOemUIPlugin::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

STDMETHODIMP_(ULONG) CNiraOemUIPlugin::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CNiraOemUIPlugin::PublishDriverInterface(IUnknown* unknown)
{
    if (m_coreHelper != nullptr) {
        return E_FAIL;
    }
    if (unknown == nullptr) {
        return E_FAIL;
    }
    const HRESULT result =
        unknown->QueryInterface(IID_IPrintCoreHelper, reinterpret_cast<void**>(&m_coreHelper));
    if (FAILED(result)) {
        m_coreHelper = nullptr;
        return E_FAIL;
    }
    return result;
}

STDMETHODIMP CNiraOemUIPlugin::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed)
{
    if (mode == OEMGI_GETREQUESTEDHELPERINTERFACES) {
        if (buffer == nullptr || size < sizeof(DWORD)) {
            return E_FAIL;
        }
        *static_cast<DWORD*>(buffer) = OEMPUBLISH_IPRINTCOREHELPER;
        return S_OK;
    }
    CNiraPrivateDevModeHandler handler;
    return handler.GetInfo(mode, buffer, size, needed);
}

STDMETHODIMP CNiraOemUIPlugin::DevMode(DWORD mode, POEMDMPARAM param)
{
    if (param == nullptr) {
        return E_FAIL;
    }
    m_printer = param->hPrinter;
    if (m_devModeSync == nullptr) {
        m_devModeSync = new (std::nothrow) CNiraDevModeSync();
    }
    return m_devModeSync != nullptr ? m_devModeSync->DevMode(mode, param) : E_FAIL;
}

STDMETHODIMP CNiraOemUIPlugin::CommonUIProp(DWORD, POEMCUIPPARAM param)
{
    if (param == nullptr) {
        return S_OK;
    }
    m_printer = param->hPrinter;
    if (param->pOEMOptItems == nullptr || m_sheetAdapter != nullptr) {
        return S_OK;
    }
    m_sheetAdapter = new (std::nothrow) CNiraPropSheetAdapter(param);
    if (m_sheetAdapter != nullptr && !m_standardUIHidden) {
        HideDriverItems(param);
    }
    return S_OK;
}

STDMETHODIMP CNiraOemUIPlugin::DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam)
{
    if (m_printer != nullptr) {
        CreateHelpers(m_printer);
    }
    EnsureSettingsClient(m_printer);
    if (m_core == nullptr) {
        return E_FAIL;
    }
    return m_core->DocumentPropertySheets(info, lParam, m_printer, this);
}

STDMETHODIMP CNiraOemUIPlugin::DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam)
{
    CreateHelpers(m_printer);
    if (m_core == nullptr) {
        return E_FAIL;
    }
    return m_core->DevicePropertySheets(info, lParam, m_printer, this);
}

STDMETHODIMP CNiraOemUIPlugin::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, DEVMODEW*, PVOID)
{
    return E_NOTIMPL;
}

STDMETHODIMP CNiraOemUIPlugin::DeviceCapabilities(POEMUIOBJ uiObject, HANDLE printer, PWSTR deviceName,
                                                  WORD capability, PVOID output, DEVMODEW* publicDevMode,
                                                  PVOID privateDevMode, DWORD oldResult, DWORD* result)
{
    if (m_core == nullptr) {
        CreateHelpers(printer);
    }
    if (m_core == nullptr) {
        return 0;
    }
    return m_core->DeviceCapabilities(uiObject, printer, deviceName, capability, output, publicDevMode,
                                      privateDevMode, oldResult, result);
}

STDMETHODIMP CNiraOemUIPlugin::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM)
{
    return m_docEvents != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP CNiraOemUIPlugin::QueryColorProfile(HANDLE printer, POEMUIOBJ uiObject, DEVMODEW* publicDevMode,
                                                 PVOID privateDevMode, ULONG queryMode, VOID* profileData,
                                                 ULONG* profileSize, ULONG* profileFlags)
{
    if (m_core == nullptr) {
        CreateHelpers(printer);
    }
    if (m_core == nullptr || EnsureSettingsClient(printer) != 0) {
        return E_NOTIMPL;
    }
    return m_core->QueryColorProfile(printer, uiObject, publicDevMode, privateDevMode, queryMode, profileData,
                                     profileSize, profileFlags, this);
}

STDMETHODIMP CNiraOemUIPlugin::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return E_NOTIMPL;
}

STDMETHODIMP CNiraOemUIPlugin::UpdateExternalFonts(HANDLE, HANDLE, PWSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CNiraOemUIPlugin::QueryJobAttributes(HANDLE, DEVMODEW*, DWORD, LPBYTE)
{
    return E_NOTIMPL;
}

STDMETHODIMP CNiraOemUIPlugin::HideStandardUI(DWORD mode)
{
    if (mode != OEMCUIP_DOCPROP_HIDE && mode != OEMCUIP_PRNPROP_HIDE) {
        return E_NOTIMPL;
    }
    m_standardUIHidden = 1;
    return S_OK;
}

void CNiraOemUIPlugin::CreateHelpers(HANDLE)
{
    if (m_helpersCreated) {
        return;
    }
    m_helpersCreated = 1;
    if (m_devModeSync == nullptr) {
        m_devModeSync = new (std::nothrow) CNiraDevModeSync();
    }
    if (m_core == nullptr) {
        m_core = new (std::nothrow) CNiraUICore();
    }
    if (m_docEvents == nullptr) {
        m_docEvents = new (std::nothrow) CNiraDocEventHandler();
    }
    if (m_ptSnapshot == nullptr) {
        m_ptSnapshot = new (std::nothrow) CNiraPrintTicketSnapshot();
    }
}

void CNiraOemUIPlugin::CreateHelpersForPrinter(LPCWSTR printerName)
{
    if (printerName == nullptr) {
        return;
    }
    CNiraPrinterAccess access(printerName);
    CreateHelpers(access.GetHandle());
}

LONG CNiraOemUIPlugin::EnsureSettingsClient(HANDLE printer)
{
    if (printer == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // A module that does not load leaves the client without its outside provider; the next call
    // tries again.
    LoadComponentModule(printer);
    if (m_settings == nullptr) {
        m_settings = new (std::nothrow) CNiraSettingsClient();
    }
    // A client that could not read the printer's settings would answer defaults as if they were its.
    if (m_settings == nullptr || !m_settings->Initialize(printer)) {
        return NIRA_STATUS_FAILED;
    }
    return NIRA_STATUS_OK;
}

void CNiraOemUIPlugin::ReleaseSettingsClient()
{
    // The synchroniser must not keep the client it was pointed at.
    if (m_devModeSync != nullptr) {
        m_devModeSync->Reset();
    }
    delete m_settings;
    m_settings = nullptr;
}

void CNiraOemUIPlugin::HideDriverItems(POEMCUIPPARAM param)
{
    if (param == nullptr || param->pDrvOptItems == nullptr) {
        return;
    }
    if (IsWindowsXPOrLater()) {
        for (DWORD i = 0; i < param->cDrvOptItems; ++i) {
            param->pDrvOptItems[i].Flags |= kHiddenItemFlags;
        }
        return;
    }
    for (DWORD i = 0; i < param->cDrvOptItems; ++i) {
        const OPTITEM& item = param->pDrvOptItems[i];
        const auto* data = reinterpret_cast<const USERDATA*>(item.UserData);
        if (data == nullptr) {
            continue;
        }
        if (data->pKeyWordName != nullptr) {
            HideItemByKeyword(*m_sheetAdapter, data->pKeyWordName);
        } else if (item.DMPubID < kHiddenPublicIdLimit) {
            m_sheetAdapter->HideItemById(item.DMPubID, 0);
        }
    }
}
