// The two-sided fine offsets of a page's cell: per margin case, page group and driver flags, in
// multiples of the driver's horizontal margin, and the paper-travel setting read from the page's
// own private section.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Machine.h>

#include <string>
#include <vector>

#include "printprocessor/CellPlacement.h"
#include "printprocessor/PrivateBlockEdit.h"
#include "printprocessor/SamplePrivateSection.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

namespace {

constexpr LONG kMargin = 1000;  // shifts read as thousandths of the factor
constexpr RECT kCell = {10000, 20000, 30000, 40000};
constexpr LONG kLongTravel = 150;
constexpr LONG kShortTravel = 100;
constexpr LONG kManyPages = 20;
constexpr size_t kCoreDriverArea = 4;

// Edge moves as "left top right bottom".
std::string Moves(const RECT& r)
{
    return std::to_string(r.left - kCell.left) + " " + std::to_string(r.top - kCell.top) + " " +
           std::to_string(r.right - kCell.right) + " " + std::to_string(r.bottom - kCell.bottom);
}

class DuplexFineOffsetsTest : public ProcessorMachineTest {
protected:
    void SetUp() override
    {
        ProcessorMachineTest::SetUp();
        // The settings library is loaded once per process: the earlier machines' copy is gone.
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
        m_printerName = nirasim::Wide(kPrinter);
        m_job.printerName = m_printerName.data();
        m_jobDevmode.dmSize = sizeof(DEVMODEW);
        m_jobDevmode.dmPrintQuality = 600;
        m_emf.duplex = 1;
        m_emf.pageCount = kManyPages;
        m_emf.pageSettings.marginX = kMargin;
        m_placement.job = &m_emf;
    }

    // A page DEVMODE whose private section holds the paper-travel setting; none when travel < 0.
    DEVMODEW* Page(short orientation, LONG travel)
    {
        m_page.assign(sizeof(DEVMODEW), 0);
        if (travel >= 0) {
            std::unique_ptr<PrivateDevMode> section =
                SamplePrivateSection(m_printerName.c_str(), {{kDuplexOffsetSetting, travel}});
            // The core driver's own private area comes first.
            m_page.insert(m_page.end(), kCoreDriverArea, 0);
            const auto* b = reinterpret_cast<const BYTE*>(section.get());
            m_page.insert(m_page.end(), b, b + sizeof(PrivateDevMode));
        }
        auto* devmode = reinterpret_cast<DEVMODEW*>(m_page.data());
        devmode->dmSize = sizeof(DEVMODEW);
        devmode->dmDriverExtra = static_cast<WORD>(m_page.size() - sizeof(DEVMODEW));
        devmode->dmOrientation = orientation;
        return devmode;
    }

    std::string Nup(LONG pages, short orientation, LONG travel, LONG cellIndex = 0)
    {
        m_emf.nupPages = pages;
        m_placement.cellRect = kCell;
        ApplyCellFineOffsets(m_placement, Page(orientation, travel), pages, cellIndex);
        return Moves(m_placement.cellRect);
    }

    std::string OnePage(short orientation, LONG travel)
    {
        m_emf.nupPages = 1;
        m_placement.cellRect = kCell;
        ApplySheetFineOffsets(m_placement, Page(orientation, travel));
        return Moves(m_placement.cellRect);
    }

    void Margins(LONG mode, LONG variant, LONG flag)
    {
        m_emf.settings.marginMode = mode;
        m_emf.settings.marginVariant = variant;
        m_emf.pageSettings.marginFlag = flag;
    }

