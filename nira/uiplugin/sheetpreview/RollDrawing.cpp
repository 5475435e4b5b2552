// The scenery of the image preview, drawn on the window: the paper roll with its hanging sheet,
// the shadow band, corner triangle and gradient beside the page, and the fade of the page beyond
// the sheet's left edge.
#include "nira/uiplugin/sheetpreview/ImagePreview.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"

#include <initializer_list>

#include "common/ScopedGdi.h"

using namespace sheetpreview;

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kCore = RGB(192, 192, 192);
constexpr COLORREF kRollShade = RGB(90, 90, 90);
constexpr COLORREF kTriangleShade = RGB(75, 75, 75);
constexpr COLOR16 kGradientDark = 0x4B00;
constexpr COLOR16 kGradientLight = 0xC000;
constexpr COLOR16 kGradientAlpha = 0xFF00;
constexpr int kGradientDepth = 14;
constexpr int kThickPen = 2;
constexpr int kRollGapExtra = 3;
constexpr int kSheetFloodOffset = 50;
constexpr int kBandHeight = 25;
constexpr int kBandLift = 35;
constexpr BYTE kBandAlpha = 191;
constexpr BYTE kFadeAlpha = 160;
constexpr int kOpaque = 255;
constexpr int kTriangleWidth = 5;
// Where the background colour is sampled: a point of the window, else its corners.
constexpr POINT kBackgroundSample = {200, 100};
constexpr POINT kBackgroundCorner = {1, 1};

// A 32-bit bottom-up DIB section of the size in a memory DC, for one blend.
class CNiraBlendSource {
public:
    CNiraBlendSource(HDC reference, int width, int height)
        : m_bits(nullptr), m_dc(reference, MakeBitmap(width, height))
    {}
    HDC Get() const { return m_dc.Get(); }
    bool Ready() const { return m_dc.Ready() && m_bits != nullptr; }
    DWORD* Bits() const { return m_bits; }

private:
    HBITMAP MakeBitmap(int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = width > 0 && height > 0
                             ? CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                             : nullptr;
        m_bits = static_cast<DWORD*>(bits);
        return bitmap;
    }
    DWORD* m_bits;
    CNiraScopedMemoryDC m_dc;
};

}  // namespace

void CNiraImagePreview::FillBackground(HDC dc)
{
    HDC windowDC = GetDC(m_window);
    COLORREF background = GetPixel(windowDC, kBackgroundSample.x, kBackgroundSample.y);
    if (background == CLR_INVALID) {
        background = GetPixel(windowDC, kBackgroundCorner.x, kBackgroundCorner.y);
    }
    if (background == CLR_INVALID) {
        background = GetPixel(windowDC, m_widgetRect.right - 1, m_widgetRect.bottom - 1);
    }
    if (windowDC != nullptr) {
        ReleaseDC(m_window, windowDC);
    }
    CNiraScopedObject brush(CreateSolidBrush(background));
    CNiraScopedSelection selection(dc, brush.Get());
    PatBlt(dc, 0, 0, Width(m_widgetRect), Width(m_widgetRect), PATCOPY);
}

