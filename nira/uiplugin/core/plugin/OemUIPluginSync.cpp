// The plug-in object's side of the DEVMODE synchronisation: after a sheet is applied the settings
// go into the private section, the public fields and the core driver's options; when the sheets
// open, the public fields of the job's DEVMODE override the private settings.
#include "nira/uiplugin/core/plugin/OemUIPlugin.h"

#include <cstring>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"
#include "common/SafeString.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"

namespace {

// The core driver's own features that follow the settings.
constexpr char kPageOrderKeyword[] = "%PageOrder";
constexpr char kPagesPerSheetKeyword[] = "%PagePerSheet";
constexpr char kOrientationKeyword[] = "Orientation";
constexpr char kInputBinKeyword[] = "InputBin";
// The pages-per-sheet options 1 to 6 as the core driver names them.
constexpr const char* kPagesPerSheetValues[] = {"1", "2", "4", "6", "9", "16"};

// The order in which the applied settings reach the public DEVMODE.
constexpr int kSyncedFeatures[] = {
    FEATURE_PAGE_ORDER, FEATURE_PAGES_PER_SHEET, FEATURE_ORIENTATION, FEATURE_RESOLUTION, FEATURE_INPUT_BIN,
    FEATURE_DUPLEX,     FEATURE_MEDIA_TYPE,      FEATURE_ICM_INTENT,  FEATURE_ICM_METHOD, FEATURE_PAPER_SIZE};

// Two-sided printing: option 1 of 4125 is one-sided; otherwise option 1 or 2 of 4126 names the
// binding edge.
constexpr int kOneSidedOption = 1;
constexpr int kLongEdgeOption = 1;
constexpr int kShortEdgeOption = 2;

// The programs whose public fields are not imported on Windows 6.
constexpr char kPhotoGallery[] = "WindowsPhotoGallery.exe";
constexpr char kExplorer[] = "explorer.exe";
constexpr DWORD kWindowsVista = 6;
constexpr size_t kBaseNameChars = 26;
constexpr DWORD kResolutionFields = DM_PRINTQUALITY | DM_YRESOLUTION;
static_assert(kResolutionFields == 0x2400, "resolution fields");

// The paper sizes that a public DEVMODE carries for lack of the real one.
bool IsStandInPaperSize(short paperSize)
{
    return paperSize == DMPAPER_LETTER || paperSize == DMPAPER_A4;
}

int CurrentOption(CNiraUISettings* settings, int featureId)
{
    int option = 0;
    int isSet = 0;
    settings->GetCurrentOption(featureId, &option, &isSet);
    return option;
}

}  // namespace

void CNiraOemUIPlugin::SetCoreOption(const char* keyword, const char* option, const DEVMODEW& devMode)
{
    if (m_coreHelper == nullptr || option == nullptr) {
        return;
    }
    PRINT_FEATURE_OPTION pair = {keyword, option};
    DWORD written = 0;
    DWORD result = 0;
    m_coreHelper->SetOptions(nullptr, static_cast<DWORD>(devMode.dmSize) + devMode.dmDriverExtra, TRUE, &pair,
                             1, &written, &result);
}

void CNiraOemUIPlugin::SetCoreOptionByName(const char* keyword, int featureId, int optionId,
                                           const DEVMODEW& devMode)
{
    CNiraUISettings* settings = nullptr;
    m_core->GetSettings(&settings);
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return;
    }
    LPSTR name = nullptr;
    if (settings->GetOptionInfo(featureId, optionId, info) == 0 &&
        ConvertToNarrow(info->optionName, &name, CP_UTF8)) {
        SetCoreOption(keyword, name, devMode);
        delete[] name;
    }
    LocalFree(info);
}

bool CNiraOemUIPlugin::CoreDriverHasFeature(const char* keyword)
{
    PCSTR* features = nullptr;
    DWORD count = 0;
    if (m_coreHelper == nullptr || FAILED(m_coreHelper->EnumFeatures(&features, &count)) ||
        features == nullptr) {
        return false;
    }
    for (DWORD i = 0; i < count; ++i) {
        if (features[i] != nullptr && CompareStringSafeA(features[i], keyword) == 0) {
            return true;
        }
    }
    return false;
}

