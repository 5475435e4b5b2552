// PrintTicket documents. CXDPrintTicket is what callers construct on the DOM they were handed.
#pragma once

#include "printticket/XDPrintSchemaDocument.h"

class CXDPrintTicketDocument : public CXDPrintSchemaDocument {
public:
    explicit CXDPrintTicketDocument(IXMLDOMDocument2* document);
    ~CXDPrintTicketDocument() override;

    // Removes every feature of that name with the ParameterInit elements its options refer to,
    // wherever they stand; S_FALSE once none is left (also when there was none).
    HRESULT RemoveFeature(LPCWSTR name) override;
};

class CXDPrintTicket : public CXDPrintTicketDocument {
public:
    explicit CXDPrintTicket(IXMLDOMDocument2* document);
    ~CXDPrintTicket() override;
};
