// The page-scaling converter: PageScaling with the options None, CustomSquare (a percentage) and
// the private ZQPrintDocumentOn (fit the page onto a target paper), whose values travel as
// ParameterInit elements.
#pragma once

#include <windows.h>

#include "printticket/XDFeature.h"
#include "printticket/XDPrintCapabilities.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

struct PageScalingValues {
    int kind;          // 0 None, 1 ZQPrintDocumentOn, 2 CustomSquare
    int scale;         // percent for CustomSquare, 25 ... 400
    float factor;      // worked out by a read; a write ignores it
    int scaleToFit;    // ZQScaleToFit of ZQPrintDocumentOn, 0 or 1
    int targetWidth;   // target paper of ZQPrintDocumentOn, microns
    int targetHeight;  // microns
};

class CXDPageScalingFeature : public CXDFeature {
public:
    static constexpr int kMinimumScale = 25;
    static constexpr int kMaximumScale = 400;
    static constexpr int kOptionSlots = 3;
    static constexpr int kFitParameters = 3;

    CXDPageScalingFeature() = default;
    ~CXDPageScalingFeature() override = default;

    // None answers S_FALSE and changes nothing; CustomSquare gives the scale clamped to 25 ... 400
    // and its factor; ZQPrintDocumentOn gives the target and the factor that fits the ticket's
    // page onto it (left as preset when the ticket has no usable PageMediaSize).
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, PageScalingValues* values);
    // Replaces PageScaling and the ParameterInit elements of its values; a kind outside 0 ... 2
    // gives E_INVALIDARG before the ticket is touched.
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const PageScalingValues* values);
    // Publishes PageScaling with its listed option slots and the listed ParameterDefs.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);

    CXDOptionEntry scaling;
    // Positional: slot 0 a plain option, slot 1 the fit-to-size option, slot 2 the custom square.
    CXDOptionEntry scalingOptions[kOptionSlots];
    // PageScalingScaleWidth, PageScalingScaleHeight, PageZQPrintDocumentOnScaleToFit.
    CXDParameterEntry fitParameters[kFitParameters];
    CXDParameterEntry scaleParameter;  // PageScalingScale
    int optionCount = 0;               // option slots the handler filled
};
