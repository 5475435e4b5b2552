// Fonts drawn with the DejaVu faces (a fixed-pitch face for fixed-pitch requests), their metrics
// in device units, and text output with its background mode and colours.
#include "gdi/Raster.h"

#include "core/Failures.h"
#include "core/Wide.h"

#include <iconv.h>

#include <algorithm>
#include <cmath>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr UINT kShiftJis = 932;
constexpr UINT kWestern = 1252;
constexpr double kDefaultPointSize = 12.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kMetricsSize = 1000.0;
constexpr LONG kBoldWeight = 600;
constexpr double kRadiansPerTenthDegree = M_PI / 1800.0;

struct FaceChoice {
    const char* family;
    cairo_font_slant_t slant;
    cairo_font_weight_t weight;
};

bool Contains(const WCHAR* face, const char* part)
{
    std::string name = Utf8FromWide(WideFrom(face));
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name.find(part) != std::string::npos;
}

FaceChoice ChooseFace(const LOGFONTW& font)
{
    FaceChoice choice = {"DejaVu Sans", font.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         font.lfWeight >= kBoldWeight ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL};
    bool fixed = (font.lfPitchAndFamily & 0x3) == FIXED_PITCH ||
                 (font.lfPitchAndFamily & 0xF0) == FF_MODERN || Contains(font.lfFaceName, "courier") ||
                 Contains(font.lfFaceName, "mono");
    bool serif = (font.lfPitchAndFamily & 0xF0) == FF_ROMAN || Contains(font.lfFaceName, "times") ||
                 Contains(font.lfFaceName, "serif");
    if (fixed) {
        choice.family = "DejaVu Sans Mono";
    } else if (serif) {
        choice.family = "DejaVu Serif";
    }
    return choice;
}

// Extents of a face per unit of em size.
struct FaceExtents {
    double ascent;
    double descent;
    double averageWidth;
};

FaceExtents MeasureFace(const FaceChoice& face)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cairo = cairo_create(scratch);
    cairo_select_font_face(cairo, face.family, face.slant, face.weight);
    cairo_set_font_size(cairo, kMetricsSize);
    cairo_font_extents_t font;
    cairo_font_extents(cairo, &font);
    cairo_text_extents_t zero;
    cairo_text_extents(cairo, "x", &zero);
    cairo_destroy(cairo);
    cairo_surface_destroy(scratch);
    return {font.ascent / kMetricsSize, font.descent / kMetricsSize, zero.x_advance / kMetricsSize};
}

// A font's size in device units: em height, and horizontal stretch for unequal resolutions.
struct DeviceFont {
    FaceChoice face;
    FaceExtents extents;
    double emY;
    double emX;
};

DeviceFont DeviceFontOf(const GdiDC& dc, const LOGFONTW& font)
{
    DeviceFont device = {ChooseFace(font), {}, 0, 0};
    device.extents = MeasureFace(device.face);
    const DeviceGeometry& g = dc.geometry;
    double cell = device.extents.ascent + device.extents.descent;
    if (font.lfHeight < 0) {
        device.emY = -font.lfHeight;
    } else if (font.lfHeight > 0) {
        device.emY = font.lfHeight / cell;
    } else {
        device.emY = kDefaultPointSize * g.dpiY / kPointsPerInch;
    }
    device.emX = font.lfWidth > 0 ? font.lfWidth / device.extents.averageWidth
                                  : device.emY * g.dpiX / static_cast<double>(g.dpiY);
    return device;
}

std::u16string DecodeAnsi(const char* bytes, int count)
{
    std::u16string wide;
    if (count <= 0) {
        return wide;
    }
    if (GetACP() == kShiftJis) {
        iconv_t converter = iconv_open("UTF-16LE", "CP932");
        if (converter != reinterpret_cast<iconv_t>(-1)) {
            std::string out(static_cast<size_t>(count) * 4 + 4, '\0');
            char* in = const_cast<char*>(bytes);
            size_t inLeft = static_cast<size_t>(count);
            char* to = out.data();
            size_t outLeft = out.size();
            iconv(converter, &in, &inLeft, &to, &outLeft);
            iconv_close(converter);
            wide.assign(reinterpret_cast<const char16_t*>(out.data()), (out.size() - outLeft) / 2);
            return wide;
        }
    }
    int length = MultiByteToWideChar(CP_ACP, 0, bytes, count, nullptr, 0);
    if (length > 0) {
        wide.resize(static_cast<size_t>(length));
        MultiByteToWideChar(CP_ACP, 0, bytes, count, reinterpret_cast<LPWSTR>(wide.data()), length);
        return wide;
    }
    for (int i = 0; i < count; ++i) {
        wide.push_back(static_cast<unsigned char>(bytes[i]));
    }
    return wide;
}

