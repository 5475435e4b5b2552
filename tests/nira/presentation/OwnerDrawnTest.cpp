#include "WidgetFixture.h"

#include <nirasim/Gdi.h>

#include "nira/presentation/ComboBoxOwnerDrawn.h"
#include "nira/presentation/ImageWidgets.h"
#include "nira/presentation/ListBoxOwnerDrawn.h"
#include "nira/presentation/TransparentBitmap.h"

namespace {

constexpr int kSampleBitmap = 200;  // 4 x 4: magenta background, a red 2 x 2 square in the middle
constexpr COLORREF kBackground = RGB(0, 128, 0);

class OwnerDrawnTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        sink.resourceModule = module;
        screen = GetDC(nullptr);
        canvas = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 200, 60);
        old = SelectObject(canvas, bitmap);
        RECT all{0, 0, 200, 60};
        HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(canvas, &all, brush);
        DeleteObject(brush);
        SetBkColor(canvas, kBackground);
        startObjects = nirasim::LiveGdiObjects();
        nirasim::ClearGdiJournal();
    }

    void TearDown() override
    {
        EXPECT_EQ(nirasim::LiveGdiObjects(), startObjects);  // painting frees what it made
        SelectObject(canvas, old);
        DeleteObject(bitmap);
        DeleteDC(canvas);
        ReleaseDC(nullptr, screen);
        WidgetTest::TearDown();
    }

    DRAWITEMSTRUCT Draw(HWND control, int item, UINT state) const
    {
        DRAWITEMSTRUCT draw{};
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
        draw.itemID = static_cast<UINT>(item);
        draw.itemState = state;
        draw.hwndItem = control;
        draw.hDC = canvas;
        draw.rcItem = {0, 0, 200, 20};
        return draw;
    }

    COLORREF Pixel(int x, int y) const { return GetPixel(canvas, x, y); }

    HDC screen = nullptr;
    HDC canvas = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    int startObjects = 0;
};

TEST_F(OwnerDrawnTest, TransparentBitmapsKeepTheBackgroundOnTheirBackgroundPixels)
{
    HBITMAP sample = LoadBitmapW(module, MAKEINTRESOURCEW(kSampleBitmap));
    ASSERT_NE(sample, nullptr);
    ASSERT_TRUE(DrawTransparentBitmap(canvas, sample, 10, 10));
    DeleteObject(sample);
    EXPECT_EQ(Pixel(10, 10), kBackground);
    EXPECT_EQ(Pixel(13, 13), kBackground);
    EXPECT_EQ(Pixel(11, 11), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(12, 12), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(14, 11), kBackground);  // beside the bitmap
}

TEST_F(OwnerDrawnTest, TheSheetPreviewButtonIsPaintedByItsHandler)
{
    auto* preview = Make<CNiraOwnerdrawnButton>(Row(WIDGET_OWNERDRAWN_BUTTON, kPushButton, 6002));
    preview->Attach(dialog);
    DRAWITEMSTRUCT draw = Draw(Item(kPushButton), 0, 0);
    preview->DrawItem(&draw);
    ASSERT_EQ(sink.paints.size(), 1u);
    EXPECT_EQ(sink.paints[0], std::make_pair(6002, Item(kPushButton)));
}

TEST_F(OwnerDrawnTest, ACtrlDoubleClickOnlyInsideTheStaticSendsItsCommand)
{
    auto* picture = Make<CNiraOwnerDrawnStaticControl>(Row(WIDGET_OWNERDRAWN_STATIC, kLabel, 6003));
    picture->Attach(dialog);
    RECT area{};
    GetWindowRect(Item(kLabel), &area);
    picture->OnCtrlDoubleClick(area.right + 5, area.top);
    EXPECT_TRUE(sink.widgetCommands.empty());
    picture->OnCtrlDoubleClick(area.left + 1, area.top + 1);
    EXPECT_EQ(sink.widgetCommands, std::vector<int>{6003});
}

TEST_F(OwnerDrawnTest, ComboEntriesIndentTheirTextAndDrawSeparatorsUnderTheRowAbove)
{
    auto* combo = Make<CNiraComboBoxOwnerDrawn>(Row(WIDGET_COMBO_BOX_OWNERDRAWN, kOwnerDrawnCombo));
    combo->AddImageItem(1, TEXT("Plain"), 0, 0, 2, 0, 0);
    combo->AddImageItem(2, TEXT("Section"), 0, 0, 2, 1, 0);
    combo->AddImageItem(3, TEXT("Top"), 0, 0, 2, 0, 0);
    combo->SetValue(1, 0);
    combo->Attach(dialog);
    DRAWITEMSTRUCT draw = Draw(Item(kOwnerDrawnCombo), 0, ODS_SELECTED);
    combo->DrawItem(&draw);
    EXPECT_EQ(combo->ItemStateAt(0), 6);  // drawn selected
    auto texts = nirasim::GdiCallsNamed("ExtTextOutW");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].args[0], 8 / 4 + 24);  // the dialog-unit offset and the 24-pixel image column
    // "Section" is row 1: its line lies on the bottom of row 0, 6 pixels in from each side.
    auto lines = nirasim::GdiCallsNamed("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].args[1], 16);
    auto moves = nirasim::GdiCallsNamed("MoveToEx");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].args[0], 6);
    EXPECT_EQ(moves[0].args[1], 16);

    draw.itemID = 7;  // no such entry: nothing is drawn
    nirasim::ClearGdiJournal();
    combo->DrawItem(&draw);
    EXPECT_TRUE(nirasim::GdiJournal().empty());
}

TEST_F(OwnerDrawnTest, TheSeparatorSearchTakesAnEntryOfTheLongestText)
{
    auto* combo = Make<CNiraComboBoxOwnerDrawn>(Row(WIDGET_COMBO_BOX_OWNERDRAWN, kOwnerDrawnCombo));
    std::u16string longest(kWidgetTextLength - 1, 'x');
    combo->AddImageItem(1, TEXT("First"), 0, 0, 2, 0, 0);
    combo->AddImageItem(2, longest.c_str(), 0, 0, 2, 1, 0);
    combo->Attach(dialog);
    DRAWITEMSTRUCT draw = Draw(Item(kOwnerDrawnCombo), 0, 0);
    combo->DrawItem(&draw);
    EXPECT_TRUE(nirasim::GdiCallsNamed("LineTo").empty());  // the long entry is row 0: no row above it
}

int FixedWidth(const WCHAR*, int length, void*)
{
    return 6 * length;
}

TEST(RowSplit, LongTextsBreakAtBlanksIntoUpToThreeLines)
{
    struct Case {
        std::u16string text;
        int available;
        int lines;
        int firstEnd;
    };
    const Case cases[] = {
        {TEXT("short"), 100, 1, 5},
        {TEXT("two words here"), 60, 2, 9},                 // 10 fit, blank at 9
        {TEXT("abcdefghijklmnop"), 60, 2, 8},               // no blank: two before the fitting count
        {TEXT("aa bb cc dd ee ff gg hh ii jj"), 40, 3, 5},  // the remainder is longer and too wide
        {TEXT("ab"), 0, 1, 2},                              // nothing fits: one clipped line
    };
    for (const Case& c : cases) {
        auto text = reinterpret_cast<const WCHAR*>(c.text.c_str());
        int length = static_cast<int>(c.text.size());
        RowLines lines =
            SplitRowText(text, length, FixedWidth(text, length, nullptr), c.available, FixedWidth, nullptr);
        EXPECT_EQ(lines.count, c.lines) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(lines.end[0], c.firstEnd) << std::string(c.text.begin(), c.text.end());
    }
}

}  // namespace
