#include "DatabaseFixture.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/ConstraintDB.h"

#include <string>
#include <vector>

namespace {
const char* const kConstraintSql = R"sql(
CREATE TABLE CONSTRAINT_INFO (ConstraintID INTEGER, Priority INTEGER);
CREATE TABLE CONSTRAINT_PRECOND_TRIGGERS (ConstraintID INTEGER, PreConditionID INTEGER,
  FeatureID INTEGER, State INTEGER, OptionID INTEGER, ConditionType INTEGER, Operator INTEGER,
  ActionID INTEGER, Priority INTEGER);
CREATE TABLE CONSTRAINT_ACTION_INFO (ActionID INTEGER, FeatureID INTEGER, State INTEGER,
  ActionType INTEGER, OptionID INTEGER, LinkedActionID INTEGER, ActionData1 TEXT,
  ActionData2 TEXT, ActionData3 TEXT, ByForce INTEGER, Priority INTEGER);
INSERT INTO CONSTRAINT_INFO VALUES (3, 30), (1, 10), (-5, 50), (2, 20);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS VALUES
  (1, 101, 4114, 0, 267, 1, 2, 11, 10),
  (1, 102, 4114, 0, 268, 1, 2, 11, 10),
  (1, 103, 4116, 1, 263, 2, 0, 12, 7),
  (-5, 501, 4125, 0, 2, 1, 0, 51, 50),
  (3, 301, 4119, 0, 2, 1, 1, 0, 8);
INSERT INTO CONSTRAINT_ACTION_INFO VALUES
  (11, 4116, 9, 1, 263, 12, NULL, NULL, NULL, 0, 10),
  (12, 4119, 0, 4, 1, 0, '216', '0', 'Feature unavailable', 1, 8);
)sql";

std::vector<std::vector<INT>>* Calls(LPVOID user)
{
    return static_cast<std::vector<std::vector<INT>>*>(user);
}

LONG OnConstraint(LPVOID user, INT constraintId, INT priority)
{
    Calls(user)->push_back({constraintId, priority});
    return 0;
}

LONG StopAfterTwo(LPVOID user, INT constraintId, INT priority)
{
    Calls(user)->push_back({constraintId, priority});
    return Calls(user)->size() == 2 ? 1 : 0;
}

LONG OnTrigger(LPVOID user, INT constraintId, INT featureId, INT priority)
{
    Calls(user)->push_back({constraintId, featureId, priority});
    return 0;
}

LONG OnPrecondition(LPVOID user, INT constraintId, INT preConditionId, INT featureId, INT state, INT optionId,
                    INT conditionType, INT conditionOperator, INT actionId, INT priority)
{
    Calls(user)->push_back({constraintId, preConditionId, featureId, state, optionId, conditionType,
                            conditionOperator, actionId, priority});
    return 0;
}

struct ActionSeen {
    std::vector<INT> numbers;
    std::vector<std::string> data;
};

LONG OnAction(LPVOID user, INT actionId, INT featureId, INT state, INT optionId, INT actionType,
              INT linkedActionId, LPCSTR data1, LPCSTR data2, LPCSTR data3, INT byForce, INT priority)
{
    ActionSeen seen{{actionId, featureId, state, optionId, actionType, linkedActionId, byForce, priority},
                    {}};
    for (LPCSTR data : {data1, data2, data3}) {
        seen.data.push_back(data ? data : "(null)");
    }
    static_cast<std::vector<ActionSeen>*>(user)->push_back(seen);
    return 0;
}
}  // namespace

class ConstraintDBTest : public DatabaseFixture {
protected:
    void SetUp() override { EXPECT_EQ(0, reader.Open(MakeDatabase("rules.vdf", kConstraintSql).c_str())); }

    CNiraConstraintDB reader;
};

TEST_F(ConstraintDBTest, ConstraintsComeOrderedById)
{
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(0, reader.GetConstraints(OnConstraint, &calls));
    EXPECT_EQ((std::vector<std::vector<INT>>{{-5, 50}, {1, 10}, {2, 20}, {3, 30}}), calls);
}

