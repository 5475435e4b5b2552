// What stands for a printed page inside a cell of the sheet picture: grey text lines in
// paragraphs, a capital-E logo and a bar chart on the first page, the layout of an address paper,
// the page number, and the grey and sepia forms of the sample colours.
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

#include <strsafe.h>

#include <algorithm>

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "common/ScopedGdi.h"

using namespace sheetpreview;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kOutlineBackground = RGB(192, 192, 192);
constexpr COLORREF kNumberColor = RGB(0, 0, 255);
constexpr int kFitToSize = 2;
constexpr int kGreyOn = 2;
constexpr int kSepiaOn = 2;
constexpr int kBookletOff = 1;
constexpr int kBookletSecondPage = 2;
constexpr int kBookletFolded = 3;
constexpr int kSixteenUp = 6;
constexpr int kLineStep = 2;
constexpr int kMinParagraph = 6;
constexpr int kParagraphsBeforeStop = 2;
constexpr int kPercent = 100;
constexpr int kAddressColumns = 5;
constexpr int kNumberPoints = 400;
constexpr int kPointsPerInch = 72;
constexpr int kNumberScaleDivisor = 11;
constexpr LONG kNumberWeightDense = 500;
constexpr LONG kNumberWeight = 700;
constexpr BYTE kOutPrecision = 4;
constexpr int kNumberCharacters = 5;

struct Rgb {
    BYTE red;
    BYTE green;
    BYTE blue;
};

// The brown ramp that a colour's luminance indexes in steps of 8.
constexpr Rgb kSepiaRamp[32] = {
    {0, 0, 0},       {6, 2, 0},       {20, 7, 0},      {36, 15, 0},     {55, 26, 3},     {74, 39, 10},
    {90, 53, 19},    {104, 67, 29},   {115, 79, 40},   {127, 91, 52},   {139, 103, 64},  {149, 111, 72},
    {158, 116, 78},  {167, 125, 87},  {174, 129, 92},  {182, 135, 101}, {191, 144, 111}, {198, 153, 122},
    {201, 158, 130}, {206, 167, 141}, {209, 174, 149}, {214, 183, 160}, {217, 188, 166}, {221, 194, 174},
    {224, 200, 180}, {228, 205, 187}, {230, 210, 193}, {233, 214, 199}, {237, 220, 207}, {242, 231, 221},
    {249, 244, 240}, {255, 255, 255}};

}  // namespace

COLORREF CNiraSheetPreview::ToSepia(int red, int green, int blue)
{
    int luminance = (30 * red + 59 * green + 11 * blue + 50) / 100;
    const Rgb& entry = kSepiaRamp[std::clamp(luminance / 8, 0, 31)];
    return MakeColor(entry.red, entry.green, entry.blue);
}

void CNiraSheetPreview::ClipTo(const RECT& area)
{
    CNiraScopedObject region(CreateRectRgnIndirect(&area));
    SelectClipRgn(m_memoryDC, static_cast<HRGN>(region.Get()));
}

void CNiraSheetPreview::RemoveClip()
{
    SelectClipRgn(m_memoryDC, nullptr);
}

void CNiraSheetPreview::DrawTextPage(int pageNumber)
{
    if (ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitToSize) {
        CNiraScopedObject dotted(CreatePen(PS_DOT, 1, kGrey));
        CNiraScopedSelection brush(m_memoryDC, GetStockObject(NULL_BRUSH));
        COLORREF background = SetBkColor(m_memoryDC, kOutlineBackground);
        {
            CNiraScopedSelection pen(m_memoryDC, dotted.Get());
            Rectangle(m_memoryDC, m_cellRect.left, m_cellRect.top, m_cellRect.right, m_cellRect.bottom);
        }
        {
            CNiraScopedSelection pen(m_memoryDC, GetStockObject(BLACK_PEN));
            Rectangle(m_memoryDC, m_paperRect.left, m_paperRect.top, m_paperRect.right, m_paperRect.bottom);
        }
        SetBkColor(m_memoryDC, background);
        RECT inside = {};
        IntersectRect(&inside, &m_cellRect, &m_paperRect);
        InflateRect(&inside, -1, -1);
        ClipTo(inside);
    }
    DrawTextLines(pageNumber);
    int booklet = GetBooklet();
    if ((pageNumber == 1 && (booklet == kBookletOff || booklet == kBookletFolded)) ||
        (pageNumber == 2 && booklet == kBookletSecondPage)) {
        DrawLogo();
        DrawChart();
    }
    if (GetPagesPerSheet() != 1 && booklet == kBookletOff) {
        DrawPageNumber(pageNumber);
    }
    RemoveClip();
}

