// The plug-in object's PrintTicket provider: every conversion builds the driver state, moves the
// settings between the private section and the UI settings, and lets each feature handler read or
// write its features; the whole private section also travels in the ticket as its snapshot.
#include "nira/uiplugin/core/plugin/OemUIPlugin.h"

#include <oleauto.h>
#include <string.h>

#include "common/NiraException.h"
#include "common/NiraStatus.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/PrintTicketSnapshot.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uicore/UICore.h"

namespace {

constexpr INT kProviderVersion = 1;
constexpr HRESULT kVersionNotSupported = static_cast<HRESULT>(0x80040001L);
constexpr HRESULT kNoConflict = static_cast<HRESULT>(0x00040001L);
// Smaller DEVMODEs and private areas cannot hold what the conversions read and write.
constexpr ULONG kSmallestDevMode = sizeof(DEVMODEW);
constexpr ULONG kSmallestPrivateArea = sizeof(PrivateDevMode);

// A handler status (0, a failure HRESULT, or another failure status) as an HRESULT.
HRESULT StatusResult(int status)
{
    if (status == 0) {
        return S_OK;
    }
    return FAILED(static_cast<HRESULT>(status)) ? static_cast<HRESULT>(status) : E_FAIL;
}

// The snapshot a ticket carries replaces the section only when it is an intact section of this
// driver: a ticket may come from anywhere, and a damaged section copied in would leave the DEVMODE
// without valid settings once the ticket's features are packed over it.
HRESULT RestoreSnapshot(CNiraPrintTicketSnapshot& snapshot, IXMLDOMDocument2* ticket, ULONG devModeSize,
                        DEVMODEW* devMode, ULONG privateSize, PVOID privateDevMode)
{
    auto* scratch = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, privateSize));
    if (scratch == nullptr) {
        return E_OUTOFMEMORY;
    }
    memcpy(scratch, privateDevMode, privateSize);
    const HRESULT result = snapshot.ReadSnapshot(ticket, devModeSize, devMode, privateSize, scratch);
    if (result == S_OK && IsIntactPrivateDevMode(reinterpret_cast<const PrivateDevMode*>(scratch))) {
        memcpy(privateDevMode, scratch, privateSize);
    }
    LocalFree(scratch);
    return result;
}

HRESULT CheckConversion(const void* devMode, const void* privateDevMode, const void* ticket,
                        ULONG devModeSize, ULONG privateSize)
{
    if (devMode == nullptr || privateDevMode == nullptr || ticket == nullptr) {
        return E_NOTIMPL;
    }
    return devModeSize < kSmallestDevMode || privateSize < kSmallestPrivateArea ? E_INVALIDARG : S_OK;
}

}  // namespace

