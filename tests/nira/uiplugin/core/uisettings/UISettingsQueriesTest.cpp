// The UI settings object's data and queries: walk order, lookups by id, index, value and name,
// the current/previous/default option with their fallbacks, tree-view and change records, and
// the ownership of the records handed over (leaks and double frees show under the sanitizers).
#include "UISettingsFixture.h"

#include <climits>

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::InSequence;

namespace {
constexpr int kFailed = NIRA_STATUS_FAILED;
constexpr int kPaper = 4114;
constexpr int kMedia = 4116;
}  // namespace

TEST_F(UISettingsTest, OptionAddedLastIsIndexZero)
{
    AddFeature(kPaper, 1, {});
    settings.AddOption(kPaper, 1, NewOption(kPaper, 9, 2, TEXT("A4")));
    settings.AddOption(kPaper, 2, NewOption(kPaper, 1, 2, TEXT("Letter")));
    settings.AddOption(kPaper, 3, NewOption(kPaper, 9, 5, TEXT("A4 borderless")));

    EXPECT_THAT(Walk(kPaper), ElementsAre(3, 2, 1));
    int optionIndex = 0, opt = 0, bitmapId = 0, iconId = 0, state = 0;
    WCHAR name[kOptionTextLength] = {};
    ASSERT_EQ(settings.GetOptionByIndex(0, kPaper, &optionIndex, &opt, name, &bitmapId, &iconId, &state), 0);
    EXPECT_EQ(opt, 3);
    EXPECT_EQ(state, OPTION_STATE_GREYED);
    EXPECT_EQ(CompareStringSafe(name, TEXT("A4 borderless")), 0);
    EXPECT_EQ(settings.GetOptionByIndex(3, kPaper, &optionIndex, &opt, nullptr, &bitmapId, &iconId, &state),
              kFailed);
    EXPECT_EQ(settings.GetOptionByIndex(-1, kPaper, &optionIndex, &opt, nullptr, &bitmapId, &iconId, &state),
              kFailed);

    // Of two options with one public value, the one added last is found.
    EXPECT_EQ(settings.FindOptionByValue(kPaper, 9, &opt), 0);
    EXPECT_EQ(opt, 3);
    EXPECT_EQ(settings.FindOptionByValue(kPaper, 77, &opt), kFailed);
    EXPECT_EQ(settings.GetOptionValue(kPaper, 2, &optionIndex), 0);
    EXPECT_EQ(optionIndex, 1);
}

TEST_F(UISettingsTest, AddingAnExistingOptionReplacesItAndMovesItToTheHead)
{
    AddFeature(kPaper, 1, {1, 2, 3});
    settings.RemoveChange(kPaper);
    {
        InSequence order;
        EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_REMOVED));
        EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_ADDED));
    }
    ASSERT_EQ(settings.AddOption(kPaper, 1, NewOption(kPaper, 99)), 0);

    EXPECT_THAT(Walk(kPaper), ElementsAre(1, 3, 2));
    EXPECT_EQ(Option(kPaper, 1).optionIndex, 99);
    EXPECT_EQ(ChangeMask(kPaper), CHANGE_MASK_OPTIONS);
    EXPECT_EQ(settings.GetChangeCount(), 1);
}

TEST_F(UISettingsTest, InsertOptionPlacesTheOptionBeforeAnother)
{
    AddFeature(kPaper, 1, {1, 2, 3});  // walk 3, 2, 1
    EXPECT_CALL(owner, NotifyFeatureChanged(_, _)).Times(::testing::AnyNumber());
    EXPECT_CALL(owner, NotifyFeatureChanged(kPaper, CHANGE_OPTION_REMOVED)).Times(0);
    ASSERT_EQ(settings.InsertOption(kPaper, 1, 7, NewOption(kPaper, 70)), 0);
    EXPECT_THAT(Walk(kPaper), ElementsAre(3, 2, 7, 1));
    // An existing option is replaced in its new place; before an unknown option means the head.
    ASSERT_EQ(settings.InsertOption(kPaper, 42, 2, NewOption(kPaper, 21)), 0);
    EXPECT_THAT(Walk(kPaper), ElementsAre(2, 3, 7, 1));
    EXPECT_EQ(Option(kPaper, 2).optionIndex, 21);
}

