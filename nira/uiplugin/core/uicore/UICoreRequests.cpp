// The requests that need the driver state but show no user interface: document events, device
// capabilities, the colour profile and the PrintTicket conversions.
#include "nira/uiplugin/core/uicore/UICore.h"

#include <strsafe.h>
#include <winddiui.h>

#include "common/NiraStatus.h"
#include "printticket/XDGuard.h"
#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

namespace {

// What a handler answers when the ticket holds none of its features: no failure.
constexpr int kFeatureNotFound = static_cast<int>(0x80070490);

// Every handler has its turn; the first failure is the answer, so that a later handler's success
// does not hide an earlier one's lost feature.
int FirstFailure(int status, int answer)
{
    return status != 0 || answer == kFeatureNotFound ? status : answer;
}

// A handler's ticket call; a document that could not be opened on the ticket throws, and that
// failure is its answer.
template <class Call>
int Guarded(Call call)
{
    return static_cast<int>(XDGuarded([&] { return static_cast<HRESULT>(call()); }));
}

constexpr INT kLastPrinterSetupEscape = 4;  // escapes 1 to 4: create-DC and reset-DC, pre and post
constexpr int kColorProfileOption = 1;
constexpr size_t kProfileNameChars = 260;

struct CapabilityFeature {
    WORD capability;
    int featureId;
};

// The feature whose handler answers each DeviceCapabilities index.
constexpr CapabilityFeature kCapabilityFeatures[] = {
    {DC_PAPERS, FEATURE_PAPER_SIZE},
    {DC_PAPERSIZE, FEATURE_PAPER_SIZE},
    {DC_PAPERNAMES, FEATURE_PAPER_SIZE},
    {DC_MEDIATYPENAMES, FEATURE_MEDIA_TYPE},
    {DC_MEDIATYPES, FEATURE_MEDIA_TYPE},
    {DC_BINS, FEATURE_INPUT_BIN},
    {DC_BINNAMES, FEATURE_INPUT_BIN},
    {DC_DUPLEX, FEATURE_DUPLEX_UNIT},
    {DC_ENUMRESOLUTIONS, FEATURE_RESOLUTION},
    {DC_COPIES, FEATURE_COPIES},
    {DC_COLLATE, FEATURE_COLLATE},
};

// The features the colour profile depends on, put into the filter in this order.
constexpr int kColorProfileFeatures[] = {FEATURE_INPUT_COLOR_SPACE, FEATURE_MEDIA_TYPE, 4304,
                                         FEATURE_ICM_METHOD,        FEATURE_ICM_INTENT, FEATURE_ICC_PROFILE};

int FeatureOfCapability(WORD capability)
{
    for (const CapabilityFeature& entry : kCapabilityFeatures) {
        if (entry.capability == capability) {
            return entry.featureId;
        }
    }
    return 0;
}

}  // namespace

int CNiraUICore::DocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize,
                               PVOID out, PINT result, CNiraDocEventHandler* docEvents, DEVMODEW* devMode)
{
    OutputDebugStringW(TEXT("DocEvent Start"));
    if (escape >= 1 && escape <= kLastPrinterSetupEscape) {
        if (m_printerAccess == nullptr) {
            m_printerAccess = new CNiraPrinterAccess(printer);
        }
        m_printerAccess->FindDriverIni(FALSE);
        LoadConstraints(CONSTRAINT_MODE_QUIET);
        if (ConstructDriverState(printer, docEvents) == 0) {
            ForEachHandler([&](INiraFeatureHandler* handler) {
                handler->OnDocumentEvent(printer, dc, escape, inSize, in, outSize, out, result, devMode);
                return true;
            });
        }
    }
    OutputDebugStringW(TEXT("DocEvent End"));
    if (result != nullptr) {
        *result = DOCUMENTEVENT_SUCCESS;
    }
    return 0;
}

