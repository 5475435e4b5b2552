#include "nira/uiplugin/core/external/ExternalInterface.h"

#include <new>

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/module/ComponentModule.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/store/FeatureRegistryStore.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"

namespace {

// Print quality's option 5 and the maximum-resolution option that allows it.
constexpr int kHighQualityOption = 5;
constexpr int kHighResolutionOption = 2;
// The paper length and width written with every paper size, in tenths of a millimetre.
constexpr short kPaperExtent = 5000;
constexpr int kOptionNameChars = 260;
constexpr DWORD kResolutionFields = DM_PRINTQUALITY | DM_YRESOLUTION;

// The order in which the settings reach the DEVMODE's public fields.
constexpr int kSyncedFeatures[] = {FEATURE_PAGE_ORDER, FEATURE_PAGES_PER_SHEET, FEATURE_ORIENTATION,
                                   FEATURE_RESOLUTION, FEATURE_INPUT_BIN,       FEATURE_DUPLEX,
                                   FEATURE_MEDIA_TYPE, FEATURE_PAPER_SIZE};

void WriteField(int featureId, int value, DEVMODEW* devMode)
{
    const auto field = static_cast<short>(value);
    switch (featureId) {
    case FEATURE_PAPER_SIZE:
        devMode->dmPaperSize = field;
        devMode->dmPaperLength = kPaperExtent;
        devMode->dmPaperWidth = kPaperExtent;
        devMode->dmFields |= DM_PAPERSIZE;
        break;
    case FEATURE_MEDIA_TYPE:
        devMode->dmMediaType = static_cast<DWORD>(static_cast<LONG>(field));
        devMode->dmFields |= DM_MEDIATYPE;
        break;
    case FEATURE_INPUT_BIN:
        devMode->dmDefaultSource = field;
        devMode->dmFields |= DM_DEFAULTSOURCE;
        break;
    case FEATURE_ORIENTATION:
        devMode->dmOrientation = field;
        devMode->dmFields |= DM_ORIENTATION;
        break;
    case FEATURE_RESOLUTION:
        devMode->dmPrintQuality = field;
        devMode->dmYResolution = field;
        devMode->dmFields |= kResolutionFields;
        break;
    case FEATURE_DUPLEX:
        devMode->dmDuplex = field;
        devMode->dmFields |= DM_DUPLEX;
        break;
    default:
        break;  // page order and pages per sheet have no public field
    }
}

}  // namespace

INiraExternalInterface* CreateExternalInterfaceInstance()
{
    return new (std::nothrow) CNiraExternalInterface();
}

CNiraExternalInterface::CNiraExternalInterface()
    : m_initialized(0),
      m_devModeSync(nullptr),
      m_core(nullptr),
      m_settings(nullptr),
      m_printer(nullptr),
      m_settingsClient(nullptr)
{}

CNiraExternalInterface::~CNiraExternalInterface()
{
    Destroy();
}

CNiraSettingsClient* CNiraExternalInterface::CreateSettingsClient(HANDLE printer)
{
    if (printer == nullptr) {
        return nullptr;
    }
    LoadComponentModule(printer);
    auto* client = new (std::nothrow) CNiraSettingsClient();
    if (client != nullptr) {
        client->Initialize(printer);
    }
    return client;
}

void CNiraExternalInterface::Initialize(HANDLE printer)
{
    if (m_initialized) {
        return;
    }
    m_initialized = 1;
    m_printer = printer;
    if (m_devModeSync == nullptr) {
        m_devModeSync = new CNiraDevModeSync();
        m_settingsClient = CreateSettingsClient(printer);
        m_devModeSync->SetClient(m_settingsClient);
    }
    if (m_core == nullptr) {
        m_core = new CNiraUICore();
        m_core->ConstructDriverState(printer, nullptr);
        m_core->LoadConstraints(CONSTRAINT_MODE_QUIET);
    }
    if (m_settings == nullptr) {
        m_core->GetSettings(&m_settings);
    }
    if (m_settings != nullptr) {
        ApplyMaxResolutionRule();
    }
}

void CNiraExternalInterface::ApplyMaxResolutionRule()
{
    int maxResolution = 0;
    int isSet = 0;
    if (m_settings->GetCurrentOption(FEATURE_MAX_DPI, &maxResolution, &isSet) != 0) {
        return;
    }
    const int state =
        maxResolution == kHighResolutionOption ? OPTION_STATE_SELECTABLE : OPTION_STATE_UNAVAILABLE;
    m_settings->SetOptionState(FEATURE_PRINT_QUALITY, kHighQualityOption, state, 0);
}

void CNiraExternalInterface::Destroy()
{
    if (m_devModeSync != nullptr) {
        m_devModeSync->Reset();
        delete m_devModeSync;
        m_devModeSync = nullptr;
    }
    delete m_settingsClient;
    m_settingsClient = nullptr;
    delete m_core;
    m_core = nullptr;
    m_settings = nullptr;
}

int CNiraExternalInterface::WriteDevMode(DEVMODEW* devMode)
{
    PrivateDevMode* section = nullptr;
    if (m_devModeSync != nullptr && FindPrivateDevMode(devMode, &section)) {
        m_devModeSync->LoadFromSection(devMode, section, m_core, 0);
    }
    return 0;
}

