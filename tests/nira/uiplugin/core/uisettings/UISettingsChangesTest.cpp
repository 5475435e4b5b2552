// Option changes of the UI settings object: current options, option states, display states and
// locks, the change records with the owner's notifications, constraint actions with their limit
// levels, the pending list, dependents, option tracking, linked features and the reset.
#include "UISettingsFixture.h"

#include <tuple>
#include <utility>
#include <vector>

using ::testing::_;
using ::testing::AnyNumber;
using ::testing::DoAll;
using ::testing::ElementsAre;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::SetArgPointee;

namespace {
constexpr int FAILED = NIRA_STATUS_FAILED;
constexpr int PAPER = 4114;
constexpr int QUALITY = 4115;
constexpr int MEDIA = 4116;
constexpr int BIN = 4117;
constexpr int RESOLUTION = 4123;
constexpr int DUPLEX = 4125;
constexpr int GRAY_OPTIONS = 4137;
constexpr int WIDGET = 6010;
}  // namespace

// ---- change records and notifications ----

TEST_F(UISettingsTest, ChangeKindsMergeIntoOneRecordAndReachTheOwner)
{
    AddFeature(PAPER, 1, {});
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_CURRENT_OPTION));
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_DISPLAY_STATE));
    EXPECT_EQ(settings.AddChange(PAPER, CHANGE_CURRENT_OPTION), 0);
    EXPECT_EQ(settings.AddChange(PAPER, CHANGE_DISPLAY_STATE), 0);
    EXPECT_EQ(ChangeMask(PAPER), CHANGE_MASK_CURRENT | CHANGE_MASK_DISPLAY);
    EXPECT_EQ(settings.GetChangeCount(), 1);

    // Kind 6 is no change kind: refused, recorded nowhere, told to nobody.
    EXPECT_EQ(settings.AddChange(PAPER, 6), FAILED);
    EXPECT_EQ(settings.AddChange(4200, CHANGE_CURRENT_OPTION), FAILED);
    EXPECT_EQ(ChangeMask(PAPER), 6);
}

// ---- SetCurrentOption ----

TEST_F(UISettingsTest, FirstSetCurrentOptionOfASettingsFeatureAlwaysCounts)
{
    AddFeature(PAPER, 1, {1, 2});
    AddFeature(WIDGET, 1, {1, 2});
    EXPECT_CALL(owner, CountChange(PAPER)).Times(1);
    EXPECT_CALL(owner, CountChange(WIDGET)).Times(0);
    EXPECT_EQ(Set(PAPER, 1), 0);  // already current, still counted once
    EXPECT_EQ(Set(PAPER, 1), 0);
    EXPECT_EQ(Set(WIDGET, 1), 0);  // outside the settings range: no first change
    EXPECT_EQ(Record(PAPER)->firstChange, 0);
}

TEST_F(UISettingsTest, SetCurrentOptionMovesAndCounts)
{
    AddFeature(PAPER, 1, {1, 2});
    Set(PAPER, 1);  // spend the first change
    EXPECT_CALL(owner, TrackValueChange(PAPER, 2));
    EXPECT_CALL(owner, CountChange(PAPER));
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_OPTION_SELECTABLE));
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_CURRENT_OPTION));
    ASSERT_EQ(Set(PAPER, 2, OPTION_STATE_SELECTABLE, 1), 0);
    ::testing::Mock::VerifyAndClearExpectations(&owner);
    EXPECT_EQ(Current(PAPER), 2);
    EXPECT_EQ(Record(PAPER)->previousOption, 1);
    EXPECT_EQ(Record(PAPER)->userOption, 2);
    EXPECT_EQ(Record(PAPER)->userSelected, 1);
    EXPECT_EQ(ChangeMask(PAPER) & CHANGE_MASK_CURRENT, CHANGE_MASK_CURRENT);

    // clearUser forgets the user's option; byUser 0 clears userSelected.
    ASSERT_EQ(Set(PAPER, 1, OPTION_STATE_SELECTABLE, 0, 1), 0);
    EXPECT_EQ(Record(PAPER)->userOption, 0);
    EXPECT_EQ(Record(PAPER)->userSelected, 0);
}

TEST_F(UISettingsTest, WithoutNotifyAlwaysTheFeatureMovesOnlyAwayFromAnUnavailableOption)
{
    AddFeature(PAPER, 1, {1, 2});
    Set(PAPER, 1);
    settings.SetOptionState(PAPER, 2, OPTION_STATE_GREYED, 0);
    ASSERT_EQ(Set(PAPER, 2, OPTION_STATE_SELECTABLE, 0, 0, 0), 0);
    EXPECT_EQ(Current(PAPER), 1);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_SELECTABLE);  // the state is applied anyway

    settings.SetOptionState(PAPER, 1, OPTION_STATE_GREYED, 0);
    EXPECT_CALL(owner, CountChange(PAPER));
    ASSERT_EQ(Set(PAPER, 2, OPTION_STATE_SELECTABLE, 0, 0, 0), 0);
    EXPECT_EQ(Current(PAPER), 2);
    EXPECT_EQ(Record(PAPER)->previousOption, 1);
}

