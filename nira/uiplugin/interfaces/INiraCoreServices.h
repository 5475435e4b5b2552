// The services through which feature handlers (and the foundation's feature store) reach the
// settings, the printer and the UI core. The slot order is a contract with every feature handler
// and with the constraint engine: every operation keeps its place, the reserved ones included.
// Guarded slots take the calling handler's class id first and refuse changes to features of
// another handler class with NIRA_STATUS_FAILED (class id 4143, the printing shortcuts, may change
// every feature).
#pragma once

#include <windows.h>
// GetPrinter and SetPrinter are names the spooler header maps to their wide forms: every user of
// this interface sees the same mapping.
#include <winspool.h>

#include "nira/uiplugin/interfaces/UISettingsRecords.h"

// Called once per option of a feature in the order the options were added, the first with index 0.
typedef int (*NiraOptionEnumCallback)(int index, int optionId, int optionIndex, WCHAR* displayName,
                                      void* userData);

class INiraCoreServices {
public:
    virtual ~INiraCoreServices() = default;  // 0
    // A null *buffer gets a zero-filled 260-character LocalAlloc buffer that the caller frees.
    virtual int GetPrinterName(WCHAR** buffer) = 0;                                  // 1
    virtual int GetPrinter(DWORD level, BYTE* buffer, DWORD cb, DWORD* needed) = 0;  // 2
    virtual int SetPrinter(DWORD level, BYTE* buffer, DWORD command) = 0;            // 3
    virtual int SendHandlerCommand(int sourceId, int targetId, int command, int* value,
                                   int* result) = 0;                                               // 4
    virtual HMODULE GetResourceModule() = 0;                                                       // 5
    virtual int GetDefaultOption(int id, int* opt) = 0;                                            // 6
    virtual int SetDefaultOption(int callerId, int* id, int* opt) = 0;                             // 7
    virtual int RemoveOption(int callerId, int* id, int* opt) = 0;                                 // 8
    virtual int RemoveTreeViewOption(int callerId, int* id, int* opt) = 0;                         // 9
    virtual int InsertOption(int callerId, int id, int beforeOpt, int opt, OptionInfo* info) = 0;  // 10
    virtual int AddOption(int callerId, int id, int opt, OptionInfo* info) = 0;                    // 11
    virtual int GetOptionByIndex(int index, int id, int* optionIndex, int* opt, WCHAR* name, int* bitmapId,
                                 int* iconId, int* state) = 0;                       // 12
    virtual int GetOptionInfo(int id, int opt, OptionInfo* out) = 0;                 // 13
    virtual int GetTreeViewOption(int id, int opt, TreeViewOptionRecord* out) = 0;   // 14
    virtual int FindOptionByName(int id, WCHAR* name, int* opt) = 0;                 // 15
    virtual int SetOptionInfo(int callerId, int id, int opt, OptionInfo* info) = 0;  // 16
    virtual int QueryFeatureState(int* id, int* state) = 0;                          // 17
    virtual int GetOptionCount(int id) = 0;                                          // 18
    virtual int FindFeature(int* id, FeatureEntry** entry) = 0;                      // 19
    virtual int GetValue(int id, int* opt, int* isSet) = 0;                          // 20
    virtual int IsAutoSelectedOption(int id, int opt, int* result) = 0;              // 21
    virtual int GetPreviousOption(int id, int* opt, int* isSet) = 0;                 // 22
    virtual int BuildLinkedOptions(int id, int keepOption) = 0;                      // 23
    virtual int RebuildLinkedOptions(int id) = 0;                                    // 24
    // The settings' SetCurrentOption with notifyAlways forced to 1.
    virtual int SetValue(int callerId, int* id, int* opt, int reason, int byUser, int clearUser,
                         int fromOwner) = 0;                                                      // 25
    virtual int GetDisplayState(int id) = 0;                                                      // 26
    virtual int SetDisplayState(int callerId, int id, int state) = 0;                             // 27
    virtual int SetDefaultDisplayState(int callerId, int id, int state) = 0;                      // 28
    virtual int SetFeatureState(int callerId, int id, int state) = 0;                             // 29
    virtual int SetOptionState(int callerId, int id, int opt, int state) = 0;                     // 30
    virtual int SetOptionAuxIds(int callerId, int id, int opt, int aux1, int aux2) = 0;           // 31
    virtual int GetOptionValue(int id, int opt, int* optionIndex) = 0;                            // 32
    virtual int FindOptionByValue(int id, int optionIndex, int* opt) = 0;                         // 33
    virtual int GetOptionName(int id, int opt, WCHAR* name) = 0;                                  // 34
    virtual int FindSoftLinkTarget(int sourceId, int* found, int* targetId, int* isSecond) = 0;   // 35
    virtual int ResetToDefaults(int id) = 0;                                                      // 36
    virtual int IsOptionAcceptable(int id, int opt, int* ok) = 0;                                 // 37
    virtual int HasFeature(int id) = 0;                                                           // 38
    virtual int HasOption(int id, int opt, int* found) = 0;                                       // 39
    virtual int GetLinkedOptionSource(int id, int opt, int* sourceId, int* sourceOpt) = 0;        // 40
    virtual int FindLinkedOption(int id, int sourceId, int sourceOpt, int* opt, int* found) = 0;  // 41
    virtual int GetSoftLinks(int id, int* hasFirst, int* featureA, int* featureB,
                             int* hasSecond) = 0;                                                  // 42
    virtual int AddLinkedOption(int id, int* newOpt, int sourceId, int sourceOpt) = 0;             // 43
    virtual int SetSoftLinks(int callerId, int id, int softLink, int featureA, int featureB) = 0;  // 44
    virtual int ClearLinkedOptions(int id) = 0;                                                    // 45
    virtual int IsFeatureLockRequested(int id) = 0;                                                // 46
    virtual int IsFeatureLocked(int id) = 0;                                                       // 47
    virtual int SetFeatureLock(int id, int mode) = 0;                                              // 48
    virtual int EnumerateOptions(int id, NiraOptionEnumCallback callback, void* userData) = 0;     // 49
    virtual int Reserved50(INT_PTR a, INT_PTR b, INT_PTR c, INT_PTR d) = 0;                        // 50
    virtual int IsUserSelected(int id, int* value) = 0;                                            // 51
    virtual int GetRangeMax(int id, int* value) = 0;                                               // 52
    virtual int GetRangeMin(int id, int* value) = 0;                                               // 53
    virtual int GetOptionState(int id, int opt, int* state) = 0;                                   // 54
    virtual int Reserved55(INT_PTR a, INT_PTR b) = 0;                                              // 55
    virtual int Reserved56(INT_PTR a) = 0;                                                         // 56
    virtual int ForwardConstraintAction(int id, const char* data1, const char* data2,
                                        const char* data3) = 0;  // 57
    // The class id of the handler that owns the feature.
    virtual int GetFeatureClassId(int id, int* classId) = 0;                                         // 58
    virtual int AddTreeViewOption(int callerId, int id, int opt, TreeViewOptionRecord* record) = 0;  // 59
    virtual int ShowPopup(int messageId, WCHAR* containerName) = 0;                                  // 60
    virtual int TrackSnapshotValue(int id, int opt) = 0;                                             // 61
    virtual int SetForceNotify(int value) = 0;                                                       // 62
    virtual int IsValidFeatureId(int id, int* valid) = 0;                                            // 63
    virtual int RemoveAllOptions(int id) = 0;                                                        // 64
    virtual int ClearOptionLimits() = 0;                                                             // 65
};
