// The heap records (LocalAlloc) of the UI core's lists of queued changes and conflicts.
#pragma once

// A change that waits for the feature before it to be handled; action 1 applies the option,
// actions 0 and 2 only drop the record.
struct QueuedChange {
    int featureId;
    int optionId;
    int action;
};

// A feature left in conflict by a change, one per pending record of the settings.
struct ConflictRecord {
    int featureId;
    int optionId;
};
