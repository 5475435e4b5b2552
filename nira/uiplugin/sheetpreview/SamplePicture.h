// The sample picture as a bitmap resource holds it: a DIB header, a colour table for 1, 4 and 8
// bits per pixel, and the padded pixel rows. The resource comes with the driver package, so every
// part is checked against the resource's size before it is used.
#pragma once

#include <windows.h>

struct SamplePicture {
    BITMAPINFOHEADER header;
    const RGBQUAD* table;  // null without a colour table
    DWORD colors;          // entries of the colour table; 0 for 24 bits per pixel
    const BYTE* pixels;
    size_t pixelBytes;  // row stride times |biHeight|
};

// Bytes of one pixel row, padded to 4 bytes.
size_t DibRowStride(LONG width, WORD bitsPerPixel);
// False when the bytes are not an uncompressed DIB of 1, 4, 8 or 24 bits per pixel whose header,
// colour table and rows (top-down or bottom-up) all lie within size.
bool ReadSamplePicture(const BYTE* data, DWORD size, SamplePicture& picture);
