// List boxes (single selection). Selecting with LB_SETCURSEL notifies nothing; a row the user
// chooses notifies LBN_SELCHANGE when the list has LBS_NOTIFY. An owner-drawn list asks its
// parent for the row height when it is made.
#include "controls/Controls.h"

namespace nirasim::sim {
namespace {

bool HasStrings(DWORD style)
{
    return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

}  // namespace

// The messages a list answers from its items; the combo box's list window answers them too.
bool AnswerListMessage(HWND window, ItemList& items, int& selection, int itemHeight, UINT message,
                       WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    int index = static_cast<int>(wParam);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        result = items.Insert(message == LB_ADDSTRING ? -1 : index, lParam);
        return true;
    case LB_DELETESTRING:
        result = items.Remove(index) ? items.Count() : LB_ERR;
        if (selection >= items.Count()) {
            selection = -1;
        }
        return true;
    case LB_RESETCONTENT:
        items.Clear();
        selection = -1;
        result = 0;
        return true;
    case LB_SETCURSEL:
        selection = items.At(index) != nullptr ? index : -1;
        result = selection == -1 ? LB_ERR : selection;
        return true;
    case LB_GETCURSEL:
        result = selection;
        return true;
    case LB_GETTEXT:
        result = items.CopyText(index, lParam);
        return true;
    case LB_GETTEXTLEN:
        result = items.TextLength(index);
        return true;
    case LB_GETCOUNT:
        result = items.Count();
        return true;
    case LB_GETTOPINDEX:
        result = 0;
        return true;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        result = items.Find(index, lParam, message == LB_FINDSTRINGEXACT);
        return true;
    case LB_GETITEMDATA:
        result = items.At(index) != nullptr ? static_cast<LRESULT>(items.At(index)->data) : LB_ERR;
        return true;
    case LB_SETITEMDATA:
        if (items.At(index) == nullptr) {
            result = LB_ERR;
        } else {
            items.At(index)->data = static_cast<ULONG_PTR>(lParam);
            result = 0;
        }
        return true;
    case LB_GETITEMHEIGHT:
        result = itemHeight;
        return true;
    case LB_GETITEMRECT: {
        RECT client{};
        GetClientRect(window, &client);
        if (items.At(index) == nullptr || lParam == 0) {
            result = LB_ERR;
        } else {
            *reinterpret_cast<RECT*>(lParam) = {0, index * itemHeight, client.right,
                                                (index + 1) * itemHeight};
            result = 1;
        }
        return true;
    }
    default:
        return false;
    }
}

namespace {

LRESULT CALLBACK ListBoxProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<ListExtension>(list);
    if (state == nullptr) {
        return 0;
    }
    DWORD style = StyleOf(list);
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE:
        state->items.SetHasStrings(HasStrings(style));
        if (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
            state->itemHeight = MeasureItem(list, ODT_LISTBOX, state->itemHeight);
        }
        return 0;
    case WM_PAINT:
        PaintList(list, *state);
        return 0;
    case LB_SETITEMHEIGHT:
        state->itemHeight = LOWORD(lParam);
        return 0;
    case WM_SETFOCUS:
        if (style & LBS_NOTIFY) {
            NotifyParent(list, LBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS:
        if (style & LBS_NOTIFY) {
            NotifyParent(list, LBN_KILLFOCUS);
        }
        return 0;
    default:
        if (AnswerListMessage(list, state->items, state->selection, state->itemHeight, message, wParam,
                              lParam, result)) {
            return result;
        }
        return DefWindowProcW(list, message, wParam, lParam);
    }
}

SystemClass listClass(u"ListBox", ListBoxProc);

}  // namespace

void ChooseListRow(HWND list, int index)
{
    auto state = ControlState<ListExtension>(list);
    if (state == nullptr || !IsWindowEnabled(list) || state->items.At(index) == nullptr) {
        return;
    }
    SetFocus(list);
    state->selection = index;
    if (StyleOf(list) & LBS_NOTIFY) {
        NotifyParent(list, LBN_SELCHANGE);
    }
}

}  // namespace nirasim::sim
