// The constraint engine on small constraint databases of the tests' own, over the settings of the
// sample printer: the order of the rules, the conditions, the action chains and the messages.
#include "UICoreFixture.h"

#include <string>
#include <utility>

#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/constraints/ConstraintRule.h"
#include "nira/uiplugin/core/services/ConstraintServices.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "support/SqlDatabase.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr int kInkVolume = 4302;  // options 1 to 3
constexpr int kMirror = 4218;     // options 1 and 2
constexpr int kTextAsBlack = 4222;

const char* const kSchema = R"sql(
CREATE TABLE CONSTRAINT_INFO (ConstraintID INTEGER, Priority INTEGER);
CREATE TABLE CONSTRAINT_PRECOND_TRIGGERS (ConstraintID INTEGER, PreConditionID INTEGER,
  FeatureID INTEGER, State INTEGER, OptionID INTEGER, ConditionType INTEGER, Operator INTEGER,
  ActionID INTEGER, Priority INTEGER);
CREATE TABLE CONSTRAINT_ACTION_INFO (ActionID INTEGER, FeatureID INTEGER, State INTEGER,
  ActionType INTEGER, OptionID INTEGER, LinkedActionID INTEGER, ActionData1 TEXT,
  ActionData2 TEXT, ActionData3 TEXT, ByForce INTEGER, Priority INTEGER);
)sql";

// The services with the pop-ups, message boxes and handler calls written down instead of made.
class RecordingServices : public CNiraConstraintServices {
public:
    explicit RecordingServices(CNiraUICore* core) : CNiraConstraintServices(core) {}

    int ForwardConstraintAction(int id, const char* data1, const char*, const char*) override
    {
        actions.push_back(std::to_string(id) + ":" + (data1 ? data1 : ""));
        return 0;
    }
    int ShowPopup(int messageId, WCHAR* containerName) override
    {
        popups.emplace_back(messageId, WString(containerName));
        return 0;
    }
    int ShowMessageBox(int captionStringId, int textStringId) override
    {
        messageBoxes.emplace_back(captionStringId, textStringId);
        return 0;
    }
    int ForwardConstraintMessage(int id, const char*, const char* data2, const char*, int* show) override
    {
        asked.push_back(std::to_string(id) + ":" + data2);
        *show = answerShow;
        return 0;
    }

    std::vector<std::string> actions;  // "feature:data1" of each handler action, in order
    std::vector<std::pair<int, WString>> popups;
    std::vector<std::pair<int, int>> messageBoxes;
    std::vector<std::string> asked;
    int answerShow = 1;
};

class ConstraintEngineTest : public UICoreTest {
protected:
    void SetUp() override
    {
        UICoreTest::SetUp();
        ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
        core->GetSettings(&settings);
        services = std::make_unique<RecordingServices>(core.get());
    }

    // An engine on the rules; the mode is the printing preferences' unless told.
    void Load(const std::string& rules, int mode = CONSTRAINT_MODE_PROPERTY_SHEETS)
    {
        const WString path = WriteSqlDatabase(machine, "rules.vdf", std::string(kSchema) + rules);
        engine = std::make_unique<CNiraConstraintEngine>();
        ASSERT_EQ(engine->Open(services.get(), path.c_str()), 0);
        engine->LoadRules();
        engine->SetMode(mode);
    }

    void Force(int featureId, int optionId)
    {
        ASSERT_EQ(settings->ForceCurrentOption(&featureId, &optionId, 1), 0);
    }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        settings->GetCurrentOption(featureId, &option, &isSet);
        return option;
    }
    void Changed(int featureId) { EXPECT_EQ(engine->OnFeatureChanged(&featureId), 0); }

    CNiraUISettings* settings = nullptr;
    std::unique_ptr<RecordingServices> services;
    std::unique_ptr<CNiraConstraintEngine> engine;
};

