// The handler of fit to size (class 4120): PageScaling in PrintTickets (fit mode 4120, target paper
// 4121, percentage 4142), the target papers of the user's forms, and the poster's switch-off.
#pragma once

#include "nira/uiplugin/features/base/LayoutHandler.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "printticket/XDPageScalingFeature.h"

class CNiraFitToSizeHandler : public CNiraLayoutHandler {
public:
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    const CXDPageScalingFeature& Converter() const { return m_converter; }

private:
    void FillConverterTables();
    int AddTargetSizeOption(int paperIndex, LPCWSTR name);
    // The user's forms as the paper list loaded them (paper index -> CustomForm).
    int AddTargetSizeOptions(const CNiraIdMap& forms);
    int ReadValues(const PageScalingValues& values);

    CXDPageScalingFeature m_converter;
    int m_optionCount = 0;
};
