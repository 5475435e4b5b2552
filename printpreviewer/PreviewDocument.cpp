#include "printpreviewer/PreviewDocument.h"

#include <shlobj.h>
#include <strsafe.h>

#include "common/SafeString.h"
#include "printpreviewer/SheetMarks.h"

#include <new>

namespace {

constexpr LONG kPageSetupRecordSize = 56;
constexpr double kDefaultSheetWidthInches = 8.5;
constexpr double kDefaultSheetHeightInches = 11.0;
constexpr double kDefaultOffsetYInches = 0.12;
constexpr double kDefaultOffsetXInches = 0.5;
constexpr LONG kDefaultPageWidth = 5100;  // 8.5 x 11 inches at 600 dots per inch
constexpr LONG kDefaultPageHeight = 6600;
constexpr LONG kBookletDuplex = 3;
constexpr size_t kPagePathChars = 256;
const WCHAR kPageFileFormat[] = TEXT("[j%04d]-[p%02d].bmp");
const WCHAR kPathFormat[] = TEXT("%s\\%s");
// Sheet sizes come from another process: anything beyond this is not a sheet.
constexpr FLOAT kLargestSheet = 1.0e6f;

PreviewDocumentHeader& ProcessHeader()
{
    static PreviewDocumentHeader header;
    return header;
}

PreviewPageSetup& ProcessPageSetup()
{
    static PreviewPageSetup setup;
    return setup;
}

LONG Truncate(FLOAT value)
{
    if (!(value > 0)) {
        return 0;
    }
    return static_cast<LONG>(value < kLargestSheet ? value : kLargestSheet);
}

void CopyText(WCHAR (&field)[kPreviewTextChars], const WCHAR (&text)[kPreviewTextChars])
{
    CopyStringSafeN(field, kPreviewTextChars, text, kPreviewTextChars - 1);
}

}  // namespace

CNiraPreviewDocument* CNiraPreviewDocument::Build(const PreviewJobBlock& block)
{
    auto* document = new (std::nothrow) CNiraPreviewDocument;
    if (document == nullptr) {
        return nullptr;
    }
    document->TakeBlock(block);
    const PreviewPageRecord* record = block.pageRecords;
    for (LONG i = 0; record != nullptr && i < block.recordCount; ++i) {
        if (!document->AddPage(*record)) {
            break;
        }
        // A list shorter than its count repeats its last record.
        record = record->next != nullptr ? record->next : record;
    }
    return document;
}

void CNiraPreviewDocument::TakeBlock(const PreviewJobBlock& block)
{
    m_header = &ProcessHeader();
    m_setup = &ProcessPageSetup();
    *m_setup = {kPageSetupRecordSize,
                DMORIENT_PORTRAIT,
                DMPAPER_LETTER,
                1,
                1,
                kDefaultSheetWidthInches,
                kDefaultSheetHeightInches,
                kDefaultOffsetYInches,
                kDefaultOffsetXInches};
    m_header->dpiX = block.dpiX;
    m_header->dpiY = block.dpiY;
    m_header->recordCount = block.recordCount;
    CopyText(m_header->printerName, block.printerName);
    CopyText(m_header->documentName, block.documentName);
    m_layoutKind = block.layoutKind;
    m_recordCount = block.recordCount;
    m_flipShortEdge = block.flipShortEdge;
    m_flipLongEdge = block.flipLongEdge;
    m_copies = block.copies;
    m_collate = block.collate;
    m_duplex = block.booklet != 0 ? kBookletDuplex : block.duplex;
    m_scalePercent = block.scalePercent;
    m_booklet = block.booklet;
    m_bannerForm = block.bannerForm;
    m_pagesPerSheet = block.pagesPerSheet;
    m_pageSettingsWord = block.pageSettingsWord;
    m_jobSettings1672 = block.jobSettings1672;
    m_jobSettings1868 = block.jobSettings1868;
    m_jobId = block.jobId;
    m_colorToolEnabled = block.colorToolEnabled2;
    m_records = block.pageRecords;
    if (block.pageRecords != nullptr) {
        m_offsetY = block.pageRecords->offsetY;
        m_offsetX = block.pageRecords->offsetX;
    }
}

bool CNiraPreviewDocument::AddPage(const PreviewPageRecord& record)
{
    auto* page = new (std::nothrow) PreviewPage{nullptr,
                                                m_header,
                                                m_setup,
                                                kDefaultPageWidth,
                                                kDefaultPageHeight,
                                                Truncate(record.sheetWidth),
                                                Truncate(record.sheetHeight),
                                                m_header->dpiX,
                                                m_header->dpiY};
    if (page == nullptr) {
        return false;
    }
    if (!m_pages.Add(page)) {
        delete page;
        return false;
    }
    m_setup->orientation = record.orientation;
    m_setup->paperSize = record.paperSize;
    m_setup->sheetWidth = record.sheetWidth;
    m_setup->sheetHeight = record.sheetHeight;
    m_setup->offsetY = record.offsetY;
    m_setup->offsetX = record.offsetX;
    ++m_pageCount;
    return true;
}

CNiraPreviewDocument::~CNiraPreviewDocument()
{
    for (LONG i = 0; i < m_pageCount; ++i) {
        PreviewPage** page = m_pages.GetAt(i);
        if (page != nullptr) {
            delete *page;
        }
    }
}

LONG CNiraPreviewDocument::SheetCount() const
{
    return m_layoutKind == 0 ? m_pageCount : 0;
}

