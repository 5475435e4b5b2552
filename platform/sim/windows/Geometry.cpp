// Window geometry: each window has a rectangle in its parent's client area (the screen for a
// window without a parent) and a client area as large as the window (no frame is drawn).
#include "windows/WindowTable.h"

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

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || lpRect == nullptr) {
        return FALSE;
    }
    *lpRect = {0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
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

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    if (lpPoint == nullptr || !IsWindow(hWnd)) {
        return FALSE;
    }
    POINT origin = ScreenOrigin(hWnd);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    if (lpPoint == nullptr || !IsWindow(hWnd)) {
        return FALSE;
    }
    POINT origin = ScreenOrigin(hWnd);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    RECT previous = window->rect;
    window->rect = {X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
    if (previous.right - previous.left != window->rect.right - window->rect.left ||
        previous.bottom - previous.top != window->rect.bottom - window->rect.top) {
        SendMessageW(
            hWnd, WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(window->rect.right - window->rect.left, window->rect.bottom - window->rect.top));
    }
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Windows are not stacked on this machine: the z-order is left as it is.
    RECT now = window->rect;
    if ((uFlags & SWP_NOMOVE) != 0) {
        X = now.left;
        Y = now.top;
    }
    if ((uFlags & SWP_NOSIZE) != 0) {
        cx = now.right - now.left;
        cy = now.bottom - now.top;
    }
    MoveWindow(hWnd, X, Y, cx, cy, TRUE);
    if ((uFlags & SWP_SHOWWINDOW) != 0) {
        ShowWindow(hWnd, SW_SHOW);
    } else if ((uFlags & SWP_HIDEWINDOW) != 0) {
        ShowWindow(hWnd, SW_HIDE);
    }
    return TRUE;
}

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (lprc == nullptr) {
        return FALSE;
    }
    *lprc = {xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt)
{
    return lprc != nullptr && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top &&
           pt.y < lprc->bottom;
}

HWND WINAPI RealChildWindowFromPoint(HWND hwndParent, POINT ptParentClientCoords)
{
    RECT client;
    if (!GetClientRect(hwndParent, &client) || !PtInRect(&client, ptParentClientCoords)) {
        return nullptr;
    }
    for (const auto& child : ChildrenOf(hwndParent)) {
        if ((child->style & WS_VISIBLE) != 0 && PtInRect(&child->rect, ptParentClientCoords)) {
            return child->handle;
        }
    }
    return hwndParent;
}
