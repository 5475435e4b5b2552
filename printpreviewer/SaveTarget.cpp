#include "printpreviewer/SaveTarget.h"

#include <commdlg.h>
#include <strsafe.h>

#include "printpreviewer/BitmapFileWriter.h"
#include "printpreviewer/PreviewTexts.h"

namespace {

constexpr size_t kTitleChars = 256;
constexpr size_t kFilterNameChars = 64;
constexpr size_t kFilterChars = 128;
constexpr size_t kMessageChars = 520;
constexpr LONG kBytesPerKiB = 1024;
const WCHAR kFilterSuffix[] = TEXT(" (*.bmp)");
const WCHAR kFilterPattern[] = TEXT("*.bmp");
const WCHAR kDefaultExtension[] = TEXT("bmp");

LONG PictureKiB(LONG width, LONG height)
{
    return static_cast<LONG>(static_cast<LONGLONG>(height) * ((static_cast<LONGLONG>(width) * 3 + 3) / 4) *
                             4 / kBytesPerKiB);
}

// "Image Files (*.bmp)", "*.bmp", each terminated, then an empty string.
void BuildFilter(HMODULE module, WCHAR (&filter)[kFilterChars])
{
    WCHAR name[kFilterNameChars] = {};
    LoadPreviewText(module, kTextImageFiles, name, kFilterNameChars);
    ZeroMemory(filter, sizeof(filter));
    StringCchPrintfW(filter, kFilterChars, TEXT("%s%s"), name, kFilterSuffix);
    size_t used = 0;
    StringCchLengthW(filter, kFilterChars, &used);
    StringCchCopyW(filter + used + 1, kFilterChars - used - 1, kFilterPattern);
}

}  // namespace

CNiraSaveTarget::CNiraSaveTarget(HMODULE module, LONG zoomDpi, SIZE largest) : m_module(module)
{
    zoom = zoomDpi;
    columns = 1;
    largestSheet = largest;
}

CNiraSaveTarget::~CNiraSaveTarget()
{
    FreePicture();
}

bool CNiraSaveTarget::BeginSheet(LONG slot, LONG width, LONG height)
{
    WCHAR format[kTitleChars] = {};
    WCHAR title[kTitleChars] = {};
    LoadPreviewText(m_module, kTextSaveTitle, format, kTitleChars);
    // The format names the page and the zoom; the size in KiB is there for a text that wants it.
    StringCchPrintfW(title, kTitleChars, format, slot + 1, zoom, PictureKiB(width, height));
    if (!PromptSaveFileName(title, m_fileName, m_module)) {
        return false;
    }
    if (!MakePicture(width, height)) {
        ShowErrorMessage(m_module, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return true;
}

bool CNiraSaveTarget::MakePicture(LONG width, LONG height)
{
    m_header = {};
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = 24;
    m_header.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_ownsDc = dc != nullptr;
    BITMAPINFO info = {};
    info.bmiHeader = m_header;
    m_section = dc != nullptr && width > 0 && height > 0
                    ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0)
                    : nullptr;
    if (m_section == nullptr || m_bits == nullptr) {
        FreePicture();
        return false;
    }
    m_previousBitmap = SelectObject(dc, m_section);
    SetStretchBltMode(dc, HALFTONE);
    SetGraphicsMode(dc, GM_COMPATIBLE);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    return true;
}

void CNiraSaveTarget::EndSheet()
{
    GdiFlush();
    DWORD error =
        WriteBmpFile(m_fileName, {m_header.biWidth, m_header.biHeight, static_cast<const BYTE*>(m_bits)});
    if (error != ERROR_SUCCESS) {
        ShowErrorMessage(m_module, error);
    }
    FreePicture();
}

void CNiraSaveTarget::FreePicture()
{
    if (m_section != nullptr) {
        SelectObject(dc, m_previousBitmap);
        DeleteObject(m_section);
    }
    if (m_ownsDc) {
        DeleteDC(dc);
    }
    m_section = nullptr;
    m_bits = nullptr;
    m_previousBitmap = nullptr;
    m_ownsDc = false;
    dc = nullptr;
}

void SavePagesAsBitmaps(CNiraPreviewDocument& document, HMODULE module, LONG zoomDpi)
{
    CNiraSaveTarget target(module, zoomDpi, document.GetMaxSheetSize());
    document.RenderPages(target);
}

bool PromptSaveFileName(LPCWSTR title, LPWSTR fileName, HMODULE module)
{
    WCHAR filter[kFilterChars];
    BuildFilter(module, filter);
    fileName[0] = 0;
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = kDefaultExtension;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    return GetSaveFileNameW(&dialog) != FALSE;
}

void ShowErrorMessage(HMODULE module, DWORD code)
{
    WCHAR message[kMessageChars] = {};
    WCHAR caption[kTitleChars] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), message, kMessageChars - 1, nullptr);
    LoadPreviewText(module, kTextPreviewCaption, caption, kTitleChars);
    MessageBoxW(nullptr, message, caption, MB_ICONERROR);
}