TEST_F(UISettingsTest, SetCurrentOptionLeavesAloneWhatItMayNotChange)
{
    AddFeature(PAPER, 1, {1, 2});
    AddFeature(MEDIA, 1, {1, 2});
    AddFeature(BIN, 1, {1, 2});
    Record(MEDIA)->featureState = 0;
    settings.SetFeatureLock(BIN, 1);
    ON_CALL(owner, GetLastChangedFeature(_)).WillByDefault(DoAll(SetArgPointee<0>(PAPER), Return(0)));

    EXPECT_CALL(owner, CountChange(BIN));  // only the locked case reaches the owner
    EXPECT_CALL(owner, CountChange(MEDIA)).Times(0);
    EXPECT_CALL(owner, CountChange(PAPER)).Times(0);
    EXPECT_EQ(Set(MEDIA, 2), 0);
    EXPECT_EQ(Set(BIN, 2), 0);
    EXPECT_EQ(Set(PAPER, 2, OPTION_STATE_SELECTABLE, 0, 0, 1, 0), 0);  // being changed by the user
    EXPECT_EQ(Current(MEDIA), 1);
    EXPECT_EQ(Current(BIN), 1);
    EXPECT_EQ(Current(PAPER), 1);

    EXPECT_EQ(Set(4200, 1), FAILED);
    EXPECT_EQ(Set(PAPER, 2, OPTION_STATE_UNAVAILABLE), FAILED);
    EXPECT_EQ(Set(PAPER, 2, OPTION_STATE_GREYED), FAILED);
}

TEST_F(UISettingsTest, AutoSelectedPaperKeepsThePreviousOptionAndIsNotTracked)
{
    AddFeature(PAPER, 1, {1, 2, 254});
    Set(PAPER, 2);
    EXPECT_CALL(owner, TrackValueChange(_, _)).Times(AnyNumber());
    EXPECT_CALL(owner, TrackValueChange(PAPER, 254)).Times(0);
    ASSERT_EQ(Set(PAPER, 254), 0);
    EXPECT_EQ(Current(PAPER), 254);
    // Leaving the automatic option does not make it the previous one: that stays a real choice.
    ASSERT_EQ(Set(PAPER, 1), 0);
    EXPECT_EQ(Record(PAPER)->previousOption, 2);

    int result = -1;
    for (auto [id, opt, expected] :
         {std::tuple{PAPER, 254, 1}, {PAPER, 26, 1}, {MEDIA, 254, 1}, {MEDIA, 26, 0}, {BIN, 254, 0}}) {
        settings.IsAutoSelectedOption(id, opt, &result);
        EXPECT_EQ(result, expected) << id << "/" << opt;
    }
}

TEST_F(UISettingsTest, ForceNotifyCountsEverySelection)
{
    AddFeature(PAPER, 1, {1, 2});
    Set(PAPER, 1);
    settings.SetForceNotify(1);
    EXPECT_CALL(owner, CountChange(PAPER)).Times(2);
    Set(PAPER, 1);
    Set(PAPER, 1, OPTION_STATE_SELECTABLE, 0, 0, 0);
}

TEST_F(UISettingsTest, ForceCurrentOptionStoresTheUsersChoice)
{
    AddFeature(PAPER, 1, {1, 2});
    AddFeature(6400, 1, {1, 2});
    settings.SetSoftLinks(6400, 1, PAPER, 0);
    int id = 6400, opt = 1;
    EXPECT_EQ(settings.ForceCurrentOption(&id, &opt, 0), FAILED);  // already current
    EXPECT_CALL(owner, TrackValueChange(_, _)).Times(0);           // 6400 is no settings feature
    EXPECT_CALL(owner, CountChange(_)).Times(0);
    EXPECT_CALL(owner, NotifyFeatureChanged(6400, CHANGE_CURRENT_OPTION)).Times(2);
    EXPECT_EQ(settings.ForceCurrentOption(&id, &opt, 1), 0);
    opt = 2;
    ASSERT_EQ(settings.ForceCurrentOption(&id, &opt, 0), 0);
    EXPECT_EQ(Current(6400), 2);
    EXPECT_EQ(Record(6400)->userOption, 2);
    EXPECT_EQ(Record(6400)->userSelected, 1);
    EXPECT_EQ(Record(PAPER)->userSelected, 1);  // the linked source has option 2 too
    EXPECT_EQ(settings.GetUserOption(6400), 2);
}

// ---- option states ----

