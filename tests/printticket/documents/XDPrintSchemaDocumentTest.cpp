#include "PrintSchemaFixture.h"

#include "printticket/XDPrintTicket.h"
#include "printticket/XDXPathQuery.h"

#include "support/WString.h"

namespace {

using PrintSchemaDocument = PrintSchemaTest;

TEST_F(PrintSchemaDocument, FindsThePrefixesTheRootBinds)
{
    const struct {
        Prefixes prefixes;
        LPCWSTR psf, psk, xsi, xsd;
    } cases[] = {
        {Prefixes(), TEXT("psf:"), TEXT("psk:"), TEXT("xsi:"), TEXT("xsd:")},
        {Prefixes{TEXT("ns1"), TEXT("ns2"), TEXT("ns3"), TEXT("ns4"), TEXT("ns0000")}, TEXT("ns1:"),
         TEXT("ns2:"), TEXT("ns3:"), TEXT("ns4:")},
        // Keywords bound to ns0000, as some writers do; no XML Schema namespace at all.
        {Prefixes{TEXT("psf"), TEXT("ns0000"), TEXT("xsi"), TEXT(""), TEXT("")}, TEXT("psf:"),
         TEXT("ns0000:"), TEXT("xsi:"), TEXT("")},
    };
    for (const auto& c : cases) {
        Load(m_dom, SampleTicket(c.prefixes));
        CXDPrintTicket ticket(m_dom.Get());
        EXPECT_EQ(WString(ticket.GetPsfPrefix()), c.psf);
        EXPECT_EQ(WString(ticket.GetPskPrefix()), c.psk);
        EXPECT_EQ(WString(ticket.GetXsiPrefix()), c.xsi);
        EXPECT_EQ(WString(ticket.GetXsdPrefix()), c.xsd);
        EXPECT_EQ(WString(ticket.GetPrivatePrefix()), TEXT("ns0000:"));
        // The document's own prefixes keep working after construction.
        CXDBstr prefix;
        EXPECT_EQ(ticket.FindNamespacePrefix(XDVocabulary::kKeywordsNamespace, &prefix), S_OK);
        EXPECT_EQ(Str(prefix), c.psk);
    }
}

TEST_F(PrintSchemaDocument, ConstructionNeedsTheRootInTheFrameworkNamespace)
{
    EXPECT_EQ(Thrown([] { CXDPrintTicket ticket(nullptr); }), E_PENDING);

    const WString otherNamespace = TEXT("<p:PrintTicket xmlns:p=\"urn:other\" version=\"1\"/>");
    const WString capabilities = Document(TEXT("PrintCapabilities"), Prefixes(), TEXT(""));
    for (const WString& text : {otherNamespace, capabilities}) {
        Load(m_dom, text);
        EXPECT_EQ(Thrown([&] { CXDPrintTicket ticket(m_dom.Get()); }), E_FAIL);
    }
}

TEST_F(PrintSchemaDocument, NameRuleGivesPrivateKeywordOrNoPrefix)
{
    Load(m_dom, SampleTicket());
    CXDPrintTicket ticket(m_dom.Get());
    const struct {
        LPCWSTR name;
        LPCWSTR prefix;  // null: left as it was
    } cases[] = {{TEXT("PageOrientation"), TEXT("psk:")},
                 {TEXT("ZQRotatePortrait90"), TEXT("ns0000:")},
                 {TEXT("PageZQSelectedPosterTilesList"), TEXT("ns0000:")},
                 {TEXT("JobZQStore"), TEXT("ns0000:")},
                 {TEXT("DocumentZQBooklet"), TEXT("ns0000:")},
                 {TEXT("JobTextAsBlack"), TEXT("ns0000:")},
                 {TEXT("False"), TEXT("ns0000:")},
                 {TEXT("AlwaysTrue"), TEXT("ns0000:")},
                 {TEXT("Zoom"), TEXT("psk:")},
                 {TEXT("psk:Portrait"), nullptr}};
    for (const auto& c : cases) {
        CXDBstr prefix;
        EXPECT_EQ(ticket.GetNamePrefix(c.name, &prefix), S_OK);
        EXPECT_EQ(Str(prefix), c.prefix ? c.prefix : TEXT("")) << std::string(c.name, c.name + 3);
    }
    CXDBstr qualified;
    EXPECT_EQ(ticket.GetQualifiedName(TEXT("psk:ISOA4"), &qualified), S_OK);
    EXPECT_EQ(Str(qualified), TEXT("psk:ISOA4"));
    CXDBstr prefix;
    EXPECT_EQ(ticket.GetNamePrefix(TEXT(""), &prefix), E_INVALIDARG);
    EXPECT_EQ(ticket.GetNamePrefix(TEXT("x"), nullptr), E_POINTER);
}

TEST_F(PrintSchemaDocument, FormatsAndStripsNames)
{
    Load(m_dom, SampleTicket());
    CXDPrintTicket ticket(m_dom.Get());
    CXDBstr text(SysAllocString(TEXT("kept")));
    EXPECT_EQ(ticket.FormatInteger(0, text.InOut()), S_OK);
    EXPECT_EQ(Str(text), TEXT("kept"));
    EXPECT_EQ(ticket.FormatInteger(-5, text.InOut()), S_OK);
    EXPECT_EQ(Str(text), TEXT("-5"));

    CXDBstr name(SysAllocString(TEXT("ns0000:ZQ_600dpi")));
    EXPECT_EQ(ticket.StripNamePrefix(name.InOut()), S_OK);
    EXPECT_EQ(Str(name), TEXT("ZQ_600dpi"));
    EXPECT_EQ(ticket.StripNamePrefix(name.InOut()), S_OK);
    EXPECT_EQ(Str(name), TEXT("ZQ_600dpi"));
    CXDBstr empty;
    EXPECT_EQ(ticket.StripNamePrefix(empty.InOut()), E_INVALIDARG);
}

TEST_F(PrintSchemaDocument, TypedValuesUseTheDocumentsPrefixes)
{
    Load(m_dom, SampleTicket(Prefixes{TEXT("ns1"), TEXT("ns2"), TEXT("ns3"), TEXT(""), TEXT("ns0000")}));
    CXDPrintTicket ticket(m_dom.Get());
    CXDComPtr<IXMLDOMElement> property;
    ASSERT_EQ(ticket.SetScoredPropertyInteger(TEXT("MediaSizeWidth"), 76200, &property), S_OK);
    WString xml = Xml(property.Get());
    EXPECT_EQ(xml.find(TEXT("<ns1:ScoredProperty")), 0u) << std::string(xml.begin(), xml.end());
    EXPECT_NE(xml.find(TEXT("name=\"ns2:MediaSizeWidth\"")), WString::npos);
    // No XML Schema prefix: the bare type name.
    EXPECT_NE(xml.find(TEXT("<ns1:Value")), WString::npos);
    EXPECT_NE(xml.find(TEXT(" ns3:type=\"integer\">76200</ns1:Value>")), WString::npos);

    ASSERT_EQ(ticket.SetFrameworkPropertyValue(TEXT("SelectionType"), TEXT("QName"), TEXT("ns2:PickOne"),
                                               &property),
              S_OK);
    EXPECT_NE(Xml(property.Get()).find(TEXT("name=\"ns1:SelectionType\"")), WString::npos);
    ASSERT_EQ(ticket.SetPropertyValue(TEXT("DisplayName"), TEXT("string"), TEXT("Orientation"), &property),
              S_OK);
    EXPECT_NE(Xml(property.Get()).find(TEXT("name=\"ns2:DisplayName\"")), WString::npos);

    EXPECT_EQ(ticket.SetPropertyValue(TEXT("DisplayName"), TEXT("string"), TEXT(""), &property),
              E_INVALIDARG);
    EXPECT_FALSE(property);
    EXPECT_EQ(ticket.SetScoredPropertyText(TEXT("X"), nullptr, &property), E_INVALIDARG);
    EXPECT_EQ(ticket.CreatePropertyElement(TEXT("X"), nullptr), E_POINTER);
}

TEST_F(PrintSchemaDocument, SelectionChecksItsArguments)
{
    Load(m_dom, SampleTicket());
    CXDPrintTicket ticket(m_dom.Get());
    CXDComPtr<IXMLDOMNode> node;
    EXPECT_EQ(ticket.SelectSingleNode(TEXT("psf:PrintTicket"), nullptr), E_POINTER);
    EXPECT_EQ(ticket.SelectSingleNode(TEXT(""), &node), E_INVALIDARG);
    EXPECT_EQ(ticket.SelectSingleNode(TEXT("psf:PrintTicket"), &node), S_OK);
    EXPECT_EQ(ticket.SelectSingleNode(TEXT("psf:Nothing"), &node), S_FALSE);
    CXDComPtr<IXMLDOMNodeList> list;
    EXPECT_EQ(ticket.SelectNodes(TEXT(""), &list, 1), E_FAIL);
    ASSERT_EQ(ticket.SelectNodes(TEXT("ParameterInit"), &list, 1), S_OK);
    LONG length = 0;
    list->get_length(&length);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(ticket.RemoveNode(nullptr), E_POINTER);
    CXDBstr text;
    EXPECT_EQ(ticket.GetAttributeText(nullptr, TEXT("name"), &text), E_POINTER);
}

TEST_F(PrintSchemaDocument, ValueTextFollowsAParameterRefAnywhere)
{
    Load(m_dom, SampleTicket());
    CXDPrintTicket ticket(m_dom.Get());
    CXDBstr text;
    EXPECT_EQ(ticket.GetNodeValueText(TEXT("//psf:ScoredProperty[@name = \"psk:Scale\"]"), &text), S_OK);
    EXPECT_EQ(Str(text), TEXT("150"));
    EXPECT_EQ(ticket.GetNodeValueText(TEXT("//psf:ScoredProperty[@name = \"psk:MediaSizeWidth\"]"), &text),
              S_OK);
    EXPECT_EQ(Str(text), TEXT("215900"));  // white space around the value is not part of it
    EXPECT_EQ(ticket.GetNodeValueText(TEXT("//psf:Feature[@name = \"psk:PageOrientation\"]"), &text),
              S_FALSE);
    EXPECT_EQ(text.Get(), nullptr);
}

TEST(XDXPathQuery, BuildsStepsWithTheFrameworkPrefix)
{
    CXDXPathQuery query(TEXT("ns1:"));
    EXPECT_EQ(query.AddFeature(TEXT("ns2:"), TEXT("DocumentNUp")), S_OK);
    EXPECT_EQ(query.AddFeature(nullptr, TEXT("ns2:PresentationDirection")), S_OK);
    EXPECT_EQ(query.AddOptionValue(TEXT("ns2:")), S_OK);
    CXDBstr text;
    ASSERT_EQ(query.GetQuery(&text), S_OK);
    const WString q = TEXT(
        "//ns1:Feature[@name = \"ns2:DocumentNUp\"]//ns1:Feature[@name = "
        "\"ns2:PresentationDirection\"]");
    EXPECT_EQ(Str(text), q + TEXT("/ns1:Option | ") + q +
                             TEXT("/ns1:ScoredProperty[@name = \"ns2:OptionName\"]/ns1:Value"));

    CXDXPathQuery without(TEXT(""));
    EXPECT_EQ(without.AddScoredProperty(TEXT("p:"), TEXT("x")), E_FAIL);
    EXPECT_EQ(without.AddOptionValue(TEXT("p:")), E_FAIL);
    EXPECT_EQ(without.GetQuery(nullptr), E_POINTER);
}

}  // namespace