// Without a DEVMODE written before there is nothing to read into: null, and nothing written.
DEVMODEW* CNiraExternalInterface::ReadDevMode()
{
    if (m_devModeSync == nullptr) {
        return nullptr;
    }
    DEVMODEW* target = m_devModeSync->GetTarget();
    PrivateDevMode* section = nullptr;
    if (target != nullptr && FindPrivateDevMode(target, &section)) {
        m_devModeSync->SaveToSection(section, m_core);
        SyncDevModeFields(target, section);
    }
    return target;
}

int CNiraExternalInterface::SyncDevModeFields(DEVMODEW* devMode, PrivateDevMode* section)
{
    if (m_settings == nullptr || devMode == nullptr || section == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    for (int featureId : kSyncedFeatures) {
        int optionId = 0;
        int isSet = 0;
        m_settings->GetCurrentOption(featureId, &optionId, &isSet);
        int value = 0;
        if (m_settings->HandlerGetOptionValue(featureId, optionId, &value) == 0) {
            WriteField(featureId, value, devMode);
        }
    }
    section->paperSizeAtApply = devMode->dmPaperSize;
    section->orientationAtApply = devMode->dmOrientation;
    section->mediaTypeAtApply = devMode->dmMediaType;
    section->duplexAtApply = devMode->dmDuplex;
    section->defaultSourceAtApply = devMode->dmDefaultSource;
    section->printQualityAtApply = devMode->dmPrintQuality;
    return 0;
}

int CNiraExternalInterface::Reserved4()
{
    return 0;
}

int CNiraExternalInterface::SetValue(int featureId, int optionId)
{
    if (m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const int result =
        m_settings->SetCurrentOption(&featureId, &optionId, OPTION_STATE_SELECTABLE, 0, 0, 1, 1);
    m_core->OnOptionChanged(featureId, 1);
    return result;
}

int CNiraExternalInterface::GetValue(int featureId, int* optionId)
{
    if (m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int isSet = 0;
    return m_settings->GetCurrentOption(featureId, optionId, &isSet);
}

int CNiraExternalInterface::GetDefaultValue(int featureId, int* optionId)
{
    if (m_settings != nullptr) {
        m_settings->GetDefaultOption(featureId, optionId);
    }
    return 0;
}

template <class Visit>
void CNiraExternalInterface::ForEachOption(int featureId, Visit visit)
{
    if (m_settings == nullptr) {
        return;
    }
    for (int index = m_settings->GetOptionCount(featureId) - 1; index >= 0; --index) {
        WCHAR name[kOptionNameChars] = {};
        int optionIndex = 0;
        int optionId = 0;
        int bitmapId = 0;
        int iconId = 0;
        int state = 0;
        if (m_settings->GetOptionByIndex(index, featureId, &optionIndex, &optionId, name, &bitmapId, &iconId,
                                         &state) == 0) {
            visit(optionIndex, optionId, name, state);
        }
    }
}

void CNiraExternalInterface::EnumerateOptions(int featureId, NiraExternalOptionCallback callback,
                                              void* userData)
{
    if (callback == nullptr) {
        return;
    }
    // Print quality offers none of its unavailable options.
    ForEachOption(featureId, [&](int, int optionId, const WCHAR* name, int state) {
        if (featureId != FEATURE_PRINT_QUALITY || state != OPTION_STATE_UNAVAILABLE) {
            callback(featureId, optionId, name, userData);
        }
    });
}

void CNiraExternalInterface::EnumerateOptionsEx(int featureId, NiraExternalOptionExCallback callback,
                                                void* userData)
{
    if (callback == nullptr) {
        return;
    }
    // Only print quality's option 5 is left out when unavailable.
    ForEachOption(featureId, [&](int optionIndex, int optionId, const WCHAR* name, int state) {
        if (featureId != FEATURE_PRINT_QUALITY || optionId != kHighQualityOption ||
            state != OPTION_STATE_UNAVAILABLE) {
            callback(featureId, optionId, optionIndex, name, userData);
        }
    });
}

int CNiraExternalInterface::EnumerateFeatures(int, NiraExternalFeatureCallback callback, void* userData)
{
    CNiraPtrList* changes = m_settings != nullptr ? m_settings->GetChangeList() : nullptr;
    if (changes == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int result = 0;
    for (CNiraPtrList::Node* node = changes->GetHead(); node != nullptr; node = node->next) {
        int featureId = static_cast<ChangeRecord*>(node->value)->featureId;
        FeatureEntry* entry = nullptr;
        if (featureId < kFirstSettingsFeature || featureId > kUIFeatureLimit ||
            m_settings->FindFeature(&featureId, &entry) != 0 || callback == nullptr) {
            continue;
        }
        int optionId = 0;
        int isSet = 0;
        m_settings->GetCurrentOption(featureId, &optionId, &isSet);
        auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
        if (info == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        m_settings->GetOptionInfo(featureId, optionId, info);
        result = callback(featureId, optionId, info->displayName, 0, userData);
        LocalFree(info);
    }
    return result;
}

int CNiraExternalInterface::GetOptionInfo(int featureId, int optionId, OptionInfo* info)
{
    return m_settings != nullptr ? m_settings->GetOptionInfo(featureId, optionId, info) : -1;
}

int CNiraExternalInterface::SaveFeatureStore()
{
    if (m_settings == nullptr) {
        return 0;
    }
    CNiraPtrList features;
    m_settings->ListFeatures(&features);
    CNiraFeatureRegistryStore store;
    store.Attach(m_settings);
    store.SaveFeaturesByHandle(&features, m_printer);
    return 0;
}