TEST_F(UISettingsTest, AnUnavailableOptionNeverBecomesConflictingButRemembersTheConflict)
{
    AddFeature(PAPER, 1, {1, 2});
    settings.SetOptionState(PAPER, 2, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(PAPER, 2, OPTION_STATE_CONFLICT, 0);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_UNAVAILABLE);

    // Conflicting, then greyed, then selectable again: it comes back conflicting.
    settings.SetOptionState(PAPER, 1, OPTION_STATE_CONFLICT, 0);
    settings.SetOptionState(PAPER, 1, OPTION_STATE_GREYED, 0);
    EXPECT_EQ(Option(PAPER, 1).conflictFlag, 1);
    settings.SetOptionState(PAPER, 1, OPTION_STATE_SELECTABLE, 0);
    EXPECT_EQ(State(PAPER, 1), OPTION_STATE_CONFLICT);
    // Unless the call clears the conflict.
    settings.SetOptionState(PAPER, 1, OPTION_STATE_GREYED, 0);
    settings.SetOptionState(PAPER, 1, OPTION_STATE_SELECTABLE, 1);
    EXPECT_EQ(State(PAPER, 1), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(Option(PAPER, 1).conflictFlag, 0);

    // A missing option changes nothing.
    EXPECT_EQ(settings.SetOptionState(PAPER, 9, OPTION_STATE_SELECTABLE, 0), 0);
    EXPECT_EQ(settings.SetOptionState(4200, 1, OPTION_STATE_SELECTABLE, 0), FAILED);
}

TEST_F(UISettingsTest, OptionStateChangeKindsFollowTheNewState)
{
    AddFeature(PAPER, 1, {1, 2});
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_OPTION_STATE));
    settings.SetOptionState(PAPER, 2, OPTION_STATE_GREYED, 0);
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_OPTION_SELECTABLE));
    settings.SetOptionState(PAPER, 2, OPTION_STATE_SELECTABLE, 0);
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, CHANGE_OPTION_STATE));
    settings.SetDefaultOptionState(PAPER, 2, OPTION_STATE_GREYED);
    EXPECT_EQ(Option(PAPER, 2).defaultState, OPTION_STATE_GREYED);
}

