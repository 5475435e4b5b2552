// The Save As command: one dialog per sheet of every copy, each sheet drawn alone at the zoom
// into a file of the smallest depth; a cancelled dialog ends the command.
#include <gtest/gtest.h>

#include <commdlg.h>
#include <nirasim/CommonDialogs.h>
#include <nirasim/Machine.h>

#include <cstring>

#include "printpreviewer/SaveTarget.h"
#include "support/WString.h"

namespace {

class SaveTargetTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (size_t i = 0; i < 3; ++i) {
            m_records[i].orientation = DMORIENT_PORTRAIT;
            m_records[i].sheetWidth = 600;  // one inch by two
            m_records[i].sheetHeight = 1200;
            m_records[i].next = i < 2 ? &m_records[i + 1] : nullptr;
        }
        PreviewJobBlock block = {};
        block.jobId = 9;
        block.recordCount = 3;
        block.copies = 2;
        block.collate = 1;
        block.duplex = DMDUP_SIMPLEX;
        block.scalePercent = 100;
        block.pagesPerSheet = 1;
        block.pageRecords = m_records;
        m_document = CNiraPreviewDocument::Build(block);
    }
    void TearDown() override { delete m_document; }

    nirasim::Machine m_machine;
    PreviewPageRecord m_records[3] = {};
    CNiraPreviewDocument* m_document = nullptr;
};

}  // namespace

TEST_F(SaveTargetTest, EverySheetOfEveryCopyIsOffered)
{
    int answered = 0;
    nirasim::SetSaveFileScript([&](const nirasim::SaveFileDialog&) -> std::optional<std::u16string> {
        ++answered;
        return TEXT("C:\\saved\\sheet") + std::u16string(1, static_cast<char16_t>('0' + answered)) +
               TEXT(".bmp");
    });
    m_machine.WriteFile(TEXT("C:\\saved\\keep"), "");
    SavePagesAsBitmaps(*m_document, nullptr, 30);
    std::vector<nirasim::SaveFileDialog> dialogs = nirasim::SaveFileDialogs();
    ASSERT_EQ(dialogs.size(), 6u);
    EXPECT_EQ(dialogs[0].title, TEXT("Save Page 1 to Bitmap (30 dpi)"));
    EXPECT_EQ(dialogs[5].title, TEXT("Save Page 6 to Bitmap (30 dpi)"));
    EXPECT_EQ(dialogs[0].filter, (std::vector<std::u16string>{TEXT("Image Files (*.bmp)"), TEXT("*.bmp")}));
    EXPECT_EQ(dialogs[0].filterIndex, 1u);
    EXPECT_EQ(dialogs[0].defaultExtension, TEXT("bmp"));
    EXPECT_EQ(dialogs[0].flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY));
    // The missing page bitmaps leave white sheets of 30 x 60 pixels: 1 bit per pixel.
    std::string file;
    ASSERT_TRUE(m_machine.ReadFile(TEXT("C:\\saved\\sheet6.bmp"), file));
    LONG width = 0, height = 0;
    WORD bits = 0;
    std::memcpy(&width, &file[18], 4);
    std::memcpy(&height, &file[22], 4);
    std::memcpy(&bits, &file[28], 2);
    EXPECT_EQ(width, 30);
    EXPECT_EQ(height, 60);
    EXPECT_EQ(bits, 1);
    EXPECT_EQ(file.size(), 54u + 8 + 60 * 4);
}

TEST_F(SaveTargetTest, ACancelAtTheSecondSheetKeepsTheFirstFile)
{
    int asked = 0;
    nirasim::SetSaveFileScript([&](const nirasim::SaveFileDialog&) -> std::optional<std::u16string> {
        return ++asked == 1 ? std::optional<std::u16string>(TEXT("C:\\first.bmp")) : std::nullopt;
    });
    SavePagesAsBitmaps(*m_document, nullptr, 30);
    EXPECT_EQ(nirasim::SaveFileDialogs().size(), 2u);
    EXPECT_TRUE(m_machine.FileExists(TEXT("C:\\first.bmp")));
}

TEST_F(SaveTargetTest, AFileThatCannotBeWrittenIsReportedAndTheNextOffered)
{
    nirasim::SetSaveFileScript([&](const nirasim::SaveFileDialog& dialog) -> std::optional<std::u16string> {
        if (dialog.title == TEXT("Save Page 1 to Bitmap (30 dpi)")) {
            return TEXT("Q:\\no\\such\\folder.bmp");
        }
        return std::nullopt;
    });
    SavePagesAsBitmaps(*m_document, nullptr, 30);
    EXPECT_EQ(nirasim::SaveFileDialogs().size(), 2u);
    std::vector<nirasim::MessageBoxCall> boxes = m_machine.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, TEXT("zq preview"));
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_NE(boxes[0].text.find(TEXT("path")), std::u16string::npos);
}
