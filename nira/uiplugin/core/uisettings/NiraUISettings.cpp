#include "nira/uiplugin/core/uisettings/NiraUISettings.h"

#include <cstring>
#include <new>

#include "common/SafeString.h"
#include "nira/uiplugin/core/uisettings/UISettingsContainers.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"

namespace {
// A record handed to Reserved35 describes at most this many items.
constexpr int kReserved35MaxCount = 32;

// The mask bit that a change kind sets; 0 for a kind that is not one.
int MaskOfKind(int kind)
{
    switch (kind) {
    case CHANGE_OPTION_ADDED:
    case CHANGE_OPTION_REMOVED:
    case CHANGE_OPTION_STATE:
    case CHANGE_OPTION_SELECTABLE:
        return CHANGE_MASK_OPTIONS;
    case CHANGE_DISPLAY_STATE:
        return CHANGE_MASK_DISPLAY;
    case CHANGE_CURRENT_OPTION:
        return CHANGE_MASK_CURRENT;
    default:
        return 0;
    }
}

void FreeVocabulary(VocabularyRecord* vocabulary)
{
    if (!vocabulary) {
        return;
    }
    LocalFree(vocabulary->vocabNamespace);
    LocalFree(vocabulary->vocabMap);
    LocalFree(vocabulary);
}

CNiraPtrList::Node* FindChangeNode(CNiraPtrList& changes, int id)
{
    for (CNiraPtrList::Node* node = ListHead(changes); node; node = node->next) {
        if (static_cast<ChangeRecord*>(node->value)->featureId == id) {
            return node;
        }
    }
    return nullptr;
}
}  // namespace

CNiraUISettings::CNiraUISettings()
    : m_lastValidId(kLastSettingsFeature),
      m_firstValidId(kFirstSettingsFeature),
      m_secondaryHigh(0),
      m_secondaryLow(0),
      m_importMode(0),
      m_forceNotify(0),
      m_optionTracking(0),
      m_owner(nullptr)
{}

CNiraUISettings::~CNiraUISettings()
{
    FreeListRecords(m_changes);
    const int count = MapCount(m_features);
    for (int i = 0; i < count; ++i) {
        FreeEntry(MapValueAt<FeatureEntry>(m_features, i));
    }
    m_features.RemoveAll();
    FreeListRecords(m_pending);
    DeleteMapLists(m_dependents);
    DeleteMapLists(m_trackedOptions);
    m_limits.RemoveAll();
}

void CNiraUISettings::FreeEntry(FeatureEntry* entry)
{
    if (!entry) {
        return;
    }
    LocalFree(entry->uiRecord);
    LocalFree(entry->record);
    FreeVocabulary(entry->vocabulary);
    FreeMapRecords(entry->options);
    FreeMapRecords(entry->treeViewOptions);
    FreeListRecords(entry->linkedOptions);
    entry->~FeatureEntry();
    LocalFree(entry);
}

// ---- lookups that never add a key ----

FeatureEntry* CNiraUISettings::EntryOf(int id)
{
    return MapFind<FeatureEntry>(m_features, id);
}

FeatureRecord* CNiraUISettings::RecordOf(int id)
{
    FeatureEntry* entry = EntryOf(id);
    return entry ? entry->record : nullptr;
}

FeatureUIRecord* CNiraUISettings::UIRecordOf(int id)
{
    FeatureEntry* entry = EntryOf(id);
    return entry ? entry->uiRecord : nullptr;
}

OptionInfo* CNiraUISettings::OptionOf(int id, int opt)
{
    FeatureEntry* entry = EntryOf(id);
    return entry ? MapFind<OptionInfo>(entry->options, opt) : nullptr;
}

bool CNiraUISettings::IsLocked(int id)
{
    FeatureRecord* record = RecordOf(id);
    return record && (record->lockFlags & FEATURE_LOCKED) != 0;
}

bool CNiraUISettings::IsAutoSelected(int id, int opt)
{
    int result = 0;
    IsAutoSelectedOption(id, opt, &result);
    return result != 0;
}

// ---- reserved slots ----

int CNiraUISettings::Reserved1(void* p)
{
    return p ? 0 : 1;
}

int CNiraUISettings::Reserved2(void* p)
{
    return p ? 0 : 1;
}

int CNiraUISettings::Reserved3(void* p)
{
    return p ? 0 : 1;
}

int CNiraUISettings::Reserved29(void*)
{
    return NIRA_STATUS_FAILED;
}