TEST_F(UISettingsTest, CurrentOptionFallsBackToTheDefaultUnlessUserInputOrTyped)
{
    AddFeature(kPaper, 1, {1, 2});
    AddFeature(kMedia, 2, {1, 2});
    UIRecord(kMedia)->isUserInput = 1;
    Record(kPaper)->currentOption = 500;
    Record(kMedia)->currentOption = 500;
    int opt = 0, isSet = -1;

    ASSERT_EQ(settings.GetCurrentOption(kPaper, &opt, &isSet), 0);
    EXPECT_EQ(opt, 1);
    EXPECT_EQ(isSet, 0);
    ASSERT_EQ(settings.GetCurrentOption(kMedia, &opt, &isSet), 0);
    EXPECT_EQ(opt, 500);

    // A typed text (isSet) in the option record reports the current value as set.
    Record(kPaper)->currentOption = 2;
    OptionInfo typed = Option(kPaper, 2);
    typed.isSet = 1;
    settings.SetOptionInfo(kPaper, 2, &typed);
    ASSERT_EQ(settings.GetCurrentOption(kPaper, &opt, &isSet), 0);
    EXPECT_EQ(opt, 2);
    EXPECT_EQ(isSet, 1);

    EXPECT_EQ(settings.GetCurrentOption(4200, &opt, &isSet), kFailed);
}

TEST_F(UISettingsTest, OptionInfoOfAMissingOptionIsTheDefaultOptionsAndAddsNothing)
{
    AddFeature(kPaper, 2, {1, 2});
    OptionInfo info = {};
    ASSERT_EQ(settings.GetOptionInfo(kPaper, 9, &info), 0);
    EXPECT_EQ(info.optionIndex, 20);
    EXPECT_EQ(settings.GetOptionCount(kPaper), 2);

    // Neither the option nor the default option has a record.
    int id = kPaper, def = 7;
    ASSERT_EQ(settings.SetDefaultOption(&id, &def), 0);
    EXPECT_EQ(settings.GetOptionInfo(kPaper, 9, &info), kFailed);
    EXPECT_EQ(settings.GetOptionInfo(4200, 1, &info), kFailed);
}

TEST_F(UISettingsTest, PreviousOptionNeedsAKnownFeatureAndAListedOption)
{
    int opt = 0, isSet = 0;
    EXPECT_EQ(settings.GetPreviousOption(4200, &opt, &isSet), kFailed);
    AddFeature(kPaper, 1, {1, 2});
    ASSERT_EQ(Set(kPaper, 2), 0);
    ASSERT_EQ(settings.GetPreviousOption(kPaper, &opt, &isSet), 0);
    EXPECT_EQ(opt, 1);
    Record(kPaper)->previousOption = 9;
    EXPECT_EQ(settings.GetPreviousOption(kPaper, &opt, &isSet), kFailed);
}

