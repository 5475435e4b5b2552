// The calling-application profile: the program table's match rules, the profile published on
// feature 4237, and the page-layout restrictions of profiles, file ports, direct printing and
// remote printers.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <algorithm>

#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/AppProfileHandler.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";
// The twelve layout features a restricted layout hides, each with the caller id that hides it.
const std::vector<std::pair<int, int>> kRestricted = {{4125, 4125}, {4126, 4126}, {4127, 4127}, {4120, 4121},
                                                      {4128, 4128}, {4129, 4129}, {4130, 4130}, {4120, 4120},
                                                      {4124, 4124}, {4119, 4119}, {4189, 4131}, {4143, 6377}};

class AppProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        services.printerName = nirasim::Wide(kPrinter);
        services.options.insert({4237, 1});
        handler.Attach(&services, 4237, nullptr);
    }
    void Run(const char* processPath)
    {
        machine.SetProcessPath(processPath);
        services.calls.clear();
        EXPECT_EQ(handler.InitializeStates(), 0);
    }
    bool Called(const Call& call) const
    {
        return std::find(services.calls.begin(), services.calls.end(), call) != services.calls.end();
    }
    int Count(const std::string& what) const
    {
        return static_cast<int>(std::count_if(services.calls.begin(), services.calls.end(),
                                              [&](const Call& call) { return call.what == what; }));
    }
    bool LayoutRestricted() const
    {
        bool all = Called({"SetValue", 4237, 6053, 2});
        for (const auto& pair : kRestricted) {
            all = all && Called({"SetDisplayState", pair.first, pair.second, 0}) &&
                  Called({"SetFeatureState", pair.first, pair.second, 0});
        }
        return all;
    }
    int Profile() { return services.optionInfos[{4237, 1}].optionIndex; }

    nirasim::Machine machine;
    FakeCoreServices services;
    CNiraAppProfileHandler handler;
};

}  // namespace

TEST(AppProfileTable, MatchRules)
{
    size_t rows = 0;
    const AppProfileEntry* table = CNiraAppProfileHandler::Table(&rows);
    ASSERT_EQ(rows, 31u);
    const AppProfileEntry& word = table[18];
    const AppProfileEntry& notepad = table[14];      // 0x3000A, any low version
    const AppProfileEntry& illustrator = table[24];  // 0x4000A, 0
    AppProfileEntry inactive = word;
    inactive.flags = 0;
    struct Case {
        LPCWSTR name;
        INT high;
        INT low;
        const AppProfileEntry* entry;
        int matches;
    } cases[] = {
        {TEXT("WINWORD"), -1, -1, &word, 1},
        {TEXT("winword"), 0, 0, &word, 1},
        {TEXT("WINWORDX"), 0, 0, &word, 0},
        {TEXT("WINWORD"), 0, 0, &inactive, 0},
        {TEXT("NOTEPAD"), -1, -1, &notepad, 1},
        {TEXT("NOTEPAD"), 0x3000A, 7, &notepad, 1},
        {TEXT("NOTEPAD"), 0x3000B, 7, &notepad, 0},
        {TEXT("NOTEPAD"), 0, 0, &notepad, 0},
        {TEXT("ILLUSTRA"), 0x4000A, 0, &illustrator, 1},
        {TEXT("ILLUSTRA"), 0x4000A, 1, &illustrator, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CNiraAppProfileHandler::MatchEntry(c.name, c.high, c.low, *c.entry), c.matches)
            << nirasim::Utf8(c.name) << " " << c.high << " " << c.low;
    }
}

