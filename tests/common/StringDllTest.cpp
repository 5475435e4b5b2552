#include <windows.h>

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "package/nirastr/NiraStrTexts.h"

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include "support/WString.h"

namespace {

const WCHAR* const kLibrary = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\nirastr.dll");
const WCHAR* const kGermanOnly = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\strings_de.dll");

class StringDll : public ::testing::Test {
protected:
    nirasim::Machine machine;

    void SetUp() override
    {
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/nirastr.dll", kLibrary));
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simstrings_de.dll", kGermanOnly));
    }

    static WString Text(CNiraStringDll& strings, UINT id, DWORD size = 260, LONG* result = nullptr)
    {
        WString buffer(size, TEXT('#'));
        DWORD length = 0;
        LONG answer = strings.GetString(&id, buffer.data(), size, &length);
        if (result != nullptr) {
            *result = answer;
        }
        return answer == NIRA_STATUS_OK ? WString(buffer.c_str()) : WString();
    }
};

TEST_F(StringDll, TextsInTheUsersLanguage)
{
    struct Case {
        LANGID language;
        const WCHAR* text;
    } cases[] = {
        {0x0409, TEXT("Print Preview")}, {0x0407, TEXT("Druckvorschau")}, {0x0411, TEXT("印刷プレビュー")},
        {0x0C07, TEXT("Druckvorschau")},  // Austrian German: same primary language
        {0x040C, TEXT("Print Preview")},  // French: no French tables, US English
    };
    for (const Case& c : cases) {
        machine.SetUILanguage(c.language);
        CNiraStringDll strings(kLibrary);
        EXPECT_EQ(Text(strings, 4339), c.text) << std::hex << c.language;
    }
}

TEST_F(StringDll, EveryTextIsInEveryLanguage)
{
#define NIRASTR_ID(id, text) id,
    const UINT ids[] = {NIRASTR_TEXTS_ENGLISH(NIRASTR_ID)};
#undef NIRASTR_ID
    for (LANGID language : {0x0409, 0x0407, 0x0411}) {
        machine.SetUILanguage(language);
        CNiraStringDll strings(kLibrary);
        for (UINT id : ids) {
            EXPECT_NE(Text(strings, id), TEXT("")) << id << " in " << std::hex << language;
        }
    }
}

TEST_F(StringDll, FallbackFromAustrianToGerman)
{
    machine.SetUILanguage(0x0C07);
    CNiraStringDll strings(kGermanOnly);
    EXPECT_EQ(strings.GetLanguage(), 0x0C07);
    EXPECT_EQ(Text(strings, 17), TEXT("Siebzehn"));  // id 17: entry 1 of block 2
    EXPECT_EQ(strings.GetLanguage(), 0x0407);        // the choice is kept
    EXPECT_EQ(strings.GetUILanguage(), 0x0C07);
    EXPECT_EQ(Text(strings, 1), TEXT("Eins"));
}

TEST_F(StringDll, WithoutTheUsersLanguageOrUsEnglishTheLookupFails)
{
    machine.SetUILanguage(0x0411);
    CNiraStringDll strings(kGermanOnly);
    LONG result = 0;
    EXPECT_EQ(Text(strings, 17, 260, &result), TEXT(""));
    EXPECT_EQ(result, NIRA_STATUS_FAILED);
    EXPECT_EQ(strings.GetLanguage(), 1033);
}

TEST_F(StringDll, IdsEntriesAndBuffers)
{
    machine.SetUILanguage(0x0407);
    CNiraStringDll strings(kGermanOnly);
    WCHAR buffer[8] = {TEXT('x')};
    UINT zero = 0;
    EXPECT_EQ(strings.GetString(&zero, buffer, 8, nullptr), NIRA_STATUS_OK);
    EXPECT_EQ(buffer[0], 0);

    LONG result = 0;
    EXPECT_EQ(Text(strings, 2, 260, &result), TEXT(""));  // an empty entry cannot be found
    EXPECT_EQ(result, NIRA_STATUS_FAILED);
    EXPECT_EQ(Text(strings, 99, 260, &result), TEXT(""));  // no such block
    EXPECT_EQ(result, NIRA_STATUS_FAILED);
    EXPECT_EQ(Text(strings, 20, 5), TEXT("Zwan"));  // cut to the buffer, terminated

    UINT id = 20;
    DWORD length = 0;
    EXPECT_EQ(strings.GetString(&id, nullptr, 260, &length), NIRA_STATUS_FAILED);
    EXPECT_EQ(length, 7u);  // found, but nowhere to put it: its length
    UINT missing = 3;
    EXPECT_EQ(strings.GetString(&missing, buffer, 8, &length), NIRA_STATUS_FAILED);
    EXPECT_EQ(length, 8u);  // not found: the size passed in

    UINT wrapping = 0xFFFF0;  // its block number would wrap to 0
    EXPECT_EQ(strings.FindString(&wrapping, buffer, &length), NIRA_STATUS_FAILED);
}

TEST_F(StringDll, AnEntryRunningPastItsBlockEndsTheWalk)
{
    machine.SetUILanguage(0x0407);
    CNiraStringDll strings(kGermanOnly);
    for (UINT id : {32u, 33u, 47u}) {
        LONG result = 0;
        Text(strings, id, 260, &result);
        EXPECT_EQ(result, NIRA_STATUS_FAILED) << id;
    }
}

TEST_F(StringDll, AMissingLibraryFailsEveryLookup)
{
    CNiraStringDll strings(TEXT("C:\\nowhere\\nirastr.dll"));
    EXPECT_EQ(strings.GetModule(), nullptr);
    LONG result = 0;
    Text(strings, 4339, 260, &result);
    EXPECT_EQ(result, NIRA_STATUS_FAILED);
    CNiraStringDll none(nullptr);
    EXPECT_EQ(none.GetModule(), nullptr);
}

TEST_F(StringDll, TheSharedInstanceIsCounted)
{
    CNiraStringDll* out = nullptr;
    EXPECT_EQ(GetStringDll(&out), NIRA_STATUS_FAILED);
    CNiraStringDll* first = AcquireStringDll(kLibrary);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(AcquireStringDll(kGermanOnly), first);  // a later path is ignored
    EXPECT_EQ(GetModuleHandleW(TEXT("nirastr.dll")), first->GetModule());

    ReleaseStringDll();
    EXPECT_EQ(GetStringDll(&out), NIRA_STATUS_OK);
    EXPECT_EQ(out, first);
    EXPECT_NE(GetModuleHandleW(TEXT("nirastr.dll")), nullptr);
    auto freed = [&] {
        auto journal = machine.DebugOutput();
        return std::count(journal.begin(), journal.end(), WString(TEXT("String Dll freed")));
    };
    EXPECT_EQ(freed(), 0);

    ReleaseStringDll();
    EXPECT_EQ(GetModuleHandleW(TEXT("nirastr.dll")), nullptr);  // unloaded
    EXPECT_EQ(freed(), 1);
    EXPECT_EQ(GetStringDll(&out), NIRA_STATUS_FAILED);
    ReleaseStringDll();  // nothing left to release
    EXPECT_EQ(freed(), 1);
}

}  // namespace