TEST_F(UISettingsTest, WithoutUIRecordNoOptionIsListed)
{
    AddFeature(kPaper, 1, {1, 2}, false);
    int found = 1, state = 0, ok = 0;
    ASSERT_EQ(settings.HasOption(kPaper, 1, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(settings.GetOptionState(kPaper, 1, &state), kFailed);
    // The option is still stored: index, info, name and acceptance see it.
    EXPECT_EQ(settings.GetOptionCount(kPaper), 2);
    EXPECT_EQ(settings.IsOptionAcceptable(kPaper, 1, &ok), 0);
    EXPECT_EQ(ok, 1);
    WCHAR name[kOptionTextLength];
    EXPECT_EQ(settings.GetOptionName(kPaper, 1, name), 0);
    // Adding an existing option replaces it even without UI record.
    ASSERT_EQ(settings.AddOption(kPaper, 1, NewOption(kPaper, 5)), 0);
    EXPECT_THAT(Walk(kPaper), ElementsAre(1, 2));
}

TEST_F(UISettingsTest, OptionsAreFoundByNameWithoutRegardToCaseButNeverBelowKeyOne)
{
    AddFeature(kPaper, 1, {});
    settings.AddOption(kPaper, 0, NewOption(kPaper, 0, 2, TEXT("Custom")));
    settings.AddOption(kPaper, -3, NewOption(kPaper, 0, 2, TEXT("Letter")));
    settings.AddOption(kPaper, 4, NewOption(kPaper, 1, 2, TEXT("letter")));
    WCHAR letter[] = TEXT("LETTER");
    WCHAR custom[] = TEXT("custom");
    int opt = 0;
    ASSERT_EQ(settings.FindOptionByName(kPaper, letter, &opt), 0);
    EXPECT_EQ(opt, 4);
    EXPECT_EQ(settings.FindOptionByName(kPaper, custom, &opt), kFailed);
    EXPECT_EQ(settings.FindOptionByName(kPaper, nullptr, &opt), kFailed);
    AddFeature(kMedia, 1, {});
    EXPECT_EQ(settings.FindOptionByName(kMedia, letter, &opt), kFailed);
}

TEST_F(UISettingsTest, OptionNamesAndDisplayNamesAreBounded)
{
    AddFeature(kPaper, 1, {});
    settings.AddOption(kPaper, 1, NewOption(kPaper, 1, 2, TEXT("Plain")));
    int id = kPaper, opt = 1;
    WCHAR text[] = TEXT("Photo paper");
    ASSERT_EQ(settings.SetOptionDisplayName(&id, &opt, text, 6), 0);
    WCHAR name[kOptionTextLength] = {};
    ASSERT_EQ(settings.GetOptionName(kPaper, 1, name), 0);
    EXPECT_EQ(CompareStringSafe(name, TEXT("Photo")), 0);
    EXPECT_EQ(settings.SetOptionDisplayName(&id, &opt, text, kOptionTextLength + 1), kFailed);
    EXPECT_EQ(settings.SetOptionDisplayName(&id, &opt, nullptr, 10), kFailed);
    opt = 2;
    EXPECT_EQ(settings.SetOptionDisplayName(&id, &opt, text, 10), kFailed);
    EXPECT_EQ(settings.GetOptionName(kPaper, 2, name), kFailed);
    EXPECT_EQ(settings.GetOptionName(kPaper, 1, nullptr), kFailed);
    // A feature without options answers 0 and writes nothing.
    AddFeature(kMedia, 1, {});
    name[0] = TEXT('x');
    EXPECT_EQ(settings.GetOptionName(kMedia, 1, name), 0);
    EXPECT_EQ(name[0], TEXT('x'));
}

struct IdRangeCase {
    int id;
    int valid;
    int secondary;
};

class UISettingsIdRangeTest : public UISettingsTest, public ::testing::WithParamInterface<IdRangeCase> {};

TEST_P(UISettingsIdRangeTest, RangesAreComparedAsUnsignedNumbers)
{
    int valid = -1, secondary = -1;
    EXPECT_EQ(settings.IsValidFeatureId(GetParam().id, &valid), 0);
    EXPECT_EQ(settings.IsInSecondaryRange(GetParam().id, &secondary), 0);
    EXPECT_EQ(valid, GetParam().valid);
    EXPECT_EQ(secondary, GetParam().secondary);
}

INSTANTIATE_TEST_SUITE_P(Ids, UISettingsIdRangeTest,
                         ::testing::Values(IdRangeCase{4112, 0, 0}, IdRangeCase{4113, 1, 0},
                                           IdRangeCase{4312, 1, 0}, IdRangeCase{4313, 0, 0},
                                           IdRangeCase{-1, 0, 0}, IdRangeCase{INT_MIN, 0, 0},
                                           IdRangeCase{0, 0, 1}, IdRangeCase{1, 0, 0}));

TEST_F(UISettingsTest, ListFeaturesAppendsTheStoredFeaturesInTheOrderTheyWereAdded)
{
    CNiraPtrList out;
    out.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(1)));
    EXPECT_EQ(settings.ListFeatures(&out), 0);
    EXPECT_EQ(out.GetCount(), 1);

    for (int id : {4120, 4130, 4125, 4140}) {
        AddFeature(id, 1, {});
        Record(id)->uiDataStore = id == 4130 ? 0 : 1;
    }
    EXPECT_EQ(settings.ListFeatures(&out), 4);
    std::vector<INT_PTR> ids;
    for (CNiraPtrList::Node* node = out.GetHead(); node; node = node->next) {
        ids.push_back(reinterpret_cast<INT_PTR>(node->value));
    }
    EXPECT_THAT(ids, ElementsAre(1, 4120, 4125, 4140));
}