STDMETHODIMP CNiraOemUIPlugin::GetSupportedVersions(HANDLE, INT* versions[], INT* count)
{
    if (versions == nullptr || count == nullptr) {
        return E_NOTIMPL;
    }
    *count = 0;
    *versions = static_cast<INT*>(CoTaskMemAlloc(sizeof(INT)));
    if (*versions == nullptr) {
        return E_OUTOFMEMORY;
    }
    (*versions)[0] = kProviderVersion;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CNiraOemUIPlugin::BindPrinter(HANDLE printer, INT version, POEMPTOPTS options,
                                           INT* namespaceCount, BSTR** namespaces)
{
    if (printer == nullptr || options == nullptr || namespaceCount == nullptr || namespaces == nullptr) {
        return E_NOTIMPL;
    }
    *namespaces = nullptr;
    *namespaceCount = 0;
    if (version != kProviderVersion) {
        return kVersionNotSupported;
    }
    m_printer = printer;
    if (FAILED(StartConversion())) {
        return E_FAIL;
    }
    const HRESULT result = m_ptSnapshot != nullptr ? S_OK : E_NOTIMPL;
    // The plug-in carries its section itself: the core driver adds no snapshot of its own.
    options->dwFlags = OEMPT_NOSNAPSHOT;
    *namespaceCount = 1;
    *namespaces = static_cast<BSTR*>(CoTaskMemAlloc(sizeof(BSTR)));
    if (*namespaces != nullptr) {
        (*namespaces)[0] = SysAllocString(m_namespaceUri);
    }
    return result;
}

STDMETHODIMP CNiraOemUIPlugin::PublishPrintTicketHelperInterface(IUnknown* helper)
{
    if (helper == nullptr || m_coreHelper != nullptr) {
        return E_NOTIMPL;
    }
    const HRESULT result =
        helper->QueryInterface(IID_IPrintCoreHelper, reinterpret_cast<void**>(&m_coreHelper));
    if (FAILED(result)) {
        m_coreHelper = nullptr;
    }
    return result == E_NOINTERFACE ? S_OK : result;
}

// The namespace is handed out by BindPrinter only: a copy here would have no owner.
STDMETHODIMP CNiraOemUIPlugin::QueryDeviceDefaultNamespace(BSTR*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CNiraOemUIPlugin::ConvertPrintTicketToDevMode(IXMLDOMDocument2* ticket, ULONG devModeSize,
                                                           DEVMODEW* devMode, ULONG privateSize,
                                                           PVOID privateDevMode)
{
    const HRESULT checked = CheckConversion(devMode, privateDevMode, ticket, devModeSize, privateSize);
    if (checked != S_OK) {
        return checked;
    }
    if (FAILED(StartConversion())) {
        return E_FAIL;
    }
    auto* section = static_cast<PrivateDevMode*>(privateDevMode);
    HRESULT result = S_OK;
    if (m_ptSnapshot != nullptr) {
        // A snapshot that could not be read would leave the section's older values in place.
        result = RestoreSnapshot(*m_ptSnapshot, ticket, devModeSize, devMode, privateSize, privateDevMode);
        if (FAILED(result)) {
            return result;
        }
    }
    if (m_core == nullptr) {
        return result;
    }
    if (m_devModeSync != nullptr && !LoadSection(devMode, section, 0)) {
        return E_FAIL;
    }
    result = StatusResult(m_core->PrintTicketToSettings(ticket));
    if (FAILED(result)) {
        return result;
    }
    if (m_devModeSync != nullptr) {
        // The settings were packed into the section, or the call failed.
        result = m_devModeSync->SaveToSection(section, m_core) ? S_OK : E_FAIL;
    }
    return result;
}

STDMETHODIMP CNiraOemUIPlugin::ConvertDevModeToPrintTicket(ULONG devModeSize, DEVMODEW* devMode,
                                                           ULONG privateSize, PVOID privateDevMode,
                                                           IXMLDOMDocument2* ticket)
{
    const HRESULT checked = CheckConversion(devMode, privateDevMode, ticket, devModeSize, privateSize);
    if (checked != S_OK) {
        return checked;
    }
    if (FAILED(StartConversion())) {
        return E_FAIL;
    }
    HRESULT result = S_OK;
    if (m_ptSnapshot != nullptr) {
        result = m_ptSnapshot->WriteSnapshot(devModeSize, devMode, privateSize, privateDevMode, ticket);
        if (FAILED(result)) {
            return result;
        }
    }
    if (m_devModeSync != nullptr && m_core != nullptr) {
        if (!LoadSection(devMode, static_cast<PrivateDevMode*>(privateDevMode), 1)) {
            return E_FAIL;
        }
        result = StatusResult(m_core->SettingsToPrintTicket(ticket));
    }
    return result;
}

STDMETHODIMP CNiraOemUIPlugin::CompletePrintCapabilities(IXMLDOMDocument2* ticket,
                                                         IXMLDOMDocument2* capabilities)
{
    if (capabilities == nullptr) {
        return S_OK;
    }
    if (FAILED(StartConversion())) {
        return E_FAIL;
    }
    HRESULT result = S_OK;
    if (m_ptSnapshot != nullptr) {
        result = m_ptSnapshot->WriteSnapshotDef(ticket, capabilities);
        if (FAILED(result)) {
            return result;
        }
    }
    if (m_core != nullptr) {
        result = StatusResult(m_core->CompletePrintCapabilities(ticket, capabilities));
    }
    return result;
}

STDMETHODIMP CNiraOemUIPlugin::ExpandIntentOptions(IXMLDOMDocument2*)
{
    return S_OK;
}

// Conflicts are resolved as tickets are converted: nothing is left to find here.
STDMETHODIMP CNiraOemUIPlugin::ValidatePrintTicket(IXMLDOMDocument2*)
{
    return kNoConflict;
}

// The section's settings into the UI settings. A section that fails its checks leaves the
// defaults, as before; one that passes them but cannot be loaded is a failure.
bool CNiraOemUIPlugin::LoadSection(DEVMODEW* devMode, PrivateDevMode* section, LONG mode)
{
    return m_devModeSync->LoadFromSection(devMode, section, m_core, mode) || !HasValidPrivateDevMode(devMode);
}

HRESULT CNiraOemUIPlugin::StartConversion()
{
    try {
        if (m_printer != nullptr) {
            CreateHelpers(m_printer);
            if (m_core != nullptr && m_core->ConstructDriverState(m_printer, nullptr) != 0) {
                return E_FAIL;
            }
            if (EnsureSettingsClient(m_printer) != NIRA_STATUS_OK) {
                return E_FAIL;
            }
        }
        if (m_devModeSync != nullptr) {
            m_devModeSync->SetClient(m_settings);
        }
    } catch (const CNiraException&) {
        return E_FAIL;
    }
    return S_OK;
}
