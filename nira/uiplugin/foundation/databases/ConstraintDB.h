// The reader of the constraint database: the rules that make feature settings depend on each
// other. It only fetches rows and hands each, column by column, to the constraint engine's
// callbacks; a callback's non-zero answer stops its query, which then answers NIRA_STATUS_FAILED.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/DatabaseCopy.h"
#include "nira/uiplugin/foundation/databases/DataSource.h"

typedef LONG (*NiraConstraintCallback)(LPVOID user, INT constraintId, INT priority);
typedef LONG (*NiraTriggerCallback)(LPVOID user, INT constraintId, INT featureId, INT priority);
typedef LONG (*NiraPreconditionCallback)(LPVOID user, INT constraintId, INT preConditionId, INT featureId,
                                         INT state, INT optionId, INT conditionType, INT conditionOperator,
                                         INT actionId, INT priority);
// The three data texts are the row's own (valid only during the call; null for a null column).
// Note that the option id comes before the action type.
typedef LONG (*NiraActionCallback)(LPVOID user, INT actionId, INT featureId, INT state, INT optionId,
                                   INT actionType, INT linkedActionId, LPCSTR actionData1, LPCSTR actionData2,
                                   LPCSTR actionData3, INT byForce, INT priority);

class CNiraConstraintDB : public CNiraDataSource {
public:
    CNiraConstraintDB();
    ~CNiraConstraintDB() override;

    // Replaces the path and opens a new copy (closing an open one); always 0.
    LONG Open(LPCWSTR path) override;

    // Every constraint, ordered by id.
    LONG GetConstraints(NiraConstraintCallback callback, LPVOID user);
    // The distinct (feature, priority) pairs that trigger the constraint, in table order.
    LONG GetTriggerFeatures(INT constraintId, NiraTriggerCallback callback, LPVOID user);
    // The preconditions of the constraint, in table order; none gives no call and 0.
    LONG GetPreconditions(INT constraintId, NiraPreconditionCallback callback, LPVOID user);
    // Every action, in table order; answers NIRA_STATUS_FAILED even when every row was handed over.
    LONG GetActions(NiraActionCallback callback, LPVOID user);

private:
    CNiraDatabaseCopy m_copy;
};