TEST_F(UISettingsTest, ChangeRecordsNewestFeatureFirstOneRecordPerFeature)
{
    AddFeature(kPaper, 1, {1});
    AddFeature(kMedia, 1, {1});
    ASSERT_EQ(settings.AddChange(kPaper, CHANGE_CURRENT_OPTION), 0);
    ASSERT_EQ(settings.GetChangeCount(), 2);
    // kMedia was touched last (its option); kPaper's record keeps its place.
    CNiraPtrList* changes = settings.GetChangeList();
    EXPECT_EQ(static_cast<ChangeRecord*>(changes->GetHead()->value)->featureId, kMedia);
    EXPECT_EQ(ChangeMask(kPaper), CHANGE_MASK_OPTIONS | CHANGE_MASK_CURRENT);

    EXPECT_EQ(settings.RemoveChange(kPaper), 0);
    EXPECT_EQ(settings.RemoveChange(kPaper), kFailed);
    ChangeRecord change = {};
    EXPECT_EQ(settings.GetChange(kPaper, &change), kFailed);
    EXPECT_EQ(settings.GetChange(4200, &change), kFailed);
    EXPECT_EQ(settings.GetChangeCount(), 1);
}

TEST_F(UISettingsTest, TreeViewRecordsAreKeptByOptionInWalkOrder)
{
    AddFeature(kPaper, 2, {});
    for (int opt : {1, 2, 3}) {
        TreeViewOptionRecord* row =
            static_cast<TreeViewOptionRecord*>(LocalAlloc(LPTR, sizeof(TreeViewOptionRecord)));
        row->size = sizeof(TreeViewOptionRecord);
        row->optionId = opt;
        row->optionIndex = opt * 100;
        ASSERT_EQ(settings.AddTreeViewOption(kPaper, opt, row), 0);
    }
    TreeViewOptionRecord* replacement =
        static_cast<TreeViewOptionRecord*>(LocalAlloc(LPTR, sizeof(TreeViewOptionRecord)));
    replacement->optionIndex = 222;
    ASSERT_EQ(settings.AddTreeViewOption(kPaper, 2, replacement), 0);

    EXPECT_EQ(settings.GetTreeViewOptionCount(kPaper), 3);
    int optionIndex = 0, opt = 0;
    ASSERT_EQ(settings.GetTreeViewOptionByIndex(0, kPaper, &optionIndex, &opt), 0);
    EXPECT_EQ(opt, 3);
    EXPECT_EQ(settings.GetTreeViewOptionByIndex(3, kPaper, &optionIndex, &opt), kFailed);
    TreeViewOptionRecord row = {};
    ASSERT_EQ(settings.GetTreeViewOption(kPaper, 9, &row), 0);  // falls back to the default option 2
    EXPECT_EQ(row.optionIndex, 222);

    int id = kPaper, removed = 2;
    EXPECT_EQ(settings.RemoveTreeViewOption(&id, &removed), 0);
    EXPECT_EQ(settings.GetTreeViewOptionCount(kPaper), 2);
    EXPECT_EQ(settings.GetTreeViewOption(kPaper, 9, &row), kFailed);

    TreeViewOptionRecord* orphan =
        static_cast<TreeViewOptionRecord*>(LocalAlloc(LPTR, sizeof(TreeViewOptionRecord)));
    EXPECT_EQ(settings.AddTreeViewOption(4200, 1, orphan), kFailed);  // stays the caller's
    LocalFree(orphan);
    EXPECT_EQ(settings.GetTreeViewOptionCount(4200), 0);
}

