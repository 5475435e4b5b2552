// The settings side of a document event: the job's public fields into the UI settings, the
// settings back into the public fields and the core driver's options, and the origin of the job
// (process path and user name) as the options of two features.
#include "nira/uiplugin/core/plugin/DocEventHandler.h"

#include <string.h>
#include <strsafe.h>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"

namespace {

constexpr int kProcessPathFeature = 4309;
constexpr int kUserNameFeature = 4311;
constexpr int kOriginOption = 1;
constexpr int kTwoSidedOption = 3;  // of FEATURE_DUPLEX: printed on both sides
constexpr int kEdgeLongOption = 1;  // of FEATURE_DUPLEX_EDGE
constexpr int kEdgeShortOption = 2;
constexpr int kChangeReasonPublic = 2;
constexpr size_t kBaseNameChars = 25;
constexpr DWORD kWindowsSixMajor = 6;
// Programs whose public fields are not imported on Windows 6 (but the print quality).
const char* const kPublicFieldsIgnoredPrograms[] = {"WindowsPhotoGallery.exe", "explorer.exe"};

LONG Orientation(const DEVMODEW& d)
{
    return d.dmOrientation;
}
LONG MediaType(const DEVMODEW& d)
{
    return static_cast<LONG>(d.dmMediaType);
}
LONG Duplex(const DEVMODEW& d)
{
    return d.dmDuplex;
}
LONG DefaultSource(const DEVMODEW& d)
{
    return d.dmDefaultSource;
}
LONG PrintQuality(const DEVMODEW& d)
{
    return d.dmPrintQuality;
}
LONG PaperSize(const DEVMODEW& d)
{
    return d.dmPaperSize;
}
LONG IcmIntent(const DEVMODEW& d)
{
    return static_cast<LONG>(d.dmICMIntent);
}
LONG IcmMethod(const DEVMODEW& d)
{
    return static_cast<LONG>(d.dmICMMethod);
}

// The section stores the media type and colour-matching fields as DWORDs: compared as their bits.
struct StoredFields {
    static LONG Read(const PrivateDevMode& section, int featureId)
    {
        switch (featureId) {
        case FEATURE_ORIENTATION:
            return section.orientationAtApply;
        case FEATURE_MEDIA_TYPE:
            return static_cast<LONG>(section.mediaTypeAtApply);
        case FEATURE_DUPLEX:
            return section.duplexAtApply;
        case FEATURE_INPUT_BIN:
            return section.defaultSourceAtApply;
        case FEATURE_RESOLUTION:
            return section.printQualityAtApply;
        case FEATURE_PAPER_SIZE:
            return section.paperSizeAtApply;
        case FEATURE_ICM_INTENT:
            return static_cast<LONG>(section.icmIntentAtApply);
        default:
            return static_cast<LONG>(section.icmMethodAtApply);
        }
    }
};

// A public field and the feature it sets; the copy of the field stored at the last apply decides
// whether the job changed it.
struct ApplyEntry {
    int featureId;
    LONG (*field)(const DEVMODEW&);
};

// In the order they are applied.
constexpr ApplyEntry kApplyEntries[] = {
    {FEATURE_ORIENTATION, Orientation}, {FEATURE_MEDIA_TYPE, MediaType},    {FEATURE_DUPLEX, Duplex},
    {FEATURE_INPUT_BIN, DefaultSource}, {FEATURE_RESOLUTION, PrintQuality}, {FEATURE_PAPER_SIZE, PaperSize},
    {FEATURE_ICM_INTENT, IcmIntent},    {FEATURE_ICM_METHOD, IcmMethod},
};

bool IsWindowsSix()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) && version.dwMajorVersion == kWindowsSixMajor;
}

bool IgnoresPublicFields(const PrivateDevMode& section)
{
    char path[kPrivateDevmodeTextChars + 1] = {};
    memcpy(path, section.processPath, kPrivateDevmodeTextChars);
    char baseName[kBaseNameChars + 1] = {};
    size_t length = 0;
    if (GetFileBaseName(path, baseName, sizeof(baseName), &length) != 0) {
        return false;
    }
    for (const char* program : kPublicFieldsIgnoredPrograms) {
        if (_stricmp(baseName, program) == 0) {
            return true;
        }
    }
    return false;
}

// Sets a feature as a change that came from the job: backed up, forced, announced, resolved.
void SetFromJob(CNiraUICore& core, CNiraUISettings& settings, int featureId, int optionId)
{
    core.BackupSettings(featureId, 1);
    int id = featureId;
    int option = optionId;
    if (settings.ForceCurrentOption(&id, &option, 0) == 0) {
        core.OnOptionChanged(featureId, 1);
        core.ResolveConflicts(featureId, nullptr, 1, 1);
    }
}