int CNiraUISettings::Reserved35(void* p1, void* p2, void* p3, int n)
{
    return (p1 && p2 && p3 && n <= kReserved35MaxCount) ? 0 : 1;
}

// ---- features and their records ----

int CNiraUISettings::HasFeature(int id)
{
    return m_features.Contains(id) ? 1 : 0;
}

int CNiraUISettings::FindFeature(int* id, FeatureEntry** entry)
{
    if (!entry) {
        return 0;
    }
    *entry = id ? EntryOf(*id) : nullptr;
    return *entry ? 0 : NIRA_STATUS_FAILED;
}

int CNiraUISettings::AddFeature(FeatureRecord* record)
{
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    void* block = LocalAlloc(LPTR, sizeof(FeatureEntry));
    if (!block) {
        // The record was handed over: it is ours to free even though the feature stays absent.
        LocalFree(record);
        return 0;
    }
    FeatureEntry* entry = new (block) FeatureEntry();
    entry->record = record;
    FeatureEntry* earlier = EntryOf(record->featureId);
    if (!MapPut(m_features, record->featureId, entry)) {
        FreeEntry(entry);  // frees the record with it: the feature stays absent
        return 0;
    }
    if (earlier && earlier->record == record) {
        earlier->record = nullptr;  // the same record handed over again stays in the new entry
    }
    FreeEntry(earlier);
    record->previousOption = record->currentOption;
    record->currentOption = record->defaultOption;
    return 0;
}

// The three setters below take over the record even when they cannot store it, so that nothing
// handed to the object is lost.
int CNiraUISettings::SetFeatureUIRecord(int id, FeatureUIRecord* record)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !record) {
        LocalFree(record);
        return 0;
    }
    if (entry->uiRecord != record) {
        LocalFree(entry->uiRecord);
    }
    entry->uiRecord = record;
    return 0;
}

int CNiraUISettings::SetFeatureVocabulary(int id, VocabularyRecord* record)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !record) {
        FreeVocabulary(record);
        return 0;
    }
    if (entry->vocabulary != record) {
        FreeVocabulary(entry->vocabulary);
    }
    entry->vocabulary = record;
    return 0;
}

int CNiraUISettings::SetFeatureTagA(int id, int value)
{
    FeatureEntry* entry = EntryOf(id);
    if (entry && value != 0) {
        entry->tagA = value;
    }
    return 0;
}

int CNiraUISettings::SetFeatureTagB(int id, int value)
{
    FeatureEntry* entry = EntryOf(id);
    if (entry && value != 0) {
        entry->tagB = value;
    }
    return 0;
}

int CNiraUISettings::GetFeatureState(int id)
{
    FeatureRecord* record = RecordOf(id);
    return record ? record->featureState : 0;
}

int CNiraUISettings::QueryFeatureState(int* id, int* state)
{
    FeatureRecord* record = id ? RecordOf(*id) : nullptr;
    if (!record) {
        return NIRA_STATUS_NO_FEATURE;
    }
    if (!state) {
        return NIRA_STATUS_FAILED;
    }
    *state = record->featureState;
    return 0;
}

int CNiraUISettings::GetUserOption(int id)
{
    FeatureRecord* record = RecordOf(id);
    return record ? record->userOption : 0;
}

int CNiraUISettings::GetDefaultOption(int id, int* opt)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !opt) {
        return NIRA_STATUS_FAILED;
    }
    *opt = record->defaultOption;
    return 0;
}

int CNiraUISettings::IsUserSelected(int id, int* value)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !value) {
        return NIRA_STATUS_FAILED;
    }
    *value = record->userSelected;
    return 0;
}

int CNiraUISettings::GetDiscriminator(int id, int* value)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !value) {
        return NIRA_STATUS_FAILED;
    }
    *value = record->discriminator;
    return 0;
}

int CNiraUISettings::SetDiscriminator(int id, int value)
{
    FeatureRecord* record = RecordOf(id);
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    record->discriminator = value;
    return 0;
}

int CNiraUISettings::GetRangeMax(int id, int* value)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !value) {
        return NIRA_STATUS_FAILED;
    }
    *value = record->rangeMax;
    return 0;
}

int CNiraUISettings::GetRangeMin(int id, int* value)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !value) {
        return NIRA_STATUS_FAILED;
    }
    *value = record->rangeMin;
    return 0;
}

int CNiraUISettings::GetDisplayState(int id)
{
    FeatureUIRecord* ui = UIRecordOf(id);
    return ui ? ui->displayState : 0;
}

