// The handler of collation (class 4236): DC_COLLATE answers that the printer collates.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraCollateHandler : public CNiraFeatureHandler {
public:
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
};
