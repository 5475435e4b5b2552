// Filling a PrintTicket converter's option table from the capability database: the options of a
// feature whose PrintTicket name is not "0", appended at the table's count up to its capacity.
#pragma once

#include "printticket/XDFeature.h"

class INiraCoreServices;

struct ConverterOptionTable {
    INiraCoreServices* services;
    int featureId;
    CXDOptionEntry* options;
    int capacity;
    int count;
};

// Appends the feature's database options; the first options are kept when there are more than
// the table holds.
void AppendConverterOptions(ConverterOptionTable& table);
