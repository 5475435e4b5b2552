// Pens described by a brush (ExtCreatePen): solid cosmetic and geometric pens of the brush's colour.
#include <windows.h>

HPEN WINAPI ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD, const DWORD*)
{
    if (plbrush == nullptr || plbrush->lbStyle != BS_SOLID) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreatePen(static_cast<int>(iPenStyle & PS_STYLE_MASK), static_cast<int>(cWidth), plbrush->lbColor);
}
