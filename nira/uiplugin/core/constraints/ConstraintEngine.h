// The constraint engine: the rules of the constraint database, applied whenever a feature's value
// changes. Each rule that the changed feature triggers is evaluated against the current settings;
// when it holds, its chain of actions runs: options are changed, made unavailable or marked
// conflicting, messages are shown, or a feature's handler is asked to act. One engine per UI core,
// which loads it once and calls it on the thread that drives the core.
#pragma once

#include <windows.h>

#include "nira/uiplugin/core/constraints/ConstraintRecords.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraConstraintDB;
class CNiraConstraintRule;
class CNiraConstraintServices;
class CNiraUISettings;

// Who the engine serves: the printing-preferences pages show messages, every other caller
// (document events, PrintTicket import, colour profile, external interface) does not.
enum ConstraintMode : int {
    CONSTRAINT_MODE_PROPERTY_SHEETS = 0,
    CONSTRAINT_MODE_QUIET = 1,
};

class CNiraConstraintEngine {
public:
    CNiraConstraintEngine();
    ~CNiraConstraintEngine();
    CNiraConstraintEngine(const CNiraConstraintEngine&) = delete;
    CNiraConstraintEngine& operator=(const CNiraConstraintEngine&) = delete;

    // Keeps the services and opens the database at the path; NIRA_STATUS_FAILED without either.
    // An engine opens once: a later call answers NIRA_STATUS_FAILED and keeps what it has.
    int Open(CNiraConstraintServices* services, const WCHAR* path);
    // Reads the constraints with their triggers, and the actions; the preconditions follow when a
    // rule is first needed. Always NIRA_STATUS_FAILED, which nobody reads.
    int LoadRules();
    bool IsOpen() const { return m_reader != nullptr; }
    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }

    // Evaluates the rules that the feature triggers and runs the actions of those that hold.
    int OnFeatureChanged(const int* featureId);
    // During conflict resolution: marks or clears the pending records of the rules whose
    // conflict action names (featureId, optionId) among those that the dependent feature triggers.
    int CheckDependent(int featureId, int optionId, int dependentFeatureId);
    int ClearOptionLimits();
    // Runs the chain from firstActionId; 1 when it ran to its end without a refusal, else 0.
    int ExecuteActions(int changedFeatureId, int mode, int firstActionId);

private:
    static LONG OnConstraintRow(LPVOID user, INT constraintId, INT priority);
    static LONG OnTriggerRow(LPVOID user, INT constraintId, INT featureId, INT priority);
    static LONG OnPreconditionRow(LPVOID user, INT constraintId, INT preConditionId, INT featureId, INT state,
                                  INT optionId, INT conditionType, INT conditionOperator, INT actionId,
                                  INT priority);
    static LONG OnActionRow(LPVOID user, INT actionId, INT featureId, INT state, INT optionId, INT actionType,
                            INT linkedActionId, LPCSTR data1, LPCSTR data2, LPCSTR data3, INT byForce,
                            INT priority);

    void AddTrigger(int featureId, int constraintId, unsigned priority);
    // The rule of a constraint, its preconditions read at the first need; null while it has none.
    CNiraConstraintRule* RuleOf(int constraintId);
    CNiraPtrList* TriggersOf(int featureId) const;
    ConstraintAction* ActionOf(int actionId) const;
    CNiraUISettings* Settings() const;
    // One action of a chain; 0 stops the chain with the answer 0, else *result takes the outcome.
    bool RunAction(const ConstraintAction& action, int changedFeatureId, int mode, int* result);
    void ApplyOption(const ConstraintAction& action, int byForce, int limit);
    // Actions 5, 9 and 18 on an option's record; false when the option or memory is missing.
    bool MarkConflicting(const ConstraintAction& action, int changedFeatureId);
    bool MakeUnavailable(const ConstraintAction& action);
    bool ClearConflict(const ConstraintAction& action);
    void ShowConstraintMessage(const ConstraintAction& action);
    void FreeActions();

    CNiraConstraintDB* m_reader;
    CNiraConstraintServices* m_services;  // borrowed
    CNiraIdMap m_rules;                   // constraint id -> CNiraConstraintRule*
    CNiraIdMap m_triggers;                // feature id -> CNiraPtrList* of ConstraintTrigger*
    CNiraIdMap* m_actions;                // action id -> ConstraintAction*
    int m_mode;
};
