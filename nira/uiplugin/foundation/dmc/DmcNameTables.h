// The fixed tables that map the device-model configuration's names onto the UI's ids: feature
// names onto feature ids, and value names onto the option ids of one feature. Names compare
// without regard to ASCII case; the first matching row wins.
#pragma once

#include <windows.h>

struct DmcFeatureName {
    LPCWSTR name;
    int featureId;
};

struct DmcOptionName {
    LPCWSTR name;
    int featureId;
    int optionId;
};

constexpr int kDmcFeatureNameCount = 25;
constexpr int kDmcOptionNameCount = 259;
constexpr int kDmcNoId = -1;  // no feature has this id

extern const DmcFeatureName DmcFeatureNameTable[kDmcFeatureNameCount];
extern const DmcOptionName DmcOptionNameTable[kDmcOptionNameCount];

// The feature id of a configuration feature name; kDmcNoId when the table lacks it.
int DmcFeatureIdFromName(LPCWSTR name);
// The option id of a value name of the feature into *optionId; false, leaving it alone, when the
// table lacks the name. Option ids are signed and -1 is a real one (ink volume "Light"), so no id
// can stand for "not found".
bool DmcFindOptionId(int featureId, LPCWSTR name, int* optionId);
