// Documents and checks for the converter tests: PrintTickets and PrintCapabilities written by the
// tests themselves, with the Print Schema namespaces bound to the prefixes a test chooses.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

// The prefixes a document binds to the framework, keywords and private namespaces.
struct SchemaPrefixes {
    WString psf;
    WString psk;
    WString ns;
};

// The usual prefixes, and others, so that nothing can depend on "psf:" and "psk:".
SchemaPrefixes UsualPrefixes();
SchemaPrefixes OtherPrefixes();

// A document with that root ("PrintTicket" or "PrintCapabilities") and body. In the body "{f}",
// "{k}" and "{n}" stand for the framework, keywords and private prefixes with their colons.
WString SchemaDocument(const WString& root, const WString& body,
                       const SchemaPrefixes& prefixes = UsualPrefixes());

// A feature with one named option, followed by what else the feature holds (sub-features), in
// the body notation above. An empty sub-feature option leaves that sub-feature out.
WString FeatureWithOption(const WString& feature, const WString& option, const WString& inner = WString());
WString SubFeatureWithOption(const WString& feature, const WString& option);

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a new DOM into m_dom.
    void Load(const WString& text);
    void LoadTicket(const WString& body, const SchemaPrefixes& prefixes = UsualPrefixes());
    void LoadCapabilities(const WString& body, const SchemaPrefixes& prefixes = UsualPrefixes());
    // Serialises m_dom and loads the text again, as the platform hands a document on.
    void Reload();

    // XPath on m_dom with f, k, n and i bound to the framework, keywords, private and XML Schema-
    // instance namespaces, whatever prefixes the document uses.
    LONG Count(const WString& query);
    // The text of the first node the query selects; "<none>" when none.
    WString Text(const WString& query);
    WString Xml();

    CXDComPtr<IXMLDOMDocument2> m_dom;
};

// Print Schema namespace texts for the tests.
extern const WString kFrameworkUri;
extern const WString kKeywordsUri;
extern const WString kPrivateUri;

// What googletest prints for UTF-16 text.
std::string Narrow(const WString& text);

constexpr HRESULT kNotFound = static_cast<HRESULT>(0x80070490);
