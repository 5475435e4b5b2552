// The handler of the two-sided printing unit (class 4221): DC_DUPLEX, the unit reported by the
// device, and two-sided printing forced off while the unit is shown greyed.
#pragma once

#include "nira/uiplugin/features/base/OwnIdHandler.h"

class CNiraDuplexUnitHandler : public CNiraOwnIdHandler {
public:
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
};
