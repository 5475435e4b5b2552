// Manual two-sided printing: the sides of the two batches in the order they reach the printer, with
// the batch switch that the render module is told of between them.
#include "printprocessor/SpoolPassFixture.h"

#include <nirasim/Gdi.h>

#include <cstring>

namespace {

class ManualDuplexTest : public SpoolPassTest {
protected:
    // A manual two-sided job whose first batch is printed in `first` order and the second in
    // `second` order (0/1 fronts ascending/descending, 2/3 backs ascending/descending).
    void Prepare(int pages, LONG pagesPerSide, LONG first, LONG second, LONG orderMode = 0)
    {
        Open(pages);
        Layout(pagesPerSide);
        m_emf.settings.manualDuplex = 1;
        m_emf.settings.manualDuplexOrderMode = orderMode;
        m_emf.frontOrder = first;
        m_emf.backOrder = second;
        nirasim::ClearGdiJournal();
    }

    // The sides as their pages in cell order ("-" for a blank side), "|" between sides and " / "
    // where the render module learns that the second batch begins.
    static std::string Batches()
    {
        std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
        size_t next = 0;
        std::string text;
        for (const nirasim::GdiCall& call : nirasim::GdiJournal()) {
            if (call.call == "StartPage" && next < sides.size()) {
                bool opening = text.empty() || text.back() == ' ';
                text += (opening ? "" : "|") + PagesOf(sides[next++]);
            } else if (call.call == "ExtEscape" && call.args[0] == ESCAPE_SET_JOB_COUNTS &&
                       call.bytes.size() >= sizeof(JobCountsRecord)) {
                JobCountsRecord counts = {};
                std::memcpy(&counts, call.bytes.data(), sizeof(counts));
                text += counts.secondBatch == 1 ? " / " : "";
            }
        }
        return text;
    }

    static std::string PagesOf(const nirasim::SheetSideRecord& side)
    {
        std::string pages;
        for (const nirasim::PlayedPage& played : side.pages) {
            pages += (pages.empty() ? "" : " ") + std::to_string(played.page);
        }
        return pages.empty() ? "-" : pages;
    }
};

TEST_F(ManualDuplexTest, BatchListsFollowTheSheetsOfTheDocument)
{
    struct Case {
        int pages;
        LONG pagesPerSide;
        LONG first;
        LONG second;
        LONG orderMode;
        const char* batches;
    };
    const Case cases[] = {
        // Fronts ascending, then backs descending after the turn: the last sheet's back is blank.
        {5, 1, 0, 3, 0, "1|3|5 / -|4|2"},
        // Two pages a side: backs 7-8 and 3-4, fronts 1-2 and 5-6.
        {7, 2, 0, 3, 0, "1 2|5 6 / 7|3 4"},
        // The order mode prints the backs first, here in ascending order.
        {5, 1, 2, 0, 1, "2|4|- / 1|3|5"},
        {5, 1, 3, 0, 1, "-|4|2 / 1|3|5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.batches);
        Prepare(c.pages, c.pagesPerSide, c.first, c.second, c.orderMode);
        EXPECT_TRUE(Run(PrintNupPages));
        EXPECT_EQ(Batches(), c.batches);
        Close();
    }
}

TEST_F(ManualDuplexTest, TheListsOfAnEightPageBookletHoldTheInnerAndOuterSpreads)
{
    m_emf.settings.booklet = 1;
    m_emf.jobOrientation = DMORIENT_PORTRAIT;
    Open(8);
    Layout(2);
    m_emf.settings.manualDuplex = 1;
    m_emf.backOrder = 3;
    BookletBatches lists = BuildBookletBatchLists(m_emf);
    auto text = [](const std::vector<BookletSide>& sides) {
        std::string out;
        for (const BookletSide& side : sides) {
            out += "(" + std::to_string(side.left) + "," + std::to_string(side.right) + ")";
        }
        return out;
    };
    // Fronts first: Y = the outer spreads, then X = the inner ones.
    EXPECT_EQ(text(lists.first), "(8,1)(6,3)");
    EXPECT_EQ(text(lists.second), "(4,5)(2,7)");

    nirasim::ClearGdiJournal();
    EXPECT_TRUE(Run(PrintBookletPages));
    EXPECT_EQ(Batches(), "8 1|6 3 / 4 5|2 7");
}

TEST_F(ManualDuplexTest, CoversOfAnUncollatedJobSurroundTheBatches)
{
    Prepare(4, 1, 0, 3);
    m_emf.settings.specialPages = 1;
    m_emf.settings.frontCover = 1;
    m_emf.settings.backCover = 1;
    EXPECT_TRUE(Run(PrintNupPages));
    // Front cover, fronts; the turn; back cover after the ascending batch and before the
    // descending one, the backs, then the front cover.
    EXPECT_EQ(Batches(), "-|1|3 / -|-|4|2|-");
}

}  // namespace