// The roll lies across the top right of the widget; its sheet hangs from it to the bottom.
void CNiraImagePreview::DrawRoll()
{
    int side = Width(m_widgetRect);
    CNiraScopedMemoryDC roll(m_windowDC, CreateCompatibleBitmap(m_windowDC, side, side));
    if (!roll.Ready()) {
        return;
    }
    HDC dc = roll.Get();
    FillBackground(dc);
    const RECT& w = m_widgetRect;
    RECT p = {w.right - m_rollRightGap - kRollGapExtra - m_rollPixels, w.top + m_rollHeight / 2,
              w.right - m_rollRightGap - kRollGapExtra, w.bottom};
    int e = p.left - m_rollEndWidth;
    int r = p.right - 2;
    int t = p.top;
    int q1 = t + m_rollHeight / 4;
    int q3 = t + m_rollHeight * 3 / 4;
    CNiraScopedObject thin(CreatePen(PS_SOLID, 1, kGrey));
    CNiraScopedObject thick(CreatePen(PS_SOLID, kThickPen, kGrey));
    CNiraScopedSelection pen(dc, thin.Get());
    Ellipse(dc, e, t, p.left, t + m_rollHeight);
    Line(dc, p.left - 7, t + m_rollHeight, p.left, t + m_rollHeight);
    {
        CNiraScopedObject core(CreateSolidBrush(kCore));
        CNiraScopedSelection brush(dc, core.Get());
        Ellipse(dc, e - 5, q1, e + 5, q3);
    }
    SelectObject(dc, thick.Get());
    Line(dc, e - 3, q1, e + 7, q1);
    SetArcDirection(dc, AD_CLOCKWISE);
    ArcTo(dc, e + 5, q1, e + 12, q3, e + 7, q1, e + 7, q3);
    Line(dc, e + 5, q3, e + 7, q3);
    SelectObject(dc, thin.Get());
    {
        CNiraScopedObject shade(CreateSolidBrush(kRollShade));
        CNiraScopedSelection brush(dc, shade.Get());
        const POINT fold[] = {{e + 2, q1}, {e + 7, q1}, {e + 2, q3}, {e + 7, q3}};
        CNiraScopedObject foldRegion(CreatePolygonRgn(fold, 4, WINDING));
        CNiraScopedObject leftEnd(CreateEllipticRgn(e + 4, q1, e + 13, q3 + 2));
        CNiraScopedObject rightEnd(CreateEllipticRgn(r + 2, q1, r + 8, q3 + 2));
        for (const CNiraScopedObject* region : {&foldRegion, &leftEnd, &rightEnd}) {
            PaintRgn(dc, static_cast<HRGN>(region->Get()));
        }
    }
    Line(dc, p.left - 8, t, p.left + m_rollPixels - 5, t);
    ArcTo(dc, r - 10, t, r + 3, q3, r + 5, t, r + 7, q3);
    Line(dc, p.right, p.bottom, p.right, t + 10);
    Line(dc, p.left, t + 12, p.left, p.bottom);
    Line(dc, p.right, p.bottom - 1, p.left, p.bottom - 1);
    Line(dc, r + 2, q1, r + 5, q1);
    ArcTo(dc, r + 5, q1, r + 7, q3, r + 5, q1, r + 5, q3);
    Line(dc, r + 2, q3, r + 5, q3);
    {
        CNiraScopedSelection brush(dc, GetStockObject(WHITE_BRUSH));
        ExtFloodFill(dc, p.left + kSheetFloodOffset, t + kSheetFloodOffset, kGrey, FLOODFILLBORDER);
    }
    ResetTransform(m_windowDC);
    if (BitBlt(m_windowDC, w.left, w.top, side, side, dc, 0, 0, SRCCOPY)) {
        m_paperArea = p;
    }
}

// Where the page hangs below the sheet's top or is wider than the sheet, the page casts a shadow
// band and the roll a gradient; a page about as wide as the sheet gets a corner triangle.
void CNiraImagePreview::DrawShadows()
{
    const RECT& a = m_paperArea;
    const RECT& s = m_pageRect;
    int sheetWidth = Width(a);
    int sheetHeight = Height(a);
    int pageWidth = Width(s);
    int pageHeight = Height(s);
    bool along = (m_sheetOrientation == 1) == (m_turned == 0);  // the page's width runs across the sheet
    int across = along ? pageWidth : pageHeight;
    int down = along ? pageHeight : pageWidth;
    if (sheetHeight >= down) {
        return;
    }
    if (m_sheetOrientation == 1 && m_turned == 0) {
        DrawShadowBand(s.left + 1, a.bottom - kBandLift, s.right - 1);
    } else if (along) {
        DrawShadowBand(s.left + 1, s.bottom - sheetHeight, s.right - 1);
    } else {
        DrawShadowBand(pageWidth - sheetHeight, s.top + 1, pageWidth);
    }
    if (sheetWidth + kTriangleWidth > across) {
        int x = a.right - across;
        const POINT corners[3] = {{x - 3, a.top}, {x + 1, a.top}, {x + 1, a.top + 3}};
        FillTriangle(corners);
    }
    if (sheetWidth < across) {
        TRIVERTEX vertices[3] = {
            {a.left - kTriangleWidth, a.top, kGradientDark, kGradientDark, kGradientDark, kGradientAlpha},
            {a.left + 2, a.top, kGradientDark, kGradientDark, kGradientDark, kGradientAlpha},
            {a.left + 2, a.top + kGradientDepth, kGradientLight, kGradientLight, kGradientLight,
             kGradientAlpha}};
        GRADIENT_TRIANGLE triangle = {0, 1, 2};
        GradientFill(m_windowDC, vertices, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE);
    }
}