int CNiraUISettings::GetHelpId(int id, int* helpId)
{
    FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui || !helpId) {
        return NIRA_STATUS_FAILED;
    }
    *helpId = ui->helpId;
    return 0;
}

int CNiraUISettings::GetFeatureStringId(int id, int* stringId)
{
    FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui || !stringId) {
        return NIRA_STATUS_FAILED;
    }
    *stringId = ui->stringId;
    return 0;
}

int CNiraUISettings::GetIgnoreOptionState(int id, int* value)
{
    if (!value) {
        return NIRA_STATUS_FAILED;
    }
    FeatureUIRecord* ui = UIRecordOf(id);
    *value = (ui && ui->ignoreOptionState != 0) ? 1 : 0;
    return 0;
}

int CNiraUISettings::GetFeatureSnapshot(int id, int* current, int* state, int* displayState,
                                        int* userSelected)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !current || !state || !displayState || !userSelected) {
        return NIRA_STATUS_FAILED;
    }
    *current = record->currentOption;
    if (OptionInfo* info = OptionOf(id, record->currentOption)) {
        *state = info->state;
    }
    *displayState = GetDisplayState(id);
    *userSelected = record->userSelected;
    return 0;
}

int CNiraUISettings::ListFeatures(CNiraPtrList* out)
{
    if (!out || MapCount(m_features) == 0) {
        return 0;
    }
    // The map walks newest first; the list gets the features in the order they were added.
    for (int i = MapCount(m_features) - 1; i >= 0; --i) {
        FeatureEntry* entry = MapValueAt<FeatureEntry>(m_features, i);
        if (entry && entry->record && entry->record->uiDataStore == 1) {
            ListAddIdTail(*out, entry->record->featureId);
        }
    }
    return ListCount(*out);
}

int CNiraUISettings::IsValidFeatureId(int id, int* valid)
{
    if (!valid) {
        return NIRA_STATUS_FAILED;
    }
    const unsigned value = static_cast<unsigned>(id);
    *valid = (value >= static_cast<unsigned>(m_firstValidId) && value <= static_cast<unsigned>(m_lastValidId))
                 ? 1
                 : 0;
    return 0;
}

int CNiraUISettings::IsInSecondaryRange(int id, int* inRange)
{
    if (!inRange) {
        return NIRA_STATUS_FAILED;
    }
    const unsigned value = static_cast<unsigned>(id);
    *inRange =
        (value >= static_cast<unsigned>(m_secondaryLow) && value <= static_cast<unsigned>(m_secondaryHigh))
            ? 1
            : 0;
    return 0;
}

// ---- current, previous and default option ----

int CNiraUISettings::GetCurrentOption(int id, int* opt, int* isSet)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !opt || !isSet) {
        return NIRA_STATUS_FAILED;
    }
    const int current = record->currentOption;
    int ok = 1;
    IsOptionAcceptable(id, current, &ok);
    // The record that GetOptionInfo would copy: the current option's, else the default option's.
    const OptionInfo* info = OptionOf(id, current);
    if (!info) {
        info = OptionOf(id, record->defaultOption);
    }
    if (info && info->isSet) {
        *isSet = 1;
        *opt = current;
        return 0;
    }
    *isSet = 0;
    *opt = ok ? current : record->defaultOption;
    return 0;
}

int CNiraUISettings::GetPreviousOption(int id, int* opt, int* isSet)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !opt || !isSet) {
        return NIRA_STATUS_FAILED;
    }
    const int previous = record->previousOption;
    int found = 0;
    if (HasOption(id, previous, &found) != 0 || !found) {
        return NIRA_STATUS_FAILED;
    }
    *isSet = OptionOf(id, previous)->isSet ? 1 : 0;
    *opt = previous;
    return 0;
}

// ---- options ----

int CNiraUISettings::GetOptionCount(int id)
{
    FeatureEntry* entry = EntryOf(id);
    return entry ? MapCount(entry->options) : 0;
}

int CNiraUISettings::HasOption(int id, int opt, int* found)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !found) {
        return NIRA_STATUS_FAILED;
    }
    *found = (entry->uiRecord && entry->options.Contains(opt)) ? 1 : 0;
    return 0;
}