void ApplyDuplex(CNiraUICore& core, CNiraUISettings& settings, LONG value)
{
    int found = 0;
    if (value == DMDUP_SIMPLEX || settings.HasOption(FEATURE_DUPLEX, kTwoSidedOption, &found) != 0 ||
        !found) {
        return;
    }
    SetFromJob(core, settings, FEATURE_DUPLEX, kTwoSidedOption);
    SetFromJob(core, settings, FEATURE_DUPLEX_EDGE,
               value == DMDUP_HORIZONTAL ? kEdgeShortOption : kEdgeLongOption);
}

// After a conflict moved the paper away from the job's, the media type is set again and the
// paper once more.
void ReapplyPaper(CNiraUICore& core, CNiraUISettings& settings, LONG paperSize)
{
    int current = 0;
    int isSet = 0;
    int value = 0;
    if (settings.GetCurrentOption(FEATURE_PAPER_SIZE, &current, &isSet) != 0 ||
        settings.HandlerGetOptionValue(FEATURE_PAPER_SIZE, current, &value) != 0 || value == paperSize) {
        return;
    }
    int media = 0;
    if (settings.GetCurrentOption(FEATURE_MEDIA_TYPE, &media, &isSet) == 0) {
        int id = FEATURE_MEDIA_TYPE;
        settings.SetCurrentOption(&id, &media, kChangeReasonPublic, 0, 0, 1, 0);
    }
    int option = 0;
    if (settings.HandlerFindOptionByValue(FEATURE_PAPER_SIZE, paperSize, &option) == 0) {
        SetFromJob(core, settings, FEATURE_PAPER_SIZE, option);
    }
}

// Option 1 of the feature renamed with the text (both names); a record the settings refuse is
// freed here.
void NameOriginOption(CNiraUISettings& settings, int featureId, LPCWSTR text)
{
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return;
    }
    if (settings.GetOptionInfo(featureId, kOriginOption, info) != 0) {
        memset(info, 0, sizeof(OptionInfo));
        info->featureId = featureId;
        info->optionIndex = kOriginOption;
    }
    StringCchCopyNW(info->displayName, kOptionTextLength, text, kOptionTextLength - 1);
    StringCchCopyNW(info->optionName, kOptionTextLength, text, kOptionTextLength - 1);
    int id = featureId;
    int option = kOriginOption;
    settings.RemoveOption(&id, &option);
    if (settings.AddOption(featureId, kOriginOption, info) != 0) {
        LocalFree(info);
    }
}

void NameJobOrigin(CNiraUISettings& settings, const PrivateDevMode& section)
{
    char path[kPrivateDevmodeTextChars + 1] = {};
    memcpy(path, section.processPath, kPrivateDevmodeTextChars);
    LPWSTR widePath = nullptr;
    if (ConvertToWide(&widePath, path, CP_ACP)) {
        NameOriginOption(settings, kProcessPathFeature, widePath);
        delete[] widePath;
    }
    WCHAR user[kPrivateDevmodeTextChars + 1] = {};
    memcpy(user, section.userName, sizeof(section.userName));
    NameOriginOption(settings, kUserNameFeature, user);
}

bool CurrentValue(CNiraUISettings& settings, int featureId, int* option, int* value)
{
    int isSet = 0;
    return settings.GetCurrentOption(featureId, option, &isSet) == 0 &&
           settings.HandlerGetOptionValue(featureId, *option, value) == 0;
}

void SetCoreOrientation(IPrintCoreHelper* helper, DEVMODEW* devMode, DWORD size, int option)
{
    PCSTR* features = nullptr;
    DWORD count = 0;
    if (helper->EnumFeatures(&features, &count) != S_OK || features == nullptr) {
        return;
    }
    bool listed = false;
    for (DWORD i = 0; i < count && !listed; ++i) {
        listed = features[i] != nullptr && strcmp(features[i], "Orientation") == 0;
    }
    if (!listed) {
        return;
    }
    PRINT_FEATURE_OPTION pair = {"Orientation", option == 1 ? "PORTRAIT" : "LANDSCAPE_CC90"};
    DWORD written = 0;
    DWORD result = 0;
    helper->SetOptions(devMode, size, TRUE, &pair, 1, &written, &result);
}

}  // namespace

