// The scroll bars of a window (WS_HSCROLL, WS_VSCROLL): the page and the arrows' state beside the
// range and position that SetScrollRange and SetScrollPos keep (the position stays within
// [min, max - page + 1]); ScrollWindow repaints the whole
// client area. The cursor and the foreground window are kept as set.
#include "core/MachineState.h"
#include "windows/WindowTable.h"

#include <nirasim/Windows.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

struct ScrollBarState {
    SCROLLINFO info = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    UINT arrows = ESB_ENABLE_BOTH;
};

struct ScrollState {
    std::mutex lock;
    std::map<std::pair<HWND, int>, ScrollBarState> bars;
    std::vector<ScrolledWindow> scrolled;
    HCURSOR cursor = nullptr;
};

ScrollState& Scrolls()
{
    static auto* state = new ScrollState;
    return *state;
}

ResetHook resetScrolls([] {
    std::lock_guard<std::mutex> guard(Scrolls().lock);
    Scrolls().bars.clear();
    Scrolls().scrolled.clear();
    Scrolls().cursor = nullptr;
});

void ClampPosition(SCROLLINFO& info)
{
    int page = static_cast<int>(info.nPage);
    int highest = std::max(info.nMin, info.nMax - std::max(page - 1, 0));
    info.nPos = std::min(std::max(info.nPos, info.nMin), highest);
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim;
using namespace nirasim::sim;

int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL)
{
    if (!IsWindow(hwnd) || lpsi == nullptr || (nBar != SB_HORZ && nBar != SB_VERT)) {
        return 0;
    }
    std::lock_guard<std::mutex> guard(Scrolls().lock);
    SCROLLINFO& info = Scrolls().bars[{hwnd, nBar}].info;
    if ((lpsi->fMask & SIF_RANGE) != 0) {
        info.nMin = lpsi->nMin;
        info.nMax = std::max(lpsi->nMin, lpsi->nMax);
    }
    if ((lpsi->fMask & SIF_PAGE) != 0) {
        info.nPage = lpsi->nPage;
    }
    if ((lpsi->fMask & SIF_POS) != 0) {
        info.nPos = lpsi->nPos;
    }
    ClampPosition(info);
    // SetScrollRange and SetScrollPos keep the same bar.
    SetScrollRange(hwnd, nBar, info.nMin, info.nMax, FALSE);
    SetScrollPos(hwnd, nBar, info.nPos, FALSE);
    return info.nPos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi)
{
    if (!IsWindow(hwnd) || lpsi == nullptr || (nBar != SB_HORZ && nBar != SB_VERT)) {
        return FALSE;
    }
    int position = GetScrollPos(hwnd, nBar);
    std::lock_guard<std::mutex> guard(Scrolls().lock);
    SCROLLINFO& info = Scrolls().bars[{hwnd, nBar}].info;
    info.nPos = position;
    ClampPosition(info);
    UINT mask = lpsi->fMask;
    if ((mask & SIF_RANGE) != 0) {
        lpsi->nMin = info.nMin;
        lpsi->nMax = info.nMax;
    }
    if ((mask & SIF_PAGE) != 0) {
        lpsi->nPage = info.nPage;
    }
    if ((mask & SIF_POS) != 0) {
        lpsi->nPos = info.nPos;
    }
    if ((mask & SIF_TRACKPOS) != 0) {
        lpsi->nTrackPos = info.nPos;
    }
    return TRUE;
}

BOOL WINAPI EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows)
{
    if (!IsWindow(hWnd) || (wSBflags != SB_HORZ && wSBflags != SB_VERT)) {
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(Scrolls().lock);
    Scrolls().bars[{hWnd, static_cast<int>(wSBflags)}].arrows = wArrows;
    return TRUE;
}

BOOL WINAPI ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT*, const RECT*)
{
    if (!IsWindow(hWnd)) {
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> guard(Scrolls().lock);
        Scrolls().scrolled.push_back({hWnd, XAmount, YAmount});
    }
    return InvalidateRect(hWnd, nullptr, TRUE);
}

HCURSOR WINAPI LoadCursorW(HINSTANCE, LPCWSTR lpCursorName)
{
    // A system cursor's handle is its id.
    return reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(lpCursorName));
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    std::lock_guard<std::mutex> guard(Scrolls().lock);
    HCURSOR previous = Scrolls().cursor;
    Scrolls().cursor = hCursor;
    return previous;
}

HCURSOR WINAPI GetCursor(void)
{
    std::lock_guard<std::mutex> guard(Scrolls().lock);
    return Scrolls().cursor;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd)
{
    return IsWindow(hWnd);
}

namespace nirasim {

ScrollBarInfo WindowScrollBar(HWND window, int bar)
{
    std::lock_guard<std::mutex> guard(sim::Scrolls().lock);
    const sim::ScrollBarState& state = sim::Scrolls().bars[{window, bar}];
    return {state.info.nMin, state.info.nMax, state.info.nPage, GetScrollPos(window, bar),
            state.arrows != ESB_DISABLE_BOTH};
}

std::vector<ScrolledWindow> ScrolledWindows()
{
    std::lock_guard<std::mutex> guard(sim::Scrolls().lock);
    return sim::Scrolls().scrolled;
}

}  // namespace nirasim
