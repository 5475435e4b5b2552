// The page-orientation converter: PageOrientation in a PrintTicket as an index into its option
// table, and the options the handler lists in the PrintCapabilities.
#pragma once

#include <windows.h>

#include "printticket/XDFeature.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

class CXDOrientationFeature : public CXDFeature {
public:
    static constexpr int kOptionCount = 6;  // Portrait ... ZQRotateLandscape90

    CXDOrientationFeature() = default;
    ~CXDOrientationFeature() override = default;

    // index keeps the caller's value unless the ticket names a known option; not found without
    // the feature.
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, int* index);
    // Replaces PageOrientation by the option at *index (0 ... 5; other indexes: E_INVALIDARG).
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const int* index);
    // Replaces PageOrientation in the capabilities by the listed options of this description.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);

    // The option names of the table, by index.
    static LPCWSTR OptionName(int index);

    CXDOptionEntry feature;
    CXDOptionEntry options[kOptionCount];
};
