// Do-nothing implementations of the UI core's interfaces (every operation answers 0 or null);
// tests derive from them and override what they watch.
#pragma once

#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

class StubUISettings : public INiraUISettings {
public:
    int Reserved1(void*) override { return 0; }
    int Reserved2(void*) override { return 0; }
    int Reserved3(void*) override { return 0; }
    int IsFeatureLocked(int) override { return 0; }
    int SetDefaultDisplayState(int, int) override { return 0; }
    int SetDefaultOptionState(int, int, int) override { return 0; }
    int SetFeatureLock(int, int) override { return 0; }
    int IsFeatureLockRequested(int) override { return 0; }
    int GetDisplayState(int) override { return 0; }
    int GetFeatureState(int) override { return 0; }
    int GetHelpId(int, int*) override { return 0; }
    int SetDisplayState(int, int) override { return 0; }
    int SetFeatureState(int, int) override { return 0; }
    int QueryFeatureState(int*, int*) override { return 0; }
    int FindFeature(int*, FeatureEntry**) override { return 0; }
    int GetOptionCount(int) override { return 0; }
    int GetTreeViewOptionCount(int) override { return 0; }
    int GetCurrentOption(int, int*, int*) override { return 0; }
    int GetPreviousOption(int, int*, int*) override { return 0; }
    int GetDefaultOption(int, int*) override { return 0; }
    int GetUserOption(int) override { return 0; }
    int SetDefaultOption(int*, int*) override { return 0; }
    int SetCurrentOption(int*, int*, int, int, int, int, int) override { return 0; }
    int ForceCurrentOption(int*, int*, int) override { return 0; }
    int ApplyOptionChange(int*, int*, int*, int*, int) override { return 0; }
    int SetOptionLimit(int, int) override { return 0; }
    int ClearOptionLimits() override { return 0; }
    int AddFeature(FeatureRecord*) override { return 0; }
    int Reserved29(void*) override { return 0; }
    int AddTreeViewOption(int, int, TreeViewOptionRecord*) override { return 0; }
    int SetFeatureTagB(int, int) override { return 0; }
    int SetFeatureUIRecord(int, FeatureUIRecord*) override { return 0; }
    int SetFeatureTagA(int, int) override { return 0; }
    int SetFeatureVocabulary(int, VocabularyRecord*) override { return 0; }
    int Reserved35(void*, void*, void*, int) override { return 0; }
    int SetOptionState(int, int, int, int) override { return 0; }
    int SetOptionDisplayName(int*, int*, WCHAR*, int) override { return 0; }
    int GetOptionByIndex(int, int, int*, int*, WCHAR*, int*, int*, int*) override { return 0; }
    int GetOptionInfo(int, int, OptionInfo*) override { return 0; }
    int GetTreeViewOptionByIndex(int, int, int*, int*) override { return 0; }
    int GetTreeViewOption(int, int, TreeViewOptionRecord*) override { return 0; }
    int GetFeatureStringId(int, int*) override { return 0; }
    int FindOptionByName(int, WCHAR*, int*) override { return 0; }
    int GetOptionState(int, int, int*) override { return 0; }
    int GetOptionValue(int, int, int*) override { return 0; }
    int GetOptionStringId(int, int, int*) override { return 0; }
    int FindOptionByValue(int, int, int*) override { return 0; }
    int GetOptionName(int, int, WCHAR*) override { return 0; }
    int SetOptionInfo(int, int, OptionInfo*) override { return 0; }
    int InsertOption(int, int, int, OptionInfo*) override { return 0; }
    int AddOption(int, int, OptionInfo*) override { return 0; }
    int RemoveOption(int*, int*) override { return 0; }
    int RemoveTreeViewOption(int*, int*) override { return 0; }
    int GetLinkedOptionSource(int, int, int*, int*) override { return 0; }
    int FindLinkedOption(int, int, int, int*, int*) override { return 0; }
    int ClearLinkedOptions(int) override { return 0; }
    int RemoveAllOptions(int) override { return 0; }
    int SetOptionAuxIds(int, int, int, int) override { return 0; }
    int GetChangeCount() override { return 0; }
    CNiraPtrList* GetChangeList() override { return nullptr; }
    int GetChange(int, ChangeRecord*) override { return 0; }
    int RemoveChange(int) override { return 0; }
    int IsValidFeatureId(int, int*) override { return 0; }
    int IsInSecondaryRange(int, int*) override { return 0; }
    int IsUserSelected(int, int*) override { return 0; }
    int GetDiscriminator(int, int*) override { return 0; }
    int SetDiscriminator(int, int) override { return 0; }
    int GetRangeMax(int, int*) override { return 0; }
    int GetRangeMin(int, int*) override { return 0; }
    int IsOptionAcceptable(int, int, int*) override { return 0; }
    int HasFeature(int) override { return 0; }
    int SetSoftLinks(int, int, int, int) override { return 0; }
    int GetIgnoreOptionState(int, int*) override { return 0; }
    int HasOption(int, int, int*) override { return 0; }
    int ListFeatures(CNiraPtrList*) override { return 0; }
    int GetFeatureSnapshot(int, int*, int*, int*, int*) override { return 0; }
    int HandlerGetOptionValue(int, int, int*) override { return 0; }
    int HandlerFindOptionByValue(int, int, int*) override { return 0; }
    int IsAutoSelectedOption(int, int, int*) override { return 0; }
    int FindSoftLinkTarget(int, int*, int*, int*) override { return 0; }
    int GetSoftLinks(int, int*, int*, int*, int*) override { return 0; }
    int AddLinkedOption(int, int*, int, int) override { return 0; }
};

