// Option changes through the UI core over the sample package and its constraint rules: the revert
// of a change that leaves features in conflict with the pop-up texts, the queued changes, the
// change flag against the snapshot, the bound on chains of changes and the repainted pictures.
#include "UICoreFixture.h"

#include <nirasim/Windows.h>

#include <string>
#include <utility>

#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "support/SqlDatabase.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr int kBorderless = 4119;  // 1 off, 2 on
constexpr int kMediaType = 4116;   // 256 plain paper
constexpr int kPaperSize = 4114;
constexpr int kPaper4x6 = 263;
constexpr int kPlainPaper = 256;
constexpr int kChangeFlag = 6079;
constexpr int kPopupMessage = 216;

// A core whose pop-ups are written down.
class PopupCore : public CNiraUICore {
public:
    int ShowPopup(int messageId, WCHAR* containerName) override
    {
        popups.emplace_back(messageId, WString(containerName));
        return 0;
    }
    std::vector<std::pair<int, WString>> popups;
};

class OptionChangesTest : public UICoreTest {
protected:
    void SetUp() override
    {
        UICoreTest::SetUp();
        core.reset();
        popupCore = new PopupCore;
        core.reset(popupCore);
    }

    // The driver state with the widget features, as the printing preferences build it.
    void BuildSheetState(int mode = CONSTRAINT_MODE_PROPERTY_SHEETS)
    {
        ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
        core->SetFeatureIdLimit(kUIFeatureLimit);
        core->EnumerateFeatures(nullptr);
        core->GetSettings(&settings);
        core->LoadConstraints(mode);
    }

    // A user's choice in a widget: the widget selects the option, the UI sink asks the core for
    // the backup before it and for the change and its conflicts after it.
    int UserChanges(int featureId, int optionId, int quiet = 0)
    {
        core->BackupSettings(featureId, 1);
        settings->ForceCurrentOption(&featureId, &optionId, 0);
        core->OnOptionChanged(featureId, 1);
        int reverted = -1;
        core->ResolveConflicts(featureId, &reverted, 1, quiet);
        return reverted;
    }

    void Force(int featureId, int optionId) { settings->ForceCurrentOption(&featureId, &optionId, 1); }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        settings->GetCurrentOption(featureId, &option, &isSet);
        return option;
    }
    // The text of option 1 of a widget feature, or "-" when it has none.
    WString WidgetText(int featureId)
    {
        int found = 0;
        settings->HasOption(featureId, 1, &found);
        if (!found) {
            return TEXT("-");
        }
        OptionInfo info = {};
        settings->GetOptionInfo(featureId, 1, &info);
        return WString(info.displayName);
    }

    PopupCore* popupCore = nullptr;
    CNiraUISettings* settings = nullptr;
};

}  // namespace

// Borderless printing on plain paper: the sample rule marks plain paper conflicting, which leaves
// the borderless change and the media type pending; the change is taken back.
TEST_F(OptionChangesTest, ConflictingChangeIsRevertedWithThePopup)
{
    BuildSheetState();
    Force(kPaperSize, kPaper4x6);  // a borderless paper: no other rule speaks up
    EXPECT_EQ(UserChanges(kBorderless, 2), 1);

    EXPECT_EQ(Current(kBorderless), 1);
    EXPECT_EQ(Current(kMediaType), kPlainPaper);
    int state = 0;
    settings->GetOptionState(kMediaType, kPlainPaper, &state);
    EXPECT_EQ(state, OPTION_STATE_SELECTABLE);
    EXPECT_EQ(WidgetText(6530), TEXT("-"));
    EXPECT_EQ(WidgetText(6531), TEXT("These settings cannot be used together:"));
    EXPECT_EQ(WidgetText(6532), TEXT("The previous settings are restored."));
    const std::vector<WString> groups = {WidgetText(6533), WidgetText(6534), WidgetText(6535),
                                         WidgetText(6536), WidgetText(6537), WidgetText(6538),
                                         WidgetText(6539), WidgetText(6540)};
    EXPECT_THAT(groups, ElementsAre(TEXT("Borderless printing"), TEXT(":"), TEXT("On"), TEXT("-"),
                                    TEXT("Paper type"), TEXT(":"), TEXT("Plain paper"), TEXT("-")));
    EXPECT_THAT(popupCore->popups,
                ElementsAre(std::make_pair(kPopupMessage, WString(TEXT("Feature unavailable")))));
}

