// Fonts drawn with the DejaVu faces (a fixed-pitch face for fixed-pitch requests), their metrics
// in device units, and text output with its background mode and colours.
#include "gdi/GdiState.h"

#include "core/Failures.h"
#include "core/Wide.h"

#include <iconv.h>

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

void DrawText(GdiDC& dc, int x, int y, const std::u16string& text)
{
    if (dc.cairo == nullptr || text.empty()) {
        return;
    }
    DeviceFont font = DeviceFontOf(dc, SelectedFont(dc));
    cairo_t* cairo = dc.cairo;
    cairo_select_font_face(cairo, font.face.family, font.face.slant, font.face.weight);
    cairo_matrix_t size;
    cairo_matrix_init_scale(&size, font.emX, font.emY);
    cairo_set_font_matrix(cairo, &size);
    std::string utf8 = Utf8FromWide(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, utf8.c_str(), &extents);
    double ascent = font.extents.ascent * font.emY;
    if (dc.bkMode == OPAQUE) {
        SetPictureColor(cairo, dc.bkColor);
        cairo_rectangle(cairo, x, y, extents.x_advance,
                        (font.extents.ascent + font.extents.descent) * font.emY);
        cairo_fill(cairo);
    }
    SetPictureColor(cairo, dc.textColor);
    cairo_move_to(cairo, x, y + ascent);
    cairo_show_text(cairo, utf8.c_str());
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
