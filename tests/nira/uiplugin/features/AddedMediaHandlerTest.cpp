// The added media: papers from the user's registry as media options, the add-paper entry, the
// base medium of an added paper and the recently chosen media.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <algorithm>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "nira/uiplugin/features/handlers/AddedMediaHandler.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";

class AddedMediaTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        services.printerName = nirasim::Wide(kPrinter);
    }

    static void SetText(HKEY root, const WString& path, const WCHAR* name, const WString& value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
    }
    void AddPaper(const WString& subkey, const WString& name, const WString& category, const WString& quality)
    {
        WString path = TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper\\") + nirasim::Wide(kPrinter) +
                       TEXT("\\MediaList\\") + subkey;
        SetText(HKEY_CURRENT_USER, path, TEXT("Name"), name);
        SetText(HKEY_CURRENT_USER, path, TEXT("Category"), category);
        SetText(HKEY_CURRENT_USER, path, TEXT("Quality"), quality);
    }

    nirasim::Machine machine;
    FakeCoreServices services;
    FakeFeatureDatabase database;
};

}  // namespace

TEST_F(AddedMediaTest, PapersFromTheRegistryBecomeMediaOptions)
{
    AddPaper(TEXT("a"), TEXT("Fine art"), TEXT("Photo"), TEXT("normal"));
    AddPaper(TEXT("b"), TEXT("Canvas"), TEXT("Matte"), TEXT("BEST"));
    AddPaper(TEXT("c"), TEXT("Rice paper"), TEXT("Plain"), TEXT("maxdpi"));
    services.acceptable = 1;
    CNiraAddedMediaHandler handler;
    handler.Attach(&services, 4261, &database);
    ASSERT_EQ(handler.MediaCount(), 3);
    EXPECT_EQ(WString(handler.Media(551)->name), TEXT("Canvas"));
    EXPECT_EQ(handler.Media(550)->qualityCode, 3);
    EXPECT_EQ(handler.Media(551)->qualityCode, 4);
    EXPECT_EQ(handler.Media(552)->qualityCode, 5);
    EXPECT_EQ(CNiraAddedMediaHandler::QualityCode(TEXT("fast")), 0);

    EXPECT_EQ(handler.OnFeaturesEnumerated(), 0);
    EXPECT_EQ(services.calls, (std::vector<Call>{{"AddOption", 4261, 4116, 550},
                                                 {"AddTreeViewOption", 4261, 4116, 999},
                                                 {"AddTreeViewOption", 4261, 4116, 550},
                                                 {"AddOption", 4261, 4116, 551},
                                                 {"AddTreeViewOption", 4261, 4116, 551},
                                                 {"AddOption", 4261, 4116, 552},
                                                 {"AddTreeViewOption", 4261, 4116, 552}}));
    EXPECT_EQ(services.treeViewTexts[2], TEXT("Canvas"));
    EXPECT_EQ(services.addedState, 3);  // unavailable while the check option is acceptable
}

TEST_F(AddedMediaTest, WithoutPapersNothingIsAdded)
{
    CNiraAddedMediaHandler handler;
    handler.Attach(&services, 4261, &database);
    EXPECT_EQ(handler.MediaCount(), 0);
    EXPECT_EQ(handler.OnFeaturesEnumerated(), NIRA_STATUS_FAILED);
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(AddedMediaTest, TheAddPaperEntryNeedsTheProgramAndALocalPrinter)
{
    // A printer shared through a terminal-server port is not the local printer's.
    machine.AddSamplePrinter("Nira Remote", "TS001");
    struct Case {
        int enabled;
        bool path;
        const char* printer;
        bool offered;
    } cases[] = {{1, true, kPrinter, true},
                 {0, true, kPrinter, false},
                 {1, false, kPrinter, false},
                 {1, true, "Nira Remote", false}};
    for (const Case& c : cases) {
        services.printerName = nirasim::Wide(c.printer);
        if (c.path) {
            SetText(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper"), TEXT("Path"),
                    TEXT("C:\\Program Files\\AddPaper\\addpaper.exe"));
        } else {
            HKEY key = nullptr;
            RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper"), 0, KEY_ALL_ACCESS,
                          &key);
            RegDeleteValueW(key, TEXT("Path"));
            RegCloseKey(key);
        }
        services.calls.clear();
        services.current[4306] = c.enabled;
        CNiraAddedMediaHandler handler;
        handler.Attach(&services, 4261, &database);
        EXPECT_EQ(handler.InitializeStates(), 0);
        bool offered = std::find(services.calls.begin(), services.calls.end(),
                                 Call{"AddOption", 4261, 4116, 78}) != services.calls.end();
        EXPECT_EQ(offered, c.offered) << c.enabled << " " << c.path << " " << c.printer;
    }
}

TEST_F(AddedMediaTest, ChoosingTheEntryStartsTheProgramAndGoesBack)
{
    SetText(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper"), TEXT("Path"),
            TEXT("C:\\Tools\\addpaper.exe"));
    services.current = {{4306, 1}, {4116, 78}};
    services.previous[4116] = 259;
    CNiraAddedMediaHandler handler;
    handler.Attach(&services, 4261, &database);
    handler.InitializeStates();
    services.calls.clear();
    handler.OnWidgetChanged(4116);
    EXPECT_EQ(services.current[4116], 259);
    ASSERT_FALSE(machine.ProcessesStarted().empty());
    EXPECT_NE(machine.ProcessesStarted().back().commandLine.find(nirasim::Wide("addpaper.exe")),
              std::u16string::npos);
}

TEST_F(AddedMediaTest, AnAddedPaperSetsItsBaseMedium)
{
    AddPaper(TEXT("a"), TEXT("Fine art"), TEXT("Photo paper"), TEXT("Best"));
    AddPaper(TEXT("b"), TEXT("Odd"), TEXT("x\" OR \"1\"=\"1"), TEXT("Best"));
    database.rows["SELECT OptionID FROM FDT4307 WHERE BaseMediaName =\"Photo paper\""] = {"3", "7"};
    CNiraAddedMediaHandler handler;
    handler.Attach(&services, 4261, &database);
    services.current[4116] = 550;
    handler.OnWidgetChanged(4116);
    EXPECT_EQ(services.current[4307], 7);  // the last row wins
    EXPECT_EQ(database.mode, 4307);
    // A quote in the category stays inside the literal.
    services.current[4116] = 551;
    handler.OnWidgetChanged(4116);
    EXPECT_EQ(database.statements.back(),
              "SELECT OptionID FROM FDT4307 WHERE BaseMediaName =\"x\"\" OR \"\"1\"\"=\"\"1\"");
    EXPECT_EQ(services.current[4307], 7);
}

TEST_F(AddedMediaTest, TheLastThreeMediaAreKept)
{
    services.acceptable = 1;
    services.defaults[4116] = 256;
    CNiraAddedMediaHandler handler;
    handler.Attach(&services, 4261, &database);
    for (int medium : {257, 258, 259, 256, 254, 78, 258, 260}) {
        services.current[4116] = medium;
        handler.OnFeatureChanged(4116, 7);
    }
    // 257 was the oldest of four: made unavailable and dropped.
    EXPECT_EQ(services.calls, (std::vector<Call>{{"SetOptionState", 4261, 4116, 257 * 10 + 3}}));
}
