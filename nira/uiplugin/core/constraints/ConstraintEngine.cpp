#include "nira/uiplugin/core/constraints/ConstraintEngine.h"

#include <new>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/core/constraints/ConstraintRule.h"
#include "nira/uiplugin/core/services/ConstraintServices.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/databases/ConstraintDB.h"

namespace {

// Action types by what they do.
enum ActionType : int {
    ACTION_MESSAGE_BOX = 3,
    ACTION_POPUP = 4,
    ACTION_MARK_CONFLICT = 5,
    ACTION_MAKE_UNAVAILABLE = 9,
    ACTION_HANDLER = 17,
    ACTION_CLEAR_CONFLICT = 18,
};

constexpr DWORD kContainerNameChars = 260;

// Option changes limited by the action's priority; never on the feature that just changed.
bool IsLimitedChange(int type)
{
    return type == 1 || type == 10 || type == 11 || type == 23;
}

// Option changes without a limit; never on the feature that just changed.
bool IsPlainChange(int type)
{
    switch (type) {
    case 2:
    case 6:
    case 7:
    case 8:
    case 12:
    case 13:
    case 16:
    case 19:
    case 20:
    case 21:
    case 22:
    case 26:
        return true;
    default:
        return false;
    }
}

// Option changes that end the chain's answer with 0.
bool IsFinalChange(int type)
{
    return type == 24 || type == 25;
}

LPSTR CopyText(LPCSTR text)
{
    if (text == nullptr) {
        return nullptr;
    }
    size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    auto* copy = static_cast<LPSTR>(LocalAlloc(LPTR, length + 1));
    if (copy != nullptr) {
        CopyMemory(copy, text, length);
    }
    return copy;
}

void FreeAction(ConstraintAction* action)
{
    if (action != nullptr) {
        LocalFree(action->actionData1);
        LocalFree(action->actionData2);
        LocalFree(action->actionData3);
        LocalFree(action);
    }
}

// What a precondition query of one constraint fills.
struct PreconditionContext {
    CNiraConstraintServices* services;
    CNiraConstraintRule* rule;
};

}  // namespace

int ReadConstraintNumber(LPCSTR text)
{
    if (text == nullptr) {
        return 0;
    }
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    constexpr long long kLimit = 2147483648LL;  // the magnitude of the smallest int
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return value >= kLimit ? 2147483647 : static_cast<int>(value);
}

CNiraConstraintEngine::CNiraConstraintEngine()
    : m_reader(nullptr), m_services(nullptr), m_actions(nullptr), m_mode(CONSTRAINT_MODE_QUIET)
{}

CNiraConstraintEngine::~CNiraConstraintEngine()
{
    FreeActions();
    for (int i = 0; i < m_triggers.GetCount(); ++i) {
        auto* list = static_cast<CNiraPtrList*>(*m_triggers.GetValueAt(i));
        if (list == nullptr) {
            continue;
        }
        for (CNiraPtrList::Node* node = list->GetHead(); node != nullptr; node = node->next) {
            LocalFree(node->value);
        }
        delete list;
    }
    for (int i = 0; i < m_rules.GetCount(); ++i) {
        delete static_cast<CNiraConstraintRule*>(*m_rules.GetValueAt(i));
    }
    delete m_reader;
}

void CNiraConstraintEngine::FreeActions()
{
    if (m_actions == nullptr) {
        return;
    }
    for (int i = 0; i < m_actions->GetCount(); ++i) {
        FreeAction(static_cast<ConstraintAction*>(*m_actions->GetValueAt(i)));
    }
    delete m_actions;
    m_actions = nullptr;
}

