#include "nira/uiplugin/foundation/databases/ConstraintDB.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/QueryRow.h"

namespace {
constexpr LPCSTR kConstraintsQuery =
    "SELECT ConstraintID,Priority FROM CONSTRAINT_INFO ORDER BY ConstraintID";
constexpr LPCSTR kTriggersQuery =
    "SELECT DISTINCT FeatureID,Priority FROM CONSTRAINT_PRECOND_TRIGGERS WHERE ConstraintID=";
constexpr LPCSTR kPreconditionsQuery =
    "SELECT PreConditionID,FeatureID,State,OptionID,ConditionType,Operator,ActionID,Priority  "
    "FROM CONSTRAINT_PRECOND_TRIGGERS WHERE ConstraintID=";
constexpr LPCSTR kActionsQuery =
    "SELECT ActionID,FeatureID,State,ActionType,OptionID,LinkedActionID,ActionData1,ActionData2,"
    "ActionData3,ByForce,Priority  FROM CONSTRAINT_ACTION_INFO";

enum ConstraintColumn { CN_CONSTRAINT_ID, CN_PRIORITY };

enum TriggerColumn { TR_FEATURE_ID, TR_PRIORITY };

enum PreconditionColumn {
    PC_PRECONDITION_ID,
    PC_FEATURE_ID,
    PC_STATE,
    PC_OPTION_ID,
    PC_CONDITION_TYPE,
    PC_OPERATOR,
    PC_ACTION_ID,
    PC_PRIORITY
};

enum ActionColumn {
    AC_ACTION_ID,
    AC_FEATURE_ID,
    AC_STATE,
    AC_ACTION_TYPE,
    AC_OPTION_ID,
    AC_LINKED_ACTION_ID,
    AC_DATA1,
    AC_DATA2,
    AC_DATA3,
    AC_BY_FORCE,
    AC_PRIORITY
};

template <typename Callback>
struct RowContext {
    Callback callback;
    LPVOID user;
    INT constraintId;
};

int OnConstraintRow(void* argument, int n, char** v, char**)
{
    const auto& c = *static_cast<RowContext<NiraConstraintCallback>*>(argument);
    return c.callback(c.user, ReadColumnInt(n, v, CN_CONSTRAINT_ID), ReadColumnInt(n, v, CN_PRIORITY)) != 0;
}

int OnTriggerRow(void* argument, int n, char** v, char**)
{
    const auto& c = *static_cast<RowContext<NiraTriggerCallback>*>(argument);
    return c.callback(c.user, c.constraintId, ReadColumnInt(n, v, TR_FEATURE_ID),
                      ReadColumnInt(n, v, TR_PRIORITY)) != 0;
}

int OnPreconditionRow(void* argument, int n, char** v, char**)
{
    const auto& c = *static_cast<RowContext<NiraPreconditionCallback>*>(argument);
    return c.callback(c.user, c.constraintId, ReadColumnInt(n, v, PC_PRECONDITION_ID),
                      ReadColumnInt(n, v, PC_FEATURE_ID), ReadColumnInt(n, v, PC_STATE),
                      ReadColumnInt(n, v, PC_OPTION_ID), ReadColumnInt(n, v, PC_CONDITION_TYPE),
                      ReadColumnInt(n, v, PC_OPERATOR), ReadColumnInt(n, v, PC_ACTION_ID),
                      ReadColumnInt(n, v, PC_PRIORITY)) != 0;
}

int OnActionRow(void* argument, int n, char** v, char**)
{
    const auto& c = *static_cast<RowContext<NiraActionCallback>*>(argument);
    return c.callback(c.user, ReadColumnInt(n, v, AC_ACTION_ID), ReadColumnInt(n, v, AC_FEATURE_ID),
                      ReadColumnInt(n, v, AC_STATE), ReadColumnInt(n, v, AC_OPTION_ID),
                      ReadColumnInt(n, v, AC_ACTION_TYPE), ReadColumnInt(n, v, AC_LINKED_ACTION_ID),
                      ReadColumnText(n, v, AC_DATA1), ReadColumnText(n, v, AC_DATA2),
                      ReadColumnText(n, v, AC_DATA3), ReadColumnInt(n, v, AC_BY_FORCE),
                      ReadColumnInt(n, v, AC_PRIORITY)) != 0;
}
}  // namespace

CNiraConstraintDB::CNiraConstraintDB() = default;
CNiraConstraintDB::~CNiraConstraintDB() = default;

LONG CNiraConstraintDB::Open(LPCWSTR path)
{
    m_copy.SetPath(path);
    m_copy.Close();
    m_copy.EnsureOpen();
    return 0;
}

LONG CNiraConstraintDB::GetConstraints(NiraConstraintCallback callback, LPVOID user)
{
    if (callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    RowContext<NiraConstraintCallback> context = {callback, user, 0};
    return m_copy.Run(kConstraintsQuery, OnConstraintRow, &context);
}

LONG CNiraConstraintDB::GetTriggerFeatures(INT constraintId, NiraTriggerCallback callback, LPVOID user)
{
    if (callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    RowContext<NiraTriggerCallback> context = {callback, user, constraintId};
    return m_copy.RunWithNumber(kTriggersQuery, constraintId, OnTriggerRow, &context);
}

LONG CNiraConstraintDB::GetPreconditions(INT constraintId, NiraPreconditionCallback callback, LPVOID user)
{
    if (callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    RowContext<NiraPreconditionCallback> context = {callback, user, constraintId};
    return m_copy.RunWithNumber(kPreconditionsQuery, constraintId, OnPreconditionRow, &context);
}

// The answer is the failure status in every case, as the constraint engine has always been given
// it: the engine ignores it and learns the actions from the calls alone. No caller needs another.
LONG CNiraConstraintDB::GetActions(NiraActionCallback callback, LPVOID user)
{
    if (callback != nullptr) {
        RowContext<NiraActionCallback> context = {callback, user, 0};
        m_copy.Run(kActionsQuery, OnActionRow, &context);
    }
    return NIRA_STATUS_FAILED;
}
