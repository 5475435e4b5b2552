// The options of a feature as DeviceCapabilities lists them: each option's public value and its
// display name cut to the list's name size, in the order the core services walk them.
#pragma once

#include <windows.h>

#include <vector>

class INiraCoreServices;

struct OptionList {
    size_t count = 0;
    size_t nameChars = 0;
    std::vector<int> values;
    std::vector<WCHAR> names;  // count entries of nameChars characters, each terminated

    const WCHAR* Name(size_t index) const { return names.data() + index * nameChars; }
};

// Walks the feature's options into a list of count entries; false when the walk failed or the
// list could not be had. Options beyond count are not taken.
bool CollectOptions(INiraCoreServices& services, int featureId, size_t count, size_t nameChars,
                    OptionList& list);
