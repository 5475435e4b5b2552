// Option changes and their conflicts: the backup before a change, the handler's reaction, the
// constraint engine run on every counted change, the queued follow-up changes, and the revert with
// the "Feature unavailable" pop-up when a change leaves several features in conflict.
#include "nira/uiplugin/core/uicore/UICore.h"

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/uicore/ChangeRecords.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

namespace {

// Widget features whose changes are neither backed up nor resolved.
constexpr int kUnbackedFeatures[] = {6022, 6065, 6067, 6070, 6551};

// The constraint engine evaluates at most this many counted changes after one user change.
constexpr unsigned kChangeDepthLimit = 200;
constexpr int kChangeFlagFeature = 6079;

// A binding whose feature the handler serves in full.
constexpr int kServedFeatureState = 3;

// The conflict pop-up: its widget features, the two headings, and four ids per conflict (name,
// ":", option, one left empty) from the first group on.
constexpr int kConflictFirstWidget = 6530;
constexpr int kConflictLastWidget = 6575;
constexpr int kConflictHeadings[] = {6531, 6532};
constexpr int kConflictFirstGroup = 6533;
constexpr int kConflictGroupStep = 4;
constexpr int kConflictPopupMessage = 216;
constexpr int kConflictTextOption = 1;
constexpr DWORD kConflictTextChars = 260;

// Queue actions and sources.
constexpr int kActionApply = 1;
constexpr int kActionLimit = 3;
constexpr int kSourceValue = 1;
constexpr int kSourcePrevious = 2;

constexpr int kBackupFlag = 1;
constexpr int kBackupAllFeatures = -1;

}  // namespace

