// The UI settings object: every feature of one driver state with its records, options, current,
// previous, default and user option, display state and locks, the changes since it was made, the
// pending conflicts, the constraint limits and the linked (soft-link) features. The UI core makes
// and owns it; nirapres, the handlers (through the core services), the constraint engine and the
// settings engine read and change it. Single-threaded; no operation throws.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/INiraUISettingsImport.h"
#include "nira/uiplugin/interfaces/INiraUISettingsOwner.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"

// Walk callbacks of the pending list and of a feature's dependents.
typedef int (*PendingCallback)(void* userData, int featureId, int optionId);
typedef int (*DependentCallback)(void* userData, int featureId, int optionId, int dependentId);

// Where QueuePending puts a new record.
enum PendingPlace : INT {
    PENDING_AT_HEAD = 1,
    PENDING_AT_TAIL = 2,
};

class CNiraUISettings : public INiraUISettingsImport {
public:
    CNiraUISettings();
    ~CNiraUISettings() override;
    CNiraUISettings(const CNiraUISettings&) = delete;
    CNiraUISettings& operator=(const CNiraUISettings&) = delete;

    // The UI core sets itself as owner right after making the object; every notification goes there.
    void SetOwner(INiraUISettingsOwner* owner) { m_owner = owner; }

    int Reserved1(void* p) override;
    int Reserved2(void* p) override;
    int Reserved3(void* p) override;
    int IsFeatureLocked(int id) override;
    int SetDefaultDisplayState(int id, int state) override;
    int SetDefaultOptionState(int id, int opt, int state) override;
    int SetFeatureLock(int id, int mode) override;
    int IsFeatureLockRequested(int id) override;
    int GetDisplayState(int id) override;
    int GetFeatureState(int id) override;
    int GetHelpId(int id, int* helpId) override;
    int SetDisplayState(int id, int state) override;
    int SetFeatureState(int id, int state) override;
    int QueryFeatureState(int* id, int* state) override;
    int FindFeature(int* id, FeatureEntry** entry) override;
    int GetOptionCount(int id) override;
    int GetTreeViewOptionCount(int id) override;
    int GetCurrentOption(int id, int* opt, int* isSet) override;
    int GetPreviousOption(int id, int* opt, int* isSet) override;
    int GetDefaultOption(int id, int* opt) override;
    int GetUserOption(int id) override;
    int SetDefaultOption(int* id, int* opt) override;
    int SetCurrentOption(int* id, int* opt, int reason, int byUser, int clearUser, int notifyAlways,
                         int fromOwner) override;
    int ForceCurrentOption(int* id, int* opt, int evenIfSame) override;
    int ApplyOptionChange(int* id, int* opt, int* action, int* byForce, int limit) override;
    int SetOptionLimit(int id, int limit) override;
    int ClearOptionLimits() override;
    int AddFeature(FeatureRecord* record) override;
    int Reserved29(void* p) override;
    int AddTreeViewOption(int id, int opt, TreeViewOptionRecord* record) override;
    int SetFeatureTagB(int id, int value) override;
    int SetFeatureUIRecord(int id, FeatureUIRecord* record) override;
    int SetFeatureTagA(int id, int value) override;
    int SetFeatureVocabulary(int id, VocabularyRecord* record) override;
    int Reserved35(void* p1, void* p2, void* p3, int n) override;
    int SetOptionState(int id, int opt, int state, int clearConflict) override;
    int SetOptionDisplayName(int* id, int* opt, WCHAR* text, int size) override;
    int GetOptionByIndex(int index, int id, int* optionIndex, int* opt, WCHAR* name, int* bitmapId,
                         int* iconId, int* state) override;
    int GetOptionInfo(int id, int opt, OptionInfo* out) override;
    int GetTreeViewOptionByIndex(int index, int id, int* optionIndex, int* opt) override;
    int GetTreeViewOption(int id, int opt, TreeViewOptionRecord* out) override;
    int GetFeatureStringId(int id, int* stringId) override;
    int FindOptionByName(int id, WCHAR* name, int* opt) override;
    int GetOptionState(int id, int opt, int* state) override;
    int GetOptionValue(int id, int opt, int* optionIndex) override;
    int GetOptionStringId(int id, int opt, int* stringId) override;
    int FindOptionByValue(int id, int optionIndex, int* opt) override;
    int GetOptionName(int id, int opt, WCHAR* name) override;
    int SetOptionInfo(int id, int opt, OptionInfo* info) override;
    int InsertOption(int id, int beforeOpt, int opt, OptionInfo* info) override;
    int AddOption(int id, int opt, OptionInfo* info) override;
    int RemoveOption(int* id, int* opt) override;
    int RemoveTreeViewOption(int* id, int* opt) override;
    int GetLinkedOptionSource(int id, int opt, int* sourceId, int* sourceOpt) override;
    int FindLinkedOption(int id, int sourceId, int sourceOpt, int* opt, int* found) override;
    int ClearLinkedOptions(int id) override;
    int RemoveAllOptions(int id) override;
    int SetOptionAuxIds(int id, int opt, int aux1, int aux2) override;
    int GetChangeCount() override;
    CNiraPtrList* GetChangeList() override;
    int GetChange(int id, ChangeRecord* out) override;
    int RemoveChange(int id) override;
    int IsValidFeatureId(int id, int* valid) override;
    int IsInSecondaryRange(int id, int* inRange) override;
    int IsUserSelected(int id, int* value) override;
    int GetDiscriminator(int id, int* value) override;
    int SetDiscriminator(int id, int value) override;
    int GetRangeMax(int id, int* value) override;
    int GetRangeMin(int id, int* value) override;
    int IsOptionAcceptable(int id, int opt, int* ok) override;
    int HasFeature(int id) override;
    int SetSoftLinks(int id, int softLink, int featureA, int featureB) override;
    int GetIgnoreOptionState(int id, int* value) override;
    int HasOption(int id, int opt, int* found) override;
    int ListFeatures(CNiraPtrList* out) override;
    int GetFeatureSnapshot(int id, int* current, int* state, int* displayState, int* userSelected) override;
    int HandlerGetOptionValue(int id, int opt, int* value) override;
    int HandlerFindOptionByValue(int id, int value, int* opt) override;
    int IsAutoSelectedOption(int id, int opt, int* result) override;
    int FindSoftLinkTarget(int sourceId, int* found, int* targetId, int* isSecond) override;
    int GetSoftLinks(int id, int* hasFirst, int* featureA, int* featureB, int* hasSecond) override;
    int AddLinkedOption(int id, int* newOpt, int sourceId, int sourceOpt) override;

