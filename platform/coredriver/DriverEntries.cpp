// The core driver UI module's entries, as the spooler, GDI and the common property sheets call
// them: each opens an instance on the printer and forwards to the plug-in as the core driver does.
// The test control's entry opens an instance that a test drives.
#include <printoem.h>
#include <winddiui.h>
#include <winspool.h>

#include <stddef.h>
#include <string.h>

#include <memory>

#include "CoreInstance.h"

using nirasim::CoreDriverInstance;
using nirasim::coredriver::CoreInstance;

namespace {

constexpr DWORD kGdiError = 0xFFFFFFFF;
constexpr LONG kSheetFailure = -1;
constexpr LONG kSheetSuccess = 1;
// DocumentProperties modes of DOCUMENTPROPERTYHEADER.fMode.
constexpr DWORD kOutBuffer = 2;
constexpr DWORD kInBuffer = 8;

// The public fields of a caller's DEVMODE that its dmFields names and its size holds, over ours.
void MergePublicFields(const DEVMODEW& in, DEVMODEW* out)
{
    struct Field {
        DWORD bit;
        size_t offset;
        size_t size;
    };
    const Field fields[] = {
        {DM_ORIENTATION, offsetof(DEVMODEW, dmOrientation), sizeof(short)},
        {DM_PAPERSIZE, offsetof(DEVMODEW, dmPaperSize), sizeof(short)},
        {DM_PAPERLENGTH, offsetof(DEVMODEW, dmPaperLength), sizeof(short)},
        {DM_PAPERWIDTH, offsetof(DEVMODEW, dmPaperWidth), sizeof(short)},
        {DM_COPIES, offsetof(DEVMODEW, dmCopies), sizeof(short)},
        {DM_DEFAULTSOURCE, offsetof(DEVMODEW, dmDefaultSource), sizeof(short)},
        {DM_PRINTQUALITY, offsetof(DEVMODEW, dmPrintQuality), sizeof(short)},
        {DM_DUPLEX, offsetof(DEVMODEW, dmDuplex), sizeof(short)},
        {DM_YRESOLUTION, offsetof(DEVMODEW, dmYResolution), sizeof(short)},
        {DM_COLLATE, offsetof(DEVMODEW, dmCollate), sizeof(short)},
        {DM_ICMMETHOD, offsetof(DEVMODEW, dmICMMethod), sizeof(DWORD)},
        {DM_ICMINTENT, offsetof(DEVMODEW, dmICMIntent), sizeof(DWORD)},
        {DM_MEDIATYPE, offsetof(DEVMODEW, dmMediaType), sizeof(DWORD)},
    };
    if (in.dmSize < offsetof(DEVMODEW, dmFields) + sizeof(in.dmFields)) {
        return;
    }
    for (const Field& field : fields) {
        if ((in.dmFields & field.bit) != 0 && field.offset + field.size <= in.dmSize) {
            memcpy(reinterpret_cast<BYTE*>(out) + field.offset,
                   reinterpret_cast<const BYTE*>(&in) + field.offset, field.size);
            out->dmFields |= field.bit;
        }
    }
}

// The DEVMODE a DocumentProperties call asks for: the default, with a caller's DEVMODE merged.
LONG DocumentProperties(DOCUMENTPROPERTYHEADER* header)
{
    CoreInstance instance(header->hPrinter);
    const nirasim::DevModeAnswer defaults = instance.DefaultDevMode();
    // A plug-in that cannot be started or cannot size or fill its section fails the request, as
    // the core driver cannot load it: a DEVMODE without the section would be of another size than
    // the next call's.
    if (instance.PluginMissing() ||
        (instance.Plugin() != nullptr && (FAILED(defaults.sizeResult) || FAILED(defaults.defaultResult)))) {
        SetLastError(ERROR_INVALID_DATA);
        return kSheetFailure;
    }
    std::vector<BYTE> devMode = defaults.devMode;
    if (!(header->fMode & kOutBuffer) || header->pdmOut == nullptr) {
        return static_cast<LONG>(devMode.size());
    }
    if ((header->fMode & kInBuffer) && header->pdmIn != nullptr) {
        const auto* in = reinterpret_cast<const BYTE*>(header->pdmIn);
        std::vector<BYTE> merged;
        if (SUCCEEDED(instance.ConvertDevMode(
                OEMDM_MERGE, std::vector<BYTE>(in, in + header->pdmIn->dmSize + header->pdmIn->dmDriverExtra),
                merged))) {
            devMode = merged;
        }
        MergePublicFields(*header->pdmIn, reinterpret_cast<DEVMODEW*>(devMode.data()));
    }
    if (header->cbOut < devMode.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return kSheetFailure;
    }
    memcpy(header->pdmOut, devMode.data(), devMode.size());
    return IDOK;
}

// The sheets of one property-sheet session keep their instance in the request's user data.
LONG PropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, bool document)
{
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        HANDLE printer = document ? reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info->lParamInit)->hPrinter
                                  : reinterpret_cast<DEVICEPROPERTYHEADER*>(info->lParamInit)->hPrinter;
        auto* instance = new CoreInstance(printer);
        info->UserData = reinterpret_cast<ULONG_PTR>(instance);
        instance->CommonUIProp(document ? OEMCUIP_DOCPROP : OEMCUIP_PRNPROP, 0);
    }
    auto* instance = reinterpret_cast<CoreInstance*>(info->UserData);
    if (instance == nullptr || instance->Plugin() == nullptr) {
        return kSheetFailure;
    }
    OEMUIPSPARAM sheetParam;
    memset(&sheetParam, 0, sizeof(sheetParam));
    sheetParam.cbSize = sizeof(OEMUIPSPARAM);
    sheetParam.poemuiobj = instance->UIObject();
    sheetParam.hPrinter = instance->Printer();
    PROPSHEETUI_INFO pluginInfo = *info;
    pluginInfo.lParamInit = reinterpret_cast<LPARAM>(&sheetParam);
    const HRESULT result = document ? instance->Plugin()->DocumentPropertySheets(&pluginInfo, lParam)
                                    : instance->Plugin()->DevicePropertySheets(&pluginInfo, lParam);
    info->Result = pluginInfo.Result;
    if (info->Reason == PROPSHEETUI_REASON_DESTROY) {
        delete instance;
        info->UserData = 0;
    }
    return SUCCEEDED(result) ? kSheetSuccess : kSheetFailure;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) CoreDriverInstance* WINAPI NiraSimOpenCoreDriver(LPCWSTR printerName)
{
    return new CoreInstance(printerName);
}

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    if (pPSUIInfo == nullptr) {
        auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam);
        return header != nullptr ? DocumentProperties(header) : kSheetFailure;
    }
    return PropertySheets(pPSUIInfo, lParam, true);
}

LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    return pPSUIInfo != nullptr ? PropertySheets(pPSUIInfo, lParam, false) : kSheetFailure;
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap, void* pvOutput,
                                   DEVMODEW* pDevMode)
{
    CoreInstance instance(hPrinter);
    DWORD result = kGdiError;
    if (instance.Plugin() == nullptr ||
        FAILED(instance.Plugin()->DeviceCapabilities(instance.UIObject(), hPrinter, pDeviceName, iDevCap,
                                                     pvOutput, pDevMode, instance.PluginSection(pDevMode),
                                                     kGdiError, &result))) {
        return kGdiError;
    }
    return result;
}

int WINAPI DrvDocumentEvent(HANDLE hPrinter, HDC hdc, int iEsc, ULONG cbIn, PVOID pvIn, ULONG cbOut,
                            PVOID pvOut)
{
    CoreInstance instance(hPrinter);
    INT result = DOCUMENTEVENT_UNSUPPORTED;
    if (instance.Plugin() == nullptr ||
        FAILED(instance.Plugin()->DocumentEvent(hPrinter, hdc, iEsc, cbIn, pvIn, cbOut, pvOut, &result))) {
        return DOCUMENTEVENT_UNSUPPORTED;
    }
    return result;
}

BOOL WINAPI DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD Flags, LPARAM lParam)
{
    CoreInstance instance(pPrinterName);
    return instance.Plugin() != nullptr &&
           SUCCEEDED(instance.Plugin()->PrinterEvent(pPrinterName, DriverEvent, Flags, lParam));
}

