// A record of each converter written into a ticket and checked when read back, shared by the
// round-trip tests and the failure sweep of the converters.
#pragma once

#include "ConverterFixture.h"

#include "printticket/XDPrintTicket.h"

#include <functional>
#include <vector>

#include "support/WString.h"

struct RoundTripCase {
    const char* name;
    std::function<HRESULT(CXDPrintTicket&)> write;
    std::function<void(CXDPrintTicket&)> readBack;  // checks the record read from the written ticket
    WString feature;                                // "{k}Name" or "{n}Name"
    std::vector<WString> parameterInits;            // likewise
};

std::vector<RoundTripCase> RoundTripCases();

// A ticket body that already holds a feature the converters must leave alone.
extern const WString kOtherFeature;
