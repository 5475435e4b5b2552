// Displays of 8 bits per pixel or fewer show colours through a palette.
#pragma once

#include <windows.h>

inline bool IsPaletteDevice(HDC dc)
{
    constexpr int kPaletteDepth = 8;
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) <= kPaletteDepth;
}
