// The feature database readers over the sample package's databases, with each injectable call of
// a whole reading session failing in turn: what the callbacks received is what the unfailed
// session delivered, or some call of the session reported the failure.
#include "DatabaseFixture.h"

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/ConstraintDB.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"
#include "support/FailureSweep.h"

#include <optional>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {
// What the callbacks of a session received, one line each.
using Delivered = std::string;

std::string Text(LPCWSTR text)
{
    return text != nullptr ? nirasim::Utf8(text) : std::string("(null)");
}

LONG KeepRecord(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    Delivered& delivered = *static_cast<Delivered*>(user);
    delivered += "record " + std::to_string(featureId) + " " + std::to_string(kind);
    if (kind == CAPABILITY_KIND_FEATURE) {
        delivered += " default " + std::to_string(static_cast<FeatureRecord*>(record)->defaultOption);
    }
    if (kind == CAPABILITY_KIND_VOCABULARY) {
        auto* vocabulary = static_cast<VocabularyRecord*>(record);
        delivered += " " + Text(vocabulary->vocabNamespace) + " " + Text(vocabulary->vocabMap);
        LocalFree(vocabulary->vocabNamespace);
        LocalFree(vocabulary->vocabMap);
    }
    if (kind == CAPABILITY_KIND_TREEVIEW) {
        delivered += " " + Text(static_cast<TreeViewOptionRecord*>(record)->optionName);
    }
    delivered += "\n";
    LocalFree(record);
    return 0;
}

LONG KeepOption(INT, INT featureId, INT optionId, INT, INT, INT, LPCWSTR optionName, INT, INT optionState,
                INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR vocabNamespace,
                LPCWSTR vocabMap, INT, LPCWSTR commandString, INT, INT, INT, INT, INT, INT, LPVOID user)
{
    *static_cast<Delivered*>(user) += "option " + std::to_string(featureId) + " " + std::to_string(optionId) +
                                      " " + Text(optionName) + " " + std::to_string(optionState) + " " +
                                      Text(vocabNamespace) + " " + Text(vocabMap) + " " +
                                      Text(commandString) + "\n";
    return 0;
}

LONG KeepContainer(CNiraIntRecord* record, LPVOID user)
{
    *static_cast<INT*>(user) = record->containerId;
    return 0;
}

struct LayoutWalk {
    Delivered delivered;
    std::vector<INT> windows;
};

LONG KeepWindow(CNiraIntRecord* record, LPVOID user)
{
    auto* window = static_cast<CNiraWindowRecord*>(record);
    auto* walk = static_cast<LayoutWalk*>(user);
    walk->windows.push_back(window->windowId);
    walk->delivered += "window " + std::to_string(window->windowId) + " " + Text(window->windowName) + "\n";
    return 0;
}

LONG KeepWidget(CNiraWidgetInfo* widget, LPVOID user)
{
    static_cast<LayoutWalk*>(user)->delivered +=
        "widget " + std::to_string(widget->ControlID()) + " " + std::to_string(widget->FeatureID()) + "\n";
    return 0;
}

struct RuleWalk {
    Delivered delivered;
    std::vector<INT> constraints;
};

LONG KeepConstraint(LPVOID user, INT constraintId, INT priority)
{
    auto* walk = static_cast<RuleWalk*>(user);
    walk->constraints.push_back(constraintId);
    walk->delivered += "constraint " + std::to_string(constraintId) + " " + std::to_string(priority) + "\n";
    return 0;
}

LONG KeepPrecondition(LPVOID user, INT constraintId, INT preConditionId, INT featureId, INT state,
                      INT optionId, INT, INT, INT actionId, INT)
{
    *static_cast<Delivered*>(user) += "precondition " + std::to_string(constraintId) + " " +
                                      std::to_string(preConditionId) + " " + std::to_string(featureId) + " " +
                                      std::to_string(state) + " " + std::to_string(optionId) + " " +
                                      std::to_string(actionId) + "\n";
    return 0;
}

int KeepRow(void* argument, int count, char** values, char**)
{
    Delivered& delivered = *static_cast<Delivered*>(argument);
    for (int i = 0; i < count; ++i) {
        delivered += std::string(i ? "|" : "row ") + (values[i] ? values[i] : "(null)");
    }
    delivered += "\n";
    return 0;
}

// Ends the session at the first call that reports a failure.
#define READ_OR_FAIL(call) \
    if ((call) != 0)       \
    return std::nullopt
}  // namespace

