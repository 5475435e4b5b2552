// Draws a bitmap over a DC's contents with the colour of its top-left pixel left out, so that
// the DC's background shows through there.
#pragma once

#include <windows.h>

// Composes the bitmap, in its own size, at (x, y) of the target. False when a GDI object could not
// be made (nothing is drawn then); every object made is deleted again.
BOOL DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y);
