// The handler of the pop-up settings (class 4215): it keeps the user's choice of pop-up feature 6027
// in the pop-up choice store, stores option 2 when widget 6028 changes, resets it on command, and
// decides for the constraint engine whether a message pop-up is shown.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraPopupSettingsHandler : public CNiraFeatureHandler {
public:
    static constexpr int kPopupFeature = 6027;
    static constexpr int kStoreWidget = 6028;

    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    int OnConstraintMessage(int featureId, const char* data1, const char* data2, const char* data3,
                            int* show) override;

    // The stored option of the feature into *value: 1 when the store has no value for it, *value
    // left alone when there is no store for the printer.
    int ReadSetting(int featureId, int* value);
    int WriteSetting(int featureId, int option);
};
