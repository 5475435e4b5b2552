// The handler of the input bin (class 4117): DC_BINS and DC_BINNAMES from its options, and the
// second tray's bin only while the second tray is there.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraInputBinHandler : public CNiraFeatureHandler {
public:
    static constexpr size_t kBinNameChars = 24;

    int InitializeStates() override;
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
};