TEST_F(UISettingsTest, ReadersOfAnUnknownFeatureFailOrAnswerTheirNeutralValue)
{
    int value = 7;
    EXPECT_EQ(settings.HasFeature(4200), 0);
    EXPECT_EQ(settings.GetDisplayState(4200), 0);
    EXPECT_EQ(settings.GetFeatureState(4200), 0);
    EXPECT_EQ(settings.GetUserOption(4200), 0);
    EXPECT_EQ(settings.GetOptionCount(4200), 0);
    EXPECT_EQ(settings.GetHelpId(4200, &value), kFailed);
    EXPECT_EQ(settings.GetDefaultOption(4200, &value), kFailed);
    EXPECT_EQ(settings.GetRangeMax(4200, &value), kFailed);
    EXPECT_EQ(settings.IsUserSelected(4200, &value), kFailed);
    EXPECT_EQ(settings.HasOption(4200, 1, &value), kFailed);
    int id = 4200;
    EXPECT_EQ(settings.QueryFeatureState(&id, &value), NIRA_STATUS_NO_FEATURE);
    EXPECT_EQ(settings.GetIgnoreOptionState(4200, &value), 0);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(settings.HasFeature(4200), 0);  // no query added it

    FeatureEntry* entry = reinterpret_cast<FeatureEntry*>(1);
    EXPECT_EQ(settings.FindFeature(&id, &entry), kFailed);
    EXPECT_EQ(entry, nullptr);
    EXPECT_EQ(settings.FindFeature(&id, nullptr), 0);
}

TEST_F(UISettingsTest, ReadersCopyTheFieldsOfTheRecords)
{
    AddFeature(kPaper, 2, {1, 2});
    FeatureRecord* record = Record(kPaper);
    record->rangeMax = 90;
    record->rangeMin = 10;
    record->discriminator = 5;
    FeatureUIRecord* ui = UIRecord(kPaper);
    ui->helpId = 33;
    ui->stringId = 44;
    ui->ignoreOptionState = 9;
    int value = 0, id = kPaper;
    EXPECT_EQ(settings.GetRangeMax(kPaper, &value), 0);
    EXPECT_EQ(value, 90);
    EXPECT_EQ(settings.GetRangeMin(kPaper, &value), 0);
    EXPECT_EQ(value, 10);
    EXPECT_EQ(settings.GetHelpId(kPaper, &value), 0);
    EXPECT_EQ(value, 33);
    EXPECT_EQ(settings.GetFeatureStringId(kPaper, &value), 0);
    EXPECT_EQ(value, 44);
    EXPECT_EQ(settings.GetIgnoreOptionState(kPaper, &value), 0);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(settings.SetDiscriminator(kPaper, 6), 0);
    EXPECT_EQ(settings.GetDiscriminator(kPaper, &value), 0);
    EXPECT_EQ(value, 6);
    EXPECT_EQ(settings.QueryFeatureState(&id, &value), 0);
    EXPECT_EQ(value, 3);

    int current = 0, state = 0, display = 0, selected = -1;
    ASSERT_EQ(settings.GetFeatureSnapshot(kPaper, &current, &state, &display, &selected), 0);
    EXPECT_EQ(current, 2);
    EXPECT_EQ(state, OPTION_STATE_SELECTABLE);
    EXPECT_EQ(display, DISPLAY_STATE_ENABLED);
    EXPECT_EQ(selected, 0);
}

