// The changing side of the UI settings object: current options, option states, display states
// and locks, the constraint engine's actions with their limit levels, the pending conflicts, the
// dependents, the option tracking of one user change, the linked features and the reset to
// defaults. Every notification to the owner runs synchronously and may come back into the object,
// so records are looked up again after each call out, and walks work on snapshots.
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "nira/uiplugin/core/uisettings/UISettingsContainers.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"

namespace {
constexpr int FEATURE_GRAY_OPTIONS = 4137;
// The widget feature whose default option becomes the paper size's discriminator after a reset.
constexpr int kFeaturePaperDiscriminator = 6065;
// The shortcut page's linked features.
constexpr int kFirstSoftLinkFeature = 6399;
constexpr int kLastSoftLinkFeature = 6500;

// Options that the driver selects on its own (automatic paper and media).
constexpr int kAutoSelectOption = 254;
constexpr int kPaperAutoOption = 26;

// Options whose state changes count as value changes of their feature.
constexpr int kQualityCountedOption = 5;
constexpr int kGrayCountedOption = 4;

// The icon of an option that a reset puts back into conflict.
constexpr int kConflictIconId = 127;
// On a rebuild, a feature with two sources always takes its first source's third-oldest option.
constexpr int kRebuildAlwaysTakenStep = 2;

// Lock modes of SetFeatureLock.
enum LockMode {
    LOCK_MODE_INVALID = 0,
    LOCK_MODE_LOCK = 1,
    LOCK_MODE_REQUEST = 2,
    LOCK_MODE_CLEAR = 3,
};

// The constraint engine's actions (ApplyOptionChange).
enum ConstraintAction {
    ACTION_SELECT_LIMITED = 1,
    ACTION_MAKE_UNAVAILABLE = 2,
    ACTION_MAKE_CONFLICT = 5,
    ACTION_REMOVE_OPTION = 7,
    ACTION_MAKE_SELECTABLE = 8,
    ACTION_MAKE_GREYED = 9,
    ACTION_SHOW_AND_SELECT = 10,
    ACTION_SELECT_AND_GREY = 11,
    ACTION_HIDE = 12,
    ACTION_HIDE_ALT = 13,
    ACTION_CLEAR_CONFLICT = 18,
    ACTION_SELECT_AS_USER = 19,
    ACTION_SELECT_CLEAR_USER = 20,
    ACTION_RESTORE_USER = 21,
    ACTION_SELECT = 22,
    ACTION_SELECT_DEFAULT = 23,
    ACTION_SET_DISCRIMINATOR = 24,
    ACTION_REFRESH_OPTIONS = 25,
    ACTION_SELECT_UNLESS_USER = 26,
};

struct StateAction {
    int action;
    int state;
    int clearConflict;
};
const StateAction kStateActions[] = {
    {ACTION_MAKE_UNAVAILABLE, OPTION_STATE_UNAVAILABLE, 0}, {ACTION_MAKE_CONFLICT, OPTION_STATE_CONFLICT, 0},
    {ACTION_MAKE_SELECTABLE, OPTION_STATE_SELECTABLE, 0},   {ACTION_MAKE_GREYED, OPTION_STATE_GREYED, 0},
    {ACTION_CLEAR_CONFLICT, OPTION_STATE_SELECTABLE, 1},
};

bool IsUnavailableState(int state)
{
    return state == OPTION_STATE_UNAVAILABLE || state == OPTION_STATE_GREYED;
}

bool IsSettingsFeature(int id)
{
    return id >= kFirstSettingsFeature && id <= kLastSettingsFeature;
}

// The aux id of an option that a linked feature's filter tests (auxIndex 1 to 4, else 0).
int AuxIdAt(const OptionInfo& info, int auxIndex)
{
    switch (auxIndex) {
    case 1:
        return info.auxId1;
    case 2:
        return info.auxId2;
    case 3:
        return info.auxId3;
    case 4:
        return info.auxId4;
    default:
        return 0;
    }
}
}  // namespace

// ---- locks, display and feature state ----

