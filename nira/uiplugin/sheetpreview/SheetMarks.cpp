// The marks drawn over the finished sheet: the mirror of mirror printing, the fold line, the
// binding rings along the bound edge and the binding icon.
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "common/ScopedGdi.h"

using namespace sheetpreview;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The colour that marks the transparent area of a binding icon while it is drawn.
constexpr COLORREF kTransparentKey = RGB(0, 128, 128);
constexpr int kTopEdge = 2;
constexpr int kBookletOff = 1;
constexpr int kBookletFolded = 3;
constexpr int kRingStep = 5;

// Binding icons: the bitmap ids for left-to-right and right-to-left layouts.
struct IconIds {
    int leftToRight;
    int rightToLeft;
};
constexpr IconIds kTopIconRightOrder = {116, 115};
constexpr IconIds kTopIcon = {115, 116};
constexpr IconIds kRightOrderIcon = {118, 117};
constexpr IconIds kFoldedPortraitIcon = {120, 117};
constexpr IconIds kFoldedLandscapeIcon = {118, 117};
constexpr IconIds kSideIcon = {117, 118};

bool RightToLeftOrder(int order)
{
    return order == 3 || order == 4;
}

}  // namespace

void CNiraSheetPreview::MirrorPaper()
{
    int width = m_paperRect.right - m_paperRect.left;
    int height = m_paperRect.bottom - m_paperRect.top;
    StretchBlt(m_memoryDC, m_paperRect.right - 1, m_paperRect.top, -width, height, m_memoryDC,
               m_paperRect.left, m_paperRect.top, width, height, SRCCOPY);
}

void CNiraSheetPreview::DrawFoldLine()
{
    CNiraScopedObject pen(CreatePen(PS_DOT, 1, kGrey));
    CNiraScopedSelection penSelection(m_memoryDC, pen.Get());
    CNiraScopedSelection brushSelection(m_memoryDC, GetStockObject(NULL_BRUSH));
    const RECT& p = m_paperRect;
    if (m_orientation == 1) {
        int x = p.left + (p.right - p.left) / 2 - 1;
        Line(m_memoryDC, x, p.top, x, p.bottom);
    } else {
        int y = p.top + (p.bottom - p.top) / 2;
        Line(m_memoryDC, p.left, y, p.right, y);
    }
}

// Each ring is two short strokes: grey, white and grey across the edge, then grey into a black
// stroke onto the paper. Positions are 16-bit, as the marks were always placed.
void CNiraSheetPreview::DrawBindingRings()
{
    if (ReadValue(FEATURE_DUPLEX, kOneSided) == kOneSided) {
        return;
    }
    CNiraScopedObject black(CreatePen(PS_SOLID, 1, kBlack));
    CNiraScopedObject grey(CreatePen(PS_SOLID, 1, kGrey));
    CNiraScopedObject white(CreatePen(PS_SOLID, 1, kWhite));
    CNiraScopedSelection selection(m_memoryDC, grey.Get());
    HDC dc = m_memoryDC;
    const RECT& p = m_paperRect;
    auto h = static_cast<short>(m_outerMargin / 2);
    auto pen = [dc](const CNiraScopedObject& chosen) { SelectObject(dc, chosen.Get()); };
    if (ReadValue(FEATURE_DUPLEX_EDGE, 1) == kTopEdge) {
        for (auto x = static_cast<short>(p.left + h); x <= p.right - h;
             x = static_cast<short>(x + kRingStep)) {
            pen(grey);
            Line(dc, x, p.top - 7, x, p.top - 5);
            pen(white);
            LineTo(dc, x, p.top - 3);
            pen(grey);
            LineTo(dc, x, p.top - 1);
            Line(dc, x + 1, p.top - 5, x + 1, p.top - 3);
            pen(black);
            LineTo(dc, x + 1, p.top + 3);
        }
        return;
    }
    bool right = RightToLeftOrder(ReadValue(FEATURE_PAGE_ORDER_NUP, 1));
    for (auto y = static_cast<short>(p.top + h); y <= p.bottom - h; y = static_cast<short>(y + kRingStep)) {
        // The right-edge marks mirror the left-edge ones about the paper's outline.
        int outside = right ? 1 : -1;
        int edge = right ? p.right : p.left - 1;
        pen(grey);
        Line(dc, edge + outside * 6, y, edge + outside * 4, y);
        pen(white);
        LineTo(dc, edge + outside * 2, y);
        pen(grey);
        LineTo(dc, edge, y);
        Line(dc, edge + outside * 4, y + 1, edge + outside * 2, y + 1);
        pen(black);
        LineTo(dc, right ? p.right - 4 : p.left + 3, y + 1);
    }
}

