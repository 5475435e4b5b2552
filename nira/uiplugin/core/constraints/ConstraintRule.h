// One rule of the constraint database: its preconditions, evaluated in row order against the
// current settings. A rule holds when its preconditions say so and then names the action that
// starts its chain.
#pragma once

#include "nira/uiplugin/core/constraints/ConstraintRecords.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

class CNiraConstraintServices;
class CNiraUISettings;

// The evaluation passes: pass 1 only decides; passes 2 and 3 also put the features of the
// preconditions on the settings' pending list or take them off it.
enum ConstraintPass : int {
    CONSTRAINT_PASS_DECIDE = 1,
    CONSTRAINT_PASS_QUEUE_PENDING = 2,
    CONSTRAINT_PASS_REMOVE_PENDING = 3,
};

class CNiraConstraintRule {
public:
    // Takes the settings that the services hand out now; none without services.
    explicit CNiraConstraintRule(CNiraConstraintServices* services);
    ~CNiraConstraintRule();
    CNiraConstraintRule(const CNiraConstraintRule&) = delete;
    CNiraConstraintRule& operator=(const CNiraConstraintRule&) = delete;

    // Appends a precondition at the tail; NIRA_STATUS_FAILED without memory.
    int AddPrecondition(int preConditionId, int featureId, int state, int optionId, int conditionType,
                        int conditionOperator, int actionId);
    // 1 when the rule holds (then *actionId names its first action), else 0.
    int Evaluate(int* actionId, int pass);
    int GetPreconditionCount() const { return m_preconditions.GetCount(); }

private:
    // Whether the precondition holds; false in *known for a condition type without meaning.
    bool Holds(const ConstraintPrecondition& condition, int current, int displayState, bool* known);
    void MarkPending(const ConstraintPrecondition& condition, int current, int pass);

    CNiraConstraintServices* m_services;
    CNiraUISettings* m_settings;
    CNiraPtrList m_preconditions;  // ConstraintPrecondition*
};
