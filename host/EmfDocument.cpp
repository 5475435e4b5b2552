#include "host/EmfDocument.h"

#include <nirasim/Emf.h>
#include <nirasim/Machine.h>

#include <string>
#include <vector>

namespace {

constexpr double kLetterWidthInches = 8.5;
constexpr double kLetterHeightInches = 11.0;
// Which of the seven segments (top, top right, bottom right, bottom, bottom left, top left, middle)
// each digit lights.
constexpr unsigned char kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void AddBar(nirasim::EmfRecorder& page, int left, int top, int right, int bottom)
{
    page.Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

// One digit in a box of w x h at (x, y), with strokes of thickness t.
void AddDigit(nirasim::EmfRecorder& page, int digit, int x, int y, int w, int h, int t)
{
    unsigned char lit = kSegments[digit];
    int middle = y + h / 2;
    const int bars[7][4] = {
        {x, y, x + w, y + t},                       // top
        {x + w - t, y, x + w, middle},              // top right
        {x + w - t, middle, x + w, y + h},          // bottom right
        {x, y + h - t, x + w, y + h},               // bottom
        {x, middle, x + t, y + h},                  // bottom left
        {x, y, x + t, middle},                      // top left
        {x, middle - t / 2, x + w, middle + t / 2}  // middle
    };
    for (int s = 0; s < 7; ++s) {
        if ((lit & (1 << s)) != 0) {
            AddBar(page, bars[s][0], bars[s][1], bars[s][2], bars[s][3]);
        }
    }
}

std::string NumberedPage(int number, int width, int height)
{
    nirasim::EmfRecorder page(width, height);
    int margin = width / 20;
    page.Rectangle({margin, margin, width - margin, height - margin});
    std::string digits = std::to_string(number);
    int digitWidth = width / 5;
    int digitHeight = height / 3;
    int gap = digitWidth / 4;
    int total = static_cast<int>(digits.size()) * (digitWidth + gap) - gap;
    int x = (width - total) / 2;
    for (char c : digits) {
        AddDigit(page, c - '0', x, height / 2, digitWidth, digitHeight, digitWidth / 6);
        x += digitWidth + gap;
    }
    int centre = width / 2;
    int tip = height / 8;
    int head = width / 8;
    page.Polygon({{centre, tip}, {centre + head, tip + head}, {centre - head, tip + head}});
    AddBar(page, centre - head / 3, tip + head, centre + head / 3, tip + 3 * head);
    return page.Finish();
}

}  // namespace

std::string NumberedDocument(int pages, int dpi, const std::string& devmode)
{
    int width = static_cast<int>(kLetterWidthInches * dpi);
    int height = static_cast<int>(kLetterHeightInches * dpi);
    std::vector<nirasim::SpoolPage> spooled;
    for (int i = 1; i <= pages; ++i) {
        nirasim::SpoolPage page;
        if (i == 1) {
            page.devmode.assign(devmode.begin(), devmode.end());
        }
        page.emf = NumberedPage(i, width, height);
        spooled.push_back(page);
    }
    return nirasim::EmfSpoolFile(nirasim::Wide("Numbered pages"), spooled);
}

nirasim::PrintJobSpec NumberedJob(const std::u16string& printer, int pages, int dpi,
                                  const std::string& devmode)
{
    nirasim::PrintJobSpec job;
    job.printer = printer;
    job.datatype = TEXT("NT EMF 1.006");
    job.documentName = TEXT("Numbered pages");
    job.devmode.assign(devmode.begin(), devmode.end());
    job.data = NumberedDocument(pages, dpi, devmode);
    return job;
}