// Each rule holds when the ink volume is 3 and hands its number to the print quality's handler.
std::string HandlerRule(int constraintId, int priority)
{
    const std::string id = std::to_string(constraintId);
    const std::string p = std::to_string(priority);
    return "INSERT INTO CONSTRAINT_INFO VALUES (" + id + ", " + p +
           ");"
           "INSERT INTO CONSTRAINT_PRECOND_TRIGGERS VALUES (" +
           id + ", 1, 4302, 0, 3, 1, 0, " + id + ", " + p +
           ");"
           "INSERT INTO CONSTRAINT_ACTION_INFO VALUES (" +
           id + ", 4115, 0, 17, 0, 0, '" + id + "', NULL, NULL, 0, 0);";
}

}  // namespace

TEST_F(ConstraintEngineTest, RulesRunByPriorityThenHigherConstraintIdFirst)
{
    Load(HandlerRule(1, 5) + HandlerRule(2, 5) + HandlerRule(3, 9) + HandlerRule(4, 1));
    Force(kInkVolume, 3);
    Changed(kInkVolume);
    EXPECT_THAT(services->actions, ElementsAre("4115:3", "4115:2", "4115:1", "4115:4"));
}

TEST_F(ConstraintEngineTest, AnActionOnTheChangedFeatureEndsItsChain)
{
    Load(HandlerRule(1, 5) + R"sql(
INSERT INTO CONSTRAINT_INFO VALUES (2, 9);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS VALUES (2, 1, 4302, 0, 3, 1, 0, 20, 9);
INSERT INTO CONSTRAINT_ACTION_INFO VALUES (20, 4302, 0, 1, 1, 21, NULL, NULL, NULL, 0, 9),
                                          (21, 4115, 0, 17, 0, 0, 'after', NULL, NULL, 0, 0);
)sql");
    Force(kInkVolume, 3);
    Changed(kInkVolume);
    EXPECT_EQ(Current(kInkVolume), 3);
    EXPECT_THAT(services->actions, ElementsAre("4115:1"));  // the other rules still run
    EXPECT_EQ(engine->ExecuteActions(kInkVolume, 0, 20), 0);
    EXPECT_EQ(engine->ExecuteActions(kMirror, 0, 21), 1);
}

TEST_F(ConstraintEngineTest, MissingActionAndCycleEndTheChain)
{
    Load(R"sql(
INSERT INTO CONSTRAINT_ACTION_INFO VALUES
  (1, 4115, 0, 17, 0, 2, 'a', NULL, NULL, 0, 0),
  (2, 4115, 0, 17, 0, 99, 'b', NULL, NULL, 0, 0),
  (3, 4115, 0, 17, 0, 4, 'c', NULL, NULL, 0, 0),
  (4, 4115, 0, 17, 0, 3, 'd', NULL, NULL, 0, 0);
)sql");
    EXPECT_EQ(engine->ExecuteActions(kInkVolume, 0, 1), 0);  // 99 is not in the table
    EXPECT_THAT(services->actions, ElementsAre("4115:a", "4115:b"));
    services->actions.clear();
    EXPECT_EQ(engine->ExecuteActions(kInkVolume, 0, 3), 1);  // back at 3: the chain ends
    EXPECT_THAT(services->actions, ElementsAre("4115:c", "4115:d"));
}

TEST_F(ConstraintEngineTest, MessagesOnlyForThePrintingPreferences)
{
    const std::string rules = R"sql(
INSERT INTO CONSTRAINT_INFO VALUES (1, 5);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS VALUES (1, 1, 4218, 0, 2, 1, 0, 10, 5);
INSERT INTO CONSTRAINT_ACTION_INFO VALUES
  (10, 4218, 0, 3, 0, 11, '15216', '15218', NULL, 0, 0),
  (11, 4218, 0, 4, 0, 0, '216', '0', 'Feature unavailable', 0, 0);
)sql";
    for (int mode : {CONSTRAINT_MODE_QUIET, CONSTRAINT_MODE_PROPERTY_SHEETS}) {
        SCOPED_TRACE(mode);
        engine.reset();
        services = std::make_unique<RecordingServices>(core.get());
        Load(rules, mode);
        Force(kMirror, 2);
        Changed(kMirror);
        if (mode == CONSTRAINT_MODE_QUIET) {
            EXPECT_THAT(services->messageBoxes, IsEmpty());
            EXPECT_THAT(services->popups, IsEmpty());
        } else {
            EXPECT_THAT(services->messageBoxes, ElementsAre(std::make_pair(15216, 15218)));
            // A message whose data2 reads as 0 is shown without asking the handler.
            EXPECT_THAT(services->popups,
                        ElementsAre(std::make_pair(216, WString(TEXT("Feature unavailable")))));
            EXPECT_THAT(services->asked, IsEmpty());
        }
    }
}