int CNiraUISettings::IsOptionAcceptable(int id, int opt, int* ok)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !ok) {
        return NIRA_STATUS_FAILED;
    }
    int acceptable = entry->uiRecord ? entry->uiRecord->isUserInput : 0;
    if (acceptable == 0) {
        acceptable = entry->options.Contains(opt) ? 1 : 0;
    }
    *ok = acceptable;
    return 0;
}

int CNiraUISettings::OptionAtWalkStep(FeatureEntry* entry, int index, int* opt, OptionInfo** info)
{
    if (!entry || index < 0 || index >= MapCount(entry->options)) {
        return NIRA_STATUS_FAILED;
    }
    *opt = MapKeyAt(entry->options, index);
    *info = MapValueAt<OptionInfo>(entry->options, index);
    return *info ? 0 : NIRA_STATUS_FAILED;
}

int CNiraUISettings::GetOptionByIndex(int index, int id, int* optionIndex, int* opt, WCHAR* name,
                                      int* bitmapId, int* iconId, int* state)
{
    if (!optionIndex || !opt || !bitmapId || !iconId || !state) {
        return NIRA_STATUS_FAILED;
    }
    int key = 0;
    OptionInfo* info = nullptr;
    if (OptionAtWalkStep(EntryOf(id), index, &key, &info) != 0) {
        return NIRA_STATUS_FAILED;
    }
    *opt = key;
    *optionIndex = info->optionIndex;
    *bitmapId = info->bitmapId;
    *iconId = info->iconId;
    *state = info->state;
    if (name) {
        CopyStringSafe(name, kOptionTextLength, info->displayName);
    }
    return 0;
}

int CNiraUISettings::GetOptionInfo(int id, int opt, OptionInfo* out)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !out) {
        return NIRA_STATUS_FAILED;
    }
    if (!entry->options.Contains(opt)) {
        if (!entry->record) {
            return NIRA_STATUS_FAILED;
        }
        opt = entry->record->defaultOption;
    }
    const OptionInfo* info = MapFind<OptionInfo>(entry->options, opt);
    if (!info) {
        return NIRA_STATUS_FAILED;
    }
    std::memcpy(out, info, sizeof(OptionInfo));
    return 0;
}

// The option's record when HasOption finds it; the lookups by id all go through this test.
static OptionInfo* ListedOption(CNiraUISettings& settings, FeatureEntry* entry, int id, int opt)
{
    int found = 0;
    if (settings.HasOption(id, opt, &found) != 0 || !found || MapCount(entry->options) == 0) {
        return nullptr;
    }
    return MapFind<OptionInfo>(entry->options, opt);
}

int CNiraUISettings::GetOptionState(int id, int opt, int* state)
{
    OptionInfo* info = ListedOption(*this, EntryOf(id), id, opt);
    if (!info || !state) {
        return NIRA_STATUS_FAILED;
    }
    *state = info->state;
    return 0;
}

int CNiraUISettings::GetOptionValue(int id, int opt, int* optionIndex)
{
    OptionInfo* info = ListedOption(*this, EntryOf(id), id, opt);
    if (!info || !optionIndex) {
        return NIRA_STATUS_FAILED;
    }
    *optionIndex = info->optionIndex;
    return 0;
}

int CNiraUISettings::GetOptionStringId(int id, int opt, int* stringId)
{
    OptionInfo* info = ListedOption(*this, EntryOf(id), id, opt);
    if (!info || !stringId) {
        return NIRA_STATUS_FAILED;
    }
    *stringId = info->stringId;
    return 0;
}

int CNiraUISettings::GetOptionName(int id, int opt, WCHAR* name)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !name) {
        return NIRA_STATUS_FAILED;
    }
    if (MapCount(entry->options) == 0) {
        return 0;
    }
    const OptionInfo* info = MapFind<OptionInfo>(entry->options, opt);
    if (!info) {
        return NIRA_STATUS_FAILED;
    }
    CopyStringSafe(name, kOptionTextLength, info->displayName);
    return 0;
}

int CNiraUISettings::FindOptionByValue(int id, int optionIndex, int* opt)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !opt) {
        return NIRA_STATUS_FAILED;
    }
    const int count = MapCount(entry->options);
    for (int i = 0; i < count; ++i) {
        const OptionInfo* info = MapValueAt<OptionInfo>(entry->options, i);
        if (info && info->optionIndex == optionIndex) {
            *opt = MapKeyAt(entry->options, i);
            return 0;
        }
    }
    return NIRA_STATUS_FAILED;
}

