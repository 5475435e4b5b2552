#include "printticket/XDPrintTicket.h"

#include "printticket/XDGuard.h"
#include "printticket/XDVocabulary.h"
#include "printticket/XDXPathQuery.h"

CXDPrintTicketDocument::CXDPrintTicketDocument(IXMLDOMDocument2* document)
    : CXDPrintSchemaDocument(XDVocabulary::kPrintTicket, document)
{
}

CXDPrintTicketDocument::~CXDPrintTicketDocument() = default;

HRESULT CXDPrintTicketDocument::RemoveFeature(LPCWSTR name)
{
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery featureQuery(GetPsfPrefix());
        XDThrowIfFailed(featureQuery.AddFeature(nullptr, QualifiedName(name).GetBuffer()));
        CXDString referenceQuery(featureQuery.GetText());
        referenceQuery.Append(TEXT("//"));
        referenceQuery.Append(GetPsfPrefix());
        referenceQuery.Append(XDVocabulary::kParameterRef);
        HRESULT hr;
        CXDComPtr<IXMLDOMNode> feature;
        while ((hr = SelectSingleNode(featureQuery.GetText(), &feature)) == S_OK) {
            // The references are listed while the feature is still in place.
            CXDComPtr<IXMLDOMNodeList> references;
            SelectNodes(referenceQuery.GetBuffer(), &references, 0);
            hr = RemoveNode(feature.Get());
            if (SUCCEEDED(hr) && references)
                hr = RemoveReferencedParameterInits(references.Get());
            if (FAILED(hr))
                return hr;
        }
        return hr;
    });
}

CXDPrintTicket::CXDPrintTicket(IXMLDOMDocument2* document) : CXDPrintTicketDocument(document) {}

CXDPrintTicket::~CXDPrintTicket() = default;
