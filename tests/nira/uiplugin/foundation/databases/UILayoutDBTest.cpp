#include "DatabaseFixture.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"
#include <nirasim/Runtime.h>

#include <string>
#include "support/WString.h"
#include <typeinfo>
#include <vector>

namespace {
const char* const kLayoutSql = R"sql(
CREATE TABLE UI_CONTAINERS_INFO (ContainerID INTEGER, ContainerName TEXT, FrameType INTEGER);
CREATE TABLE UI_WINDOWS_INFO (WindowID INTEGER, RTLWindowID INTEGER, ContainerID INTEGER,
  WindowStringID INTEGER, WindowHelp INTEGER, WindowName TEXT);
CREATE TABLE UI_WIDGETS_INFO (ControlID INTEGER, WindowID INTEGER, RTLWindowID INTEGER,
  GroupID INTEGER, FeatureID INTEGER, CtrlStringID INTEGER, BitampID INTEGER, CtrlHelpID INTEGER,
  CtrlType INTEGER, LabelID INTEGER, CtrlName TEXT, CtrlState INTEGER, MaxValue INTEGER,
  MinValue INTEGER, IncrementFactor INTEGER, LevelID INTEGER, EndControl INTEGER);
INSERT INTO UI_CONTAINERS_INFO VALUES (2, 'DocPropSheet', 1), (11, 'CPSUITreeView', 7),
  (4, 'Quote"Sheet', 3), (5, 'NoFrame', 0);
-- Windows of container 2 in a database order that is not sorted.
INSERT INTO UI_WINDOWS_INFO VALUES (303, 1303, 2, 15303, 20303, 'Finishing'),
  (301, 1301, 2, 15301, 20301, 'Shortcuts'), (302, 1302, 2, 15302, 20302, 'Paper'),
  (401, 1401, 11, 15401, 0, 'Tree'), (1234, 5678, 5, 0, 0, 'Lone');
INSERT INTO UI_WIDGETS_INFO VALUES
  (30102, 301, 1301, 0, 4143, 14143, 0, 0, 13, 0, 'IDC_LIST', 1, 0, 0, 0, 0, 0),
  (30101, 301, 1301, 0, 4132, 0, 7, 0, 18, 0, 'IDC_PREVIEW', 2, 0, 0, 0, 0, 0),
  (30201, 302, 1302, 0, 4114, 14114, 0, 0, 7, 0, 'IDC_PAPER', 3, 0, 0, 0, 0, 0),
  (30301, 303, 1303, 9, 4118, 0, 0, 0, 6, 0, 'IDC_PORTRAIT', 1, 0, 0, 0, 0, 1),
  (40101, 401, 1401, 0, 0, 0, 0, 0, 27, 0, 'IDC_TREE', 0, 0, 0, 0, 2, 0),
  -- A control placed in the mirrored window only.
  (90101, 0, 1301, 0, 4235, 0, 0, 0, 12, 0, 'IDC_RTL_ONLY', 1, 999, 1, 1, 0, 0);
)sql";

struct WindowSeen {
    INT containerId;
    INT windowId;
    INT stringId;
    WString name;
    INT helpId;
};

LONG RecordWindow(CNiraIntRecord* record, LPVOID user)
{
    auto* window = static_cast<CNiraWindowRecord*>(record);
    static_cast<std::vector<WindowSeen>*>(user)->push_back(
        {window->containerId, window->windowId, window->stringId,
         window->windowName ? window->windowName : TEXT(""), window->helpId});
    return 0;
}

LONG RecordControlId(CNiraWidgetInfo* widget, LPVOID user)
{
    static_cast<std::vector<INT>*>(user)->push_back(widget->ControlID());
    return 0;
}

LONG RecordContainer(CNiraIntRecord* record, LPVOID user)
{
    *static_cast<INT*>(user) = record->containerId;
    return 0x77;
}

