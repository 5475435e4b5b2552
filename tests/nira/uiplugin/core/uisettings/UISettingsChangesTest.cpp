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
constexpr int kFailed = NIRA_STATUS_FAILED;
constexpr int kPaper = 4114;
constexpr int kQuality = 4115;
constexpr int kMedia = 4116;
constexpr int kBin = 4117;
constexpr int kResolution = 4123;
constexpr int kDuplex = 4125;
constexpr int kGrayOptions = 4137;
constexpr int kWidget = 6010;
}  // namespace

// ---- change records and notifications ----

TEST_F(UISettingsTest, ChangeKindsMergeIntoOneRecordAndReachTheOwner)
{
    AddFeature(kPaper, 1, {});
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_CURRENT_OPTION));
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_DISPLAY_STATE));
    EXPECT_EQ(settings.AddChange(kPaper, CHANGE_CURRENT_OPTION), 0);
    EXPECT_EQ(settings.AddChange(kPaper, CHANGE_DISPLAY_STATE), 0);
    EXPECT_EQ(ChangeMask(kPaper), CHANGE_MASK_CURRENT | CHANGE_MASK_DISPLAY);
    EXPECT_EQ(settings.GetChangeCount(), 1);

    // Kind 6 is no change kind: refused, recorded nowhere, told to nobody.
    EXPECT_EQ(settings.AddChange(kPaper, 6), kFailed);
    EXPECT_EQ(settings.AddChange(4200, CHANGE_CURRENT_OPTION), kFailed);
    EXPECT_EQ(ChangeMask(kPaper), 6);
}

// ---- SetCurrentOption ----

TEST_F(UISettingsTest, FirstSetCurrentOptionOfASettingsFeatureAlwaysCounts)
{
    AddFeature(kPaper, 1, {1, 2});
    AddFeature(kWidget, 1, {1, 2});
    EXPECT_CALL(owner, CountChange(kPaper)).Times(1);
    EXPECT_CALL(owner, CountChange(kWidget)).Times(0);
    EXPECT_EQ(Set(kPaper, 1), 0);  // already current, still counted once
    EXPECT_EQ(Set(kPaper, 1), 0);
    EXPECT_EQ(Set(kWidget, 1), 0);  // outside the settings range: no first change
    EXPECT_EQ(Record(kPaper)->firstChange, 0);
}

TEST_F(UISettingsTest, SetCurrentOptionMovesAndCounts)
{
    AddFeature(kPaper, 1, {1, 2});
    Set(kPaper, 1);  // spend the first change
    EXPECT_CALL(owner, TrackValueChange(kPaper, 2));
    EXPECT_CALL(owner, CountChange(kPaper));
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_SELECTABLE));
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_CURRENT_OPTION));
    ASSERT_EQ(Set(kPaper, 2, OPTION_STATE_SELECTABLE, 1), 0);
    ::testing::Mock::VerifyAndClearExpectations(&owner);
    EXPECT_EQ(Current(kPaper), 2);
    EXPECT_EQ(Record(kPaper)->previousOption, 1);
    EXPECT_EQ(Record(kPaper)->userOption, 2);
    EXPECT_EQ(Record(kPaper)->userSelected, 1);
    EXPECT_EQ(ChangeMask(kPaper) & CHANGE_MASK_CURRENT, CHANGE_MASK_CURRENT);

    // clearUser forgets the user's option; byUser 0 clears userSelected.
    ASSERT_EQ(Set(kPaper, 1, OPTION_STATE_SELECTABLE, 0, 1), 0);
    EXPECT_EQ(Record(kPaper)->userOption, 0);
    EXPECT_EQ(Record(kPaper)->userSelected, 0);
}

