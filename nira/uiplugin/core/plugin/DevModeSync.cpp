#include "nira/uiplugin/core/plugin/DevModeSync.h"

#include <new>

#include "nira/uiplugin/core/plugin/PrivateDevModeHandler.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"

#include <winspool.h>

namespace {

// The public fields that a stored public default brings, whether or not it holds them.
constexpr DWORD kStoredDefaultFields =
    DM_ORIENTATION | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_DUPLEX | DM_ICMMETHOD | DM_ICMINTENT | DM_MEDIATYPE;
static_assert(kStoredDefaultFields == 0x3801203, "the stored default's fields");

constexpr BYTE kCurrentOptions = 0;
constexpr BYTE kDefaultOptions = 1;

CNiraUISettings* SettingsOf(CNiraUICore* core)
{
    CNiraUISettings* settings = nullptr;
    if (core != nullptr) {
        core->GetSettings(&settings);
    }
    return settings;
}

// Reads a REG_BINARY printer-data value of exactly the size asked for; anything else leaves the
// target as it was.
// How a stored default was read: taken, absent (or of another form: not trusted), or not read.
enum class StoredRead { kTaken, kAbsent, kFailed };

StoredRead ReadStoredValue(HANDLE printer, const WCHAR* name, void* data, DWORD size)
{
    auto* buffer = static_cast<BYTE*>(LocalAlloc(LPTR, size));
    if (buffer == nullptr) {
        return StoredRead::kFailed;
    }
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD status = GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, buffer, size, &needed);
    const bool exact = status == ERROR_SUCCESS && type == REG_BINARY && needed == size;
    if (exact) {
        CopyMemory(data, buffer, size);
    }
    LocalFree(buffer);
    if (exact) {
        return StoredRead::kTaken;
    }
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_MORE_DATA
               ? StoredRead::kAbsent
               : StoredRead::kFailed;
}

void CopyIfSet(short* field, short stored)
{
    if (stored != 0) {
        *field = stored;
    }
}

void CopyIfSet(DWORD* field, DWORD stored)
{
    if (stored != 0) {
        *field = stored;
    }
}

}  // namespace

CNiraDevModeSync::CNiraDevModeSync() : m_client(nullptr), m_target(nullptr) {}

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
    auto* handler = new (std::nothrow) CNiraPrivateDevModeHandler();
    if (handler == nullptr || param == nullptr) {
        delete handler;
        return E_FAIL;
    }
    const HRESULT answer = handler->HandleDevMode(mode, param);
    delete handler;
    if (FAILED(answer)) {
        return answer;
    }
    // Defaults that are stored but could not be read would leave the printer's settings unseen.
    if (mode == OEMDM_DEFAULT && !ApplyStoredDefaults(*param)) {
        return E_FAIL;
    }
    if (param->pPublicDMOut != nullptr) {
        SetTarget(param->pPublicDMOut);
    }
    return S_OK;
}

// A printer without stored defaults keeps the handler's empty section and the public DEVMODE as
// it came; a stored value of another size is not trusted.
bool CNiraDevModeSync::ApplyStoredDefaults(const OEMDMPARAM& param)
{
    if (param.pOEMDMOut != nullptr) {
        auto* section = static_cast<PrivateDevMode*>(param.pOEMDMOut);
        const StoredRead read =
            ReadStoredValue(param.hPrinter, kDefaultPrivateDevModeValue, section, kPrivateDevmodeSize);
        if (read == StoredRead::kFailed) {
            return false;
        }
        if (read == StoredRead::kTaken) {
            section->size = kPrivateDevmodeSize;
            section->signature = kPrivateDevmodeSignature;
            section->version = kPrivateDevmodeVersion;
            section->sectionGuid = kPrivateDevmodeGuid;
        }
    }
    if (param.pPublicDMIn != nullptr) {
        BYTE stored[kStoredPublicDevModeSize] = {};
        const StoredRead read =
            ReadStoredValue(param.hPrinter, kDefaultPublicDevModeValue, stored, kStoredPublicDevModeSize);
        if (read != StoredRead::kTaken) {
            return read == StoredRead::kAbsent;
        }
        const auto* defaults = reinterpret_cast<const DEVMODEW*>(stored);
        DEVMODEW* in = param.pPublicDMIn;
        CopyIfSet(&in->dmPaperSize, defaults->dmPaperSize);
        CopyIfSet(&in->dmDefaultSource, defaults->dmDefaultSource);
        CopyIfSet(&in->dmDuplex, defaults->dmDuplex);
        CopyIfSet(&in->dmMediaType, defaults->dmMediaType);
        CopyIfSet(&in->dmICMIntent, defaults->dmICMIntent);
        CopyIfSet(&in->dmICMMethod, defaults->dmICMMethod);
        CopyIfSet(&in->dmOrientation, defaults->dmOrientation);
        in->dmFields |= kStoredDefaultFields;
    }
    return true;
}

BOOLEAN CNiraDevModeSync::StoreDefaults(PrivateDevMode* section, CNiraUICore* core)
{
    CNiraUISettings* settings = SettingsOf(core);
    if (section == nullptr || settings == nullptr || m_client == nullptr) {
        return FALSE;
    }
    return m_client->CopyFromUISettings(settings, kDefaultOptions) && m_client->SavePrivateBlock(section);
}

BOOLEAN CNiraDevModeSync::SaveToSection(PrivateDevMode* section, CNiraUICore* core)
{
    CNiraUISettings* settings = SettingsOf(core);
    if (section == nullptr || settings == nullptr || m_client == nullptr) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start SnapshotSettings Sync"));
    const BOOLEAN copied = m_client->CopyFromUISettings(settings, kCurrentOptions);
    OutputDebugStringW(TEXT("End Snapshot-Settings Sync"));
    OutputDebugStringW(TEXT("Start Devmode-Settings Sync"));
    const BOOLEAN saved = m_client->SavePrivateBlock(section);
    OutputDebugStringW(TEXT("End Devmode-Settings Sync"));
    return copied && saved;
}

BOOLEAN CNiraDevModeSync::LoadFromSection(DEVMODEW* devMode, PrivateDevMode* section, CNiraUICore* core,
                                          LONG mode)
{
    CNiraUISettings* settings = SettingsOf(core);
    if (devMode == nullptr || section == nullptr || settings == nullptr || m_client == nullptr) {
        return FALSE;
    }
    if (!m_client->LoadPrivateBlock(section)) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start Export to Snapshot from Settings Sync"));
    const BOOLEAN copied = m_client->CopyToUISettings(settings, mode);
    OutputDebugStringW(TEXT("End Export to Snapshot from Settings Sync"));
    if (!copied) {
        return FALSE;
    }
    m_target = devMode;
    return TRUE;
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
    CNiraUISettings* settings = SettingsOf(core);
    if (settings == nullptr || m_client == nullptr) {
        return FALSE;
    }
    OutputDebugStringW(TEXT("Start Export to Snapshot from Settings Sync (DocEvent)"));
    const BOOLEAN copied = m_client->CopyToUISettings(settings, 0);
    OutputDebugStringW(TEXT("End Export to Snapshot from Settings Sync (DocEvent)"));
    return copied;
}

BOOLEAN CNiraDevModeSync::TargetDiffers()
{
    if (m_client == nullptr || m_target == nullptr) {
        return FALSE;
    }
    return m_client->DevModeDiffers(m_target);
}
