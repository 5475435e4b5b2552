// The handler of posters (class 4219): PagePoster and its tiles in PrintTickets, and, as the owner
// of feature 4219, the poster's reactions to a new poster and to the shortcuts' command 39.
#pragma once

#include "nira/uiplugin/features/base/LayoutHandler.h"
#include "printticket/XDPosterFeature.h"

class CNiraPosterHandler : public CNiraLayoutHandler {
public:
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnFeatureChanged(int featureId, int changeKind) override;

    const CXDPosterFeature& Converter() const { return m_converter; }

private:
    void FillConverterTables();

    CXDPosterFeature m_converter;
    int m_optionCount = 0;
};
