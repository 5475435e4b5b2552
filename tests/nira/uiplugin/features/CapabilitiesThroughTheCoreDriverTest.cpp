// Every DeviceCapabilities index the feature handlers answer, asked of a fresh plug-in object as the
// simulated core driver asks it on the sample printer: the count without an output buffer, then
// the contents.
#include <gtest/gtest.h>

#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>

#include <windows.h>
#include <winspool.h>

#include <printoem.h>

#include <memory>
#include <vector>

#include "support/WString.h"

namespace {

constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");

class CapabilitiesThroughTheCoreDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
    }

    // The count, then the contents in entries of `Entry`, each asked of a new plug-in object.
    template <class Entry>
    std::vector<Entry> Ask(WORD capability, size_t entrySize = sizeof(Entry))
    {
        DWORD count = Call(capability, nullptr);
        std::vector<Entry> entries(count * entrySize / sizeof(Entry));
        DWORD filled = Call(capability, entries.data());
        EXPECT_EQ(filled, count) << capability;
        return entries;
    }
    DWORD Call(WORD capability, void* output)
    {
        nirasim::CoreDriver driver(kPrinter);
        EXPECT_TRUE(driver.IsOpen());
        DWORD result = 0;
        HRESULT answer = driver->Plugin()->DeviceCapabilities(nullptr, driver->Printer(), nullptr, capability,
                                                              output, nullptr, nullptr, 0, &result);
        EXPECT_TRUE(SUCCEEDED(answer)) << capability;
        return result;
    }
    static std::vector<WString> Names(const std::vector<WCHAR>& names, size_t chars)
    {
        std::vector<WString> texts;
        for (size_t at = 0; at + chars <= names.size(); at += chars) {
            texts.emplace_back(&names[at]);
        }
        return texts;
    }

    nirasim::Machine machine;
};

}  // namespace

TEST_F(CapabilitiesThroughTheCoreDriverTest, PapersAndTheirSizesAndNames)
{
    std::vector<WORD> papers = Ask<WORD>(DC_PAPERS);
    ASSERT_EQ(papers.size(), 14u);
    EXPECT_EQ(papers[3], 9);  // A4
    std::vector<POINT> sizes = Ask<POINT>(DC_PAPERSIZE);
    ASSERT_EQ(sizes.size(), 14u);
    EXPECT_EQ(sizes[0].x, 2159);
    EXPECT_EQ(sizes[0].y, 2794);
    std::vector<WCHAR> names = Ask<WCHAR>(DC_PAPERNAMES, 64 * sizeof(WCHAR));
    EXPECT_EQ(Names(names, 64)[3], TEXT("A4 (210 x 297 mm)"));
}

// The feature handlers read their tables on the capability reader's copy of the database: a
// plug-in object with its driver state keeps one temporary copy, not one for each reader.
TEST_F(CapabilitiesThroughTheCoreDriverTest, APluginObjectReadsOneCopyOfTheDatabase)
{
    nirasim::CoreDriver driver(kPrinter);
    std::vector<WORD> papers(14);
    DWORD filled = 0;
    driver->Plugin()->DeviceCapabilities(nullptr, driver->Printer(), nullptr, DC_PAPERS, papers.data(),
                                         nullptr, nullptr, 0, &filled);
    EXPECT_EQ(filled, 14u);
    WCHAR pattern[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, pattern), 0u);
    WString search = WString(pattern) + TEXT("*.tmp.vdf");
    WIN32_FIND_DATAW found = {};
    HANDLE walk = FindFirstFileW(search.c_str(), &found);
    ASSERT_NE(walk, INVALID_HANDLE_VALUE);
    int copies = 1;
    while (FindNextFileW(walk, &found)) {
        ++copies;
    }
    FindClose(walk);
    EXPECT_EQ(copies, 1);
}

TEST_F(CapabilitiesThroughTheCoreDriverTest, MediaBinsAndResolutions)
{
    std::vector<DWORD> media = Ask<DWORD>(DC_MEDIATYPES);
    ASSERT_EQ(media.size(), 10u);
    EXPECT_EQ(media[0], 256u);
    EXPECT_EQ(media[9], 265u);
    std::vector<WCHAR> mediaNames = Ask<WCHAR>(DC_MEDIATYPENAMES, 64 * sizeof(WCHAR));
    EXPECT_EQ(Names(mediaNames, 64)[3], TEXT("Photo paper, glossy"));

    EXPECT_EQ(Ask<WORD>(DC_BINS), (std::vector<WORD>{7, 1, 9, 4}));
    std::vector<WCHAR> binNames = Ask<WCHAR>(DC_BINNAMES, 24 * sizeof(WCHAR));
    EXPECT_EQ(Names(binNames, 24), (std::vector<WString>{TEXT("Automatically select"), TEXT("Main tray"),
                                                         TEXT("Tray 2"), TEXT("Rear manual feed")}));

    std::vector<LONG> resolutions = Ask<LONG>(DC_ENUMRESOLUTIONS, 2 * sizeof(LONG));
    EXPECT_EQ(resolutions, (std::vector<LONG>{300, 300, 600, 600, 1200, 1200}));
}

TEST_F(CapabilitiesThroughTheCoreDriverTest, DuplexCopiesAndCollation)
{
    EXPECT_EQ(Call(DC_DUPLEX, nullptr), 1u);
    EXPECT_EQ(Call(DC_COPIES, nullptr), 999u);
    EXPECT_EQ(Call(DC_COLLATE, nullptr), 1u);
}