    // Records a change of a feature in its ChangeRecord and tells the owner.
    int AddChange(int id, int kind);

    // Set by the settings engine around an import; nothing here behaves differently while set.
    int SetImportMode(int value) override;
    int GetImportMode(int* value);
    // While 1, every SetCurrentOption that gets through its checks counts as a change.
    int SetForceNotify(int value);

    // Options added in the conflict state to the shortcut features during one user change.
    void SetOptionTracking(int value);
    void FinishOptionTracking(int apply);

    // Copies the options of a linked feature from its source features.
    int BuildLinkedOptions(int id, int keepOption);
    int RebuildLinkedOptions(int id);

    // Every feature back to its default option, display state and option states.
    int ResetToDefaults(int exceptId);

    // The settings features whose current option conflicts.
    int QueuePending(int id, int opt, int where);
    int RemovePending(int id);
    int FindPending(int id, int* found, CNiraPtrList::Node** node);
    int EvaluatePending(int id, int opt, int where);
    int ClearPending();
    int ForEachPending(PendingCallback callback, void* userData);

    // Features whose conflicts the constraint engine checks when a feature changes.
    int AddDependent(int dependentId, int id);
    int ForEachDependent(int id, int opt, void* userData, DependentCallback callback);

private:
    FeatureEntry* EntryOf(int id);
    FeatureRecord* RecordOf(int id);
    FeatureUIRecord* UIRecordOf(int id);
    OptionInfo* OptionOf(int id, int opt);
    bool IsLocked(int id);
    bool IsTrackedFeature(int id);
    bool IsAutoSelected(int id, int opt);
    bool LimitAllows(int id, int limit);
    int Select(int id, int opt, int byForce);
    int OptionAtWalkStep(FeatureEntry* entry, int index, int* opt, OptionInfo** info);
    int StoreOption(int id, int beforeOpt, bool atHead, int opt, OptionInfo* info);
    void TrackAddedOption(int id, int opt);
    void ForgetTrackedOptions(int id);
    int ShowAndSelect(int id, int opt, int byForce, int limit);
    int SelectAndGrey(int id, int opt, int byForce, int limit);
    int RestoreUserOption(int id, int byForce);
    int SelectDefaultOption(int id, int byForce, int limit);

    // Which aux id of a source option a linked feature tests, and against which mask.
    struct LinkFilter {
        int auxIndex;
        int auxBitMask;
    };
    // How one source's options are taken: numbered 1, 2, 3 ... (two sources) or under their own
    // ids, with the option kept whatever its aux id, and the walk step always taken (or -1).
    struct SourceRule {
        bool numbered;
        bool useKeepOption;
        int keepOption;
        int alwaysTakenStep;
    };
    int CopyLinkedOptions(int id, int keepOption, bool rebuild);
    void CopySourceOptions(int id, int sourceId, const LinkFilter& filter, const SourceRule& rule);
    int AddLinkRecord(int id, int sourceId, int sourceOpt, int opt);
    void ResetFeature(int id, int* status);
    void FreeEntry(FeatureEntry* entry);

    CNiraPtrList m_changes;       // ChangeRecord*
    CNiraIdMap m_features;        // feature id -> FeatureEntry*
    CNiraPtrList m_pending;       // PendingChange*
    CNiraIdMap m_dependents;      // feature id -> CNiraPtrList* of dependent ids
    CNiraIdMap m_trackedOptions;  // feature id -> CNiraPtrList* of option ids
    CNiraIdMap m_limits;          // feature id -> level
    int m_lastValidId;
    int m_firstValidId;
    int m_secondaryHigh;
    int m_secondaryLow;
    int m_importMode;
    int m_forceNotify;
    int m_optionTracking;
    INiraUISettingsOwner* m_owner;
};