int CNiraDocEventHandler::ImportIntoUI()
{
    if (m_devModeSync == nullptr || !m_devModeSync->CopySettingsToUI(m_core)) {
        return NIRA_STATUS_FAILED;
    }
    return ApplyPublicDevMode(m_core, m_publicCopy, m_section);
}

int CNiraDocEventHandler::ApplyPublicDevMode(CNiraUICore* core, DEVMODEW* publicDevMode,
                                             PrivateDevMode* section)
{
    CNiraUISettings* settings = nullptr;
    if (core == nullptr || publicDevMode == nullptr || section == nullptr ||
        core->GetSettings(&settings) != 0 || settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const bool qualityOnly = IsWindowsSix() && IgnoresPublicFields(*section);
    for (const ApplyEntry& entry : kApplyEntries) {
        if (qualityOnly && entry.featureId != FEATURE_RESOLUTION) {
            continue;
        }
        const LONG value = entry.field(*publicDevMode);
        if (value == StoredFields::Read(*section, entry.featureId)) {
            continue;
        }
        int option = 0;
        const bool found = settings->HandlerFindOptionByValue(entry.featureId, value, &option) == 0;
        if (entry.featureId == FEATURE_DUPLEX) {
            ApplyDuplex(*core, *settings, value);
        } else if (entry.featureId == FEATURE_MEDIA_TYPE && !found) {
            int current = 0;
            int isSet = 0;
            if (settings->GetCurrentOption(FEATURE_MEDIA_TYPE, &current, &isSet) == 0) {
                int id = FEATURE_MEDIA_TYPE;
                settings->ForceCurrentOption(&id, &current, 1);
            }
        } else if (found) {
            SetFromJob(*core, *settings, entry.featureId, option);
            if (entry.featureId == FEATURE_PAPER_SIZE) {
                ReapplyPaper(*core, *settings, value);
            }
        }
    }
    NameJobOrigin(*settings, *section);
    return NIRA_STATUS_OK;
}

int CNiraDocEventHandler::WritePublicFields(CNiraUICore* core, DEVMODEW* publicDevMode, DWORD size,
                                            IPrintCoreHelper* coreHelper)
{
    CNiraUISettings* settings = nullptr;
    if (core == nullptr || publicDevMode == nullptr || coreHelper == nullptr ||
        core->GetSettings(&settings) != 0 || settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    DEVMODEW& d = *publicDevMode;
    int option = 0;
    int value = 0;
    if (CurrentValue(*settings, FEATURE_ORIENTATION, &option, &value)) {
        d.dmOrientation = static_cast<short>(value);
        d.dmFields |= DM_ORIENTATION;
        if (option == 1 || option == 2) {
            SetCoreOrientation(coreHelper, publicDevMode, size, option);
        }
    }
    if (CurrentValue(*settings, FEATURE_MEDIA_TYPE, &option, &value)) {
        d.dmMediaType = static_cast<DWORD>(value);
        d.dmFields |= DM_MEDIATYPE;
    }
    if (CurrentValue(*settings, FEATURE_DUPLEX, &option, &value)) {
        int edge = 0;
        int isSet = 0;
        short duplex = DMDUP_SIMPLEX;
        if (option != 1 && settings->GetCurrentOption(FEATURE_DUPLEX_EDGE, &edge, &isSet) == 0) {
            duplex = edge == kEdgeLongOption    ? DMDUP_VERTICAL
                     : edge == kEdgeShortOption ? DMDUP_HORIZONTAL
                                                : DMDUP_SIMPLEX;
        }
        d.dmDuplex = duplex;
        d.dmFields |= DM_DUPLEX;
    }
    // The input bin is read but the core driver keeps its own.
    CurrentValue(*settings, FEATURE_INPUT_BIN, &option, &value);
    if (CurrentValue(*settings, FEATURE_RESOLUTION, &option, &value)) {
        d.dmPrintQuality = static_cast<short>(value);
        d.dmYResolution = static_cast<short>(value);
        d.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    }
    if (CurrentValue(*settings, FEATURE_PAPER_SIZE, &option, &value)) {
        d.dmPaperSize = static_cast<short>(value);
        d.dmFields |= DM_PAPERSIZE;
    }
    if (CurrentValue(*settings, FEATURE_ICM_INTENT, &option, &value)) {
        d.dmICMIntent = static_cast<DWORD>(value);
        d.dmFields |= DM_ICMINTENT;
    }
    if (CurrentValue(*settings, FEATURE_ICM_METHOD, &option, &value)) {
        d.dmICMMethod = static_cast<DWORD>(value);
        d.dmFields |= DM_ICMMETHOD;
    }
    return NIRA_STATUS_OK;
}