TEST_F(UISettingsTest, StateChangesOfTwoWatchedOptionsCountAsValueChanges)
{
    AddFeature(QUALITY, 1, {1, 5});
    AddFeature(GRAY_OPTIONS, 1, {1, 4});
    AddFeature(PAPER, 1, {1, 5});
    EXPECT_CALL(owner, CountChange(QUALITY)).Times(1);
    EXPECT_CALL(owner, CountChange(GRAY_OPTIONS)).Times(2);
    EXPECT_CALL(owner, CountChange(PAPER)).Times(0);
    settings.SetOptionState(QUALITY, 5, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(QUALITY, 5, OPTION_STATE_UNAVAILABLE, 0);  // no change, no count
    settings.SetOptionState(PAPER, 5, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(GRAY_OPTIONS, 4, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(GRAY_OPTIONS, 4, OPTION_STATE_CONFLICT, 0);  // refused, but counted
}

// ---- display states and locks ----

TEST_F(UISettingsTest, ALockedFeatureCanOnlyBeHidden)
{
    AddFeature(PAPER, 1, {1, 2});
    settings.SetDisplayState(PAPER, DISPLAY_STATE_GREYED);
    settings.SetFeatureLock(PAPER, 1);
    EXPECT_EQ(settings.SetDisplayState(PAPER, DISPLAY_STATE_ENABLED), 0);
    EXPECT_EQ(settings.GetDisplayState(PAPER), DISPLAY_STATE_GREYED);
    EXPECT_EQ(settings.SetDisplayState(PAPER, DISPLAY_STATE_HIDDEN), 0);
    EXPECT_EQ(settings.GetDisplayState(PAPER), DISPLAY_STATE_HIDDEN);

    AddFeature(MEDIA, 1, {}, false);
    EXPECT_EQ(settings.SetDisplayState(MEDIA, 3), NIRA_STATUS_NO_FEATURE);
    EXPECT_EQ(settings.SetDefaultDisplayState(MEDIA, 3), NIRA_STATUS_NO_FEATURE);
    EXPECT_EQ(settings.SetDisplayState(4200, 3), 0);
    EXPECT_EQ(settings.SetDefaultDisplayState(4200, 3), FAILED);
}

TEST_F(UISettingsTest, ALockedFeatureOnlyLetsItsCurrentOptionConflictWithoutPopup)
{
    AddFeature(PAPER, 1, {1, 2});
    OptionInfo current = Option(PAPER, 1);
    current.iconId = 12;
    settings.SetOptionInfo(PAPER, 1, &current);
    settings.SetFeatureLock(PAPER, 1);

    EXPECT_CALL(owner, SuppressConflictPopup(1)).Times(1);
    settings.SetOptionState(PAPER, 2, OPTION_STATE_GREYED, 0);
    settings.SetOptionState(PAPER, 1, OPTION_STATE_GREYED, 0);
    settings.SetOptionState(PAPER, 1, OPTION_STATE_CONFLICT, 0);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(State(PAPER, 1), OPTION_STATE_CONFLICT);
    EXPECT_EQ(Option(PAPER, 1).iconId, 0);
}

TEST_F(UISettingsTest, LockModes)
{
    AddFeature(PAPER, 1, {});
    EXPECT_EQ(settings.SetFeatureLock(PAPER, 2), 0);
    EXPECT_EQ(settings.IsFeatureLocked(PAPER), 0);
    EXPECT_EQ(settings.IsFeatureLockRequested(PAPER), 1);
    EXPECT_EQ(settings.SetFeatureLock(PAPER, 1), 0);
    EXPECT_EQ(settings.IsFeatureLocked(PAPER), 1);
    EXPECT_EQ(settings.SetFeatureLock(PAPER, 0), FAILED);
    EXPECT_EQ(settings.SetFeatureLock(PAPER, 7), 0);
    EXPECT_EQ(settings.IsFeatureLocked(PAPER), 1);
    EXPECT_EQ(settings.SetFeatureLock(PAPER, 3), 0);
    EXPECT_EQ(settings.IsFeatureLocked(PAPER), 0);
    EXPECT_EQ(settings.IsFeatureLockRequested(PAPER), 0);
    EXPECT_EQ(settings.SetFeatureLock(4200, 1), FAILED);
    EXPECT_EQ(settings.IsFeatureLocked(4200), FAILED);
    EXPECT_EQ(settings.IsFeatureLockRequested(4200), FAILED);
}

TEST_F(UISettingsTest, FeatureStateAndDefaultOptionSetters)
{
    AddFeature(PAPER, 1, {});
    EXPECT_CALL(owner, NotifyFeatureChanged(_, _)).Times(0);
    EXPECT_EQ(settings.SetFeatureState(PAPER, 0), 0);
    EXPECT_EQ(settings.GetFeatureState(PAPER), 0);
    EXPECT_EQ(settings.SetFeatureState(4200, 3), 0);
    int id = PAPER, opt = 4, def = 0;
    EXPECT_EQ(settings.SetDefaultOption(&id, &opt), 0);
    EXPECT_EQ(settings.GetDefaultOption(PAPER, &def), 0);
    EXPECT_EQ(def, 4);
    id = 4200;
    EXPECT_EQ(settings.SetDefaultOption(&id, &opt), FAILED);
}

// ---- constraint actions and limits ----

TEST_F(UISettingsTest, ALimitedActionRunsOnlyBelowTheStoredLevel)
{
    AddFeature(PAPER, 1, {1, 2});
    Set(PAPER, 1);
    settings.SetOptionState(PAPER, 2, OPTION_STATE_UNAVAILABLE, 0);
    ASSERT_EQ(settings.SetOptionLimit(PAPER, 2), 0);

    EXPECT_EQ(Apply(PAPER, 2, 1, 1, 3), FAILED);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_SELECTABLE);  // the state is set before the limit test
    EXPECT_EQ(Current(PAPER), 1);

    EXPECT_EQ(Apply(PAPER, 2, 1, 1, 1), 0);
    EXPECT_EQ(Current(PAPER), 2);
    EXPECT_EQ(Apply(PAPER, 1, 1, 1, 1), FAILED);  // level is now 1

    settings.ClearOptionLimits();
    EXPECT_EQ(Apply(PAPER, 1, 1, 1, 50), 0);
    EXPECT_EQ(Current(PAPER), 1);
}

TEST_F(UISettingsTest, TheResolutionNeverGetsALevel)
{
    AddFeature(RESOLUTION, 1, {1, 2, 3});
    EXPECT_EQ(settings.SetOptionLimit(RESOLUTION, 1), FAILED);
    EXPECT_EQ(Apply(RESOLUTION, 2, 1, 1, 5), 0);
    EXPECT_EQ(Apply(RESOLUTION, 3, 1, 1, 9), 0);
    EXPECT_EQ(Current(RESOLUTION), 3);
}

TEST_F(UISettingsTest, ActionsOnOptionStatesAndDisplay)
{
    AddFeature(PAPER, 1, {1, 2, 3});
    EXPECT_EQ(Apply(PAPER, 2, 2), 0);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_UNAVAILABLE);
    EXPECT_EQ(Apply(PAPER, 2, 8), 0);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(Apply(PAPER, 2, 5), 0);
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_CONFLICT);
    EXPECT_EQ(Apply(PAPER, 2, 9), 0);
    EXPECT_EQ(Apply(PAPER, 2, 18), 0);  // available again with the conflict cleared
    EXPECT_EQ(State(PAPER, 2), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(Apply(PAPER, 3, 7), 0);
    EXPECT_THAT(Walk(PAPER), ElementsAre(2, 1));
    EXPECT_EQ(Apply(PAPER, 0, 12), 0);
    EXPECT_EQ(settings.GetDisplayState(PAPER), 0);
    EXPECT_EQ(Apply(PAPER, 0, 13), 0);
    EXPECT_EQ(settings.GetDisplayState(PAPER), 1);
    EXPECT_EQ(Apply(PAPER, 77, 24), 0);
    int value = 0;
    settings.GetDiscriminator(PAPER, &value);
    EXPECT_EQ(value, 77);
    settings.RemoveChange(PAPER);
    EXPECT_EQ(Apply(PAPER, 0, 25), 0);
    EXPECT_EQ(ChangeMask(PAPER), CHANGE_MASK_OPTIONS);

    EXPECT_EQ(Apply(PAPER, 9, 2), FAILED);  // needs the option
    EXPECT_EQ(Apply(PAPER, 1, 3), FAILED);  // no such action
    EXPECT_EQ(Apply(4200, 1, 12), FAILED);
}

TEST_F(UISettingsTest, ShowAndSelectAndSelectAndGrey)
{
    AddFeature(PAPER, 1, {1, 2});
    Set(PAPER, 1);
    settings.SetDisplayState(PAPER, DISPLAY_STATE_HIDDEN);
    settings.SetOptionState(PAPER, 2, OPTION_STATE_UNAVAILABLE, 0);
    EXPECT_EQ(Apply(PAPER, 2, 10, 1, 4), 0);
    EXPECT_EQ(settings.GetDisplayState(PAPER), DISPLAY_STATE_ENABLED);
    EXPECT_EQ(Current(PAPER), 2);
    EXPECT_EQ(Apply(PAPER, 1, 10, 1, 4), FAILED);  // level 4 stored

    settings.ClearOptionLimits();
    EXPECT_EQ(Apply(PAPER, 1, 11, 1, 3), 0);
    EXPECT_EQ(Current(PAPER), 1);
    EXPECT_EQ(settings.GetDisplayState(PAPER), DISPLAY_STATE_GREYED);
    settings.ClearOptionLimits();
    EXPECT_EQ(Apply(PAPER, 2, 11, 1, 3), FAILED);  // already greyed
    EXPECT_EQ(Current(PAPER), 2);
}

TEST_F(UISettingsTest, SelectingActionsAndTheUsersChoice)
{
    AddFeature(PAPER, 1, {1, 2, 3});
    Set(PAPER, 1);
    Record(PAPER)->respectUserSelection = 1;

    EXPECT_EQ(Apply(PAPER, 2, 19), 0);
    EXPECT_EQ(Current(PAPER), 2);
    EXPECT_EQ(Record(PAPER)->userOption, 2);
    EXPECT_EQ(Record(PAPER)->userSelected, 1);
    // A user-selected feature that respects the selection refuses actions 1 and 26.
    EXPECT_EQ(Apply(PAPER, 3, 1), FAILED);
    EXPECT_EQ(Apply(PAPER, 3, 26), FAILED);
    EXPECT_EQ(Apply(PAPER, 3, 22), 0);
    EXPECT_EQ(Current(PAPER), 3);
    EXPECT_EQ(Record(PAPER)->userSelected, 0);

    EXPECT_EQ(Apply(PAPER, 0, 21, 0), 0);  // back to the user's option 2
    EXPECT_EQ(Current(PAPER), 2);
    EXPECT_EQ(Record(PAPER)->userOption, 2);
    EXPECT_EQ(Apply(PAPER, 3, 20), 0);  // selected, user option cleared
    EXPECT_EQ(Current(PAPER), 3);
    EXPECT_EQ(Record(PAPER)->userOption, 0);
    EXPECT_EQ(Apply(PAPER, 0, 21), 0);  // no user option: the default
    EXPECT_EQ(Current(PAPER), 1);
    Record(PAPER)->respectUserSelection = 0;
    EXPECT_EQ(Apply(PAPER, 3, 26), 0);
    EXPECT_EQ(Current(PAPER), 3);
    EXPECT_EQ(Apply(PAPER, 0, 23, 1, 6), 0);
    EXPECT_EQ(Current(PAPER), 1);
    EXPECT_EQ(Apply(PAPER, 0, 23, 1, 6), FAILED);  // level 6 stored

    // Action 19 without the option chooses the current option again as the user's.
    Record(PAPER)->userSelected = 0;
    EXPECT_EQ(Apply(PAPER, 9, 19), 0);
    EXPECT_EQ(Record(PAPER)->userSelected, 1);
    EXPECT_EQ(Record(PAPER)->userOption, 1);
}

TEST_F(UISettingsTest, SelectingActionsWaitWhileTheSheetsAreBuilt)
{
    AddFeature(PAPER, 1, {1, 2});
    ON_CALL(owner, GetSheetInitializing(_)).WillByDefault(DoAll(SetArgPointee<0>(1), Return(0)));
    EXPECT_EQ(Apply(PAPER, 2, 1), FAILED);
    EXPECT_EQ(Apply(PAPER, 2, 22), FAILED);
    EXPECT_EQ(Current(PAPER), 1);
    EXPECT_EQ(Apply(PAPER, 2, 26), 0);
    EXPECT_EQ(Current(PAPER), 2);
}

// ---- pending conflicts ----

TEST_F(UISettingsTest, SelectingAConflictingOptionQueuesTheFeatureUntilItIsResolved)
{
    AddFeature(PAPER, 1, {1, 2});
    settings.SetOptionState(PAPER, 2, OPTION_STATE_CONFLICT, 0);
    Set(PAPER, 2, OPTION_STATE_CONFLICT);
    int found = 0;
    settings.FindPending(PAPER, &found, nullptr);
    EXPECT_EQ(found, 1);
    Set(PAPER, 1);
    settings.FindPending(PAPER, &found, nullptr);
    EXPECT_EQ(found, 0);
}

TEST_F(UISettingsTest, PendingListKeepsOneRecordPerSettingsFeature)
{
    EXPECT_EQ(settings.QueuePending(6079, 1, PENDING_AT_TAIL), FAILED);
    EXPECT_EQ(settings.QueuePending(4120, 1, PENDING_AT_TAIL), 0);
    EXPECT_EQ(settings.QueuePending(4121, 1, PENDING_AT_TAIL), 0);
    EXPECT_EQ(settings.QueuePending(4122, 1, PENDING_AT_HEAD), 0);
    EXPECT_EQ(settings.QueuePending(4120, 7, PENDING_AT_HEAD), 0);  // kept where it was
    EXPECT_EQ(settings.QueuePending(4123, 1, 5), 0);                // placed nowhere

    std::vector<std::pair<int, int>> seen;
    auto record = [](void* user, int id, int opt) {
        static_cast<std::vector<std::pair<int, int>>*>(user)->emplace_back(id, opt);
        return 0;
    };
    ASSERT_EQ(settings.ForEachPending(record, &seen), 0);
    EXPECT_THAT(seen, ElementsAre(std::pair{4122, 1}, std::pair{4120, 1}, std::pair{4121, 1}));

    EXPECT_EQ(settings.RemovePending(4121), 0);
    EXPECT_EQ(settings.RemovePending(4121), NIRA_STATUS_NOT_LISTED);
    EXPECT_EQ(settings.RemovePending(6079), FAILED);
    EXPECT_EQ(settings.ForEachPending(nullptr, nullptr), FAILED);
    EXPECT_EQ(settings.EvaluatePending(4120, 1, 3), FAILED);
    EXPECT_EQ(settings.ClearPending(), 0);
    seen.clear();
    settings.ForEachPending(record, &seen);
    EXPECT_TRUE(seen.empty());
}

TEST_F(UISettingsTest, AConflictResolvedDuringThePendingWalkIsSafe)
{
    settings.QueuePending(4120, 1, PENDING_AT_TAIL);
    settings.QueuePending(4121, 1, PENDING_AT_TAIL);
    int calls = 0;
    struct Walk {
        CNiraUISettings* settings;
        int* calls;
    } walk{&settings, &calls};
    settings.ForEachPending(
        [](void* user, int, int) {
            Walk* w = static_cast<Walk*>(user);
            ++*w->calls;
            w->settings->ClearPending();  // resolving removes the records being walked
            return 0;
        },
        &walk);
    EXPECT_EQ(calls, 2);
}

// ---- dependents ----

TEST_F(UISettingsTest, DependentsAreVisitedWhileTheOptionConflicts)
{
    AddFeature(PAPER, 1, {1, 2});
    std::vector<int> seen;
    auto record = [](void* user, int, int, int dependent) {
        static_cast<std::vector<int>*>(user)->push_back(dependent);
        return 0;
    };
    EXPECT_EQ(settings.ForEachDependent(PAPER, 2, &seen, record), NIRA_STATUS_NOT_LISTED);
    settings.AddDependent(4130, PAPER);
    settings.AddDependent(4120, PAPER);
    settings.AddDependent(4130, PAPER);
    EXPECT_EQ(settings.ForEachDependent(PAPER, 2, &seen, record), 0);
    EXPECT_TRUE(seen.empty());
    settings.SetOptionState(PAPER, 2, OPTION_STATE_CONFLICT, 0);
    EXPECT_EQ(settings.ForEachDependent(PAPER, 2, &seen, record), 0);
    EXPECT_THAT(seen, ElementsAre(4130, 4120));
    EXPECT_EQ(settings.ForEachDependent(PAPER, 2, &seen, nullptr), FAILED);
}

// ---- option tracking ----

TEST_F(UISettingsTest, ConflictingOptionsAddedDuringAChangeAreRemovedWhenItIsReverted)
{
    AddFeature(6400, 1, {1});
    AddFeature(6401, 1, {1});
    settings.SetOptionTracking(1);
    settings.AddOption(6400, 2, NewOption(6400, 20, OPTION_STATE_CONFLICT));
    settings.AddOption(6400, 3, NewOption(6400, 30, OPTION_STATE_SELECTABLE));
    settings.AddOption(6401, 2, NewOption(6401, 20, OPTION_STATE_CONFLICT));
    settings.SetOptionTracking(0);
    settings.FinishOptionTracking(1);
    EXPECT_THAT(Walk(6400), ElementsAre(3, 1));
    EXPECT_THAT(Walk(6401), ElementsAre(1));

    // Without revert the options stay; a removal forgets the feature's tracked options.
    settings.SetOptionTracking(1);
    settings.AddOption(6400, 4, NewOption(6400, 40, OPTION_STATE_CONFLICT));
    settings.AddOption(6400, 5, NewOption(6400, 50, OPTION_STATE_CONFLICT));
    int id = 6400, opt = 3;
    settings.RemoveOption(&id, &opt);
    settings.FinishOptionTracking(1);
    EXPECT_THAT(Walk(6400), ElementsAre(5, 4, 1));
    settings.SetOptionTracking(1);
    settings.AddOption(6401, 6, NewOption(6401, 60, OPTION_STATE_CONFLICT));
    settings.FinishOptionTracking(0);
    settings.FinishOptionTracking(1);
    EXPECT_THAT(Walk(6401), ElementsAre(6, 1));
}

TEST_F(UISettingsTest, TheLinkTargetsOfDuplexAndGrayOptionsAreNotTracked)
{
    AddFeature(DUPLEX, 1, {1});
    AddFeature(6450, 1, {});
    settings.SetSoftLinks(6450, 1, DUPLEX, 0);
    settings.SetOptionTracking(1);
    settings.AddOption(6450, 2, NewOption(6450, 20, OPTION_STATE_CONFLICT));
    settings.FinishOptionTracking(1);
    EXPECT_THAT(Walk(6450), ElementsAre(2));
}

// ---- linked features ----

class LinkedFeatureTest : public UISettingsTest {
protected:
    // Source A (4230): options 1..4 with aux1 bits 1,0,0,1; source B (4231): 1..2 with bits 0,1.
    void SetUp() override
    {
        UISettingsTest::SetUp();
        AddSource(4230, {1, 0, 0, 1});
        AddSource(4231, {0, 1});
        AddFeature(6420, 1, {});
        FeatureUIRecord* ui = UIRecord(6420);
        ui->auxIndex = 1;
        ui->auxBitMask = 1;
    }
    void AddSource(int id, std::initializer_list<int> aux)
    {
        AddFeature(id, 1, {});
        int opt = 1;
        for (int bit : aux) {
            OptionInfo* info = NewOption(id, opt * 10);
            info->auxId1 = bit;
            settings.AddOption(id, opt++, info);
        }
    }
    std::pair<int, int> Source(int opt)
    {
        int sourceId = 0, sourceOpt = 0;
        EXPECT_EQ(settings.GetLinkedOptionSource(6420, opt, &sourceId, &sourceOpt), 0);
        return {sourceId, sourceOpt};
    }
};

TEST_F(LinkedFeatureTest, TwoSourcesAreNumberedOldestOptionOfTheFirstSourceFirst)
{
    settings.SetSoftLinks(6420, 1, 4230, 4231);
    ASSERT_EQ(settings.BuildLinkedOptions(6420, 2), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 3, 2, 1));
    EXPECT_EQ(Source(1), (std::pair{4230, 1}));
    EXPECT_EQ(Source(2), (std::pair{4230, 2}));  // the kept option
    EXPECT_EQ(Source(3), (std::pair{4230, 4}));
    EXPECT_EQ(Source(4), (std::pair{4231, 2}));
    EXPECT_EQ(Option(6420, 3).optionIndex, 40);

    int opt = 0, found = 0;
    EXPECT_EQ(settings.FindLinkedOption(6420, 4231, 2, &opt, &found), 0);
    EXPECT_EQ(opt, 4);
    EXPECT_EQ(settings.FindLinkedOption(6420, 4231, 1, &opt, &found), FAILED);
    EXPECT_EQ(found, 0);

    // The rebuild always takes the first source's third-oldest option and keeps nothing else.
    ASSERT_EQ(settings.RebuildLinkedOptions(6420), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 3, 2, 1));
    EXPECT_EQ(Source(2), (std::pair{4230, 3}));
    EXPECT_EQ(Source(4), (std::pair{4231, 2}));
    EXPECT_EQ(settings.ClearLinkedOptions(6420), 0);
    int sourceId = 0, sourceOpt = 0;
    EXPECT_EQ(settings.GetLinkedOptionSource(6420, 1, &sourceId, &sourceOpt), FAILED);
}

