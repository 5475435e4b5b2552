// Test control of the simulated windows, dialogs and controls: the keyboard state that
// GetKeyState reports, the script that plays the user when a dialog appears, the user's actions
// on controls (each sends what Windows sends for it) and the journal of invalidated rectangles.
// For tests and the host program only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace nirasim {

// One InvalidateRect call on a window of the machine.
struct Invalidation {
    HWND window;
    RECT rect;  // the rectangle asked for; the whole client area for a null one
    bool erase;
};

// The invalidations since the machine started or the journal was cleared, oldest first.
std::vector<Invalidation> Invalidations();
void ClearInvalidations();

// Holds a virtual key (VK_CONTROL, VK_SHIFT...) down or lets it go, until a fresh machine starts.
void SetKeyDown(int virtualKey, bool down);

// Runs `script` with every dialog's window once its WM_INITDIALOG has run, modal or modeless,
// until a fresh machine starts. A modal dialog the script leaves open is closed as Esc would.
void SetDialogScript(std::function<void(HWND dialog)> script);
// The integer id of the template a dialog was made from; -1 for a named template or no dialog.
int DialogTemplateOf(HWND dialog);

// A click on a button: the focus moves to it, an automatic check box or radio button changes
// its check, and the parent gets BN_CLICKED. Disabled buttons and group boxes ignore it.
void Click(HWND control);
// The user chooses a row of a list box (LBN_SELCHANGE when the list notifies) or of a combo
// box's list (CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP).
void ChooseItem(HWND control, int index);
// The focus moves to an edit or combo box, its text is selected, and each character is typed
// (EN_UPDATE and EN_CHANGE, or CBN_EDITUPDATE and CBN_EDITCHANGE, per character).
void TypeText(HWND control, const std::u16string& text);
// A scroll bar or track bar scrolled with a code (SB_LINEUP... or TB_LINEUP...): a track bar
// moves first; the parent gets the code and then SB_ENDSCROLL (TB_ENDTRACK).
void Scroll(HWND control, int code, int position = 0);
// A click on an up-down control's arrow: UDN_DELTAPOS, the move, the buddy's number, then
// SB_THUMBPOSITION and SB_ENDSCROLL.
void ClickSpin(HWND upDown, bool up);
// A double click at a point of the window's client area (MK_CONTROL while Ctrl is held down).
void DoubleClick(HWND window, int x, int y);
// Asks the control's parent to draw one item of an owner-drawn control (WM_DRAWITEM) on a DC;
// answers the parent's answer.
LRESULT DrawItem(HWND control, int item, UINT state, HDC dc, const RECT& rect);

// Plays the user while a thread's message loop has nothing to do (once the threads it started have
// ended), until a fresh machine starts: the script acts on the windows (clicks, commands) and
// answers true to be asked again when the loop is idle once more, false when the user is done; a
// loop that still has nothing to do then ends as if WM_QUIT came.
void SetIdleScript(std::function<bool()> script);

// Toolbars: a click on the button of a command (false when there is none or it is disabled), and
// a button's text.
bool ClickToolbarButton(HWND toolbar, int command);
std::u16string ToolbarButtonText(HWND toolbar, int command);
// Status bars: a part's text and the parts' right edges.
std::u16string StatusText(HWND bar, int part);
std::vector<int> StatusParts(HWND bar);

// A window's scroll bar (SB_HORZ or SB_VERT) as SetScrollInfo and EnableScrollBar left it.
struct ScrollBarInfo {
    int minimum;
    int maximum;
    UINT page;
    int position;
    bool arrowsEnabled;
};
ScrollBarInfo WindowScrollBar(HWND window, int bar);
// Each ScrollWindow call: the window and the amounts.
struct ScrolledWindow {
    HWND window;
    int dx;
    int dy;
};
std::vector<ScrolledWindow> ScrolledWindows();

// The dialog and its visible controls painted afresh and composed into one PNG picture of this
// computer; false when it cannot be written.
bool SaveDialogPicture(HWND dialog, const std::string& pngPath);

// Files dropped on a window: WM_DROPFILES is sent with a drop that holds the paths when the window
// accepts dropped files (DragAcceptFiles); false, with nothing sent, when it does not.
bool DropFiles(HWND window, const std::vector<std::u16string>& paths);
// The drops sent and not yet released with DragFinish.
int OpenDrops();

// Each ShellExecuteW call, oldest first; a fresh machine starts with none.
struct ShellExecution {
    HWND window;
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;
    std::u16string directory;
    int show;
};
std::vector<ShellExecution> ShellExecutions();

// WM_SETTEXT on an edit control notifies EN_CHANGE at once (true, as Windows does) or not.
void SetEditChangeOnSetText(bool notifies);

}  // namespace nirasim
