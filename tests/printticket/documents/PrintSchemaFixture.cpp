#include "PrintSchemaFixture.h"

#include "support/WString.h"

namespace {

WString Declaration(const WString& prefix, LPCWSTR uri)
{
    if (prefix.empty()) {
        return {};
    }
    return TEXT(" xmlns:") + prefix + TEXT("=\"") + uri + TEXT("\"");
}

WString Colon(const WString& prefix)
{
    return prefix.empty() ? prefix : prefix + TEXT(":");
}

void ReplaceAll(WString& text, const WString& from, const WString& to)
{
    for (size_t at = text.find(from); at != WString::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

WString RootStart(const WString& root, const Prefixes& p)
{
    return TEXT("<") + Colon(p.psf) + root + Declaration(p.psf, XDVocabulary::kFrameworkNamespace) +
           Declaration(p.xsi, XDVocabulary::kSchemaInstanceNamespace) +
           Declaration(p.xsd, XDVocabulary::kSchemaNamespace) + TEXT(" version=\"1\"") +
           Declaration(p.psk, XDVocabulary::kKeywordsNamespace) +
           (p.privateNs == p.psk ? WString() : Declaration(p.privateNs, XDVocabulary::kPrivateNamespace)) +
           TEXT(">");
}

WString Document(const WString& root, const Prefixes& p, const WString& body)
{
    WString text = TEXT("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n") + RootStart(root, p) + body +
                   TEXT("</") + Colon(p.psf) + root + TEXT(">");
    ReplaceAll(text, TEXT("{psf}"), Colon(p.psf));
    ReplaceAll(text, TEXT("{psk}"), Colon(p.psk));
    ReplaceAll(text, TEXT("{xsi}"), Colon(p.xsi));
    ReplaceAll(text, TEXT("{xsd}"), Colon(p.xsd));
    ReplaceAll(text, TEXT("{ns}"), Colon(p.privateNs));
    return text;
}

WString SampleTicket(const Prefixes& p)
{
    return Document(TEXT("PrintTicket"), p, TEXT(R"(
  <{psf}Feature name="{psk}PageOrientation">
    <{psf}Option name="{psk}Landscape" />
  </{psf}Feature>
  <{psf}Feature name="{psk}PageResolution">
    <{psf}Option name="{ns}ZQ_600dpi">
      <{psf}ScoredProperty name="{psk}ResolutionX"><{psf}Value {xsi}type="{xsd}integer">600</{psf}Value></{psf}ScoredProperty>
      <{psf}ScoredProperty name="{psk}ResolutionY"><{psf}Value {xsi}type="{xsd}integer">600</{psf}Value></{psf}ScoredProperty>
    </{psf}Option>
  </{psf}Feature>
  <{psf}Feature name="{psk}PageMediaSize">
    <{psf}Option name="{psk}NorthAmericaLetter">
      <{psf}ScoredProperty name="{psk}MediaSizeWidth">
        <{psf}Value {xsi}type="{xsd}integer">215900</{psf}Value>
      </{psf}ScoredProperty>
      <{psf}ScoredProperty name="{psk}MediaSizeHeight">
        <{psf}Value {xsi}type="{xsd}integer">279400</{psf}Value>
      </{psf}ScoredProperty>
    </{psf}Option>
  </{psf}Feature>
  <{psf}Feature name="{psk}DocumentNUp">
    <{psf}Option>
      <{psf}ScoredProperty name="{psk}PagesPerSheet"><{psf}Value {xsi}type="{xsd}integer">2</{psf}Value></{psf}ScoredProperty>
    </{psf}Option>
    <{psf}Feature name="{psk}PresentationDirection">
      <{psf}Option name="{psk}RightBottom" />
    </{psf}Feature>
  </{psf}Feature>
  <{psf}Feature name="{psk}PageMediaType">
    <{psf}Option>
      <{psf}ScoredProperty name="{psk}OptionName"><{psf}Value {xsi}type="{xsd}string">Plain</{psf}Value></{psf}ScoredProperty>
    </{psf}Option>
  </{psf}Feature>
  <{psf}Feature name="{psk}PageScaling">
    <{psf}Option name="{psk}CustomSquare">
      <{psf}ScoredProperty name="{psk}Scale"><{psf}ParameterRef name="{psk}PageScalingScale" /></{psf}ScoredProperty>
    </{psf}Option>
  </{psf}Feature>
  <{psf}ParameterInit name="{psk}PageScalingScale"><{psf}Value {xsi}type="{xsd}integer">150</{psf}Value></{psf}ParameterInit>
  <{psf}Feature name="{psk}PagePoster">
    <{psf}Option>
      <{psf}ScoredProperty name="{psk}SheetsPerPage"><{psf}ParameterRef name="{ns}PageZQPosterSheets" /></{psf}ScoredProperty>
      <{psf}ScoredProperty name="{ns}ZQSelectedTiles"><{psf}ParameterRef name="{ns}PageZQSelectedPosterTilesList" /></{psf}ScoredProperty>
    </{psf}Option>
  </{psf}Feature>
  <{psf}ParameterInit name="{ns}PageZQPosterSheets"><{psf}Value {xsi}type="{xsd}integer">4</{psf}Value></{psf}ParameterInit>
  <{psf}ParameterInit name="{ns}PageZQSelectedPosterTilesList"><{psf}Value {xsi}type="{xsd}string">1,3</{psf}Value></{psf}ParameterInit>
)"));
}

void PrintSchemaTest::SetUp()
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
}

void PrintSchemaTest::TearDown()
{
    m_dom.Reset();
    EXPECT_EQ(LiveComObjects(), 0) << "a DOM reference was not released";
    CoUninitialize();
}

void PrintSchemaTest::Load(CXDComPtr<IXMLDOMDocument2>& dom, const WString& text)
{
    ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                               reinterpret_cast<void**>(&dom)),
              S_OK);
    CXDBstr xml(SysAllocString(text.c_str()));
    VARIANT_BOOL ok = VARIANT_FALSE;
    ASSERT_EQ(dom->loadXML(xml, &ok), S_OK);
    ASSERT_EQ(ok, VARIANT_TRUE);
}

WString PrintSchemaTest::DefaultNamespaces()
{
    return WString(TEXT("xmlns:f='")) + XDVocabulary::kFrameworkNamespace + TEXT("' xmlns:k='") +
           XDVocabulary::kKeywordsNamespace + TEXT("' xmlns:i='") + XDVocabulary::kSchemaInstanceNamespace +
           TEXT("'");
}

LONG PrintSchemaTest::Count(IXMLDOMDocument2* dom, const WString& query, const WString& namespaces)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(namespaces.c_str());
    CXDBstr name(SysAllocString(TEXT("SelectionNamespaces")));
    EXPECT_EQ(dom->setProperty(name, value), S_OK);
    VariantClear(&value);
    CXDBstr text(SysAllocString(query.c_str()));
    CXDComPtr<IXMLDOMNodeList> list;
    LONG count = -1;
    if (SUCCEEDED(dom->selectNodes(text, &list)) && list) {
        list->get_length(&count);
    }
    return count;
}

WString PrintSchemaTest::Xml(IXMLDOMNode* node)
{
    CXDBstr xml;
    EXPECT_EQ(node->get_xml(&xml), S_OK);
    return Str(xml);
}