TEST_F(UISettingsTest, WithoutNotifyAlwaysTheFeatureMovesOnlyAwayFromAnUnavailableOption)
{
    AddFeature(kPaper, 1, {1, 2});
    Set(kPaper, 1);
    settings.SetOptionState(kPaper, 2, OPTION_STATE_GREYED, 0);
    ASSERT_EQ(Set(kPaper, 2, OPTION_STATE_SELECTABLE, 0, 0, 0), 0);
    EXPECT_EQ(Current(kPaper), 1);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_SELECTABLE);  // the state is applied anyway

    settings.SetOptionState(kPaper, 1, OPTION_STATE_GREYED, 0);
    EXPECT_CALL(owner, CountChange(kPaper));
    ASSERT_EQ(Set(kPaper, 2, OPTION_STATE_SELECTABLE, 0, 0, 0), 0);
    EXPECT_EQ(Current(kPaper), 2);
    EXPECT_EQ(Record(kPaper)->previousOption, 1);
}

TEST_F(UISettingsTest, SetCurrentOptionLeavesAloneWhatItMayNotChange)
{
    AddFeature(kPaper, 1, {1, 2});
    AddFeature(kMedia, 1, {1, 2});
    AddFeature(kBin, 1, {1, 2});
    Record(kMedia)->featureState = 0;
    settings.SetFeatureLock(kBin, 1);
    ON_CALL(owner, GetLastChangedFeature(_)).WillByDefault(DoAll(SetArgPointee<0>(kPaper), Return(0)));

    EXPECT_CALL(owner, CountChange(kBin));  // only the locked case reaches the owner
    EXPECT_CALL(owner, CountChange(kMedia)).Times(0);
    EXPECT_CALL(owner, CountChange(kPaper)).Times(0);
    EXPECT_EQ(Set(kMedia, 2), 0);
    EXPECT_EQ(Set(kBin, 2), 0);
    EXPECT_EQ(Set(kPaper, 2, OPTION_STATE_SELECTABLE, 0, 0, 1, 0), 0);  // being changed by the user
    EXPECT_EQ(Current(kMedia), 1);
    EXPECT_EQ(Current(kBin), 1);
    EXPECT_EQ(Current(kPaper), 1);

    EXPECT_EQ(Set(4200, 1), kFailed);
    EXPECT_EQ(Set(kPaper, 2, OPTION_STATE_UNAVAILABLE), kFailed);
    EXPECT_EQ(Set(kPaper, 2, OPTION_STATE_GREYED), kFailed);
}

TEST_F(UISettingsTest, AutoSelectedPaperKeepsThePreviousOptionAndIsNotTracked)
{
    AddFeature(kPaper, 1, {1, 2, 254});
    Set(kPaper, 2);
    EXPECT_CALL(owner, TrackValueChange(_, _)).Times(AnyNumber());
    EXPECT_CALL(owner, TrackValueChange(kPaper, 254)).Times(0);
    ASSERT_EQ(Set(kPaper, 254), 0);
    EXPECT_EQ(Current(kPaper), 254);
    // Leaving the automatic option does not make it the previous one: that stays a real choice.
    ASSERT_EQ(Set(kPaper, 1), 0);
    EXPECT_EQ(Record(kPaper)->previousOption, 2);

    int result = -1;
    for (auto [id, opt, expected] :
         {std::tuple{kPaper, 254, 1}, {kPaper, 26, 1}, {kMedia, 254, 1}, {kMedia, 26, 0}, {kBin, 254, 0}}) {
        settings.IsAutoSelectedOption(id, opt, &result);
        EXPECT_EQ(result, expected) << id << "/" << opt;
    }
}

TEST_F(UISettingsTest, ForceNotifyCountsEverySelection)
{
    AddFeature(kPaper, 1, {1, 2});
    Set(kPaper, 1);
    settings.SetForceNotify(1);
    EXPECT_CALL(owner, CountChange(kPaper)).Times(2);
    Set(kPaper, 1);
    Set(kPaper, 1, OPTION_STATE_SELECTABLE, 0, 0, 0);
}

