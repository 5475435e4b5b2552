// A machine with the preview library and the string-resource library copied in, and a job block
// of page records the tests shape.
#pragma once

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/PreviewRecords.h"

class PreviewFixture : public testing::Test {
protected:
    static constexpr const WCHAR* kPreviewLibrary = TEXT("C:\\driver\\niraprev.dll");
    static constexpr const WCHAR* kStringLibrary = TEXT("C:\\driver\\nirastr.dll");

    void SetUp() override
    {
        ASSERT_TRUE(m_machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/bin/niraprev.dll", kPreviewLibrary));
        ASSERT_TRUE(m_machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/nirastr.dll", kStringLibrary));
        m_module = LoadLibraryW(kPreviewLibrary);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { FreeLibrary(m_module); }

    PreviewJobBlock Block(LONG records, LONG copies = 1, LONG duplex = DMDUP_SIMPLEX, bool withStrings = true)
    {
        m_records.assign(static_cast<size_t>(records), PreviewPageRecord{});
        for (LONG i = 0; i < records; ++i) {
            m_records[i].paperSize = DMPAPER_LETTER;
            m_records[i].sheetWidth = 5100.0f;
            m_records[i].sheetHeight = 6600.0f;
            m_records[i].orientation = DMORIENT_PORTRAIT;
            m_records[i].next = i + 1 < records ? &m_records[i + 1] : nullptr;
        }
        PreviewJobBlock block = {};
        if (withStrings) {
            lstrcpynW(block.stringDllPath, kStringLibrary, 256);
        }
        lstrcpynW(block.printerName, TEXT("Sample Printer"), 256);
        lstrcpynW(block.documentName, TEXT("Report"), 256);
        block.jobId = 12;
        block.recordCount = records;
        block.copies = copies;
        block.collate = 1;
        block.duplex = duplex;
        block.scalePercent = 100;
        block.pagesPerSheet = 1;
        block.dpiX = block.dpiY = 300;
        block.pageRecords = records > 0 ? m_records.data() : nullptr;
        return block;
    }

    nirasim::Machine m_machine;
    HMODULE m_module = nullptr;
    std::vector<PreviewPageRecord> m_records;
};