int CNiraUICore::IsBackupFeature(int featureId, int* out)
{
    if (out == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *out = 1;
    for (int id : kUnbackedFeatures) {
        if (featureId == id) {
            *out = 0;
        }
    }
    return 0;
}

int CNiraUICore::CanAutoResolve(int featureId, int optionId, int* out)
{
    if (m_settings == nullptr || out == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int autoSelected = 0;
    m_settings->IsAutoSelectedOption(featureId, optionId, &autoSelected);
    int backedUp = 0;
    IsBackupFeature(featureId, &backedUp);
    *out = ~autoSelected & backedUp;
    return 0;
}

int CNiraUICore::BackupSettings(int featureId, int flags)
{
    int backedUp = 0;
    IsBackupFeature(featureId, &backedUp);
    if (backedUp != 1 || (flags & kBackupFlag) == 0) {
        return 0;
    }
    return m_backup.Capture(m_settings, kBackupAllFeatures);
}

INiraFeatureHandler* CNiraUICore::ServedHandler(int featureId)
{
    FeatureBinding* binding = nullptr;
    GetFeatureBinding(featureId, &binding);
    if (binding == nullptr || binding->handler == nullptr || binding->featureState != kServedFeatureState) {
        return nullptr;
    }
    return binding->handler;
}

int CNiraUICore::OnOptionChanged(int featureId, int fromUser)
{
    if (m_settings != nullptr) {
        m_settings->SetOptionTracking(fromUser);
    }
    if (m_constraintEngine != nullptr) {
        m_constraintEngine->ClearOptionLimits();
    }
    m_changeDepth = 0;
    m_lastChangedFeature = featureId;
    INiraFeatureHandler* handler = ServedHandler(featureId);
    if (handler != nullptr && m_settings != nullptr) {
        int current = 0;
        int isSet = 0;
        m_settings->GetCurrentOption(featureId, &current, &isSet);
        int resolvable = 0;
        if (CanAutoResolve(featureId, current, &resolvable) == 0 && resolvable == 1 && fromUser == 1) {
            // A user change lists its own feature first among the conflicts.
            m_settings->ClearPending();
            m_settings->QueuePending(featureId, current, PENDING_AT_HEAD);
        }
        handler->OnWidgetChanged(featureId);
        CountChange(featureId);
        ProcessQueuedChange();
    }
    RepaintWindows();
    return 0;
}

int CNiraUICore::CountChange(int featureId)
{
    if (featureId != kChangeFlagFeature) {
        ++m_changeDepth;
    }
    if (m_changeDepth < kChangeDepthLimit) {
        RunConstraints(&featureId, nullptr, &featureId);
    }
    return 0;
}

int CNiraUICore::RunConstraints(int* featureId, int*, int*)
{
    return m_constraintEngine != nullptr ? m_constraintEngine->OnFeatureChanged(featureId)
                                         : NIRA_STATUS_FAILED;
}

int CNiraUICore::ProcessQueuedChange()
{
    if (m_queuedChanges == nullptr || m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPtrList::Node* head = m_queuedChanges->GetHead();
    if (head == nullptr) {
        return 0;
    }
    const QueuedChange change = *static_cast<QueuedChange*>(head->value);
    LocalFree(head->value);
    m_queuedChanges->Remove(head);
    if (change.action == kActionApply) {
        int featureId = change.featureId;
        int optionId = change.optionId;
        m_settings->ForceCurrentOption(&featureId, &optionId, 0);
        int state = 0;
        if (m_settings->GetOptionState(featureId, optionId, &state) == 0 &&
            state == OPTION_STATE_UNAVAILABLE) {
            m_settings->SetOptionState(featureId, optionId, OPTION_STATE_SELECTABLE, 0);
        }
        OnOptionChanged(featureId, 1);
    }
    return 0;
}

BOOL CNiraUICore::IsQueued(int featureId) const
{
    for (CNiraPtrList::Node* node = m_queuedChanges->GetHead(); node != nullptr; node = node->next) {
        if (static_cast<QueuedChange*>(node->value)->featureId == featureId) {
            return TRUE;
        }
    }
    return FALSE;
}

int CNiraUICore::QueuePendingChange(int featureId, int value, int action, int source)
{
    if (action >= kActionLimit || (source != kSourceValue && source != kSourcePrevious) ||
        m_queuedChanges == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int optionId = value;
    int status = 0;
    if (source == kSourcePrevious) {
        if (m_settings == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        int isSet = 0;
        status = m_settings->GetPreviousOption(featureId, &optionId, &isSet);
        if (status != 0) {
            status = m_settings->GetDefaultOption(featureId, &optionId);
        }
        if (status != 0) {
            return NIRA_STATUS_FAILED;
        }
    }
    if (IsQueued(featureId)) {
        return source == kSourceValue ? NIRA_STATUS_FAILED : status;
    }
    auto* change = static_cast<QueuedChange*>(LocalAlloc(LPTR, sizeof(QueuedChange)));
    if (change == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *change = {featureId, optionId, action};
    if (m_queuedChanges->AddHead(change) == nullptr) {
        LocalFree(change);
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

int CNiraUICore::OnPendingDependents(void* userData, int featureId, int optionId)
{
    auto* core = static_cast<CNiraUICore*>(userData);
    return core->m_settings->ForEachDependent(featureId, optionId, core, &CNiraUICore::OnDependent);
}

int CNiraUICore::OnDependent(void* userData, int featureId, int optionId, int dependentId)
{
    CNiraConstraintEngine* engine = static_cast<CNiraUICore*>(userData)->m_constraintEngine;
    return engine != nullptr ? engine->CheckDependent(featureId, optionId, dependentId) : NIRA_STATUS_FAILED;
}

int CNiraUICore::OnPendingConflict(void* userData, int featureId, int optionId)
{
    auto* core = static_cast<CNiraUICore*>(userData);
    auto* record = static_cast<ConflictRecord*>(LocalAlloc(LPTR, sizeof(ConflictRecord)));
    if (record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *record = {featureId, optionId};
    if (core->m_conflicts->AddTail(record) == nullptr) {
        LocalFree(record);
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

int CNiraUICore::ResolveConflicts(int featureId, int* reverted, int check, int quiet)
{
    if (m_settings == nullptr) {
        ClearConflicts();
        return NIRA_STATUS_FAILED;
    }
    int current = 0;
    int isSet = 0;
    m_settings->GetCurrentOption(featureId, &current, &isSet);
    int resolvable = 0;
    if (CanAutoResolve(featureId, current, &resolvable) == 0) {
        check &= resolvable;
    }
    if (check == 0) {
        ClearConflicts();
        return 0;
    }
    if (m_conflicts == nullptr) {
        m_conflicts = new CNiraPtrList;
    }
    m_settings->ForEachPending(&CNiraUICore::OnPendingDependents, this);
    const int status = m_settings->ForEachPending(&CNiraUICore::OnPendingConflict, this);
    // A user change queues its own feature first: only a second record is a conflict.
    if (status == 0 && m_conflicts->GetCount() > 1) {
        PresentConflicts(quiet);
        SetRestoreFlag(0);
        m_backup.Restore(m_settings);
        SetRestoreFlag(1);
        if (reverted != nullptr) {
            *reverted = 1;
        }
        RepaintWindows();
        m_settings->FinishOptionTracking(1);
    } else if (status == 0) {
        m_settings->FinishOptionTracking(0);
        m_backup.Discard();
        if (reverted != nullptr) {
            *reverted = 0;
        }
    }
    m_settings->SetOptionTracking(0);
    m_conflictPopupSuppressed = 0;
    ClearConflicts();
    return 0;
}

void CNiraUICore::PresentConflicts(int quiet)
{
    for (int id = kConflictFirstWidget; id <= kConflictLastWidget; ++id) {
        int featureId = id;
        int optionId = kConflictTextOption;
        m_settings->RemoveOption(&featureId, &optionId);
    }
    if (quiet) {
        return;
    }
    WCHAR featureText[kConflictTextChars];
    WCHAR optionText[kConflictTextChars];
    for (int heading : kConflictHeadings) {
        GetFeatureText(heading, featureText);
        AddTextOption(heading, featureText);
    }
    // Groups past the last widget would overwrite unrelated features: the pop-up shows the first.
    int id = kConflictFirstGroup;
    for (CNiraPtrList::Node* node = m_conflicts->GetHead(); node != nullptr && id + 2 <= kConflictLastWidget;
         node = node->next, id += kConflictGroupStep) {
        const auto* record = static_cast<ConflictRecord*>(node->value);
        GetConflictTexts(record->featureId, featureText, record->optionId, optionText);
        AddTextOption(id, featureText);
        AddTextOption(id + 1, TEXT(":"));
        AddTextOption(id + 2, optionText);
    }
    if (!m_conflictPopupSuppressed) {
        WCHAR container[] = TEXT("Feature unavailable");
        ShowPopup(kConflictPopupMessage, container);
    }
}

void CNiraUICore::AddTextOption(int featureId, const WCHAR* text)
{
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return;  // the text stays empty
    }
    CopyStringSafe(info->displayName, ARRAYSIZE(info->displayName), text);
    CopyStringSafe(info->optionName, ARRAYSIZE(info->optionName), text);
    if (m_settings->AddOption(featureId, kConflictTextOption, info) == NIRA_STATUS_FAILED) {
        LocalFree(info);
    }
}

int CNiraUICore::ClearConflicts()
{
    if (m_settings != nullptr) {
        m_settings->ClearPending();
    }
    if (m_conflicts != nullptr) {
        for (CNiraPtrList::Node* node = m_conflicts->GetHead(); node != nullptr; node = node->next) {
            LocalFree(node->value);
        }
        m_conflicts->RemoveAll();
    }
    return 0;
}

int CNiraUICore::GetFeatureText(int featureId, WCHAR* text)
{
    if (text == nullptr) {
        return 0;
    }
    text[0] = 0;
    int stringId = 0;
    if (m_settings == nullptr || m_settings->GetFeatureStringId(featureId, &stringId) != 0) {
        return 0;
    }
    int length = 0;
    if (LoadString(stringId, nullptr, &length) != 0 && length > 0) {
        int room = length < static_cast<int>(kConflictTextChars) ? length + 1 : kConflictTextChars;
        LoadString(stringId, text, &room);
    }
    return 0;
}

int CNiraUICore::GetConflictTexts(int featureId, WCHAR* featureText, int optionId, WCHAR* optionText)
{
    if (featureText == nullptr || optionText == nullptr) {
        return 0;
    }
    optionText[0] = 0;
    GetFeatureText(featureId, featureText);
    int optionStringId = 0;
    if (m_settings == nullptr) {
        return 0;
    }
    if (m_settings->GetOptionStringId(featureId, optionId, &optionStringId) != 0 || optionStringId == 0) {
        WCHAR name[kConflictTextChars] = {};
        if (m_settings->GetOptionName(featureId, optionId, name) == 0) {
            CopyStringSafe(optionText, kConflictTextChars, name);
        }
        return 0;
    }
    int length = 0;
    if (LoadString(optionStringId, nullptr, &length) != 0 && length > 0) {
        int room = length < static_cast<int>(kConflictTextChars) ? length + 1 : kConflictTextChars;
        LoadString(optionStringId, optionText, &room);
    }
    return 0;
}

int CNiraUICore::SetRestoreFlag(int value)
{
    m_restoreFlag = value;
    return 0;
}
