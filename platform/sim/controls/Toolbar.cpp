// Toolbars: a row of buttons (separators 8 pixels wide, buttons as wide as the toolbar's button
// size or their own width) along the top of the parent; a click on an enabled button sends
// WM_COMMAND with its command to the parent. Images are counted, not drawn.
#include <commctrl.h>

#include "controls/Controls.h"
#include "core/Wide.h"

#include <nirasim/Windows.h>

#include <algorithm>

namespace nirasim::sim {
namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kDefaultButtonWidth = 24;
constexpr int kDefaultButtonHeight = 22;
constexpr int kToolbarHeight = 28;
constexpr int kButtonTop = 2;

struct ToolbarButton {
    int image = 0;
    int command = 0;
    BYTE state = 0;
    BYTE style = 0;
    int width = 0;  // 0: the toolbar's button width
    std::u16string text;
};

struct ToolbarExtension : WindowExtension {
    std::vector<ToolbarButton> buttons;
    int images = 0;
    DWORD extendedStyle = 0;
    int buttonWidth = kDefaultButtonWidth;
    int buttonHeight = kDefaultButtonHeight;
};

int WidthOf(const ToolbarExtension& toolbar, const ToolbarButton& button)
{
    if ((button.style & BTNS_SEP) != 0) {
        return kSeparatorWidth;
    }
    return button.width != 0 ? button.width : toolbar.buttonWidth;
}

RECT ItemRect(const ToolbarExtension& toolbar, size_t index)
{
    int left = 0;
    for (size_t i = 0; i < index; ++i) {
        left += WidthOf(toolbar, toolbar.buttons[i]);
    }
    return {left, kButtonTop, left + WidthOf(toolbar, toolbar.buttons[index]),
            kButtonTop + toolbar.buttonHeight};
}

ToolbarButton* ByCommand(ToolbarExtension& toolbar, int command)
{
    auto it = std::find_if(toolbar.buttons.begin(), toolbar.buttons.end(),
                           [&](const ToolbarButton& button) { return button.command == command; });
    return it == toolbar.buttons.end() ? nullptr : &*it;
}

void AddButtons(ToolbarExtension& toolbar, const TBBUTTON* buttons, size_t count)
{
    for (size_t i = 0; buttons != nullptr && i < count; ++i) {
        ToolbarButton button;
        button.image = buttons[i].iBitmap;
        button.command = buttons[i].idCommand;
        button.state = buttons[i].fsState;
        button.style = buttons[i].fsStyle;
        toolbar.buttons.push_back(button);
    }
}

LRESULT SetButtonInfo(ToolbarExtension& toolbar, WPARAM which, const TBBUTTONINFOW* info)
{
    if (info == nullptr || info->cbSize != sizeof(TBBUTTONINFOW)) {
        return FALSE;
    }
    ToolbarButton* button = nullptr;
    if ((info->dwMask & TBIF_BYINDEX) != 0) {
        button = which < toolbar.buttons.size() ? &toolbar.buttons[which] : nullptr;
    } else {
        button = ByCommand(toolbar, static_cast<int>(which));
    }
    if (button == nullptr) {
        return FALSE;
    }
    if ((info->dwMask & TBIF_SIZE) != 0) {
        button->width = info->cx;
    }
    if ((info->dwMask & TBIF_TEXT) != 0) {
        button->text = WideFrom(info->pszText);
    }
    return TRUE;
}

LRESULT CALLBACK ToolbarProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto toolbar = ControlState<ToolbarExtension>(control);
    if (toolbar == nullptr) {
        return 0;
    }
    switch (message) {
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_ADDBITMAP: {
        int first = toolbar->images;
        toolbar->images += static_cast<int>(wParam);
        return first;
    }
    case TB_ADDBUTTONSW:
        AddButtons(*toolbar, reinterpret_cast<const TBBUTTON*>(lParam), wParam);
        return TRUE;
    case TB_BUTTONCOUNT:
        return static_cast<LRESULT>(toolbar->buttons.size());
    case TB_GETBUTTON: {
        auto* out = reinterpret_cast<TBBUTTON*>(lParam);
        if (out == nullptr || wParam >= toolbar->buttons.size()) {
            return FALSE;
        }
        const ToolbarButton& button = toolbar->buttons[wParam];
        *out = TBBUTTON{};
        out->iBitmap = button.image;
        out->idCommand = button.command;
        out->fsState = button.state;
        out->fsStyle = button.style;
        return TRUE;
    }
    case TB_GETITEMRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (out == nullptr || wParam >= toolbar->buttons.size()) {
            return FALSE;
        }
        *out = ItemRect(*toolbar, wParam);
        return TRUE;
    }
    case TB_ENABLEBUTTON:
    case TB_ISBUTTONENABLED: {
        ToolbarButton* button = ByCommand(*toolbar, static_cast<int>(wParam));
        if (button == nullptr) {
            return FALSE;
        }
        if (message == TB_ENABLEBUTTON) {
            button->state =
                LOWORD(lParam) ? (button->state | TBSTATE_ENABLED) : (button->state & ~TBSTATE_ENABLED);
        }
        return (button->state & TBSTATE_ENABLED) != 0;
    }
    case TB_SETBUTTONINFOW:
        return SetButtonInfo(*toolbar, wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case TB_SETEXTENDEDSTYLE: {
        DWORD previous = toolbar->extendedStyle;
        toolbar->extendedStyle = static_cast<DWORD>(lParam);
        return previous;
    }
    case TB_GETEXTENDEDSTYLE:
        return toolbar->extendedStyle;
    case TB_AUTOSIZE: {
        RECT parent = {};
        GetClientRect(GetParent(control), &parent);
        MoveWindow(control, 0, 0, parent.right, kToolbarHeight, FALSE);
        return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
        // The toolbar's own children (a combo box on it) report to the toolbar's parent.
        return SendMessageW(GetParent(control), message, wParam, lParam);
    default:
        return DefWindowProcW(control, message, wParam, lParam);
    }
}

SystemClass toolbarClass(u"ToolbarWindow32", ToolbarProc);

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

HWND WINAPI CreateToolbarEx(HWND hwnd, DWORD ws, UINT wID, int nBitmaps, HINSTANCE hBMInst, UINT_PTR wBMID,
                            LPCTBBUTTON lpButtons, int iNumButtons, int dxButton, int dyButton, int, int,
                            UINT uStructSize)
{
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, ws | WS_CHILD, 0, 0, 0, 0, hwnd,
                                   reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(wID)), nullptr, nullptr);
    auto state = toolbar != nullptr ? ControlState<ToolbarExtension>(toolbar) : nullptr;
    if (state == nullptr || uStructSize != sizeof(TBBUTTON)) {
        if (toolbar != nullptr) {
            DestroyWindow(toolbar);
        }
        return nullptr;
    }
    state->buttonWidth = dxButton > 0 ? dxButton : kDefaultButtonWidth;
    state->buttonHeight = dyButton > 0 ? dyButton : kDefaultButtonHeight;
    TBADDBITMAP bitmaps = {hBMInst, wBMID};
    SendMessageW(toolbar, TB_ADDBITMAP, static_cast<WPARAM>(std::max(nBitmaps, 0)),
                 reinterpret_cast<LPARAM>(&bitmaps));
    SendMessageW(toolbar, TB_ADDBUTTONSW, static_cast<WPARAM>(std::max(iNumButtons, 0)),
                 reinterpret_cast<LPARAM>(lpButtons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

HBITMAP WINAPI CreateMappedBitmap(HINSTANCE hInstance, INT_PTR idBitmap, UINT, LPVOID, int)
{
    return LoadBitmapW(hInstance, MAKEINTRESOURCEW(idBitmap));
}

namespace nirasim {

bool ClickToolbarButton(HWND toolbar, int command)
{
    auto state = ExtensionOf<ToolbarExtension>(toolbar);
    ToolbarButton* button = state != nullptr ? ByCommand(*state, command) : nullptr;
    if (button == nullptr || (button->state & TBSTATE_ENABLED) == 0) {
        return false;
    }
    SendMessageW(GetParent(toolbar), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolbar));
    return true;
}

std::u16string ToolbarButtonText(HWND toolbar, int command)
{
    auto state = ExtensionOf<ToolbarExtension>(toolbar);
    ToolbarButton* button = state != nullptr ? ByCommand(*state, command) : nullptr;
    return button == nullptr ? std::u16string() : button->text;
}

}  // namespace nirasim
