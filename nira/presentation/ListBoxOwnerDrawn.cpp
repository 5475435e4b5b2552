#include "nira/presentation/ListBoxOwnerDrawn.h"

#include "nira/presentation/ComboBoxWidgets.h"
#include "nira/presentation/ItemFont.h"
#include "nira/presentation/PresentationController.h"
#include "nira/presentation/TransparentBitmap.h"

namespace {

constexpr int kTextOffset = 51;
constexpr int kReservedWidth = 76;
constexpr int kLineStep = 7;
constexpr int kBitmapLeft = 2;
constexpr int kBitmapTop = 3;
constexpr int kMaxLines = 3;

int MeasureOnDc(const WCHAR* text, int length, void* context)
{
    SIZE extent{};
    GetTextExtentPoint32W(static_cast<HDC>(context), text, length, &extent);
    return extent.cx;
}

// The split point of text[from, from + length) for the available width; -1 when there is none.
int SplitPoint(const WCHAR* text, int length, int width, int available)
{
    unsigned average = length == 0 ? 0 : static_cast<unsigned>(width) / static_cast<unsigned>(length);
    if (average == 0) {
        average = 1;  // a text narrower than its length in pixels
    }
    int fit = available < 0 ? 0 : static_cast<int>(static_cast<unsigned>(available) / average);
    fit = std::min(fit, length);
    if (fit < length && text[fit] == ' ') {
        --fit;
    }
    for (int at = fit; at >= 1; --at) {
        if (at < length && text[at] == ' ') {
            return at;
        }
    }
    int cut = fit - 2;
    return cut > 0 ? cut : -1;
}

}  // namespace

RowLines SplitRowText(const WCHAR* text, int length, int width, int available,
                      int (*measure)(const WCHAR*, int, void*), void* context)
{
    RowLines lines;
    lines.count = 1;
    lines.start[0] = 0;
    lines.end[0] = length;
    if (width <= available) {
        return lines;
    }
    int split = SplitPoint(text, length, width, available);
    if (split < 0) {
        return lines;  // no sound split: one clipped line
    }
    lines.count = 2;
    lines.end[0] = split;
    lines.start[1] = split;
    lines.end[1] = length;
    int secondLength = length - split;
    int secondWidth = measure(text + split, secondLength, context);
    if (secondLength > split && secondWidth > available) {
        int again = SplitPoint(text + split, secondLength, secondWidth, available);
        if (again > 0) {
            lines.count = kMaxLines;
            lines.end[1] = split + again;
            lines.start[2] = split + again;
            lines.end[2] = length;
        }
    }
    return lines;
}

CNiraOwnerDrawnListBox::~CNiraOwnerDrawnListBox()
{
    FreeMapValues(m_imageItems);
}

void CNiraOwnerDrawnListBox::AddImageItem(int optionId, const WCHAR* text, int bitmapId)
{
    if (text == nullptr || optionId == 0) {
        return;
    }
    auto* item = static_cast<ListImageItem*>(LocalAlloc(LPTR, sizeof(ListImageItem)));
    void** slot = item == nullptr ? nullptr : m_imageItems.Lookup(optionId);
    if (slot == nullptr) {
        LocalFree(item);
        return;
    }
    item->bitmapId = bitmapId;
    StoreWidgetText(item->text, text);
    LocalFree(*slot);
    *slot = item;
}

void CNiraOwnerDrawnListBox::ClearItems()
{
    FreeMapValues(m_imageItems);
}

const WCHAR* CNiraOwnerDrawnListBox::ItemTextAt(int index, LONG* optionId) const
{
    NiraIdEntry* entry = m_imageItems.GetEntryAt(index);
    if (entry == nullptr || entry->value == nullptr) {
        return nullptr;
    }
    *optionId = entry->key;
    return static_cast<ListImageItem*>(entry->value)->text;
}

void CNiraOwnerDrawnListBox::SetValue(int value, int flags)
{
    if (value == m_value && !(flags & WIDGET_CHANGE_FORCE)) {
        Refresh();
        return;
    }
    CNiraListBox::SetValue(value, flags);
}

void CNiraOwnerDrawnListBox::DrawItem(DRAWITEMSTRUCT* draw)
{
    if (draw == nullptr || draw->itemID == static_cast<UINT>(-1)) {
        return;
    }
    void** slot = m_imageItems.GetValueAt(static_cast<int>(draw->itemID));
    auto* item = slot == nullptr ? nullptr : static_cast<ListImageItem*>(*slot);
    if (item == nullptr) {
        return;
    }
    HDC dc = draw->hDC;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    bool focused = selected && (draw->itemState & ODS_FOCUS) != 0;
    COLORREF fill = focused    ? GetSysColor(COLOR_HIGHLIGHT)
                    : selected ? GetSysColor(COLOR_INACTIVEBORDER)
                               : GetBkColor(dc);
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &draw->rcItem, brush);
    DeleteObject(brush);
    int textColor = focused ? COLOR_HIGHLIGHTTEXT : selected ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
    int backColor = focused ? COLOR_HIGHLIGHT : selected ? COLOR_INACTIVEBORDER : COLOR_WINDOW;
    m_savedTextColor = SetTextColor(dc, GetSysColor(textColor));
    m_savedBackColor = SetBkColor(dc, GetSysColor(backColor));

    HFONT font = CreateItemFont(dc);
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int length = static_cast<int>(wcslen(item->text));
    int x = 2 * (LOWORD(GetDialogBaseUnits()) / 4) + kTextOffset;
    int y = (draw->rcItem.top + draw->rcItem.bottom - metrics.tmHeight) / 2;
    int available = draw->rcItem.right - draw->rcItem.left - kReservedWidth;
    RowLines lines =
        SplitRowText(item->text, length, MeasureOnDc(item->text, length, dc), available, MeasureOnDc, dc);
    int first = y - (lines.count - 1) * kLineStep;
    for (int line = 0; line < lines.count; ++line) {
        ExtTextOutW(dc, x, first + line * 2 * kLineStep, ETO_CLIPPED, &draw->rcItem,
                    item->text + lines.start[line], static_cast<UINT>(lines.end[line] - lines.start[line]),
                    nullptr);
    }
    SetTextColor(dc, m_savedTextColor);
    SetBkColor(dc, m_savedBackColor);
    SelectObject(dc, oldFont);
    DeleteObject(font);

    HMODULE resources = m_controller == nullptr ? nullptr : m_controller->GetResourceModule();
    HBITMAP bitmap = resources == nullptr || item->bitmapId == 0
                         ? nullptr
                         : LoadBitmapW(resources, MAKEINTRESOURCEW(item->bitmapId));
    if (bitmap != nullptr) {
        DrawTransparentBitmap(dc, bitmap, draw->rcItem.left + kBitmapLeft, draw->rcItem.top + kBitmapTop);
        DeleteObject(bitmap);
    }
}
