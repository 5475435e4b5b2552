#include "printticket/XDPrintTicket.h"

#include "printticket/XDVocabulary.h"

CXDPrintTicketDocument::CXDPrintTicketDocument(IXMLDOMDocument2* document)
    : CXDPrintSchemaDocument(XDVocabulary::kPrintTicket, document)
{}

CXDPrintTicketDocument::~CXDPrintTicketDocument() = default;

HRESULT CXDPrintTicketDocument::RemoveFeature(LPCWSTR name)
{
    return RemoveFeatureAndParameters(name, XDVocabulary::kParameterInit);
}

CXDPrintTicket::CXDPrintTicket(IXMLDOMDocument2* document) : CXDPrintTicketDocument(document) {}

CXDPrintTicket::~CXDPrintTicket() = default;
