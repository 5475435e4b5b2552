// INiraFieldAdapter: the pull provider that brings the job counts and the page placement that the
// print processor sends with its private escapes into the settings.
#pragma once

#include "common/EscapeRecords.h"
#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"

class INiraSettingsAccess;

class INiraFieldAdapter : public INiraSettingsProvider {
public:
    // The records UpdateAll and Sync read from; either may be null. They stay the caller's and
    // are only read.
    virtual BOOLEAN SetTarget(const JobCountsRecord* jobCounts, const PagePlacementRecord* pagePlacement) = 0;
    // Sets every handled entry that the source holds into the owner (no notice).
    virtual BOOLEAN CopyHandledValues(INiraSettingsAccess* source) = 0;
};