TEST_F(UISettingsTest, ForceCurrentOptionStoresTheUsersChoice)
{
    AddFeature(kPaper, 1, {1, 2});
    AddFeature(6400, 1, {1, 2});
    settings.SetSoftLinks(6400, 1, kPaper, 0);
    int id = 6400, opt = 1;
    EXPECT_EQ(settings.ForceCurrentOption(&id, &opt, 0), kFailed);  // already current
    EXPECT_CALL(owner, TrackValueChange(_, _)).Times(0);            // 6400 is no settings feature
    EXPECT_CALL(owner, CountChange(_)).Times(0);
    EXPECT_CALL(owner, NotifyFeatureChanged(6400, CHANGE_CURRENT_OPTION)).Times(2);
    EXPECT_EQ(settings.ForceCurrentOption(&id, &opt, 1), 0);
    opt = 2;
    ASSERT_EQ(settings.ForceCurrentOption(&id, &opt, 0), 0);
    EXPECT_EQ(Current(6400), 2);
    EXPECT_EQ(Record(6400)->userOption, 2);
    EXPECT_EQ(Record(6400)->userSelected, 1);
    EXPECT_EQ(Record(kPaper)->userSelected, 1);  // the linked source has option 2 too
    EXPECT_EQ(settings.GetUserOption(6400), 2);
}

// ---- option states ----

TEST_F(UISettingsTest, AnUnavailableOptionNeverBecomesConflictingButRemembersTheConflict)
{
    AddFeature(kPaper, 1, {1, 2});
    settings.SetOptionState(kPaper, 2, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(kPaper, 2, OPTION_STATE_CONFLICT, 0);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_UNAVAILABLE);

    // Conflicting, then greyed, then selectable again: it comes back conflicting.
    settings.SetOptionState(kPaper, 1, OPTION_STATE_CONFLICT, 0);
    settings.SetOptionState(kPaper, 1, OPTION_STATE_GREYED, 0);
    EXPECT_EQ(Option(kPaper, 1).conflictFlag, 1);
    settings.SetOptionState(kPaper, 1, OPTION_STATE_SELECTABLE, 0);
    EXPECT_EQ(State(kPaper, 1), OPTION_STATE_CONFLICT);
    // Unless the call clears the conflict.
    settings.SetOptionState(kPaper, 1, OPTION_STATE_GREYED, 0);
    settings.SetOptionState(kPaper, 1, OPTION_STATE_SELECTABLE, 1);
    EXPECT_EQ(State(kPaper, 1), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(Option(kPaper, 1).conflictFlag, 0);

    // A missing option changes nothing.
    EXPECT_EQ(settings.SetOptionState(kPaper, 9, OPTION_STATE_SELECTABLE, 0), 0);
    EXPECT_EQ(settings.SetOptionState(4200, 1, OPTION_STATE_SELECTABLE, 0), kFailed);
}

TEST_F(UISettingsTest, OptionStateChangeKindsFollowTheNewState)
{
    AddFeature(kPaper, 1, {1, 2});
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_STATE));
    settings.SetOptionState(kPaper, 2, OPTION_STATE_GREYED, 0);
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_SELECTABLE));
    settings.SetOptionState(kPaper, 2, OPTION_STATE_SELECTABLE, 0);
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_STATE));
    settings.SetDefaultOptionState(kPaper, 2, OPTION_STATE_GREYED);
    EXPECT_EQ(Option(kPaper, 2).defaultState, OPTION_STATE_GREYED);
}

