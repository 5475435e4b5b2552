// The handler of the roll cut (classes 4254 and 4255, one object each): DocumentRollCut with the
// cut (4132) and the saving of roll paper (4133) in PrintTickets.
#pragma once

#include "nira/uiplugin/features/base/LayoutHandler.h"
#include "printticket/XDRollCutFeature.h"

class CNiraRollCutHandler : public CNiraLayoutHandler {
public:
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;

private:
    void FillConverterTables();

    CXDRollCutFeature m_converter;
};
