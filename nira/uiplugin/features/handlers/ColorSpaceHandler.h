// The handler of the input colour space (class 4138): the PrintTicket's colour management selects
// the driver's own colour handling (option 1) or another (option 3, which resets the picture
// adjustments).
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraColorSpaceHandler : public CNiraFeatureHandler {
public:
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnWidgetChanged(int widgetId) override;

private:
    int SelectColorSpace(LPCWSTR option);
    int ResetPicture();
};