TEST_F(ConstraintEngineTest, HandlerDecidesAMessageWithData2)
{
    Load(R"sql(
INSERT INTO CONSTRAINT_ACTION_INFO VALUES (1, 4218, 0, 4, 0, 0, '216', '32abc', 'Popup', 0, 0);
)sql");
    services->answerShow = 0;
    engine->ExecuteActions(kMirror, CONSTRAINT_MODE_PROPERTY_SHEETS, 1);
    EXPECT_THAT(services->asked, ElementsAre("4218:32abc"));
    EXPECT_THAT(services->popups, IsEmpty());
    services->answerShow = 1;
    engine->ExecuteActions(kMirror, CONSTRAINT_MODE_PROPERTY_SHEETS, 1);
    EXPECT_THAT(services->popups, ElementsAre(std::make_pair(216, WString(TEXT("Popup")))));
}

TEST_F(ConstraintEngineTest, OptionActionsChangeAndMarkTheSettings)
{
    Load(R"sql(
INSERT INTO CONSTRAINT_ACTION_INFO VALUES
  (1, 4222, 0, 1, 2, 2, NULL, NULL, NULL, 1, 4),
  (2, 4115, 0, 9, 3, 3, NULL, NULL, NULL, 0, 0),
  (3, 4116, 0, 5, 259, 0, '127', NULL, NULL, 0, 0);
)sql");
    EXPECT_EQ(engine->ExecuteActions(kMirror, 0, 1), 1);
    EXPECT_EQ(Current(kTextAsBlack), 2);
    int state = 0;
    settings->GetOptionState(4115, 3, &state);
    EXPECT_EQ(state, OPTION_STATE_GREYED);
    settings->GetOptionState(4116, 259, &state);
    EXPECT_EQ(state, OPTION_STATE_CONFLICT);
    OptionInfo info = {};
    settings->GetOptionInfo(4116, 259, &info);
    EXPECT_EQ(info.iconId, 127);
}

// A required condition whose option the feature does not offer counts as met; one that it offers
// and that does not hold stops the rule.
TEST_F(ConstraintEngineTest, RequiredConditionOnAnAbsentOptionHolds)
{
    Load(R"sql(
INSERT INTO CONSTRAINT_INFO VALUES (1, 5), (2, 5);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS VALUES
  (1, 1, 4302, 0, 99, 1, 1, 0, 5), (1, 2, 4302, 0, 3, 1, 0, 10, 5),
  (2, 1, 4302, 0, 2, 1, 1, 0, 5), (2, 2, 4302, 0, 3, 1, 0, 20, 5);
INSERT INTO CONSTRAINT_ACTION_INFO VALUES
  (10, 4115, 0, 17, 0, 0, 'absent', NULL, NULL, 0, 0),
  (20, 4115, 0, 17, 0, 0, 'offered', NULL, NULL, 0, 0);
)sql");
    Force(kInkVolume, 3);
    Changed(kInkVolume);
    EXPECT_THAT(services->actions, ElementsAre("4115:absent"));
}

