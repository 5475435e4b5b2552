// One value of the device-model configuration as the printer data keep it
// ("DMCSnapshotFeatureData", an array of these records).
#pragma once

#include <windows.h>

// Enable words of a snapshot record.
constexpr int kDmcEnableLocked = 2;
constexpr int kDmcEnableFree = 3;

struct DmcSnapshotRecord {
    INT32 featureId;
    INT32 optionId;  // -1 when the configuration's value named no option the UI accepts
    INT32 enable;    // kDmcEnableLocked or kDmcEnableFree
    INT32 lock;      // 1 when the configuration marked the value locked
};
static_assert(sizeof(DmcSnapshotRecord) == 16, "stored record layout");