    WString m_printerName;
    ProcessorJob m_job = {};
    DEVMODEW m_jobDevmode = {};
    CNiraEmfJob m_emf{&m_job, &m_jobDevmode};
    CellPlacement m_placement;
    std::vector<BYTE> m_page;
};

struct NupCase {
    LONG mode;
    LONG variant;
    LONG flag;
    LONG travel;
    LONG pages;
    short orientation;
    const char* moves;
};

TEST_F(DuplexFineOffsetsTest, NupCellsMoveByTheirMarginCaseGroupAndFlags)
{
    constexpr short kP = DMORIENT_PORTRAIT;
    constexpr short kL = DMORIENT_LANDSCAPE;
    const std::vector<NupCase> cases = {
        // alpha: margin mode 1, variant 1
        {1, 1, 0, 0, 2, kP, "0 0 0 -6300"},
        {1, 1, 1, 0, 4, kL, "-500 0 -6400 0"},
        {1, 1, 0, 0, 4, kL, "5800 0 500 0"},
        {1, 1, 0, kLongTravel, 6, kP, "0 -1800 0 -4300"},
        {1, 1, 2, kLongTravel, 6, kP, "0 -1800 0 -5000"},  // long travel counts alone only at flag 0
        {1, 1, 1, 0, 2, kL, "0 0 -5700 0"},
        {1, 1, 0, kLongTravel, 4, kP, "0 -200 0 -5000"},
        {1, 1, 0, kShortTravel, 4, kP, "0 -500 0 -7000"},  // 100 is not above 100
        {1, 1, 0, 0, 6, kL, "4000 0 1500 0"},
        // beta: margin mode 1, variant 0
        {1, 0, 0, 0, 2, kP, "0 0 1000 -3000"},
        {1, 0, 0, 0, 4, kP, "0 -500 0 -2000"},
        {1, 0, 1, kLongTravel, 6, kL, "0 0 -2000 0"},
        // gamma: another margin mode, variant 1
        {0, 1, 1, 0, 2, kP, "0 0 0 -6300"},
        {0, 1, 0, kLongTravel, 2, kP, "0 0 0 -300"},
        {0, 1, 2, 0, 2, kP, "0 0 0 -300"},
        {0, 1, 0, 0, 2, kP, "0 0 0 -100"},
        {0, 1, 0, 0, 4, kL, "-100 -200 500 400"},
        {0, 1, 0, kLongTravel, 4, kP, "-1000 -1500 1000 500"},
        {0, 1, 0, 0, 4, kP, "-1000 -1500 1000 2000"},
        {0, 1, 0, kLongTravel, 6, kL, "30 -200 300 400"},
        {0, 1, 1, 0, 6, kL, "200 -200 200 400"},
        // delta: every other combination
        {0, 0, 0, 0, 2, kP, "-2500 200 2000 200"},
        {1, 2, 0, 0, 4, kP, "-500 -750 1000 2000"},
        {2, 0, 0, 0, 6, kL, "0 -250 100 250"},
        // counts outside both groups
        {1, 1, 0, 0, 9, kP, "0 0 0 0"},
    };
    for (const NupCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + "/" + std::to_string(c.variant) + " flag " +
                     std::to_string(c.flag) + " travel " + std::to_string(c.travel) + " " +
                     std::to_string(c.pages) + "-up orientation " + std::to_string(c.orientation));
        Margins(c.mode, c.variant, c.flag);
        EXPECT_EQ(Nup(c.pages, c.orientation, c.travel), c.moves);
    }
}

TEST_F(DuplexFineOffsetsTest, ProductsAreTruncatedTowardsZero)
{
    Margins(0, 0, 0);
    m_emf.pageSettings.marginX = 7;
    // 2-up portrait, case delta: -2.5 x 7 = -17.5, 2 x 7, 0.2 x 7 = 1.4
    EXPECT_EQ(Nup(2, DMORIENT_PORTRAIT, 0), "-17 1 14 1");
}