void CNiraSheetPreview::DrawTextLines(int pageNumber)
{
    CNiraScopedObject pen(CreatePen(PS_SOLID, 1, kGrey));
    CNiraScopedSelection selection(m_memoryDC, pen.Get());
    const RECT& c = m_cellRect;
    int m = m_innerMargin;
    int outer = m_outerMargin;
    const RECT& paper = ReadValue(FEATURE_FIT_TO_SIZE, 1) == kFitToSize ? m_documentPaperRect : m_paperRect;
    int x0 = c.left + m;
    int x1 = c.right - m;
    int xHalf = x0 / 2 + x1 / 2;
    int y = c.top + m;
    int yEnd = std::min<int>(c.bottom - m, paper.bottom - outer);
    int paragraph = std::max<int>((c.bottom - m - y) / 4, kMinParagraph);
    if (m_scale != 0 && m_scale < kPercent) {
        for (int* value : {&x0, &x1, &xHalf, &y, &yEnd}) {
            *value += outer - m;
        }
    } else if (m_scale > kPercent) {
        x1 = m_documentPaperRect.right;
        if (xHalf > m_documentPaperRect.right || xHalf < x0) {
            xHalf = m_documentPaperRect.right;
        }
    }
    DrawParagraphLines(pageNumber, x0, x1, xHalf, y, yEnd, paragraph, m);
}

void CNiraSheetPreview::DrawParagraphLines(int pageNumber, int x0, int x1, int xHalf, int y, int yEnd,
                                           int paragraph, int indent)
{
    int booklet = GetBooklet();
    bool stopsEarly =
        (pageNumber == 1 && booklet == kBookletSecondPage) || (pageNumber == 2 && booklet == kBookletFolded);
    int remaining = 0;
    int paragraphs = 0;
    bool paragraphStart = true;
    while (y < yEnd) {
        bool stop = false;
        if (remaining > 0) {
            Line(m_memoryDC, x0, y, x1, y);
        } else if (paragraphStart) {
            Line(m_memoryDC, x0 + indent, y, x1, y);
            remaining = paragraph;
            ++paragraphs;
            paragraphStart = false;
        } else {
            Line(m_memoryDC, x0, y, xHalf, y);
            paragraphStart = true;
            stop = paragraphs == kParagraphsBeforeStop && stopsEarly;
        }
        y += kLineStep;
        remaining -= kLineStep;
        if (stop) {
            break;
        }
    }
}

void CNiraSheetPreview::DrawAddressPage(int pageNumber)
{
    RECT area = GetPagesPerSheet() > 1 ? m_paperRect : m_cellRect;
    LPtoDP(m_memoryDC, reinterpret_cast<POINT*>(&area), 2);
    ClipTo({area.left + 1, area.top + 1, area.right - 2, area.bottom - 2});
    {
        CNiraScopedObject pen(CreatePen(PS_SOLID, 1, kGrey));
        CNiraScopedSelection selection(m_memoryDC, pen.Get());
        const RECT& c = m_cellRect;
        int fifth = Width(c) / kAddressColumns;
        int x = c.left + m_innerMargin;
        int y = c.top + m_innerMargin;
        for (int line = 0; line < 3; ++line) {
            Line(m_memoryDC, x, y + line * kLineStep, x + fifth, y + line * kLineStep);
        }
        x = c.left + m_innerMargin + 2 * fifth;
        y = c.top + m_innerMargin + (Height(c) * 2) / kAddressColumns;
        for (int line = 0; line < 4; ++line) {
            Line(m_memoryDC, x, y + line * kLineStep, x + 2 * fifth, y + line * kLineStep);
        }
    }
    if (GetPagesPerSheet() != 1 && GetBooklet() == kBookletOff) {
        DrawPageNumber(pageNumber);
    }
    RemoveClip();
}