TEST_F(LinkedFeatureTest, OneSourceKeepsTheOptionIds)
{
    settings.SetSoftLinks(6420, 1, 4230, 0);
    ASSERT_EQ(settings.BuildLinkedOptions(6420, 2), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 2, 1));
    int sourceId = 0, sourceOpt = 0;
    EXPECT_EQ(settings.GetLinkedOptionSource(6420, 1, &sourceId, &sourceOpt), FAILED);
    ASSERT_EQ(settings.RebuildLinkedOptions(6420), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 1));

    settings.SetSoftLinks(6420, 1, 4299, 0);
    EXPECT_EQ(settings.BuildLinkedOptions(6420, -1), FAILED);
    settings.SetSoftLinks(6420, 1, 4230, 4299);
    EXPECT_EQ(settings.BuildLinkedOptions(6420, -1), FAILED);
    EXPECT_EQ(settings.BuildLinkedOptions(4200, -1), FAILED);
}

TEST_F(LinkedFeatureTest, AddLinkedOptionSkipsUsedIds)
{
    for (int opt : {1, 2, 3, 5}) {
        settings.AddOption(6420, opt, NewOption(6420, opt));
    }
    int newOpt = 0;
    ASSERT_EQ(settings.AddLinkedOption(6420, &newOpt, 4230, 2), 0);
    EXPECT_EQ(newOpt, 6);
    EXPECT_EQ(Source(6), (std::pair{4230, 2}));
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 4230, 2), FAILED);  // already linked

    int id = 6420, opt = 5;
    settings.RemoveOption(&id, &opt);
    settings.AddOption(6420, 4, NewOption(6420, 4));
    ASSERT_EQ(settings.AddLinkedOption(6420, &newOpt, 4231, 1), 0);
    EXPECT_EQ(newOpt, 5);

    newOpt = -1;
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 0, 1), 0);
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 4230, 9), 0);  // not an option of the source
    EXPECT_EQ(newOpt, -1);
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 4299, 1), FAILED);
}

