// The plug-in object's document and printer events: the slots forward to the document-event
// handler; at printer initialisation the object also records the install date and the component
// paths, runs the device-model capture and stores the printer's default DEVMODEs.
#include "nira/uiplugin/core/plugin/OemUIPlugin.h"

#include <string.h>
#include <strsafe.h>
#include <winddiui.h>
#include <winspool.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/DocEventHandler.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcHandler.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcHandlerFactory.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"

namespace {

constexpr WCHAR kDmcConfigKey[] = TEXT("NIRA_DMC_CONFIG_FILE");
constexpr WCHAR kSettingApiKey[] = TEXT("PRINTER_SETTING_API");
constexpr WCHAR kUIPluginKey[] = TEXT("NIRA_UI_PLUGIN");
constexpr WCHAR kSettingApiValue[] = TEXT("PrinterSettingAPIModule");
constexpr WCHAR kUIPluginValue[] = TEXT("PrinterUIPlugIn");
constexpr WCHAR kDmcUpdateValue[] = TEXT("DMCUPDATE");
constexpr WCHAR kDefaultDevModeValue[] = TEXT("NiraDefaultDM");
constexpr WCHAR kPublicDefaultDevModeValue[] = TEXT("NiraPublicDefaultDM");
constexpr size_t kInstallDateChars = 32;
// The feature whose presence asks for the device-model capture at initialisation.
constexpr int kDmcCaptureFeature = 4312;
constexpr int kDmcCaptureRequest = 3;
constexpr int kDmcSnapshotRequest = 10;
constexpr DWORD kDmcUpdated = 1;
// The public default records the print quality as this fixed value.
constexpr short kDefaultPrintQuality = 300;

static_assert(sizeof(DEVMODEW) == 220, "the public default DEVMODE is 220 bytes");

void WriteString(HANDLE printer, LPCWSTR name, LPCWSTR text)
{
    size_t length = 0;
    if (SUCCEEDED(StringCchLengthW(text, STRSAFE_MAX_CCH, &length))) {
        SetPrinterDataW(printer, const_cast<LPWSTR>(name), REG_SZ,
                        reinterpret_cast<LPBYTE>(const_cast<LPWSTR>(text)),
                        static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
    }
}

void WriteInstallDate(HANDLE printer)
{
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    WCHAR text[kInstallDateChars] = {};
    if (SUCCEEDED(StringCchPrintfW(text, kInstallDateChars, kPrinterDateFormat, now.wMonth, now.wDay,
                                   now.wYear, now.wHour, now.wMinute, now.wSecond))) {
        WriteString(printer, kInstallDateValue, text);
    }
}

// The public fields of the printer's defaults as the UI settings hold them at initialisation.
void FillPublicDefault(DEVMODEW& d, CNiraPrinterAccess& access, CNiraUISettings* settings)
{
    memset(&d, 0, sizeof(d));
    access.GetPrinterName(d.dmDeviceName, CCHDEVICENAME);
    d.dmDeviceName[CCHDEVICENAME - 1] = 0;
    d.dmSpecVersion = DM_SPECVERSION;
    d.dmSize = sizeof(DEVMODEW);
    if (settings == nullptr) {
        return;
    }
    constexpr int kFeatures[] = {FEATURE_PAPER_SIZE, FEATURE_PRINT_QUALITY, FEATURE_INPUT_BIN,
                                 FEATURE_DUPLEX,     FEATURE_MEDIA_TYPE,    FEATURE_ORIENTATION,
                                 FEATURE_ICM_INTENT, FEATURE_ICM_METHOD};
    for (int featureId : kFeatures) {
        int option = 0;
        int isSet = 0;
        int value = 0;
        if (settings->GetCurrentOption(featureId, &option, &isSet) != 0 ||
            settings->HandlerGetOptionValue(featureId, option, &value) != 0) {
            continue;
        }
        switch (featureId) {
        case FEATURE_PAPER_SIZE:
            d.dmPaperSize = static_cast<short>(value);
            d.dmFields |= DM_PAPERSIZE;
            break;
        case FEATURE_PRINT_QUALITY:
            d.dmPrintQuality = kDefaultPrintQuality;
            d.dmFields |= DM_PRINTQUALITY;
            break;
        case FEATURE_INPUT_BIN:
            d.dmDefaultSource = static_cast<short>(value);
            d.dmFields |= DM_DEFAULTSOURCE;
            break;
        case FEATURE_DUPLEX:
            d.dmDuplex = static_cast<short>(value);
            d.dmFields |= DM_DUPLEX;
            break;
        case FEATURE_MEDIA_TYPE:
            d.dmMediaType = static_cast<DWORD>(value);
            d.dmFields |= DM_MEDIATYPE;
            break;
        case FEATURE_ORIENTATION:
            d.dmOrientation = static_cast<short>(value);
            d.dmFields |= DM_ORIENTATION;
            break;
        case FEATURE_ICM_INTENT:
            d.dmICMIntent = static_cast<DWORD>(value);
            d.dmFields |= DM_ICMINTENT;
            break;
        default:
            d.dmICMMethod = static_cast<DWORD>(value);
            d.dmFields |= DM_ICMMETHOD;
            break;
        }
    }
}

CNiraUISettings* UISettingsOf(CNiraUICore* core)
{
    CNiraUISettings* settings = nullptr;
    if (core != nullptr) {
        core->GetSettings(&settings);
    }
    return settings;
}

}  // namespace

STDMETHODIMP CNiraOemUIPlugin::DocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in,
                                             ULONG outSize, PVOID out, PINT result)
{
    CreateHelpers(printer);
    if ((escape == DOCUMENTEVENT_CREATEDCPRE || escape == DOCUMENTEVENT_RESETDCPRE) &&
        EnsureSettingsClient(printer) == NIRA_STATUS_OK && m_devModeSync != nullptr) {
        m_devModeSync->SetClient(m_settings);
    }
    if (m_docEvents == nullptr) {
        return E_FAIL;
    }
    return m_docEvents->DocumentEvent(m_core, m_devModeSync, printer, dc, escape, inSize, in, outSize, out,
                                      result, m_coreHelper);
}

