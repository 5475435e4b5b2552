#include "nira/presentation/ComboBoxOwnerDrawn.h"

#include "nira/presentation/ItemFont.h"
#include "nira/presentation/PresentationController.h"
#include "nira/presentation/WidgetGroup.h"

#include <vector>

#include "common/NiraStatus.h"

namespace {

constexpr int kNotOffered = 3;
constexpr int kIconItem = 4;
constexpr int kGreyedItem = 5;
constexpr int kSelectedItem = 6;
constexpr int kFocusItem = 7;
constexpr int kImageGap = 3;
constexpr int kMinimumImageColumn = 24;
constexpr int kNarrowIndent = 4;
constexpr int kNarrowWindows[] = {107, 167};
constexpr int kIconSize = 32;
constexpr int kSeparatorInset = 6;
constexpr COLORREF kSeparatorColor = RGB(64, 64, 64);

int BitmapHeight(HBITMAP bitmap)
{
    BITMAP size{};
    return GetObjectW(bitmap, sizeof(size), &size) == 0 ? 0 : size.bmHeight;
}

int BitmapWidth(HBITMAP bitmap)
{
    BITMAP size{};
    return GetObjectW(bitmap, sizeof(size), &size) == 0 ? 0 : size.bmWidth;
}

}  // namespace

CNiraComboBoxOwnerDrawn::~CNiraComboBoxOwnerDrawn()
{
    FreeMapValues(m_imageItems);
}

ComboImageItem* CNiraComboBoxOwnerDrawn::ItemAt(int index) const
{
    void** slot = m_imageItems.GetValueAt(index);
    return slot == nullptr ? nullptr : static_cast<ComboImageItem*>(*slot);
}

int CNiraComboBoxOwnerDrawn::ItemStateAt(int index) const
{
    ComboImageItem* item = ItemAt(index);
    return item == nullptr ? -1 : item->state;
}

void CNiraComboBoxOwnerDrawn::AddImageItem(int optionId, const WCHAR* text, int bitmapId, int iconId,
                                           int state, int separatorBefore, int stringId)
{
    if (text == nullptr) {
        return;
    }
    if (ShowsOption(state)) {
        auto* item = static_cast<ComboImageItem*>(LocalAlloc(LPTR, sizeof(ComboImageItem)));
        void** slot = item == nullptr ? nullptr : m_imageItems.Lookup(optionId);
        if (slot == nullptr) {
            LocalFree(item);
            return;
        }
        StoreWidgetText(item->text, text);
        item->state = state;
        item->bitmapId = bitmapId;
        item->iconId = iconId;
        item->separatorBefore = separatorBefore;
        item->stringId = stringId;
        LocalFree(*slot);
        *slot = item;
        m_listDirty = 1;
    }
    // The bitmap is loaded only to measure the image column.
    HMODULE resources = m_controller == nullptr ? nullptr : m_controller->GetResourceModule();
    if (bitmapId != 0 && resources != nullptr) {
        HBITMAP bitmap = LoadBitmapW(resources, MAKEINTRESOURCEW(bitmapId));
        if (bitmap != nullptr) {
            m_imageColumnWidth = std::max(m_imageColumnWidth, BitmapWidth(bitmap) + kImageGap);
            DeleteObject(bitmap);
        }
    }
}

void CNiraComboBoxOwnerDrawn::ClearItems()
{
    FreeMapValues(m_imageItems);
}

void CNiraComboBoxOwnerDrawn::SetValue(int value, int flags)
{
    if (value == m_value && !(flags & WIDGET_CHANGE_FORCE)) {
        Refresh();
        return;
    }
    CNiraComboBox::SetValue(value, flags);
}

void CNiraComboBoxOwnerDrawn::Refresh()
{
    HWND control = Control();
    if (control == nullptr) {
        return;
    }
    if (m_listDirty) {
        SendMessageW(control, CB_RESETCONTENT, 0, 0);
        for (int index = 0; index < m_imageItems.GetCount(); ++index) {
            LONG optionId = 0;
            const WCHAR* text = ItemTextAt(index, &optionId);
            if (text != nullptr && text[0] != 0) {
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            }
        }
        m_listDirty = 0;
    }
    int shown = m_value;
    INiraUISettings* settings = nullptr;
    if (shown < 0 && m_controller != nullptr && m_controller->GetSettings(&settings) == NIRA_STATUS_OK &&
        settings != nullptr) {
        settings->GetDefaultOption(m_featureId, &shown);
    }
    if (!m_imageItems.Contains(shown)) {
        return;
    }
    auto* item = static_cast<ComboImageItem*>(*m_imageItems.Lookup(shown));
    if (item == nullptr) {
        return;
    }
    LRESULT found = SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(item->text));
    if (found != CB_ERR) {
        m_selection = static_cast<int>(found);
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    }
}

int CNiraComboBoxOwnerDrawn::OnCommand(int controlId, HWND control, int code, int extra)
{
    int answer = CNiraComboBox::OnCommand(controlId, control, code, extra);
    if (answer != 0 && code == CBN_DROPDOWN) {
        SetDroppedWidth();
    }
    return answer;
}

