// The sample page content: sepia tones, page numbers, the text lines' paragraphs and the chart.
#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include "tests/nira/uiplugin/sheetpreview/SheetPreviewFixture.h"

namespace {

TEST(SepiaTones, LuminancePicksARampEntry)
{
    EXPECT_EQ(CNiraSheetPreview::ToSepia(64, 64, 64), RGB(115, 79, 40));
    EXPECT_EQ(CNiraSheetPreview::ToSepia(255, 0, 0), RGB(127, 91, 52));
    EXPECT_EQ(CNiraSheetPreview::ToSepia(0, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(CNiraSheetPreview::ToSepia(255, 255, 255), RGB(255, 255, 255));
}

TEST_F(SheetPreviewTest, PageNumbersOnlyForSeveralPagesWithoutABooklet)
{
    struct Case {
        int pagesOption;
        int booklet;
        size_t draws;
        long long weight;
    };
    const Case cases[] = {{1, 1, 0, 0}, {3, 1, 12, 700}, {6, 1, 48, 500}, {2, 2, 0, 0}, {2, 3, 0, 0}};
    for (const Case& c : cases) {
        services.values[4128] = c.pagesOption;
        services.values[4130] = c.booklet;
        nirasim::ClearGdiJournal();
        Paint();
        EXPECT_EQ(nirasim::GdiCallsNamed("ExtTextOutW").size(), c.draws) << c.pagesOption << "/" << c.booklet;
        auto fonts = nirasim::GdiCallsNamed("CreateFontIndirectW");
        if (c.draws != 0) {
            ASSERT_FALSE(fonts.empty());
            EXPECT_EQ(fonts[0].args[2], c.weight) << c.pagesOption;
            EXPECT_EQ(fonts[0].text, TEXT("Arial"));
        }
    }
}

class PageContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        preview.Attach(&services, 4132, nullptr);
        preview.m_memoryDC = canvas.dc;
        preview.m_cellRect = {0, 0, 60, 100};
        preview.m_paperRect = {0, 0, 60, 100};
        preview.m_documentPaperRect = preview.m_paperRect;
        preview.m_innerMargin = 2;
        preview.m_outerMargin = 4;
        nirasim::ClearGdiJournal();
    }

    nirasim::Machine machine;
    MemoryCanvas canvas{60, 100};
    PictureServices services;
    OpenSheetPreview preview;
};

// Lines from y 2 every 2 pixels up to 96 (paper bottom - M); a paragraph is an indented line, 11
// full lines and a half line.
TEST_F(PageContent, TheFirstBookletPageStopsAfterTwoParagraphs)
{
    preview.DrawTextLines(1);
    EXPECT_EQ(nirasim::GdiCallsNamed("LineTo").size(), 47u);
    struct Case {
        int booklet;
        int page;
        size_t lines;
    };
    const Case cases[] = {{2, 1, 26}, {2, 2, 47}, {3, 2, 26}, {3, 1, 47}};
    for (const Case& c : cases) {
        services.values[4130] = c.booklet;
        nirasim::ClearGdiJournal();
        preview.DrawTextLines(c.page);
        auto lines = nirasim::GdiCallsNamed("LineTo");
        EXPECT_EQ(lines.size(), c.lines) << "booklet " << c.booklet << ", page " << c.page;
    }
    auto moves = nirasim::GdiCallsNamed("MoveToEx");
    EXPECT_EQ(moves[0].args[0], 4) << "the first line of a paragraph is indented by m";
    EXPECT_EQ(moves[1].args[0], 2);
}

TEST_F(PageContent, AChartBelowThePaperIsLeftOut)
{
    preview.DrawLogo();
    preview.DrawChart();
    EXPECT_EQ(nirasim::GdiCallsNamed("FillRect").size(), 5u) << "logo ground and four bars";
    nirasim::ClearGdiJournal();
    preview.m_paperRect.bottom = 60;  // the chart's top, 70, lies below 60 - M
    preview.DrawLogo();
    preview.DrawChart();
    EXPECT_EQ(nirasim::GdiCallsNamed("FillRect").size(), 1u);
    EXPECT_EQ(nirasim::GdiCallsNamed("Polygon").size(), 1u) << "the logo is still drawn";
}

TEST_F(PageContent, GreyWinsOverSepia)
{
    struct Case {
        int grey;
        int sepia;
        long long color;
    };
    const Case cases[] = {{2, 2, RGB(64, 64, 64)}, {1, 2, RGB(115, 79, 40)}, {1, 1, RGB(0, 0, 255)}};
    for (const Case& c : cases) {
        services.values[4136] = c.grey;
        services.values[4176] = c.sepia;
        nirasim::ClearGdiJournal();
        preview.DrawLogo();
        auto brushes = nirasim::GdiCallsNamed("CreateSolidBrush");
        ASSERT_EQ(brushes.size(), 2u);
        EXPECT_EQ(brushes[1].args[0], c.color) << c.grey << "/" << c.sepia;
    }
    EXPECT_EQ(canvas.Pixels().At(2, 2), 0x0000FFu) << "the letter E at the cell's margin";
}

}  // namespace