TEST_F(UISettingsTest, StateChangesOfTwoWatchedOptionsCountAsValueChanges)
{
    AddFeature(kQuality, 1, {1, 5});
    AddFeature(kGrayOptions, 1, {1, 4});
    AddFeature(kPaper, 1, {1, 5});
    EXPECT_CALL(owner, CountChange(kQuality)).Times(1);
    EXPECT_CALL(owner, CountChange(kGrayOptions)).Times(2);
    EXPECT_CALL(owner, CountChange(kPaper)).Times(0);
    settings.SetOptionState(kQuality, 5, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(kQuality, 5, OPTION_STATE_UNAVAILABLE, 0);  // no change, no count
    settings.SetOptionState(kPaper, 5, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(kGrayOptions, 4, OPTION_STATE_UNAVAILABLE, 0);
    settings.SetOptionState(kGrayOptions, 4, OPTION_STATE_CONFLICT, 0);  // refused, but counted
}

// ---- display states and locks ----

TEST_F(UISettingsTest, ALockedFeatureCanOnlyBeHidden)
{
    AddFeature(kPaper, 1, {1, 2});
    settings.SetDisplayState(kPaper, DISPLAY_STATE_GREYED);
    settings.SetFeatureLock(kPaper, 1);
    EXPECT_EQ(settings.SetDisplayState(kPaper, DISPLAY_STATE_ENABLED), 0);
    EXPECT_EQ(settings.GetDisplayState(kPaper), DISPLAY_STATE_GREYED);
    EXPECT_EQ(settings.SetDisplayState(kPaper, DISPLAY_STATE_HIDDEN), 0);
    EXPECT_EQ(settings.GetDisplayState(kPaper), DISPLAY_STATE_HIDDEN);

    AddFeature(kMedia, 1, {}, false);
    EXPECT_EQ(settings.SetDisplayState(kMedia, 3), NIRA_STATUS_NO_FEATURE);
    EXPECT_EQ(settings.SetDefaultDisplayState(kMedia, 3), NIRA_STATUS_NO_FEATURE);
    EXPECT_EQ(settings.SetDisplayState(4200, 3), 0);
    EXPECT_EQ(settings.SetDefaultDisplayState(4200, 3), kFailed);
}

TEST_F(UISettingsTest, ALockedFeatureOnlyLetsItsCurrentOptionConflictWithoutPopup)
{
    AddFeature(kPaper, 1, {1, 2});
    OptionInfo current = Option(kPaper, 1);
    current.iconId = 12;
    settings.SetOptionInfo(kPaper, 1, &current);
    settings.SetFeatureLock(kPaper, 1);

    EXPECT_CALL(owner, SuppressConflictPopup(1)).Times(1);
    settings.SetOptionState(kPaper, 2, OPTION_STATE_GREYED, 0);
    settings.SetOptionState(kPaper, 1, OPTION_STATE_GREYED, 0);
    settings.SetOptionState(kPaper, 1, OPTION_STATE_CONFLICT, 0);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(State(kPaper, 1), OPTION_STATE_CONFLICT);
    EXPECT_EQ(Option(kPaper, 1).iconId, 0);
}

TEST_F(UISettingsTest, LockModes)
{
    AddFeature(kPaper, 1, {});
    EXPECT_EQ(settings.SetFeatureLock(kPaper, 2), 0);
    EXPECT_EQ(settings.IsFeatureLocked(kPaper), 0);
    EXPECT_EQ(settings.IsFeatureLockRequested(kPaper), 1);
    EXPECT_EQ(settings.SetFeatureLock(kPaper, 1), 0);
    EXPECT_EQ(settings.IsFeatureLocked(kPaper), 1);
    EXPECT_EQ(settings.SetFeatureLock(kPaper, 0), kFailed);
    EXPECT_EQ(settings.SetFeatureLock(kPaper, 7), 0);
    EXPECT_EQ(settings.IsFeatureLocked(kPaper), 1);
    EXPECT_EQ(settings.SetFeatureLock(kPaper, 3), 0);
    EXPECT_EQ(settings.IsFeatureLocked(kPaper), 0);
    EXPECT_EQ(settings.IsFeatureLockRequested(kPaper), 0);
    EXPECT_EQ(settings.SetFeatureLock(4200, 1), kFailed);
    EXPECT_EQ(settings.IsFeatureLocked(4200), kFailed);
    EXPECT_EQ(settings.IsFeatureLockRequested(4200), kFailed);
}

TEST_F(UISettingsTest, FeatureStateAndDefaultOptionSetters)
{
    AddFeature(kPaper, 1, {});
    EXPECT_CALL(owner, NotifyFeatureChanged(_, _)).Times(0);
    EXPECT_EQ(settings.SetFeatureState(kPaper, 0), 0);
    EXPECT_EQ(settings.GetFeatureState(kPaper), 0);
    EXPECT_EQ(settings.SetFeatureState(4200, 3), 0);
    int id = kPaper, opt = 4, def = 0;
    EXPECT_EQ(settings.SetDefaultOption(&id, &opt), 0);
    EXPECT_EQ(settings.GetDefaultOption(kPaper, &def), 0);
    EXPECT_EQ(def, 4);
    id = 4200;
    EXPECT_EQ(settings.SetDefaultOption(&id, &opt), kFailed);
}

// ---- constraint actions and limits ----

TEST_F(UISettingsTest, ALimitedActionRunsOnlyBelowTheStoredLevel)
{
    AddFeature(kPaper, 1, {1, 2});
    Set(kPaper, 1);
    settings.SetOptionState(kPaper, 2, OPTION_STATE_UNAVAILABLE, 0);
    ASSERT_EQ(settings.SetOptionLimit(kPaper, 2), 0);

    EXPECT_EQ(Apply(kPaper, 2, 1, 1, 3), kFailed);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_SELECTABLE);  // the state is set before the limit test
    EXPECT_EQ(Current(kPaper), 1);

    EXPECT_EQ(Apply(kPaper, 2, 1, 1, 1), 0);
    EXPECT_EQ(Current(kPaper), 2);
    EXPECT_EQ(Apply(kPaper, 1, 1, 1, 1), kFailed);  // level is now 1

    settings.ClearOptionLimits();
    EXPECT_EQ(Apply(kPaper, 1, 1, 1, 50), 0);
    EXPECT_EQ(Current(kPaper), 1);
}

TEST_F(UISettingsTest, TheResolutionNeverGetsALevel)
{
    AddFeature(kResolution, 1, {1, 2, 3});
    EXPECT_EQ(settings.SetOptionLimit(kResolution, 1), kFailed);
    EXPECT_EQ(Apply(kResolution, 2, 1, 1, 5), 0);
    EXPECT_EQ(Apply(kResolution, 3, 1, 1, 9), 0);
    EXPECT_EQ(Current(kResolution), 3);
}

TEST_F(UISettingsTest, ActionsOnOptionStatesAndDisplay)
{
    AddFeature(kPaper, 1, {1, 2, 3});
    EXPECT_EQ(Apply(kPaper, 2, 2), 0);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_UNAVAILABLE);
    EXPECT_EQ(Apply(kPaper, 2, 8), 0);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(Apply(kPaper, 2, 5), 0);
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_CONFLICT);
    EXPECT_EQ(Apply(kPaper, 2, 9), 0);
    EXPECT_EQ(Apply(kPaper, 2, 18), 0);  // available again with the conflict cleared
    EXPECT_EQ(State(kPaper, 2), OPTION_STATE_SELECTABLE);
    EXPECT_EQ(Apply(kPaper, 3, 7), 0);
    EXPECT_THAT(Walk(kPaper), ElementsAre(2, 1));
    EXPECT_EQ(Apply(kPaper, 0, 12), 0);
    EXPECT_EQ(settings.GetDisplayState(kPaper), 0);
    EXPECT_EQ(Apply(kPaper, 0, 13), 0);
    EXPECT_EQ(settings.GetDisplayState(kPaper), 1);
    EXPECT_EQ(Apply(kPaper, 77, 24), 0);
    int value = 0;
    settings.GetDiscriminator(kPaper, &value);
    EXPECT_EQ(value, 77);
    settings.RemoveChange(kPaper);
    EXPECT_EQ(Apply(kPaper, 0, 25), 0);
    EXPECT_EQ(ChangeMask(kPaper), CHANGE_MASK_OPTIONS);

    EXPECT_EQ(Apply(kPaper, 9, 2), kFailed);  // needs the option
    EXPECT_EQ(Apply(kPaper, 1, 3), kFailed);  // no such action
    EXPECT_EQ(Apply(4200, 1, 12), kFailed);
}

