// The handler of the print quality (class 4115): commands set the quality and grey its top option
// while the printer's highest resolution is not available.
#pragma once

#include "nira/uiplugin/features/base/OwnIdHandler.h"

class CNiraPrintQualityHandler : public CNiraOwnIdHandler {
public:
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
};
