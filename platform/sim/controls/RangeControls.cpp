// The controls that hold a position in a range: scroll bars, up-down controls and track bars.
// Setting a position notifies nothing. A user's scroll notifies the parent with WM_HSCROLL or
// WM_VSCROLL and ends with SB_ENDSCROLL (TB_ENDTRACK): a scroll bar leaves moving its thumb to
// its parent, a track bar moves first, an up-down control asks UDN_DELTAPOS, moves and sets its
// buddy's number.
#include "controls/Controls.h"

#include "core/MachineState.h"
#include "core/Wide.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

// The scroll bars that windows have of their own (SB_HORZ, SB_VERT).
struct WindowBars {
    std::mutex lock;
    std::map<std::pair<HWND, int>, RangeExtension> bars;
};

WindowBars& Bars()
{
    static auto* bars = new WindowBars;
    return *bars;
}

ResetHook resetBars([] {
    std::lock_guard<std::mutex> guard(Bars().lock);
    Bars().bars.clear();
});

int Clamp(const RangeExtension& state, int position)
{
    int low = std::min(state.minimum, state.maximum);
    int high = std::max(state.minimum, state.maximum);
    return std::clamp(position, low, high);
}

void SetRange(RangeExtension& state, int minimum, int maximum)
{
    state.minimum = minimum;
    state.maximum = maximum;
    state.position = Clamp(state, state.position);
}

LRESULT CALLBACK ScrollBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<RangeExtension>(bar);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        state->maximum = 100;
        return 0;
    case SBM_SETPOS: {
        int old = state->position;
        state->position = Clamp(*state, static_cast<int>(wParam));
        return old;
    }
    case WM_PAINT:
        PaintRange(bar, *state, false);
        return 0;
    case SBM_GETPOS:
        return state->position;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int old = state->position;
        SetRange(*state, static_cast<int>(wParam), static_cast<int>(lParam));
        return old;
    }
    case SBM_GETRANGE:
        if (wParam != 0) {
            *reinterpret_cast<int*>(wParam) = state->minimum;
        }
        if (lParam != 0) {
            *reinterpret_cast<int*>(lParam) = state->maximum;
        }
        return 0;
    default:
        return DefWindowProcW(bar, message, wParam, lParam);
    }
}

SystemClass scrollBarClass(u"ScrollBar", ScrollBarProc);

void SetBuddyNumber(const RangeExtension& state, HWND upDown)
{
    if (state.buddy != nullptr && (StyleOf(upDown) & UDS_SETBUDDYINT)) {
        SetWindowTextW(state.buddy,
                       reinterpret_cast<LPCWSTR>(WideFromUtf8(std::to_string(state.position)).c_str()));
    }
}

LRESULT CALLBACK UpDownProc(HWND upDown, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<RangeExtension>(upDown);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_CREATE: {
        state->minimum = 100;  // Windows' default range runs from 100 down to 0
        state->maximum = 0;
        if (StyleOf(upDown) & UDS_AUTOBUDDY) {
            auto siblings = ChildrenOf(GetParent(upDown));
            for (size_t i = 1; i < siblings.size(); ++i) {
                if (siblings[i]->handle == upDown) {
                    state->buddy = siblings[i - 1]->handle;
                }
            }
        }
        return 0;
    }
    case UDM_SETRANGE:
        SetRange(*state, static_cast<SHORT>(HIWORD(lParam)), static_cast<SHORT>(LOWORD(lParam)));
        return 0;
    case WM_PAINT:
        PaintUpDown(upDown);
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(state->maximum, state->minimum);
    case UDM_SETRANGE32:
        SetRange(*state, static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        int old = state->position;
        int wanted = message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(lParam)) : static_cast<int>(lParam);
        state->position = Clamp(*state, wanted);
        SetBuddyNumber(*state, upDown);
        return old;
    }
    case UDM_GETPOS:
        return MAKELONG(state->position, 0);
    case UDM_GETPOS32:
        return state->position;
    case UDM_SETBUDDY: {
        HWND old = state->buddy;
        state->buddy = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(state->buddy);
    default:
        return DefWindowProcW(upDown, message, wParam, lParam);
    }
}

SystemClass upDownClass(u"msctls_updown32", UpDownProc);

LRESULT CALLBACK TrackBarProc(HWND trackBar, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<RangeExtension>(trackBar);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        PaintRange(trackBar, *state, true);
        return 0;
    case TBM_GETPOS:
        return state->position;
    case TBM_GETRANGEMIN:
        return state->minimum;
    case TBM_GETRANGEMAX:
        return state->maximum;
    case TBM_SETPOS:
        state->position = Clamp(*state, static_cast<int>(lParam));
        return 0;
    case TBM_SETRANGE:
        SetRange(*state, static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)));
        return 0;
    case TBM_SETRANGEMIN:
        SetRange(*state, static_cast<int>(lParam), state->maximum);
        return 0;
    case TBM_SETRANGEMAX:
        SetRange(*state, state->minimum, static_cast<int>(lParam));
        return 0;
    case TBM_SETTICFREQ:
        state->ticFrequency = static_cast<int>(wParam);
        return 0;
    case TBM_SETPAGESIZE: {
        int old = state->pageSize;
        state->pageSize = static_cast<int>(lParam);
        return old;
    }
    case TBM_GETPAGESIZE:
        return state->pageSize;
    case TBM_SETLINESIZE: {
        int old = state->lineSize;
        state->lineSize = static_cast<int>(lParam);
        return old;
    }
    case TBM_GETLINESIZE:
        return state->lineSize;
    default:
        return DefWindowProcW(trackBar, message, wParam, lParam);
    }
}

