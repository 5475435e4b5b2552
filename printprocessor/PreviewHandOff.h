// The preview hand-off at the end of an EMF job's preview pass: the job and its preview sheets
// are described in a PreviewJobBlock with its page records, and the user sees the preview before
// anything prints — inside the spooler through the preview library on Windows 5.x, through the
// print-UI host in the user's session from Windows 6 on.
#pragma once

#include <windows.h>

#include "common/PreviewRecords.h"
#include "printprocessor/EmfJob.h"

// Page bitmaps the render module writes: "[j<job>]-[p<sheet>].bmp" in the spooler's temporary
// folder, one per preview sheet.
constexpr size_t kPageBitmapNameChars = 256;

// The preview of the pass that just ended; true lets the printing pass run.
bool RequestPrintPreview(CNiraEmfJob& job);

// The number of preview sheets: booklet sheets, poster tiles chosen times pages, or sheets of
// pages per sheet.
LONG CountPreviewRecords(const CNiraEmfJob& job);
// posterSize 1, 2, 3 give 3, 4, 5 tiles a side; anything else 2.
LONG PosterTilesPerSide(LONG posterSize);
// The job's fields of the block (everything but the string-library path and the records); a
// job DEVMODE without dmDuplex is given one-sided printing.
void FillPreviewBlock(CNiraEmfJob& job, PreviewJobBlock& block);
// One record per preview sheet, linked from block.pageRecords; the DC is left on page 1's
// DEVMODE. Records made before a page DEVMODE went missing stay.
void BuildPreviewPageRecords(CNiraEmfJob& job, PreviewJobBlock& block);
void FreePreviewPageRecords(PreviewPageRecord* first);
// The bitmap size of a preview sheet from its file's headers; width and height stay as they were
// when the file cannot be read or is not a bitmap.
void ReadBitmapSize(DWORD jobId, LONG sheet, FLOAT* width, FLOAT* height);

// The Windows 5.x road: the preview library's BDisplayZQPrintPreview inside the spooler.
bool ShowPreviewInProcess(const PreviewJobBlock& block);
// The Windows 6 road: the block and its records behind an asynchronous print-UI request. A
// printer without a PRINTER_INFO_4, or a request buffer that cannot be had, prints without a
// preview.
bool SendPreviewRequest(const CNiraEmfJob& job, PreviewJobBlock& block);