// The walk as the presentation library drives it: container, its windows, each window's controls.
std::vector<INT> WalkContainer(CNiraUILayoutDB& reader, LPCWSTR name, INT rtl)
{
    std::vector<INT> order;
    INT containerId = 0;
    EXPECT_EQ(0x77, reader.FindContainer(name, RecordContainer, &containerId));
    std::vector<WindowSeen> windows;
    EXPECT_EQ(0, reader.EnumWindows(containerId, rtl, RecordWindow, &windows));
    for (const WindowSeen& window : windows) {
        order.push_back(window.windowId);
        EXPECT_EQ(0, reader.EnumWidgets(0, window.windowId, RecordControlId, &order));
    }
    return order;
}
}  // namespace

class UILayoutDBTest : public DatabaseFixture {
protected:
    void SetUp() override { ASSERT_EQ(0, reader.Open(MakeDatabase("layout.vdf", kLayoutSql).c_str())); }

    CNiraUILayoutDB reader;
};

TEST_F(UILayoutDBTest, TheWalkFollowsTheDatabaseOrder)
{
    EXPECT_EQ((std::vector<INT>{303, 30301, 301, 30102, 30101, 302, 30201}),
              WalkContainer(reader, TEXT("DocPropSheet"), 0));
}

TEST_F(UILayoutDBTest, RightToLeftWindowsAndTheirControlsAreSelectedByTheMirroredIds)
{
    EXPECT_EQ((std::vector<INT>{1303, 30301, 1301, 30102, 30101, 90101, 1302, 30201}),
              WalkContainer(reader, TEXT("DocPropSheet"), 1));
    // The flag stays with the reader until the next window walk.
    std::vector<INT> controls;
    EXPECT_EQ(0, reader.EnumWidgets(0, 1301, RecordControlId, &controls));
    EXPECT_EQ(3u, controls.size());
    std::vector<WindowSeen> windows;
    reader.EnumWindows(2, 0, RecordWindow, &windows);
    controls.clear();
    EXPECT_EQ(0, reader.EnumWidgets(0, 1301, RecordControlId, &controls));
    EXPECT_TRUE(controls.empty());
}

TEST_F(UILayoutDBTest, WindowRecordsCarryTheirRow)
{
    std::vector<WindowSeen> windows;
    EXPECT_EQ(0, reader.EnumWindows(11, 0, RecordWindow, &windows));
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ(11, windows[0].containerId);
    EXPECT_EQ(401, windows[0].windowId);
    EXPECT_EQ(15401, windows[0].stringId);
    EXPECT_EQ(TEXT("Tree"), windows[0].name);
    EXPECT_EQ(0, windows[0].helpId);
}

TEST_F(UILayoutDBTest, AnAbsentContainerGivesFailureWithoutACall)
{
    INT containerId = -1;
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.FindContainer(TEXT("Nowhere"), RecordContainer, &containerId));
    EXPECT_EQ(-1, containerId);
    // A container without windows delivers nothing and is no failure.
    std::vector<WindowSeen> windows;
    EXPECT_EQ(0, reader.EnumWindows(99, 0, RecordWindow, &windows));
    EXPECT_TRUE(windows.empty());
}

TEST_F(UILayoutDBTest, ANameWithADoubleQuoteSelectsOnlyItsOwnRow)
{
    INT containerId = 0;
    EXPECT_EQ(0x77, reader.FindContainer(TEXT("Quote\"Sheet"), RecordContainer, &containerId));
    EXPECT_EQ(4, containerId);
    INT frameType = -1;
    EXPECT_EQ(0, reader.GetFrameType(TEXT("Quote\"Sheet"), &frameType));
    EXPECT_EQ(3, frameType);
    // A value that would rewrite the statement when pasted as it stands matches no row.
    frameType = -1;
    EXPECT_EQ(0, reader.GetFrameType(TEXT("x\" OR \"1\"=\"1"), &frameType));
    EXPECT_EQ(-1, frameType);
    EXPECT_EQ(NIRA_STATUS_FAILED,
              reader.FindContainer(TEXT("x\" OR \"1\"=\"1"), RecordContainer, &containerId));
}