void CNiraSheetPreview::DrawLogo()
{
    const RECT& c = m_cellRect;
    int m = m_innerMargin;
    int side = std::min(Width(c) - 2 * m, Height(c) - 2 * m);
    COLORREF color = MakeColor(0, 0, 255);
    if (ReadValue(FEATURE_PRINT_IN_GRAY, 1) == kGreyOn) {
        color = MakeColor(64, 64, 64);
    } else if (ReadValue(FEATURE_SEPIA, 1) == kSepiaOn) {
        color = ToSepia(64, 64, 64);
    }
    DrawLogoShape(c.left + m, c.top + m, std::max(side / 4 / 5, 1), color);
}

void CNiraSheetPreview::DrawLogoShape(int x0, int y0, int u, COLORREF color)
{
    CNiraScopedObject white(CreateSolidBrush(kWhite));
    RECT ground = {x0 - 1, y0 - 1, x0 + 5 * u + 1, y0 + 5 * u + 2};
    FillRect(m_memoryDC, &ground, static_cast<HBRUSH>(white.Get()));
    const POINT letter[] = {{x0, y0},
                            {x0, y0 + 5 * u},
                            {x0 + 4 * u + 1, y0 + 5 * u},
                            {x0 + 4 * u + 1, y0 + 4 * u},
                            {x0 + u + 1, y0 + 4 * u},
                            {x0 + u + 1, y0 + 3 * u},
                            {x0 + 3 * u + 1, y0 + 3 * u},
                            {x0 + 3 * u + 1, y0 + 2 * u},
                            {x0 + u + 1, y0 + 2 * u},
                            {x0 + u + 1, y0 + u},
                            {x0 + 4 * u + 1, y0 + u},
                            {x0 + 4 * u + 1, y0}};
    CNiraScopedObject fill(CreateSolidBrush(color));
    CNiraScopedSelection pen(m_memoryDC, GetStockObject(NULL_PEN));
    CNiraScopedSelection brush(m_memoryDC, fill.Get());
    Polygon(m_memoryDC, letter, static_cast<int>(sizeof(letter) / sizeof(letter[0])));
}

void CNiraSheetPreview::DrawChart()
{
    const RECT& c = m_cellRect;
    int m = m_innerMargin;
    int side = std::min(Width(c) - 2 * m, Height(c) - 2 * m);
    int half = side / 2;
    COLORREF colors[4] = {MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 0, 255),
                          MakeColor(255, 255, 0)};
    if (ReadValue(FEATURE_PRINT_IN_GRAY, 1) == kGreyOn) {
        colors[0] = MakeColor(117, 117, 117);
        colors[1] = MakeColor(204, 204, 204);
        colors[2] = MakeColor(64, 64, 64);
        colors[3] = MakeColor(243, 243, 243);
    } else if (ReadValue(FEATURE_SEPIA, 1) == kSepiaOn) {
        colors[0] = ToSepia(255, 0, 0);
        colors[1] = ToSepia(0, 255, 0);
        colors[2] = ToSepia(64, 64, 64);
        colors[3] = ToSepia(255, 255, 0);
    }
    DrawChartShape({c.left + m, c.bottom - m - half, c.left + m + half, c.bottom - m}, half, 1, colors);
}

