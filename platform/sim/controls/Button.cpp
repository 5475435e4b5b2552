// Buttons: push buttons, check boxes, radio buttons, group boxes and owner-drawn buttons. A
// check state changes only through BM_SETCHECK or a click of an automatic button; a click
// notifies BN_CLICKED, setting the check notifies nothing.
#include "controls/Controls.h"

namespace nirasim::sim {
namespace {

DWORD TypeOf(HWND button)
{
    return StyleOf(button) & BS_TYPEMASK;
}

bool Checkable(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

// The automatic radio buttons of the button's group: its siblings between WS_GROUP marks.
std::vector<HWND> RadioGroupOf(HWND button)
{
    std::vector<HWND> group;
    for (const auto& sibling : ChildrenOf(GetParent(button))) {
        if (sibling->style & WS_GROUP) {
            bool containsButton = false;
            for (HWND member : group) {
                containsButton = containsButton || member == button;
            }
            if (containsButton) {
                break;
            }
            group.clear();
        }
        if ((sibling->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && sibling->className == u"Button") {
            group.push_back(sibling->handle);
        }
    }
    return group;
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<ButtonExtension>(button);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case BM_GETCHECK:
        return Checkable(TypeOf(button)) ? state->check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (Checkable(TypeOf(button))) {
            state->check = static_cast<UINT>(wParam) & (BST_CHECKED | BST_INDETERMINATE);
        }
        return 0;
    case BM_GETSTATE:
        return Checkable(TypeOf(button)) ? state->check : BST_UNCHECKED;
    case BM_CLICK:
        ClickButton(button);
        return 0;
    case WM_PAINT:
        PaintButton(button, *state);
        return 0;
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(state->image);
    case BM_SETIMAGE: {
        HANDLE old = state->image;
        state->image = reinterpret_cast<HANDLE>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    default:
        return DefWindowProcW(button, message, wParam, lParam);
    }
}

SystemClass buttonClass(u"Button", ButtonProc);

}  // namespace

void ClickButton(HWND button)
{
    auto state = ControlState<ButtonExtension>(button);
    if (state == nullptr || !IsWindowEnabled(button) || TypeOf(button) == BS_GROUPBOX) {
        return;
    }
    SetFocus(button);
    switch (TypeOf(button)) {
    case BS_AUTOCHECKBOX:
        state->check = state->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        state->check = (state->check + 1) % 3;
        break;
    case BS_AUTORADIOBUTTON:
        for (HWND member : RadioGroupOf(button)) {
            SendMessageW(member, BM_SETCHECK, member == button ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        break;
    default:
        break;
    }
    NotifyParent(button, BN_CLICKED);
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

LRESULT NotifyParentOfCode(HWND control, NMHDR& header, UINT code)
{
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    header.code = code;
    return SendMessageW(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

int MeasureItem(HWND control, UINT controlType, int defaultHeight)
{
    RECT client{};
    GetClientRect(control, &client);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = controlType;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
    measure.itemWidth = static_cast<UINT>(client.right);
    measure.itemHeight = static_cast<UINT>(defaultHeight);
    SendMessageW(GetParent(control), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    return static_cast<int>(measure.itemHeight);
}

}  // namespace nirasim::sim