int CNiraConstraintEngine::Open(CNiraConstraintServices* services, const WCHAR* path)
{
    if (path == nullptr || services == nullptr || m_reader != nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_reader = new (std::nothrow) CNiraConstraintDB();
    if (m_reader == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_services = services;
    return m_reader->Open(path);
}

int CNiraConstraintEngine::LoadRules()
{
    if (m_reader == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // The constraint ids first: each then has its trigger query of its own.
    CNiraPtrList constraints;
    m_reader->GetConstraints(&CNiraConstraintEngine::OnConstraintRow, &constraints);
    for (CNiraPtrList::Node* node = constraints.GetHead(); node != nullptr; node = node->next) {
        const int constraintId = static_cast<int>(reinterpret_cast<INT_PTR>(node->value));
        void** rule = m_rules.Lookup(constraintId);
        if (rule != nullptr) {
            delete static_cast<CNiraConstraintRule*>(*rule);
            *rule = nullptr;
        }
        m_reader->GetTriggerFeatures(constraintId, &CNiraConstraintEngine::OnTriggerRow, this);
    }
    m_reader->GetActions(&CNiraConstraintEngine::OnActionRow, this);
    return NIRA_STATUS_FAILED;
}

LONG CNiraConstraintEngine::OnConstraintRow(LPVOID user, INT constraintId, INT)
{
    auto* constraints = static_cast<CNiraPtrList*>(user);
    return constraints->AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(constraintId))) != nullptr ? 0
                                                                                                        : 1;
}

LONG CNiraConstraintEngine::OnTriggerRow(LPVOID user, INT constraintId, INT featureId, INT priority)
{
    static_cast<CNiraConstraintEngine*>(user)->AddTrigger(featureId, constraintId,
                                                          static_cast<unsigned>(priority));
    return 0;
}

void CNiraConstraintEngine::AddTrigger(int featureId, int constraintId, unsigned priority)
{
    auto* trigger = static_cast<ConstraintTrigger*>(LocalAlloc(LPTR, sizeof(ConstraintTrigger)));
    if (trigger == nullptr) {
        return;
    }
    *trigger = {constraintId, priority};
    void** slot = m_triggers.Lookup(featureId);
    if (slot == nullptr) {
        LocalFree(trigger);
        return;
    }
    auto* list = static_cast<CNiraPtrList*>(*slot);
    if (list == nullptr) {
        list = new (std::nothrow) CNiraPtrList();
        if (list == nullptr) {
            LocalFree(trigger);
            return;
        }
        *slot = list;
    }
    // Descending priority; among equal ones the constraint read later comes first.
    CNiraPtrList::Node* before = list->GetHead();
    while (before != nullptr && static_cast<ConstraintTrigger*>(before->value)->priority > priority) {
        before = before->next;
    }
    CNiraPtrList::Node* added =
        before != nullptr ? list->InsertBefore(before, trigger) : list->AddTail(trigger);
    if (added == nullptr) {
        LocalFree(trigger);
    }
}

LONG CNiraConstraintEngine::OnActionRow(LPVOID user, INT actionId, INT featureId, INT state, INT optionId,
                                        INT actionType, INT linkedActionId, LPCSTR data1, LPCSTR data2,
                                        LPCSTR data3, INT byForce, INT priority)
{
    auto* engine = static_cast<CNiraConstraintEngine*>(user);
    if (engine->m_actions == nullptr) {
        engine->m_actions = new (std::nothrow) CNiraIdMap();
        if (engine->m_actions == nullptr) {
            return 1;
        }
    }
    auto* action = static_cast<ConstraintAction*>(LocalAlloc(LPTR, sizeof(ConstraintAction)));
    if (action == nullptr) {
        return 1;  // out of memory: the reading stops here
    }
    *action = {featureId,       optionId,        state,           actionType, linkedActionId,
               CopyText(data1), CopyText(data2), CopyText(data3), byForce,    priority};
    if ((data1 != nullptr && action->actionData1 == nullptr) ||
        (data2 != nullptr && action->actionData2 == nullptr) ||
        (data3 != nullptr && action->actionData3 == nullptr)) {
        FreeAction(action);
        return 1;
    }
    void** slot = engine->m_actions->Lookup(actionId);
    if (slot == nullptr) {
        FreeAction(action);
        return 1;
    }
    // A second row with the same id replaces the first.
    FreeAction(static_cast<ConstraintAction*>(*slot));
    *slot = action;
    return 0;
}

LONG CNiraConstraintEngine::OnPreconditionRow(LPVOID user, INT, INT preConditionId, INT featureId, INT state,
                                              INT optionId, INT conditionType, INT conditionOperator,
                                              INT actionId, INT)
{
    auto* context = static_cast<PreconditionContext*>(user);
    if (context->rule == nullptr) {
        context->rule = new (std::nothrow) CNiraConstraintRule(context->services);
        if (context->rule == nullptr) {
            return 1;
        }
    }
    context->rule->AddPrecondition(preConditionId, featureId, state, optionId, conditionType,
                                   conditionOperator, actionId);
    return 0;
}

CNiraConstraintRule* CNiraConstraintEngine::RuleOf(int constraintId)
{
    void** slot = m_rules.Lookup(constraintId);
    if (slot == nullptr) {
        return nullptr;
    }
    if (*slot == nullptr && m_reader != nullptr) {
        PreconditionContext context = {m_services, nullptr};
        m_reader->GetPreconditions(constraintId, &CNiraConstraintEngine::OnPreconditionRow, &context);
        *slot = context.rule;
    }
    return static_cast<CNiraConstraintRule*>(*slot);
}

CNiraPtrList* CNiraConstraintEngine::TriggersOf(int featureId) const
{
    if (!m_triggers.Contains(featureId)) {
        return nullptr;
    }
    return static_cast<CNiraPtrList*>(*const_cast<CNiraIdMap&>(m_triggers).Lookup(featureId));
}

ConstraintAction* CNiraConstraintEngine::ActionOf(int actionId) const
{
    if (m_actions == nullptr || !m_actions->Contains(actionId)) {
        return nullptr;
    }
    return static_cast<ConstraintAction*>(*m_actions->Lookup(actionId));
}

CNiraUISettings* CNiraConstraintEngine::Settings() const
{
    CNiraUISettings* settings = nullptr;
    if (m_services != nullptr) {
        m_services->GetSettings(&settings);
    }
    return settings;
}

int CNiraConstraintEngine::ClearOptionLimits()
{
    if (m_services != nullptr) {
        m_services->ClearOptionLimits();
    }
    return 0;
}

int CNiraConstraintEngine::OnFeatureChanged(const int* featureId)
{
    if (featureId == nullptr || m_services == nullptr || m_services->HasFeature(*featureId) != 1) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPtrList* triggers = TriggersOf(*featureId);
    if (triggers == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const int changed = *featureId;
    const int count = triggers->GetCount();
    CNiraPtrList::Node* node = triggers->GetHead();
    for (int i = 0; i < count && node != nullptr; ++i, node = node->next) {
        CNiraConstraintRule* rule = RuleOf(static_cast<ConstraintTrigger*>(node->value)->constraintId);
        int actionId = 0;
        if (rule != nullptr && rule->Evaluate(&actionId, CONSTRAINT_PASS_DECIDE) == 1) {
            ExecuteActions(changed, m_mode, actionId);
        }
    }
    return 0;
}

int CNiraConstraintEngine::ExecuteActions(int changedFeatureId, int mode, int firstActionId)
{
    if (m_actions == nullptr) {
        return 0;
    }
    CNiraUISettings* settings = Settings();
    CNiraIdMap visited;  // a chain that comes back to an action ends there
    int result = 1;
    for (int actionId = firstActionId; actionId != 0;) {
        if (visited.Contains(actionId)) {
            break;
        }
        visited.SetAt(actionId, nullptr);
        const ConstraintAction* action = ActionOf(actionId);
        if (action == nullptr || settings == nullptr || settings->GetFeatureState(action->featureId) == 0) {
            return 0;
        }
        if (!RunAction(*action, changedFeatureId, mode, &result)) {
            return 0;
        }
        actionId = action->linkedActionId;
    }
    return result;
}

bool CNiraConstraintEngine::RunAction(const ConstraintAction& action, int changed, int mode, int* result)
{
    const int type = action.actionType;
    const bool onChanged = action.featureId == changed;
    const bool hasFeature = m_services->HasFeature(action.featureId) == 1;
    if (IsLimitedChange(type) || IsPlainChange(type)) {
        if (onChanged) {
            return false;
        }
        ApplyOption(action, action.byForce, IsLimitedChange(type) ? action.priority : 0);
        return true;
    }
    if (IsFinalChange(type)) {
        ApplyOption(action, action.byForce, 0);
        *result = 0;
        return true;
    }
    switch (type) {
    case ACTION_MESSAGE_BOX:
        if (hasFeature && onChanged && mode == CONSTRAINT_MODE_PROPERTY_SHEETS &&
            action.actionData1 != nullptr && action.actionData2 != nullptr) {
            m_services->ShowMessageBox(ReadConstraintNumber(action.actionData1),
                                       ReadConstraintNumber(action.actionData2));
        }
        return true;
    case ACTION_POPUP:
        if (m_services->IsSettingsRestored() == 1 && hasFeature && onChanged &&
            mode == CONSTRAINT_MODE_PROPERTY_SHEETS) {
            ShowConstraintMessage(action);
        }
        return true;
    case ACTION_MARK_CONFLICT:
        if (hasFeature) {
            MarkConflicting(action, changed);
        }
        return true;
    case ACTION_MAKE_UNAVAILABLE:
        if (hasFeature) {
            MakeUnavailable(action);
        }
        return true;
    case ACTION_HANDLER:
        if (onChanged) {
            return false;
        }
        if (hasFeature) {
            m_services->ForwardConstraintAction(action.featureId, action.actionData1, action.actionData2,
                                                action.actionData3);
        }
        return true;
    case ACTION_CLEAR_CONFLICT:
        if (hasFeature) {
            ClearConflict(action);
        }
        return true;
    default:
        *result = 0;
        return true;
    }
}

void CNiraConstraintEngine::ApplyOption(const ConstraintAction& action, int byForce, int limit)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        return;
    }
    int featureId = action.featureId;
    int optionId = action.optionId;
    int type = action.actionType;
    settings->ApplyOptionChange(&featureId, &optionId, &type, &byForce, limit);
}

