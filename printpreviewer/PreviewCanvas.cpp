#include "printpreviewer/PreviewCanvas.h"

#include <commctrl.h>
#include <strsafe.h>

#include <algorithm>

#include "printpreviewer/DisplayTarget.h"
#include "printpreviewer/PaletteDisplay.h"
#include "printpreviewer/PreviewTexts.h"

namespace {

constexpr UINT kTextRendering = 6291;
constexpr UINT kTextPageOfPages = 6292;
constexpr int kStatusChars = 256;
constexpr int kStatusPage = 0;
constexpr int kStatusZoom = 1;
// A status text whose sixth character is "0" (page 0: no page) shows nothing.
constexpr size_t kPageDigit = 5;
constexpr LONG kPointsPerInch = 72;
constexpr LONG kLineStepPoints = 10;
constexpr LONG kPercent = 100;

}  // namespace

CNiraPreviewCanvas::~CNiraPreviewCanvas() = default;

void CNiraPreviewCanvas::SetFrame(HWND frame, HWND* statusBar)
{
    m_frame = frame;
    m_statusBar = statusBar;
}

CanvasLayout CNiraPreviewCanvas::Layout() const
{
    RECT client = {};
    GetClientRect(m_window, &client);
    CanvasLayout layout = {};
    layout.screenDpi = m_screenDpi;
    layout.zoom = m_zoom;
    layout.client = {client.right - client.left, client.bottom - client.top};
    layout.largestSheet = m_largest;
    layout.scrollBars = {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
    return layout;
}

PreviewBinding CNiraPreviewCanvas::Binding() const
{
    return m_document != nullptr ? m_document->Binding() : PreviewBinding::kNone;
}

LONG CNiraPreviewCanvas::SlotsPerCopy() const
{
    LONG copies = m_document != nullptr && m_document->Copies() > 0 ? m_document->Copies() : 1;
    return m_document != nullptr ? m_document->SlotCount(true) / copies : 0;
}

POINT CNiraPreviewCanvas::ScrollPosition() const
{
    return {GetScrollPos(m_window, SB_HORZ), GetScrollPos(m_window, SB_VERT)};
}

void CNiraPreviewCanvas::TakeDocument(CNiraPreviewDocument* document, HMODULE previewModule)
{
    m_previewModule = previewModule;
    HDC dc = GetDC(m_window);
    m_screenDpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : m_screenDpi;
    ReleaseDC(m_window, dc);
    m_mode = static_cast<LONG>(CanvasZoomMode::kPercent);
    m_currentSlot = 0;
    m_pageNumber = 0;
    m_document = document;
    m_largest = document != nullptr ? document->GetMaxSheetSize() : SIZE{0, 0};
    SetZoom(static_cast<LONG>(CanvasZoomMode::kTwoPages), 0);
    UpdatePageStatus();
    UpdateScrollRanges();
}

void CNiraPreviewCanvas::SetZoom(LONG mode, LONG percent)
{
    LONG v = percent * m_screenDpi;
    if (mode != 0) {
        if (mode == m_mode &&
            (mode != static_cast<LONG>(CanvasZoomMode::kPercent) || v / kPercent == m_zoom)) {
            return;
        }
        m_mode = mode;
    }
    switch (static_cast<CanvasZoomMode>(m_mode)) {
    case CanvasZoomMode::kPageWidth:
        FitZoom(1, 0);
        break;
    case CanvasZoomMode::kWholePage:
        FitZoom(1, 1);
        break;
    case CanvasZoomMode::kTwoPages:
        FitZoom(2, 1);
        break;
    default:
        if (mode != 0) {
            m_zoom = v / kPercent;
        }
        break;
    }
    if (m_document != nullptr) {
        UpdateScrollRanges();
    }
}

void CNiraPreviewCanvas::FitZoom(LONG nx, LONG ny)
{
    m_zoom = Layout().FitZoom(nx, ny);
}

void CNiraPreviewCanvas::SetBar(int bar, LONG clientLength, LONG extent)
{
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (clientLength >= extent) {
        EnableScrollBar(m_window, static_cast<UINT>(bar), ESB_DISABLE_BOTH);
        return;
    }
    info.nMax = extent - 1;
    info.nPage = static_cast<UINT>(clientLength);
    SetScrollInfo(m_window, bar, &info, TRUE);
    EnableScrollBar(m_window, static_cast<UINT>(bar), ESB_ENABLE_BOTH);
}

void CNiraPreviewCanvas::UpdateScrollRanges()
{
    if (m_document == nullptr) {
        return;
    }
    CanvasLayout layout = Layout();
    m_columns =
        layout.Columns(static_cast<CanvasZoomMode>(m_mode), Binding(), Binding() == PreviewBinding::kNone);
    LONG rows = layout.Rows(m_document->SlotCount(true), m_columns, Binding());
    SIZE extent = layout.Extent(m_columns, rows);
    SetBar(SB_HORZ, layout.client.cx, extent.cx);
    SetBar(SB_VERT, layout.client.cy, extent.cy);
    if (extent.cx != m_extent.cx || extent.cy != m_extent.cy) {
        m_extent = extent;
        SCROLLINFO origin = {sizeof(origin), SIF_POS, 0, 0, 0, 0, 0};
        SetScrollInfo(m_window, SB_HORZ, &origin, TRUE);
        SetScrollInfo(m_window, SB_VERT, &origin, TRUE);
        InvalidateRect(m_window, nullptr, TRUE);
        PostMessageW(m_frame, kRepaintRulers, 0, 0);
    }
}

bool CNiraPreviewCanvas::CanStep(LONG delta) const
{
    if (m_document == nullptr) {
        return false;
    }
    LONG last = m_document->SheetCount() * std::max<LONG>(m_document->Copies(), 1) - 1;
    LONG t = std::min(std::max<LONG>(m_pageNumber + delta, 0), last);
    return t != m_pageNumber;
}

bool CNiraPreviewCanvas::StepPage(LONG delta)
{
    if (m_document == nullptr) {
        return false;
    }
    LONG sheets = m_document->SheetCount();
    LONG copies = std::max<LONG>(m_document->Copies(), 1);
    LONG t = m_pageNumber + delta;
    LONG slot = SlotOfPage(t, Binding(), sheets, SlotsPerCopy(), m_document->SlotCount(true));
    if (slot == m_currentSlot) {
        return false;
    }
    m_currentSlot = slot;
    m_pageNumber = std::min(std::max<LONG>(t, 0), std::max<LONG>(sheets * copies - 1, 0));
    CanvasLayout layout = Layout();
    LONG columns = std::max<LONG>(m_columns, 1);
    POINT cell = {(slot % columns) * (layout.Pixels(m_largest.cx) + CanvasLayout::kGap),
                  (slot / columns) * (layout.Pixels(m_largest.cy) + CanvasLayout::kGap)};
    POINT scroll = ScrollPosition();
    bool outX = cell.x - scroll.x < 0 ||
                cell.x - scroll.x + CanvasLayout::kMargin + layout.Pixels(m_largest.cx) > layout.client.cx;
    bool outY = cell.y - scroll.y < 0 ||
                cell.y - scroll.y + CanvasLayout::kMargin + layout.Pixels(m_largest.cy) > layout.client.cy;
    if (outX || outY) {
        SCROLLINFO info = {sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
        if (outX) {
            info.nPos = cell.x;
            SetScrollInfo(m_window, SB_HORZ, &info, TRUE);
        }
        if (outY) {
            info.nPos = cell.y;
            SetScrollInfo(m_window, SB_VERT, &info, TRUE);
        }
        InvalidateRect(m_window, nullptr, TRUE);
    }
    UpdatePageStatus();
    return true;
}

void CNiraPreviewCanvas::SetStatus(int part, LPCWSTR text)
{
    if (m_statusBar == nullptr || *m_statusBar == nullptr) {
        return;
    }
    size_t length = 0;
    bool noPage = SUCCEEDED(StringCchLengthW(text, kStatusChars, &length)) && length > kPageDigit &&
                  text[kPageDigit] == TEXT('0');
    SendMessageW(*m_statusBar, SB_SETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(noPage ? TEXT(" ") : text));
}

void CNiraPreviewCanvas::UpdatePageStatus()
{
    WCHAR format[kStatusChars] = {};
    WCHAR text[kStatusChars] = {};
    LONG total =
        m_document != nullptr ? m_document->SheetCount() * std::max<LONG>(m_document->Copies(), 1) : 0;
    LoadDriverTextOr(kTextPageOfPages, TEXT("Page %d of %d"), format, kStatusChars);
    StringCchPrintfW(text, kStatusChars, format, m_pageNumber + 1, total);
    SetStatus(kStatusPage, text);
    SendMessageW(m_frame, kUpdatePageButtons, 0, 0);
}

void CNiraPreviewCanvas::Paint()
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(m_window, &paint);
    if (m_document != nullptr && dc != nullptr) {
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        if (m_palette) {
            SelectPalette(dc, static_cast<HPALETTE>(m_palette.Get()), FALSE);
            RealizePalette(dc);
            m_paletteDisturbed = false;
        }
        RECT client = {};
        GetClientRect(m_window, &client);
        POINT scroll = ScrollPosition();
        CNiraDisplayTarget target;
        target.client = client;
        target.zoom = m_zoom;
        target.dc = dc;
        target.clip = &paint.rcPaint;
        target.flags = CNiraDisplayTarget::kFramesAndMarks | CNiraDisplayTarget::kCentred;
        target.origin = {CanvasLayout::kMargin - scroll.x, CanvasLayout::kMargin - scroll.y};
        target.gapX = CanvasLayout::kGap;
        target.gapY = CanvasLayout::kGap;
        target.columns = m_columns;
        target.largestSheet = m_largest;
        m_paintedDuringResize = true;
        WCHAR text[kStatusChars] = {};
        LoadDriverTextOr(kTextRendering, TEXT("Rendering..."), text, kStatusChars);
        SetStatus(kStatusPage, text);
        m_document->RenderPages(target);
        StringCchPrintfW(text, kStatusChars, TEXT("%d dpi"), m_zoom);
        SetStatus(kStatusZoom, text);
        m_currentSlot = target.LargestVisibleSlot();
        m_pageNumber = PageNumberOfSlot(m_currentSlot, Binding(), m_document->SheetCount(), SlotsPerCopy());
        UpdatePageStatus();
        SetCursor(previous);
    }
    EndPaint(m_window, &paint);
}

void CNiraPreviewCanvas::Scroll(int bar, WORD code, int thumb)
{
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(m_window, bar, &info);
    LONG page = static_cast<LONG>(info.nPage);
    LONG line = std::min(m_screenDpi * kLineStepPoints / kPointsPerInch, page);
    LONG delta = 0;
    switch (code) {
    case SB_LINEUP:
        delta = -line;
        break;
    case SB_LINEDOWN:
        delta = line;
        break;
    case SB_PAGEUP:
        delta = -page;
        break;
    case SB_PAGEDOWN:
        delta = page;
        break;
    case SB_THUMBPOSITION:
        delta = thumb - info.nPos;
        break;
    default:
        return;
    }
    LONG position = std::min<LONG>(std::max<LONG>(info.nPos + delta, info.nMin),
                                   std::max<LONG>(info.nMin, info.nMax - page));
    if (position == info.nPos) {
        return;
    }
    SCROLLINFO moved = {sizeof(moved), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(m_window, bar, &moved, TRUE);
    LONG by = info.nPos - position;
    ScrollWindow(m_window, bar == SB_HORZ ? by : 0, bar == SB_VERT ? by : 0, nullptr, nullptr);
    UpdateWindow(m_window);
    SendMessageW(m_frame, kRepaintRulers, 0, 0);
}

void CNiraPreviewCanvas::EnterSizeMove()
{
    ++m_resizeDepth;
    m_paintedDuringResize = false;
}

void CNiraPreviewCanvas::ExitSizeMove()
{
    if (--m_resizeDepth <= 0) {
        m_resizeDepth = 0;
        if (m_paintedDuringResize) {
            InvalidateRect(m_window, nullptr, TRUE);
        }
    }
}

LRESULT CNiraPreviewCanvas::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        SetZoom(0, 0);
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (LOWORD(wParam) != SB_THUMBTRACK) {
            Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam),
                   static_cast<int>(HIWORD(wParam)));
        }
        return 0;
    case WM_CREATE:
        CreatePaletteForDisplay();
        return CNiraWindowBase::WindowProc(window, message, wParam, lParam);
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case WM_PALETTECHANGED:
        OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        return 0;
    default:
        return CNiraWindowBase::WindowProc(window, message, wParam, lParam);
    }
}

