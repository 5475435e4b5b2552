#include "support/SampleUISettings.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "support/UISettingsLoader.h"

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
    return m_settings == nullptr ? NIRA_STATUS_FAILED
                                 : m_settings->FindOptionByValue(featureId, value, optionId);
}

std::unique_ptr<SampleUISettings> LoadSampleUISettings(LPCWSTR capabilityDatabase)
{
    auto sample = std::make_unique<SampleUISettings>();
    sample->settings.SetOwner(&sample->owner);
    CNiraCapabilityDB reader;
    reader.Open(capabilityDatabase);
    if (!FillUISettings(sample->settings, reader)) {
        return nullptr;
    }
    return sample;
}
