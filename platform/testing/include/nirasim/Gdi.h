// Test control of the simulated GDI: the drawing journal, the live object count and the page
// pictures of printer DCs. For tests and the host program only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace nirasim {

// One GDI call as the journal keeps it: the call's name, the DC it drew on (0 for none), the
// integer arguments that matter, its text (converted to UTF-16) or bytes, and its result.
struct GdiCall {
    std::string call;
    unsigned long long dc = 0;
    std::vector<long long> args;
    std::u16string text;
    std::string bytes;
    long long result = 0;
};

std::vector<GdiCall> GdiJournal();
void ClearGdiJournal();
// The calls of one name, in order.
std::vector<GdiCall> GdiCallsNamed(const std::string& call);

// Fonts, pens, brushes and DCs made and not deleted (stock objects do not count).
int LiveGdiObjects();

// Every page a printer DC ends from now on is written as a PNG file into the host folder (empty:
// no pictures). The files are named <document>-<page>.png, both counted from 1.
void SetPagePictureFolder(const std::string& hostFolder);
// The picture files written so far, in order.
std::vector<std::string> PagePictures();
// A picture read back: its size and its pixels (0xRRGGBB), row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned int> pixels;
    unsigned int At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// False when the file cannot be read as a PNG picture.
bool ReadPicture(const std::string& pngPath, Picture& picture);

// The pixels of a window (its client area) or of a memory or window DC (the bitmap selected into a
// memory DC, the window of a window DC); false for anything else. A window that was never drawn on
// shows its background.
bool WindowPixels(HWND window, Picture& picture);
bool DcPixels(HDC dc, Picture& picture);
// The same written as a PNG file of this computer; false when it cannot be written.
bool SaveWindowPicture(HWND window, const std::string& pngPath);
bool SaveDcPicture(HDC dc, const std::string& pngPath);

// The printer's render module answers the private escapes (true, the default) or the machine
// answers 0 for it, as a module that does not know them would.
void SetRenderModuleAnswers(bool answers);

// The display's bits per pixel (32 unless set): 8 or fewer makes it a palette display, where
// realising a logical palette changes the system palette's entries (RealizePalette answers how
// many). The pixels stay true colour.
void SetDisplayBitsPerPixel(int bits);
// Another program realises its own palette in the foreground: the system palette's entries change
// and every palette realised before must be realised again.
void RealizeOtherProgramsPalette();

}  // namespace nirasim