class ReaderSweepTest : public DatabaseFixture {
protected:
    WString Install(const char* fileName)
    {
        const WString path =
            nirasim::Machine::DriverVersionDirectory() + TEXT("\\") + nirasim::Wide(fileName);
        EXPECT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/" + fileName, path)) << fileName;
        return path;
    }
};

TEST_F(ReaderSweepTest, CapabilityReader)
{
    machine.SetUILanguage(1033);
    const WString path = Install("niracap.vdf");
    CFailureSweep::Sweep<Delivered>("capability reader", [&](CFailureSweep& sweep) {
        return sweep.Armed([&]() -> std::optional<Delivered> {
            CNiraCapabilityDB reader;
            Delivered delivered;
            READ_OR_FAIL(reader.Open(path.c_str()));
            INT* ids = nullptr;
            INT count = 0;
            INT highestSettings = 0;
            INT highestUi = 0;
            READ_OR_FAIL(reader.GetFeatureIds(&ids, &count, &highestSettings, &highestUi));
            for (INT i = 0; i < count; ++i) {
                delivered += "id " + std::to_string(ids[i]) + "\n";
            }
            LocalFree(ids);
            delivered +=
                "highest " + std::to_string(highestSettings) + " " + std::to_string(highestUi) + "\n";
            READ_OR_FAIL(reader.GetFeatureSettings(KeepRecord, &delivered, nullptr));
            READ_OR_FAIL(reader.EnumVocabularies(KeepRecord, &delivered));
            READ_OR_FAIL(reader.EnumTreeView(KeepRecord, &delivered));
            for (INT feature : {4114, 4117, 4128}) {
                READ_OR_FAIL(reader.EnumOptions(&feature, KeepOption, &delivered));
            }
            return delivered;
        });
    });
}

TEST_F(ReaderSweepTest, ConstraintReader)
{
    const WString path = Install("niracon.vdf");
    CFailureSweep::Sweep<Delivered>("constraint reader", [&](CFailureSweep& sweep) {
        return sweep.Armed([&]() -> std::optional<Delivered> {
            CNiraConstraintDB reader;
            RuleWalk walk;
            READ_OR_FAIL(reader.Open(path.c_str()));
            READ_OR_FAIL(reader.GetConstraints(KeepConstraint, &walk));
            // GetActions answers the failure status even when every row was handed over, so
            // its own failures cannot be told apart; it stays out of the sweep.
            for (INT constraint : walk.constraints) {
                READ_OR_FAIL(reader.GetPreconditions(constraint, KeepPrecondition, &walk.delivered));
            }
            return walk.delivered;
        });
    });
}

TEST_F(ReaderSweepTest, LayoutReader)
{
    const WString path = Install("niraui.vdf");
    CFailureSweep::Sweep<Delivered>("UI-layout reader", [&](CFailureSweep& sweep) {
        return sweep.Armed([&]() -> std::optional<Delivered> {
            CNiraUILayoutDB reader;
            READ_OR_FAIL(reader.Open(path.c_str()));
            INT frameType = 0;
            READ_OR_FAIL(reader.GetFrameType(TEXT("DocPropSheet"), &frameType));
            INT containerId = 0;
            READ_OR_FAIL(reader.FindContainer(TEXT("DocPropSheet"), KeepContainer, &containerId));
            LayoutWalk walk;
            walk.delivered =
                "frame " + std::to_string(frameType) + " container " + std::to_string(containerId) + "\n";
            READ_OR_FAIL(reader.EnumWindows(containerId, 0, KeepWindow, &walk));
            for (INT window : walk.windows) {
                READ_OR_FAIL(reader.EnumWidgets(0, window, KeepWidget, &walk));
            }
            return walk.delivered;
        });
    });
}

TEST_F(ReaderSweepTest, FeatureDatabase)
{
    const WString path = Install("niracap.vdf");
    CFailureSweep::Sweep<Delivered>("feature database", [&](CFailureSweep& sweep) {
        return sweep.Armed([&]() -> std::optional<Delivered> {
            CNiraFeatureDatabase database(path.c_str());
            Delivered delivered;
            READ_OR_FAIL(database.SetCallback(KeepRow, &delivered));
            READ_OR_FAIL(database.Execute("SELECT * FROM FDT4114 ORDER BY OptionID"));
            READ_OR_FAIL(database.Execute("SELECT * FROM FDT4117 ORDER BY OptionID"));
            return delivered;
        });
    });
}