LONG CNiraPreviewDocument::SlotCount(bool withBinding) const
{
    LONG sheets = SheetCount();
    if (withBinding && Binding() != PreviewBinding::kNone) {
        sheets = (sheets + 2) / 2 * 2;
    }
    return sheets * (m_copies > 0 ? m_copies : 1);
}

SIZE CNiraPreviewDocument::GetMaxSheetSize() const
{
    SIZE largest = {0, 0};
    auto& pages = const_cast<CNiraChunkArray<PreviewPage*>&>(m_pages);
    for (LONG i = 0; i < m_pageCount; ++i) {
        const PreviewPage* page = *pages.GetAt(i);
        largest.cx = page->sheetWidth > largest.cx ? page->sheetWidth : largest.cx;
        largest.cy = page->sheetHeight > largest.cy ? page->sheetHeight : largest.cy;
    }
    return largest;
}

PreviewPage* CNiraPreviewDocument::PageAt(LONG index)
{
    PreviewPage** page = index >= 0 && index < m_pageCount ? m_pages.GetAt(index) : nullptr;
    return page != nullptr ? *page : nullptr;
}

PreviewBinding CNiraPreviewDocument::Binding() const
{
    bool portrait = m_setup->orientation == DMORIENT_PORTRAIT;
    if (m_duplex == DMDUP_SIMPLEX) {
        return PreviewBinding::kNone;
    }
    if ((portrait && m_duplex == DMDUP_VERTICAL) || (!portrait && m_duplex == DMDUP_HORIZONTAL)) {
        return PreviewBinding::kSide;
    }
    if ((portrait && m_duplex == DMDUP_HORIZONTAL) || (!portrait && m_duplex == DMDUP_VERTICAL)) {
        return PreviewBinding::kTop;
    }
    return PreviewBinding::kNone;
}

LONG CNiraPreviewDocument::FileNumberOf(LONG slot, LONG fileCounter) const
{
    if (m_flipLongEdge != 0) {
        return fileCounter;
    }
    if (m_flipShortEdge != 0) {
        return fileCounter + 1;
    }
    if (m_bannerForm == 1) {
        return slot + 1;
    }
    return (m_copies > 0 ? m_copies : 1) * m_pageCount - slot;
}

PreviewDisplayStep CNiraPreviewDocument::StepOf(LONG n, LONG columns, LONG& sheetCounter,
                                                LONG& fileCounter) const
{
    LONG copies = m_copies > 0 ? m_copies : 1;
    PreviewDisplayStep step = {};
    step.pageIndex = m_collate != 0 ? n % m_pageCount : n / copies;
    PreviewBinding binding = Binding();
    if (step.pageIndex == 0 && binding != PreviewBinding::kNone) {
        // The first sheet of every copy stands alone on the right (or below).
        sheetCounter += sheetCounter % 2;
        sheetCounter += m_booklet != 0 ? 0 : 1;
        fileCounter += m_flipLongEdge != 0 ? 1 : 0;
    }
    LONG s = sheetCounter;
    step.sheetCounter = s;
    step.slot = s;
    if (binding == PreviewBinding::kTop && columns > 0) {
        step.slot = (s / 2) % columns + columns * ((s % 2) + 2 * ((s / 2) / columns));
    }
    if (binding != PreviewBinding::kNone) {
        bool cover =
            (step.pageIndex == 0 && m_booklet == 0) || (step.pageIndex == m_pageCount - 1 && s % 2 == 0);
        bool side = binding == PreviewBinding::kSide;
        step.bindingCode = (cover ? kMarkCover : 0) +
                           (s % 2 != 0 ? (side ? kMarkLeft : kMarkTop) : (side ? kMarkRight : kMarkBottom));
    }
    step.fileCounter = fileCounter;
    step.fileNumber = FileNumberOf(step.slot, fileCounter);
    return step;
}

void CNiraPreviewDocument::RenderPages(INiraPreviewTarget& target)
{
    if (m_layoutKind != 0 || m_pageCount <= 0) {
        return;
    }
    LONG copies = m_copies > 0 ? m_copies : 1;
    LONG sheetCounter = 0;
    LONG fileCounter = 0;
    for (LONG n = 0; n < m_pageCount * copies; ++n) {
        PreviewDisplayStep step = StepOf(n, target.Columns(), sheetCounter, fileCounter);
        if (!target.PlaceSheet(*this, step)) {
            return;
        }
        ++sheetCounter;
        ++fileCounter;
    }
}

bool CNiraPreviewDocument::PageFilePath(LONG fileNumber, LPWSTR path, size_t chars) const
{
    WCHAR folder[MAX_PATH] = {};
    WCHAR name[kPagePathChars] = {};
    return path != nullptr && SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder)) &&
           SUCCEEDED(StringCchPrintfW(name, kPagePathChars, kPageFileFormat, m_jobId, fileNumber)) &&
           SUCCEEDED(StringCchPrintfW(path, chars < kPagePathChars ? chars : kPagePathChars, kPathFormat,
                                      folder, name));
}

void CNiraPreviewDocument::DeletePageFiles() const
{
    LONGLONG files =
        static_cast<LONGLONG>(m_copies > 0 ? m_copies : 1) * (m_recordCount > 0 ? m_recordCount : 0);
    for (LONGLONG k = 1; k <= files; ++k) {
        WCHAR path[kPagePathChars] = {};
        if (PageFilePath(static_cast<LONG>(k), path, kPagePathChars)) {
            DeleteFileW(path);
        }
    }
}
