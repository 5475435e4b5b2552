// The handler of the copies (class 4235): DC_COPIES answers the feature's largest count.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraCopiesHandler : public CNiraFeatureHandler {
public:
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
};
