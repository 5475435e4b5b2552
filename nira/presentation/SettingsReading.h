// Small readers of the UI settings object shared by the registry and the widgets.
#pragma once

#include <windows.h>

#include <vector>

#include "nira/uiplugin/interfaces/INiraUISettings.h"

class CNiraWidget;

// One option as the settings list it.
struct SettingsOption {
    int index = 0;
    int id = 0;
    WCHAR name[kOptionTextLength] = {};
    int bitmapId = 0;
    int iconId = 0;
    int state = 0;
};

// The option at a running index of the feature's options; false when there is none.
bool ReadOptionAt(INiraUISettings* settings, int featureId, int index, SettingsOption* option);
// The feature's options in the settings' order; ReadNamedOptions leaves out those without a name.
std::vector<SettingsOption> ReadOptions(INiraUISettings* settings, int featureId);
std::vector<SettingsOption> ReadNamedOptions(INiraUISettings* settings, int featureId);

// A zero-filled OptionInfo from LocalAlloc, or null; FreeOptionInfo takes null.
OptionInfo* AllocOptionInfo();
void FreeOptionInfo(OptionInfo* info);

// The feature's display record, or null.
const FeatureUIRecord* DisplayRecordOf(INiraUISettings* settings, int featureId);
// Loads the feature's label string into the widget when its display record asks for one.
void LoadFeatureLabel(CNiraWidget* widget, INiraUISettings* settings);
