// The handler of class 4250: the base handler with an own id and no initial states.
#pragma once

#include "nira/uiplugin/features/base/OwnIdHandler.h"

class CNiraHandler4250 : public CNiraOwnIdHandler {
public:
    int InitializeStates() override { return 0; }
};
