#include "printpreviewer/Rulers.h"

#include <strsafe.h>

#include "printpreviewer/CanvasLayout.h"
#include "printpreviewer/PreviewTexts.h"

namespace {

constexpr UINT kTextInches = 3333;
constexpr int kUnitLabelChars = 5;  // the first 4 characters of the text
constexpr int kFontHeight = -11;
constexpr int kFontWeight = 200;
constexpr int kTurnedText = 900;
constexpr LONG kBandInset = 2;
constexpr LONG kBandRightGap = 22;
constexpr LONG kTickSixteenths = 16;
constexpr LONG kFineTicksFrom = 5;  // every subdivision when a unit has 5 pixels per subdivision
constexpr LONG kTicksFrom = 25;     // no subdivisions for narrower units
constexpr LONG kNumberSpacing = 29;
constexpr size_t kNumberChars = 12;
constexpr COLORREF kBandColor = RGB(255, 255, 255);
const LONG kInchTicks[] = {8, 7, 7, 7, 5, 7, 7, 7, 8};
const LONG kCentimetreTicks[] = {8, 7, 7, 7, 7, 5, 7, 7, 7, 7, 8};
const WCHAR kCourier[] = TEXT("Courier New");

HFONT RulerFont(bool turned)
{
    LOGFONTW font = {};
    font.lfHeight = kFontHeight;
    font.lfWeight = kFontWeight;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH;
    font.lfEscapement = turned ? kTurnedText : 0;
    font.lfOrientation = turned ? kTurnedText : 0;
    lstrcpynW(font.lfFaceName, kCourier, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// One ruler: along x (horizontal) or y, on a white band, units from `start`.
void PaintRuler(HDC dc, const RECT& band, bool alongX, LONG start, const RulerUnit& unit, bool inches)
{
    HBRUSH white = CreateSolidBrush(kBandColor);
    FillRect(dc, &band, white);
    DeleteObject(white);
    IntersectClipRect(dc, band.left, band.top, band.right, band.bottom);
    HFONT font = RulerFont(!alongX);
    HGDIOBJ previousFont = SelectObject(dc, font);
    const LONG* ticks = inches ? kInchTicks : kCentimetreTicks;
    LONG n = unit.subdivisions;
    LONG depth = alongX ? band.bottom - band.top : band.right - band.left;
    LONG end = alongX ? band.right : band.bottom;
    LONG u = unit.unit > 0 ? unit.unit : 1;
    LONG numberEvery = (u + kNumberSpacing) / u;
    for (LONG k = 0; start + k * u <= end; ++k) {
        LONG at = start + k * u;
        for (LONG i = 0; u > kTicksFrom && i <= n; ++i) {
            if (u < kFineTicksFrom * n && i != 0 && i != n / 2 && i != n) {
                continue;
            }
            LONG position = at + i * u / n;
            LONG inset = ticks[i] * depth / kTickSixteenths;
            if (alongX) {
                MoveToEx(dc, position, band.top + inset, nullptr);
                LineTo(dc, position, band.bottom - inset);
            } else {
                MoveToEx(dc, band.left + inset, position, nullptr);
                LineTo(dc, band.right - inset, position);
            }
        }
        if (k % numberEvery != 0) {
            continue;
        }
        WCHAR number[kNumberChars] = {};
        StringCchPrintfW(number, kNumberChars, TEXT("%ld"), k);
        int length = lstrlenW(number);
        SetBkMode(dc, OPAQUE);
        if (alongX) {
            SIZE size = {};
            GetTextExtentPoint32W(dc, number, length, &size);
            TextOutW(dc, at - size.cx / 2, band.top, number, length);
        } else {
            TextOutW(dc, band.left + kBandInset, at - 1, number, length);
        }
        SetBkMode(dc, TRANSPARENT);
    }
    SelectObject(dc, previousFont);
    DeleteObject(font);
    SelectClipRgn(dc, nullptr);
}

}  // namespace

void PaintRulers(HDC dc, const RECT& horizontal, const RECT& vertical, bool inches, const RulerView& view)
{
    HBRUSH menu = CreateSolidBrush(GetSysColor(COLOR_MENU));
    FillRect(dc, &horizontal, menu);
    FillRect(dc, &vertical, menu);
    DeleteObject(menu);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ previousFont = SelectObject(dc, gui != nullptr ? gui : GetStockObject(SYSTEM_FONT));
    WCHAR label[kUnitLabelChars] = {};
    LoadDriverTextOr(kTextInches, TEXT("inch"), label, kUnitLabelChars);
    LPCWSTR units = inches ? label : TEXT("cm");
    TextOutW(dc, vertical.left + 1, horizontal.top + 1, units, lstrlenW(units));
    RulerUnit unit = ChooseRulerUnit(view.zoom, inches);
    RECT across = {view.origin.x - view.margin + 1, horizontal.top + kBandInset,
                   horizontal.right - kBandRightGap, horizontal.bottom - kBandInset};
    PaintRuler(dc, across, true, view.origin.x - view.scroll.x, unit, inches);
    RECT down = {vertical.left + kBandInset, view.origin.y - view.margin, vertical.right - kBandInset,
                 vertical.bottom - kBandInset};
    PaintRuler(dc, down, false, view.origin.y - view.scroll.y, unit, inches);
    SelectObject(dc, previousFont);
    SetBkMode(dc, previousMode);
}
