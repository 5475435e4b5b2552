// What each converter publishes in a PrintCapabilities document, from the description its handler
// fills, checked with XPath.
#include "ConverterFixture.h"
#include "Descriptions.h"

#include "printticket/XDPrintCapabilities.h"

#include <functional>
#include <vector>

#include "support/WString.h"
#include "support/Wine.h"

namespace {

using CapabilitiesTest = ConverterTest;

// Writes the converter's capabilities with a description filled as its handler fills it.
template <class Converter>
HRESULT Publish(IXMLDOMDocument2* dom, void (*fill)(Converter&))
{
    Converter converter;
    fill(converter);
    CXDPrintCapabilities capabilities(dom, &converter);
    return converter.WritePrintCapabilities(capabilities);
}

// Properties of an element: its DisplayName text, its SelectionType.
WString DisplayName(const WString& element)
{
    return element + TEXT("/f:Property[@name='psk:DisplayName']/f:Value[@i:type='xsd:string']");
}

TEST_F(CapabilitiesTest, OrientationPublishesTheListedOptionsInTableOrder)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    // The core driver's own PageOrientation is replaced.
    LoadCapabilities(
        TEXT("<{f}Feature name=\"{k}PageOrientation\"><{f}Option name=\"{k}Portrait\"/></{f}Feature>"));
    ASSERT_EQ(Publish<CXDOrientationFeature>(m_dom.Get(), FillOrientation), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageOrientation']");
    EXPECT_EQ(Count(feature), 1);
    EXPECT_EQ(Text(DisplayName(feature)), TEXT("Orientation"));
    EXPECT_EQ(Text(feature + TEXT("/f:Property[@name='psf:SelectionType']/f:Value[@i:type='xsd:QName']")),
              TEXT("psk:PickOne"));
    EXPECT_EQ(Count(feature + TEXT("/f:Option")), 2);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[1][@name='psk:Portrait']")), 1);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[2][@name='psk:Landscape']")), 1);
    EXPECT_EQ(Text(DisplayName(feature + TEXT("/f:Option[2]"))), TEXT("Landscape"));
}

TEST_F(CapabilitiesTest, ResolutionOptionsCarryTheirDots)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadCapabilities(TEXT(""));
    ASSERT_EQ(Publish<CXDResolutionFeature>(m_dom.Get(), FillResolution), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageResolution']");
    EXPECT_EQ(Count(DisplayName(feature)), 0);
    EXPECT_EQ(Count(feature + TEXT("/f:Option")), 3);
    const WString options[][2] = {{TEXT("ns0000:ZQ_300dpi"), TEXT("300")},
                                  {TEXT("ns0000:ZQ_600dpi"), TEXT("600")},
                                  {TEXT("ns0000:ZQ_1200dpi"), TEXT("1200")}};
    for (const auto& o : options) {
        const WString option = feature + TEXT("/f:Option[@name='") + o[0] + TEXT("']");
        EXPECT_EQ(Text(DisplayName(option)), o[1]);
        for (LPCWSTR axis : {TEXT("ResolutionX"), TEXT("ResolutionY")}) {
            EXPECT_EQ(Text(option + TEXT("/f:ScoredProperty[@name='psk:") + axis +
                           TEXT("']/f:Value[@i:type='xsd:integer']")),
                      o[1]);
        }
    }
    EXPECT_EQ(
        Text(feature +
             TEXT("/f:Option[@name='ns0000:ZQ_600dpi']/f:Property[@name='psf:IdentityOption']/f:Value")),
        TEXT("True"));
}

TEST_F(CapabilitiesTest, RollCutNestsTheSaveRollFeature)
{
    LoadCapabilities(TEXT(""));
    ASSERT_EQ(Publish<CXDRollCutFeature>(m_dom.Get(), FillRollCut), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:DocumentRollCut']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option[1][@name='psk:CutSheetAtStandardMediaSize']/"
                                   "f:Property[@name='psf:IdentityOption']")),
              1);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[2][@name='psk:None']")), 1);
    const WString sub = feature + TEXT("/f:Feature[@name='ns0000:ZQSaveRollOnPaper']");
    EXPECT_EQ(Count(sub + TEXT("/f:Property[@name='psf:SelectionType']")), 1);
    EXPECT_EQ(Count(sub + TEXT("/f:Option[1][@name='psk:Off']/f:Property[@name='psf:IdentityOption']")), 1);
    EXPECT_EQ(Count(sub + TEXT("/f:Option[2][@name='psk:On']")), 1);
    EXPECT_EQ(Count(TEXT("//f:Property[@name='psk:DisplayName']")), 0);
}

