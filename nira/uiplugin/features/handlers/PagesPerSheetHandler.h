// The handler of pages per sheet (class 4128): DocumentNUp with its page count (4128) and page
// order (4129) in PrintTickets.
#pragma once

#include "nira/uiplugin/features/base/LayoutHandler.h"
#include "printticket/XDNUpFeature.h"

class CNiraPagesPerSheetHandler : public CNiraLayoutHandler {
public:
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;

private:
    void FillConverterTables();

    CXDNUpFeature m_converter;
    int m_pagesCount = 0;
    int m_orderCount = 0;
};