// The font selected into the cairo context at the DC's size; gives the text's advance.
double SelectFont(cairo_t* cairo, const DeviceFont& font, const std::string& utf8)
{
    cairo_select_font_face(cairo, font.face.family, font.face.slant, font.face.weight);
    cairo_matrix_t size;
    cairo_matrix_init_scale(&size, font.emX, font.emY);
    cairo_set_font_matrix(cairo, &size);
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, utf8.c_str(), &extents);
    return extents.x_advance;
}

// Text at (x, y) (its cell's top-left corner) on a cairo context in device units.
void ShowText(cairo_t* cairo, const GdiDC& dc, double x, double y, const std::u16string& text, bool mono)
{
    DeviceFont font = DeviceFontOf(dc, SelectedFont(dc));
    std::string utf8 = Utf8FromWide(text);
    double advance = SelectFont(cairo, font, utf8);
    double ascent = font.extents.ascent * font.emY;
    if (dc.bkMode == OPAQUE) {
        SetPictureColor(cairo, ColorOf(PixelOf(dc.bkColor, mono)));
        cairo_rectangle(cairo, x, y, advance, (font.extents.ascent + font.extents.descent) * font.emY);
        cairo_fill(cairo);
    }
    SetPictureColor(cairo, ColorOf(PixelOf(dc.textColor, mono)));
    cairo_move_to(cairo, x, y + ascent);
    cairo_show_text(cairo, utf8.c_str());
}

// Text on a memory or window DC: whole pixels, no smoothing, inside the clip (and the rectangle).
void DrawPixelText(GdiDC& dc, int x, int y, const std::u16string& text, const RECT* clipTo)
{
    PixelAccess access(dc, true);
    if (!access.Valid()) {
        return;
    }
    Region area = access.Writable();
    if (clipTo != nullptr) {
        POINT a = ToDevicePoint(dc, clipTo->left, clipTo->top);
        POINT b = ToDevicePoint(dc, clipTo->right, clipTo->bottom);
        area = area.Combine(
            Region::Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)),
            RGN_AND);
    }
    cairo_t* cairo = cairo_create(access.Surface());
    area.ForEachSpan(
        [&](int row, int left, int right) { cairo_rectangle(cairo, left, row, right - left, 1); });
    cairo_clip(cairo);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_set_font_options(cairo, options);
    cairo_font_options_destroy(options);
    POINT at = ToDevicePoint(dc, x, y);
    ShowText(cairo, dc, at.x, at.y, text, access.Get().mono);
    cairo_destroy(cairo);
}

// Text on a printer page's picture: placed through the DC's transform and turned about its
// starting point by the font's escapement (tenths of a degree, counter-clockwise).
void DrawPictureText(GdiDC& dc, int x, int y, const std::u16string& text)
{
    XFORM w = LogicalToDevice(dc);
    cairo_matrix_t world;
    cairo_matrix_init(&world, w.eM11, w.eM12, w.eM21, w.eM22, w.eDx, w.eDy);
    cairo_save(dc.cairo);
    cairo_transform(dc.cairo, &world);
    cairo_translate(dc.cairo, x, y);
    cairo_rotate(dc.cairo, -SelectedFont(dc).lfEscapement * kRadiansPerTenthDegree);
    ShowText(dc.cairo, dc, 0, 0, text, false);
    cairo_restore(dc.cairo);
}

void DrawText(GdiDC& dc, int x, int y, const std::u16string& text)
{
    if (text.empty()) {
        return;
    }
    if (IsPixelDC(dc)) {
        DrawPixelText(dc, x, y, text, nullptr);
    } else if (dc.cairo != nullptr) {
        DrawPictureText(dc, x, y, text);
    }
}

BOOL TextOutCall(const char* name, HDC hdc, int x, int y, const std::u16string& text, std::string bytes)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    BOOL drawn = dc != nullptr && !dc->cancelled;
    if (drawn) {
        DrawText(*dc, x, y, text);
    }
    GdiCall call = MakeGdiCall(name, hdc, {x, y, static_cast<long long>(text.size())}, drawn);
    call.text = text;
    call.bytes = std::move(bytes);
    Journal(call);
    return drawn;
}

}  // namespace

BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm)
{
    NIRASIM_FAIL_IF_INJECTED("GetTextMetricsW", FALSE);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || lptm == nullptr) {
        return FALSE;
    }
    LOGFONTW logFont = SelectedFont(*dc);
    DeviceFont font = DeviceFontOf(*dc, logFont);
    *lptm = TEXTMETRICW{};
    lptm->tmAscent = std::lround(font.extents.ascent * font.emY);
    lptm->tmDescent = std::lround(font.extents.descent * font.emY);
    lptm->tmHeight = lptm->tmAscent + lptm->tmDescent;
    lptm->tmAveCharWidth = std::lround(font.extents.averageWidth * font.emX);
    lptm->tmMaxCharWidth = lptm->tmAveCharWidth;
    lptm->tmWeight = logFont.lfWeight;
    lptm->tmDigitizedAspectX = dc->geometry.dpiX;
    lptm->tmDigitizedAspectY = dc->geometry.dpiY;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFFFC;
    lptm->tmDefaultChar = '?';
    lptm->tmBreakChar = ' ';
    lptm->tmPitchAndFamily = logFont.lfPitchAndFamily;
    lptm->tmCharSet = logFont.lfCharSet;
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    NIRASIM_FAIL_IF_INJECTED("TextOutA", FALSE);
    if (lpString == nullptr && c > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string bytes = c > 0 ? std::string(lpString, static_cast<size_t>(c)) : std::string();
    return TextOutCall("TextOutA", hdc, x, y, DecodeAnsi(lpString, c), bytes);
}

BOOL WINAPI TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c)
{
    if (lpString == nullptr && c > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string text =
        c > 0 ? std::u16string(reinterpret_cast<const char16_t*>(lpString), static_cast<size_t>(c))
              : std::u16string();
    return TextOutCall("TextOutW", hdc, x, y, text, std::string());
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    int previous = dc->bkMode;
    dc->bkMode = mode;
    Journal(MakeGdiCall("SetBkMode", hdc, {mode}, previous));
    return previous;
}

int WINAPI GetBkMode(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr ? dc->bkMode : 0;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = dc->textColor;
    dc->textColor = color;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = dc->bkColor;
    dc->bkColor = color;
    return previous;
}

BOOL WINAPI TranslateCharsetInfo(DWORD* lpSrc, LPCHARSETINFO lpCs, DWORD dwFlags)
{
    if (lpCs == nullptr || dwFlags != TCI_SRCCODEPAGE) {
        return FALSE;
    }
    auto codePage = static_cast<UINT>(reinterpret_cast<uintptr_t>(lpSrc));
    if (codePage != kWestern && codePage != kShiftJis) {
        return FALSE;
    }
    *lpCs = CHARSETINFO{};
    lpCs->ciACP = codePage;
    lpCs->ciCharset = codePage == kShiftJis ? SHIFTJIS_CHARSET : ANSI_CHARSET;
    return TRUE;
}

// ETO_OPAQUE fills the rectangle with the background colour first; ETO_CLIPPED keeps the text
// inside it. Character spacing (lpDx) is not applied.
BOOL WINAPI ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                        const INT*)
{
    if (lpString == nullptr && c > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string text =
        c > 0 ? std::u16string(reinterpret_cast<const char16_t*>(lpString), c) : std::u16string();
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    BOOL drawn = dc != nullptr && !dc->cancelled;
    if (drawn && IsPixelDC(*dc)) {
        if ((options & ETO_OPAQUE) && lprect != nullptr) {
            POINT a = ToDevicePoint(*dc, lprect->left, lprect->top);
            POINT b = ToDevicePoint(*dc, lprect->right, lprect->bottom);
            FillArea(
                *dc,
                Region::Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)),
                dc->bkColor);
        }
        if (!text.empty()) {
            DrawPixelText(*dc, x, y, text, (options & ETO_CLIPPED) ? lprect : nullptr);
        }
    } else if (drawn) {
        DrawText(*dc, x, y, text);
    }
    GdiCall call = MakeGdiCall("ExtTextOutW", hdc,
                               {x, y, static_cast<long long>(options), static_cast<long long>(c)}, drawn);
    call.text = text;
    Journal(call);
    return drawn;
}

BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl)
{
    if (psizl == nullptr || c < 0 || (lpString == nullptr && c > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    DeviceFont font = DeviceFontOf(*dc, SelectedFont(*dc));
    std::u16string text(reinterpret_cast<const char16_t*>(lpString), static_cast<size_t>(c));
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cairo = cairo_create(scratch);
    double advance = c > 0 ? SelectFont(cairo, font, Utf8FromWide(text)) : 0;
    cairo_destroy(cairo);
    cairo_surface_destroy(scratch);
    psizl->cx = std::lround(advance);
    psizl->cy = std::lround((font.extents.ascent + font.extents.descent) * font.emY);
    return TRUE;
}

COLORREF WINAPI GetTextColor(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr ? dc->textColor : CLR_INVALID;
}

COLORREF WINAPI GetBkColor(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    return dc != nullptr ? dc->bkColor : CLR_INVALID;
}
