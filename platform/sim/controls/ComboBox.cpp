// Combo boxes: drop-down, drop-down list and owner-drawn kinds, with the list window that
// GetComboBoxInfo hands out (it answers the list messages from the combo's items). Setting the
// selection notifies nothing; a row the user chooses notifies CBN_SELCHANGE and CBN_SELENDOK
// between CBN_DROPDOWN and CBN_CLOSEUP; typing notifies CBN_EDITUPDATE and CBN_EDITCHANGE.
#include "controls/Controls.h"

#include "core/Wide.h"

#include <algorithm>

namespace nirasim::sim {

bool AnswerListMessage(HWND window, ItemList& items, int& selection, int itemHeight, UINT message,
                       WPARAM wParam, LPARAM lParam, LRESULT& result);

namespace {

constexpr WCHAR kBackspace = 8;
constexpr LONG_PTR kListId = 1000;
constexpr int kListRows = 8;
constexpr DWORD kComboTypeMask = 0x0003;
constexpr int kFieldFrame = 6;  // the selection field's border and margin above and below the item

bool IsDropDownList(DWORD style)
{
    return (style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
}

bool OwnerDrawn(DWORD style)
{
    return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

std::shared_ptr<ComboExtension> ComboOfList(HWND list)
{
    auto window = FindWindowRecord(GetParent(list));
    return window == nullptr ? nullptr : std::dynamic_pointer_cast<ComboExtension>(window->extension);
}

LRESULT CALLBACK ComboListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto combo = ComboOfList(list);
    LRESULT result = 0;
    if (combo != nullptr && AnswerListMessage(list, combo->items, combo->selection, combo->itemHeight,
                                              message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProcW(list, message, wParam, lParam);
}

SystemClass comboListClass(u"ComboLBox", ComboListProc);

void ShowSelection(HWND combo, ComboExtension& state)
{
    const ItemList::Item* item = state.items.At(state.selection);
    FindWindowRecord(combo)->text = item == nullptr ? std::u16string() : item->text;
}

void ShowDropDown(HWND combo, ComboExtension& state, bool show)
{
    if (state.dropped == show) {
        return;
    }
    state.dropped = show;
    NotifyParent(combo, show ? CBN_DROPDOWN : CBN_CLOSEUP);
}

void TypeIntoCombo(HWND combo, ComboExtension& state, WCHAR character)
{
    if (IsDropDownList(StyleOf(combo))) {
        return;
    }
    auto window = FindWindowRecord(combo);
    std::u16string text = window->text;
    DWORD start = std::min<DWORD>(state.selectionStart, static_cast<DWORD>(text.size()));
    DWORD end = std::min<DWORD>(std::max(state.selectionEnd, start), static_cast<DWORD>(text.size()));
    if (character == kBackspace) {
        if (start == end && start > 0) {
            --start;
        }
        text.erase(start, end - start);
    } else {
        if (text.size() - (end - start) >= state.limit) {
            return;
        }
        text.replace(start, end - start, 1, character);
        ++start;
    }
    state.selectionStart = state.selectionEnd = start;
    window->text = text;
    state.selection = -1;
    NotifyParent(combo, CBN_EDITUPDATE);
    NotifyParent(combo, CBN_EDITCHANGE);
}

LRESULT Create(HWND combo, ComboExtension& state)
{
    DWORD style = StyleOf(combo);
    state.items.SetHasStrings(!OwnerDrawn(style) || (style & CBS_HASSTRINGS));
    RECT rect{};
    GetClientRect(combo, &rect);
    state.droppedWidth = rect.right;
    if (OwnerDrawn(style)) {
        state.itemHeight = MeasureItem(combo, ODT_COMBOBOX, state.itemHeight);
    }
    // A drop-down combo box is as tall as its selection field: the height it was made with is
    // the one of its list.
    if ((style & kComboTypeMask) != CBS_SIMPLE) {
        auto window = FindWindowRecord(combo);
        rect.bottom = state.itemHeight + kFieldFrame;
        MoveWindow(combo, window->rect.left, window->rect.top, rect.right, rect.bottom, FALSE);
    }
    state.list = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"ComboLBox"), nullptr, WS_CHILD, 0,
                                 rect.bottom, rect.right, state.itemHeight * kListRows, combo,
                                 reinterpret_cast<HANDLE>(kListId), nullptr, nullptr);
    return state.list == nullptr ? -1 : 0;
}

LRESULT AnswerItems(HWND combo, ComboExtension& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    int index = static_cast<int>(wParam);
    switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
        return state.items.Insert(message == CB_ADDSTRING ? -1 : index, lParam);
    case CB_DELETESTRING:
        if (!state.items.Remove(index)) {
            return CB_ERR;
        }
        if (state.selection >= state.items.Count()) {
            state.selection = -1;
        }
        return state.items.Count();
    case CB_RESETCONTENT:
        state.items.Clear();
        state.selection = -1;
        FindWindowRecord(combo)->text.clear();
        return 0;
    case CB_GETCOUNT:
        return state.items.Count();
    case CB_GETCURSEL:
        return state.selection;
    case CB_SETCURSEL:
        state.selection = state.items.At(index) != nullptr ? index : -1;
        ShowSelection(combo, state);
        return state.selection == -1 ? CB_ERR : state.selection;
    case CB_GETLBTEXT:
        return state.items.CopyText(index, lParam);
    case CB_GETLBTEXTLEN:
        return state.items.TextLength(index);
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return state.items.Find(index, lParam, message == CB_FINDSTRINGEXACT);
    case CB_GETITEMDATA:
        return state.items.At(index) != nullptr ? static_cast<LRESULT>(state.items.At(index)->data) : CB_ERR;
    case CB_SETITEMDATA:
        if (state.items.At(index) == nullptr) {
            return CB_ERR;
        }
        state.items.At(index)->data = static_cast<ULONG_PTR>(lParam);
        return 0;
    default:
        return DefWindowProcW(combo, message, wParam, lParam);
    }
}

LRESULT CALLBACK ComboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<ComboExtension>(combo);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        return Create(combo, *state);
    case WM_SETTEXT:
        if (IsDropDownList(StyleOf(combo))) {
            int found = state->items.Find(-1, lParam, true);
            state->selection = found;
            ShowSelection(combo, *state);
            return found == -1 ? CB_ERR : TRUE;
        }
        return DefWindowProcW(combo, message, wParam, lParam);
    case WM_CHAR:
        TypeIntoCombo(combo, *state, static_cast<WCHAR>(wParam));
        return 0;
    case WM_PAINT:
        PaintCombo(combo, *state);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(combo, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        ShowDropDown(combo, *state, false);
        NotifyParent(combo, CBN_KILLFOCUS);
        return 0;
    case CB_LIMITTEXT:
        state->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
        return TRUE;
    case CB_SETEDITSEL:
        state->selectionStart = static_cast<DWORD>(static_cast<SHORT>(LOWORD(lParam)));
        state->selectionEnd =
            static_cast<SHORT>(HIWORD(lParam)) == -1 ? 0xFFFFFFFF : static_cast<DWORD>(HIWORD(lParam));
        return TRUE;
    case CB_SHOWDROPDOWN:
        ShowDropDown(combo, *state, wParam != 0);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return state->dropped;
    case CB_SETITEMHEIGHT:
        state->itemHeight = LOWORD(lParam);
        return 0;
    case CB_GETITEMHEIGHT:
        return state->itemHeight;
    case CB_GETDROPPEDWIDTH:
        return state->droppedWidth;
    case CB_SETDROPPEDWIDTH: {
        RECT rect{};
        GetClientRect(combo, &rect);
        state->droppedWidth = std::max<int>(static_cast<int>(wParam), rect.right);
        return state->droppedWidth;
    }
    default:
        return AnswerItems(combo, *state, message, wParam, lParam);
    }
}

SystemClass comboClass(u"ComboBox", ComboProc);

}  // namespace

void ChooseComboRow(HWND combo, int index)
{
    auto state = ControlState<ComboExtension>(combo);
    if (state == nullptr || !IsWindowEnabled(combo) || state->items.At(index) == nullptr) {
        return;
    }
    SetFocus(combo);
    ShowDropDown(combo, *state, true);
    state->selection = index;
    ShowSelection(combo, *state);
    NotifyParent(combo, CBN_SELCHANGE);
    NotifyParent(combo, CBN_SELENDOK);
    ShowDropDown(combo, *state, false);
}

}  // namespace nirasim::sim

BOOL WINAPI GetComboBoxInfo(HWND hwndCombo, PCOMBOBOXINFO pcbi)
{
    auto state = nirasim::sim::ExtensionOf<nirasim::sim::ComboExtension>(hwndCombo);
    if (state == nullptr || pcbi == nullptr || pcbi->cbSize != sizeof(COMBOBOXINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    GetClientRect(hwndCombo, &pcbi->rcItem);
    pcbi->rcButton = pcbi->rcItem;
    pcbi->stateButton = 0;
    pcbi->hwndCombo = hwndCombo;
    pcbi->hwndItem = nullptr;
    pcbi->hwndList = state->list;
    return TRUE;
}
