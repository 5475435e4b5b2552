// Records that the capability database reader builds from its rows and hands to the UI core.
// Each record is allocated with LocalAlloc and belongs to the callback that receives it; the UI
// settings object keeps them and frees them with LocalFree. nirapres reads the same records, so
// the field order and widths are a contract: the pointer-free ones are pinned below.
#pragma once

#include <windows.h>

#include <cstddef>

// Kinds passed to the capability reader's row callback, telling which record it receives.
enum CapabilityRecordKind : INT {
    CAPABILITY_KIND_FEATURE = 3,     // FeatureRecord
    CAPABILITY_KIND_FEATURE_UI = 4,  // FeatureUIRecord
    CAPABILITY_KIND_VOCABULARY = 6,  // VocabularyRecord
    CAPABILITY_KIND_TREEVIEW = 8,    // TreeViewOptionRecord
};

constexpr INT kFeatureRecordVersion = 1;
constexpr INT kFeatureUiRecordVersion = 1;
constexpr int kTreeviewTextLength = 260;

// The settings and state of one feature (a row of CAP_FEATURES_INFO). Fields marked "kept by the
// settings object" are 0 from the reader and maintained by the UI settings object.
struct FeatureRecord {
    INT size;                  // sizeof(FeatureRecord) = 92
    INT version;               // kFeatureRecordVersion
    INT featureId;             // Featureid
    INT saveState;             // SaveState
    INT classId;               // ClassId: the handler class that owns the feature
    INT externalOptions;       // ExternalOptions
    INT featureState;          // FeatureState
    INT reserved1;             // 0
    INT settingsKey;           // SettingsKey
    INT currentOption;         // kept by the settings object
    INT previousOption;        // kept by the settings object
    INT defaultOption;         // DefaultOption / DefaultJapanese / DefaultNonUS by UI language
    INT rangeMax;              // RangeMax
    INT rangeMin;              // RangeMin
    INT reserved2;             // 0
    INT biDiUpdate;            // BiDiUpdate
    INT userOption;            // kept by the settings object
    INT userSelected;          // kept by the settings object
    INT respectUserSelection;  // bRespectUserSelection
    INT discriminator;         // Discriminator (US English) / NonUSDiscriminator
    INT uiDataStore;           // uiDataStore
    INT firstChange;           // 1 for the settings features 4113..4312
    INT lockFlags;             // kept by the settings object: bit 0 locked, bit 1 lock requested
};

// How a feature shows in the user interface (the UI columns of CAP_FEATURES_INFO).
struct FeatureUIRecord {
    INT size;                   // sizeof(FeatureUIRecord) = 88
    INT version;                // kFeatureUiRecordVersion
    INT categoryId;             // Categoryid
    INT subcategoryId;          // Subcategoryid
    INT thirdCategoryId;        // Thridcategoryid
    INT stringId;               // Stringid
    INT labelId;                // LableId
    INT bitmapId;               // Bitmapid
    INT iconId;                 // IconId
    INT isUserInput;            // IsFeatureUserInput
    INT helpId;                 // HelpId
    INT optionNameLengthLimit;  // OptionNameLenghtLimit
    INT defaultDisplayState;    // DefaultDisplayState
    INT displayState;           // starts as DefaultDisplayState
    INT softLink;               // SoftLink
    INT softLinkFeatureId;      // SoftLinkFeatureID
    INT softLinkFeatureId2;     // 0 from the database
    INT auxIndex;               // AuxIndex
    INT auxBitMask;             // AuxBitOffset
    INT biDiUpdate;             // BiDiUpdate
    INT featureId;              // Featureid
    INT ignoreOptionState;      // IgnoreOptionState
};

// The PrintSchema names of a feature. Both texts are LocalAlloc'ed (null for a null column) and
// belong to the receiver of the record.
struct VocabularyRecord {
    INT reserved1;
    INT reserved2;
    LPWSTR vocabNamespace;  // VocabNameSpace
    LPWSTR vocabMap;        // VocabMap
};

// One row of the tree view (CAP_TREEVIEW_INFO). The display name is left empty for the UI core.
struct TreeViewOptionRecord {
    INT size;         // sizeof(TreeViewOptionRecord) = 1076
    INT featureId;    // FeatureID
    INT optionId;     // OptionID
    INT optionIndex;  // OptionIndex
    WCHAR displayName[kTreeviewTextLength];
    WCHAR optionName[kTreeviewTextLength];  // OptionName, at most 259 characters
    INT supportOption;                      // SupportOption
    INT stringId;                           // StringID
    INT levelId;                            // LevelID
    INT discriminator;                      // Discriminator
    INT groupId;                            // GroupID
};

static_assert(sizeof(FeatureRecord) == 92, "FeatureRecord layout");
static_assert(offsetof(FeatureRecord, defaultOption) == 44, "FeatureRecord layout");
static_assert(offsetof(FeatureRecord, lockFlags) == 88, "FeatureRecord layout");
static_assert(sizeof(FeatureUIRecord) == 88, "FeatureUIRecord layout");
static_assert(offsetof(FeatureUIRecord, softLink) == 56, "FeatureUIRecord layout");
static_assert(offsetof(FeatureUIRecord, ignoreOptionState) == 84, "FeatureUIRecord layout");
static_assert(sizeof(TreeViewOptionRecord) == 1076, "TreeViewOptionRecord layout");
static_assert(offsetof(TreeViewOptionRecord, optionName) == 536, "TreeViewOptionRecord layout");
static_assert(offsetof(TreeViewOptionRecord, groupId) == 1072, "TreeViewOptionRecord layout");
static_assert(sizeof(VocabularyRecord) == 8 + 2 * sizeof(LPWSTR), "VocabularyRecord layout");