STDMETHODIMP CNiraOemUIPlugin::PrinterEvent(PWSTR printerName, INT event, DWORD flags, LPARAM lParam)
{
    CreateHelpersForPrinter(printerName);
    if (m_docEvents == nullptr) {
        return E_FAIL;
    }
    const HRESULT result =
        m_docEvents->SetupPrinter(m_core, printerName, event, flags, lParam) == 0 ? S_OK : E_FAIL;
    if (event == PRINTER_EVENT_INITIALIZE && printerName != nullptr) {
        InitializePrinterData(printerName);
    }
    return result;
}

STDMETHODIMP CNiraOemUIPlugin::UpgradePrinter(DWORD, PBYTE upgradeInfo)
{
    const auto* info = reinterpret_cast<const DRIVER_UPGRADE_INFO_1W*>(upgradeInfo);
    if (info != nullptr && info->pPrinterName != nullptr) {
        CNiraPrinterAccess access(info->pPrinterName);
        access.FindDriverIni(FALSE);
        CNiraDocEventHandler setup;
        setup.UpdatePrintProcessor(access);
        RegisterComponentPaths(access);
    }
    return E_NOTIMPL;
}

void CNiraOemUIPlugin::InitializePrinterData(LPCWSTR printerName)
{
    CNiraPrinterAccess access(printerName);
    HANDLE printer = access.GetHandle();
    CNiraUISettings* settings = UISettingsOf(m_core);
    if (settings != nullptr && settings->HasFeature(kDmcCaptureFeature) &&
        RunDmcRequest(access, kDmcCaptureRequest) == 1) {
        DWORD updated = kDmcUpdated;
        SetPrinterDataW(printer, const_cast<LPWSTR>(kDmcUpdateValue), REG_DWORD,
                        reinterpret_cast<LPBYTE>(&updated), sizeof(updated));
    }
    access.FindDriverIni(FALSE);
    RegisterComponentPaths(access);
    if (printer == nullptr) {
        return;
    }
    WriteInstallDate(printer);
    if (EnsureSettingsClient(printer) != NIRA_STATUS_OK || m_devModeSync == nullptr) {
        return;
    }
    m_devModeSync->SetClient(m_settings);
    auto* section = static_cast<PrivateDevMode*>(LocalAlloc(LPTR, sizeof(PrivateDevMode)));
    if (section != nullptr && m_devModeSync->StoreDefaults(section, m_core)) {
        SetPrinterDataW(printer, const_cast<LPWSTR>(kDefaultDevModeValue), REG_BINARY,
                        reinterpret_cast<LPBYTE>(section), sizeof(PrivateDevMode));
        DEVMODEW publicDefault;
        FillPublicDefault(publicDefault, access, settings);
        SetPrinterDataW(printer, const_cast<LPWSTR>(kPublicDefaultDevModeValue), REG_BINARY,
                        reinterpret_cast<LPBYTE>(&publicDefault), sizeof(publicDefault));
    }
    LocalFree(section);
    ReleaseSettingsClient();
}

void CNiraOemUIPlugin::RegisterComponentPaths(CNiraPrinterAccess& access)
{
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (!access.GetComponentPath(kSettingApiKey, path)) {
        return;
    }
    WriteString(access.GetHandle(), kSettingApiValue, path);
    memset(path, 0, sizeof(path));
    if (access.GetComponentPath(kUIPluginKey, path)) {
        WriteString(access.GetHandle(), kUIPluginValue, path);
    }
}

int CNiraOemUIPlugin::RunDmcRequest(CNiraPrinterAccess& access, int request)
{
    WCHAR config[CNiraPrinterAccess::kComponentValueChars] = {};
    if (!access.ReadComponentFile(config, TEXT(""), kDmcConfigKey) || config[0] == 0) {
        return 0;
    }
    int isNull = 0;
    INiraDmcHandler* handler = CNiraDmcHandlerFactory::Create(0, &isNull);
    if (handler == nullptr) {
        return 0;
    }
    static_cast<CNiraDmcHandler*>(handler)->Bind(&access, UISettingsOf(m_core));
    const int answer = request == kDmcCaptureRequest    ? handler->CaptureDeviceModel()
                       : request == kDmcSnapshotRequest ? handler->ApplySnapshot()
                                                        : 0;
    delete handler;
    return answer;
}

int CNiraOemUIPlugin::ApplyDmcSnapshot(CNiraPrinterAccess* access)
{
    return access != nullptr && RunDmcRequest(*access, kDmcSnapshotRequest) == 1 ? NIRA_STATUS_OK
                                                                                 : NIRA_STATUS_FAILED;
}