void CNiraOemUIPlugin::WritePublicField(int featureId, int optionId, int value, DEVMODEW* devMode)
{
    CNiraUISettings* settings = nullptr;
    m_core->GetSettings(&settings);
    const auto field = static_cast<short>(value);
    switch (featureId) {
    case FEATURE_PAGE_ORDER:
        SetCoreOptionByName(kPageOrderKeyword, featureId, optionId, *devMode);
        break;
    case FEATURE_PAGES_PER_SHEET:
        // Options outside 1 to 6 have no core-driver value: nothing is sent for them.
        if (optionId >= 1 && optionId <= static_cast<int>(ARRAYSIZE(kPagesPerSheetValues)) &&
            CoreDriverHasFeature(kPagesPerSheetKeyword)) {
            SetCoreOption(kPagesPerSheetKeyword, kPagesPerSheetValues[optionId - 1], *devMode);
        }
        break;
    case FEATURE_ORIENTATION:
        devMode->dmOrientation = field;
        devMode->dmFields |= DM_ORIENTATION;
        SetCoreOptionByName(kOrientationKeyword, featureId, optionId, *devMode);
        break;
    case FEATURE_RESOLUTION:
        devMode->dmPrintQuality = field;
        devMode->dmYResolution = field;
        devMode->dmFields |= kResolutionFields;
        break;
    case FEATURE_INPUT_BIN:
        devMode->dmDefaultSource = field;
        devMode->dmFields |= DM_DEFAULTSOURCE;
        SetCoreOptionByName(kInputBinKeyword, featureId, optionId, *devMode);
        break;
    case FEATURE_DUPLEX: {
        const int edge = CurrentOption(settings, FEATURE_DUPLEX_EDGE);
        short duplex = DMDUP_SIMPLEX;
        if (optionId != kOneSidedOption && edge == kLongEdgeOption) {
            duplex = DMDUP_VERTICAL;
        } else if (optionId != kOneSidedOption && edge == kShortEdgeOption) {
            duplex = DMDUP_HORIZONTAL;
        }
        devMode->dmDuplex = duplex;
        devMode->dmFields |= DM_DUPLEX;
        break;
    }
    case FEATURE_MEDIA_TYPE:
        devMode->dmMediaType = static_cast<DWORD>(value);
        devMode->dmFields |= DM_MEDIATYPE;
        break;
    case FEATURE_ICM_INTENT:
        devMode->dmICMIntent = static_cast<DWORD>(value);
        devMode->dmFields |= DM_ICMINTENT;
        break;
    case FEATURE_ICM_METHOD:
        devMode->dmICMMethod = static_cast<DWORD>(value);
        devMode->dmFields |= DM_ICMMETHOD;
        break;
    case FEATURE_PAPER_SIZE:
        devMode->dmPaperSize = field;
        devMode->dmFields |= DM_PAPERSIZE;
        break;
    default:
        break;
    }
}

