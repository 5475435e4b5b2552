// Records of the UI settings object. The option record, the feature entry and the change record
// cross into nirapres and the feature handlers, so their field order and widths are a contract;
// the pointer-free ones are pinned below. Every record the object keeps comes from LocalAlloc and
// is freed with LocalFree.
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"

constexpr int kOptionTextLength = 260;

// Option states: 3 and 5 are unavailable (5 is shown greyed), 4 is conflicting, 2 is selectable.
enum OptionState : INT {
    OPTION_STATE_SELECTABLE = 2,
    OPTION_STATE_UNAVAILABLE = 3,
    OPTION_STATE_CONFLICT = 4,
    OPTION_STATE_GREYED = 5,
};

// Display states of a feature: 0 and 1 hidden, 2 shown and greyed, 3 shown and enabled.
enum DisplayState : INT {
    DISPLAY_STATE_HIDDEN = 0,
    DISPLAY_STATE_HIDDEN_ALT = 1,
    DISPLAY_STATE_GREYED = 2,
    DISPLAY_STATE_ENABLED = 3,
};

// Kinds of change reported to the owner; each sets one bit of the feature's ChangeRecord mask.
enum ChangeKind : INT {
    CHANGE_OPTION_ADDED = 1,
    CHANGE_OPTION_REMOVED = 2,
    CHANGE_DISPLAY_STATE = 3,
    CHANGE_OPTION_STATE = 4,
    CHANGE_CURRENT_OPTION = 7,
    CHANGE_OPTION_SELECTABLE = 8,
};

// Bits of ChangeRecord::changeMask: what nirapres must read again for the feature.
enum ChangeMask : INT {
    CHANGE_MASK_OPTIONS = 1,  // the option list or option states
    CHANGE_MASK_DISPLAY = 2,  // the display state
    CHANGE_MASK_CURRENT = 4,  // the current option
};

// Bits of FeatureRecord::lockFlags.
enum FeatureLockBits : INT {
    FEATURE_LOCKED = 1,
    FEATURE_LOCK_REQUESTED = 2,
};

// One option of a feature (a row of CAP_OPTIONS_INFO, or made by a handler).
struct OptionInfo {
    INT optionIndex;  // the public number that the DEVMODE and the PrintTicket carry
    INT featureId;
    INT reserved1;
    INT bitmapId;
    INT stringId;
    WCHAR displayName[kOptionTextLength];  // the text that lists show
    WCHAR optionName[kOptionTextLength];
    INT iconId;
    INT state;         // OptionState
    INT defaultState;  // the state that a reset to defaults restores
    INT conflictFlag;  // set at state 4, kept while the option is unavailable
    INT auxId1;
    INT auxId2;
    INT auxId3;
    INT auxId4;
    INT category;
    INT group1;
    INT group2;
    INT group3;
    INT group4;
    INT group5;
    INT reserved2;
    WCHAR biDiKey[kOptionTextLength];
    INT biDiState;
    WCHAR vocabNamespace[kOptionTextLength];
    WCHAR vocabMap[kOptionTextLength];
    INT sendCommand;
    WCHAR commandString[kOptionTextLength];
    INT commandLevel;
    INT commandIndex;
    INT productInstance;
    INT separator;
    INT treeViewCategory;
    INT treeViewSizeId;
    INT isSet;  // 1 when displayName holds a text that the user typed
};

// A feature touched since the object was made, with what changed (ChangeMask bits).
struct ChangeRecord {
    INT featureId;
    INT changeMask;
};

// A settings feature whose current option is conflicting (state 4).
struct PendingChange {
    INT featureId;
    INT optionId;
};

// Option optionId of a linked feature was copied from option sourceOptionId of sourceFeatureId.
struct LinkedOptionRecord {
    INT sourceFeatureId;
    INT sourceOptionId;
    INT optionId;
};

// Everything the object keeps for one feature. nirapres reads it through FindFeature.
struct FeatureEntry {
    INT reserved1;
    INT reserved2;
    FeatureRecord* record;
    VocabularyRecord* vocabulary;
    INT tagA;
    FeatureUIRecord* uiRecord;
    INT tagB;
    CNiraIdMap options;          // option id -> OptionInfo*
    CNiraIdMap treeViewOptions;  // option id -> TreeViewOptionRecord*
    CNiraPtrList linkedOptions;  // LinkedOptionRecord*
};

static_assert(sizeof(OptionInfo) == 3236, "OptionInfo layout");
static_assert(offsetof(OptionInfo, displayName) == 20, "OptionInfo layout");
static_assert(offsetof(OptionInfo, optionName) == 540, "OptionInfo layout");
static_assert(offsetof(OptionInfo, iconId) == 1060, "OptionInfo layout");
static_assert(offsetof(OptionInfo, state) == 1064, "OptionInfo layout");
static_assert(offsetof(OptionInfo, auxId1) == 1076, "OptionInfo layout");
static_assert(offsetof(OptionInfo, biDiKey) == 1120, "OptionInfo layout");
static_assert(offsetof(OptionInfo, vocabNamespace) == 1644, "OptionInfo layout");
static_assert(offsetof(OptionInfo, commandString) == 2688, "OptionInfo layout");
static_assert(offsetof(OptionInfo, isSet) == 3232, "OptionInfo layout");
static_assert(sizeof(ChangeRecord) == 8, "ChangeRecord layout");