TEST_F(ConstraintDBTest, TriggersAreDistinctFeatureAndPriorityPairs)
{
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(0, reader.GetTriggerFeatures(1, OnTrigger, &calls));
    EXPECT_EQ((std::vector<std::vector<INT>>{{1, 4114, 10}, {1, 4116, 7}}), calls);
}

TEST_F(ConstraintDBTest, PreconditionsComeInTableOrderWithEveryColumn)
{
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(0, reader.GetPreconditions(1, OnPrecondition, &calls));
    EXPECT_EQ((std::vector<std::vector<INT>>{{1, 101, 4114, 0, 267, 1, 2, 11, 10},
                                             {1, 102, 4114, 0, 268, 1, 2, 11, 10},
                                             {1, 103, 4116, 1, 263, 2, 0, 12, 7}}),
              calls);
}

TEST_F(ConstraintDBTest, ANegativeConstraintIdKeepsItsSign)
{
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(0, reader.GetPreconditions(-5, OnPrecondition, &calls));
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(501, calls[0][1]);
    calls.clear();
    EXPECT_EQ(0, reader.GetTriggerFeatures(-5, OnTrigger, &calls));
    EXPECT_EQ((std::vector<std::vector<INT>>{{-5, 4125, 50}}), calls);
}

TEST_F(ConstraintDBTest, AConstraintWithoutPreconditionsGivesNoCallsAndSuccess)
{
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(0, reader.GetPreconditions(2, OnPrecondition, &calls));
    EXPECT_TRUE(calls.empty());
}

TEST_F(ConstraintDBTest, ActionsPassTheOptionBeforeTheTypeAndTheirRawTexts)
{
    std::vector<ActionSeen> actions;
    // The answer is the failure status even when every row was handed over: the constraint engine
    // does not use it and learns the actions from the calls alone.
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.GetActions(OnAction, &actions));
    ASSERT_EQ(2u, actions.size());
    EXPECT_EQ((std::vector<INT>{11, 4116, 9, 263, 1, 12, 0, 10}), actions[0].numbers);
    EXPECT_EQ((std::vector<std::string>{"(null)", "(null)", "(null)"}), actions[0].data);
    EXPECT_EQ((std::vector<INT>{12, 4119, 0, 1, 4, 0, 1, 8}), actions[1].numbers);
    EXPECT_EQ((std::vector<std::string>{"216", "0", "Feature unavailable"}), actions[1].data);
}

TEST_F(ConstraintDBTest, ACallbackThatAnswersNonZeroEndsTheWalkWithFailure)
{
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.GetConstraints(StopAfterTwo, &calls));
    EXPECT_EQ(2u, calls.size());
}

TEST_F(ConstraintDBTest, WithoutADatabaseEveryQueryFailsWithoutACall)
{
    CNiraConstraintDB missing;
    EXPECT_EQ(0, missing.Open((nirasim::Machine::DriverVersionDirectory() + TEXT("\\absent.vdf")).c_str()));
    CNiraConstraintDB unopened;
    for (CNiraConstraintDB* r : {&missing, &unopened}) {
        std::vector<std::vector<INT>> calls;
        std::vector<ActionSeen> actions;
        EXPECT_EQ(NIRA_STATUS_FAILED, r->GetConstraints(OnConstraint, &calls));
        EXPECT_EQ(NIRA_STATUS_FAILED, r->GetTriggerFeatures(1, OnTrigger, &calls));
        EXPECT_EQ(NIRA_STATUS_FAILED, r->GetPreconditions(1, OnPrecondition, &calls));
        EXPECT_EQ(NIRA_STATUS_FAILED, r->GetActions(OnAction, &actions));
        EXPECT_TRUE(calls.empty());
        EXPECT_TRUE(actions.empty());
    }
}

TEST_F(ConstraintDBTest, ReopeningReadsTheNewDatabase)
{
    EXPECT_EQ(0, reader.Open(MakeDatabase("other.vdf",
                                          "CREATE TABLE CONSTRAINT_INFO (ConstraintID, Priority);"
                                          "INSERT INTO CONSTRAINT_INFO VALUES (77, 1);")
                                 .c_str()));
    std::vector<std::vector<INT>> calls;
    EXPECT_EQ(0, reader.GetConstraints(OnConstraint, &calls));
    EXPECT_EQ((std::vector<std::vector<INT>>{{77, 1}}), calls);
}
