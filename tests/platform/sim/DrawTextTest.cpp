// DrawTextW's layout: line feeds and word breaks, keyboard prefixes, and the static control's
// text drawn through it.
#include "GdiCanvas.h"

#include <windows.h>

#include <string>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 80;
constexpr COLORREF kWhite = RGB(255, 255, 255);

class DrawTextTest : public CountedGdiTest {
protected:
    // The height DrawTextW answers, drawing onto a fresh white canvas.
    int Draw(Canvas& canvas, const std::u16string& text, UINT format, int width = kWidth)
    {
        RECT area = {0, 0, width, kHeight};
        return DrawTextW(canvas.dc, reinterpret_cast<LPCWSTR>(text.c_str()), -1, &area, format);
    }
    static bool SamePixels(Canvas& one, Canvas& other)
    {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (GetPixel(one.dc, x, y) != GetPixel(other.dc, x, y)) {
                    return false;
                }
            }
        }
        return true;
    }
    static bool InkBetween(Canvas& canvas, int top, int bottom)
    {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (GetPixel(canvas.dc, x, y) != kWhite) {
                    return true;
                }
            }
        }
        return false;
    }
    int LineHeight()
    {
        Canvas canvas(kWidth, kHeight, kWhite);
        TEXTMETRICW metrics{};
        GetTextMetricsW(canvas.dc, &metrics);
        return metrics.tmHeight;
    }
};

TEST_F(DrawTextTest, LinesBreakAtLineFeedsAndWithWordBreakBetweenWords)
{
    const int line = LineHeight();
    ASSERT_GT(line, 0);
    Canvas canvas(kWidth, kHeight, kWhite);
    const struct {
        const char16_t* text;
        UINT format;
        int width;
        int lines;
    } cases[] = {
        {TEXT("one\ntwo\r\nthree"), DT_LEFT, kWidth, 3},
        {TEXT("one\ntwo"), DT_SINGLELINE, kWidth, 1},
        {TEXT("one two three four five six seven"), DT_LEFT, 40, 1},       // no breaking asked
        {TEXT("one two three four five six seven"), DT_WORDBREAK, 40, 7},  // a word a line
        {TEXT("one two"), DT_WORDBREAK, kWidth, 1},
        {TEXT("unbreakable"), DT_WORDBREAK, 5, 1},  // a long word stands alone, clipped
        {TEXT(""), DT_WORDBREAK, kWidth, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Draw(canvas, c.text, c.format, c.width), c.lines * line) << "case " << (&c - cases);
    }
    // Wrapped lines are drawn one under the other.
    Canvas wrapped(kWidth, kHeight, kWhite);
    Draw(wrapped, TEXT("one two"), DT_WORDBREAK, 40);
    EXPECT_TRUE(InkBetween(wrapped, line, 2 * line));
    Canvas single(kWidth, kHeight, kWhite);
    Draw(single, TEXT("one two"), DT_LEFT, 40);
    EXPECT_FALSE(InkBetween(single, line, 2 * line));
}

TEST_F(DrawTextTest, AnAmpersandMarksThePrefixUnlessNoPrefixIsAsked)
{
    Canvas marked(kWidth, kHeight, kWhite);
    Canvas plain(kWidth, kHeight, kWhite);
    Draw(marked, TEXT("&Open"), DT_LEFT);
    Draw(plain, TEXT("Open"), DT_LEFT);
    EXPECT_TRUE(SamePixels(marked, plain));
    Canvas doubled(kWidth, kHeight, kWhite);
    Canvas one(kWidth, kHeight, kWhite);
    Draw(doubled, TEXT("A&&B"), DT_LEFT);
    Draw(one, TEXT("A&B"), DT_NOPREFIX);
    EXPECT_TRUE(SamePixels(doubled, one));
    Canvas literal(kWidth, kHeight, kWhite);
    Draw(literal, TEXT("&Open"), DT_NOPREFIX);
    EXPECT_FALSE(SamePixels(literal, plain));
}

TEST_F(DrawTextTest, AStaticWrapsItsTextFromTheTopUnlessItKeepsOneLine)
{
    const int line = LineHeight();
    const struct {
        DWORD style;
        bool secondLine;
    } cases[] = {{SS_LEFT, true}, {SS_CENTER, true}, {SS_LEFTNOWORDWRAP, false}, {SS_SIMPLE, false}};
    for (const auto& c : cases) {
        HWND label = CreateWindowExW(0, TEXT("Static"), TEXT("one two three four"), WS_VISIBLE | c.style, 0,
                                     0, 60, kHeight, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(label, nullptr);
        InvalidateRect(label, nullptr, TRUE);
        UpdateWindow(label);
        nirasim::Picture picture;
        ASSERT_TRUE(nirasim::WindowPixels(label, picture));
        const unsigned int face = picture.At(picture.width - 1, picture.height - 1);
        auto ink = [&](int top, int bottom) {
            for (int y = top; y < bottom; ++y) {
                for (int x = 0; x < picture.width; ++x) {
                    if (picture.At(x, y) != face) {
                        return true;
                    }
                }
            }
            return false;
        };
        EXPECT_TRUE(ink(0, line)) << "style " << c.style;
        EXPECT_EQ(ink(line + 1, 2 * line), c.secondLine) << "style " << c.style;
        DestroyWindow(label);
    }
}

}  // namespace
