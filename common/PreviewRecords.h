// The preview hand-off records: the print processor describes a job and its preview sheets in a
// PreviewJobBlock followed by PreviewPageRecords; the preview window and the job-dialog library
// read them. Every build exchanges them only with libraries of the same build, so the layouts are
// natural; the x64 offsets are pinned below (the i386 ones follow from the 4-byte pointers).
#pragma once

#include <windows.h>

#include <cstddef>

constexpr size_t kPreviewTextChars = 256;
// The most sheets one asynchronous preview request carries.
constexpr LONG kMaxPreviewRecords = 8000;

struct PreviewPageRecord {
    INT paperSize;
    FLOAT sheetWidth;
    FLOAT sheetHeight;
    FLOAT bitmapWidth;
    FLOAT bitmapHeight;
    FLOAT offsetY;
    FLOAT offsetX;
    INT orientation;
    PreviewPageRecord* next;
    void* reserved[2];
};

struct PreviewJobBlock {
    WCHAR stringDllPath[kPreviewTextChars];
    BYTE reserved512[512];
    DWORD jobId;
    WCHAR printerName[kPreviewTextChars];
    WCHAR documentName[kPreviewTextChars];
    BYTE reserved2052[204];
    LONG recordCount;
    LONG pageSettingsWord;
    LONG reserved2264;
    LONG layoutKind;
    LONG pageBorders;
    LONG reserved2276;
    LONG copies;
    LONG collate;
    LONG duplex;
    LONG jobSettings1672;
    LONG color;
    LONG pagesPerSheet;
    LONG flipShortEdge;
    LONG flipLongEdge;
    LONG scalePercent;
    LONG reserved2316;
    LONG expandToEdges;
    LONG reserved2324[2];
    LONG booklet;
    LONG posterTileCount;
    LONG fitToPaper;
    LONG fitScales;
    LONG dpiX;
    LONG dpiY;
    LONG reserved2356;
    LONG posterTilesPerSide;
    LONG bannerForm;
    LONG reserved2368;
    LONG jobSettings1868;
    PreviewPageRecord* pageRecords;
    BYTE reserved2384[64];
    LONG colorToolEnabled;
    LONG colorToolEnabled2;
    WCHAR colorToolArgument[kPreviewTextChars];
};

#if defined(_WIN64) || defined(__x86_64__)
static_assert(sizeof(PreviewPageRecord) == 56, "preview page record layout");
static_assert(offsetof(PreviewPageRecord, orientation) == 28, "preview page record layout");
static_assert(offsetof(PreviewPageRecord, next) == 32, "preview page record layout");
static_assert(sizeof(PreviewJobBlock) == 2968, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, jobId) == 1024, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, printerName) == 1028, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, documentName) == 1540, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, recordCount) == 2256, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, layoutKind) == 2268, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, copies) == 2280, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, pagesPerSheet) == 2300, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, expandToEdges) == 2320, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, booklet) == 2332, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, dpiX) == 2348, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, posterTilesPerSide) == 2360, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, jobSettings1868) == 2372, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, pageRecords) == 2376, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, colorToolEnabled) == 2448, "preview job block layout");
static_assert(offsetof(PreviewJobBlock, colorToolArgument) == 2456, "preview job block layout");
#endif
