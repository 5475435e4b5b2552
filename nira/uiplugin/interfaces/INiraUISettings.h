// The UI settings object as nirapres, the settings engine and the UI core hold it. The order of the
// operations is a contract with nirapres, which calls them by position: every operation keeps its
// place, the unused ones included. Status results: 0 success, NIRA_STATUS_FAILED, or
// NIRA_STATUS_NO_FEATURE where the feature is known but lacks the record an operation needs.
// Records handed in: AddFeature, SetFeatureUIRecord and SetFeatureVocabulary always take them over
// (a refused record is freed); AddTreeViewOption, AddOption and InsertOption take them over only
// on success, so a caller frees the record they refuse.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/UISettingsRecords.h"

class INiraUISettings {
public:
    virtual ~INiraUISettings() = default;                               // 0
    virtual int Reserved1(void* p) = 0;                                 // 1
    virtual int Reserved2(void* p) = 0;                                 // 2
    virtual int Reserved3(void* p) = 0;                                 // 3
    virtual int IsFeatureLocked(int id) = 0;                            // 4
    virtual int SetDefaultDisplayState(int id, int state) = 0;          // 5
    virtual int SetDefaultOptionState(int id, int opt, int state) = 0;  // 6
    virtual int SetFeatureLock(int id, int mode) = 0;                   // 7
    virtual int IsFeatureLockRequested(int id) = 0;                     // 8
    virtual int GetDisplayState(int id) = 0;                            // 9
    virtual int GetFeatureState(int id) = 0;                            // 10
    virtual int GetHelpId(int id, int* helpId) = 0;                     // 11
    virtual int SetDisplayState(int id, int state) = 0;                 // 12
    virtual int SetFeatureState(int id, int state) = 0;                 // 13
    virtual int QueryFeatureState(int* id, int* state) = 0;             // 14
    virtual int FindFeature(int* id, FeatureEntry** entry) = 0;         // 15
    virtual int GetOptionCount(int id) = 0;                             // 16
    virtual int GetTreeViewOptionCount(int id) = 0;                     // 17
    virtual int GetCurrentOption(int id, int* opt, int* isSet) = 0;     // 18
    virtual int GetPreviousOption(int id, int* opt, int* isSet) = 0;    // 19
    virtual int GetDefaultOption(int id, int* opt) = 0;                 // 20
    virtual int GetUserOption(int id) = 0;                              // 21
    virtual int SetDefaultOption(int* id, int* opt) = 0;                // 22
    virtual int SetCurrentOption(int* id, int* opt, int reason, int byUser, int clearUser, int notifyAlways,
                                 int fromOwner) = 0;                                             // 23
    virtual int ForceCurrentOption(int* id, int* opt, int evenIfSame) = 0;                       // 24
    virtual int ApplyOptionChange(int* id, int* opt, int* action, int* byForce, int limit) = 0;  // 25
    virtual int SetOptionLimit(int id, int limit) = 0;                                           // 26
    virtual int ClearOptionLimits() = 0;                                                         // 27
    virtual int AddFeature(FeatureRecord* record) = 0;                                           // 28
    virtual int Reserved29(void* p) = 0;                                                         // 29
    virtual int AddTreeViewOption(int id, int opt, TreeViewOptionRecord* record) = 0;            // 30
    virtual int SetFeatureTagB(int id, int value) = 0;                                           // 31
    virtual int SetFeatureUIRecord(int id, FeatureUIRecord* record) = 0;                         // 32
    virtual int SetFeatureTagA(int id, int value) = 0;                                           // 33
    virtual int SetFeatureVocabulary(int id, VocabularyRecord* record) = 0;                      // 34
    virtual int Reserved35(void* p1, void* p2, void* p3, int n) = 0;                             // 35
    virtual int SetOptionState(int id, int opt, int state, int clearConflict) = 0;               // 36
    virtual int SetOptionDisplayName(int* id, int* opt, WCHAR* text, int size) = 0;              // 37
    virtual int GetOptionByIndex(int index, int id, int* optionIndex, int* opt, WCHAR* name, int* bitmapId,
                                 int* iconId, int* state) = 0;                                    // 38
    virtual int GetOptionInfo(int id, int opt, OptionInfo* out) = 0;                              // 39
    virtual int GetTreeViewOptionByIndex(int index, int id, int* optionIndex, int* opt) = 0;      // 40
    virtual int GetTreeViewOption(int id, int opt, TreeViewOptionRecord* out) = 0;                // 41
    virtual int GetFeatureStringId(int id, int* stringId) = 0;                                    // 42
    virtual int FindOptionByName(int id, WCHAR* name, int* opt) = 0;                              // 43
    virtual int GetOptionState(int id, int opt, int* state) = 0;                                  // 44
    virtual int GetOptionValue(int id, int opt, int* optionIndex) = 0;                            // 45
    virtual int GetOptionStringId(int id, int opt, int* stringId) = 0;                            // 46
    virtual int FindOptionByValue(int id, int optionIndex, int* opt) = 0;                         // 47
    virtual int GetOptionName(int id, int opt, WCHAR* name) = 0;                                  // 48
    virtual int SetOptionInfo(int id, int opt, OptionInfo* info) = 0;                             // 49
    virtual int InsertOption(int id, int beforeOpt, int opt, OptionInfo* info) = 0;               // 50
    virtual int AddOption(int id, int opt, OptionInfo* info) = 0;                                 // 51
    virtual int RemoveOption(int* id, int* opt) = 0;                                              // 52
    virtual int RemoveTreeViewOption(int* id, int* opt) = 0;                                      // 53
    virtual int GetLinkedOptionSource(int id, int opt, int* sourceId, int* sourceOpt) = 0;        // 54
    virtual int FindLinkedOption(int id, int sourceId, int sourceOpt, int* opt, int* found) = 0;  // 55
    virtual int ClearLinkedOptions(int id) = 0;                                                   // 56
    virtual int RemoveAllOptions(int id) = 0;                                                     // 57
    virtual int SetOptionAuxIds(int id, int opt, int aux1, int aux2) = 0;                         // 58
    virtual int GetChangeCount() = 0;                                                             // 59
    virtual CNiraPtrList* GetChangeList() = 0;                                                    // 60
    virtual int GetChange(int id, ChangeRecord* out) = 0;                                         // 61
    virtual int RemoveChange(int id) = 0;                                                         // 62
    virtual int IsValidFeatureId(int id, int* valid) = 0;                                         // 63
    virtual int IsInSecondaryRange(int id, int* inRange) = 0;                                     // 64
    virtual int IsUserSelected(int id, int* value) = 0;                                           // 65
    virtual int GetDiscriminator(int id, int* value) = 0;                                         // 66
    virtual int SetDiscriminator(int id, int value) = 0;                                          // 67
    virtual int GetRangeMax(int id, int* value) = 0;                                              // 68
    virtual int GetRangeMin(int id, int* value) = 0;                                              // 69
    virtual int IsOptionAcceptable(int id, int opt, int* ok) = 0;                                 // 70
    virtual int HasFeature(int id) = 0;                                                           // 71
    virtual int SetSoftLinks(int id, int softLink, int featureA, int featureB) = 0;               // 72
    virtual int GetIgnoreOptionState(int id, int* value) = 0;                                     // 73
    virtual int HasOption(int id, int opt, int* found) = 0;                                       // 74
    virtual int ListFeatures(CNiraPtrList* out) = 0;                                              // 75
    virtual int GetFeatureSnapshot(int id, int* current, int* state, int* displayState,
                                   int* userSelected) = 0;                                       // 76
    virtual int HandlerGetOptionValue(int id, int opt, int* value) = 0;                          // 77
    virtual int HandlerFindOptionByValue(int id, int value, int* opt) = 0;                       // 78
    virtual int IsAutoSelectedOption(int id, int opt, int* result) = 0;                          // 79
    virtual int FindSoftLinkTarget(int sourceId, int* found, int* targetId, int* isSecond) = 0;  // 80
    virtual int GetSoftLinks(int id, int* hasFirst, int* featureA, int* featureB,
                             int* hasSecond) = 0;                                       // 81
    virtual int AddLinkedOption(int id, int* newOpt, int sourceId, int sourceOpt) = 0;  // 82
};
