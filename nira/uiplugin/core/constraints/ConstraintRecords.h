// The rows of the constraint database as the constraint engine keeps them. Each record is a
// zero-filled LocalAlloc block owned by the engine (an action also owns its three texts).
#pragma once

#include <windows.h>

// One (constraint, feature) pair: the feature triggers the constraint at this priority.
struct ConstraintTrigger {
    int constraintId;
    unsigned priority;
};

// One precondition of a rule, as its row gives it (the row's priority is not kept).
struct ConstraintPrecondition {
    int preConditionId;
    int featureId;
    int state;
    int optionId;
    int conditionType;
    int conditionOperator;
    int actionId;
};

// One action, filed under its ActionID. The state column is kept and never read.
struct ConstraintAction {
    int featureId;
    int optionId;
    int state;
    int actionType;
    int linkedActionId;
    LPSTR actionData1;  // copies of the row's texts; null for a null column
    LPSTR actionData2;
    LPSTR actionData3;
    int byForce;
    int priority;
};

// The number at the start of a data text: optional blanks and sign, then decimal digits; 0 for a
// null text or one without digits. Values beyond an int are held at its limits.
int ReadConstraintNumber(LPCSTR text);