class StubCoreServices : public INiraCoreServices {
public:
    int GetPrinterName(WCHAR**) override { return 0; }
    int GetPrinter(DWORD, BYTE*, DWORD, DWORD*) override { return 0; }
    int SetPrinter(DWORD, BYTE*, DWORD) override { return 0; }
    int SendHandlerCommand(int, int, int, int*, int*) override { return 0; }
    HMODULE GetResourceModule() override { return nullptr; }
    int GetDefaultOption(int, int*) override { return 0; }
    int SetDefaultOption(int, int*, int*) override { return 0; }
    int RemoveOption(int, int*, int*) override { return 0; }
    int RemoveTreeViewOption(int, int*, int*) override { return 0; }
    int InsertOption(int, int, int, int, OptionInfo*) override { return 0; }
    int AddOption(int, int, int, OptionInfo*) override { return 0; }
    int GetOptionByIndex(int, int, int*, int*, WCHAR*, int*, int*, int*) override { return 0; }
    int GetOptionInfo(int, int, OptionInfo*) override { return 0; }
    int GetTreeViewOption(int, int, TreeViewOptionRecord*) override { return 0; }
    int FindOptionByName(int, WCHAR*, int*) override { return 0; }
    int SetOptionInfo(int, int, int, OptionInfo*) override { return 0; }
    int QueryFeatureState(int*, int*) override { return 0; }
    int GetOptionCount(int) override { return 0; }
    int FindFeature(int*, FeatureEntry**) override { return 0; }
    int GetValue(int, int*, int*) override { return 0; }
    int IsAutoSelectedOption(int, int, int*) override { return 0; }
    int GetPreviousOption(int, int*, int*) override { return 0; }
    int BuildLinkedOptions(int, int) override { return 0; }
    int RebuildLinkedOptions(int) override { return 0; }
    int SetValue(int, int*, int*, int, int, int, int) override { return 0; }
    int GetDisplayState(int) override { return 0; }
    int SetDisplayState(int, int, int) override { return 0; }
    int SetDefaultDisplayState(int, int, int) override { return 0; }
    int SetFeatureState(int, int, int) override { return 0; }
    int SetOptionState(int, int, int, int) override { return 0; }
    int SetOptionAuxIds(int, int, int, int, int) override { return 0; }
    int GetOptionValue(int, int, int*) override { return 0; }
    int FindOptionByValue(int, int, int*) override { return 0; }
    int GetOptionName(int, int, WCHAR*) override { return 0; }
    int FindSoftLinkTarget(int, int*, int*, int*) override { return 0; }
    int ResetToDefaults(int) override { return 0; }
    int IsOptionAcceptable(int, int, int*) override { return 0; }
    int HasFeature(int) override { return 0; }
    int HasOption(int, int, int*) override { return 0; }
    int GetLinkedOptionSource(int, int, int*, int*) override { return 0; }
    int FindLinkedOption(int, int, int, int*, int*) override { return 0; }
    int GetSoftLinks(int, int*, int*, int*, int*) override { return 0; }
    int AddLinkedOption(int, int*, int, int) override { return 0; }
    int SetSoftLinks(int, int, int, int, int) override { return 0; }
    int ClearLinkedOptions(int) override { return 0; }
    int IsFeatureLockRequested(int) override { return 0; }
    int IsFeatureLocked(int) override { return 0; }
    int SetFeatureLock(int, int) override { return 0; }
    int EnumerateOptions(int, NiraOptionEnumCallback, void*) override { return 0; }
    int Reserved50(INT_PTR, INT_PTR, INT_PTR, INT_PTR) override { return 0; }
    int IsUserSelected(int, int*) override { return 0; }
    int GetRangeMax(int, int*) override { return 0; }
    int GetRangeMin(int, int*) override { return 0; }
    int GetOptionState(int, int, int*) override { return 0; }
    int Reserved55(INT_PTR, INT_PTR) override { return 0; }
    int Reserved56(INT_PTR) override { return 0; }
    int ForwardConstraintAction(int, const char*, const char*, const char*) override { return 0; }
    int GetFeatureClassId(int, int*) override { return 0; }
    int AddTreeViewOption(int, int, int, TreeViewOptionRecord*) override { return 0; }
    int ShowPopup(int, WCHAR*) override { return 0; }
    int TrackSnapshotValue(int, int) override { return 0; }
    int SetForceNotify(int) override { return 0; }
    int IsValidFeatureId(int, int*) override { return 0; }
    int RemoveAllOptions(int) override { return 0; }
    int ClearOptionLimits() override { return 0; }
};