TEST_F(OptionChangesTest, SuppressedPopupAndQuietResolution)
{
    BuildSheetState();
    Force(kPaperSize, kPaper4x6);
    core->SuppressConflictPopup(1);
    EXPECT_EQ(UserChanges(kBorderless, 2), 1);
    EXPECT_THAT(popupCore->popups, IsEmpty());
    EXPECT_EQ(WidgetText(6533), TEXT("Borderless printing"));

    // Quiet, as the PrintTicket conversion resolves: the settings go back without any text.
    EXPECT_EQ(UserChanges(kBorderless, 2, 1), 1);
    EXPECT_EQ(Current(kBorderless), 1);
    EXPECT_EQ(WidgetText(6531), TEXT("-"));
    EXPECT_EQ(WidgetText(6533), TEXT("-"));
    EXPECT_THAT(popupCore->popups, IsEmpty());
}

TEST_F(OptionChangesTest, ChangeWithoutConflictStays)
{
    BuildSheetState();
    Force(kPaperSize, kPaper4x6);
    Force(kMediaType, 259);  // glossy photo paper
    EXPECT_EQ(UserChanges(kBorderless, 2), 0);
    EXPECT_EQ(Current(kBorderless), 2);
    EXPECT_THAT(popupCore->popups, IsEmpty());
}

TEST_F(OptionChangesTest, WidgetFeaturesAndAutomaticOptionsAreNotResolved)
{
    BuildSheetState();
    const struct {
        int featureId;
        int optionId;
        int resolvable;
    } cases[] = {{6022, 1, 0},
                 {6065, 1, 0},
                 {6551, 1, 0},
                 {kPaperSize, 26, 0},
                 {kPaperSize, 254, 0},
                 {kMediaType, 254, 0},
                 {kMediaType, kPlainPaper, 1},
                 {kBorderless, 2, 1}};
    for (const auto& c : cases) {
        int resolvable = -1;
        EXPECT_EQ(core->CanAutoResolve(c.featureId, c.optionId, &resolvable), 0);
        EXPECT_EQ(resolvable, c.resolvable) << c.featureId << "/" << c.optionId;
    }
    // 6022 is neither backed up nor resolved.
    EXPECT_EQ(core->BackupSettings(6022, 1), 0);
    int reverted = -1;
    EXPECT_EQ(core->ResolveConflicts(6022, &reverted, 1, 0), 0);
    EXPECT_EQ(reverted, -1);
    EXPECT_THAT(popupCore->popups, IsEmpty());
}

TEST_F(OptionChangesTest, QueuedChangesKeepTheFirstRecordForAFeature)
{
    BuildSheetState();
    EXPECT_EQ(core->QueuePendingChange(4115, 3, 1, 1), 0);
    EXPECT_EQ(core->QueuePendingChange(4115, 1, 1, 1), NIRA_STATUS_FAILED);
    EXPECT_EQ(core->QueuePendingChange(4115, 1, 3, 1), NIRA_STATUS_FAILED);  // no such action
    EXPECT_EQ(core->QueuePendingChange(4115, 1, 1, 3), NIRA_STATUS_FAILED);  // no such source
    EXPECT_EQ(core->ProcessQueuedChange(), 0);
    EXPECT_EQ(Current(4115), 3);
    EXPECT_EQ(core->ProcessQueuedChange(), 0);  // empty now
}

TEST_F(OptionChangesTest, ChangeFlagFollowsTheSnapshot)
{
    BuildSheetState();
    EXPECT_EQ(core->TakeValueSnapshot(), 0);
    EXPECT_EQ(Current(kChangeFlag), 1);
    const struct {
        int featureId;
        int optionId;
        int flag;
    } steps[] = {{4115, 3, 2}, {4115, 2, 1}, {4115, 3, 2}, {4218, 2, 2}, {4115, 2, 2}, {4218, 1, 1}};
    for (const auto& step : steps) {
        int featureId = step.featureId;
        int optionId = step.optionId;
        settings->SetCurrentOption(&featureId, &optionId, OPTION_STATE_SELECTABLE, 1, 0, 1, 1);
        EXPECT_EQ(Current(kChangeFlag), step.flag) << step.featureId << " -> " << step.optionId;
    }
}