SystemClass trackBarClass(u"msctls_trackbar32", TrackBarProc);

UINT ScrollMessage(HWND control, DWORD verticalStyle)
{
    return (StyleOf(control) & verticalStyle) ? WM_VSCROLL : WM_HSCROLL;
}

void SendScroll(HWND control, UINT message, int code, int position)
{
    SendMessageW(GetParent(control), message, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(control));
}

void MoveTrackBar(RangeExtension& state, int code, int position)
{
    switch (code) {
    case TB_LINEUP:
        state.position = Clamp(state, state.position - state.lineSize);
        break;
    case TB_LINEDOWN:
        state.position = Clamp(state, state.position + state.lineSize);
        break;
    case TB_PAGEUP:
        state.position = Clamp(state, state.position - state.pageSize);
        break;
    case TB_PAGEDOWN:
        state.position = Clamp(state, state.position + state.pageSize);
        break;
    case TB_THUMBPOSITION:
    case TB_THUMBTRACK:
        state.position = Clamp(state, position);
        break;
    case TB_TOP:
        state.position = state.minimum;
        break;
    case TB_BOTTOM:
        state.position = state.maximum;
        break;
    default:
        break;
    }
}

bool IsClass(HWND window, const char16_t* name)
{
    auto record = FindWindowRecord(window);
    return record != nullptr && EqualNoCase(record->className, name);
}

}  // namespace

void ScrollControl(HWND control, int code, int position)
{
    if (!IsWindowEnabled(control)) {
        return;
    }
    if (IsClass(control, u"msctls_trackbar32")) {
        auto state = ControlState<RangeExtension>(control);
        MoveTrackBar(*state, code, position);
        bool thumb = code == TB_THUMBPOSITION || code == TB_THUMBTRACK;
        UINT message = ScrollMessage(control, TBS_VERT);
        SendScroll(control, message, code, thumb ? state->position : 0);
        SendScroll(control, message, TB_ENDTRACK, 0);
        return;
    }
    UINT message = ScrollMessage(control, SBS_VERT);
    SendScroll(control, message, code, position);
    SendScroll(control, message, SB_ENDSCROLL, 0);
}

void ClickUpDown(HWND upDown, bool up)
{
    auto state = ControlState<RangeExtension>(upDown);
    if (state == nullptr || !IsWindowEnabled(upDown)) {
        return;
    }
    // "Up" moves toward the maximum, whichever end of the range that is.
    int delta = (state->maximum >= state->minimum) == up ? 1 : -1;
    NMUPDOWN change{};
    change.iPos = state->position;
    change.iDelta = delta;
    if (NotifyParentOfCode(upDown, change.hdr, UDN_DELTAPOS) != 0) {
        return;
    }
    int wanted = state->position + change.iDelta;
    if (StyleOf(upDown) & UDS_WRAP) {
        int low = std::min(state->minimum, state->maximum);
        int high = std::max(state->minimum, state->maximum);
        wanted = wanted > high ? low : wanted < low ? high : wanted;
    }
    state->position = Clamp(*state, wanted);
    SetBuddyNumber(*state, upDown);
    UINT message = (StyleOf(upDown) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendScroll(upDown, message, SB_THUMBPOSITION, state->position);
    SendScroll(upDown, message, SB_ENDSCROLL, state->position);
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

namespace {

// The bar's state: a scroll-bar control's own, or one of a window's own bars.
RangeExtension* BarOf(HWND window, int bar, std::unique_lock<std::mutex>& lock)
{
    if (!IsWindow(window)) {
        return nullptr;
    }
    if (bar == SB_CTL) {
        return nullptr;
    }
    lock = std::unique_lock<std::mutex>(Bars().lock);
    return &Bars().bars[{window, bar}];
}

}  // namespace

int WINAPI SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL)
{
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageW(hWnd, SBM_SETPOS, static_cast<WPARAM>(nPos), 0));
    }
    std::unique_lock<std::mutex> lock;
    RangeExtension* state = BarOf(hWnd, nBar, lock);
    if (state == nullptr) {
        return 0;
    }
    int old = state->position;
    state->position = Clamp(*state, nPos);
    return old;
}

int WINAPI GetScrollPos(HWND hWnd, int nBar)
{
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageW(hWnd, SBM_GETPOS, 0, 0));
    }
    std::unique_lock<std::mutex> lock;
    RangeExtension* state = BarOf(hWnd, nBar, lock);
    return state == nullptr ? 0 : state->position;
}

BOOL WINAPI SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL)
{
    if (nBar == SB_CTL) {
        return IsWindow(hWnd) &&
               (SendMessageW(hWnd, SBM_SETRANGE, static_cast<WPARAM>(nMinPos), nMaxPos), TRUE);
    }
    std::unique_lock<std::mutex> lock;
    RangeExtension* state = BarOf(hWnd, nBar, lock);
    if (state == nullptr) {
        return FALSE;
    }
    SetRange(*state, nMinPos, nMaxPos);
    return TRUE;
}

BOOL WINAPI GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos)
{
    if (lpMinPos == nullptr || lpMaxPos == nullptr) {
        return FALSE;
    }
    if (nBar == SB_CTL) {
        SendMessageW(hWnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos),
                     reinterpret_cast<LPARAM>(lpMaxPos));
        return IsWindow(hWnd);
    }
    std::unique_lock<std::mutex> lock;
    RangeExtension* state = BarOf(hWnd, nBar, lock);
    if (state == nullptr) {
        return FALSE;
    }
    *lpMinPos = state->minimum;
    *lpMaxPos = state->maximum;
    return TRUE;
}

void WINAPI InitCommonControls(void) {}
