// Cells of pages on a sheet side and the world transforms that put pages into them, on a printer
// DC of the sample driver whose render module stays silent (no driver margins).
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Gdi.h>

#include <string>
#include <vector>

#include "printprocessor/CellPlacement.h"

namespace {

constexpr short kLowQuality = 100;  // Letter at 100 dpi: 850 x 1100, printable 826 x 1076

class CellPlacementTest : public ProcessorMachineTest {
protected:
    void SetUp() override
    {
        ProcessorMachineTest::SetUp();
        nirasim::SetRenderModuleAnswers(false);
        m_emf.settings.marginMode = 0;
    }

    void TearDown() override
    {
        if (m_dc != nullptr) {
            DeleteDC(m_dc);
        }
        nirasim::SetRenderModuleAnswers(true);
        ProcessorMachineTest::TearDown();
    }

    void MakeDC(short orientation, short dpiX = kLowQuality, short dpiY = kLowQuality)
    {
        m_devmode.dmSize = sizeof(DEVMODEW);
        m_devmode.dmOrientation = orientation;
        m_devmode.dmPrintQuality = dpiX;
        m_devmode.dmYResolution = dpiY;
        WString printer = nirasim::Wide(kPrinter);
        m_dc = CreateDCW(TEXT(""), printer.c_str(), TEXT(""), &m_devmode);
        ASSERT_NE(m_dc, nullptr);
        m_emf.printerDC = m_dc;
        m_placement.job = &m_emf;
        m_placement.printerDC = m_dc;
    }

    RECT Cell(LONG pages, LONG cell, LONG mode = PLACE_UPRIGHT)
    {
        ResetPlacement(m_placement, mode);
        EXPECT_TRUE(ComputeCell(m_placement, &m_devmode, pages, cell, cell));
        return m_placement.cellRect;
    }

    // Where a cell's centre lies on the printable area, as "row,column" of a grid of the given
    // size, counted from the top left.
    std::string Where(const RECT& r, int rows, int columns) const
    {
        LONG width = GetDeviceCaps(m_dc, HORZRES);
        LONG height = GetDeviceCaps(m_dc, VERTRES);
        LONG row = (r.top + r.bottom) / 2 * rows / height;
        LONG column = (r.left + r.right) / 2 * columns / width;
        return std::to_string(row) + "," + std::to_string(column);
    }

