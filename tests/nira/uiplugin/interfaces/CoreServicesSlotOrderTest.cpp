// Every feature handler and the constraint engine call the core services by position.
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "support/SlotOrder.h"

TEST(CoreServicesSlotOrder, EveryOperationSitsInItsSlot)
{
    EXPECT_VIRTUAL_DESTRUCTOR(INiraCoreServices);
    EXPECT_SLOT(INiraCoreServices, GetPrinterName, 1);
    EXPECT_SLOT(INiraCoreServices, GetPrinter, 2);
    EXPECT_SLOT(INiraCoreServices, SetPrinter, 3);
    EXPECT_SLOT(INiraCoreServices, SendHandlerCommand, 4);
    EXPECT_SLOT(INiraCoreServices, GetResourceModule, 5);
    EXPECT_SLOT(INiraCoreServices, GetDefaultOption, 6);
    EXPECT_SLOT(INiraCoreServices, SetDefaultOption, 7);
    EXPECT_SLOT(INiraCoreServices, RemoveOption, 8);
    EXPECT_SLOT(INiraCoreServices, RemoveTreeViewOption, 9);
    EXPECT_SLOT(INiraCoreServices, InsertOption, 10);
    EXPECT_SLOT(INiraCoreServices, AddOption, 11);
    EXPECT_SLOT(INiraCoreServices, GetOptionByIndex, 12);
    EXPECT_SLOT(INiraCoreServices, GetOptionInfo, 13);
    EXPECT_SLOT(INiraCoreServices, GetTreeViewOption, 14);
    EXPECT_SLOT(INiraCoreServices, FindOptionByName, 15);
    EXPECT_SLOT(INiraCoreServices, SetOptionInfo, 16);
    EXPECT_SLOT(INiraCoreServices, QueryFeatureState, 17);
    EXPECT_SLOT(INiraCoreServices, GetOptionCount, 18);
    EXPECT_SLOT(INiraCoreServices, FindFeature, 19);
    EXPECT_SLOT(INiraCoreServices, GetValue, 20);
    EXPECT_SLOT(INiraCoreServices, IsAutoSelectedOption, 21);
    EXPECT_SLOT(INiraCoreServices, GetPreviousOption, 22);
    EXPECT_SLOT(INiraCoreServices, BuildLinkedOptions, 23);
    EXPECT_SLOT(INiraCoreServices, RebuildLinkedOptions, 24);
    EXPECT_SLOT(INiraCoreServices, SetValue, 25);
    EXPECT_SLOT(INiraCoreServices, GetDisplayState, 26);
    EXPECT_SLOT(INiraCoreServices, SetDisplayState, 27);
    EXPECT_SLOT(INiraCoreServices, SetDefaultDisplayState, 28);
    EXPECT_SLOT(INiraCoreServices, SetFeatureState, 29);
    EXPECT_SLOT(INiraCoreServices, SetOptionState, 30);
    EXPECT_SLOT(INiraCoreServices, SetOptionAuxIds, 31);
    EXPECT_SLOT(INiraCoreServices, GetOptionValue, 32);
    EXPECT_SLOT(INiraCoreServices, FindOptionByValue, 33);
    EXPECT_SLOT(INiraCoreServices, GetOptionName, 34);
    EXPECT_SLOT(INiraCoreServices, FindSoftLinkTarget, 35);
    EXPECT_SLOT(INiraCoreServices, ResetToDefaults, 36);
    EXPECT_SLOT(INiraCoreServices, IsOptionAcceptable, 37);
    EXPECT_SLOT(INiraCoreServices, HasFeature, 38);
    EXPECT_SLOT(INiraCoreServices, HasOption, 39);
    EXPECT_SLOT(INiraCoreServices, GetLinkedOptionSource, 40);
    EXPECT_SLOT(INiraCoreServices, FindLinkedOption, 41);
    EXPECT_SLOT(INiraCoreServices, GetSoftLinks, 42);
    EXPECT_SLOT(INiraCoreServices, AddLinkedOption, 43);
    EXPECT_SLOT(INiraCoreServices, SetSoftLinks, 44);
    EXPECT_SLOT(INiraCoreServices, ClearLinkedOptions, 45);
    EXPECT_SLOT(INiraCoreServices, IsFeatureLockRequested, 46);
    EXPECT_SLOT(INiraCoreServices, IsFeatureLocked, 47);
    EXPECT_SLOT(INiraCoreServices, SetFeatureLock, 48);
    EXPECT_SLOT(INiraCoreServices, EnumerateOptions, 49);
    EXPECT_SLOT(INiraCoreServices, Reserved50, 50);
    EXPECT_SLOT(INiraCoreServices, IsUserSelected, 51);
    EXPECT_SLOT(INiraCoreServices, GetRangeMax, 52);
    EXPECT_SLOT(INiraCoreServices, GetRangeMin, 53);
    EXPECT_SLOT(INiraCoreServices, GetOptionState, 54);
    EXPECT_SLOT(INiraCoreServices, Reserved55, 55);
    EXPECT_SLOT(INiraCoreServices, Reserved56, 56);
    EXPECT_SLOT(INiraCoreServices, ForwardConstraintAction, 57);
    EXPECT_SLOT(INiraCoreServices, GetFeatureClassId, 58);
    EXPECT_SLOT(INiraCoreServices, AddTreeViewOption, 59);
    EXPECT_SLOT(INiraCoreServices, ShowPopup, 60);
    EXPECT_SLOT(INiraCoreServices, TrackSnapshotValue, 61);
    EXPECT_SLOT(INiraCoreServices, SetForceNotify, 62);
    EXPECT_SLOT(INiraCoreServices, IsValidFeatureId, 63);
    EXPECT_SLOT(INiraCoreServices, RemoveAllOptions, 64);
    EXPECT_SLOT(INiraCoreServices, ClearOptionLimits, 65);
}