TEST_F(LinkedFeatureTest, SoftLinkTargetsAreFoundByEitherSource)
{
    settings.SetSoftLinks(6420, 1, 4230, 4231);
    AddFeature(6430, 1, {});
    settings.SetSoftLinks(6430, 1, 4231, 0);
    int found = 0, target = 0, isSecond = 0;
    settings.FindSoftLinkTarget(4230, &found, &target, &isSecond);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(target, 6420);
    EXPECT_EQ(isSecond, 1);
    settings.FindSoftLinkTarget(4231, &found, &target, &isSecond);  // the last match wins
    EXPECT_EQ(target, 6430);
    EXPECT_EQ(isSecond, 0);
    settings.FindSoftLinkTarget(0, &found, &target, &isSecond);
    EXPECT_EQ(found, 0);

    int hasFirst = 0, a = 0, b = 0, hasSecond = 0;
    settings.GetSoftLinks(6420, &hasFirst, &a, &b, &hasSecond);
    EXPECT_EQ(hasFirst + hasSecond, 2);
    EXPECT_EQ(a, 4230);
    EXPECT_EQ(b, 4231);
    settings.GetSoftLinks(4230, &hasFirst, &a, &b, &hasSecond);
    EXPECT_EQ(hasFirst + a + b + hasSecond, 0);
    EXPECT_EQ(settings.SetSoftLinks(4200, 1, 2, 3), FAILED);
}

