// What the device-information providers ask of the settings engine: a settings client bound to one
// printer, through which the settings helper module (driver INI key Component_F_C) reads values
// from the device. The settings engine implements both interfaces; the providers see no more of it.
#pragma once

#include <windows.h>

class INiraDeviceSettings {
public:
    virtual ~INiraDeviceSettings() = default;
    // Through the helper module at modulePath, attached to the client and aimed at the printer:
    // 1 with *value 1 when a duplex unit is installed (else 0) when the module answered, else 0.
    virtual int QueryDuplexUnit(LPCWSTR modulePath, int* value) = 0;
    // 1 and *value when the module read the device's value of its feature into the client, else 0.
    virtual int QueryFeature(LPCWSTR modulePath, int* value) = 0;
};

class INiraDeviceSettingsSource {
public:
    // Device settings bound to the printer (borrowed: it must outlive them), owned by the caller;
    // null when they cannot be made.
    virtual INiraDeviceSettings* OpenDeviceSettings(HANDLE printer) = 0;

protected:
    ~INiraDeviceSettingsSource() = default;
};
