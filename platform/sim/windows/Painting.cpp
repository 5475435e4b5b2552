// Windows as paint targets: their rectangles on the screen and in their parents, the update area
// that InvalidateRect grows and BeginPaint hands over, and the DCs that draw on their pixels.
#include "windows/WindowTable.h"

#include "gdi/Raster.h"

#include <algorithm>

namespace nirasim::sim {

POINT ScreenOrigin(HWND handle)
{
    POINT origin = {0, 0};
    for (auto window = FindWindowRecord(handle); window != nullptr;
         window = window->parent != nullptr ? FindWindowRecord(window->parent) : nullptr) {
        origin.x += window->rect.left;
        origin.y += window->rect.top;
    }
    return origin;
}

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

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || lpRect == nullptr) {
        return FALSE;
    }
    *lpRect = ClientOf(*window);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || lpRect == nullptr) {
        return FALSE;
    }
    POINT origin = ScreenOrigin(hWnd);
    *lpRect = {origin.x, origin.y, origin.x + window->rect.right - window->rect.left,
               origin.y + window->rect.bottom - window->rect.top};
    return TRUE;
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

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    if (lpPoint == nullptr || !IsWindow(hWnd)) {
        return FALSE;
    }
    MapWindowPoints(hWnd, nullptr, lpPoint, 1);
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    if (lpPoint == nullptr || !IsWindow(hWnd)) {
        return FALSE;
    }
    MapWindowPoints(nullptr, hWnd, lpPoint, 1);
    return TRUE;
}

// The window keeps its pixels from the top-left corner; a repaint invalidates the whole client area.
BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    window->rect = {X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
    if (bRepaint) {
        InvalidateRect(hWnd, nullptr, TRUE);
    }
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    RECT client = ClientOf(*window);
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