void CNiraSheetPreview::DrawChartShape(RECT r, int half, int f, const COLORREF colors[4])
{
    if (r.top > m_paperRect.bottom - m_outerMargin) {
        return;
    }
    int u = std::max(half / 10, 1);
    OffsetRect(&r, 2 * f, -2 * f);
    InflateRect(&r, 3 * f, 3 * f);
    {
        CNiraScopedSelection pen(m_memoryDC, GetStockObject(NULL_PEN));
        CNiraScopedSelection brush(m_memoryDC, GetStockObject(WHITE_BRUSH));
        Rectangle(m_memoryDC, r.left, r.top, r.right, r.bottom);
    }
    InflateRect(&r, -2 * f, -2 * f);
    struct Bar {
        int left;
        int top;
        int right;
        int color;
    };
    const Bar bars[] = {{1, 7, 3, 0}, {3, 4, 5, 3}, {5, 5, 7, 1}, {7, 2, 9, 2}};
    for (const Bar& bar : bars) {
        CNiraScopedObject brush(CreateSolidBrush(colors[bar.color]));
        RECT area = {r.left + bar.left * u, r.top + bar.top * u, r.left + bar.right * u, r.bottom};
        FillRect(m_memoryDC, &area, static_cast<HBRUSH>(brush.Get()));
    }
    CNiraScopedObject black(CreatePen(PS_SOLID, 1, kBlack));
    CNiraScopedSelection pen(m_memoryDC, black.Get());
    CNiraScopedSelection brush(m_memoryDC, GetStockObject(NULL_BRUSH));
    Rectangle(m_memoryDC, r.left, r.top, r.right, r.bottom);
}

void CNiraSheetPreview::DrawPageNumber(int number)
{
    DrawPageNumberAt(number, 0);
}

void CNiraSheetPreview::DrawPageNumberAt(int number, int offset)
{
    WCHAR text[kNumberCharacters] = {};
    StringCchPrintfW(text, kNumberCharacters, TEXT("%d"), number);
    const RECT& c = m_cellRect;
    int height = kNumberPoints * GetDeviceCaps(m_memoryDC, LOGPIXELSY) / kPointsPerInch;
    int paperSide = std::min(Width(m_paperRect), Height(m_paperRect));
    if (paperSide != 0) {
        height = height * std::min(Width(c), Height(c)) / paperSide / kNumberScaleDivisor;
    }
    LOGFONTW font = {};
    font.lfHeight = -height;
    font.lfWeight = GetPagesPerSheet() == kSixteenUp ? kNumberWeightDense : kNumberWeight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = kOutPrecision;
    StringCchCopyW(font.lfFaceName, LF_FACESIZE, TEXT("Arial"));
    CNiraScopedObject made(CreateFontIndirectW(&font));
    CNiraScopedSelection selection(m_memoryDC, made.Get());
    int mode = SetBkMode(m_memoryDC, TRANSPARENT);
    int length = 0;
    while (length < kNumberCharacters && text[length] != 0) {
        ++length;
    }
    SIZE extent = {};
    GetTextExtentPoint32W(m_memoryDC, text, length, &extent);
    int x = c.left + Width(c) / 2 - extent.cx / 2 + offset;
    int y = c.top + Height(c) / 2 - extent.cy / 2 + offset;
    COLORREF previous = SetTextColor(m_memoryDC, kWhite);
    ExtTextOutW(m_memoryDC, x - 1, y - 1, ETO_CLIPPED, nullptr, text, static_cast<UINT>(length), nullptr);
    ExtTextOutW(m_memoryDC, x + 1, y + 1, ETO_CLIPPED, nullptr, text, static_cast<UINT>(length), nullptr);
    SetTextColor(m_memoryDC, kNumberColor);
    ExtTextOutW(m_memoryDC, x, y, ETO_CLIPPED, nullptr, text, static_cast<UINT>(length), nullptr);
    SetTextColor(m_memoryDC, previous);
    SetBkMode(m_memoryDC, mode);
}