TEST_F(UISettingsTest, ShowAndSelectAndSelectAndGrey)
{
    AddFeature(kPaper, 1, {1, 2});
    Set(kPaper, 1);
    settings.SetDisplayState(kPaper, DISPLAY_STATE_HIDDEN);
    settings.SetOptionState(kPaper, 2, OPTION_STATE_UNAVAILABLE, 0);
    EXPECT_EQ(Apply(kPaper, 2, 10, 1, 4), 0);
    EXPECT_EQ(settings.GetDisplayState(kPaper), DISPLAY_STATE_ENABLED);
    EXPECT_EQ(Current(kPaper), 2);
    EXPECT_EQ(Apply(kPaper, 1, 10, 1, 4), kFailed);  // level 4 stored

    settings.ClearOptionLimits();
    EXPECT_EQ(Apply(kPaper, 1, 11, 1, 3), 0);
    EXPECT_EQ(Current(kPaper), 1);
    EXPECT_EQ(settings.GetDisplayState(kPaper), DISPLAY_STATE_GREYED);
    settings.ClearOptionLimits();
    EXPECT_EQ(Apply(kPaper, 2, 11, 1, 3), kFailed);  // already greyed
    EXPECT_EQ(Current(kPaper), 2);
}

TEST_F(UISettingsTest, SelectingActionsAndTheUsersChoice)
{
    AddFeature(kPaper, 1, {1, 2, 3});
    Set(kPaper, 1);
    Record(kPaper)->respectUserSelection = 1;

    EXPECT_EQ(Apply(kPaper, 2, 19), 0);
    EXPECT_EQ(Current(kPaper), 2);
    EXPECT_EQ(Record(kPaper)->userOption, 2);
    EXPECT_EQ(Record(kPaper)->userSelected, 1);
    // A user-selected feature that respects the selection refuses actions 1 and 26.
    EXPECT_EQ(Apply(kPaper, 3, 1), kFailed);
    EXPECT_EQ(Apply(kPaper, 3, 26), kFailed);
    EXPECT_EQ(Apply(kPaper, 3, 22), 0);
    EXPECT_EQ(Current(kPaper), 3);
    EXPECT_EQ(Record(kPaper)->userSelected, 0);

    EXPECT_EQ(Apply(kPaper, 0, 21, 0), 0);  // back to the user's option 2
    EXPECT_EQ(Current(kPaper), 2);
    EXPECT_EQ(Record(kPaper)->userOption, 2);
    EXPECT_EQ(Apply(kPaper, 3, 20), 0);  // selected, user option cleared
    EXPECT_EQ(Current(kPaper), 3);
    EXPECT_EQ(Record(kPaper)->userOption, 0);
    EXPECT_EQ(Apply(kPaper, 0, 21), 0);  // no user option: the default
    EXPECT_EQ(Current(kPaper), 1);
    Record(kPaper)->respectUserSelection = 0;
    EXPECT_EQ(Apply(kPaper, 3, 26), 0);
    EXPECT_EQ(Current(kPaper), 3);
    EXPECT_EQ(Apply(kPaper, 0, 23, 1, 6), 0);
    EXPECT_EQ(Current(kPaper), 1);
    EXPECT_EQ(Apply(kPaper, 0, 23, 1, 6), kFailed);  // level 6 stored

    // Action 19 without the option chooses the current option again as the user's.
    Record(kPaper)->userSelected = 0;
    EXPECT_EQ(Apply(kPaper, 9, 19), 0);
    EXPECT_EQ(Record(kPaper)->userSelected, 1);
    EXPECT_EQ(Record(kPaper)->userOption, 1);
}

