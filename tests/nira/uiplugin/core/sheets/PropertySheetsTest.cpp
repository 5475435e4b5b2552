// The printing preferences and the printer properties through the simulated core driver: the
// frames nirapres is asked for, in order and with their requests, and what the reasons answer.
#include "SheetsFixture.h"

#include <algorithm>

#include "support/WString.h"

namespace {

using presentationdouble::FrameCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr DWORD kSheetRequestSize = 1064;
constexpr int kSheetMode = 1;

std::vector<std::u16string> Containers(const std::vector<FrameCall>& frames)
{
    std::vector<std::u16string> names;
    for (const FrameCall& frame : frames) {
        names.push_back(frame.container);
    }
    return names;
}

bool EndsWith(const std::u16string& text, const std::u16string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(SheetsTest, PrintingPreferencesPresentTheTreeViewThenThePages)
{
    nirasim::PropertySheetRun run = Core().RunPropertySheets(true, {});

    ASSERT_EQ(Journal().frames.size(), 2u);
    const DWORD kinds[] = {7, 1};
    for (size_t i = 0; i < 2; ++i) {
        const FrameCall& frame = Journal().frames[i];
        EXPECT_EQ(frame.mode, kSheetMode);
        EXPECT_EQ(frame.cbSize, kSheetRequestSize);
        EXPECT_EQ(frame.version, 1u);
        EXPECT_EQ(frame.parentValue, 0u);
        EXPECT_EQ(frame.frameType, kinds[i]);
        EXPECT_NE(frame.context, nullptr);  // the core driver's PROPSHEETUI_INFO
        EXPECT_NE(frame.resourceModule, nullptr);
        EXPECT_TRUE(EndsWith(frame.database, TEXT("\\3\\niraui.vdf"))) << nirasim::Utf8(frame.database);
        EXPECT_TRUE(frame.sink && frame.settings && frame.reader && frame.strings);
    }
    EXPECT_THAT(Containers(Journal().frames), ElementsAre(TEXT("CPSUITreeView"), TEXT("DocPropSheet")));
    EXPECT_NE(Journal().frames[0].instance, Journal().frames[1].instance);

    ASSERT_EQ(run.reasons.size(), 4u);
    for (const nirasim::SheetReasonCall& reason : run.reasons) {
        EXPECT_TRUE(SUCCEEDED(reason.answer)) << reason.reason;
    }
    EXPECT_EQ(run.reasons[2].reason, PROPSHEETUI_REASON_SET_RESULT);
    EXPECT_EQ(run.reasons[2].result, static_cast<ULONG_PTR>(CPSUI_OK));
    EXPECT_EQ(Journal().created, 2);
    EXPECT_EQ(Journal().freed, 2);
    EXPECT_THAT(run.hostCalls, IsEmpty());
}

// A private section that fails its checksum: no page, and the reason still answers 1.
TEST_F(SheetsTest, DevModeFailingItsChecksumPresentsNothing)
{
    std::vector<BYTE> devMode = Core().DefaultDevMode().devMode;
    ASSERT_GT(devMode.size(), sizeof(DEVMODEW));
    devMode.back() ^= 0x5A;
    nirasim::PropertySheetRun run = Core().RunPropertySheets(true, devMode);

    EXPECT_THAT(Journal().frames, IsEmpty());
    ASSERT_FALSE(run.reasons.empty());
    EXPECT_EQ(run.reasons[0].answer, 1);
}

TEST_F(SheetsTest, OnlyTheInstanceThatWasMadeIsPresented)
{
    Script().refusedInstances = {0};  // the pages' instance is bound first
    Core().RunPropertySheets(true, {});
    EXPECT_THAT(Containers(Journal().frames), ElementsAre(TEXT("CPSUITreeView")));

    *double_ = presentationdouble::Control();
    Script().refusedInstances = {1};
    core.reset();
    Core().RunPropertySheets(true, {});
    EXPECT_THAT(Containers(Journal().frames), ElementsAre(TEXT("DocPropSheet")));
}

TEST_F(SheetsTest, WithoutTheProductDataModuleNoFrameIsPresented)
{
    ASSERT_TRUE(DeleteFileW((nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirares.dll")).c_str()));
    nirasim::PropertySheetRun run = Core().RunPropertySheets(true, {});
    EXPECT_THAT(Journal().frames, IsEmpty());
    EXPECT_EQ(run.reasons[0].answer, 1);
    EXPECT_EQ(Journal().freed, Journal().created);
}

// The second destroy finds nothing to free and still answers.
TEST_F(SheetsTest, DestroyTwice)
{
    nirasim::PropertySheetRun run = Core().RunPropertySheets(
        true, {}, {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_DESTROY, PROPSHEETUI_REASON_DESTROY});
    ASSERT_EQ(run.reasons.size(), 3u);
    EXPECT_EQ(run.reasons[1].answer, 1);
    EXPECT_EQ(run.reasons[2].answer, 1);
    EXPECT_EQ(Journal().created, 2);
    EXPECT_EQ(Journal().freed, 2);
}

TEST_F(SheetsTest, PrinterPropertiesTraceEveryReasonAndSaveTheStoreAtSetResult)
{
    const WString guid = TEXT("6f1c2a9e-0b7d-4e35-9a41-2c8d5e7f1b30");
    machine.SetPrinterData(
        kPrinter, "ZQRestrictedUserGuid", REG_SZ,
        std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * sizeof(WCHAR)),
        "ZQPresetRoot");
    const WString storePath = TEXT("Software\\Norvell-Ashby\\") + guid + TEXT("\\RegFeatureDataStore");
    auto stored = [&] {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, storePath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return false;
        }
        DWORD size = 0;
        bool found =
            RegQueryValueExW(key, TEXT("RegFeatureStore"), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return found;
    };
    Core();
    machine.ClearJournals();
    Core().RunPropertySheets(false, {}, {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER});
    EXPECT_FALSE(stored());
    nirasim::PropertySheetRun run =
        Core().RunPropertySheets(false, {}, {PROPSHEETUI_REASON_SET_RESULT, PROPSHEETUI_REASON_DESTROY});
    EXPECT_TRUE(stored());
    EXPECT_EQ(run.reasons[0].result, static_cast<ULONG_PTR>(CPSUI_OK));

    EXPECT_THAT(Containers(Journal().frames), ElementsAre(TEXT("CPSUIDevTreeView"), TEXT("DevicePropSheet")));
    std::vector<std::u16string> traces;
    for (const std::u16string& line : machine.DebugOutput()) {
        if (line.rfind(TEXT("DevicePropertySheets"), 0) == 0) {
            traces.push_back(line);
        }
    }
    const std::u16string start = TEXT("DevicePropertySheets Start");
    const std::u16string end = TEXT("DevicePropertySheets End");
    EXPECT_THAT(traces, ElementsAre(start, end, start, end, start, end, start, end));
    EXPECT_EQ(Journal().freed, 2);
}