TEST_F(UILayoutDBTest, FrameTypeZeroOrAbsentLeavesTheOutputAlone)
{
    INT frameType = 42;
    EXPECT_EQ(0, reader.GetFrameType(TEXT("NoFrame"), &frameType));
    EXPECT_EQ(42, frameType);
    EXPECT_EQ(0, reader.GetFrameType(TEXT("Nowhere"), &frameType));
    EXPECT_EQ(42, frameType);
    EXPECT_EQ(0, reader.GetFrameType(TEXT("CPSUITreeView"), &frameType));
    EXPECT_EQ(7, frameType);
}

TEST_F(UILayoutDBTest, RtlWindowIdIsLookedUpWithAllItsDigits)
{
    INT rtl = 0;
    EXPECT_EQ(0, reader.GetRtlWindowId(1234, &rtl));
    EXPECT_EQ(5678, rtl);
    rtl = 7;
    EXPECT_EQ(0, reader.GetRtlWindowId(123, &rtl));
    EXPECT_EQ(7, rtl);
}

TEST_F(UILayoutDBTest, OpeningAgainKeepsTheFirstDatabase)
{
    const WString other =
        MakeDatabase("other.vdf", "CREATE TABLE UI_CONTAINERS_INFO (ContainerID, ContainerName, FrameType);");
    EXPECT_EQ(0, reader.Open(other.c_str()));
    INT containerId = 0;
    EXPECT_EQ(0x77, reader.FindContainer(TEXT("DocPropSheet"), RecordContainer, &containerId));
    EXPECT_EQ(0, reader.Close());
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.Close());
    // After closing, the next query opens the path given last.
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.FindContainer(TEXT("DocPropSheet"), RecordContainer, &containerId));
}

TEST_F(UILayoutDBTest, ABrokenRowIsReportedAndTheWalkGoesOn)
{
    CNiraUILayoutDB broken;
    // WindowName is missing: the row query of each window fails.
    ASSERT_EQ(
        0,
        broken.Open(
            MakeDatabase(
                "broken.vdf",
                "CREATE TABLE UI_WINDOWS_INFO (WindowID INTEGER, RTLWindowID INTEGER, ContainerID INTEGER);"
                "INSERT INTO UI_WINDOWS_INFO VALUES (1, 0, 2), (2, 0, 2);")
                .c_str()));
    std::vector<WindowSeen> windows;
    EXPECT_EQ(NIRA_STATUS_FAILED, broken.EnumWindows(2, 0, RecordWindow, &windows));
    EXPECT_TRUE(windows.empty());
}

TEST_F(UILayoutDBTest, AMissingDatabaseCannotBeOpenedOrWalked)
{
    CNiraUILayoutDB none;
    EXPECT_EQ(NIRA_STATUS_FAILED, none.Open(nullptr));
    // Walking it fails rather than pass for a container without windows.
    std::vector<WindowSeen> windows;
    EXPECT_EQ(NIRA_STATUS_FAILED, none.EnumWindows(2, 0, RecordWindow, &windows));
    EXPECT_TRUE(windows.empty());
    EXPECT_EQ(NIRA_STATUS_FAILED, none.Close());
}

// ---------------------------------------------------------------- widget records

