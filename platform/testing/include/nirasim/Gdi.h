// Test control of the simulated GDI: the drawing journal, the live object count and the page
// pictures of printer DCs. For tests and the host program only.
#pragma once

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
// The colour (0xRRGGBB) of a pixel of a PNG file; false when it cannot be read.
bool ReadPicturePixel(const std::string& pngPath, int x, int y, unsigned int& rgb);
// The size of a PNG file in pixels; false when it cannot be read.
bool ReadPictureSize(const std::string& pngPath, int& width, int& height);

// The printer's render module answers the private escapes (true, the default) or the machine
// answers 0 for it, as a module that does not know them would.
void SetRenderModuleAnswers(bool answers);

}  // namespace nirasim
