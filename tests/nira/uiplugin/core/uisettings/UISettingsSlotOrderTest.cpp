// nirapres calls the UI settings object by position, so every operation must sit in its slot.
// With the Itanium C++ ABI a pointer to a virtual member holds 1 + the byte offset of its slot,
// and the virtual destructor takes the first two slots (complete and deleting destructor).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "nira/uiplugin/interfaces/INiraUISettings.h"

namespace
{
template <class Member> int SlotOf(Member member)
{
    struct Representation
    {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(Member) == sizeof(Representation), "Itanium member pointer");
    std::memcpy(&representation, &member, sizeof(representation));
    // Slot 0 is the destructor, which the ABI lays out as two entries.
    return static_cast<int>((representation.pointer - 1) / sizeof(void*)) - 1;
}
} // namespace

#define EXPECT_SLOT(name, slot) EXPECT_EQ(SlotOf(&INiraUISettings::name), slot) << #name

TEST(UISettingsSlotOrder, EveryOperationSitsInItsSlot)
{
    EXPECT_SLOT(Reserved1, 1);
    EXPECT_SLOT(Reserved2, 2);
    EXPECT_SLOT(Reserved3, 3);
    EXPECT_SLOT(IsFeatureLocked, 4);
    EXPECT_SLOT(SetDefaultDisplayState, 5);
    EXPECT_SLOT(SetDefaultOptionState, 6);
    EXPECT_SLOT(SetFeatureLock, 7);
    EXPECT_SLOT(IsFeatureLockRequested, 8);
    EXPECT_SLOT(GetDisplayState, 9);
    EXPECT_SLOT(GetFeatureState, 10);
    EXPECT_SLOT(GetHelpId, 11);
    EXPECT_SLOT(SetDisplayState, 12);
    EXPECT_SLOT(SetFeatureState, 13);
    EXPECT_SLOT(QueryFeatureState, 14);
    EXPECT_SLOT(FindFeature, 15);
    EXPECT_SLOT(GetOptionCount, 16);
    EXPECT_SLOT(GetTreeViewOptionCount, 17);
    EXPECT_SLOT(GetCurrentOption, 18);
    EXPECT_SLOT(GetPreviousOption, 19);
    EXPECT_SLOT(GetDefaultOption, 20);
    EXPECT_SLOT(GetUserOption, 21);
    EXPECT_SLOT(SetDefaultOption, 22);
    EXPECT_SLOT(SetCurrentOption, 23);
    EXPECT_SLOT(ForceCurrentOption, 24);
    EXPECT_SLOT(ApplyOptionChange, 25);
    EXPECT_SLOT(SetOptionLimit, 26);
    EXPECT_SLOT(ClearOptionLimits, 27);
    EXPECT_SLOT(AddFeature, 28);
    EXPECT_SLOT(Reserved29, 29);
    EXPECT_SLOT(AddTreeViewOption, 30);
    EXPECT_SLOT(SetFeatureTagB, 31);
    EXPECT_SLOT(SetFeatureUIRecord, 32);
    EXPECT_SLOT(SetFeatureTagA, 33);
    EXPECT_SLOT(SetFeatureVocabulary, 34);
    EXPECT_SLOT(Reserved35, 35);
    EXPECT_SLOT(SetOptionState, 36);
    EXPECT_SLOT(SetOptionDisplayName, 37);
    EXPECT_SLOT(GetOptionByIndex, 38);
    EXPECT_SLOT(GetOptionInfo, 39);
    EXPECT_SLOT(GetTreeViewOptionByIndex, 40);
    EXPECT_SLOT(GetTreeViewOption, 41);
    EXPECT_SLOT(GetFeatureStringId, 42);
    EXPECT_SLOT(FindOptionByName, 43);
    EXPECT_SLOT(GetOptionState, 44);
    EXPECT_SLOT(GetOptionValue, 45);
    EXPECT_SLOT(GetOptionStringId, 46);
    EXPECT_SLOT(FindOptionByValue, 47);
    EXPECT_SLOT(GetOptionName, 48);
    EXPECT_SLOT(SetOptionInfo, 49);
    EXPECT_SLOT(InsertOption, 50);
    EXPECT_SLOT(AddOption, 51);
    EXPECT_SLOT(RemoveOption, 52);
    EXPECT_SLOT(RemoveTreeViewOption, 53);
    EXPECT_SLOT(GetLinkedOptionSource, 54);
    EXPECT_SLOT(FindLinkedOption, 55);
    EXPECT_SLOT(ClearLinkedOptions, 56);
    EXPECT_SLOT(RemoveAllOptions, 57);
    EXPECT_SLOT(SetOptionAuxIds, 58);
    EXPECT_SLOT(GetChangeCount, 59);
    EXPECT_SLOT(GetChangeList, 60);
    EXPECT_SLOT(GetChange, 61);
    EXPECT_SLOT(RemoveChange, 62);
    EXPECT_SLOT(IsValidFeatureId, 63);
    EXPECT_SLOT(IsInSecondaryRange, 64);
    EXPECT_SLOT(IsUserSelected, 65);
    EXPECT_SLOT(GetDiscriminator, 66);
    EXPECT_SLOT(SetDiscriminator, 67);
    EXPECT_SLOT(GetRangeMax, 68);
    EXPECT_SLOT(GetRangeMin, 69);
    EXPECT_SLOT(IsOptionAcceptable, 70);
    EXPECT_SLOT(HasFeature, 71);
    EXPECT_SLOT(SetSoftLinks, 72);
    EXPECT_SLOT(GetIgnoreOptionState, 73);
    EXPECT_SLOT(HasOption, 74);
    EXPECT_SLOT(ListFeatures, 75);
    EXPECT_SLOT(GetFeatureSnapshot, 76);
    EXPECT_SLOT(HandlerGetOptionValue, 77);
    EXPECT_SLOT(HandlerFindOptionByValue, 78);
    EXPECT_SLOT(IsAutoSelectedOption, 79);
    EXPECT_SLOT(FindSoftLinkTarget, 80);
    EXPECT_SLOT(GetSoftLinks, 81);
    EXPECT_SLOT(AddLinkedOption, 82);
}
