#include "PrintSchemaFixture.h"

#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

#include "support/WString.h"

namespace {

class PrintCapabilitiesTest : public PrintSchemaTest {
protected:
    void LoadCapabilities(const Prefixes& p = Prefixes())
    {
        Load(m_dom, Document(TEXT("PrintCapabilities"), p, TEXT(R"(
  <{psf}Feature name="{psk}PageOrientation">
    <{psf}Property name="{psf}SelectionType"><{psf}Value {xsi}type="{xsd}QName">{psk}PickOne</{psf}Value></{psf}Property>
    <{psf}Option name="{psk}Portrait" />
  </{psf}Feature>)")));
    }

    // The children of an element as "local name(name attribute)=text;" in order.
    static WString Summary(IXMLDOMNode* element)
    {
        WString summary;
        CXDComPtr<IXMLDOMNodeList> children;
        EXPECT_EQ(element->get_childNodes(&children), S_OK);
        CXDComPtr<IXMLDOMNode> child;
        while (children->nextNode(&child) == S_OK) {
            CXDBstr local, text;
            child->get_baseName(&local);
            child->get_text(&text);
            summary += Str(local);
            CXDComPtr<IXMLDOMElement> asElement;
            if (SUCCEEDED(child.QueryTo(IID_IXMLDOMElement, asElement))) {
                VARIANT name;
                CXDBstr attribute(SysAllocString(TEXT("name")));
                if (asElement->getAttribute(attribute, &name) == S_OK) {
                    summary += TEXT("(") + Str(name.bstrVal) + TEXT(")");
                }
                VariantClear(&name);
            }
            summary += TEXT("=") + Str(text) + TEXT(";");
        }
        return summary;
    }

    static WString NameAttribute(IXMLDOMElement* element)
    {
        VARIANT name;
        CXDBstr attribute(SysAllocString(TEXT("name")));
        WString text = element->getAttribute(attribute, &name) == S_OK ? Str(name.bstrVal) : TEXT("(none)");
        VariantClear(&name);
        return text;
    }
};

TEST_F(PrintCapabilitiesTest, FeaturesCarryDisplayNameThenSelectionType)
{
    LoadCapabilities(Prefixes{TEXT("ns1"), TEXT("ns2"), TEXT("xsi"), TEXT("xsd"), TEXT("ns0000")});
    CXDPrintCapabilities capabilities(m_dom.Get());
    CXDComPtr<IXMLDOMElement> feature;
    ASSERT_EQ(capabilities.AddFeature(TEXT("PageOrientation"), TEXT("Orientation"), &feature), S_OK);
    EXPECT_EQ(NameAttribute(feature.Get()), TEXT("ns2:PageOrientation"));
    EXPECT_EQ(Summary(feature.Get()),
              TEXT("Property(ns2:DisplayName)=Orientation;Property(ns1:SelectionType)=ns2:PickOne;"));
    ASSERT_EQ(capabilities.AddFeature(TEXT("JobZQStore"), nullptr, &feature), S_OK);
    EXPECT_EQ(NameAttribute(feature.Get()), TEXT("ns0000:JobZQStore"));
    EXPECT_EQ(Summary(feature.Get()), TEXT("Property(ns1:SelectionType)=ns2:PickOne;"));
    EXPECT_EQ(capabilities.AddFeature(TEXT(""), nullptr, &feature), E_INVALIDARG);
    EXPECT_FALSE(feature);
}

TEST_F(PrintCapabilitiesTest, OptionsWithAndWithoutNamesAndIdentity)
{
    LoadCapabilities();
    CXDPrintCapabilities capabilities(m_dom.Get());
    CXDComPtr<IXMLDOMElement> option;
    ASSERT_EQ(capabilities.AddOption(nullptr, TEXT("Four sheets"), 0, &option), S_OK);
    EXPECT_EQ(NameAttribute(option.Get()), TEXT("(none)"));
    EXPECT_EQ(Summary(option.Get()), TEXT("Property(psk:DisplayName)=Four sheets;"));
    ASSERT_EQ(capabilities.AddOption(TEXT("ZQ_600dpi"), TEXT(""), 1, &option), S_OK);
    EXPECT_EQ(NameAttribute(option.Get()), TEXT("ns0000:ZQ_600dpi"));
    EXPECT_EQ(Summary(option.Get()), TEXT("Property(psf:IdentityOption)=True;"));
    ASSERT_EQ(capabilities.AddOption(TEXT("Landscape"), TEXT("12"), 1, &option), S_OK);
    EXPECT_EQ(Summary(option.Get()), TEXT("Property(psf:IdentityOption)=True;Property(psk:DisplayName)=12;"));
    CXDComPtr<IXMLDOMElement> reference;
    ASSERT_EQ(capabilities.CreateParameterRef(TEXT("PageZQPosterSheets"), &reference), S_OK);
    EXPECT_EQ(NameAttribute(reference.Get()), TEXT("ns0000:PageZQPosterSheets"));
}

TEST_F(PrintCapabilitiesTest, ParameterEntriesFormatTheirLimitsByDataType)
{
    LoadCapabilities();
    CXDPrintCapabilities capabilities(m_dom.Get());
    const struct {
        int dataType;
        double minimum, maximum, multiple;
        int displayId;
        LPCWSTR expected;
    } cases[] = {
        {CXDParameterEntry::kDecimalData, 0.1, 400, 0, 0,
         TEXT("Property(psf:DataType)=xsd:decimal;Property(psf:DefaultValue)=100;Property(psf:MaxValue)=400."
              "00;"
              "Property(psf:MinValue)=0.10;Property(psf:Mandatory)=psk:Conditional;Property(psf:UnitType)="
              "percent;")},
        {CXDParameterEntry::kDecimalData, 1, 2, 0.25, 0,
         TEXT("Property(psf:DataType)=xsd:decimal;Property(psf:DefaultValue)=100;Property(psf:MaxValue)=2.00;"
              "Property(psf:MinValue)=1.00;Property(psf:Mandatory)=psk:Conditional;Property(psf:UnitType)="
              "percent;"
              "Property(psf:Multiple)=0.25;")},
        {CXDParameterEntry::kIntegerData, 25.9, 400.7, 1.9, 4021,
         TEXT("Property(psf:DataType)=xsd:integer;Property(psf:DefaultValue)=100;Property(psf:MaxValue)=400;"
              "Property(psf:MinValue)=25;Property(psf:Mandatory)=psk:Conditional;Property(psf:UnitType)="
              "percent;"
              "Property(psf:Multiple)=1;Property(psk:DisplayName)=4021;")},
        {CXDParameterEntry::kIntegerData, -5e12, 5e12, 0.5, 0,
         TEXT("Property(psf:DataType)=xsd:integer;Property(psf:DefaultValue)=100;Property(psf:MaxValue)="
              "2147483647;"
              "Property(psf:MinValue)=-2147483648;Property(psf:Mandatory)=psk:Conditional;"
              "Property(psf:UnitType)=percent;")},
        {CXDParameterEntry::kStringData, 0, 25, 3, 0,
         TEXT("Property(psf:DataType)=xsd:string;Property(psf:DefaultValue)=100;Property(psf:MaxLength)=25;"
              "Property(psf:MinLength)=0;Property(psf:Mandatory)=psk:Conditional;Property(psf:UnitType)="
              "percent;")},
    };
    for (const auto& c : cases) {
        CXDParameterEntry entry;
        entry.name = TEXT("PageScalingScale");
        entry.dataType = c.dataType;
        entry.defaultValue = TEXT("100");
        entry.minValue = c.minimum;
        entry.maxValue = c.maximum;
        entry.multiple = c.multiple;
        entry.displayId = c.displayId;
        entry.unitType = TEXT("percent");
        CXDComPtr<IXMLDOMElement> definition;
        ASSERT_EQ(capabilities.AddParameterDefEntry(entry, &definition), S_OK);
        EXPECT_EQ(NameAttribute(definition.Get()), TEXT("psk:PageScalingScale"));
        WString summary = Summary(definition.Get());
        EXPECT_EQ(summary, c.expected) << std::string(summary.begin(), summary.end());
    }

    CXDParameterEntry odd;
    odd.name = TEXT("PageScalingScale");
    odd.dataType = 3;
    odd.defaultValue = TEXT("1");
    odd.unitType = TEXT("percent");
    CXDComPtr<IXMLDOMElement> definition;
    EXPECT_EQ(capabilities.AddParameterDefEntry(odd, &definition), E_INVALIDARG);
    EXPECT_FALSE(definition);
    odd.dataType = CXDParameterEntry::kIntegerData;
    odd.unitType = TEXT("");
    EXPECT_EQ(capabilities.AddParameterDefEntry(odd, &definition), E_INVALIDARG);
    EXPECT_FALSE(definition);
}

TEST_F(PrintCapabilitiesTest, StringParameterDefinitionWritesMaxBeforeMin)
{
    LoadCapabilities();
    CXDPrintCapabilities capabilities(m_dom.Get());
    CXDComPtr<IXMLDOMElement> definition;
    ASSERT_EQ(capabilities.AddParameterDef(TEXT("PageZQPrivateDevmodeSnapshot"), TEXT(""), TEXT("AA=="), 0,
                                           174760, TEXT("base64"), &definition),
              S_OK);
    EXPECT_EQ(NameAttribute(definition.Get()), TEXT("ns0000:PageZQPrivateDevmodeSnapshot"));
    EXPECT_EQ(Summary(definition.Get()), TEXT("Property(psf:DataType)=xsd:string;Property(psf:DefaultValue)="
                                              "AA==;Property(psf:MaxLength)=174760;"
                                              "Property(psf:MinLength)=0;Property(psf:Mandatory)=psk:"
                                              "Conditional;Property(psf:UnitType)=base64;"));

    // An empty unit type fails its property: the definition is still handed out, empty.
    ASSERT_EQ(
        capabilities.AddParameterDef(TEXT("PageZQX"), TEXT("Shown"), TEXT("1"), 0, 5, TEXT(""), &definition),
        E_INVALIDARG);
    ASSERT_TRUE(definition);
    EXPECT_EQ(Summary(definition.Get()), TEXT(""));
}

TEST_F(PrintCapabilitiesTest, AuthoredFeaturesRoundTripAndRemoveTheirDefinitions)
{
    LoadCapabilities(Prefixes{TEXT("ns1"), TEXT("ns2"), TEXT("ns3"), TEXT(""), TEXT("ns0000")});
    WString xml;
    {
        CXDPrintCapabilities capabilities(m_dom.Get());
        ASSERT_EQ(capabilities.RemoveFeature(TEXT("PagePoster")), S_FALSE);
        CXDComPtr<IXMLDOMElement> feature, option, reference, definition;
        ASSERT_EQ(capabilities.AddFeature(TEXT("PagePoster"), TEXT("Poster"), &feature), S_OK);
        ASSERT_EQ(capabilities.AddOption(nullptr, nullptr, 1, &option), S_OK);
        ASSERT_EQ(capabilities.CreateParameterRef(TEXT("PageZQPosterSheets"), &reference), S_OK);
        CXDComPtr<IXMLDOMNode> appended;
        ASSERT_EQ(option->appendChild(reference.Get(), &appended), S_OK);
        ASSERT_EQ(feature->appendChild(option.Get(), &appended), S_OK);
        CXDParameterEntry entry;
        entry.name = TEXT("PageZQPosterSheets");
        entry.dataType = CXDParameterEntry::kIntegerData;
        entry.defaultValue = TEXT("4");
        entry.minValue = 2;
        entry.maxValue = 25;
        entry.unitType = TEXT("sheets");
        ASSERT_EQ(capabilities.AddParameterDefEntry(entry, &definition), S_OK);
        ASSERT_EQ(capabilities.AppendToRoot(TEXT("PrintCapabilities"), feature.Get()), S_OK);
        ASSERT_EQ(capabilities.AppendToRoot(TEXT("PrintCapabilities"), definition.Get()), S_OK);
        xml = Xml(m_dom.Get());
    }
    CXDComPtr<IXMLDOMDocument2> reloaded;
    Load(reloaded, xml);
    EXPECT_EQ(Count(reloaded.Get(), TEXT("//f:Feature[@name = 'ns2:PagePoster']/f:Option/f:ParameterRef"
                                         "[@name = 'ns0000:PageZQPosterSheets']")),
              1);
    EXPECT_EQ(Count(reloaded.Get(), TEXT("//f:ParameterDef[@name = 'ns0000:PageZQPosterSheets']/f:Property"
                                         "[@name = 'ns1:MaxValue']/f:Value[. = '25'][@i:type = 'integer']")),
              1);
    {
        CXDPrintCapabilities capabilities(reloaded.Get());
        EXPECT_EQ(capabilities.GetFeatureElement(TEXT("PagePoster"), nullptr), S_OK);
        EXPECT_EQ(capabilities.RemoveFeature(TEXT("PagePoster")), S_FALSE);
        EXPECT_EQ(capabilities.GetFeatureElement(TEXT("PagePoster"), nullptr),
                  HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
    }
    EXPECT_EQ(Count(reloaded.Get(), TEXT("//f:ParameterDef")), 0);
    EXPECT_EQ(Count(reloaded.Get(), TEXT("//f:Feature")), 1);
}

TEST_F(PrintCapabilitiesTest, ACapabilitiesDocumentIsNotATicket)
{
    LoadCapabilities();
    EXPECT_EQ(Thrown([&] { CXDPrintTicket ticket(m_dom.Get()); }), E_FAIL);
    Load(m_dom, SampleTicket());
    EXPECT_EQ(Thrown([&] { CXDPrintCapabilities capabilities(m_dom.Get()); }), E_FAIL);
}

}  // namespace