// ---- reset to defaults ----

TEST_F(UISettingsTest, ResetToDefaultsRestoresOptionsDisplayAndStates)
{
    AddFeature(PAPER, 1, {1, 2});
    AddFeature(MEDIA, 1, {1, 2});
    AddFeature(BIN, 1, {1, 2});
    Set(PAPER, 2, OPTION_STATE_SELECTABLE, 1);
    Set(MEDIA, 2);
    Record(MEDIA)->uiDataStore = 1;
    settings.SetDisplayState(MEDIA, DISPLAY_STATE_GREYED);
    settings.SetDefaultOptionState(MEDIA, 1, OPTION_STATE_CONFLICT);

    EXPECT_CALL(owner, TrackValueChange(PAPER, 1)).WillOnce(Return(0));
    EXPECT_CALL(owner, TrackValueChange(MEDIA, 1)).WillOnce(Return(0));
    EXPECT_EQ(settings.ResetToDefaults(BIN), 0);
    EXPECT_EQ(Current(PAPER), 1);
    EXPECT_EQ(Record(PAPER)->previousOption, 2);
    EXPECT_EQ(Record(PAPER)->userSelected, 0);
    // A feature kept in the registry store keeps its option but gets its display and states back.
    EXPECT_EQ(Current(MEDIA), 2);
    EXPECT_EQ(settings.GetDisplayState(MEDIA), DISPLAY_STATE_ENABLED);
    EXPECT_EQ(State(MEDIA, 1), OPTION_STATE_CONFLICT);
    EXPECT_EQ(Option(MEDIA, 1).iconId, 127);
    EXPECT_EQ(ChangeMask(MEDIA) & CHANGE_MASK_DISPLAY, CHANGE_MASK_DISPLAY);
}

