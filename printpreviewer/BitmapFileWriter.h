// Saving a preview sheet as a bitmap file with the smallest colour depth that holds its colours:
// 1 bit for black and white, 4 bits for up to 16 colours, 8 bits for up to 256, else 24 bits.
#pragma once

#include <windows.h>

#include <vector>

// A 24-bit picture as a DIB section holds it: rows bottom-up, each padded to 4 bytes.
struct SheetPicture {
    LONG width;
    LONG height;
    const BYTE* bits;
};

// The colour table the picture needs: black, white, then its other colours in the order they are
// first met (stored rows first to last, pixels left to right); empty when it has more than 256.
std::vector<COLORREF> PictureColorTable(const SheetPicture& picture);
// 1, 4, 8 or 24 for a table of that many entries in use.
WORD BitsForColors(size_t colors);
// The file's bytes: headers, colour table, packed rows.
bool BitmapFileBytes(const SheetPicture& picture, std::vector<BYTE>& file);
// Writes the file; ERROR_SUCCESS or the error to show the user.
DWORD WriteBmpFile(LPCWSTR fileName, const SheetPicture& picture);
