// One value of the device-model configuration as the printer data keep it
// ("DMCSnapshotFeatureData", an array of these records).
#pragma once

#include <windows.h>

#include <limits>

// The option id of a record whose value named no option the UI settings accept. Option ids are
// signed and -1 is a real option, so "none" takes an id no option has.
constexpr INT32 kDmcNoOption = std::numeric_limits<INT32>::min();

// Enable words of a snapshot record.
constexpr int kDmcEnableLocked = 2;
constexpr int kDmcEnableFree = 3;

struct DmcSnapshotRecord {
    INT32 featureId;
    INT32 optionId;  // kDmcNoOption when the configuration's value named no option the UI accepts
    INT32 enable;    // kDmcEnableLocked or kDmcEnableFree
    INT32 lock;      // 1 when the configuration marked the value locked
};
static_assert(sizeof(DmcSnapshotRecord) == 16, "stored record layout");