int CNiraUISettings::FindOptionByName(int id, WCHAR* name, int* opt)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !name || !opt) {
        return NIRA_STATUS_FAILED;
    }
    const int count = MapCount(entry->options);
    for (int i = 0; i < count; ++i) {
        const int key = MapKeyAt(entry->options, i);
        const OptionInfo* info = MapValueAt<OptionInfo>(entry->options, i);
        // Options 0 and below are placeholders, never matched by name.
        if (key > 0 && info && CompareStringNoCaseSafe(info->displayName, name) == 0) {
            *opt = key;
            return 0;
        }
    }
    return NIRA_STATUS_FAILED;
}

int CNiraUISettings::SetOptionInfo(int id, int opt, OptionInfo* info)
{
    FeatureEntry* entry = EntryOf(id);
    OptionInfo* stored = entry ? MapFind<OptionInfo>(entry->options, opt) : nullptr;
    if (!stored || !info) {
        return NIRA_STATUS_FAILED;
    }
    if (stored != info) {
        std::memcpy(stored, info, sizeof(OptionInfo));
    }
    return 0;
}

int CNiraUISettings::SetOptionAuxIds(int id, int opt, int aux1, int aux2)
{
    OptionInfo* info = OptionOf(id, opt);
    if (!info) {
        return NIRA_STATUS_FAILED;
    }
    info->auxId1 = aux1;
    info->auxId2 = aux2;
    return 0;
}

int CNiraUISettings::SetOptionDisplayName(int* id, int* opt, WCHAR* text, int size)
{
    if (!id || !opt || !text || size <= 0 || size > kOptionTextLength) {
        return NIRA_STATUS_FAILED;
    }
    int found = 0;
    if (HasOption(*id, *opt, &found) != 0 || !found) {
        return NIRA_STATUS_FAILED;
    }
    CopyStringSafe(OptionOf(*id, *opt)->displayName, static_cast<size_t>(size), text);
    return 0;
}

int CNiraUISettings::AddOption(int id, int opt, OptionInfo* info)
{
    return StoreOption(id, 0, true, opt, info);
}

int CNiraUISettings::InsertOption(int id, int beforeOpt, int opt, OptionInfo* info)
{
    return StoreOption(id, beforeOpt, false, opt, info);
}

// Stores an option record at the head of the walk (AddOption) or before another option
// (InsertOption). On failure the record stays the caller's.
int CNiraUISettings::StoreOption(int id, int beforeOpt, bool atHead, int opt, OptionInfo* info)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !info) {
        return NIRA_STATUS_FAILED;
    }
    OptionInfo* earlier = MapFind<OptionInfo>(entry->options, opt);
    if (earlier) {
        int found = 0;
        if (atHead && earlier != info && HasOption(id, opt, &found) == 0 && found) {
            int featureId = id;
            int optionId = opt;
            RemoveOption(&featureId, &optionId);
            entry = EntryOf(id);
            if (!entry) {
                return NIRA_STATUS_FAILED;
            }
        } else {
            // Replaced without a removal change (InsertOption, or a feature without UI record).
            if (earlier != info) {
                LocalFree(earlier);
            }
            entry->options.Remove(opt);
        }
    }
    const bool stored =
        atHead ? MapPut(entry->options, opt, info) : MapPutBefore(entry->options, beforeOpt, opt, info);
    if (!stored) {
        return NIRA_STATUS_FAILED;
    }
    TrackAddedOption(id, opt);
    AddChange(id, CHANGE_OPTION_ADDED);
    return 0;
}

int CNiraUISettings::RemoveOption(int* id, int* opt)
{
    if (!id || !opt) {
        return NIRA_STATUS_FAILED;
    }
    const int featureId = *id;
    const int optionId = *opt;
    FeatureEntry* entry = EntryOf(featureId);
    int found = 0;
    if (!entry || HasOption(featureId, optionId, &found) != 0 || !found) {
        return NIRA_STATUS_FAILED;
    }
    LocalFree(MapFind<OptionInfo>(entry->options, optionId));
    entry->options.Remove(optionId);
    ForgetTrackedOptions(featureId);
    AddChange(featureId, CHANGE_OPTION_REMOVED);
    return 0;
}

int CNiraUISettings::RemoveAllOptions(int id)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry) {
        return NIRA_STATUS_FAILED;
    }
    FreeMapRecords(entry->options);
    AddChange(id, CHANGE_OPTION_REMOVED);
    return 0;
}

// ---- tree-view records ----

int CNiraUISettings::GetTreeViewOptionCount(int id)
{
    FeatureEntry* entry = EntryOf(id);
    return entry ? MapCount(entry->treeViewOptions) : 0;
}