void CNiraConstraintEngine::ShowConstraintMessage(const ConstraintAction& action)
{
    int show = 1;
    if (ReadConstraintNumber(action.actionData2) != 0) {
        m_services->ForwardConstraintMessage(action.featureId, action.actionData1, action.actionData2,
                                             action.actionData3, &show);
    }
    if (show != 1) {
        return;
    }
    WCHAR container[kContainerNameChars] = {};
    LPWSTR wide = nullptr;
    if (action.actionData3 != nullptr && ConvertToWide(&wide, action.actionData3, CP_ACP)) {
        CopyStringSafe(container, kContainerNameChars, wide);
        delete[] wide;
    }
    m_services->ShowPopup(ReadConstraintNumber(action.actionData1), container);
}

bool CNiraConstraintEngine::MarkConflicting(const ConstraintAction& action, int changed)
{
    CNiraUISettings* settings = Settings();
    int found = 0;
    if (settings == nullptr || m_services->HasOption(action.featureId, action.optionId, &found) != 0 ||
        !found) {
        return false;
    }
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return false;
    }
    if (settings->GetOptionInfo(action.featureId, action.optionId, info) == 0) {
        info->iconId = ReadConstraintNumber(action.actionData1);
        settings->SetOptionInfo(action.featureId, action.optionId, info);
    }
    LocalFree(info);
    settings->AddDependent(action.featureId, changed);
    ApplyOption(action, action.byForce, 0);
    return true;
}

