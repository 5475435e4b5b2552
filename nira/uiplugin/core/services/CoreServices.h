// The core services: the only road from a feature handler to the settings and the UI core. Most
// operations forward to the UI settings object of the owning core; the guarded ones first make sure
// that the calling handler class owns the feature. Without an owner every operation answers its
// neutral value.
#pragma once

#include "nira/uiplugin/interfaces/INiraCoreServices.h"

class CNiraUICore;
class CNiraUISettings;

class CNiraCoreServices : public INiraCoreServices {
public:
    explicit CNiraCoreServices(CNiraUICore* owner);
    ~CNiraCoreServices() override;
    CNiraCoreServices(const CNiraCoreServices&) = delete;
    CNiraCoreServices& operator=(const CNiraCoreServices&) = delete;

    // *allowed = 1 when the feature's binding carries callerId, or callerId is the printing
    // shortcuts; NIRA_STATUS_FAILED without owner, settings or binding.
    int CheckOwner(int callerId, int featureId, int* allowed);

    int GetPrinterName(WCHAR** buffer) override;
    int GetPrinter(DWORD level, BYTE* buffer, DWORD cb, DWORD* needed) override;
    int SetPrinter(DWORD level, BYTE* buffer, DWORD command) override;
    int SendHandlerCommand(int sourceId, int targetId, int command, int* value, int* result) override;
    HMODULE GetResourceModule() override;
    int GetDefaultOption(int id, int* opt) override;
    int SetDefaultOption(int callerId, int* id, int* opt) override;
    int RemoveOption(int callerId, int* id, int* opt) override;
    int RemoveTreeViewOption(int callerId, int* id, int* opt) override;
    int InsertOption(int callerId, int id, int beforeOpt, int opt, OptionInfo* info) override;
    int AddOption(int callerId, int id, int opt, OptionInfo* info) override;
    int GetOptionByIndex(int index, int id, int* optionIndex, int* opt, WCHAR* name, int* bitmapId,
                         int* iconId, int* state) override;
    int GetOptionInfo(int id, int opt, OptionInfo* out) override;
    int GetTreeViewOption(int id, int opt, TreeViewOptionRecord* out) override;
    int FindOptionByName(int id, WCHAR* name, int* opt) override;
    int SetOptionInfo(int callerId, int id, int opt, OptionInfo* info) override;
    int QueryFeatureState(int* id, int* state) override;
    int GetOptionCount(int id) override;
    int FindFeature(int* id, FeatureEntry** entry) override;
    int GetValue(int id, int* opt, int* isSet) override;
    int IsAutoSelectedOption(int id, int opt, int* result) override;
    int GetPreviousOption(int id, int* opt, int* isSet) override;
    int BuildLinkedOptions(int id, int keepOption) override;
    int RebuildLinkedOptions(int id) override;
    int SetValue(int callerId, int* id, int* opt, int reason, int byUser, int clearUser,
                 int fromOwner) override;
    int GetDisplayState(int id) override;
    int SetDisplayState(int callerId, int id, int state) override;
    int SetDefaultDisplayState(int callerId, int id, int state) override;
    int SetFeatureState(int callerId, int id, int state) override;
    int SetOptionState(int callerId, int id, int opt, int state) override;
    int SetOptionAuxIds(int callerId, int id, int opt, int aux1, int aux2) override;
    int GetOptionValue(int id, int opt, int* optionIndex) override;
    int FindOptionByValue(int id, int optionIndex, int* opt) override;
    int GetOptionName(int id, int opt, WCHAR* name) override;
    int FindSoftLinkTarget(int sourceId, int* found, int* targetId, int* isSecond) override;
    int ResetToDefaults(int id) override;
    int IsOptionAcceptable(int id, int opt, int* ok) override;
    int HasFeature(int id) override;
    int HasOption(int id, int opt, int* found) override;
    int GetLinkedOptionSource(int id, int opt, int* sourceId, int* sourceOpt) override;
    int FindLinkedOption(int id, int sourceId, int sourceOpt, int* opt, int* found) override;
    int GetSoftLinks(int id, int* hasFirst, int* featureA, int* featureB, int* hasSecond) override;
    int AddLinkedOption(int id, int* newOpt, int sourceId, int sourceOpt) override;
    int SetSoftLinks(int callerId, int id, int softLink, int featureA, int featureB) override;
    int ClearLinkedOptions(int id) override;
    int IsFeatureLockRequested(int id) override;
    int IsFeatureLocked(int id) override;
    int SetFeatureLock(int id, int mode) override;
    int EnumerateOptions(int id, NiraOptionEnumCallback callback, void* userData) override;
    int Reserved50(INT_PTR a, INT_PTR b, INT_PTR c, INT_PTR d) override;
    int IsUserSelected(int id, int* value) override;
    int GetRangeMax(int id, int* value) override;
    int GetRangeMin(int id, int* value) override;
    int GetOptionState(int id, int opt, int* state) override;
    int Reserved55(INT_PTR a, INT_PTR b) override;
    int Reserved56(INT_PTR a) override;
    int ForwardConstraintAction(int id, const char* data1, const char* data2, const char* data3) override;
    int GetFeatureClassId(int id, int* classId) override;
    int AddTreeViewOption(int callerId, int id, int opt, TreeViewOptionRecord* record) override;
    int ShowPopup(int messageId, WCHAR* containerName) override;
    int TrackSnapshotValue(int id, int opt) override;
    int SetForceNotify(int value) override;
    int IsValidFeatureId(int id, int* valid) override;
    int RemoveAllOptions(int id) override;
    int ClearOptionLimits() override;

protected:
    // The owner's settings object, or null.
    CNiraUISettings* Settings() const;
    // The owner check, then the settings: the check's or GetSettings' failure, or null settings
    // with allowed set.
    CNiraUISettings* GuardedSettings(int callerId, int featureId, int* status);

    CNiraUICore* m_owner;
};
