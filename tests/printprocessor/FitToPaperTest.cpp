// Pages fitted to the job's paper: centred at their own size, scaled into the printable area, and
// booklet cells scaled by the bound that their page meets first.
#include <gtest/gtest.h>

#include <cstring>

#include "printprocessor/CellPlacement.h"

namespace {

constexpr LONG kSlots = 13;
constexpr LONG kPaperSlot = 6;
constexpr LONG kA4 = 9;
constexpr LONG kLetter = 1;

// One page's size record: both halves alike.
struct SizeRecord {
    LONG slots[kSlots] = {};
    SizeRecord(LONG w1, LONG h1, LONG w2, LONG h2, float physicalWidth, float physicalHeight, LONG paper)
    {
        for (LONG half : {0, 7}) {
            slots[half + 0] = w1;
            slots[half + 1] = h1;
            slots[half + 2] = w2;
            slots[half + 3] = h2;
            std::memcpy(&slots[half + 4], &physicalWidth, sizeof(float));
            std::memcpy(&slots[half + 5], &physicalHeight, sizeof(float));
        }
        slots[kPaperSlot] = paper;
    }
};

class FitToPaperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_placement.job = &m_emf;
        m_placement.printableWidth = 4800;
        m_placement.printableHeight = 6400;
        m_placement.physicalWidth = 5100;
        m_placement.physicalHeight = 6600;
        m_emf.settings.fitToPaper = 1;
        m_emf.settings.paperSize = kA4;
    }

    float Fit(SizeRecord& record, RECT cell, float lx = 300, float ly = 200)
    {
        m_emf.pageSizeTable = record.slots;
        m_emf.pageSizeTablePages = 1;
        m_emf.placement.fitScale = 0.5F;
        m_placement.cellRect = cell;
        float scale = FitToPaper(m_placement, lx, ly, 1, 0);
        m_emf.pageSizeTable = nullptr;
        return scale;
    }

    static ::testing::AssertionResult Is(const RECT& actual, const RECT& expected)
    {
        if (EqualRect(&actual, &expected)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "{" << actual.left << ", " << actual.top << ", "
                                             << actual.right << ", " << actual.bottom << "}";
    }

    DEVMODEW m_devmode = {};
    ProcessorJob m_job = {};
    CNiraEmfJob m_emf{&m_job, &m_devmode};
    CellPlacement m_placement;
};

TEST_F(FitToPaperTest, APageAtItsOwnSizeIsCentredAndCutEquallyWhenLarger)
{
    struct Case {
        LONG width;
        LONG height;
        RECT cell;
    };
    const Case cases[] = {
        {4000, 6000, {400, 200, 4401, 6201}},
        {4000, 6400, {400, 0, 4401, 6401}},
        {5600, 7000, {-400, -300, 5201, 6701}},
    };
    for (const Case& c : cases) {
        SizeRecord record(c.width, c.height, c.width, c.height, 5100, 6600, kLetter);
        EXPECT_EQ(Fit(record, {0, 0, 4800, 6400}), 1.0F);
        EXPECT_TRUE(Is(m_placement.cellRect, c.cell)) << c.width << " x " << c.height;
        EXPECT_EQ(m_emf.placement.fitScale, 1.0F);
    }
}

TEST_F(FitToPaperTest, AWidePageFillsTheWidthAndKeepsItsMarginsScaled)
{
    m_emf.settings.fitScales = 1;
    SizeRecord record(6400, 8000, 6400, 8000, 6800, 8800, kLetter);
    EXPECT_EQ(Fit(record, {0, 0, 4800, 6400}), 0.75F);
    EXPECT_TRUE(Is(m_placement.cellRect, {0, -200, 4800, 5800}));
    EXPECT_EQ(m_emf.placement.fitScale, 0.75F);
}

TEST_F(FitToPaperTest, PagesWithoutAFitKeepOrFillTheirCell)
{
    m_emf.settings.fitScales = 1;
    // No size known for the page: the whole printable area.
    SizeRecord unknown(0, 0, 0, 0, 0, 0, kLetter);
    EXPECT_EQ(Fit(unknown, {4800, 6400, 4800, 6400}), 1.0F);
    EXPECT_TRUE(Is(m_placement.cellRect, {0, 0, 4801, 6401}));
    EXPECT_EQ(m_emf.placement.fitScale, 1.0F);

    // A booklet page already on the job's paper keeps the cell of its sheet.
    m_emf.settings.booklet = 1;
    SizeRecord onPaper(4000, 6000, 4000, 6000, 5100, 6600, kA4);
    m_placement.rotatedCell = 1;
    EXPECT_EQ(Fit(onPaper, {0, 0, 2400, 6400}), 1.0F);
    EXPECT_TRUE(Is(m_placement.cellRect, {0, 0, 2400, 6400}));
    EXPECT_EQ(m_emf.placement.fitScale, 1.0F);

    // An upright booklet cell keeps the cell that the sheet gave it.
    SizeRecord letter(4000, 6000, 4000, 6000, 5100, 6600, kLetter);
    m_placement.rotatedCell = 0;
    EXPECT_EQ(Fit(letter, {0, 0, 2400, 6400}), 1.0F);
    EXPECT_TRUE(Is(m_placement.cellRect, {0, 0, 2400, 6400}));

    // A turned cell whose page has no width or height in its slots.
    SizeRecord flat(4000, 0, 4000, 0, 5100, 6600, kLetter);
    m_placement.rotatedCell = 1;
    EXPECT_EQ(Fit(flat, {0, 0, 2400, 6400}), 1.0F);
    EXPECT_TRUE(Is(m_placement.cellRect, {0, 0, 2400, 6400}));
}

TEST_F(FitToPaperTest, EqualBoundsScaleAcrossTheWidthInPortraitAndTheHeightInLandscape)
{
    m_emf.settings.fitScales = 1;
    m_emf.settings.booklet = 1;
    m_placement.rotatedCell = 1;
    // The page lies turned in a cell of 2000 x 1500: both bounds give 0.5. Without margins of
    // its own the page's edges across the free axis meet the printable area's.
    SizeRecord record(3000, 4000, 3000, 4000, 3000, 4000, kLetter);

    m_emf.jobOrientation = DMORIENT_PORTRAIT;
    EXPECT_EQ(Fit(record, {0, 0, 2000, 1500}, 0, 0), 0.5F);
    EXPECT_EQ(m_placement.cellRect.left, 0);
    EXPECT_EQ(m_placement.cellRect.right, 4800);

    m_emf.jobOrientation = DMORIENT_LANDSCAPE;
    EXPECT_EQ(Fit(record, {0, 0, 2000, 1500}, 0, 0), 0.5F);
    EXPECT_EQ(m_placement.cellRect.top, 0);
    EXPECT_EQ(m_placement.cellRect.bottom, 6400);
    EXPECT_EQ(m_emf.placement.fitScale, 0.5F);
}

}  // namespace
