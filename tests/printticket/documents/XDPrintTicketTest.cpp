#include "PrintSchemaFixture.h"

#include "printticket/XDPrintTicket.h"

#include "support/WString.h"
#include "support/Wine.h"

namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

class PrintTicketTest : public PrintSchemaTest, public ::testing::WithParamInterface<Prefixes> {};

const Prefixes kPrefixSets[] = {
    Prefixes(),
    Prefixes{TEXT("ns1"), TEXT("ns2"), TEXT("ns3"), TEXT("ns4"), TEXT("ns0000")},
    Prefixes{TEXT("psf"), TEXT("psk"), TEXT("xsi"), TEXT(""), TEXT("ns0000")},
    Prefixes{TEXT("psf"), TEXT("ns0000"), TEXT("xsi"), TEXT("xsd"), TEXT("ns0000")},
};

INSTANTIATE_TEST_SUITE_P(Prefixes, PrintTicketTest, ::testing::ValuesIn(kPrefixSets));

TEST_P(PrintTicketTest, ReadsSelectedOptionsWithoutTheirPrefix)
{
    Load(m_dom, SampleTicket(GetParam()));
    CXDPrintTicket ticket(m_dom.Get());
    const struct {
        LPCWSTR feature;
        LPCWSTR option;
    } cases[] = {{TEXT("PageOrientation"), TEXT("Landscape")},
                 {TEXT("PageResolution"), TEXT("ZQ_600dpi")},
                 {TEXT("PageMediaSize"), TEXT("NorthAmericaLetter")},
                 {TEXT("PageMediaType"), TEXT("Plain")}};  // an Option named by its OptionName
    for (const auto& c : cases) {
        CXDBstr option;
        EXPECT_EQ(ticket.GetFeatureOption(c.feature, &option), S_OK);
        EXPECT_EQ(Str(option), c.option);
    }
    CXDBstr option;
    EXPECT_EQ(ticket.GetFeatureOption(TEXT("JobCopiesAllDocuments"), &option), kNotFound);
    EXPECT_EQ(ticket.GetFeatureElement(TEXT("JobCopiesAllDocuments"), nullptr), kNotFound);
    EXPECT_EQ(ticket.GetFeatureElement(TEXT("PageOrientation"), nullptr), S_OK);
    EXPECT_EQ(ticket.GetFeatureOption(TEXT(""), &option), E_INVALIDARG);
    EXPECT_EQ(ticket.GetFeatureOption(TEXT("PageOrientation"), nullptr), E_POINTER);

    EXPECT_EQ(ticket.GetSubFeatureOption(TEXT("DocumentNUp"), TEXT("PresentationDirection"), &option), S_OK);
    EXPECT_EQ(Str(option), TEXT("RightBottom"));
    EXPECT_EQ(ticket.GetSubFeatureOption(TEXT("PageOrientation"), TEXT("PresentationDirection"), &option),
              kNotFound);
    EXPECT_EQ(option.Get(), nullptr);
}

TEST_P(PrintTicketTest, ReadsScoredPropertiesAndParameters)
{
    Load(m_dom, SampleTicket(GetParam()));
    CXDPrintTicket ticket(m_dom.Get());
    int value = -1;
    EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PageMediaSize"), TEXT("MediaSizeHeight"), &value), S_OK);
    EXPECT_EQ(value, 279400);
    EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PageScaling"), TEXT("Scale"), &value), S_OK);
    EXPECT_EQ(value, 150);  // through its ParameterInit
    value = -1;
    EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PageMediaSize"), TEXT("Scale"), &value), kNotFound);
    EXPECT_EQ(value, -1);
    CXDBstr text;
    EXPECT_EQ(ticket.GetScoredPropertyValue(TEXT("PagePoster"), TEXT("ZQSelectedTiles"), &text), S_OK);
    EXPECT_EQ(Str(text), TEXT("1,3"));
    EXPECT_EQ(ticket.GetScoredPropertyValue(TEXT("PagePoster"), nullptr, &text), E_POINTER);

    EXPECT_EQ(ticket.GetParameterInitValue(TEXT("PageZQPosterSheets"), &text), S_OK);
    EXPECT_EQ(Str(text), TEXT("4"));
    CXDBstr absent;
    EXPECT_EQ(ticket.GetParameterInitValue(TEXT("PageScalingOffsetWidth"), &absent), S_FALSE);
    EXPECT_EQ(absent.Get(), nullptr);
}

TEST_P(PrintTicketTest, RemovingAFeatureRemovesTheParametersItRefersTo)
{
    Load(m_dom, SampleTicket(GetParam()));
    {
        CXDPrintTicket ticket(m_dom.Get());
        EXPECT_EQ(ticket.RemoveFeature(TEXT("PagePoster")), S_FALSE);
        EXPECT_EQ(ticket.RemoveFeature(TEXT("PagePoster")), S_FALSE);  // nothing left: no change
        EXPECT_EQ(ticket.RemoveFeature(TEXT("")), E_INVALIDARG);
    }
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:Feature")), 7);
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:ParameterInit")), 1);  // the scaling parameter stays
}

