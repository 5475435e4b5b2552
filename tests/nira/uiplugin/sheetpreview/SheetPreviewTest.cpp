// The sheet preview's paint: paper geometry, page cells and their order, margins, the marks of
// two-sided printing, mirror printing and the click that turns the orientation.
#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include "tests/nira/uiplugin/sheetpreview/SheetPreviewFixture.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace {

constexpr unsigned kGrey = 0x808080;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kBlack = 0x000000;
constexpr unsigned kBackground = 0xC0C0C0;

bool SameRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom)
{
    return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

// The page numbers drawn, as (y, x, text) of the blue pass (the last of each three draws).
std::vector<std::tuple<long long, long long, std::u16string>> Numbers()
{
    std::vector<nirasim::GdiCall> calls = nirasim::GdiCallsNamed("ExtTextOutW");
    std::vector<std::tuple<long long, long long, std::u16string>> numbers;
    for (size_t i = 2; i < calls.size(); i += 3) {
        numbers.emplace_back(calls[i].args[1], calls[i].args[0], calls[i].text);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

TEST_F(SheetPreviewTest, LetterPortraitFillsItsShareOfTheWidgetCentred)
{
    nirasim::Picture picture = Paint();
    EXPECT_TRUE(SameRect(preview.m_paperRect, 26, 30, 74, 109));
    EXPECT_EQ(picture.At(26, 30), kBlack) << "the paper's outline";
    EXPECT_EQ(picture.At(73, 108), kBlack);
    EXPECT_EQ(picture.At(74, 108), kBackground) << "the right edge stays out";
    EXPECT_EQ(picture.At(25, 60), kBackground);
    EXPECT_EQ(picture.At(50, 100), kWhite) << "the page below its text";

    services.paperSizes[2] = {500, kLetterHeight};
    services.paperSizes[3] = {980, kLetterHeight};
    services.values[4114] = 2;
    Paint();
    RECT narrow = preview.m_paperRect;
    services.values[4114] = 3;
    Paint();
    EXPECT_TRUE(EqualRect(&narrow, &preview.m_paperRect))
        << "papers narrower than 98 mm are drawn 98 mm wide";
}

TEST_F(SheetPreviewTest, TwoAndSixPagesPerSheetTurnTheSheet)
{
    services.values[4128] = 2;
    Paint();
    EXPECT_TRUE(SameRect(preview.m_paperRect, 22, 39, 77, 100)) << "sized as a landscape sheet";
    auto numbers = Numbers();
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(std::get<0>(numbers[0]), std::get<0>(numbers[1])) << "one row";
    EXPECT_LT(std::get<1>(numbers[0]), std::get<1>(numbers[1]));

    nirasim::ClearGdiJournal();
    services.values[4128] = 4;
    Paint();
    numbers = Numbers();
    ASSERT_EQ(numbers.size(), 6u);
    std::vector<long long> rows;
    for (const auto& number : numbers) {
        rows.push_back(std::get<0>(number));
    }
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    EXPECT_EQ(rows.size(), 2u) << "two rows of three";
}

TEST_F(SheetPreviewTest, PageOrderThreeNumbersRowsFromTheRight)
{
    services.values[4128] = 3;
    services.values[4129] = 3;
    Paint();
    auto numbers = Numbers();
    ASSERT_EQ(numbers.size(), 4u);
    EXPECT_EQ(std::get<2>(numbers[0]), TEXT("2"));
    EXPECT_EQ(std::get<2>(numbers[1]), TEXT("1"));
    EXPECT_EQ(std::get<2>(numbers[2]), TEXT("4"));
    EXPECT_EQ(std::get<2>(numbers[3]), TEXT("3"));
}

TEST_F(SheetPreviewTest, BorderlessPrintingHasNoInnerMargin)
{
    Paint();
    EXPECT_GT(preview.m_innerMargin, 0);
    services.values[4119] = 2;
    Paint();
    EXPECT_EQ(preview.m_innerMargin, 0);
    services.values.erase(4119);
    services.paperSizes[174] = {kLetterWidth, kLetterHeight};
    services.values[4114] = 174;
    Paint();
    EXPECT_EQ(preview.m_innerMargin, 0) << "paper option 174 is borderless";
}

TEST_F(SheetPreviewTest, BindingRingsFollowTheBoundEdge)
{
    services.values[4125] = 2;  // two-sided
    struct Case {
        const char* what;
        int edge;
        int order;
        int x;
        int y;
    };
    // The outermost grey stroke of the first ring: above, right of or left of the paper (26, 30, 74, 109).
    const Case cases[] = {{"top edge", 2, 1, 28, 24},
                          {"page order 3", 1, 3, 79, 32},
                          {"page order 4", 1, 4, 79, 32},
                          {"left edge", 1, 1, 20, 32}};
    for (const Case& c : cases) {
        services.values[4126] = c.edge;
        services.values[4129] = c.order;
        nirasim::Picture picture = Paint();
        EXPECT_EQ(picture.At(c.x, c.y), kGrey) << c.what;
        int others =
            (picture.At(28, 24) == kGrey) + (picture.At(79, 32) == kGrey) + (picture.At(20, 32) == kGrey);
        EXPECT_EQ(others, 1) << c.what << ": rings on one edge only";
    }
}

TEST_F(SheetPreviewTest, MirrorFlipsThePaperButNotTheMarks)
{
    services.values[4125] = 2;
    nirasim::Picture plain = Paint();
    services.values[4218] = 2;
    nirasim::Picture mirrored = Paint();
    const RECT& p = preview.m_paperRect;
    int differing = 0;
    // The rings' strokes reach 3 pixels onto the paper after the mirror; the rest is flipped.
    for (int y = p.top; y < p.bottom; ++y) {
        for (int x = p.left + 3; x < p.right - 3; ++x) {
            EXPECT_EQ(mirrored.At(x, y), plain.At(p.left + p.right - 1 - x, y)) << x << ", " << y;
            differing += mirrored.At(x, y) != plain.At(x, y);
        }
    }
    EXPECT_GT(differing, 0) << "the page is not symmetric, so the mirror shows";
    EXPECT_EQ(mirrored.At(20, 32), kGrey) << "the rings stay on the left";
}

TEST_F(SheetPreviewTest, UnknownOrientationsAndPageCountsLeaveTheWidgetEmpty)
{
    for (auto [feature, value] : {std::pair<int, int>{4118, 3}, {4128, 7}}) {
        services.values = {{4114, kLetterOption}, {4118, 1}};
        services.values[feature] = value;
        nirasim::Picture picture = Paint();
        EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), kBackground),
                  static_cast<long>(picture.pixels.size()))
            << feature;
    }
}

TEST_F(SheetPreviewTest, AClickTurnsTheOrientationThroughTheOrientationHandler)
{
    EXPECT_EQ(preview.OnWidgetChanged(6002), 0);
    ASSERT_EQ(services.commands.size(), 1u);
    EXPECT_EQ(services.commands[0].source, 6002);
    EXPECT_EQ(services.commands[0].target, 4118);
    EXPECT_EQ(services.commands[0].command, 11);
    CNiraSheetPreview detached;
    EXPECT_EQ(detached.OnWidgetChanged(6002), NIRA_STATUS_FAILED);
}

}  // namespace