HRESULT CNiraUICore::DeviceCapabilities(POEMUIOBJ, HANDLE printer, PWSTR deviceName, WORD capability,
                                        PVOID output, DEVMODEW* publicDevMode, PVOID privateDevMode,
                                        DWORD oldResult, DWORD* result)
{
    m_deviceCapsMode = 1;
    OutputDebugStringW(TEXT("DevCaps Start"));
    int featureId = FeatureOfCapability(capability);
    HRESULT answer = S_OK;
    if (featureId != 0) {
        AddFeatureFilter(featureId);
        if (ConstructDriverState(printer, nullptr) == 0) {
            ForEachHandler([&](INiraFeatureHandler* handler) {
                int handled = 0;
                answer = handler->DeviceCapabilities(printer, deviceName, capability, output, publicDevMode,
                                                     privateDevMode, oldResult, result, &handled);
                return handled == 0;
            });
        }
    }
    OutputDebugStringW(TEXT("DevCaps End"));
    return answer;
}

HRESULT CNiraUICore::QueryColorProfile(HANDLE printer, POEMUIOBJ uiObject, DEVMODEW* publicDevMode,
                                       PVOID privateDevMode, ULONG queryMode, VOID* profileData,
                                       ULONG* profileSize, ULONG* profileFlags, CNiraOemUIPlugin* plugin)
{
    m_colorProfileMode = 1;
    if (printer == INVALID_HANDLE_VALUE || uiObject == nullptr || uiObject->pOemUIProcs == nullptr ||
        publicDevMode == nullptr || privateDevMode == nullptr || queryMode != QCP_DEVICEPROFILE ||
        profileSize == nullptr || profileFlags == nullptr) {
        return E_FAIL;
    }
    if (plugin != nullptr) {
        m_plugin = plugin;
    }
    LoadConstraints(CONSTRAINT_MODE_QUIET);
    m_colorPublicDevMode = publicDevMode;
    m_colorPrivateDevMode = privateDevMode;
    for (int featureId : kColorProfileFeatures) {
        AddFeatureFilter(featureId);
    }
    int built = ConstructDriverState(printer, nullptr);
    // The DEVMODEs are the caller's: nothing may reach them after this request.
    m_colorPublicDevMode = nullptr;
    m_colorPrivateDevMode = nullptr;
    if (built != 0 || m_settings == nullptr) {
        return S_OK;
    }
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return S_OK;
    }
    HRESULT answer = S_OK;
    size_t length = 0;
    if (m_settings->GetOptionInfo(FEATURE_ICC_PROFILE, kColorProfileOption, info) == 0 &&
        SUCCEEDED(StringCchLengthW(info->displayName, kProfileNameChars, &length)) && length > 0) {
        ULONG needed = static_cast<ULONG>((length + 1) * sizeof(WCHAR));
        if (profileData == nullptr || *profileSize < needed) {
            *profileSize = needed;
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            answer = E_FAIL;
        } else {
            CopyMemory(profileData, info->displayName, needed);
            *profileFlags = QCP_PROFILEDISK;
        }
    }
    LocalFree(info);
    return answer;
}

int CNiraUICore::PrintTicketToSettings(IXMLDOMDocument2* ticket)
{
    LoadConstraints(CONSTRAINT_MODE_QUIET);
    int status = 0;
    ForEachHandler([&](INiraFeatureHandler* handler) {
        BackupSettings(FEATURE_ALL, 1);
        if (m_constraintEngine != nullptr) {
            m_constraintEngine->ClearOptionLimits();
        }
        m_changeDepth = 0;
        status = FirstFailure(status, Guarded([&] { return handler->ReadPrintTicket(ticket); }));
        int reverted = 0;
        ResolveConflicts(FEATURE_ALL, &reverted, 1, 1);
        return true;
    });
    return status;
}

int CNiraUICore::SettingsToPrintTicket(IXMLDOMDocument2* ticket)
{
    int status = 0;
    ForEachHandler([&](INiraFeatureHandler* handler) {
        status = FirstFailure(status, Guarded([&] { return handler->WritePrintTicket(ticket); }));
        return true;
    });
    return status;
}

int CNiraUICore::CompletePrintCapabilities(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities)
{
    int status = 0;
    ForEachHandler([&](INiraFeatureHandler* handler) {
        status = FirstFailure(status,
                              Guarded([&] { return handler->WritePrintCapabilities(ticket, capabilities); }));
        return true;
    });
    return status;
}
