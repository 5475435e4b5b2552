#include "nira/uiplugin/core/constraints/ConstraintRule.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/services/ConstraintServices.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"

namespace {

enum ConditionType : int {
    CONDITION_HAS_OPTION = 1,    // the option, or the state class, equals
    CONDITION_LACKS_OPTION = 2,  // the option, or the state class, differs
    CONDITION_ABOVE = 3,         // current > option
    CONDITION_AT_MOST = 4,       // current <= option
    CONDITION_BELOW = 5,         // current < option
    CONDITION_ABOVE_TOO = 6,     // current > option, as type 3
};

enum ConditionOperator : int {
    OPERATOR_DECIDES = 0,   // this precondition alone decides
    OPERATOR_REQUIRED = 1,  // every required precondition must hold
    OPERATOR_ANY = 2,       // the first that holds decides
};

// The state classes of a feature's display state: 1 and 3 (and for a deciding "has" condition
// also 2) make class 2, the rest class 1.
constexpr int kStateClassShown = 2;
constexpr int kStateClassHidden = 1;

int StateClass(int displayState, bool greyedCounts)
{
    const bool shown = displayState == DISPLAY_STATE_ENABLED || displayState == DISPLAY_STATE_HIDDEN_ALT ||
                       (greyedCounts && displayState == DISPLAY_STATE_GREYED);
    return shown ? kStateClassShown : kStateClassHidden;
}

}  // namespace

CNiraConstraintRule::CNiraConstraintRule(CNiraConstraintServices* services)
    : m_services(services), m_settings(nullptr)
{
    if (m_services != nullptr) {
        m_services->GetSettings(&m_settings);
    }
}

CNiraConstraintRule::~CNiraConstraintRule()
{
    for (CNiraPtrList::Node* node = m_preconditions.GetHead(); node != nullptr; node = node->next) {
        LocalFree(node->value);
    }
}

int CNiraConstraintRule::AddPrecondition(int preConditionId, int featureId, int state, int optionId,
                                         int conditionType, int conditionOperator, int actionId)
{
    auto* condition = static_cast<ConstraintPrecondition*>(LocalAlloc(LPTR, sizeof(ConstraintPrecondition)));
    if (condition == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *condition = {preConditionId, featureId, state, optionId, conditionType, conditionOperator, actionId};
    if (m_preconditions.AddTail(condition) == nullptr) {
        LocalFree(condition);
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

bool CNiraConstraintRule::Holds(const ConstraintPrecondition& c, int current, int displayState, bool* known)
{
    *known = true;
    switch (c.conditionType) {
    case CONDITION_HAS_OPTION: {
        if (c.state > 0) {
            return StateClass(displayState, c.conditionOperator == OPERATOR_DECIDES) == c.state;
        }
        if (c.conditionOperator == OPERATOR_REQUIRED) {
            // A required option that the feature does not offer is no obstacle.
            int found = 0;
            if (m_services != nullptr && m_services->HasOption(c.featureId, c.optionId, &found) == 0 &&
                found == 0) {
                return true;
            }
        }
        return current == c.optionId;
    }
    case CONDITION_LACKS_OPTION:
        return c.state > 0 ? StateClass(displayState, false) != c.state : current != c.optionId;
    case CONDITION_ABOVE:
    case CONDITION_ABOVE_TOO:
        return current > c.optionId;
    case CONDITION_AT_MOST:
        return current <= c.optionId;
    case CONDITION_BELOW:
        return current < c.optionId;
    default:
        *known = false;
        return false;
    }
}

void CNiraConstraintRule::MarkPending(const ConstraintPrecondition& c, int current, int pass)
{
    if (pass == CONSTRAINT_PASS_QUEUE_PENDING) {
        m_settings->QueuePending(c.featureId, current, PENDING_AT_TAIL);
    } else if (pass == CONSTRAINT_PASS_REMOVE_PENDING) {
        m_settings->RemovePending(c.featureId);
    }
}

int CNiraConstraintRule::Evaluate(int* actionId, int pass)
{
    if (m_preconditions.GetCount() == 0 || m_settings == nullptr) {
        return 0;
    }
    int result = 1;
    for (CNiraPtrList::Node* node = m_preconditions.GetHead(); node != nullptr; node = node->next) {
        const auto& c = *static_cast<const ConstraintPrecondition*>(node->value);
        if (m_settings->HasFeature(c.featureId) != 1) {
            continue;
        }
        int current = 0;
        int isSet = 0;
        m_settings->GetCurrentOption(c.featureId, &current, &isSet);
        int displayState = 0;
        if (c.conditionType == CONDITION_HAS_OPTION || c.conditionType == CONDITION_LACKS_OPTION) {
            displayState = m_settings->GetDisplayState(c.featureId);
        }
        bool known = false;
        const bool holds = Holds(c, current, displayState, &known);
        // Types 4 and 6 never decide a rule alone.
        const bool decidesAlone =
            c.conditionOperator == OPERATOR_DECIDES &&
            (c.conditionType == CONDITION_AT_MOST || c.conditionType == CONDITION_ABOVE_TOO);
        bool stop = false;
        if (known && !decidesAlone) {
            switch (c.conditionOperator) {
            case OPERATOR_DECIDES:
                result = holds ? 1 : 0;
                stop = true;
                break;
            case OPERATOR_REQUIRED:
                if (!holds) {
                    result = 0;
                    stop = true;
                }
                break;
            case OPERATOR_ANY:
                result = holds ? 1 : 0;
                stop = holds;
                break;
            default:
                break;
            }
            if (stop && result == 1 && actionId != nullptr) {
                *actionId = c.actionId;
            }
        }
        if (result == 1) {
            MarkPending(c, current, pass);
        }
        if (stop) {
            break;
        }
    }
    return result;
}