void CNiraImagePreview::FillTriangle(const POINT corners[3])
{
    CNiraScopedObject region(CreatePolygonRgn(corners, 3, WINDING));
    CNiraScopedObject brush(CreateSolidBrush(kTriangleShade));
    FillRgn(m_windowDC, static_cast<HRGN>(region.Get()), static_cast<HBRUSH>(brush.Get()));
}

// Black of falling alpha, stretched along the page's edge: darkest at the left of a vertical
// strip, at the bottom of an upright page's band, at the top of a turned page's band.
void CNiraImagePreview::DrawShadowBand(int x, int y, int xEnd)
{
    int n = xEnd - x;
    bool vertical = (m_sheetOrientation == 1 && m_turned != 0) || (m_sheetOrientation == 2 && m_turned == 0);
    bool darkBottom = m_sheetOrientation == 1 && m_turned == 0;
    bool darkTop = m_sheetOrientation == 2 && m_turned != 0;
    if (!vertical && !darkBottom && !darkTop) {
        return;
    }
    CNiraBlendSource band(m_windowDC, n, kBandHeight);
    if (!band.Ready()) {
        return;
    }
    // Row 0 of the bits is the bottom row; the colour stays 0, premultiplied by its alpha.
    for (int row = 0; row < kBandHeight; ++row) {
        for (int column = 0; column < n; ++column) {
            int alpha = vertical ? (n - column) * kOpaque / n
                                 : (darkBottom ? (kBandHeight - row) * kOpaque / kBandHeight
                                               : row * kOpaque / kBandHeight);
            band.Bits()[static_cast<size_t>(row) * n + column] = static_cast<DWORD>(alpha) << 24;
        }
    }
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, kBandAlpha, AC_SRC_ALPHA};
    if (vertical) {
        AlphaBlend(m_windowDC, x, y, kBandHeight, n, band.Get(), 0, 0, n, kBandHeight, blend);
    } else {
        AlphaBlend(m_windowDC, x, y, n, kBandHeight, band.Get(), 0, 0, n, kBandHeight, blend);
    }
}

void CNiraImagePreview::FadeRect(const RECT& area)
{
    ResetTransform(m_windowDC);
    CNiraBlendSource fade(m_windowDC, Width(area), Height(area));
    if (!fade.Ready()) {
        return;
    }
    FillBackground(fade.Get());
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, kFadeAlpha, 0};
    AlphaBlend(m_windowDC, area.left, area.top, Width(area), Height(area), fade.Get(), 0, 0, Width(area),
               Height(area), blend);
}

// Runs while the window is still clipped to the sheet and the strip left of it, so only that
// strip fades.
void CNiraImagePreview::DrawPaperEdge()
{
    const RECT& a = m_paperArea;
    FadeRect({m_widgetRect.left, a.top + m_rollHeight, a.left, m_widgetRect.bottom});
    CNiraScopedObject grey(CreatePen(PS_SOLID, 1, kGrey));
    CNiraScopedSelection pen(m_windowDC, grey.Get());
    MoveToEx(m_windowDC, a.left, a.bottom, nullptr);
    LineTo(m_windowDC, a.left, a.top + m_rollHeight / 2);
}