TEST_F(CapabilitiesTest, PageScalingOptionsReferToTheirParameterDefinitions)
{
    LoadCapabilities(TEXT(""));
    ASSERT_EQ(Publish<CXDPageScalingFeature>(m_dom.Get(), FillPageScaling), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageScaling']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option")), 3);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[@name='psk:None']/f:ScoredProperty")), 0);
    const WString fit = feature + TEXT("/f:Option[@name='ns0000:ZQPrintDocumentOn']");
    EXPECT_EQ(Count(fit + TEXT("/f:ScoredProperty[1][@name='psk:ScaleWidth']/"
                               "f:ParameterRef[@name='psk:PageScalingScaleWidth']")),
              1);
    EXPECT_EQ(Count(fit + TEXT("/f:ScoredProperty[2][@name='psk:ScaleHeight']/"
                               "f:ParameterRef[@name='psk:PageScalingScaleHeight']")),
              1);
    EXPECT_EQ(Count(fit + TEXT("/f:ScoredProperty[3][@name='ns0000:ZQScaleToFit']/"
                               "f:ParameterRef[@name='ns0000:PageZQPrintDocumentOnScaleToFit']")),
              1);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[@name='psk:CustomSquare']/f:ScoredProperty[@name='psk:Scale']/"
                                   "f:ParameterRef[@name='psk:PageScalingScale']")),
              1);

    struct Definition {
        WString name, defaultValue, minValue, maxValue, unit;
    } definitions[] = {
        {TEXT("psk:PageScalingScaleWidth"), TEXT("76200"), TEXT("76200"), TEXT("296968"), TEXT("microns")},
        {TEXT("psk:PageScalingScaleHeight"), TEXT("127000"), TEXT("127000"), TEXT("431800"), TEXT("microns")},
        {TEXT("ns0000:PageZQPrintDocumentOnScaleToFit"), TEXT("0"), TEXT("0"), TEXT("1"), TEXT("Bool")},
        {TEXT("psk:PageScalingScale"), TEXT("100"), TEXT("25"), TEXT("400"), TEXT("Percent")},
    };
    EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:ParameterDef")), 4);
    for (const Definition& d : definitions) {
        SCOPED_TRACE(Narrow(d.name));
        const WString def = TEXT("/f:PrintCapabilities/f:ParameterDef[@name='") + d.name + TEXT("']");
        auto property = [&](LPCWSTR name) {
            return def + TEXT("/f:Property[@name='psf:") + name + TEXT("']/f:Value");
        };
        EXPECT_EQ(Text(property(TEXT("DataType"))), TEXT("xsd:integer"));
        EXPECT_EQ(Text(property(TEXT("DefaultValue"))), d.defaultValue);
        EXPECT_EQ(Text(property(TEXT("MinValue"))), d.minValue);
        EXPECT_EQ(Text(property(TEXT("MaxValue"))), d.maxValue);
        EXPECT_EQ(Text(property(TEXT("Multiple"))), TEXT("1"));
        EXPECT_EQ(Text(property(TEXT("Mandatory"))), TEXT("psk:Conditional"));
        EXPECT_EQ(Text(property(TEXT("UnitType"))), d.unit);
    }
}

TEST_F(CapabilitiesTest, PageScalingWithoutListedOptionsStillDefinesTheParameters)
{
    LoadCapabilities(TEXT(""));
    CXDPageScalingFeature converter;
    FillPageScaling(converter);
    for (CXDOptionEntry& option : converter.scalingOptions) {
        option.listed = 0;
    }
    CXDPrintCapabilities capabilities(m_dom.Get(), &converter);
    ASSERT_EQ(converter.WritePrintCapabilities(capabilities), S_OK);
    EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageScaling']")), 1);
    EXPECT_EQ(Count(TEXT("//f:Option")), 0);
    EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:ParameterDef")), 4);
}

