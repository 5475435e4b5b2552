// The handler of two-sided printing (class 4125): automatic two-sided printing (option 3) needs
// the two-sided unit.
#pragma once

#include "nira/uiplugin/features/base/OwnIdHandler.h"

class CNiraDuplexHandler : public CNiraOwnIdHandler {
public:
    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
};
