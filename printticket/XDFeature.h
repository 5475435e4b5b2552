// The description that a feature handler fills for its PrintTicket converter: the feature and
// option names it publishes in the PrintCapabilities and how each is flagged.
#pragma once

#include "printticket/XDString.h"

// One feature or option of a converter description.
struct CXDOptionEntry {
    CXDString name;     // Print Schema name without prefix; the name rule gives it one when written
    int listed = 0;     // an option is published only when this is 1
    int displayId = 0;  // non-zero: its decimal text becomes the DisplayName
    int value = 0;      // set by the handlers, not read by the converters
    int flag = 0;       // for an option: 1 makes it the identity option
};

// Base of every converter description; the handler owns the object for its life.
class CXDFeature {
public:
    CXDFeature() = default;
    CXDFeature(const CXDFeature&) = delete;
    CXDFeature& operator=(const CXDFeature&) = delete;
    virtual ~CXDFeature() = default;
};
