// CNiraDerivedValuesProvider: writes the device description of the driver's GDIINFO record from
// the settings: resolution, page size, printable area and offsets, the colour count and a
// halftone flag.
//
// SetTarget applies the colour-count rules at once; UpdateAll (or a Sync of a handled entry)
// applies the rules of the entries. The provider keeps no values: every rule reads its owner.
#pragma once

#include <windows.h>
#include <winddi.h>

#include "nira/uiplugin/settings/providers/RecordTargetProvider.h"

class CNiraDerivedValuesProvider : public CNiraRecordTargetProvider<GDIINFO> {
public:
    CNiraDerivedValuesProvider();

    BOOLEAN SyncFlag(LONG index) override;
    BOOLEAN SyncInt(LONG index) override;
    BOOLEAN SyncFloat(LONG index) override;

    BOOLEAN SetTarget(GDIINFO* record) override;

private:
    void ApplyColourCountRules();
    void ApplyHalftoneRule();
    void ApplyResolutionRule();
    void ApplyPhysicalSizeRule();
    // The page fields both geometry rules write.
    void WritePageFields(const DevicePageGeometry& geometry);
};