int CNiraOemUIPlugin::SyncPublicDevMode(POEMUIPSPARAM sheetParam)
{
    CNiraUISettings* settings = nullptr;
    if (m_core != nullptr) {
        m_core->GetSettings(&settings);
    }
    if (settings == nullptr || m_devModeSync == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    PrivateDevMode* section = nullptr;
    if (sheetParam == nullptr || sheetParam->pPublicDM == nullptr ||
        !FindPrivateDevMode(sheetParam->pPublicDM, &section)) {
        return 0;
    }
    m_devModeSync->SetClient(m_settings);
    if (!m_devModeSync->SaveToSection(section, m_core)) {
        return 0;
    }
    DEVMODEW* devMode = sheetParam->pPublicDM;
    for (int featureId : kSyncedFeatures) {
        const int optionId = CurrentOption(settings, featureId);
        int value = 0;
        if (settings->HandlerGetOptionValue(featureId, optionId, &value) == 0) {
            WritePublicField(featureId, optionId, value, devMode);
        }
    }
    section->paperSizeAtApply = devMode->dmPaperSize;
    section->orientationAtApply = devMode->dmOrientation;
    section->mediaTypeAtApply = devMode->dmMediaType;
    section->duplexAtApply = devMode->dmDuplex;
    section->defaultSourceAtApply = devMode->dmDefaultSource;
    section->printQualityAtApply = devMode->dmPrintQuality;
    section->icmIntentAtApply = devMode->dmICMIntent;
    section->icmMethodAtApply = devMode->dmICMMethod;
    return 0;
}

int CNiraOemUIPlugin::ImportPrivateDevMode(DEVMODEW* devMode, PVOID section)
{
    if (devMode == nullptr || section == nullptr || m_settings == nullptr || m_devModeSync == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // The caller's section is read whole only when its header says it is one: its size and
    // signature come first, within any buffer that could hold a header at all.
    const auto* header = static_cast<const PrivateDevMode*>(section);
    if (header->size != kPrivateDevmodeSize || header->signature != kPrivateDevmodeSignature ||
        memcmp(&header->sectionGuid, &kPrivateDevmodeGuid, sizeof(GUID)) != 0) {
        return NIRA_STATUS_FAILED;
    }
    m_devModeSync->SetClient(m_settings);
    m_devModeSync->LoadFromSection(devMode, static_cast<PrivateDevMode*>(section), m_core, 0);
    return 0;
}

// On Windows 6 the photo gallery and the shell hand out public fields that do not describe the job.
bool CNiraOemUIPlugin::KeepsPrivateFields(const PrivateDevMode& section)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version) || version.dwMajorVersion != kWindowsVista) {
        return false;
    }
    CHAR path[kPrivateDevmodeTextChars] = {};
    CopyMemory(path, section.processPath, sizeof(path) - 1);
    CHAR baseName[kBaseNameChars] = {};
    size_t length = 0;
    if (GetFileBaseName(path, baseName, sizeof(baseName), &length) != 0) {
        return false;
    }
    return CompareStringNoCaseSafeA(baseName, kPhotoGallery) == 0 ||
           CompareStringNoCaseSafeA(baseName, kExplorer) == 0;
}

void CNiraOemUIPlugin::ImportPublicDevMode(DEVMODEW* devMode)
{
    CNiraUISettings* settings = nullptr;
    if (m_core != nullptr) {
        m_core->GetSettings(&settings);
    }
    PrivateDevMode* section = nullptr;
    if (settings == nullptr || m_devModeSync == nullptr || devMode == nullptr ||
        !FindPrivateDevMode(devMode, &section)) {
        return;
    }
    m_devModeSync->SetClient(m_settings);
    m_devModeSync->LoadFromSection(devMode, section, m_core, 0);
    if (KeepsPrivateFields(*section)) {
        return;
    }
    short paperSize = devMode->dmPaperSize;
    const auto storedPaperSize = static_cast<short>(section->paperSizeAtConvert);
    if (IsStandInPaperSize(paperSize)) {
        paperSize = storedPaperSize;
    }
    int initializing = 0;
    m_core->SetSheetInitializing(&initializing);
    const short duplex = devMode->dmDuplex;
    const struct {
        int featureId;
        int value;
    } overrides[] = {
        {FEATURE_ORIENTATION, devMode->dmOrientation},
        {FEATURE_MEDIA_TYPE, static_cast<int>(devMode->dmMediaType)},
        {FEATURE_DUPLEX, duplex},
        {FEATURE_DUPLEX_EDGE, duplex > 1 ? duplex - 1 : 1},
        {FEATURE_INPUT_BIN, devMode->dmDefaultSource},
        {FEATURE_PAPER_SIZE, paperSize},
        {FEATURE_ICM_INTENT, static_cast<int>(devMode->dmICMIntent)},
        {FEATURE_ICM_METHOD, static_cast<int>(devMode->dmICMMethod)},
    };
    for (const auto& entry : overrides) {
        // A two-sided setting of the section outranks the public field.
        if (entry.featureId == FEATURE_DUPLEX && duplex != 0 &&
            CurrentOption(settings, FEATURE_DUPLEX) >= 2) {
            continue;
        }
        int optionId = 0;
        if (settings->HandlerFindOptionByValue(entry.featureId, entry.value, &optionId) != 0 ||
            optionId == 0) {
            optionId = 0;
            if (entry.featureId != FEATURE_PAPER_SIZE ||
                settings->HandlerFindOptionByValue(entry.featureId, storedPaperSize, &optionId) != 0 ||
                optionId == 0) {
                continue;
            }
        }
        int featureId = entry.featureId;
        m_core->BackupSettings(featureId, 1);
        if (settings->ForceCurrentOption(&featureId, &optionId, 0) == 0) {
            m_core->OnOptionChanged(featureId, 1);
            m_core->ResolveConflicts(featureId, nullptr, 1, 1);
        }
    }
}
