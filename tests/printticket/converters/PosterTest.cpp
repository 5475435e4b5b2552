// Posters in PrintTickets: sheet counts and tile lists.
#include "ConverterFixture.h"

#include "printticket/XDPosterFeature.h"
#include "printticket/XDPrintTicket.h"

#include <initializer_list>
#include <vector>

#include "support/WString.h"
#include "support/Wine.h"

namespace {

using PosterTest = ConverterTest;

WString Number(int value)
{
    const std::string text = std::to_string(value);
    return WString(text.begin(), text.end());
}

// A poster ticket; a null list writes ZQAllTiles, a list ZQTilesList with that text.
WString PosterTicket(int sheets, const WCHAR* list)
{
    WString body = TEXT(
                       "<{f}Feature name=\"{k}PagePoster\"><{f}Option>"
                       "<{f}ScoredProperty name=\"{k}SheetsPerPage\"><{f}Value xsi:type=\"xsd:integer\">") +
                   Number(sheets) + TEXT("</{f}Value></{f}ScoredProperty></{f}Option>");
    if (!list) {
        return body +
               TEXT(
                   "<{f}Feature name=\"{n}ZQPosterTiles\"><{f}Option name=\"{n}ZQAllTiles\"/></{f}Feature>"
                   "</{f}Feature>");
    }
    return body +
           TEXT(
               "<{f}Feature name=\"{n}ZQPosterTiles\"><{f}Option name=\"{n}ZQTilesList\">"
               "<{f}ScoredProperty name=\"{n}ZQSelectedTiles\">"
               "<{f}ParameterRef name=\"{n}PageZQSelectedPosterTilesList\"/></{f}ScoredProperty>"
               "</{f}Option></{f}Feature></{f}Feature>"
               "<{f}ParameterInit name=\"{n}PageZQSelectedPosterTilesList\">"
               "<{f}Value xsi:type=\"xsd:string\">") +
           list + TEXT("</{f}Value></{f}ParameterInit>");
}

PosterValues HandlerPreset()
{
    return PosterValues{0, 1, 0, {}};
}

std::vector<int> SetTiles(const PosterValues& values)
{
    std::vector<int> tiles;
    for (int i = 0; i < kXDMaximumPosterTiles; ++i) {
        if (values.tiles[i]) {
            tiles.push_back(i + 1);
        }
    }
    return tiles;
}

TEST_F(PosterTest, ReadsTheSheetsAndTheTiles)
{
    struct Case {
        const char* what;
        WString body;
        int sheetsIndex;
        int tileMode;
        std::vector<int> tiles;
    } cases[] = {
        // 12 lies beyond 9 sheets, x converts to 0, the double comma gives no empty token.
        {"a list with noise", PosterTicket(9, TEXT("2,,9,12,x")), 2, 1, {2, 9}},
        {"an empty list is tile 1", PosterTicket(9, TEXT("")), 2, 1, {1}},
        {"spaces before numbers", PosterTicket(4, TEXT(" 4, 3")), 1, 1, {3, 4}},
        {"commas at both ends", PosterTicket(4, TEXT(",3,")), 1, 1, {3}},
        {"all tiles",
         PosterTicket(16, nullptr),
         3,
         0,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
        {"one sheet", PosterTicket(1, nullptr), 0, 0, {1}},
        {"twenty-five sheets, last tile", PosterTicket(25, TEXT("25")), 4, 1, {25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.body);
        CXDPrintTicket ticket(m_dom.Get());
        PosterValues values = HandlerPreset();
        EXPECT_EQ(CXDPosterFeature().ReadPrintTicket(ticket, &values), S_OK);
        EXPECT_EQ(values.sheetsIndex, c.sheetsIndex);
        EXPECT_EQ(values.sheets, CXDPosterFeature::SheetCount(c.sheetsIndex));
        EXPECT_EQ(values.tileMode, c.tileMode);
        EXPECT_EQ(SetTiles(values), c.tiles);
    }
}

TEST_F(PosterTest, SheetCountsOutsideTheTable)
{
    struct Case {
        int sheets;
        HRESULT result;
    } cases[] = {{0, kNotFound}, {26, kNotFound}, {-4, kNotFound}, {5, E_INVALIDARG}, {2, E_INVALIDARG}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheets);
        LoadTicket(PosterTicket(c.sheets, nullptr));
        CXDPrintTicket ticket(m_dom.Get());
        PosterValues values = HandlerPreset();
        EXPECT_EQ(CXDPosterFeature().ReadPrintTicket(ticket, &values), c.result);
        EXPECT_EQ(values.sheetsIndex, 0);
        EXPECT_TRUE(SetTiles(values).empty());
    }
}

TEST_F(PosterTest, IncompleteTicketsChangeNothing)
{
    const WString withoutTiles = TEXT(
        "<{f}Feature name=\"{k}PagePoster\"><{f}Option><{f}ScoredProperty "
        "name=\"{k}SheetsPerPage\"><{f}Value xsi:type=\"xsd:integer\">4</{f}Value>"
        "</{f}ScoredProperty></{f}Option></{f}Feature>");
    const WString withoutSheets = TEXT(
        "<{f}Feature name=\"{k}PagePoster\"><{f}Option/><{f}Feature "
        "name=\"{n}ZQPosterTiles\"><{f}Option name=\"{n}ZQAllTiles\"/></{f}Feature>"
        "</{f}Feature>");
    for (const WString& body : {withoutTiles, withoutSheets, WString()}) {
        LoadTicket(body);
        CXDPrintTicket ticket(m_dom.Get());
        PosterValues values = HandlerPreset();
        EXPECT_EQ(CXDPosterFeature().ReadPrintTicket(ticket, &values), kNotFound);
        EXPECT_EQ(values.sheets, 1);
        EXPECT_TRUE(SetTiles(values).empty());
    }
}

TEST_F(PosterTest, TileListStopsAtTheSheetCountOfTheIndex)
{
    PosterValues values{1, 4, 1, {}};
    values.tiles[0] = values.tiles[3] = values.tiles[9] = 1;
    CXDBstr type;
    CXDBstr text;
    ASSERT_EQ(CXDPosterFeature::BuildTileList(&values, 0, &type, &text), S_OK);
    EXPECT_EQ(WString(type.Get()), TEXT("string"));
    EXPECT_EQ(WString(text.Get()), TEXT("1,4"));

    values.sheetsIndex = 0;
    ASSERT_EQ(CXDPosterFeature::BuildTileList(&values, 0, &type, &text), S_OK);
    EXPECT_EQ(WString(text.Get()), TEXT("1"));

    EXPECT_EQ(CXDPosterFeature::BuildTileList(&values, 1, &type, &text), E_INVALIDARG);
    values.sheetsIndex = 5;
    EXPECT_EQ(CXDPosterFeature::BuildTileList(&values, 0, &type, &text), E_INVALIDARG);
    EXPECT_EQ(CXDPosterFeature::BuildTileList(&values, 0, nullptr, &text), E_POINTER);
}

TEST_F(PosterTest, WriteCarriesTheListInAParameterInit)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadTicket(PosterTicket(9, TEXT("2,3")));
    CXDPrintTicket ticket(m_dom.Get());
    PosterValues values{1, 4, 1, {}};
    values.tiles[0] = values.tiles[3] = 1;
    ASSERT_EQ(CXDPosterFeature().WritePrintTicket(ticket, &values), S_OK);
    const WString feature = TEXT("/f:PrintTicket/f:Feature[@name='psk:PagePoster']");
    EXPECT_EQ(
        Text(feature + TEXT("/f:Option[not(@name)]/f:ScoredProperty[@name='psk:SheetsPerPage']/f:Value")),
        TEXT("4"));
    EXPECT_EQ(
        Count(feature + TEXT("/f:Feature[@name='ns0000:ZQPosterTiles']/f:Option[@name='ns0000:ZQTilesList']/"
                             "f:ScoredProperty[@name='ns0000:ZQSelectedTiles']/"
                             "f:ParameterRef[@name='ns0000:PageZQSelectedPosterTilesList']")),
        1);
    EXPECT_EQ(Text(TEXT("/f:PrintTicket/f:ParameterInit[@name='ns0000:PageZQSelectedPosterTilesList']/"
                        "f:Value[@i:type='xsd:string']")),
              TEXT("1,4"));
    EXPECT_EQ(Count(TEXT("//f:ParameterInit")), 1);
}

TEST_F(PosterTest, WritingAllTilesDropsTheOldList)
{
    LoadTicket(PosterTicket(9, TEXT("2,3")));
    CXDPrintTicket ticket(m_dom.Get());
    PosterValues values{3, 16, 0, {}};
    ASSERT_EQ(CXDPosterFeature().WritePrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='ns0000:ZQPosterTiles']/f:Option[@name='ns0000:ZQAllTiles']")),
              1);
    EXPECT_EQ(Count(TEXT("//f:ParameterInit")), 0);
}

TEST_F(PosterTest, ListWithoutTilesFailsAndLeavesNoPoster)
{
    LoadTicket(PosterTicket(4, nullptr));
    CXDPrintTicket ticket(m_dom.Get());
    PosterValues values{1, 4, 1, {}};
    EXPECT_EQ(CXDPosterFeature().WritePrintTicket(ticket, &values), E_INVALIDARG);
    EXPECT_EQ(Count(TEXT("//f:Feature")), 0);
    EXPECT_EQ(Count(TEXT("//f:ParameterInit")), 0);
}

TEST_F(PosterTest, WriteOfAnUnknownTileModeLeavesTheTicket)
{
    LoadTicket(PosterTicket(4, nullptr));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    PosterValues values{1, 4, 2, {}};
    EXPECT_EQ(CXDPosterFeature().WritePrintTicket(ticket, &values), E_INVALIDARG);
    EXPECT_EQ(Xml(), before);
}

}  // namespace
