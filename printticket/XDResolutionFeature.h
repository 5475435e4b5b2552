// The page-resolution converter: PageResolution in a PrintTicket as an index into its option
// table with the resolution in dots per inch, and the options the handler lists in the
// PrintCapabilities.
#pragma once

#include <windows.h>

#include "printticket/XDFeature.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

struct CXDResolutionValues {
    int index;        // 0 ZQ_300dpi, 1 ZQ_600dpi, 2 ZQ_1200dpi
    int resolutionX;  // dots per inch
    int resolutionY;  // dots per inch
};

class CXDResolutionFeature : public CXDFeature {
public:
    static constexpr int kOptionCount = 3;

    CXDResolutionFeature() = default;
    ~CXDResolutionFeature() override = default;

    // The values keep the caller's presets unless the ticket names a known option; the
    // resolution read is ResolutionX, given to both axes.
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, CXDResolutionValues* values);
    // Replaces PageResolution by the option at values->index (0 ... 2; others: E_INVALIDARG), whose
    // ResolutionX and ResolutionY both carry resolutionX.
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const CXDResolutionValues* values);
    // Replaces the feature in the capabilities by the listed options, each with its resolution.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);

    static LPCWSTR OptionName(int index);
    static int OptionResolution(int index);

    CXDOptionEntry feature;
    CXDOptionEntry options[kOptionCount];
};