TEST_F(CapabilitiesTest, PosterOptionsCarryTheirSheetCounts)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadCapabilities(TEXT(""));
    ASSERT_EQ(Publish<CXDPosterFeature>(m_dom.Get(), FillPoster), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PagePoster']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option[not(@name)]")), 5);
    const LPCWSTR sheets[] = {TEXT("1"), TEXT("4"), TEXT("9"), TEXT("16"), TEXT("25")};
    for (int i = 0; i < 5; ++i) {
        const std::string position = std::to_string(i + 1);
        EXPECT_EQ(Text(feature + TEXT("/f:Option[") + WString(position.begin(), position.end()) +
                       TEXT("]/f:ScoredProperty[@name='psk:SheetsPerPage']/f:Value[@i:type='xsd:integer']")),
                  sheets[i]);
    }
    const WString tiles = feature + TEXT("/f:Feature[@name='ns0000:ZQPosterTiles']");
    EXPECT_EQ(
        Count(tiles + TEXT("/f:Option[1][@name='ns0000:ZQAllTiles']/f:Property[@name='psf:IdentityOption']")),
        1);
    EXPECT_EQ(Count(tiles + TEXT("/f:Option[2][@name='ns0000:ZQTilesList']/"
                                 "f:ScoredProperty[@name='ns0000:ZQSelectedTiles']/"
                                 "f:ParameterRef[@name='ns0000:PageZQSelectedPosterTilesList']")),
              1);
    const WString def =
        TEXT("/f:PrintCapabilities/f:ParameterDef[@name='ns0000:PageZQSelectedPosterTilesList']");
    auto property = [&](LPCWSTR name) {
        return def + TEXT("/f:Property[@name='psf:") + name + TEXT("']/f:Value");
    };
    EXPECT_EQ(Text(property(TEXT("DataType"))), TEXT("xsd:string"));
    EXPECT_EQ(Text(property(TEXT("DefaultValue"))), TEXT("1"));
    EXPECT_EQ(Text(property(TEXT("MinLength"))), TEXT("1"));
    EXPECT_EQ(Text(property(TEXT("MaxLength"))), TEXT("65"));
    EXPECT_EQ(Text(property(TEXT("UnitType"))), TEXT("Characters"));
    EXPECT_EQ(Count(property(TEXT("Multiple"))), 0);
}

TEST_F(CapabilitiesTest, PosterWithoutTheListOptionDefinesNoList)
{
    LoadCapabilities(TEXT(""));
    CXDPosterFeature converter;
    FillPoster(converter);
    converter.tilesOptions[1].listed = 0;
    CXDPrintCapabilities capabilities(m_dom.Get(), &converter);
    ASSERT_EQ(converter.WritePrintCapabilities(capabilities), S_OK);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='ns0000:ZQPosterTiles']/f:Option")), 1);
    EXPECT_EQ(Count(TEXT("//f:ScoredProperty[@name='ns0000:ZQSelectedTiles']")), 0);
    EXPECT_EQ(Count(TEXT("//f:ParameterDef")), 0);
}

TEST_F(CapabilitiesTest, BindingNestsTheLayouts)
{
    LoadCapabilities(TEXT(""));
    ASSERT_EQ(Publish<CXDBindingFeature>(m_dom.Get(), FillBinding), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:DocumentBinding']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option[1][@name='psk:None']/f:Property[@name='psf:IdentityOption']")),
              1);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[2][@name='psk:Booklet']")), 1);
    const WString layout = feature + TEXT("/f:Feature[@name='ns0000:ZQBookletLayout']");
    EXPECT_EQ(Count(layout + TEXT("/f:Option[1][@name='ns0000:ZQLeftEdgeBindingLayout']")), 1);
    EXPECT_EQ(Count(layout + TEXT("/f:Option[2][@name='ns0000:ZQRightEdgeBindingLayout']")), 1);
}

