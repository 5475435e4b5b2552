// CNiraHostProcessProvider: adjusts the graphics capabilities in the driver's DEVINFO record for
// the application that prints and, with JPEG/PNG passthrough enabled, for the Windows version.
//
// SetTarget applies the application rules at once; UpdateAll (or a Sync of the passthrough flag)
// applies the passthrough rule. Capability bits are only ever added to flGraphicsCaps2.
#pragma once

#include <windows.h>
#include <winddi.h>

#include "nira/uiplugin/settings/providers/RecordTargetProvider.h"

class CNiraHostProcessProvider : public CNiraRecordTargetProvider<DEVINFO> {
public:
    CNiraHostProcessProvider();

    BOOLEAN SyncFlag(LONG index) override;
    BOOLEAN SyncInt(LONG index) override;
    BOOLEAN SyncFloat(LONG index) override;

    BOOLEAN SetTarget(DEVINFO* record) override;

private:
    void ApplyApplicationRules();
    void ApplyPassthroughRule();
    bool AnnouncesJpegPassthrough();
};
