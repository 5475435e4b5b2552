// The preview document: pages from the job's records, the display sequence of slots and page
// files, and the page files' names.
#include <gtest/gtest.h>

#include <vector>

#include "printpreviewer/PreviewDocument.h"
#include "support/WString.h"

namespace {

// Records the display steps a document walks.
class StepRecorder : public INiraPreviewTarget {
public:
    explicit StepRecorder(LONG columns = 4, LONG stopAfter = -1) : m_columns(columns), m_stopAfter(stopAfter)
    {}
    LONG Columns() const override { return m_columns; }
    bool PlaceSheet(CNiraPreviewDocument&, const PreviewDisplayStep& step) override
    {
        steps.push_back(step);
        return m_stopAfter < 0 || static_cast<LONG>(steps.size()) < m_stopAfter;
    }
    std::vector<LONG> Of(LONG PreviewDisplayStep::*field) const
    {
        std::vector<LONG> values;
        for (const PreviewDisplayStep& step : steps) {
            values.push_back(step.*field);
        }
        return values;
    }
    std::vector<PreviewDisplayStep> steps;

private:
    LONG m_columns;
    LONG m_stopAfter;
};

class PreviewDocumentTest : public testing::Test {
protected:
    PreviewJobBlock Block(LONG records, LONG copies = 1, LONG collate = 0, LONG duplex = DMDUP_SIMPLEX)
    {
        m_records.assign(static_cast<size_t>(records), PreviewPageRecord{});
        for (LONG i = 0; i < records; ++i) {
            m_records[i].paperSize = DMPAPER_LETTER;
            m_records[i].sheetWidth = 5100.0f + i;
            m_records[i].sheetHeight = 6600.0f - i;
            m_records[i].orientation = DMORIENT_PORTRAIT;
            m_records[i].next = i + 1 < records ? &m_records[i + 1] : nullptr;
        }
        PreviewJobBlock block = {};
        block.jobId = 7;
        block.recordCount = records;
        block.copies = copies;
        block.collate = collate;
        block.duplex = duplex;
        block.scalePercent = 100;
        block.pagesPerSheet = 1;
        block.dpiX = block.dpiY = 300;
        block.pageRecords = records > 0 ? m_records.data() : nullptr;
        return block;
    }
    std::vector<PreviewPageRecord> m_records;
};

}  // namespace

TEST_F(PreviewDocumentTest, CopiesShowTheLastFileFirst)
{
    CNiraPreviewDocument* document = CNiraPreviewDocument::Build(Block(3, 2, 1));
    ASSERT_NE(document, nullptr);
    StepRecorder collated;
    document->RenderPages(collated);
    EXPECT_EQ(collated.Of(&PreviewDisplayStep::slot), (std::vector<LONG>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(collated.Of(&PreviewDisplayStep::fileNumber), (std::vector<LONG>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(collated.Of(&PreviewDisplayStep::pageIndex), (std::vector<LONG>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(document->SlotCount(true), 6);
    delete document;

    document = CNiraPreviewDocument::Build(Block(3, 2, 0));
    StepRecorder uncollated;
    document->RenderPages(uncollated);
    EXPECT_EQ(uncollated.Of(&PreviewDisplayStep::pageIndex), (std::vector<LONG>{0, 0, 1, 1, 2, 2}));
    delete document;
}

TEST_F(PreviewDocumentTest, BindingLeavesRoomBeforeTheFirstSheet)
{
    // Two-sided portrait with the long-edge binding: facing sheets, the first on the right.
    CNiraPreviewDocument* document = CNiraPreviewDocument::Build(Block(3, 1, 0, DMDUP_VERTICAL));
    EXPECT_EQ(document->Binding(), PreviewBinding::kSide);
    StepRecorder side;
    document->RenderPages(side);
    EXPECT_EQ(side.Of(&PreviewDisplayStep::slot), (std::vector<LONG>{1, 2, 3}));
    EXPECT_EQ(side.Of(&PreviewDisplayStep::bindingCode), (std::vector<LONG>{16 + 1, 2, 1}));
    EXPECT_EQ(document->SlotCount(true), 4);
    EXPECT_EQ(document->SlotCount(false), 3);
    delete document;

    // A booklet is shown two-sided with the back under the front and no empty slot.
    PreviewJobBlock booklet = Block(4);
    booklet.booklet = 1;
    document = CNiraPreviewDocument::Build(booklet);
    EXPECT_EQ(document->Binding(), PreviewBinding::kTop);
    StepRecorder top(2);
    document->RenderPages(top);
    EXPECT_EQ(top.Of(&PreviewDisplayStep::sheetCounter), (std::vector<LONG>{0, 1, 2, 3}));
    EXPECT_EQ(top.Of(&PreviewDisplayStep::slot), (std::vector<LONG>{0, 2, 1, 3}));
    delete document;
}

TEST_F(PreviewDocumentTest, PagesComeFromTheRecords)
{
    CNiraPreviewDocument* document = CNiraPreviewDocument::Build(Block(101));
    EXPECT_EQ(document->SheetCount(), 101);
    ASSERT_NE(document->PageAt(100), nullptr);  // the 101st page lies in a chunk of its own
    EXPECT_EQ(document->PageAt(100)->sheetWidth, 5200);
    EXPECT_EQ(document->PageAt(101), nullptr);
    SIZE largest = document->GetMaxSheetSize();
    EXPECT_EQ(largest.cx, 5200);
    EXPECT_EQ(largest.cy, 6600);
    EXPECT_EQ(document->PageSetup().sheetWidth, 5200.0);  // the last record's values
    delete document;

    // A list shorter than its count repeats its last record; no list, no pages.
    PreviewJobBlock shortList = Block(2);
    shortList.recordCount = 4;
    document = CNiraPreviewDocument::Build(shortList);
    EXPECT_EQ(document->SheetCount(), 4);
    EXPECT_EQ(document->PageAt(3)->sheetWidth, 5101);
    delete document;
    document = CNiraPreviewDocument::Build(Block(0));
    StepRecorder none;
    document->RenderPages(none);
    EXPECT_TRUE(none.steps.empty());
    delete document;
}

TEST_F(PreviewDocumentTest, ACancelledSaveEndsThePass)
{
    CNiraPreviewDocument* document = CNiraPreviewDocument::Build(Block(3, 2, 1));
    StepRecorder stops(4, 2);
    document->RenderPages(stops);
    EXPECT_EQ(stops.steps.size(), 2u);
    delete document;
}

TEST_F(PreviewDocumentTest, PageFilesLieInTheLocalApplicationDataFolder)
{
    CNiraPreviewDocument* document = CNiraPreviewDocument::Build(Block(3, 2, 1));
    WCHAR path[256] = {};
    ASSERT_TRUE(document->PageFilePath(6, path, 256));
    WString text(path);
    EXPECT_NE(text.find(TEXT("\\AppData\\Local\\[j0007]-[p06].bmp")), WString::npos);
    std::vector<WString> files;
    for (LONG k = 1; k <= 6; ++k) {
        ASSERT_TRUE(document->PageFilePath(k, path, 256));
        HANDLE file =
            CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        files.push_back(path);
    }
    document->DeletePageFiles();
    for (const WString& file : files) {
        EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    delete document;
}