TEST_F(AppProfileTest, ProgramsGetTheirProfiles)
{
    struct Case {
        const char* path;
        const char* name;
        UINT profile;
    } cases[] = {
        {"C:\\Program Files\\Office\\WINWORD.EXE", "WINWORD", 0x9C000200},
        {"C:\\Office\\winword.exe", "WINWORD", 0x9C000200},
        {"C:\\Office\\WinWord.exe", "WINWORD", 0x9C000200},
        {"C:\\Tools\\ImageReady.exe", "IMAGEREADY", 0x10000},
        // The version rows are never matched: the calling program's version is not read.
        {"C:\\Windows\\NOTEPAD.EXE", "NOTEPAD", 0},
        {"C:\\Tools\\Illustra.exe", "ILLUSTRA", 0x10021},
        {"C:\\Tools\\unknown.exe", "UNKNOWN", 0},
        {"C:\\Tools\\WINWORD", "", 0},  // no extension
    };
    for (const Case& c : cases) {
        Run(c.path);
        EXPECT_EQ(nirasim::Utf8(handler.ModuleName()), c.name) << c.path;
        EXPECT_EQ(static_cast<UINT>(Profile()), c.profile) << c.path;
        EXPECT_TRUE(Called({"SetOptionInfo", 4237, 4237, 1}));
    }
}

TEST_F(AppProfileTest, WordOnALocalPrinterRestrictsNothing)
{
    Run("C:\\Program Files\\Office\\WINWORD.EXE");
    EXPECT_EQ(static_cast<UINT>(Profile()), 0x9C000200u);
    EXPECT_TRUE(Called({"SetValue", 4237, 6053, 1}));
    EXPECT_EQ(Count("SetDisplayState"), 0);
    EXPECT_EQ(Count("RemoveOption"), 0);
}

TEST_F(AppProfileTest, QuarkXPressHidesTheTwelveLayoutFeatures)
{
    Run("C:\\Quark\\QuarkXPress.exe");
    EXPECT_TRUE(LayoutRestricted());
    EXPECT_EQ(Count("SetDisplayState"), 12);
    EXPECT_TRUE(Called({"RemoveOption", 4125, 4125, 2}));
    EXPECT_EQ(services.current[6053], 2);
}

TEST_F(AppProfileTest, FilePortsAndDirectPrintingRestrictEveryProgram)
{
    machine.AddSamplePrinter("Nira File", "FILE:");
    nirasim::PrinterSpec direct;
    direct.name = TEXT("Nira Direct");
    direct.driverName = nirasim::Machine::SamplePackageDriver().name;
    direct.attributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT;
    machine.AddPrinter(direct);
    for (const char* printer : {"Nira File", "Nira Direct"}) {
        services.printerName = nirasim::Wide(printer);
        Run("C:\\Tools\\unknown.exe");
        EXPECT_TRUE(LayoutRestricted()) << printer;
    }
}

TEST_F(AppProfileTest, ARemotePrinterLosesOnlyFeature4124AndDuplexOption2)
{
    machine.AddSamplePrinter("Nira Remote", "TS001");
    services.printerName = nirasim::Wide("Nira Remote");
    Run("C:\\Office\\WINWORD.EXE");
    EXPECT_EQ(services.calls, (std::vector<Call>{{"SetOptionInfo", 4237, 4237, 1},
                                                 {"SetDisplayState", 4124, 4124, 0},
                                                 {"SetFeatureState", 4124, 4124, 0},
                                                 {"RemoveOption", 4125, 4125, 2},
                                                 {"SetValue", 4237, 6053, 1}}));
}

TEST_F(AppProfileTest, WithoutTheProfileOptionNothingIsPublishedOrRestricted)
{
    services.options.clear();
    Run("C:\\Quark\\QuarkXPress.exe");
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(AppProfileTest, Command34RunsTheProfileAgainToTheSameResult)
{
    Run("C:\\Quark\\QuarkXPress.exe");
    std::vector<Call> first = services.calls;
    services.calls.clear();
    EXPECT_EQ(handler.OnCommand(4143, 34, nullptr, nullptr), 0);
    EXPECT_EQ(services.calls, first);
    EXPECT_EQ(services.current[6053], 2);
}