TEST_F(UISettingsTest, SelectingActionsWaitWhileTheSheetsAreBuilt)
{
    AddFeature(kPaper, 1, {1, 2});
    ON_CALL(owner, GetSheetInitializing(_)).WillByDefault(DoAll(SetArgPointee<0>(1), Return(0)));
    EXPECT_EQ(Apply(kPaper, 2, 1), kFailed);
    EXPECT_EQ(Apply(kPaper, 2, 22), kFailed);
    EXPECT_EQ(Current(kPaper), 1);
    EXPECT_EQ(Apply(kPaper, 2, 26), 0);
    EXPECT_EQ(Current(kPaper), 2);
}

// ---- pending conflicts ----

TEST_F(UISettingsTest, SelectingAConflictingOptionQueuesTheFeatureUntilItIsResolved)
{
    AddFeature(kPaper, 1, {1, 2});
    settings.SetOptionState(kPaper, 2, OPTION_STATE_CONFLICT, 0);
    Set(kPaper, 2, OPTION_STATE_CONFLICT);
    int found = 0;
    settings.FindPending(kPaper, &found, nullptr);
    EXPECT_EQ(found, 1);
    Set(kPaper, 1);
    settings.FindPending(kPaper, &found, nullptr);
    EXPECT_EQ(found, 0);
}

