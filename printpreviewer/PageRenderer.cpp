#include "printpreviewer/PageRenderer.h"

#include "printpreviewer/PageBitmapReader.h"
#include "printpreviewer/PageTurn.h"
#include "printpreviewer/PaletteDisplay.h"
#include "printpreviewer/PictureMapping.h"

#include <cstring>

namespace {

PageTurnWords TurnWordsOf(const CNiraPreviewDocument& document, LONG orientation, LONG fileCounter)
{
    return {orientation,
            document.PagesPerSheet(),
            document.PageSettingsWord(),
            document.FlipShortEdge(),
            document.FlipLongEdge(),
            document.JobSettings1868(),
            document.JobSettings1672(),
            document.Duplex(),
            document.Booklet(),
            fileCounter};
}

// The picture as a DIB section compatible with the target; null when it cannot be had.
HBITMAP PictureSection(HDC target, const PageBitmap& picture)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.topDown ? -picture.height : picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(picture.bytesPerPixel * 8);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr) {
            DeleteObject(section);
        }
        return nullptr;
    }
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
    GdiFlush();
    return section;
}

// The picture is stretched over the whole window of the mapping, which the viewport puts on the
// destination.
void DrawMapped(HDC target, const RECT& destination, HDC memory, const PageBitmap& picture)
{
    CNiraPictureMapping mapping(target, destination, picture.width, picture.height);
    if (mapping.Ready()) {
        StretchBlt(target, 0, 0, picture.width, picture.height, memory, 0, 0, picture.width, picture.height,
                   SRCCOPY);
    }
}

void StretchPicture(HDC target, const RECT& destination, const PageBitmap& picture)
{
    HBITMAP section = PictureSection(target, picture);
    HDC memory = section != nullptr ? CreateCompatibleDC(target) : nullptr;
    if (memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, section);
        // Palette displays get the better (and slower) shrinking.
        int mode = SetStretchBltMode(target, IsPaletteDevice(target) ? HALFTONE : COLORONCOLOR);
        DrawMapped(target, destination, memory, picture);
        if (mode != 0) {
            SetStretchBltMode(target, mode);
        }
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    if (section != nullptr) {
        DeleteObject(section);
    }
}

}  // namespace

const PreviewPageRecord* RecordOfFile(const PreviewPageRecord* first, LONG fileCounter)
{
    const PreviewPageRecord* record = first;
    for (LONG k = 2; record != nullptr && k <= fileCounter && record->next != nullptr; ++k) {
        record = record->next;
    }
    return record;
}

void DrawPageBitmap(CNiraPreviewDocument& document, const PageDrawing& drawing)
{
    PageBitmap picture;
    bool read = ReadPageBitmap(drawing.path, picture);
    const PreviewPageRecord* record = RecordOfFile(document.Records(), drawing.fileCounter);
    if (record != nullptr) {
        document.PageSetup().orientation = record->orientation;
    }
    PageBitmap turned;
    if (!read || !TurnPicture(picture,
                              ChoosePageTurn(TurnWordsOf(document, document.PageSetup().orientation,
                                                         drawing.fileCounter)),
                              turned)) {
        return;
    }
    StretchPicture(drawing.target, drawing.destination, turned);
}