    DEVMODEW m_devmode = {};
    HDC m_dc = nullptr;
    ProcessorJob m_job = {};
    CNiraEmfJob m_emf{&m_job, &m_devmode};
    CellPlacement m_placement;
};

struct OrderCase {
    const char* name;
    short orientation;
    LONG pages;
    LONG mode;
    int rows;
    int columns;
    bool rotated;
    std::vector<std::string> where;  // per cell, from cell 1
};

TEST_F(CellPlacementTest, CellsFollowTheGridInTheOrderOfTheSide)
{
    const std::vector<OrderCase> cases = {
        {"2-up portrait", DMORIENT_PORTRAIT, 2, PLACE_UPRIGHT, 2, 1, true, {"1,0", "0,0"}},
        {"2-up portrait half turn", DMORIENT_PORTRAIT, 2, PLACE_HALF_TURN, 2, 1, true, {"0,0", "1,0"}},
        {"2-up landscape", DMORIENT_LANDSCAPE, 2, PLACE_UPRIGHT, 1, 2, true, {"0,0", "0,1"}},
        {"2-up landscape half turn", DMORIENT_LANDSCAPE, 2, PLACE_HALF_TURN, 1, 2, true, {"0,1", "0,0"}},
        {"4-up", DMORIENT_PORTRAIT, 4, PLACE_UPRIGHT, 2, 2, false, {"0,0", "0,1", "1,0", "1,1"}},
        {"4-up half turn", DMORIENT_PORTRAIT, 4, PLACE_HALF_TURN, 2, 2, false, {"1,1", "1,0", "0,1", "0,0"}},
        {"6-up portrait",
         DMORIENT_PORTRAIT,
         6,
         PLACE_UPRIGHT,
         3,
         2,
         true,
         {"2,0", "1,0", "0,0", "2,1", "1,1", "0,1"}},
        {"9-up",
         DMORIENT_PORTRAIT,
         9,
         PLACE_UPRIGHT,
         3,
         3,
         false,
         {"0,0", "0,1", "0,2", "1,0", "1,1", "1,2", "2,0", "2,1", "2,2"}},
        {"16-up other orientation half turn",
         DMORIENT_PORTRAIT,
         16,
         PLACE_OTHER_ORIENTATION_HALF_TURN,
         4,
         4,
         false,
         {"3,3", "3,2", "3,1", "3,0", "2,3", "2,2", "2,1", "2,0", "1,3", "1,2", "1,1", "1,0", "0,3", "0,2",
          "0,1", "0,0"}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        MakeDC(c.orientation);
        for (size_t i = 0; i < c.where.size(); ++i) {
            RECT r = Cell(c.pages, static_cast<LONG>(i + 1), c.mode);
            EXPECT_EQ(Where(r, c.rows, c.columns), c.where[i]) << "cell " << i + 1;
            EXPECT_EQ(m_placement.rotatedCell, c.rotated ? 1 : 0);
            EXPECT_EQ(m_emf.placement.rotatedCell, m_placement.rotatedCell);
            EXPECT_LT(r.left, r.right);
            EXPECT_LT(r.top, r.bottom);
        }
        DeleteDC(m_dc);
        m_dc = nullptr;
    }
}

TEST_F(CellPlacementTest, CountsWithoutAGridFail)
{
    MakeDC(DMORIENT_PORTRAIT);
    for (LONG pages : {3, 5, 8, 0}) {
        ResetPlacement(m_placement, PLACE_UPRIGHT);
        EXPECT_FALSE(ComputeCell(m_placement, &m_devmode, pages, 1, 1)) << pages;
    }
}

TEST_F(CellPlacementTest, TwoSidedNupCellsTakeTheDriversFineOffsets)
{
    MakeDC(DMORIENT_PORTRAIT);
    m_emf.pageSettings.marginX = 100;
    m_emf.nupPages = 2;
    m_emf.pageCount = 8;
    RECT oneSided = Cell(2, 1);
    m_emf.duplex = 1;
    RECT twoSided = Cell(2, 1);
    // No margin mode, no variant: the left edge moves out by 2.5 margins, the right one in by 2.
    EXPECT_LT(twoSided.left, oneSided.left);
    EXPECT_GT(twoSided.right, oneSided.right);
}

TEST_F(CellPlacementTest, OnePageTakesThePrintableAreaInDeviceUnits)
{
    MakeDC(DMORIENT_PORTRAIT, kLowQuality, 2 * kLowQuality);
    RECT r = Cell(1, 1);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetDeviceCaps(m_dc, DESKTOPHORZRES));
    EXPECT_EQ(r.bottom, GetDeviceCaps(m_dc, DESKTOPVERTRES));
    EXPECT_EQ(m_emf.placement.physicalWidth, GetDeviceCaps(m_dc, PHYSICALWIDTH));
}

TEST_F(CellPlacementTest, UnequalResolutionsGiveCellsOfTheSameShapeInDeviceUnits)
{
    MakeDC(DMORIENT_PORTRAIT, kLowQuality, 2 * kLowQuality);
    LONG width = GetDeviceCaps(m_dc, HORZRES);
    LONG height = GetDeviceCaps(m_dc, VERTRES);
    RECT first = Cell(4, 1);
    RECT last = Cell(4, 4);
    EXPECT_LT(first.right, width / 2 + 1);
    EXPECT_LT(first.bottom, height / 2 + 1);
    EXPECT_GT(last.left, width / 2 - 1);
    EXPECT_LE(last.bottom, height);
    // The page keeps its shape: twice as many rows per inch as columns per inch.
    double inchesWide = static_cast<double>(first.right - first.left) / kLowQuality;
    double inchesHigh = static_cast<double>(first.bottom - first.top) / (2 * kLowQuality);
    EXPECT_NEAR(inchesWide / inchesHigh, 8.5 / 11, 0.01);
}

TEST_F(CellPlacementTest, FramesLieTenUnitsInsideTheGridCell)
{
    MakeDC(DMORIENT_PORTRAIT);
    LONG width = GetDeviceCaps(m_dc, DESKTOPHORZRES) - 1;
    LONG height = GetDeviceCaps(m_dc, DESKTOPVERTRES) - 1;
    m_emf.noBorders = 0;
    Cell(4, 4);
    const RECT& frame = m_placement.borderRect;
    EXPECT_EQ(frame.left, width / 2 + 10);
    EXPECT_EQ(frame.top, height / 2 + 10);
    EXPECT_EQ(frame.right, width - 10);
    EXPECT_EQ(frame.bottom, height - 10);

    m_emf.noBorders = 1;
    Cell(4, 4);
    EXPECT_EQ(m_placement.borderRect.left, -1);
    EXPECT_EQ(m_placement.borderRect.bottom, -1);
}

TEST_F(CellPlacementTest, TurnsNeedTheAdvancedModeAndComposeWithTheShift)
{
    MakeDC(DMORIENT_PORTRAIT);
    ResetPlacement(m_placement, PLACE_UPRIGHT);
    EXPECT_FALSE(SetCellTransform(m_placement, TURN_QUARTER, 10, 500));
    ASSERT_NE(SetGraphicsMode(m_dc, GM_ADVANCED), 0);
    EXPECT_FALSE(SetCellTransform(m_placement, 6, 0, 0));

    ASSERT_TRUE(SetCellTransform(m_placement, TURN_QUARTER, 10, 500));
    XFORM x = {};
    ASSERT_TRUE(GetWorldTransform(m_dc, &x));
    // The page's x axis runs up the sheet from the cell's bottom left corner.
    EXPECT_FLOAT_EQ(100 * x.eM11 + 0 * x.eM21 + x.eDx, 10);
    EXPECT_FLOAT_EQ(100 * x.eM12 + 0 * x.eM22 + x.eDy, 400);
    EXPECT_EQ(SetGraphicsMode(m_dc, GM_COMPATIBLE), 0);  // not while a transform is in force

    ASSERT_TRUE(SetCellTransform(m_placement, TURN_HALF, 200, 300));
    ASSERT_TRUE(GetWorldTransform(m_dc, &x));
    EXPECT_FLOAT_EQ(x.eM11, -0.99999845F);
    EXPECT_FLOAT_EQ(x.eM12, 0.0017453284F);
    EXPECT_FLOAT_EQ(x.eDx, 200);
    ASSERT_TRUE(ModifyWorldTransform(m_dc, nullptr, MWT_IDENTITY));
    EXPECT_EQ(SetGraphicsMode(m_dc, GM_COMPATIBLE), GM_ADVANCED);
}

struct BindingCase {
    LONG bindShortEdge;
    LONG outputMode;
    LONG pagesPerSide;
    short orientation;
    bool turned;
    SHORT expected;
};

TEST_F(CellPlacementTest, DuplexBindingFollowsOrientationPagesAndTurn)
{
    const std::vector<BindingCase> cases = {
        {0, 3, 2, DMORIENT_LANDSCAPE, false, DMDUP_VERTICAL},
        {0, 3, 1, DMORIENT_PORTRAIT, false, DMDUP_VERTICAL},
        {0, 3, 1, DMORIENT_LANDSCAPE, false, DMDUP_HORIZONTAL},
        {0, 1, 2, DMORIENT_LANDSCAPE, false, DMDUP_HORIZONTAL},
        {0, 1, 2, DMORIENT_LANDSCAPE, true, DMDUP_VERTICAL},
        {0, 1, 6, DMORIENT_PORTRAIT, false, DMDUP_VERTICAL},
        {0, 1, 6, DMORIENT_PORTRAIT, true, DMDUP_HORIZONTAL},
        {1, 3, 2, DMORIENT_PORTRAIT, false, DMDUP_VERTICAL},
        {1, 3, 4, DMORIENT_LANDSCAPE, false, DMDUP_VERTICAL},
        {1, 5, 2, DMORIENT_PORTRAIT, true, DMDUP_VERTICAL},
        {1, 5, 2, DMORIENT_LANDSCAPE, false, DMDUP_VERTICAL},
        {1, 5, 2, DMORIENT_PORTRAIT, false, DMDUP_HORIZONTAL},
        {2, 3, 1, DMORIENT_PORTRAIT, false, DMDUP_HORIZONTAL},
    };
    m_emf.duplex = 1;
    for (const BindingCase& c : cases) {
        m_emf.settings.bindShortEdge = c.bindShortEdge;
        m_emf.settings.outputMode = c.outputMode;
        m_emf.pagesPerSide = c.pagesPerSide;
        EXPECT_EQ(m_emf.DuplexBinding(c.orientation, c.turned), c.expected)
            << c.bindShortEdge << " " << c.outputMode << " " << c.pagesPerSide << " " << c.orientation << " "
            << c.turned;
    }
    m_emf.settings.booklet = 1;
    EXPECT_EQ(m_emf.DuplexBinding(DMORIENT_PORTRAIT, false), DMDUP_HORIZONTAL);
    m_emf.duplex = 0;
    EXPECT_EQ(m_emf.DuplexBinding(DMORIENT_PORTRAIT, false), DMDUP_SIMPLEX);
}

}  // namespace
