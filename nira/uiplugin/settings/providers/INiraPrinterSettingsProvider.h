// The provider the settings helper module (driver INI key Component_F_C) makes for the helper
// provider GUID: a pull provider that reads its entries from the printer it is given.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"

class INiraPrinterSettingsProvider : public INiraSettingsProvider {
public:
    // The printer the provider reads from; the handle stays the caller's.
    virtual BOOLEAN SetTarget(HANDLE printer) = 0;
};

// Entries the settings engine relies on the helper provider to handle for a printer.
constexpr LONG kHelperDeviceFeatureInt = 2020;  // kind 3: the device's value of feature 4308
constexpr LONG kHelperDuplexUnitIntRef = 120;   // kind 6: Sync answers true when a duplex unit is installed
constexpr LONG kHelperPenSetIntRef = 121;       // kind 6: the pen set installed in the device