TEST_F(UISettingsTest, HandedOverRecordsBelongToTheObject)
{
    // A UI record or vocabulary for an unknown feature is freed, not lost.
    settings.SetFeatureUIRecord(4200, NewUIRecord(4200));
    VocabularyRecord* vocabulary = static_cast<VocabularyRecord*>(LocalAlloc(LPTR, sizeof(VocabularyRecord)));
    vocabulary->vocabMap = static_cast<LPWSTR>(LocalAlloc(LPTR, 16));
    settings.SetFeatureVocabulary(4200, vocabulary);
    EXPECT_EQ(settings.HasFeature(4200), 0);

    AddFeature(kPaper, 1, {1});
    for (int i = 0; i < 2; ++i) {
        VocabularyRecord* v = static_cast<VocabularyRecord*>(LocalAlloc(LPTR, sizeof(VocabularyRecord)));
        v->vocabNamespace = static_cast<LPWSTR>(LocalAlloc(LPTR, 16));
        settings.SetFeatureVocabulary(kPaper, v);
        settings.SetFeatureUIRecord(kPaper, NewUIRecord(kPaper));
    }
    settings.SetFeatureTagA(kPaper, 5);
    settings.SetFeatureTagB(kPaper, 0);
    FeatureEntry* entry = nullptr;
    int id = kPaper;
    ASSERT_EQ(settings.FindFeature(&id, &entry), 0);
    EXPECT_EQ(entry->tagA, 5);
    EXPECT_EQ(entry->tagB, 0);
    EXPECT_NE(entry->vocabulary, nullptr);

    // A feature added again starts afresh: its earlier entry and options are freed.
    ASSERT_EQ(settings.AddFeature(NewFeatureRecord(kPaper, 3)), 0);
    EXPECT_EQ(settings.GetOptionCount(kPaper), 0);
    EXPECT_EQ(Current(kPaper), 3);
    EXPECT_EQ(settings.AddFeature(nullptr), kFailed);
    EXPECT_EQ(settings.AddOption(kPaper, 1, nullptr), kFailed);
}

TEST_F(UISettingsTest, ReservedSlotsKeepTheirResults)
{
    int x = 0;
    EXPECT_EQ(settings.Reserved1(&x), 0);
    EXPECT_EQ(settings.Reserved2(nullptr), 1);
    EXPECT_EQ(settings.Reserved3(&x), 0);
    EXPECT_EQ(settings.Reserved29(&x), kFailed);
    EXPECT_EQ(settings.Reserved35(&x, &x, &x, 32), 0);
    EXPECT_EQ(settings.Reserved35(&x, &x, &x, 33), 1);
    EXPECT_EQ(settings.Reserved35(&x, nullptr, &x, 1), 1);
}

TEST_F(UISettingsTest, HandlerQuestionsGoToTheOwner)
{
    int value = 0;
    EXPECT_CALL(owner, GetOptionValue(kPaper, 3, &value)).WillOnce(::testing::Return(0));
    EXPECT_CALL(owner, FindOptionByValue(kPaper, 9, &value)).WillOnce(::testing::Return(kFailed));
    EXPECT_EQ(settings.HandlerGetOptionValue(kPaper, 3, &value), 0);
    EXPECT_EQ(settings.HandlerFindOptionByValue(kPaper, 9, &value), kFailed);

    CNiraUISettings orphan;
    EXPECT_EQ(orphan.HandlerGetOptionValue(kPaper, 3, &value), kFailed);
}

TEST_F(UISettingsTest, TheSameFeatureRecordHandedOverAgainIsKept)
{
    AddFeature(kPaper, 2, {1, 2});
    FeatureRecord* record = Record(kPaper);
    ASSERT_EQ(settings.AddFeature(record), 0);
    EXPECT_EQ(Record(kPaper), record);
    EXPECT_EQ(Record(kPaper)->defaultOption, 2);
    EXPECT_EQ(settings.GetOptionCount(kPaper), 0);
    // Aux ids are set in place.
    settings.AddOption(kPaper, 1, NewOption(kPaper, 10));
    EXPECT_EQ(settings.SetOptionAuxIds(kPaper, 1, 5, 6), 0);
    EXPECT_EQ(Option(kPaper, 1).auxId1, 5);
    EXPECT_EQ(Option(kPaper, 1).auxId2, 6);
    EXPECT_EQ(settings.SetOptionAuxIds(kPaper, 2, 5, 6), kFailed);
}