void CNiraPreviewCanvas::CreatePaletteForDisplay()
{
    HDC screen = GetDC(nullptr);
    if (screen != nullptr && IsPaletteDevice(screen)) {
        m_palette.Reset(CreateHalftonePalette(screen));
    }
    ReleaseDC(nullptr, screen);
}

// The canvas comes to the foreground: its colours are mapped again when another palette moved them.
LRESULT CNiraPreviewCanvas::OnQueryNewPalette()
{
    if (!m_palette || !m_paletteDisturbed) {
        return 0;
    }
    HDC dc = GetDC(m_window);
    SelectPalette(dc, static_cast<HPALETTE>(m_palette.Get()), FALSE);
    if (RealizePalette(dc) != 0) {
        InvalidateRect(m_window, nullptr, TRUE);
    }
    ReleaseDC(m_window, dc);
    return 1;
}

// Another window realised its palette: the canvas maps its own into what is left, in the background.
void CNiraPreviewCanvas::OnPaletteChanged(HWND changedBy)
{
    if (!m_palette || changedBy == m_window) {
        return;
    }
    HDC dc = GetDC(m_window);
    UnrealizeObject(m_palette.Get());
    SelectPalette(dc, static_cast<HPALETTE>(m_palette.Get()), TRUE);
    if (RealizePalette(dc) != 0) {
        UpdateColors(dc);
        m_paletteDisturbed = true;
    }
    ReleaseDC(m_window, dc);
}