TEST_F(UISettingsTest, ResetToDefaultsFailsWhenNothingDifferedAndSetsThePaperDiscriminator)
{
    AddFeature(PAPER, 1, {1, 2});
    AddFeature(6065, 0, {});
    EXPECT_EQ(settings.ResetToDefaults(0), FAILED);
    EXPECT_EQ(settings.ResetToDefaults(0), FAILED);

    int id = 6065, opt = 3;
    settings.SetDefaultOption(&id, &opt);
    settings.RemoveChange(PAPER);
    EXPECT_CALL(owner, TrackValueChange(_, _)).Times(0);  // 6065 is no settings feature
    EXPECT_EQ(settings.ResetToDefaults(0), 0);
    int value = 0;
    settings.GetDiscriminator(PAPER, &value);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(ChangeMask(PAPER) & CHANGE_MASK_OPTIONS, CHANGE_MASK_OPTIONS);
}

// ---- notifications that come back into the object ----

TEST_F(UISettingsTest, AHandlerMayRemoveTheOptionItIsToldAbout)
{
    AddFeature(PAPER, 1, {1, 2, 3});
    Set(PAPER, 1);
    EXPECT_CALL(owner, NotifyFeatureChanged(PAPER, _))
        .Times(AnyNumber())
        .WillRepeatedly(Invoke([this](int id, int kind) {
            if (kind == CHANGE_OPTION_SELECTABLE) {
                int opt = 2;
                settings.RemoveOption(&id, &opt);
            }
            return 0;
        }));
    EXPECT_EQ(Set(PAPER, 2), 0);
    EXPECT_EQ(settings.ResetToDefaults(0), 0);
    EXPECT_EQ(Current(PAPER), 1);
}
