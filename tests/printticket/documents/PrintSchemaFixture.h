// Documents and helpers for the PrintTicket library's tests: PrintTickets and PrintCapabilities as
// Windows writes them, with the Print Schema namespaces bound to prefixes the test chooses.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDException.h"
#include "printticket/XDVocabulary.h"

#include "support/ComObjects.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include "support/WString.h"

// The prefixes a document binds; an empty one leaves that namespace undeclared. A private prefix
// equal to the keywords prefix is not declared again (the driver's names then share that namespace).
struct Prefixes {
    WString psf = TEXT("psf");
    WString psk = TEXT("psk");
    WString xsi = TEXT("xsi");
    WString xsd = TEXT("xsd");
    WString privateNs = TEXT("ns0000");
};
inline void PrintTo(const Prefixes& p, std::ostream* out)
{
    *out << std::string(p.psf.begin(), p.psf.end()) << "/" << std::string(p.psk.begin(), p.psk.end()) << "/"
         << std::string(p.xsd.begin(), p.xsd.end());
}

// The root's start tag for a document of that kind, declaring the namespaces of p.
WString RootStart(const WString& root, const Prefixes& p);
// The document with its body; names in the body are written with "{psf}", "{psk}", "{xsi}",
// "{xsd}" and "{ns}" where the prefixes (with their colon) go.
WString Document(const WString& root, const Prefixes& p, const WString& body);

// A PrintTicket with the features the tests read: orientation, a private resolution option,
// media size with scored properties, a nested N-up direction, a media type named only by its
// OptionName, page scaling through a ParameterRef, and a poster feature with two ParameterRefs.
WString SampleTicket(const Prefixes& p = Prefixes());

class PrintSchemaTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A DOM loaded with text.
    void Load(CXDComPtr<IXMLDOMDocument2>& dom, const WString& text);
    // An XPath selection on dom with the given prefix bindings ("xmlns:f='...'").
    LONG Count(IXMLDOMDocument2* dom, const WString& query, const WString& namespaces = DefaultNamespaces());
    WString Xml(IXMLDOMNode* node);
    static WString DefaultNamespaces();

    // The HRESULT a call throws, or S_OK.
    template <class Call>
    static HRESULT Thrown(Call call)
    {
        try {
            call();
        } catch (const CXDException& failure) {
            return failure.GetResult();
        }
        return S_OK;
    }

    CXDComPtr<IXMLDOMDocument2> m_dom;
};

inline WString Str(BSTR text)
{
    return text ? WString(text, SysStringLen(text)) : WString();
}