void CNiraComboBoxOwnerDrawn::SetDroppedWidth()
{
    HWND control = Control();
    HDC dc = GetDC(control);
    if (dc == nullptr) {
        return;
    }
    int widest = 0;
    LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            continue;
        }
        std::vector<WCHAR> text(static_cast<size_t>(length) + 1, 0);
        SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(length), &extent);
        widest = std::max<int>(widest, extent.cx);
    }
    ReleaseDC(control, dc);
    int width = widest + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
    SendMessageW(control, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

int CNiraComboBoxOwnerDrawn::TextIndent()
{
    int base = LOWORD(GetDialogBaseUnits()) / 4;
    int windowId = m_group == nullptr ? 0 : m_group->GetWindowId();
    for (int narrow : kNarrowWindows) {
        if (windowId == narrow) {
            return base + kNarrowIndent;
        }
    }
    m_imageColumnWidth = std::max(m_imageColumnWidth, kMinimumImageColumn);
    return base + m_imageColumnWidth;
}

// Paints one entry: its state follows the selection and focus it was drawn with, the highlight
// follows the state; font, brush, bitmap and icon are made for the entry and deleted after it.
void CNiraComboBoxOwnerDrawn::DrawItem(DRAWITEMSTRUCT* draw)
{
    if (draw == nullptr || draw->itemID == static_cast<UINT>(-1)) {
        return;
    }
    ComboImageItem* item = ItemAt(static_cast<int>(draw->itemID));
    if (item == nullptr) {
        return;
    }
    HDC dc = draw->hDC;
    int before = item->state;
    if ((draw->itemState & ODS_FOCUS) && item->state != kIconItem) {
        item->state = kFocusItem;
    }
    if ((draw->itemState & ODS_SELECTED) && before != kNotOffered && before != kIconItem) {
        item->state = kSelectedItem;
    }
    bool highlighted =
        ((item->state == kIconItem || item->state == kSelectedItem) && (draw->itemState & ODS_SELECTED)) ||
        (item->state == kFocusItem && (draw->itemState & ODS_FOCUS));
    HBRUSH brush = CreateSolidBrush(highlighted ? GetSysColor(COLOR_HIGHLIGHT) : GetBkColor(dc));
    FillRect(dc, &draw->rcItem, brush);
    DeleteObject(brush);
    m_savedTextColor = SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    m_savedBackColor = SetBkColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    HFONT font = CreateItemFont(dc);
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int x = TextIndent();
    int y = (draw->rcItem.top + draw->rcItem.bottom - metrics.tmHeight) / 2;
    ExtTextOutW(dc, x, y, ETO_CLIPPED, nullptr, item->text, static_cast<UINT>(wcslen(item->text)), nullptr);
    if (m_savedTextColor != 0) {
        SetTextColor(dc, m_savedTextColor);
    }
    if (m_savedBackColor != 0) {
        SetBkColor(dc, m_savedBackColor);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);

    HMODULE resources = m_controller == nullptr ? nullptr : m_controller->GetResourceModule();
    HBITMAP bitmap = resources == nullptr || item->bitmapId == 0
                         ? nullptr
                         : LoadBitmapW(resources, MAKEINTRESOURCEW(item->bitmapId));
    if (bitmap != nullptr) {
        int top = draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top) / 2 - BitmapHeight(bitmap) / 2;
        UINT flags = DST_BITMAP | (item->state == kGreyedItem ? DSS_DISABLED : 0);
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, draw->rcItem.left, top, 0, 0,
                   flags);
        DeleteObject(bitmap);
    }
    if (item->state == kIconItem && resources != nullptr) {
        HICON icon = LoadIconW(resources, MAKEINTRESOURCEW(item->iconId));
        if (icon != nullptr) {
            DrawIconEx(dc, draw->rcItem.left, draw->rcItem.top, icon, kIconSize, kIconSize, 0, nullptr,
                       DI_NORMAL);
            DestroyIcon(icon);
        }
    }
    DrawSeparators(draw->hwndItem);
}

// A line under the row above each entry that starts a section, in the drop-down list.
void CNiraComboBoxOwnerDrawn::DrawSeparators(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (combo == nullptr || !GetComboBoxInfo(combo, &info) || info.hwndList == nullptr) {
        return;
    }
    for (int index = 0; index < m_imageItems.GetCount(); ++index) {
        ComboImageItem* item = ItemAt(index);
        if (item == nullptr || item->separatorBefore != 1) {
            continue;
        }
        WCHAR search[kWidgetTextLength];  // the item's own text when its string is missing
        if (item->stringId == 0 || !ReadString(item->stringId, search, kWidgetStringLength) ||
            search[0] == 0) {
            StoreWidgetText(search, item->text);
        }
        LRESULT row = SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(search));
        RECT above{};
        if (row == LB_ERR || SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(row - 1),
                                          reinterpret_cast<LPARAM>(&above)) == LB_ERR) {
            continue;
        }
        HDC dc = GetDC(info.hwndList);
        if (dc == nullptr) {
            continue;
        }
        LOGBRUSH brush{BS_SOLID, kSeparatorColor, 0};
        HPEN pen = ExtCreatePen(PS_SOLID, 1, &brush, 0, nullptr);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, above.left + kSeparatorInset, above.bottom, nullptr);
        LineTo(dc, above.right - kSeparatorInset, above.bottom);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        ReleaseDC(info.hwndList, dc);
    }
}
