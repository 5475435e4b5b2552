// INiraFlatRecordAdapter: the push provider that writes settings into the records the print
// processor asks for with its private escapes (job settings, driver state, page settings).
#pragma once

#include "common/EscapeRecords.h"
#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"

class INiraFlatRecordAdapter : public INiraSettingsProvider {
public:
    // The records UpdateAll and Sync write; each may be null. Every record given is zero-filled
    // here, so fields that no setting reaches read 0. The records stay the caller's.
    virtual BOOLEAN SetTarget(JobSettingsRecord* jobSettings, DriverStateRecord* driverState,
                              PageSettingsRecord* pageSettings) = 0;
};
