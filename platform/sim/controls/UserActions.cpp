// The user's actions that the test control plays on controls: each sends what Windows sends
// when a user clicks, chooses, types or scrolls.
#include "controls/Controls.h"

#include "core/Wide.h"

#include <nirasim/Windows.h>

namespace nirasim {
namespace {

bool IsClass(HWND window, const char16_t* name)
{
    auto record = sim::FindWindowRecord(window);
    return record != nullptr && sim::EqualNoCase(record->className, name);
}

}  // namespace

void Click(HWND control)
{
    sim::ClickButton(control);
}

void ChooseItem(HWND control, int index)
{
    if (IsClass(control, u"ComboBox")) {
        sim::ChooseComboRow(control, index);
    } else {
        sim::ChooseListRow(control, index);
    }
}

void TypeText(HWND control, const std::u16string& text)
{
    if (!IsWindowEnabled(control)) {
        return;
    }
    SetFocus(control);
    if (IsClass(control, u"ComboBox")) {
        SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    } else {
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
    for (char16_t character : text) {
        SendMessageW(control, WM_CHAR, static_cast<WPARAM>(character), 0);
    }
}

void Scroll(HWND control, int code, int position)
{
    sim::ScrollControl(control, code, position);
}

void ClickSpin(HWND upDown, bool up)
{
    sim::ClickUpDown(upDown, up);
}

void DoubleClick(HWND window, int x, int y)
{
    WPARAM keys = MK_LBUTTON | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
    SendMessageW(window, WM_LBUTTONDBLCLK, keys, MAKELPARAM(x, y));
}

LRESULT DrawItem(HWND control, int item, UINT state, HDC dc, const RECT& rect)
{
    auto record = sim::FindWindowRecord(control);
    if (record == nullptr) {
        return 0;
    }
    DRAWITEMSTRUCT draw{};
    draw.CtlType = IsClass(control, u"ComboBox")  ? ODT_COMBOBOX
                   : IsClass(control, u"ListBox") ? ODT_LISTBOX
                   : IsClass(control, u"Static")  ? ODT_STATIC
                                                  : ODT_BUTTON;
    draw.CtlID = static_cast<UINT>(record->id);
    draw.itemID = static_cast<UINT>(item);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = control;
    draw.hDC = dc;
    draw.rcItem = rect;
    return SendMessageW(record->parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

}  // namespace nirasim