TEST_F(UISettingsTest, PendingListKeepsOneRecordPerSettingsFeature)
{
    EXPECT_EQ(settings.QueuePending(6079, 1, PENDING_AT_TAIL), kFailed);
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
    EXPECT_EQ(settings.RemovePending(6079), kFailed);
    EXPECT_EQ(settings.ForEachPending(nullptr, nullptr), kFailed);
    EXPECT_EQ(settings.EvaluatePending(4120, 1, 3), kFailed);
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
    AddFeature(kPaper, 1, {1, 2});
    std::vector<int> seen;
    auto record = [](void* user, int, int, int dependent) {
        static_cast<std::vector<int>*>(user)->push_back(dependent);
        return 0;
    };
    EXPECT_EQ(settings.ForEachDependent(kPaper, 2, &seen, record), NIRA_STATUS_NOT_LISTED);
    settings.AddDependent(4130, kPaper);
    settings.AddDependent(4120, kPaper);
    settings.AddDependent(4130, kPaper);
    EXPECT_EQ(settings.ForEachDependent(kPaper, 2, &seen, record), 0);
    EXPECT_TRUE(seen.empty());
    settings.SetOptionState(kPaper, 2, OPTION_STATE_CONFLICT, 0);
    EXPECT_EQ(settings.ForEachDependent(kPaper, 2, &seen, record), 0);
    EXPECT_THAT(seen, ElementsAre(4130, 4120));
    EXPECT_EQ(settings.ForEachDependent(kPaper, 2, &seen, nullptr), kFailed);
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
    AddFeature(kDuplex, 1, {1});
    AddFeature(6450, 1, {});
    settings.SetSoftLinks(6450, 1, kDuplex, 0);
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
    EXPECT_EQ(settings.FindLinkedOption(6420, 4231, 1, &opt, &found), kFailed);
    EXPECT_EQ(found, 0);

    // The rebuild always takes the first source's third-oldest option and keeps nothing else.
    ASSERT_EQ(settings.RebuildLinkedOptions(6420), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 3, 2, 1));
    EXPECT_EQ(Source(2), (std::pair{4230, 3}));
    EXPECT_EQ(Source(4), (std::pair{4231, 2}));
    EXPECT_EQ(settings.ClearLinkedOptions(6420), 0);
    int sourceId = 0, sourceOpt = 0;
    EXPECT_EQ(settings.GetLinkedOptionSource(6420, 1, &sourceId, &sourceOpt), kFailed);
}

TEST_F(LinkedFeatureTest, OneSourceKeepsTheOptionIds)
{
    settings.SetSoftLinks(6420, 1, 4230, 0);
    ASSERT_EQ(settings.BuildLinkedOptions(6420, 2), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 2, 1));
    int sourceId = 0, sourceOpt = 0;
    EXPECT_EQ(settings.GetLinkedOptionSource(6420, 1, &sourceId, &sourceOpt), kFailed);
    ASSERT_EQ(settings.RebuildLinkedOptions(6420), 0);
    EXPECT_THAT(Walk(6420), ElementsAre(4, 1));

    settings.SetSoftLinks(6420, 1, 4299, 0);
    EXPECT_EQ(settings.BuildLinkedOptions(6420, -1), kFailed);
    settings.SetSoftLinks(6420, 1, 4230, 4299);
    EXPECT_EQ(settings.BuildLinkedOptions(6420, -1), kFailed);
    EXPECT_EQ(settings.BuildLinkedOptions(4200, -1), kFailed);
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
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 4230, 2), kFailed);  // already linked

    int id = 6420, opt = 5;
    settings.RemoveOption(&id, &opt);
    settings.AddOption(6420, 4, NewOption(6420, 4));
    ASSERT_EQ(settings.AddLinkedOption(6420, &newOpt, 4231, 1), 0);
    EXPECT_EQ(newOpt, 5);

    newOpt = -1;
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 0, 1), 0);
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 4230, 9), 0);  // not an option of the source
    EXPECT_EQ(newOpt, -1);
    EXPECT_EQ(settings.AddLinkedOption(6420, &newOpt, 4299, 1), kFailed);
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
    EXPECT_EQ(settings.SetSoftLinks(4200, 1, 2, 3), kFailed);
}