int CNiraUISettings::IsFeatureLocked(int id)
{
    if (!HasFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    FeatureRecord* record = RecordOf(id);
    return record ? (record->lockFlags & FEATURE_LOCKED) : 0;
}

int CNiraUISettings::IsFeatureLockRequested(int id)
{
    if (!HasFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    FeatureRecord* record = RecordOf(id);
    return record ? ((record->lockFlags & FEATURE_LOCK_REQUESTED) != 0 ? 1 : 0) : 0;
}

int CNiraUISettings::SetFeatureLock(int id, int mode)
{
    if (!HasFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    FeatureRecord* record = RecordOf(id);
    if (!record) {
        return NIRA_STATUS_NO_FEATURE;
    }
    switch (mode) {
    case LOCK_MODE_INVALID:
        return NIRA_STATUS_FAILED;
    case LOCK_MODE_LOCK:
        record->lockFlags |= FEATURE_LOCKED | FEATURE_LOCK_REQUESTED;
        return 0;
    case LOCK_MODE_REQUEST:
        record->lockFlags |= FEATURE_LOCK_REQUESTED;
        return 0;
    case LOCK_MODE_CLEAR:
        record->lockFlags = 0;
        return 0;
    default:
        return 0;
    }
}

int CNiraUISettings::SetDisplayState(int id, int state)
{
    if (!HasFeature(id)) {
        return 0;
    }
    FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui) {
        return NIRA_STATUS_NO_FEATURE;
    }
    // A locked feature may only be hidden.
    if (!IsLocked(id) || state == DISPLAY_STATE_HIDDEN) {
        ui->displayState = state;
        AddChange(id, CHANGE_DISPLAY_STATE);
    }
    return 0;
}

int CNiraUISettings::SetDefaultDisplayState(int id, int state)
{
    if (!HasFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui) {
        return NIRA_STATUS_NO_FEATURE;
    }
    ui->defaultDisplayState = state;
    AddChange(id, CHANGE_DISPLAY_STATE);
    return 0;
}

int CNiraUISettings::SetFeatureState(int id, int state)
{
    if (!HasFeature(id)) {
        return 0;
    }
    FeatureRecord* record = RecordOf(id);
    if (!record) {
        return NIRA_STATUS_NO_FEATURE;
    }
    record->featureState = state;
    return 0;
}

int CNiraUISettings::SetDefaultOption(int* id, int* opt)
{
    FeatureRecord* record = (id && opt) ? RecordOf(*id) : nullptr;
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    record->defaultOption = *opt;
    return 0;
}

int CNiraUISettings::SetDefaultOptionState(int id, int opt, int state)
{
    if (!HasFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    if (!EntryOf(id)) {
        return NIRA_STATUS_NO_FEATURE;
    }
    if (OptionInfo* info = OptionOf(id, opt)) {
        info->defaultState = state;
        AddChange(id, CHANGE_OPTION_STATE);
    }
    return 0;
}

int CNiraUISettings::IsAutoSelectedOption(int id, int opt, int* result)
{
    if (!result) {
        return NIRA_STATUS_FAILED;
    }
    *result = ((id == kFeaturePaperSize && (opt == kAutoSelectOption || opt == kPaperAutoOption)) ||
               (id == kFeatureMediaType && opt == kAutoSelectOption))
                  ? 1
                  : 0;
    return 0;
}

// ---- option states ----

int CNiraUISettings::SetOptionState(int id, int opt, int state, int clearConflict)
{
    if (!EntryOf(id)) {
        return NIRA_STATUS_FAILED;
    }
    int found = 0;
    HasOption(id, opt, &found);
    if (!found) {
        return 0;
    }
    if (IsLocked(id)) {
        // A locked feature only lets its current option become conflicting, without a pop-up.
        if (RecordOf(id)->currentOption != opt || state != OPTION_STATE_CONFLICT) {
            return 0;
        }
        OptionOf(id, opt)->iconId = 0;
        if (m_owner) {
            m_owner->SuppressConflictPopup(1);
        }
    }
    OptionInfo* info = OptionOf(id, opt);
    if (!info) {
        return 0;
    }

    const int old = info->state;
    const bool wasAvailable = !IsUnavailableState(old);
    const bool willBeAvailable = !IsUnavailableState(state);
    const bool wasConflict = info->conflictFlag == 1;
    const bool conflict = state == OPTION_STATE_CONFLICT;
    const bool becomesAvailable = !wasAvailable && willBeAvailable && !conflict;
    const bool becomesUnavailable = wasAvailable && !willBeAvailable;
    // An unavailable option never becomes conflicting; it only remembers the conflict.
    const bool apply = !(!wasAvailable && conflict);

    if (conflict) {
        info->conflictFlag = 1;
    } else if (!becomesAvailable && !becomesUnavailable) {
        info->conflictFlag = 0;
    }

    int newState = state;
    if (clearConflict) {
        info->conflictFlag = 0;
    } else if (becomesAvailable && wasConflict) {
        newState = OPTION_STATE_CONFLICT;  // a conflicting option comes back conflicting
    }

    if (apply) {
        info->state = newState;
        AddChange(id, newState == OPTION_STATE_SELECTABLE ? CHANGE_OPTION_SELECTABLE : CHANGE_OPTION_STATE);
        EvaluatePending(id, opt, PENDING_AT_TAIL);
    }
    const bool counted = (id == kFeaturePrintQuality && opt == kQualityCountedOption) ||
                         (id == FEATURE_GRAY_OPTIONS && opt == kGrayCountedOption);
    if (newState != old && m_owner && counted) {
        m_owner->CountChange(id);
    }
    return 0;
}

// ---- current option ----

int CNiraUISettings::SetCurrentOption(int* idIn, int* optIn, int reason, int byUser, int clearUser,
                                      int notifyAlways, int fromOwner)
{
    if (!idIn || !optIn || !HasFeature(*idIn)) {
        return NIRA_STATUS_FAILED;
    }
    const int id = *idIn;
    const int opt = *optIn;
    const bool locked = IsLocked(id);
    if (GetFeatureState(id) == 0) {
        return 0;
    }
    if (locked) {
        if (m_owner) {
            m_owner->CountChange(id);
        }
        return 0;
    }
    if (!fromOwner && m_owner) {
        // The feature that the user is changing right now is left to that change.
        int lastChanged = 0;
        if (m_owner->GetLastChangedFeature(&lastChanged) == 0 && lastChanged == id) {
            return 0;
        }
    }
    if (reason == OPTION_STATE_UNAVAILABLE || reason == OPTION_STATE_GREYED || !RecordOf(id)) {
        return NIRA_STATUS_FAILED;
    }

    const int old = RecordOf(id)->currentOption;
    SetOptionState(id, opt, reason, 0);
    int valid = 0;
    IsValidFeatureId(id, &valid);
    if (!IsAutoSelected(id, opt) && valid && m_owner) {
        m_owner->TrackValueChange(id, opt);
    }

    FeatureRecord* record = RecordOf(id);
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    bool changed = false;
    bool notify = false;
    if (notifyAlways) {
        notify = record->currentOption != opt;
        changed = true;
    } else {
        // The feature moves only away from an option that has become unavailable.
        int oldState = OPTION_STATE_SELECTABLE;
        if (GetOptionState(id, old, &oldState) != 0) {
            oldState = OPTION_STATE_SELECTABLE;
        }
        changed = notify = IsUnavailableState(oldState);
    }
    if (changed) {
        if (!IsAutoSelected(id, old)) {
            record->previousOption = record->currentOption;
        }
        record->currentOption = opt;
    }
    if (record->firstChange || m_forceNotify == 1) {
        notify = true;
    }
    if (byUser) {
        record->userOption = opt;
    }
    record->userSelected = byUser;
    if (clearUser) {
        record->userOption = 0;
    }

    if (changed) {
        AddChange(id, CHANGE_CURRENT_OPTION);
    }
    EvaluatePending(id, opt, PENDING_AT_TAIL);
    if (FeatureRecord* after = RecordOf(id)) {
        after->firstChange = 0;
    }
    if (notify && m_owner) {
        m_owner->CountChange(id);
    }
    return 0;
}

int CNiraUISettings::ForceCurrentOption(int* idIn, int* optIn, int evenIfSame)
{
    if (!idIn || !optIn || !RecordOf(*idIn)) {
        return NIRA_STATUS_FAILED;
    }
    const int id = *idIn;
    const int opt = *optIn;
    int valid = 0;
    IsValidFeatureId(id, &valid);
    if (!IsAutoSelected(id, opt) && valid && m_owner) {
        m_owner->TrackValueChange(id, opt);
    }

    FeatureRecord* record = RecordOf(id);
    if (!record || (record->currentOption == opt && evenIfSame != 1)) {
        return NIRA_STATUS_FAILED;
    }
    if (!IsAutoSelected(id, record->currentOption)) {
        record->previousOption = record->currentOption;
    }
    record->currentOption = opt;
    record->userOption = opt;
    record->userSelected = 1;

    // The first source of a linked feature counts as the user's choice as well.
    int hasFirst = 0, featureA = 0, featureB = 0, hasSecond = 0;
    GetSoftLinks(id, &hasFirst, &featureA, &featureB, &hasSecond);
    int found = 0;
    FeatureRecord* source = hasFirst ? RecordOf(featureA) : nullptr;
    if (source && HasOption(featureA, opt, &found) == 0 && found) {
        source->userSelected = 1;
    }

    AddChange(id, CHANGE_CURRENT_OPTION);
    return 0;
}

// ---- constraint actions and limits ----

int CNiraUISettings::SetOptionLimit(int id, int limit)
{
    if (id == kFeatureResolution) {  // never gets a limit level
        return NIRA_STATUS_FAILED;
    }
    return MapPutInt(m_limits, id, limit) ? 0 : NIRA_STATUS_FAILED;
}

int CNiraUISettings::ClearOptionLimits()
{
    m_limits.RemoveAll();
    return 0;
}

// A limited action runs only when the feature has no level yet or the action's limit is lower.
bool CNiraUISettings::LimitAllows(int id, int limit)
{
    return !m_limits.Contains(id) || limit < MapIntAt(m_limits, id);
}

int CNiraUISettings::Select(int id, int opt, int byForce)
{
    return SetCurrentOption(&id, &opt, OPTION_STATE_SELECTABLE, 0, 0, byForce, 0);
}

int CNiraUISettings::ApplyOptionChange(int* idIn, int* optIn, int* actionIn, int* byForceIn, int limit)
{
    if (!idIn || !optIn || !actionIn || !byForceIn || !HasFeature(*idIn)) {
        return NIRA_STATUS_FAILED;
    }
    int id = *idIn;
    int opt = *optIn;
    const int byForce = *byForceIn;
    int found = 0;
    HasOption(id, opt, &found);
    int sheetInitializing = 0;
    if (m_owner) {
        m_owner->GetSheetInitializing(&sheetInitializing);
    }
    FeatureRecord* record = RecordOf(id);
    const bool keepsUserChoice = record && record->respectUserSelection && record->userSelected;

    // Actions that only set the option's state.
    for (const StateAction& entry : kStateActions) {
        if (entry.action == *actionIn) {
            return found ? SetOptionState(id, opt, entry.state, entry.clearConflict) : NIRA_STATUS_FAILED;
        }
    }

    switch (*actionIn) {
    case ACTION_SELECT_LIMITED:
        if (sheetInitializing || !found || keepsUserChoice) {
            return NIRA_STATUS_FAILED;
        }
        SetOptionState(id, opt, OPTION_STATE_SELECTABLE, 0);
        if (!LimitAllows(id, limit)) {
            return NIRA_STATUS_FAILED;
        }
        SetOptionLimit(id, limit);
        return Select(id, opt, byForce);
    case ACTION_REMOVE_OPTION:
        return found ? RemoveOption(&id, &opt) : NIRA_STATUS_FAILED;
    case ACTION_SHOW_AND_SELECT:
        return ShowAndSelect(id, opt, byForce, limit);
    case ACTION_SELECT_AND_GREY:
        return SelectAndGrey(id, opt, byForce, limit);
    case ACTION_HIDE:
        return SetDisplayState(id, DISPLAY_STATE_HIDDEN);
    case ACTION_HIDE_ALT:
        return SetDisplayState(id, DISPLAY_STATE_HIDDEN_ALT);
    case ACTION_SELECT_AS_USER:
        if (!found) {
            // Without the option, the current option is chosen again as the user's choice.
            int isSet = 0;
            if (GetCurrentOption(id, &opt, &isSet) != 0) {
                return NIRA_STATUS_FAILED;
            }
        }
        SetOptionState(id, opt, OPTION_STATE_SELECTABLE, 0);
        return SetCurrentOption(&id, &opt, OPTION_STATE_SELECTABLE, 1, 0, byForce, 0);
    case ACTION_SELECT_CLEAR_USER:
        if (!found) {
            return NIRA_STATUS_FAILED;
        }
        SetOptionState(id, opt, OPTION_STATE_SELECTABLE, 0);
        return SetCurrentOption(&id, &opt, OPTION_STATE_SELECTABLE, 0, 1, byForce, 0);
    case ACTION_RESTORE_USER:
        return RestoreUserOption(id, byForce);
    case ACTION_SELECT:
    case ACTION_SELECT_UNLESS_USER:
        if (!found || (*actionIn == ACTION_SELECT ? sheetInitializing != 0 : keepsUserChoice)) {
            return NIRA_STATUS_FAILED;
        }
        SetOptionState(id, opt, OPTION_STATE_SELECTABLE, 0);
        return Select(id, opt, byForce);
    case ACTION_SELECT_DEFAULT:
        return SelectDefaultOption(id, byForce, limit);
    case ACTION_SET_DISCRIMINATOR:
        return SetDiscriminator(id, opt);
    case ACTION_REFRESH_OPTIONS:
        return AddChange(id, CHANGE_OPTION_ADDED);
    default:
        return NIRA_STATUS_FAILED;
    }
}

// Shown and enabled, the option selectable and the limit stored (each step only after the one
// before it succeeded), then the option selected.
int CNiraUISettings::ShowAndSelect(int id, int opt, int byForce, int limit)
{
    if (!LimitAllows(id, limit)) {
        return NIRA_STATUS_FAILED;
    }
    if (GetDisplayState(id) != DISPLAY_STATE_ENABLED && SetDisplayState(id, DISPLAY_STATE_ENABLED) == 0 &&
        SetOptionState(id, opt, OPTION_STATE_SELECTABLE, 0) == 0) {
        SetOptionLimit(id, limit);
    }
    int found = 0;
    HasOption(id, opt, &found);
    if (found) {
        Select(id, opt, byForce);
    }
    return 0;
}

// The option selected, then the feature greyed; fails when it was greyed already.
int CNiraUISettings::SelectAndGrey(int id, int opt, int byForce, int limit)
{
    if (!LimitAllows(id, limit)) {
        return NIRA_STATUS_FAILED;
    }
    int found = 0;
    HasOption(id, opt, &found);
    if (found) {
        Select(id, opt, byForce);
    }
    if (GetDisplayState(id) == DISPLAY_STATE_GREYED || SetDisplayState(id, DISPLAY_STATE_GREYED) != 0) {
        return NIRA_STATUS_FAILED;
    }
    SetOptionLimit(id, limit);
    return 0;
}

// Back to the user's own option, else to the default option. byForce goes into clearUser here.
int CNiraUISettings::RestoreUserOption(int id, int byForce)
{
    FeatureRecord* record = RecordOf(id);
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    int target = record->userOption;
    int found = 0;
    HasOption(id, target, &found);
    if (!found) {
        target = record->defaultOption;
        HasOption(id, target, &found);
        if (!found) {
            return NIRA_STATUS_FAILED;
        }
    }
    return SetCurrentOption(&id, &target, OPTION_STATE_SELECTABLE, 1, byForce, 1, 0);
}

int CNiraUISettings::SelectDefaultOption(int id, int byForce, int limit)
{
    int def = 0;
    int found = 0;
    if (GetDefaultOption(id, &def) != 0 || HasOption(id, def, &found) != 0 || !found ||
        !LimitAllows(id, limit)) {
        return NIRA_STATUS_FAILED;
    }
    SetOptionLimit(id, limit);
    return SetCurrentOption(&id, &def, OPTION_STATE_SELECTABLE, 0, 0, byForce, 0);
}

// ---- import mode and notification switches ----

int CNiraUISettings::SetImportMode(int value)
{
    m_importMode = value;
    return 0;
}

int CNiraUISettings::GetImportMode(int* value)
{
    if (!value) {
        return NIRA_STATUS_FAILED;
    }
    *value = m_importMode;
    return 0;
}

int CNiraUISettings::SetForceNotify(int value)
{
    m_forceNotify = value;
    return 0;
}

// ---- pending conflicts ----

int CNiraUISettings::EvaluatePending(int id, int opt, int where)
{
    if (where >= 3) {
        return NIRA_STATUS_FAILED;
    }
    int current = 0;
    int isSet = 0;
    const int status = GetCurrentOption(id, &current, &isSet);
    if (status != 0) {
        return status;
    }
    if (opt != current) {
        return 0;
    }
    int state = 0;
    if (GetOptionState(id, opt, &state) == 0 && state == OPTION_STATE_CONFLICT) {
        QueuePending(id, opt, where);
    } else {
        RemovePending(id);
    }
    return 0;
}

int CNiraUISettings::QueuePending(int id, int opt, int where)
{
    if (!IsSettingsFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    int found = 0;
    FindPending(id, &found, nullptr);
    if (found || (where != PENDING_AT_HEAD && where != PENDING_AT_TAIL)) {
        return 0;
    }
    PendingChange* record = static_cast<PendingChange*>(LocalAlloc(LPTR, sizeof(PendingChange)));
    if (!record) {
        return NIRA_STATUS_FAILED;
    }
    record->featureId = id;
    record->optionId = opt;
    if (!(where == PENDING_AT_HEAD ? m_pending.AddHead(record) : m_pending.AddTail(record))) {
        LocalFree(record);
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

int CNiraUISettings::RemovePending(int id)
{
    if (!IsSettingsFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    int found = 0;
    CNiraPtrList::Node* node = nullptr;
    FindPending(id, &found, &node);
    if (!found) {
        return NIRA_STATUS_NOT_LISTED;
    }
    LocalFree(node->value);
    m_pending.Remove(node);
    return 0;
}

int CNiraUISettings::FindPending(int id, int* found, CNiraPtrList::Node** out)
{
    if (!found) {
        return NIRA_STATUS_FAILED;
    }
    *found = 0;
    if (out) {
        *out = nullptr;
    }
    for (CNiraPtrList::Node* node = ListHead(m_pending); node; node = node->next) {
        if (static_cast<PendingChange*>(node->value)->featureId == id) {
            *found = 1;
            if (out) {
                *out = node;
            }
            break;
        }
    }
    return 0;
}

int CNiraUISettings::ClearPending()
{
    FreeListRecords(m_pending);
    return 0;
}

int CNiraUISettings::ForEachPending(PendingCallback callback, void* userData)
{
    if (!callback) {
        return NIRA_STATUS_FAILED;
    }
    // Resolving a conflict changes options, which removes pending records during the walk.
    PairSnapshot pairs(m_pending, &PendingChange::featureId, &PendingChange::optionId);
    if (pairs.Failed()) {
        return NIRA_STATUS_FAILED;
    }
    for (int i = 0; i < pairs.Count(); ++i) {
        callback(userData, pairs.First(i), pairs.Second(i));
    }
    return 0;
}

// ---- dependents ----

int CNiraUISettings::AddDependent(int dependentId, int id)
{
    CNiraPtrList* list = MapFind<CNiraPtrList>(m_dependents, id);
    if (!list) {
        list = new (std::nothrow) CNiraPtrList();
        if (!list) {
            return NIRA_STATUS_FAILED;
        }
        if (!MapPut(m_dependents, id, list)) {
            delete list;
            return NIRA_STATUS_FAILED;
        }
    }
    if (ListHoldsId(*list, dependentId)) {
        return 0;
    }
    return ListAddIdTail(*list, dependentId) ? 0 : NIRA_STATUS_FAILED;
}

int CNiraUISettings::ForEachDependent(int id, int opt, void* userData, DependentCallback callback)
{
    if (!callback) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPtrList* list = MapFind<CNiraPtrList>(m_dependents, id);
    if (!list) {
        return NIRA_STATUS_NOT_LISTED;
    }
    IdSnapshot dependents(*list);
    if (dependents.Failed()) {
        return NIRA_STATUS_FAILED;
    }
    for (int i = 0; i < dependents.Count(); ++i) {
        int state = 0;
        if (GetOptionState(id, opt, &state) == 0 && state == OPTION_STATE_CONFLICT) {
            callback(userData, id, opt, dependents[i]);
        }
    }
    return 0;
}

// ---- option tracking during one user change ----

void CNiraUISettings::SetOptionTracking(int value)
{
    m_optionTracking = value;
}

// The shortcut page's features, except the ones linked to two-sided printing and grey printing.
bool CNiraUISettings::IsTrackedFeature(int id)
{
    if (!m_optionTracking || id < kFirstSoftLinkFeature || id > kLastSoftLinkFeature) {
        return false;
    }
    for (int source : {kFeatureDuplex, FEATURE_GRAY_OPTIONS}) {
        int found = 0, target = 0, isSecond = 0;
        FindSoftLinkTarget(source, &found, &target, &isSecond);
        if (found && target == id) {
            return false;
        }
    }
    return true;
}

void CNiraUISettings::TrackAddedOption(int id, int opt)
{
    OptionInfo* info = OptionOf(id, opt);
    if (!info || info->state != OPTION_STATE_CONFLICT || !IsTrackedFeature(id)) {
        return;
    }
    CNiraPtrList* list = MapFind<CNiraPtrList>(m_trackedOptions, id);
    if (!list) {
        list = new (std::nothrow) CNiraPtrList();
        if (!list) {
            return;
        }
        if (!MapPut(m_trackedOptions, id, list)) {
            delete list;
            return;
        }
    }
    if (!ListHoldsId(*list, opt)) {
        ListAddIdHead(*list, opt);
    }
}

// A removal forgets every option tracked for the feature, the removed one included.
void CNiraUISettings::ForgetTrackedOptions(int id)
{
    if (!IsTrackedFeature(id)) {
        return;
    }
    if (CNiraPtrList* list = MapFind<CNiraPtrList>(m_trackedOptions, id)) {
        list->RemoveAll();
    }
}

void CNiraUISettings::FinishOptionTracking(int apply)
{
    if (apply) {
        // The ids are taken first: each removal empties its feature's list.
        KeySnapshot features(m_trackedOptions);
        for (int f = 0; f < features.Count(); ++f) {
            CNiraPtrList* list = MapFind<CNiraPtrList>(m_trackedOptions, features[f]);
            if (!list) {
                continue;
            }
            IdSnapshot options(*list);
            for (int o = 0; o < options.Count(); ++o) {
                int featureId = features[f];
                int optionId = options[o];
                int ok = 0;
                if (IsOptionAcceptable(featureId, optionId, &ok) == 0 && ok) {
                    RemoveOption(&featureId, &optionId);
                }
            }
        }
    }
    DeleteMapLists(m_trackedOptions);
}

// ---- linked (soft-link) features ----

int CNiraUISettings::SetSoftLinks(int id, int softLink, int featureA, int featureB)
{
    FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui) {
        return NIRA_STATUS_FAILED;
    }
    ui->softLink = softLink;
    ui->softLinkFeatureId = featureA;
    ui->softLinkFeatureId2 = featureB;
    return 0;
}

int CNiraUISettings::GetSoftLinks(int id, int* hasFirst, int* featureA, int* featureB, int* hasSecond)
{
    if (!hasFirst || !featureA || !featureB || !hasSecond) {
        return NIRA_STATUS_FAILED;
    }
    *hasFirst = *featureA = *featureB = *hasSecond = 0;
    FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui || !ui->softLink) {
        return 0;
    }
    *featureA = ui->softLinkFeatureId;
    *hasFirst = 1;
    if (ui->softLinkFeatureId2 != 0) {
        *featureB = ui->softLinkFeatureId2;
        *hasSecond = 1;
    }
    return 0;
}

int CNiraUISettings::FindSoftLinkTarget(int sourceId, int* found, int* targetId, int* isSecond)
{
    if (!found || !targetId || !isSecond) {
        return NIRA_STATUS_FAILED;
    }
    *found = 0;
    *isSecond = 0;
    for (int id = kFirstSoftLinkFeature; id <= kLastSoftLinkFeature; ++id) {
        const FeatureUIRecord* ui = UIRecordOf(id);
        if (!ui || !ui->softLink) {
            continue;
        }
        if (ui->softLinkFeatureId == sourceId) {
            *found = 1;
            *targetId = id;
            *isSecond = ui->softLinkFeatureId2 != 0 ? 1 : 0;
        } else if (ui->softLinkFeatureId2 != 0 && ui->softLinkFeatureId2 == sourceId) {
            *found = 1;
            *targetId = id;
            *isSecond = 1;
        }
    }
    return 0;
}

int CNiraUISettings::BuildLinkedOptions(int id, int keepOption)
{
    return CopyLinkedOptions(id, keepOption, false);
}

int CNiraUISettings::RebuildLinkedOptions(int id)
{
    return CopyLinkedOptions(id, 0, true);
}

int CNiraUISettings::CopyLinkedOptions(int id, int keepOption, bool rebuild)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !entry->uiRecord) {
        return NIRA_STATUS_FAILED;
    }
    if (rebuild) {
        FreeListRecords(entry->linkedOptions);
    }
    if (MapCount(entry->options) > 0) {
        RemoveAllOptions(id);
    }
    const FeatureUIRecord* ui = UIRecordOf(id);
    if (!ui) {
        return NIRA_STATUS_FAILED;
    }
    const LinkFilter filter = {ui->auxIndex, ui->auxBitMask};
    const int sourceA = ui->softLinkFeatureId;
    const int sourceB = ui->softLinkFeatureId2;

    if (sourceB != 0) {
        // Two sources: the options are numbered 1, 2, 3 ... and each remembers where it came from.
        if (!EntryOf(sourceA) || !EntryOf(sourceB)) {
            return NIRA_STATUS_FAILED;
        }
        if (GetOptionCount(sourceA) == 0 && GetOptionCount(sourceB) == 0) {
            return 0;
        }
        const SourceRule ruleA = {true, !rebuild, keepOption, rebuild ? kRebuildAlwaysTakenStep : -1};
        const SourceRule ruleB = {true, false, 0, -1};
        CopySourceOptions(id, sourceA, filter, ruleA);
        CopySourceOptions(id, sourceB, filter, ruleB);
        return 0;
    }
    // One source: the taken options keep their own ids.
    if (!EntryOf(sourceA)) {
        return NIRA_STATUS_FAILED;
    }
    const SourceRule rule = {false, !rebuild, keepOption, -1};
    CopySourceOptions(id, sourceA, filter, rule);
    return 0;
}

// Copies the options of one source that pass the filter, from the oldest to the newest.
void CNiraUISettings::CopySourceOptions(int id, int sourceId, const LinkFilter& filter,
                                        const SourceRule& rule)
{
    FeatureEntry* source = EntryOf(sourceId);
    if (!source) {
        return;
    }
    KeySnapshot walk(source->options);
    for (int step = 0; step < walk.Count(); ++step) {
        const int sourceOpt = walk[walk.Count() - 1 - step];
        const OptionInfo* info = OptionOf(sourceId, sourceOpt);
        if (!info) {
            continue;
        }
        const bool taken = (filter.auxBitMask & AuxIdAt(*info, filter.auxIndex)) != 0 ||
                           (rule.useKeepOption && sourceOpt == rule.keepOption) ||
                           step == rule.alwaysTakenStep;
        if (!taken) {
            continue;
        }
        OptionInfo* copy = static_cast<OptionInfo*>(LocalAlloc(LMEM_FIXED, sizeof(OptionInfo)));
        if (!copy) {
            return;
        }
        std::memcpy(copy, info, sizeof(OptionInfo));
        const int newOpt = rule.numbered ? GetOptionCount(id) + 1 : sourceOpt;
        if (AddOption(id, newOpt, copy) != 0) {
            LocalFree(copy);
            continue;
        }
        if (rule.numbered) {
            AddLinkRecord(id, sourceId, sourceOpt, newOpt);
        }
    }
}

int CNiraUISettings::AddLinkRecord(int id, int sourceId, int sourceOpt, int opt)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry) {
        return NIRA_STATUS_FAILED;
    }
    LinkedOptionRecord* link = static_cast<LinkedOptionRecord*>(LocalAlloc(LPTR, sizeof(LinkedOptionRecord)));
    if (!link) {
        return NIRA_STATUS_FAILED;
    }
    link->sourceFeatureId = sourceId;
    link->sourceOptionId = sourceOpt;
    link->optionId = opt;
    if (!entry->linkedOptions.AddHead(link)) {
        LocalFree(link);
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

int CNiraUISettings::AddLinkedOption(int id, int* newOpt, int sourceId, int sourceOpt)
{
    FeatureEntry* entry = EntryOf(id);
    if (!entry || !newOpt) {
        return NIRA_STATUS_FAILED;
    }
    if (sourceId == 0) {
        return 0;
    }
    if (!EntryOf(sourceId)) {
        return NIRA_STATUS_FAILED;
    }
    int ok = 0;
    if (IsOptionAcceptable(sourceId, sourceOpt, &ok) != 0 || !ok) {
        return 0;
    }
    *newOpt = MapCount(entry->options) + 1;
    int existing = 0, found = 0;
    FindLinkedOption(id, sourceId, sourceOpt, &existing, &found);
    if (found) {
        return NIRA_STATUS_FAILED;
    }
    while (entry->options.Contains(*newOpt)) {
        ++*newOpt;
    }
    return AddLinkRecord(id, sourceId, sourceOpt, *newOpt);
}

int CNiraUISettings::GetLinkedOptionSource(int id, int opt, int* sourceId, int* sourceOpt)
{
    if (!HasFeature(id) || !sourceId || !sourceOpt) {
        return NIRA_STATUS_FAILED;
    }
    FeatureEntry* entry = EntryOf(id);
    if (!entry) {
        return 0;
    }
    for (CNiraPtrList::Node* node = ListHead(entry->linkedOptions); node; node = node->next) {
        const LinkedOptionRecord* link = static_cast<const LinkedOptionRecord*>(node->value);
        if (link->optionId == opt) {
            *sourceId = link->sourceFeatureId;
            *sourceOpt = link->sourceOptionId;
            return 0;
        }
    }
    return NIRA_STATUS_FAILED;
}

int CNiraUISettings::FindLinkedOption(int id, int sourceId, int sourceOpt, int* opt, int* found)
{
    if (!HasFeature(id) || !opt || !found) {
        return NIRA_STATUS_FAILED;
    }
    *found = 0;
    FeatureEntry* entry = EntryOf(id);
    if (!entry) {
        return 0;
    }
    for (CNiraPtrList::Node* node = ListHead(entry->linkedOptions); node; node = node->next) {
        const LinkedOptionRecord* link = static_cast<const LinkedOptionRecord*>(node->value);
        if (link->sourceFeatureId == sourceId && link->sourceOptionId == sourceOpt) {
            *opt = link->optionId;
            *found = 1;
            return 0;
        }
    }
    return NIRA_STATUS_FAILED;
}

int CNiraUISettings::ClearLinkedOptions(int id)
{
    if (!HasFeature(id)) {
        return NIRA_STATUS_FAILED;
    }
    if (FeatureEntry* entry = EntryOf(id)) {
        FreeListRecords(entry->linkedOptions);
    }
    return 0;
}

// ---- reset to defaults ----

int CNiraUISettings::ResetToDefaults(int exceptId)
{
    int status = NIRA_STATUS_FAILED;
    KeySnapshot features(m_features);
    for (int i = 0; i < features.Count(); ++i) {
        if (features[i] != exceptId) {
            ResetFeature(features[i], &status);
        }
    }

    FeatureRecord* discriminatorSource = RecordOf(kFeaturePaperDiscriminator);
    if (discriminatorSource && discriminatorSource->defaultOption != 0) {
        SetDiscriminator(kFeaturePaperSize, discriminatorSource->defaultOption);
        AddChange(kFeaturePaperSize, CHANGE_OPTION_ADDED);
    }
    return status;
}

// status becomes 0 (or the owner's answer) once any feature differed from its default option.
void CNiraUISettings::ResetFeature(int id, int* status)
{
    FeatureRecord* record = RecordOf(id);
    if (!record || !UIRecordOf(id)) {
        return;
    }
    if (record->currentOption != record->defaultOption) {
        int valid = 0;
        IsValidFeatureId(id, &valid);
        *status = (valid && m_owner) ? m_owner->TrackValueChange(id, record->defaultOption) : 0;
        if (!(record = RecordOf(id))) {
            return;
        }
    }
    // Features kept in the registry feature store keep their current option.
    if (record->uiDataStore != 1) {
        record->previousOption = record->currentOption;
        record->currentOption = record->defaultOption;
        record->userSelected = 0;
        AddChange(id, CHANGE_CURRENT_OPTION);
    }
    FeatureUIRecord* ui = UIRecordOf(id);
    if (ui && ui->displayState != ui->defaultDisplayState) {
        ui->displayState = ui->defaultDisplayState;
        AddChange(id, CHANGE_DISPLAY_STATE);
    }
    FeatureEntry* entry = EntryOf(id);
    if (!entry) {
        return;
    }
    KeySnapshot options(entry->options);
    for (int i = 0; i < options.Count(); ++i) {
        OptionInfo* info = OptionOf(id, options[i]);
        if (!info || info->state == info->defaultState) {
            continue;
        }
        info->state = info->defaultState;
        info->iconId = info->state == OPTION_STATE_CONFLICT ? kConflictIconId : 0;
        AddChange(id, CHANGE_DISPLAY_STATE);
    }
}
