// The binding converter: DocumentBinding (None or Booklet) and, for a booklet, the private
// sub-feature ZQBookletLayout (left-edge or right-edge binding).
#pragma once

#include <windows.h>

#include "printticket/XDFeature.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

struct BindingValues {
    int binding;  // 0 None, 1 Booklet
    int layout;   // 0 ZQLeftEdgeBindingLayout, 1 ZQRightEdgeBindingLayout (with Booklet)
};

class CXDBindingFeature : public CXDFeature {
public:
    CXDBindingFeature() = default;
    ~CXDBindingFeature() override = default;

    // Option names are matched by what they contain; the layout is read for a booklet only, and
    // a booklet without it answers not found.
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, BindingValues* values);
    // Replaces DocumentBinding; a binding outside 0 ... 1 gives E_INVALIDARG before the ticket is
    // touched, a booklet layout outside 0 ... 1 E_FAIL after the old feature was removed.
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const BindingValues* values);
    // Publishes DocumentBinding with its listed options and, when listed, the layout sub-feature.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);

    CXDOptionEntry binding;
    CXDOptionEntry bindingOptions[2];  // None, Booklet
    CXDOptionEntry layout;
    CXDOptionEntry layoutOptions[2];
};
