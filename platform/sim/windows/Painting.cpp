// Windows as paint targets: mapping points between windows, the update area that InvalidateRect
// grows and BeginPaint hands over, the DCs that draw on their pixels, and the journal of
// invalidations kept for tests.
#include <nirasim/Windows.h>

#include "core/MachineState.h"
#include "windows/WindowTable.h"

#include "gdi/Raster.h"

#include <algorithm>
#include <mutex>

namespace nirasim::sim {
namespace {

struct InvalidationJournal {
    std::mutex lock;
    std::vector<Invalidation> entries;
};

InvalidationJournal& InvalidationsKept()
{
    static InvalidationJournal journal;
    return journal;
}

ResetHook resetJournal([] {
    InvalidationJournal& journal = InvalidationsKept();
    std::lock_guard<std::mutex> guard(journal.lock);
    journal.entries.clear();
});

void Record(HWND window, const RECT& rect, bool erase)
{
    InvalidationJournal& journal = InvalidationsKept();
    std::lock_guard<std::mutex> guard(journal.lock);
    journal.entries.push_back({window, rect, erase});
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

namespace {

RECT ClientOf(const Window& window)
{
    return {0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
}

}  // namespace

HDC WINAPI GetDC(HWND hWnd)
{
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        return nullptr;
    }
    return MakeWindowDC(hWnd, nullptr);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC)
{
    return ReleaseWindowDC(hWnd, hDC) ? 1 : 0;
}

// Answers the horizontal shift in the low word and the vertical one in the high word.
int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    if ((hWndFrom != nullptr && !IsWindow(hWndFrom)) || (hWndTo != nullptr && !IsWindow(hWndTo))) {
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    POINT from = hWndFrom != nullptr ? ScreenOrigin(hWndFrom) : POINT{0, 0};
    POINT to = hWndTo != nullptr ? ScreenOrigin(hWndTo) : POINT{0, 0};
    LONG dx = from.x - to.x;
    LONG dy = from.y - to.y;
    for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return static_cast<int>((static_cast<DWORD>(dx) & 0xFFFF) | ((static_cast<DWORD>(dy) & 0xFFFF) << 16));
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    RECT client = ClientOf(*window);
    Record(hWnd, lpRect != nullptr ? *lpRect : client, bErase != FALSE);
    RECT added = client;
    if (lpRect != nullptr && !IntersectRect(&added, lpRect, &client)) {
        return TRUE;
    }
    UnionRect(&window->update, &window->update, &added);
    window->erase = window->erase || bErase;
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    // Only the whole update area leaves at once: a part of it keeps the rectangle that holds it.
    RECT covered = {0, 0, 0, 0};
    if (lpRect == nullptr || (UnionRect(&covered, lpRect, &window->update) && EqualRect(&covered, lpRect))) {
        SetRectEmpty(&window->update);
        window->erase = false;
    }
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (lpRect != nullptr) {
        *lpRect = window->update;
    }
    return !IsRectEmpty(&window->update);
}

BOOL WINAPI UpdateWindow(HWND hWnd)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (!IsRectEmpty(&window->update)) {
        SendMessageW(hWnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || lpPaint == nullptr) {
        return nullptr;
    }
    RECT update = window->update;
    bool erase = window->erase;
    SetRectEmpty(&window->update);
    window->erase = false;
    HDC dc = MakeWindowDC(hWnd, &update);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = dc;
    lpPaint->rcPaint = update;
    // fErase tells the window that the background still needs erasing.
    lpPaint->fErase = erase && SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint != nullptr) {
        ReleaseWindowDC(hWnd, lpPaint->hdc);
    }
    return TRUE;
}

namespace nirasim {

std::vector<Invalidation> Invalidations()
{
    sim::InvalidationJournal& journal = sim::InvalidationsKept();
    std::lock_guard<std::mutex> guard(journal.lock);
    return journal.entries;
}

void ClearInvalidations()
{
    sim::InvalidationJournal& journal = sim::InvalidationsKept();
    std::lock_guard<std::mutex> guard(journal.lock);
    journal.entries.clear();
}

}  // namespace nirasim