TEST_F(ConstraintEngineTest, TwoLoadsOfTheCoreRunARuleOnce)
{
    WriteSqlDatabase(machine, "niracon.vdf", std::string(kSchema) + HandlerRule(1, 5));
    auto fresh = std::make_unique<CNiraUICore>();
    fresh->SetHandlerFactory(&MakeRecordingHandler);
    ASSERT_EQ(fresh->ConstructDriverState(printer, nullptr), 0);
    fresh->LoadConstraints(CONSTRAINT_MODE_QUIET);
    fresh->LoadConstraints(CONSTRAINT_MODE_PROPERTY_SHEETS);
    EXPECT_EQ(fresh->GetConstraintEngine()->GetMode(), CONSTRAINT_MODE_PROPERTY_SHEETS);
    CNiraUISettings* freshSettings = nullptr;
    fresh->GetSettings(&freshSettings);
    int feature = kInkVolume;
    int option = 3;
    freshSettings->ForceCurrentOption(&feature, &option, 1);
    fresh->CountChange(kInkVolume);
    EXPECT_EQ(journal.constraintActions, std::vector<std::string>{"4115:1"});
}

struct ConditionCase {
    int conditionType;
    int state;
    int optionId;
    int conditionOperator;
    int holds;
    int actionId;
};

// The ink volume is 2 throughout; each case is one precondition with action 7.
TEST_F(ConstraintEngineTest, ConditionTypesAndOperators)
{
    const ConditionCase cases[] =
        {
            {1, 0, 2, 0, 1, 7}, {1, 0, 3, 0, 0, 0}, {2, 0, 3, 0, 1, 7}, {2, 0, 2, 0, 0, 0},
            {3, 0, 1, 0, 1, 7}, {3, 0, 2, 0, 0, 0}, {6, 0, 1, 1, 1, 0}, {6, 0, 2, 1, 0, 0},
            {5, 0, 3, 0, 1, 7}, {5, 0, 2, 0, 0, 0}, {4, 0, 2, 1, 1, 0}, {4, 0, 1, 1, 0, 0},
            {4, 0, 1, 0, 1, 0}, {6, 0, 9, 0, 1, 0},  // types 4 and 6 never decide alone
            {9, 0, 2, 0, 1, 0},                      // an unknown type does nothing
            {1, 0, 2, 2, 1, 7}, {1, 0, 3, 2, 0, 0}, {1, 0, 2, 5, 1, 0},
        };
    Force(kInkVolume, 2);
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.conditionType << " option " << c.optionId
                                        << " operator " << c.conditionOperator);
        CNiraConstraintRule rule(services.get());
        rule.AddPrecondition(1, kInkVolume, c.state, c.optionId, c.conditionType, c.conditionOperator, 7);
        int actionId = 0;
        EXPECT_EQ(rule.Evaluate(&actionId, CONSTRAINT_PASS_DECIDE), c.holds);
        EXPECT_EQ(actionId, c.actionId);
    }
}

TEST_F(ConstraintEngineTest, FirstHoldingAlternativeDecidesAndNoConditionsNeverHold)
{
    CNiraConstraintRule empty(services.get());
    int actionId = 0;
    EXPECT_EQ(empty.Evaluate(&actionId, CONSTRAINT_PASS_DECIDE), 0);

    Force(kInkVolume, 2);
    CNiraConstraintRule rule(services.get());
    rule.AddPrecondition(1, kInkVolume, 0, 1, 1, 2, 11);
    rule.AddPrecondition(2, 6999, 0, 1, 1, 0, 12);  // a feature the settings lack is skipped
    rule.AddPrecondition(3, kInkVolume, 0, 2, 1, 2, 13);
    rule.AddPrecondition(4, kInkVolume, 0, 2, 1, 2, 14);
    EXPECT_EQ(rule.Evaluate(&actionId, CONSTRAINT_PASS_DECIDE), 1);
    EXPECT_EQ(actionId, 13);
}

TEST(ConstraintNumberTest, ReadsLeadingDigits)
{
    const std::pair<const char*, int> cases[] = {
        {nullptr, 0},
        {"", 0},
        {"abc", 0},
        {"216", 216},
        {" 42x", 42},
        {"-7", -7},
        {"+5", 5},
        {"99999999999999", 2147483647},
        {"-99999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadConstraintNumber(c.first), c.second) << (c.first ? c.first : "(null)");
    }
}