int CNiraUISettings::AddTreeViewOption(int id, int opt, TreeViewOptionRecord* record)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !record) {
        return NIRA_STATUS_FAILED;
    }
    TreeViewOptionRecord* earlier = MapFind<TreeViewOptionRecord>(entry->treeViewOptions, opt);
    if (!MapPut(entry->treeViewOptions, opt, record)) {
        return NIRA_STATUS_FAILED;
    }
    if (earlier != record) {
        LocalFree(earlier);
    }
    return 0;
}

int CNiraUISettings::RemoveTreeViewOption(int* id, int* opt)
{
    FeatureEntry* entry = id ? EntryOf(*id) : nullptr;
    if (!entry || !opt) {
        return NIRA_STATUS_FAILED;
    }
    if (TreeViewOptionRecord* record = MapFind<TreeViewOptionRecord>(entry->treeViewOptions, *opt)) {
        LocalFree(record);
        entry->treeViewOptions.Remove(*opt);
    }
    return 0;
}

int CNiraUISettings::GetTreeViewOption(int id, int opt, TreeViewOptionRecord* out)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !out) {
        return NIRA_STATUS_FAILED;
    }
    if (!entry->treeViewOptions.Contains(opt)) {
        if (!entry->record) {
            return NIRA_STATUS_FAILED;
        }
        opt = entry->record->defaultOption;
    }
    const TreeViewOptionRecord* record = MapFind<TreeViewOptionRecord>(entry->treeViewOptions, opt);
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    std::memcpy(out, record, sizeof(TreeViewOptionRecord));
    return 0;
}

int CNiraUISettings::GetTreeViewOptionByIndex(int index, int id, int* optionIndex, int* opt)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !optionIndex || !opt || index < 0 || index >= MapCount(entry->treeViewOptions)) {
        return NIRA_STATUS_FAILED;
    }
    const TreeViewOptionRecord* record = MapValueAt<TreeViewOptionRecord>(entry->treeViewOptions, index);
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    *opt = MapKeyAt(entry->treeViewOptions, index);
    *optionIndex = record->optionIndex;
    return 0;
}

// ---- change records ----

int CNiraUISettings::GetChangeCount()
{
    return ListCount(m_changes);
}

CNiraPtrList* CNiraUISettings::GetChangeList()
{
    return &m_changes;
}

int CNiraUISettings::GetChange(int id, ChangeRecord* out)
{
    CNiraPtrList::Node* node = EntryOf(id) ? FindChangeNode(m_changes, id) : nullptr;
    if (!node || !out) {
        return NIRA_STATUS_FAILED;
    }
    *out = *static_cast<ChangeRecord*>(node->value);
    return 0;
}

int CNiraUISettings::RemoveChange(int id)
{
    CNiraPtrList::Node* node = EntryOf(id) ? FindChangeNode(m_changes, id) : nullptr;
    if (!node) {
        return NIRA_STATUS_FAILED;
    }
    LocalFree(node->value);
    m_changes.Remove(node);
    return 0;
}

int CNiraUISettings::AddChange(int id, int kind)
{
    const int bit = MaskOfKind(kind);
    if (!EntryOf(id) || bit == 0) {
        return NIRA_STATUS_FAILED;
    }
    if (CNiraPtrList::Node* node = FindChangeNode(m_changes, id)) {
        static_cast<ChangeRecord*>(node->value)->changeMask |= bit;
    } else {
        ChangeRecord* record = static_cast<ChangeRecord*>(LocalAlloc(LPTR, sizeof(ChangeRecord)));
        if (!record) {
            return NIRA_STATUS_FAILED;
        }
        record->featureId = id;
        record->changeMask = bit;
        if (!m_changes.AddHead(record)) {
            LocalFree(record);
            return NIRA_STATUS_FAILED;
        }
    }
    if (m_owner) {
        m_owner->NotifyFeatureChanged(id, kind);
    }
    return 0;
}

// ---- handler questions ----

int CNiraUISettings::HandlerGetOptionValue(int id, int opt, int* value)
{
    return m_owner ? m_owner->GetOptionValue(id, opt, value) : NIRA_STATUS_FAILED;
}

int CNiraUISettings::HandlerFindOptionByValue(int id, int value, int* opt)
{
    return m_owner ? m_owner->FindOptionByValue(id, value, opt) : NIRA_STATUS_FAILED;
}
