// The handler of booklets (class 4130): DocumentBinding and its layout in PrintTickets.
#pragma once

#include "nira/uiplugin/features/base/LayoutHandler.h"
#include "printticket/XDBindingFeature.h"

class CNiraBookletHandler : public CNiraLayoutHandler {
public:
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;

private:
    void FillConverterTables();

    CXDBindingFeature m_converter;
    int m_optionCount = 0;
};
