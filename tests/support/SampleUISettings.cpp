#include "support/SampleUISettings.h"

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"

namespace {

struct FillContext {
    CNiraUISettings* settings;
    CNiraCapabilityDB* reader;
};

LONG AddOptionRow(INT optionIndex, INT featureId, INT optionId, INT, INT bitmapId, INT stringId, LPCWSTR optionName,
                  INT iconId, INT optionState, INT auxId1, INT auxId2, INT auxId3, INT auxId4, INT category,
                  INT group1, INT group2, INT group3, INT group4, INT group5, INT, LPCWSTR, INT biDiState,
                  LPCWSTR vocabNamespace, LPCWSTR vocabMap, INT sendCommand, LPCWSTR, INT, INT, INT, INT separator,
                  INT treeViewCategory, INT treeViewSizeId, LPVOID user)
{
    auto* fill = static_cast<FillContext*>(user);
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    info->optionIndex = optionIndex;
    info->featureId = featureId;
    info->bitmapId = bitmapId;
    info->stringId = stringId;
    if (optionName != nullptr) {
        CopyStringSafe(info->displayName, OPTION_TEXT_LENGTH, optionName);
        CopyStringSafe(info->optionName, OPTION_TEXT_LENGTH, optionName);
    }
    info->iconId = iconId;
    info->state = optionState;
    info->defaultState = optionState;
    info->conflictFlag = optionState == OPTION_STATE_CONFLICT ? 1 : 0;
    info->auxId1 = auxId1;
    info->auxId2 = auxId2;
    info->auxId3 = auxId3;
    info->auxId4 = auxId4;
    info->category = category;
    info->group1 = group1;
    info->group2 = group2;
    info->group3 = group3;
    info->group4 = group4;
    info->group5 = group5;
    info->biDiState = biDiState;
    if (vocabNamespace != nullptr) {
        CopyStringSafe(info->vocabNamespace, OPTION_TEXT_LENGTH, vocabNamespace);
    }
    if (vocabMap != nullptr) {
        CopyStringSafe(info->vocabMap, OPTION_TEXT_LENGTH, vocabMap);
    }
    info->sendCommand = sendCommand;
    info->separator = separator;
    info->treeViewCategory = treeViewCategory;
    info->treeViewSizeId = treeViewSizeId;
    if (fill->settings->AddOption(featureId, optionId, info) != 0) {
        LocalFree(info);
    }
    return NIRA_STATUS_FAILED;
}

LONG AddFeatureRow(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    auto* fill = static_cast<FillContext*>(user);
    switch (kind) {
    case CAPABILITY_KIND_FEATURE: {
        auto* feature = static_cast<FeatureRecord*>(record);
        feature->currentOption = feature->defaultOption;
        feature->previousOption = feature->defaultOption;
        fill->settings->AddFeature(feature);
        fill->reader->EnumOptions(&featureId, AddOptionRow, fill);
        break;
    }
    case CAPABILITY_KIND_FEATURE_UI:
        fill->settings->SetFeatureUIRecord(featureId, static_cast<FeatureUIRecord*>(record));
        break;
    default:
        LocalFree(record);
        break;
    }
    return 0;
}

}  // namespace

int SampleUISettingsOwner::GetLastChangedFeature(int* featureId)
{
    *featureId = 0;
    return 0;
}

int SampleUISettingsOwner::GetSheetInitializing(int* value)
{
    *value = 0;
    return 0;
}

int SampleUISettingsOwner::GetOptionValue(int featureId, int optionId, int* value)
{
    OptionInfo info = {};
    if (m_settings == nullptr || m_settings->GetOptionInfo(featureId, optionId, &info) != 0) {
        return NIRA_STATUS_FAILED;
    }
    *value = info.optionIndex;
    return 0;
}

int SampleUISettingsOwner::FindOptionByValue(int featureId, int value, int* optionId)
{
    return m_settings == nullptr ? NIRA_STATUS_FAILED : m_settings->FindOptionByValue(featureId, value, optionId);
}

std::unique_ptr<SampleUISettings> LoadSampleUISettings(LPCWSTR capabilityDatabase)
{
    auto sample = std::make_unique<SampleUISettings>();
    sample->settings.SetOwner(&sample->owner);
    CNiraCapabilityDB reader;
    reader.Open(capabilityDatabase);
    FillContext fill = {&sample->settings, &reader};
    if (reader.GetFeatureSettings(AddFeatureRow, &fill, nullptr) != 0 || reader.EnumCategories(AddFeatureRow, &fill) != 0) {
        return nullptr;
    }
    return sample;
}
