#include "ConverterFixture.h"

#include "printticket/XDVocabulary.h"

#include "support/ComObjects.h"

#include "support/WString.h"

const WString kFrameworkUri = XDVocabulary::kFrameworkNamespace;
const WString kKeywordsUri = XDVocabulary::kKeywordsNamespace;
const WString kPrivateUri = XDVocabulary::kPrivateNamespace;

namespace {

void ReplaceAll(WString& text, const WString& from, const WString& to)
{
    for (size_t at = text.find(from); at != WString::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

BSTR Bstr(const WString& text)
{
    return SysAllocString(text.c_str());
}

}  // namespace

std::string Narrow(const WString& text)
{
    return std::string(text.begin(), text.end());
}

SchemaPrefixes UsualPrefixes()
{
    return {TEXT("psf"), TEXT("psk"), TEXT("ns0000")};
}

SchemaPrefixes OtherPrefixes()
{
    return {TEXT("fw"), TEXT("kw"), TEXT("ns0000")};
}

WString FeatureWithOption(const WString& feature, const WString& option, const WString& inner)
{
    return TEXT("<{f}Feature name=\"") + feature + TEXT("\"><{f}Option name=\"") + option + TEXT("\"/>") +
           inner + TEXT("</{f}Feature>");
}

WString SubFeatureWithOption(const WString& feature, const WString& option)
{
    return option.empty() ? WString() : FeatureWithOption(feature, option);
}

WString SchemaDocument(const WString& root, const WString& body, const SchemaPrefixes& p)
{
    WString text = TEXT("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<") + p.psf + TEXT(":") + root +
                   TEXT(" xmlns:") + p.psf + TEXT("=\"") + kFrameworkUri + TEXT("\" xmlns:") + p.psk +
                   TEXT("=\"") + kKeywordsUri + TEXT("\" xmlns:") + p.ns + TEXT("=\"") + kPrivateUri +
                   TEXT("\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"") +
                   TEXT(" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" version=\"1\">") + body +
                   TEXT("</") + p.psf + TEXT(":") + root + TEXT(">");
    ReplaceAll(text, TEXT("{f}"), p.psf + TEXT(":"));
    ReplaceAll(text, TEXT("{k}"), p.psk + TEXT(":"));
    ReplaceAll(text, TEXT("{n}"), p.ns + TEXT(":"));
    return text;
}

void ConverterTest::SetUp()
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
}

void ConverterTest::TearDown()
{
    m_dom.Reset();
    EXPECT_EQ(LiveComObjects(), 0) << "a DOM reference was not released";
    CoUninitialize();
}

void ConverterTest::Load(const WString& text)
{
    ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                               reinterpret_cast<void**>(&m_dom)),
              S_OK);
    CXDBstr xml(Bstr(text));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ASSERT_EQ(m_dom->loadXML(xml, &loaded), S_OK);
    ASSERT_EQ(loaded, VARIANT_TRUE) << Narrow(text);
}

void ConverterTest::LoadTicket(const WString& body, const SchemaPrefixes& prefixes)
{
    Load(SchemaDocument(TEXT("PrintTicket"), body, prefixes));
}

void ConverterTest::LoadCapabilities(const WString& body, const SchemaPrefixes& prefixes)
{
    Load(SchemaDocument(TEXT("PrintCapabilities"), body, prefixes));
}

void ConverterTest::Reload()
{
    WString text = Xml();
    Load(text);
}

WString ConverterTest::Xml()
{
    CXDBstr xml;
    EXPECT_EQ(m_dom->get_xml(&xml), S_OK);
    return xml.Get() ? WString(xml.Get()) : WString();
}

// Runs a selection with the test's own prefix bindings, then gives the document back the bindings
// it had, so that a document object made before goes on working.
template <class Select>
static void WithTestNamespaces(IXMLDOMDocument2* dom, Select select)
{
    CXDBstr property(Bstr(TEXT("SelectionNamespaces")));
    VARIANT previous;
    VariantInit(&previous);
    EXPECT_EQ(dom->getProperty(property, &previous), S_OK);
    VARIANT namespaces;
    VariantInit(&namespaces);
    namespaces.vt = VT_BSTR;
    namespaces.bstrVal =
        Bstr(TEXT("xmlns:f='") + kFrameworkUri + TEXT("' xmlns:k='") + kKeywordsUri + TEXT("' xmlns:n='") +
             kPrivateUri + TEXT("' xmlns:i='http://www.w3.org/2001/XMLSchema-instance'"));
    EXPECT_EQ(dom->setProperty(property, namespaces), S_OK);
    VariantClear(&namespaces);
    select();
    EXPECT_EQ(dom->setProperty(property, previous), S_OK);
    VariantClear(&previous);
}

LONG ConverterTest::Count(const WString& query)
{
    LONG count = -1;
    WithTestNamespaces(m_dom.Get(), [&] {
        CXDBstr text(Bstr(query));
        CXDComPtr<IXMLDOMNodeList> list;
        if (SUCCEEDED(m_dom->selectNodes(text, &list)) && list) {
            list->get_length(&count);
        }
    });
    return count;
}

WString ConverterTest::Text(const WString& query)
{
    WString result = TEXT("<none>");
    WithTestNamespaces(m_dom.Get(), [&] {
        CXDBstr text(Bstr(query));
        CXDComPtr<IXMLDOMNode> node;
        CXDBstr value;
        if (m_dom->selectSingleNode(text, &node) == S_OK && node && SUCCEEDED(node->get_text(&value))) {
            result = value.Get() ? WString(value.Get()) : WString();
        }
    });
    return result;
}
