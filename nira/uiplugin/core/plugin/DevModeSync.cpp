#include "nira/uiplugin/core/plugin/DevModeSync.h"

#include <string.h>
#include <winspool.h>

#include "nira/uiplugin/core/plugin/PrivateDevModeHandler.h"

#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"

namespace {

constexpr LONG kImportAsSelection = 0;
constexpr WCHAR kDefaultDevModeValue[] = TEXT("NiraDefaultDM");
constexpr WCHAR kPublicDefaultDevModeValue[] = TEXT("NiraPublicDefaultDM");
// The public fields a stored public default sets, whether or not they were zero.
constexpr DWORD kDefaultPublicFields =
    DM_ORIENTATION | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_DUPLEX | DM_ICMMETHOD | DM_ICMINTENT | DM_MEDIATYPE;

// A printer-data value read whole into the buffer: exactly `size` bytes.
bool ReadExactly(HANDLE printer, LPCWSTR name, void* buffer, DWORD size)
{
    DWORD type = 0;
    DWORD needed = 0;
    return GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, static_cast<LPBYTE>(buffer), size,
                           &needed) == ERROR_SUCCESS &&
           type == REG_BINARY && needed == size;
}

// The stored default section over the one the handler made; its header written again.
void TakeStoredSection(HANDLE printer, PrivateDevMode* section)
{
    PrivateDevMode stored;
    if (!ReadExactly(printer, kDefaultDevModeValue, &stored, sizeof(stored))) {
        return;
    }
    memcpy(section, &stored, sizeof(stored));
    section->size = kPrivateDevmodeSize;
    section->signature = kPrivateDevmodeSignature;
    section->version = kPrivateDevmodeVersion;
    section->sectionGuid = kPrivateDevmodeGuid;
}

// The stored public defaults: each non-zero field over the core driver's default.
void TakeStoredPublicFields(HANDLE printer, DEVMODEW* devMode)
{
    DEVMODEW stored;
    if (!ReadExactly(printer, kPublicDefaultDevModeValue, &stored, sizeof(stored))) {
        return;
    }
    auto take = [](auto& field, auto value) {
        if (value != 0) {
            field = value;
        }
    };
    take(devMode->dmPaperSize, stored.dmPaperSize);
    take(devMode->dmDefaultSource, stored.dmDefaultSource);
    take(devMode->dmDuplex, stored.dmDuplex);
    take(devMode->dmMediaType, stored.dmMediaType);
    take(devMode->dmICMIntent, stored.dmICMIntent);
    take(devMode->dmICMMethod, stored.dmICMMethod);
    take(devMode->dmOrientation, stored.dmOrientation);
    devMode->dmFields |= kDefaultPublicFields;
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

void CNiraDevModeSync::SetClient(CNiraSettingsClient* client)
{
    if (client != nullptr) {
        m_client = client;
    }
}

void CNiraDevModeSync::Reset()
{
    m_client = nullptr;
    m_target = nullptr;
}

BOOLEAN CNiraDevModeSync::SetTarget(DEVMODEW* devMode)
{
    if (devMode == nullptr) {
        return FALSE;
    }
    m_target = devMode;
    return TRUE;
}

HRESULT CNiraDevModeSync::DevMode(DWORD mode, POEMDMPARAM param)
{
    CNiraPrivateDevModeHandler handler;
    const HRESULT result = handler.HandleDevMode(mode, param);
    if (FAILED(result)) {
        return result;
    }
    if (mode == OEMDM_DEFAULT && param->pOEMDMOut != nullptr) {
        TakeStoredSection(param->hPrinter, static_cast<PrivateDevMode*>(param->pOEMDMOut));
    }
    if (mode == OEMDM_DEFAULT && param->pPublicDMIn != nullptr) {
        TakeStoredPublicFields(param->hPrinter, param->pPublicDMIn);
    }
    if (param->pPublicDMOut != nullptr) {
        m_target = param->pPublicDMOut;
    }
    return S_OK;
}

BOOLEAN CNiraDevModeSync::StoreDefaults(PrivateDevMode* section, CNiraUICore* core)
{
    CNiraUISettings* settings = UISettingsOf(core);
    if (section == nullptr || m_client == nullptr || settings == nullptr) {
        return FALSE;
    }
    return m_client->CopyFromUISettings(settings, 1) && m_client->SavePrivateBlock(section);
}

BOOLEAN CNiraDevModeSync::SaveToSection(PrivateDevMode* section, CNiraUICore* core)
{
    CNiraUISettings* settings = UISettingsOf(core);
    if (section == nullptr || m_client == nullptr || settings == nullptr) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start SnapshotSettings Sync"));
    BOOLEAN copied = m_client->CopyFromUISettings(settings, 0);
    OutputDebugStringW(TEXT("End Snapshot-Settings Sync"));
    if (!copied) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start Devmode-Settings Sync"));
    BOOLEAN saved = m_client->SavePrivateBlock(section);
    OutputDebugStringW(TEXT("End Devmode-Settings Sync"));
    return saved;
}

BOOLEAN CNiraDevModeSync::LoadFromSection(DEVMODEW* devMode, PrivateDevMode* section, CNiraUICore* core,
                                          LONG mode)
{
    CNiraUISettings* settings = UISettingsOf(core);
    if (devMode == nullptr || section == nullptr || m_client == nullptr || settings == nullptr ||
        !m_client->LoadPrivateBlock(section)) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start Export to Snapshot from Settings Sync"));
    BOOLEAN copied = m_client->CopyToUISettings(settings, mode);
    OutputDebugStringW(TEXT("End Export to Snapshot from Settings Sync"));
    if (copied) {
        m_target = devMode;
    }
    return copied;
}

BOOLEAN CNiraDevModeSync::UnpackSection(PrivateDevMode* section)
{
    return section != nullptr && m_client != nullptr && m_client->LoadPrivateBlock(section);
}

BOOLEAN CNiraDevModeSync::PackSection(PrivateDevMode* section)
{
    return section != nullptr && m_client != nullptr && m_client->SavePrivateBlock(section);
}

BOOLEAN CNiraDevModeSync::CopySettingsToUI(CNiraUICore* core)
{
    CNiraUISettings* settings = UISettingsOf(core);
    if (m_client == nullptr || settings == nullptr) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start Export to Snapshot from Settings Sync (DocEvent)"));
    BOOLEAN copied = m_client->CopyToUISettings(settings, kImportAsSelection);
    OutputDebugStringW(TEXT("End Export to Snapshot from Settings Sync (DocEvent)"));
    return copied;
}

BOOLEAN CNiraDevModeSync::TargetDiffers()
{
    return m_client != nullptr && m_target != nullptr && m_client->DevModeDiffers(m_target);
}