TEST_F(DuplexFineOffsetsTest, NupCellsStayWhereTheSheetsNeedNoOffsets)
{
    Margins(1, 1, 0);
    struct Case {
        const char* name;
        void (*set)(CNiraEmfJob&);
    };
    const std::vector<Case> cases = {
        {"one-sided", [](CNiraEmfJob& j) { j.duplex = 0; }},
        {"driver scales", [](CNiraEmfJob& j) { j.settings.driverScales = 1; }},
        {"fits one sheet", [](CNiraEmfJob& j) { j.pageCount = 2; }},
        {"manual two-sided margins", [](CNiraEmfJob& j) { j.settings.manualDuplex = 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNiraEmfJob saved = m_emf;
        c.set(m_emf);
        EXPECT_EQ(Nup(2, DMORIENT_PORTRAIT, 0), "0 0 0 0");
        m_emf = saved;
    }
}

TEST_F(DuplexFineOffsetsTest, MixedSheetsFollowThePageInTheirFirstCell)
{
    Margins(1, 1, 0);
    m_emf.mixedOrientation = 1;
    EXPECT_EQ(Nup(2, DMORIENT_LANDSCAPE, kLongTravel, 0), "1000 0 -2200 0");
    // A portrait page in the second cell still follows the landscape first cell.
    EXPECT_EQ(Nup(2, DMORIENT_PORTRAIT, kLongTravel, 1), "1000 0 -2200 0");
    EXPECT_EQ(Nup(4, DMORIENT_PORTRAIT, 0, 0), "0 -500 0 -6800");
    EXPECT_EQ(Nup(6, DMORIENT_PORTRAIT, 0, 0), "0 200 0 -1500");
    EXPECT_EQ(Nup(6, DMORIENT_LANDSCAPE, 0, 0), "-200 0 -1500 0");
    EXPECT_EQ(Nup(9, DMORIENT_LANDSCAPE, 0, 0), "0 0 0 0");
}

TEST_F(DuplexFineOffsetsTest, OnePageSheetsMoveByFlagTravelAndOrientation)
{
    struct Case {
        LONG flag;
        LONG travel;
        short orientation;
        const char* moves;
    };
    const std::vector<Case> cases = {
        {1, kLongTravel, DMORIENT_PORTRAIT, "0 0 500 0"},
        {1, 0, DMORIENT_PORTRAIT, "700 0 300 0"},
        {0, kLongTravel, DMORIENT_LANDSCAPE, "0 0 200 0"},
        {0, kLongTravel, DMORIENT_PORTRAIT, "0 0 0 0"},
        {0, 0, DMORIENT_PORTRAIT, "0 0 0 -2500"},
        {0, -1, DMORIENT_LANDSCAPE, "0 0 0 -2500"},  // no private section: short travel
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.flag) + " " + std::to_string(c.travel) + " " +
                     std::to_string(c.orientation));
        Margins(0, 0, c.flag);
        EXPECT_EQ(OnePage(c.orientation, c.travel), c.moves);
    }
}

TEST_F(DuplexFineOffsetsTest, OnePageSheetsKeepTheirCellOnPostcardsMixedOrMarginModeTwo)
{
    Margins(0, 0, 0);
    // 4728 x 6996 at 1200 dpi is a postcard: at 600 dpi its sheet is 2364 x 3498.
    m_emf.placement.physicalWidth = 2364;
    m_emf.placement.physicalHeight = 3498;
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 0");
    m_emf.placement.physicalWidth = 4722;  // the double postcard
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 0");
    m_emf.placement.physicalWidth = 2400;
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 -2500");
    m_jobDevmode.dmPrintQuality = 0;  // no quality: never a postcard
    m_emf.placement.physicalWidth = 2364;
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 -2500");

    m_emf.mixedOrientation = 1;
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 0");
    m_emf.mixedOrientation = 0;
    Margins(2, 0, 0);
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 0");
}

TEST_F(DuplexFineOffsetsTest, ManualTwoSidedMarginsMoveOnePageSheets)
{
    Margins(1, 1, 0);
    m_emf.settings.manualDuplex = 1;
    m_emf.duplex = 0;
    EXPECT_EQ(OnePage(DMORIENT_LANDSCAPE, 0), "0 0 1500 0");
    EXPECT_EQ(OnePage(DMORIENT_PORTRAIT, 0), "0 0 0 5500");
}

}  // namespace
