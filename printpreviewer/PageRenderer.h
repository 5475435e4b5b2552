// Draws one page bitmap file, as the render module wrote it for one printed sheet side, into a
// rectangle of a device context: the picture turned upright where the stored sheet was turned for
// the printer, and stretched over the rectangle.
#pragma once

#include <windows.h>

#include "printpreviewer/PreviewDocument.h"

struct PageDrawing {
    HDC target;
    RECT destination;  // the page picture's rectangle on the target
    LPCWSTR path;      // the page bitmap file
    LONG fileCounter;  // g of the display step: which record describes the file
};

// The record the g-th page bitmap belongs to (counted from 1, the first for 0 and 1); the walk
// stops at the list's end. Null without records.
const PreviewPageRecord* RecordOfFile(const PreviewPageRecord* first, LONG fileCounter);

// Writes the file's record's orientation into the document's page setup, then draws the picture;
// a file that cannot be used leaves the destination as it was.
void DrawPageBitmap(CNiraPreviewDocument& document, const PageDrawing& drawing);