TEST(WidgetInfoTest, TheControlTypeChoosesTheRecordKind)
{
    WidgetRow row = {};
    row.controlId = 1;
    row.groupId = 2;
    row.featureId = 3;
    row.ctrlStringId = 4;
    row.bitmapId = 5;
    row.ctrlHelpId = 6;
    row.labelId = 70;
    row.ctrlState = 80;
    row.maxValue = 90;
    row.minValue = -90;
    row.incrementFactor = 5;
    row.levelId = 2;
    row.endControl = 1;

    for (INT type : {3}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        EXPECT_EQ(typeid(CNiraWidgetInfo), typeid(*info));
        delete info;
    }
    for (INT type : {2, 7, 8, 9, 10, 13, 14, 22, 25}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        auto* list = dynamic_cast<CNiraListWidgetInfo*>(info);
        ASSERT_NE(nullptr, list) << type;
        EXPECT_EQ(typeid(CNiraListWidgetInfo), typeid(*info)) << type;
        EXPECT_EQ(80, list->state.value);
        EXPECT_EQ(-1, list->options.count);
        delete info;
    }
    for (INT type : {4, 5, 6, 26, 1, 0, 29, 99, -3}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        auto* list = dynamic_cast<CNiraEndListWidgetInfo*>(info);
        ASSERT_NE(nullptr, list) << type;
        EXPECT_EQ(1, list->endControl);
        EXPECT_EQ(80, list->state.value);
        delete info;
    }
    for (INT type : {11, 17, 18, 19}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        auto* value = dynamic_cast<CNiraValueWidgetInfo*>(info);
        ASSERT_NE(nullptr, value) << type;
        EXPECT_EQ(80, value->state.value);
        delete info;
    }
    for (INT type : {12, 15, 16, 21, 24}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        auto* range = dynamic_cast<CNiraRangeWidgetInfo*>(info);
        ASSERT_NE(nullptr, range) << type;
        EXPECT_EQ(5, range->range.incrementFactor);
        EXPECT_EQ(-90, range->range.minValue);
        EXPECT_EQ(90, range->range.maxValue);
        delete info;
    }
    for (INT type : {20, 23}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        auto* linked = dynamic_cast<CNiraLinkedWidgetInfo*>(info);
        ASSERT_NE(nullptr, linked) << type;
        EXPECT_EQ(70, linked->labelId);
        delete info;
    }
    for (INT type : {27, 28}) {
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        auto* group = dynamic_cast<CNiraGroupWidgetInfo*>(info);
        ASSERT_NE(nullptr, group) << type;
        EXPECT_EQ(2, group->levelId);
        EXPECT_EQ(80, group->state.value);
        EXPECT_EQ(type, info->CtrlType());
        EXPECT_EQ(1, info->ControlID());
        EXPECT_EQ(2, info->GroupID());
        EXPECT_EQ(3, info->FeatureID());
        EXPECT_EQ(4, info->CtrlStringID());
        EXPECT_EQ(5, info->BitampID());
        EXPECT_EQ(6, info->CtrlHelpID());
        delete info;
    }
}

namespace {
WidgetOptionList* OptionsOf(CNiraWidgetInfo* info)
{
    if (auto* list = dynamic_cast<CNiraListWidgetInfo*>(info)) {
        return &list->options;
    }
    if (auto* range = dynamic_cast<CNiraRangeWidgetInfo*>(info)) {
        return &range->options;
    }
    if (auto* linked = dynamic_cast<CNiraLinkedWidgetInfo*>(info)) {
        return &linked->options;
    }
    if (auto* group = dynamic_cast<CNiraGroupWidgetInfo*>(info)) {
        return &group->options;
    }
    return nullptr;
}
}  // namespace

// Every record kind with options frees the two lists the consumer allocated into it.
TEST(WidgetInfoTest, OptionListsFilledByTheConsumerAreFreedWithTheRecord)
{
    for (INT type : {7, 4, 12, 20, 27}) {
        WidgetRow row = {};
        row.ctrlType = type;
        CNiraWidgetInfo* info = CreateWidgetInfo(row);
        WidgetOptionList* options = OptionsOf(info);
        ASSERT_NE(nullptr, options) << type;
        const size_t before = nirasim::LiveHeapBlocks();
        options->count = 2;
        options->items = LocalAlloc(LPTR, 16);
        options->texts = LocalAlloc(LPTR, 32);
        ASSERT_EQ(before + 2, nirasim::LiveHeapBlocks());
        delete info;
        EXPECT_EQ(before, nirasim::LiveHeapBlocks()) << type;
    }
}

TEST(WidgetInfoTest, ClassCodesMapToWidgetKinds)
{
    WidgetRow row = {};
    row.ctrlType = 3;
    CNiraWidgetInfo info(row);
    const INT expected[][2] = {{701, 19}, {702, 7},  {703, 13}, {704, 2},  {705, 6},  {706, 5},
                               {707, 12}, {708, 21}, {709, 15}, {710, 29}, {711, 11}, {712, 30},
                               {713, 31}, {714, 22}, {700, 33}, {715, 33}, {0, 33}};
    for (const auto& pair : expected) {
        EXPECT_EQ(pair[1], info.WidgetKind(pair[0])) << pair[0];
    }
}
