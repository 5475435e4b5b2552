// The handler of borderless printing (class 4119): other handlers set its value and its display
// state through commands.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraBorderlessHandler : public CNiraFeatureHandler {
public:
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
};
