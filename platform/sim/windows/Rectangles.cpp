// The rectangle helpers of the user interface (SetRect and PtInRect live with the window geometry). An empty rectangle (no width or no height) holds
// no point; intersections and unions leave empty rectangles as (0, 0, 0, 0).
#include <windows.h>

#include <algorithm>

BOOL WINAPI SetRectEmpty(LPRECT lprc)
{
    if (lprc == nullptr) {
        return FALSE;
    }
    *lprc = {0, 0, 0, 0};
    return TRUE;
}

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    if (lprcDst == nullptr || lprcSrc == nullptr) {
        return FALSE;
    }
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr) {
        return FALSE;
    }
    *lprc = {lprc->left + dx, lprc->top + dy, lprc->right + dx, lprc->bottom + dy};
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr) {
        return FALSE;
    }
    *lprc = {lprc->left - dx, lprc->top - dy, lprc->right + dx, lprc->bottom + dy};
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* lprc)
{
    return lprc == nullptr || lprc->left >= lprc->right || lprc->top >= lprc->bottom;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr) {
        return FALSE;
    }
    RECT both = {std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
                 std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
    if (IsRectEmpty(&both)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = both;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr) {
        return FALSE;
    }
    bool empty1 = IsRectEmpty(lprcSrc1);
    bool empty2 = IsRectEmpty(lprcSrc2);
    if (empty1 && empty2) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    if (empty1 || empty2) {
        *lprcDst = empty1 ? *lprcSrc2 : *lprcSrc1;
        return TRUE;
    }
    *lprcDst = {std::min(lprcSrc1->left, lprcSrc2->left), std::min(lprcSrc1->top, lprcSrc2->top),
                std::max(lprcSrc1->right, lprcSrc2->right), std::max(lprcSrc1->bottom, lprcSrc2->bottom)};
    return TRUE;
}

BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2)
{
    return lprc1 != nullptr && lprc2 != nullptr && lprc1->left == lprc2->left && lprc1->top == lprc2->top &&
           lprc1->right == lprc2->right && lprc1->bottom == lprc2->bottom;
}
