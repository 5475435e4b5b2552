// What the preview window shows: one page per preview sheet of the job, the job words that decide
// how the sheets are arranged on the screen (copies, collation, two-sided binding, scaling), and
// the rule that names the page bitmap file of every display slot.
#pragma once

#include <windows.h>

#include "common/PreviewRecords.h"
#include "nira/uiplugin/foundation/containers/NiraChunkArray.h"

// The job as the preview shows it; one record per process, overwritten by every document built.
struct PreviewDocumentHeader {
    LONG dpiX;
    LONG dpiY;
    LONG recordCount;
    WCHAR printerName[kPreviewTextChars];
    WCHAR documentName[kPreviewTextChars];
};

// The page setup the pages share; the build leaves the last record's values in it, and the page
// renderer writes into it the orientation of each bitmap it draws.
struct PreviewPageSetup {
    LONG recordSize;
    LONG orientation;
    LONG paperSize;
    LONG wordOne;
    LONG wordTwo;
    double sheetWidth;
    double sheetHeight;
    double offsetY;
    double offsetX;
};

// One preview sheet; sizes are in 600-dots-per-inch units.
struct PreviewPage {
    void* globalBlocks;
    PreviewDocumentHeader* header;
    PreviewPageSetup* setup;
    LONG defaultWidth;
    LONG defaultHeight;
    LONG sheetWidth;
    LONG sheetHeight;
    LONG dpiX;
    LONG dpiY;
};

// How two-sided sheets stand on the screen.
enum class PreviewBinding {
    kNone,  // one-sided
    kSide,  // facing sheets side by side
    kTop,   // the back under the front
};

// One step of the display sequence: which page goes into which slot, with which file.
struct PreviewDisplayStep {
    LONG pageIndex;
    LONG sheetCounter;
    LONG slot;
    LONG bindingCode;  // binding marks: 0 none; 1 left, 2 right, 3 top, 4 bottom; +16 for the cover
    LONG fileCounter;
    LONG fileNumber;
};

// Where the display pass places its sheets: the canvas or the save command's bitmap.
class INiraPreviewTarget {
public:
    virtual ~INiraPreviewTarget() = default;
    virtual LONG Columns() const = 0;
    // Places and draws one sheet; false ends the display pass (a save was cancelled).
    virtual bool PlaceSheet(class CNiraPreviewDocument& document, const PreviewDisplayStep& step) = 0;
};

class CNiraPreviewDocument {
public:
    static constexpr LONG kUnitsPerInch = 600;

    // The document and one page per record of the block; null when the document itself cannot
    // be had. Pages that cannot be had end the build: the page count covers the pages stored.
    static CNiraPreviewDocument* Build(const PreviewJobBlock& block);
    virtual ~CNiraPreviewDocument();
    CNiraPreviewDocument(const CNiraPreviewDocument&) = delete;
    CNiraPreviewDocument& operator=(const CNiraPreviewDocument&) = delete;

    // Sheets per copy.
    LONG SheetCount() const;
    // Slots of all copies; with withBinding, the empty slot before each copy of a bound job.
    LONG SlotCount(bool withBinding) const;
    // The largest sheet width and the largest sheet height (each taken on its own).
    SIZE GetMaxSheetSize() const;
    PreviewPage* PageAt(LONG index);
    PreviewBinding Binding() const;
    // Walks the display sequence, placing every slot on the target, until the target ends it.
    void RenderPages(INiraPreviewTarget& target);
    // The file number of a display step: which page bitmap the slot shows.
    LONG FileNumberOf(LONG slot, LONG fileCounter) const;
    // "[j<job>]-[p<number>].bmp" in the user's local application-data folder; false when the
    // folder cannot be had or the path does not fit.
    bool PageFilePath(LONG fileNumber, LPWSTR path, size_t chars) const;
    // Deletes the page bitmap files of every copy of every record (missing ones skipped).
    void DeletePageFiles() const;

    PreviewPageSetup& PageSetup() { return *m_setup; }
    const PreviewDocumentHeader& Header() const { return *m_header; }
    LONG Copies() const { return m_copies; }
    LONG Duplex() const { return m_duplex; }
    LONG ScalePercent() const { return m_scalePercent; }
    LONG PagesPerSheet() const { return m_pagesPerSheet; }
    LONG PageSettingsWord() const { return m_pageSettingsWord; }
    LONG JobSettings1672() const { return m_jobSettings1672; }
    LONG JobSettings1868() const { return m_jobSettings1868; }
    LONG FlipShortEdge() const { return m_flipShortEdge; }
    LONG FlipLongEdge() const { return m_flipLongEdge; }
    LONG Booklet() const { return m_booklet; }
    FLOAT OffsetX() const { return m_offsetX; }
    FLOAT OffsetY() const { return m_offsetY; }
    const PreviewPageRecord* Records() const { return m_records; }

private:
    CNiraPreviewDocument() = default;
    void TakeBlock(const PreviewJobBlock& block);
    bool AddPage(const PreviewPageRecord& record);
    PreviewDisplayStep StepOf(LONG n, LONG columns, LONG& sheetCounter, LONG& fileCounter) const;

    PreviewDocumentHeader* m_header = nullptr;
    PreviewPageSetup* m_setup = nullptr;
    LONG m_layoutKind = 0;
    LONG m_recordCount = 0;
    LONG m_pageCount = 0;
    LONG m_flipShortEdge = 0;
    LONG m_flipLongEdge = 0;
    LONG m_copies = 1;
    LONG m_collate = 0;
    LONG m_duplex = 1;
    LONG m_scalePercent = 100;
    LONG m_booklet = 0;
    LONG m_bannerForm = 0;
    LONG m_pagesPerSheet = 1;
    LONG m_pageSettingsWord = 0;
    LONG m_jobSettings1672 = 0;
    LONG m_jobSettings1868 = 0;
    DWORD m_jobId = 0;
    LONG m_colorToolEnabled = 0;
    FLOAT m_offsetX = 0;
    FLOAT m_offsetY = 0;
    const PreviewPageRecord* m_records = nullptr;
    CNiraChunkArray<PreviewPage*> m_pages;
};