BOOL WINAPI DrvDriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo, LPARAM lParam)
{
    constexpr DWORD kDependentFilesLevel = 3;
    if (pDriverInfo == nullptr || dwLevel < kDependentFilesLevel) {
        return TRUE;  // the core driver's own part of the event needs nothing more
    }
    auto instance =
        CoreInstance::ForDependentFiles(reinterpret_cast<DRIVER_INFO_3W*>(pDriverInfo)->pDependentFiles);
    return instance->Plugin() == nullptr ||
           SUCCEEDED(instance->Plugin()->DriverEvent(dwDriverEvent, dwLevel, pDriverInfo, lParam));
}

// The plug-in's answer (it may not implement the upgrade) does not fail the core driver's own.
BOOL WINAPI DrvUpgradePrinter(DWORD Level, LPBYTE pDriverUpgradeInfo)
{
    const auto* info = reinterpret_cast<DRIVER_UPGRADE_INFO_1W*>(pDriverUpgradeInfo);
    if (info == nullptr || info->pPrinterName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CoreInstance instance(info->pPrinterName);
    if (instance.Plugin() != nullptr) {
        instance.Plugin()->UpgradePrinter(Level, pDriverUpgradeInfo);
    }
    return TRUE;
}

BOOL WINAPI DrvQueryColorProfile(HANDLE hPrinter, DEVMODEW* pdevmode, ULONG ulQueryMode, void* pvProfileData,
                                 ULONG* pcbProfileData, ULONG* pflProfileData)
{
    CoreInstance instance(hPrinter);
    return instance.Plugin() != nullptr &&
           SUCCEEDED(instance.Plugin()->QueryColorProfile(hPrinter, instance.UIObject(), pdevmode,
                                                          instance.PluginSection(pdevmode), ulQueryMode,
                                                          pvProfileData, pcbProfileData, pflProfileData));
}

BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, DEVMODEW* pdmIn, DEVMODEW* pdmOut, LONG* pcbNeeded,
                              DWORD fMode)
{
    if (pcbNeeded == nullptr || (fMode != CDM_DRIVER_DEFAULT && fMode != CDM_CONVERT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CoreInstance instance(pPrinterName);
    std::vector<BYTE> devMode = instance.DefaultDevMode().devMode;
    if (fMode == CDM_CONVERT) {
        if (pdmIn == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const auto* in = reinterpret_cast<const BYTE*>(pdmIn);
        std::vector<BYTE> converted;
        if (FAILED(instance.ConvertDevMode(OEMDM_CONVERT,
                                           std::vector<BYTE>(in, in + pdmIn->dmSize + pdmIn->dmDriverExtra),
                                           converted))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        devMode = converted;
    }
    const LONG size = static_cast<LONG>(devMode.size());
    if (pdmOut == nullptr || *pcbNeeded < size) {
        *pcbNeeded = size;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(pdmOut, devMode.data(), devMode.size());
    *pcbNeeded = size;
    return TRUE;
}

// A plug-in that does not check jobs leaves every job printable.
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo)
{
    if (pDQPInfo == nullptr) {
        return FALSE;
    }
    CoreInstance instance(pDQPInfo->hPrinter);
    if (instance.Plugin() == nullptr) {
        return TRUE;
    }
    const HRESULT result = instance.Plugin()->DevQueryPrintEx(
        instance.UIObject(), pDQPInfo, pDQPInfo->pDevMode, instance.PluginSection(pDQPInfo->pDevMode));
    return result == E_NOTIMPL || SUCCEEDED(result);
}

}  // extern "C"