TEST_F(PrintSchemaTest, TwoFeaturesOfOneNameAreBothRemoved)
{
    Load(m_dom, Document(TEXT("PrintTicket"), Prefixes(), TEXT(R"(
  <psf:Feature name="psk:PageOrientation"><psf:Option name="psk:Portrait"/></psf:Feature>
  <psf:Feature name="psk:JobDuplexAllDocumentsContiguously"><psf:Option name="psk:OneSided"/>
    <psf:Feature name="psk:PageOrientation"><psf:Option name="psk:Landscape"/></psf:Feature>
  </psf:Feature>)")));
    CXDPrintTicket ticket(m_dom.Get());
    EXPECT_EQ(ticket.RemoveFeature(TEXT("PageOrientation")), S_FALSE);
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:Feature")), 1);
}

TEST_P(PrintTicketTest, WrittenFeaturesSurviveSerialisationAndReload)
{
    SKIP_UNDER_WINE(WineDifference::kRedundantDeclarations);
    Load(m_dom, SampleTicket(GetParam()));
    WString xml;
    {
        CXDPrintTicket ticket(m_dom.Get());
        ASSERT_EQ(ticket.RemoveFeature(TEXT("PagePoster")), S_FALSE);
        CXDComPtr<IXMLDOMElement> feature, option, width, reference, init;
        ASSERT_EQ(ticket.SetFeatureOption(TEXT("PagePoster"), TEXT("ZQPosterOn"), &feature, &option), S_OK);
        ASSERT_EQ(ticket.SetScoredPropertyInteger(TEXT("SheetsPerPage"), 9, &width), S_OK);
        ASSERT_EQ(ticket.CreateParameterInit(TEXT("PageZQSelectedPosterTilesList"), TEXT("string"),
                                             TEXT("2,9"), &reference, &init),
                  S_OK);
        CXDComPtr<IXMLDOMElement> tiles;
        ASSERT_EQ(ticket.CreateScoredPropertyElement(TEXT("ZQSelectedTiles"), &tiles), S_OK);
        CXDComPtr<IXMLDOMNode> appended;
        ASSERT_EQ(tiles->appendChild(reference.Get(), &appended), S_OK);
        ASSERT_EQ(option->appendChild(width.Get(), &appended), S_OK);
        ASSERT_EQ(option->appendChild(tiles.Get(), &appended), S_OK);
        ASSERT_EQ(ticket.AppendToRoot(TEXT("PrintTicket"), init.Get()), S_OK);
        ASSERT_EQ(ticket.AppendToRoot(TEXT("PrintTicket"), feature.Get()), S_OK);
        EXPECT_EQ(ticket.AppendToRoot(TEXT("PrintTicket"), nullptr), E_POINTER);
        xml = Xml(m_dom.Get());
    }
    // Elements the library writes carry no declaration of their own.
    EXPECT_EQ(xml.find(TEXT("xmlns"), xml.find(TEXT(">"), xml.find(TEXT("PrintTicket")))), WString::npos)
        << std::string(xml.begin(), xml.end());

    CXDComPtr<IXMLDOMDocument2> reloaded;
    Load(reloaded, xml);
    CXDPrintTicket ticket(reloaded.Get());
    CXDBstr option;
    EXPECT_EQ(ticket.GetFeatureOption(TEXT("PagePoster"), &option), S_OK);
    EXPECT_EQ(Str(option), TEXT("ZQPosterOn"));
    int sheets = 0;
    EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PagePoster"), TEXT("SheetsPerPage"), &sheets), S_OK);
    EXPECT_EQ(sheets, 9);
    CXDBstr tiles;
    EXPECT_EQ(ticket.GetScoredPropertyValue(TEXT("PagePoster"), TEXT("ZQSelectedTiles"), &tiles), S_OK);
    EXPECT_EQ(Str(tiles), TEXT("2,9"));
    EXPECT_EQ(ticket.GetFeatureOption(TEXT("PageOrientation"), &option), S_OK);  // the rest is untouched
    EXPECT_EQ(Str(option), TEXT("Landscape"));
}

TEST_F(PrintSchemaTest, CreatedParametersCarryThePrivatePrefixAndAStringType)
{
    SKIP_UNDER_WINE(WineDifference::kRedundantDeclarations);
    Load(m_dom, SampleTicket());
    CXDPrintTicket ticket(m_dom.Get());
    CXDComPtr<IXMLDOMElement> reference, init;
    ASSERT_EQ(ticket.CreateParameterInit(TEXT("PageZQSelectedPosterTilesList"), TEXT("string"), TEXT("1,3,5"),
                                         &reference, &init),
              S_OK);
    EXPECT_EQ(Xml(reference.Get()).find(TEXT("<psf:ParameterRef")), 0u);
    EXPECT_NE(Xml(reference.Get()).find(TEXT("name=\"ns0000:PageZQSelectedPosterTilesList\"")),
              WString::npos);
    WString initXml = Xml(init.Get());
    EXPECT_NE(initXml.find(TEXT("name=\"ns0000:PageZQSelectedPosterTilesList\"")), WString::npos);
    EXPECT_NE(initXml.find(TEXT(" xsi:type=\"xsd:string\">1,3,5</psf:Value></psf:ParameterInit>")),
              WString::npos)
        << std::string(initXml.begin(), initXml.end());

    EXPECT_EQ(ticket.CreateParameterInit(TEXT("X"), TEXT("string"), TEXT(""), &reference, &init),
              E_INVALIDARG);
    EXPECT_FALSE(reference);
    EXPECT_FALSE(init);
    CXDComPtr<IXMLDOMElement> feature, option;
    ASSERT_EQ(ticket.CreateFeatureOption(TEXT("PagePoster"), &feature, &option), S_OK);
    EXPECT_EQ(Xml(feature.Get()).find(TEXT("<psf:Feature")), 0u);
    EXPECT_NE(Xml(feature.Get()).find(TEXT(" name=\"psk:PagePoster\"><psf:Option/>")), WString::npos);
    EXPECT_NE(Xml(feature.Get()).find(TEXT("<psf:Option/></psf:Feature>")), WString::npos);
}

}  // namespace