bool CNiraConstraintEngine::MakeUnavailable(const ConstraintAction& action)
{
    CNiraUISettings* settings = Settings();
    int found = 0;
    if (settings == nullptr || m_services->HasOption(action.featureId, action.optionId, &found) != 0 ||
        !found) {
        return false;
    }
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return false;
    }
    const bool read = settings->GetOptionInfo(action.featureId, action.optionId, info) == 0;
    if (read && info->state != OPTION_STATE_UNAVAILABLE) {
        info->state = OPTION_STATE_GREYED;
        settings->SetOptionInfo(action.featureId, action.optionId, info);
        ApplyOption(action, 1, 0);
    }
    LocalFree(info);
    return read;
}

bool CNiraConstraintEngine::ClearConflict(const ConstraintAction& action)
{
    CNiraUISettings* settings = Settings();
    int found = 0;
    if (settings == nullptr || m_services->HasOption(action.featureId, action.optionId, &found) != 0 ||
        !found) {
        return false;
    }
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return false;
    }
    const bool read = settings->GetOptionInfo(action.featureId, action.optionId, info) == 0;
    if (read) {
        info->iconId = 0;
        settings->SetOptionInfo(action.featureId, action.optionId, info);
        if (info->state == OPTION_STATE_CONFLICT) {
            ApplyOption(action, action.byForce, 0);
        } else if (info->conflictFlag == 1) {
            info->conflictFlag = 0;
            settings->SetOptionInfo(action.featureId, action.optionId, info);
        }
    }
    LocalFree(info);
    return read;
}

int CNiraConstraintEngine::CheckDependent(int featureId, int optionId, int dependentFeatureId)
{
    if (m_actions == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPtrList* triggers = TriggersOf(dependentFeatureId);
    if (triggers == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    for (CNiraPtrList::Node* node = triggers->GetHead(); node != nullptr; node = node->next) {
        CNiraConstraintRule* rule = RuleOf(static_cast<ConstraintTrigger*>(node->value)->constraintId);
        int actionId = 0;
        if (rule == nullptr || rule->Evaluate(&actionId, CONSTRAINT_PASS_DECIDE) != 1) {
            continue;
        }
        CNiraIdMap visited;
        for (const ConstraintAction* action = ActionOf(actionId);
             action != nullptr && !visited.Contains(actionId); action = ActionOf(actionId)) {
            visited.SetAt(actionId, nullptr);
            const bool names = action->featureId == featureId && action->optionId == optionId;
            if (names && action->actionType == ACTION_MARK_CONFLICT) {
                rule->Evaluate(&actionId, CONSTRAINT_PASS_QUEUE_PENDING);
                break;
            }
            if (names && action->actionType == ACTION_CLEAR_CONFLICT) {
                rule->Evaluate(&actionId, CONSTRAINT_PASS_REMOVE_PENDING);
                break;
            }
            actionId = action->linkedActionId;
        }
    }
    return 0;
}
