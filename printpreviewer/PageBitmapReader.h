// Reading a page bitmap file the render module wrote: an uncompressed 24- or 32-bit bitmap. The
// file comes from another process and is checked before anything is allocated for it.
#pragma once

#include <windows.h>

#include <vector>

struct PageBitmap {
    LONG width = 0;
    LONG height = 0;         // rows as stored: bottom-up for a positive biHeight
    bool topDown = false;    // the file's biHeight was negative
    WORD bytesPerPixel = 0;  // 3 or 4
    LONG stride = 0;         // bytes of one row in `pixels`, a multiple of 4
    std::vector<BYTE> pixels;
};

// The picture of the file; false, with nothing read, for a missing file, a type other than "BM",
// a header other than 40 bytes, planes other than 1, compression, a bit count other than 24 or 32,
// sizes that do not fit, or a short read.
bool ReadPageBitmap(LPCWSTR path, PageBitmap& bitmap);
