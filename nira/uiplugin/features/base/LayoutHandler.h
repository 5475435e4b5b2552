// What the layout handlers share: writing a feature's option with a fixed caller, reading one, and
// the entries of a converter's tables.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "printticket/XDFeature.h"

class CXDPrintTicket;

class CNiraLayoutHandler : public CNiraFeatureHandler {
protected:
    // SetValue with the handler's change state (2) and no user choice.
    int SetOption(int callerId, int featureId, int option);
    // The current option of a feature, 0 when it cannot be read.
    int CurrentOption(int featureId);
    // A converter table entry: {name, offered, display number, third number, identity}.
    static void SetEntry(CXDOptionEntry& entry, LPCWSTR name, int offered, int displayNumber, int third,
                         int identity);
    // The feature's PrintTicket name into entry with (1, 0, 1, 0); false when it has none.
    bool TakeFeatureName(int featureId, CXDOptionEntry& entry);
    // The feature's database options appended to a table of that capacity; the count appended.
    int AppendDatabaseOptions(int featureId, CXDOptionEntry* options, int capacity);
};
