// The standard controls' state and the user actions that the test control plays on them.
#pragma once

#include "controls/ItemList.h"
#include "windows/Dialogs.h"

namespace nirasim::sim {

// The window record of a control with its extension of kind T, made at the first message.
template <typename T>
std::shared_ptr<T> ControlState(HWND control)
{
    auto window = FindWindowRecord(control);
    return window == nullptr ? nullptr : ExtensionOf<T>(*window, [] { return std::make_shared<T>(); });
}

DWORD StyleOf(HWND window);
// Sends WM_NOTIFY with a header for the control and the given code; answers the parent's answer.
LRESULT NotifyParentOfCode(HWND control, NMHDR& header, UINT code);

struct ButtonExtension : WindowExtension {
    UINT check = BST_UNCHECKED;
    HANDLE image = nullptr;
};
// A user's click: focus, the automatic check, BN_CLICKED.
void ClickButton(HWND button);

struct EditExtension : WindowExtension {
    UINT limit = 0x7FFFFFFE;
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
};

struct ListExtension : WindowExtension {
    ItemList items;
    int selection = -1;
    int itemHeight = 16;
};
void ChooseListRow(HWND list, int index);

struct ComboExtension : WindowExtension {
    ItemList items;
    int selection = -1;
    bool dropped = false;
    UINT limit = 0x7FFFFFFE;
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    int itemHeight = 16;
    int droppedWidth = 0;
    HWND list = nullptr;
};
void ChooseComboRow(HWND combo, int index);

struct RangeExtension : WindowExtension {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int lineSize = 1;
    int pageSize = 20;
    int ticFrequency = 1;
    HWND buddy = nullptr;
};
// A scroll bar or a track bar moved by the user with a scroll code.
void ScrollControl(HWND control, int code, int position);
void ClickUpDown(HWND upDown, bool up);

// Each control paints itself plainly at WM_PAINT; owner-drawn ones ask their parent to draw.
void PaintButton(HWND button, const ButtonExtension& state);
void PaintStatic(HWND control, HANDLE image);
void PaintEdit(HWND edit);
void PaintCombo(HWND combo, const ComboExtension& state);
void PaintList(HWND list, const ListExtension& state);
void PaintRange(HWND control, const RangeExtension& state, bool trackBar);
void PaintUpDown(HWND upDown);
void PaintDialogFace(HWND dialog);

// Owner-drawn controls send the first WM_MEASUREITEM to their parent when they are made.
int MeasureItem(HWND control, UINT controlType, int defaultHeight);

}  // namespace nirasim::sim