// ---- reset to defaults ----

TEST_F(UISettingsTest, ResetToDefaultsRestoresOptionsDisplayAndStates)
{
    AddFeature(kPaper, 1, {1, 2});
    AddFeature(kMedia, 1, {1, 2});
    AddFeature(kBin, 1, {1, 2});
    Set(kPaper, 2, OPTION_STATE_SELECTABLE, 1);
    Set(kMedia, 2);
    Record(kMedia)->uiDataStore = 1;
    settings.SetDisplayState(kMedia, DISPLAY_STATE_GREYED);
    settings.SetDefaultOptionState(kMedia, 1, OPTION_STATE_CONFLICT);

    EXPECT_CALL(owner, TrackValueChange(kPaper, 1)).WillOnce(Return(0));
    EXPECT_CALL(owner, TrackValueChange(kMedia, 1)).WillOnce(Return(0));
    EXPECT_EQ(settings.ResetToDefaults(kBin), 0);
    EXPECT_EQ(Current(kPaper), 1);
    EXPECT_EQ(Record(kPaper)->previousOption, 2);
    EXPECT_EQ(Record(kPaper)->userSelected, 0);
    // A feature kept in the registry store keeps its option but gets its display and states back.
    EXPECT_EQ(Current(kMedia), 2);
    EXPECT_EQ(settings.GetDisplayState(kMedia), DISPLAY_STATE_ENABLED);
    EXPECT_EQ(State(kMedia, 1), OPTION_STATE_CONFLICT);
    EXPECT_EQ(Option(kMedia, 1).iconId, 127);
    EXPECT_EQ(ChangeMask(kMedia) & CHANGE_MASK_DISPLAY, CHANGE_MASK_DISPLAY);
}

TEST_F(UISettingsTest, ResetToDefaultsFailsWhenNothingDifferedAndSetsThePaperDiscriminator)
{
    AddFeature(kPaper, 1, {1, 2});
    AddFeature(6065, 0, {});
    EXPECT_EQ(settings.ResetToDefaults(0), kFailed);
    EXPECT_EQ(settings.ResetToDefaults(0), kFailed);

    int id = 6065, opt = 3;
    settings.SetDefaultOption(&id, &opt);
    settings.RemoveChange(kPaper);
    EXPECT_CALL(owner, TrackValueChange(_, _)).Times(0);  // 6065 is no settings feature
    EXPECT_EQ(settings.ResetToDefaults(0), 0);
    int value = 0;
    settings.GetDiscriminator(kPaper, &value);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(ChangeMask(kPaper) & CHANGE_MASK_OPTIONS, CHANGE_MASK_OPTIONS);
}

// ---- notifications that come back into the object ----

TEST_F(UISettingsTest, AHandlerMayRemoveTheOptionItIsToldAbout)
{
    AddFeature(kPaper, 1, {1, 2, 3});
    Set(kPaper, 1);
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, _))
        .Times(AnyNumber())
        .WillRepeatedly(Invoke([this](int id, int kind) {
            if (kind == CHANGE_OPTION_SELECTABLE) {
                int opt = 2;
                settings.RemoveOption(&id, &opt);
            }
            return 0;
        }));
    EXPECT_EQ(Set(kPaper, 2), 0);
    EXPECT_EQ(settings.ResetToDefaults(0), 0);
    EXPECT_EQ(Current(kPaper), 1);
}