void CNiraSheetPreview::DrawBindingIcon()
{
    int edge = ReadValue(FEATURE_DUPLEX_EDGE, 1);
    int order = ReadValue(FEATURE_PAGE_ORDER_NUP, 1);
    int booklet = ReadValue(FEATURE_BOOKLET, kBookletOff);
    if (m_services == nullptr || ReadValue(FEATURE_DUPLEX, kOneSided) == kOneSided) {
        return;
    }
    IconIds ids = kSideIcon;
    if (edge == kTopEdge) {
        ids = RightToLeftOrder(order) ? kTopIconRightOrder : kTopIcon;
    } else if (RightToLeftOrder(order)) {
        ids = kRightOrderIcon;
    } else if (booklet == kBookletFolded && GetSheetOrientation() == 1) {
        ids = kFoldedPortraitIcon;
    } else if (booklet == kBookletFolded && GetSheetOrientation() == 2) {
        ids = kFoldedLandscapeIcon;
    }
    bool rightToLeft = (GetLayout(m_memoryDC) & LAYOUT_RTL) != 0;
    int id = rightToLeft ? ids.rightToLeft : ids.leftToRight;
    HMODULE module = m_services->GetResourceModule();
    CNiraScopedObject image(module != nullptr ? LoadBitmapW(module, MAKEINTRESOURCEW(id)) : nullptr);
    int width = 0;
    int height = 0;
    GetBitmapSize(static_cast<HBITMAP>(image.Get()), &width, &height);
    if (!image || width == 0 || height == 0) {
        return;
    }
    const RECT& p = m_paperRect;
    int x = p.right - width;
    int y = p.bottom - height;
    if (m_orientation == 2 && booklet == kBookletFolded) {
        y = p.top;
    } else if (RightToLeftOrder(order) || booklet == kBookletFolded) {
        x = p.left;
    }
    DrawTransparentBitmap(static_cast<HBITMAP>(image.Get()), x, y, width, height);
}

// The area of the image connected to its top-left pixel in that pixel's colour stays transparent:
// a copy is flood-filled there with the key colour, a monochrome mask marks the key, and the
// destination is combined with the image through the mask.
void CNiraSheetPreview::DrawTransparentBitmap(HBITMAP image, int x, int y, int width, int height)
{
    CNiraScopedMemoryDC source(m_memoryDC, nullptr);
    CNiraScopedMemoryDC keyed(m_memoryDC, CreateCompatibleBitmap(m_memoryDC, width, height));
    CNiraScopedMemoryDC mask(m_memoryDC, CreateBitmap(width, height, 1, 1, nullptr));
    CNiraScopedMemoryDC work(m_memoryDC, CreateCompatibleBitmap(m_memoryDC, width, height));
    if (source.Get() == nullptr || !keyed.Ready() || !mask.Ready() || !work.Ready()) {
        return;
    }
    CNiraScopedSelection imageSelection(source.Get(), image);
    BitBlt(keyed.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    {
        CNiraScopedObject key(CreateSolidBrush(kTransparentKey));
        CNiraScopedSelection keySelection(keyed.Get(), key.Get());
        ExtFloodFill(keyed.Get(), 0, 0, GetPixel(keyed.Get(), 0, 0), FLOODFILLSURFACE);
    }
    SetBkColor(keyed.Get(), kTransparentKey);
    BitBlt(mask.Get(), 0, 0, width, height, keyed.Get(), 0, 0, SRCCOPY);
    BitBlt(work.Get(), 0, 0, width, height, m_memoryDC, x, y, SRCCOPY);
    BitBlt(work.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCINVERT);
    BitBlt(work.Get(), 0, 0, width, height, mask.Get(), 0, 0, SRCAND);
    BitBlt(work.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCINVERT);
    BitBlt(m_memoryDC, x, y, width, height, work.Get(), 0, 0, SRCCOPY);
}
