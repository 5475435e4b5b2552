// The user interface's drawing helpers, drawn through GDI: bitmaps drawn plainly or greyed, bitmaps loaded by LoadImageW, and the metrics of the non-client fonts.
#include <windows.h>

#include <strsafe.h>

#include <vector>

namespace {

constexpr int kMenuFontHeight = -12;
constexpr LONG kNormalWeight = 400;
constexpr int kScrollBarSize = 17;
constexpr int kCaptionSize = 23;
constexpr int kMenuSize = 19;

void FillNonClientFont(LOGFONTW& font)
{
    font.lfHeight = kMenuFontHeight;
    font.lfWeight = kNormalWeight;
    font.lfCharSet = DEFAULT_CHARSET;
    StringCchCopyW(font.lfFaceName, LF_FACESIZE, TEXT("Segoe UI"));
}

// The bitmap's pixels drawn at (x, y); greyed: every pixel that is not the top-left (background)
// colour in the grey text colour.
BOOL DrawBitmapAt(HDC target, HBITMAP bitmap, int x, int y, bool greyed)
{
    BITMAP size{};
    if (GetObjectW(bitmap, sizeof(size), &size) == 0) {
        return FALSE;
    }
    HDC source = CreateCompatibleDC(target);
    if (source == nullptr) {
        return FALSE;
    }
    HGDIOBJ old = SelectObject(source, bitmap);
    if (!greyed) {
        BitBlt(target, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    } else {
        COLORREF background = GetPixel(source, 0, 0);
        COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
        for (int row = 0; row < size.bmHeight; ++row) {
            for (int column = 0; column < size.bmWidth; ++column) {
                if (GetPixel(source, column, row) != background) {
                    SetPixel(target, x + column, y + row, grey);
                }
            }
        }
    }
    SelectObject(source, old);
    DeleteDC(source);
    return TRUE;
}

}  // namespace

BOOL WINAPI DrawStateW(HDC hdc, HBRUSH, DRAWSTATEPROC, LPARAM lData, WPARAM, int x, int y, int, int,
                       UINT uFlags)
{
    if ((uFlags & 0x000F) != DST_BITMAP) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    return DrawBitmapAt(hdc, reinterpret_cast<HBITMAP>(lData), x, y, (uFlags & DSS_DISABLED) != 0);
}

HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int, int, UINT)
{
    if (type == IMAGE_BITMAP) {
        return LoadBitmapW(hInst, name);
    }
    if (type == IMAGE_ICON) {
        return LoadIconW(hInst, name);
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

// The machine keeps no icon pictures: an icon resource loads as nothing.
HICON WINAPI LoadIconW(HINSTANCE, LPCWSTR)
{
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

BOOL WINAPI DrawIconEx(HDC, int, int, HICON hIcon, int, int, UINT, HBRUSH, UINT)
{
    SetLastError(hIcon == nullptr ? ERROR_INVALID_HANDLE : ERROR_NOT_SUPPORTED);
    return FALSE;
}

BOOL WINAPI DestroyIcon(HICON hIcon)
{
    return hIcon != nullptr;
}

BOOL WINAPI SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT)
{
    if (uiAction != SPI_GETNONCLIENTMETRICS || pvParam == nullptr || uiParam != sizeof(NONCLIENTMETRICSW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto* metrics = static_cast<NONCLIENTMETRICSW*>(pvParam);
    if (metrics->cbSize != sizeof(NONCLIENTMETRICSW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *metrics = NONCLIENTMETRICSW{};
    metrics->cbSize = sizeof(NONCLIENTMETRICSW);
    metrics->iBorderWidth = 1;
    metrics->iScrollWidth = kScrollBarSize;
    metrics->iScrollHeight = kScrollBarSize;
    metrics->iCaptionWidth = kCaptionSize;
    metrics->iCaptionHeight = kCaptionSize;
    metrics->iMenuWidth = kMenuSize;
    metrics->iMenuHeight = kMenuSize;
    for (LOGFONTW* font : {&metrics->lfCaptionFont, &metrics->lfSmCaptionFont, &metrics->lfMenuFont,
                           &metrics->lfStatusFont, &metrics->lfMessageFont}) {
        FillNonClientFont(*font);
    }
    return TRUE;
}
