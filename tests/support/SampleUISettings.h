// A UI settings object filled from a capability database by FillUISettings, with an owner that
// answers the handler questions from the options' public numbers. For the host program, the tests
// and benchmarks.
#pragma once

#include <windows.h>

#include <memory>

#include "nira/uiplugin/core/uisettings/NiraUISettings.h"

class SampleUISettingsOwner : public INiraUISettingsOwner {
public:
    void SetSettings(CNiraUISettings* settings) { m_settings = settings; }
    int NotifyFeatureChanged(int, int) override { return 0; }
    int CountChange(int) override { return 0; }
    int TrackValueChange(int, int) override { return 0; }
    int GetLastChangedFeature(int* featureId) override;
    int SuppressConflictPopup(int) override { return 0; }
    int GetSheetInitializing(int* value) override;
    // The option's public number (its OptionIndex).
    int GetOptionValue(int featureId, int optionId, int* value) override;
    int FindOptionByValue(int featureId, int value, int* optionId) override;

private:
    CNiraUISettings* m_settings = nullptr;
};

// The owner outlives the settings object, which may tell it of changes while it is destroyed.
struct SampleUISettings {
    SampleUISettings() { owner.SetSettings(&settings); }
    SampleUISettingsOwner owner;
    CNiraUISettings settings;
};

// A UI settings object holding every feature and option of the capability database at path
// (a Windows path of the simulated machine); null when the database cannot be read.
std::unique_ptr<SampleUISettings> LoadSampleUISettings(LPCWSTR capabilityDatabase);