// Two rules that answer each other: the chain is evaluated for 199 changes after the user's and
// the 200th change is applied without evaluation.
TEST_F(OptionChangesTest, ChainOfChangesStopsAtTheLimit)
{
    WriteSqlDatabase(machine, "niracon.vdf", R"sql(
CREATE TABLE CONSTRAINT_INFO (ConstraintID INTEGER, Priority INTEGER);
CREATE TABLE CONSTRAINT_PRECOND_TRIGGERS (ConstraintID INTEGER, PreConditionID INTEGER,
  FeatureID INTEGER, State INTEGER, OptionID INTEGER, ConditionType INTEGER, Operator INTEGER,
  ActionID INTEGER, Priority INTEGER);
CREATE TABLE CONSTRAINT_ACTION_INFO (ActionID INTEGER, FeatureID INTEGER, State INTEGER,
  ActionType INTEGER, OptionID INTEGER, LinkedActionID INTEGER, ActionData1 TEXT,
  ActionData2 TEXT, ActionData3 TEXT, ByForce INTEGER, Priority INTEGER);
INSERT INTO CONSTRAINT_INFO VALUES (1, 1), (2, 1), (3, 1), (4, 1), (5, 1);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS VALUES
  (1, 1, 4302, 0, 3, 1, 0, 10, 1),
  (2, 1, 4222, 0, 2, 1, 0, 20, 1), (3, 1, 4222, 0, 1, 1, 0, 30, 1),
  (4, 1, 4218, 0, 2, 1, 0, 40, 1), (5, 1, 4218, 0, 1, 1, 0, 50, 1);
INSERT INTO CONSTRAINT_ACTION_INFO VALUES
  (10, 4222, 0, 22, 2, 0, NULL, NULL, NULL, 1, 0),
  (20, 4218, 0, 22, 2, 0, NULL, NULL, NULL, 1, 0), (30, 4218, 0, 22, 1, 0, NULL, NULL, NULL, 1, 0),
  (40, 4222, 0, 22, 1, 0, NULL, NULL, NULL, 1, 0), (50, 4222, 0, 22, 2, 0, NULL, NULL, NULL, 1, 0);
)sql");
    BuildSheetState();
    Force(4302, 3);
    core->OnOptionChanged(4302, 1);
    // Changes 2, 3, 4, 5 set text-as-black 2, mirror 2, text-as-black 1, mirror 1, and so on:
    // change 199 sets mirror 2 and change 200 text-as-black 1, which nothing evaluates.
    EXPECT_EQ(Current(4222), 1);
    EXPECT_EQ(Current(4218), 2);
}

TEST_F(OptionChangesTest, RepaintInvalidatesThePaintedPictures)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = TEXT("PictureTest");
    ASSERT_NE(RegisterClassExW(&windowClass), 0);
    auto make = [](int width) {
        return CreateWindowExW(0, TEXT("PictureTest"), TEXT(""), 0, 0, 0, width, 50, nullptr, nullptr,
                               nullptr, nullptr);
    };
    HWND main = make(100);
    HWND alt = make(200);
    HWND listed = make(300);
    core->PaintWidget(6002, main, 0);
    core->PaintWidget(4211, alt, 0);
    core->PaintWidget(6374, listed, 0);
    core->PaintWidget(6375, make(400), 0);  // not one of the pictures
    nirasim::ClearInvalidations();
    core->RepaintWindows();
    std::vector<std::pair<HWND, bool>> seen;
    for (const nirasim::Invalidation& invalidation : nirasim::Invalidations()) {
        seen.emplace_back(invalidation.window, invalidation.erase);
    }
    EXPECT_THAT(seen, ElementsAre(std::make_pair(main, false), std::make_pair(alt, true),
                                  std::make_pair(listed, true)));
    EXPECT_EQ(nirasim::Invalidations()[0].rect.right, 100);
}
