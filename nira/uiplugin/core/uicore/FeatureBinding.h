// What the UI core keeps for every accepted feature row: the handler that serves the feature and
// the row's state and class. A zero-filled LocalAlloc record.
#pragma once

#include <windows.h>

class INiraFeatureHandler;

struct FeatureBinding {
    INiraFeatureHandler* handler;  // null when no handler serves the feature
    int featureState;              // the row's FeatureState; 0 when the handler refused the feature
    int genericHandler;            // 1 when the class id has no class of its own
    int isPrinterFeature;          // 1 for feature ids below 6000
    int classId;                   // the row's ClassId
};