TEST_F(CapabilitiesTest, NUpPublishesCountsAndDirectionsButNotBorders)
{
    LoadCapabilities(TEXT(""));
    ASSERT_EQ(Publish<CXDNUpFeature>(m_dom.Get(), FillNUp), S_OK);
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:DocumentNUp']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option[not(@name)]/f:ScoredProperty[@name='psk:PagesPerSheet']")), 6);
    EXPECT_EQ(Text(feature + TEXT("/f:Option[6]/f:ScoredProperty/f:Value")), TEXT("16"));
    EXPECT_EQ(Count(feature + TEXT("/f:Feature[@name='psk:PresentationDirection']/f:Option")), 4);
    EXPECT_EQ(
        Count(feature +
              TEXT("/f:Feature[@name='psk:PresentationDirection']/f:Option[4][@name='psk:BottomLeft']")),
        1);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='ns0000:ZQBorders']")), 0);
}

TEST_F(CapabilitiesTest, EmptyFeatureNameAddsNothing)
{
    LoadCapabilities(TEXT(""));
    const WString before = Xml();
    CXDRollCutFeature rollCut;
    FillRollCut(rollCut);
    rollCut.rollCut.name = TEXT("");
    CXDPrintCapabilities capabilities(m_dom.Get(), &rollCut);
    EXPECT_EQ(rollCut.WritePrintCapabilities(capabilities), E_INVALIDARG);
    EXPECT_EQ(Xml(), before);
}

struct PublishCase {
    const char* name;
    std::function<HRESULT(IXMLDOMDocument2*)> publish;
    WString feature;                   // its name with the document's prefix
    std::vector<WString> definitions;  // likewise
};

// Written twice into a document bound to other prefixes: the second write replaces the first, so
// there is one feature and one definition of each name, all with the document's prefixes.
TEST_F(CapabilitiesTest, WritingTwiceReplacesWhatWasPublished)
{
    const PublishCase cases[] = {
        {"orientation",
         [](IXMLDOMDocument2* d) { return Publish<CXDOrientationFeature>(d, FillOrientation); },
         TEXT("kw:PageOrientation"),
         {}},
        {"resolution",
         [](IXMLDOMDocument2* d) { return Publish<CXDResolutionFeature>(d, FillResolution); },
         TEXT("kw:PageResolution"),
         {}},
        {"roll cut",
         [](IXMLDOMDocument2* d) { return Publish<CXDRollCutFeature>(d, FillRollCut); },
         TEXT("kw:DocumentRollCut"),
         {}},
        {"page scaling",
         [](IXMLDOMDocument2* d) { return Publish<CXDPageScalingFeature>(d, FillPageScaling); },
         TEXT("kw:PageScaling"),
         {TEXT("kw:PageScalingScaleWidth"), TEXT("kw:PageScalingScaleHeight"),
          TEXT("ns0000:PageZQPrintDocumentOnScaleToFit"), TEXT("kw:PageScalingScale")}},
        {"poster",
         [](IXMLDOMDocument2* d) { return Publish<CXDPosterFeature>(d, FillPoster); },
         TEXT("kw:PagePoster"),
         {TEXT("ns0000:PageZQSelectedPosterTilesList")}},
        {"binding",
         [](IXMLDOMDocument2* d) { return Publish<CXDBindingFeature>(d, FillBinding); },
         TEXT("kw:DocumentBinding"),
         {}},
        {"pages per sheet",
         [](IXMLDOMDocument2* d) { return Publish<CXDNUpFeature>(d, FillNUp); },
         TEXT("kw:DocumentNUp"),
         {}},
    };
    for (const PublishCase& c : cases) {
        SCOPED_TRACE(c.name);
        LoadCapabilities(
            TEXT("<{f}Feature name=\"{k}PageOutputColor\"><{f}Option name=\"{k}Color\"/></{f}Feature>"),
            OtherPrefixes());
        ASSERT_EQ(c.publish(m_dom.Get()), S_OK);
        ASSERT_EQ(c.publish(m_dom.Get()), S_OK);
        EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:Feature[@name='") + c.feature + TEXT("']")), 1)
            << Narrow(Xml());
        EXPECT_EQ(Count(TEXT("//f:Feature[@name='") + c.feature + TEXT("']")), 1);
        for (const WString& name : c.definitions) {
            EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:ParameterDef[@name='") + name + TEXT("']")), 1)
                << Narrow(name);
        }
        EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:Feature")), 2);
        EXPECT_EQ(Xml().find(TEXT("psf:")), WString::npos);
        EXPECT_EQ(Xml().find(TEXT("psk:")), WString::npos);
    }
}

}  // namespace
