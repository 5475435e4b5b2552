// The sample package's databases as the readers see them: every feature the handlers know has
// its options, defaults that exist in every language, a layout that names existing features,
// and rules whose actions and features exist.
#include "DatabaseFixture.h"

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/ConstraintDB.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <map>
#include <set>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {
struct Feature {
    FeatureRecord record;
    FeatureUIRecord display;
    std::set<INT> options;
    std::vector<INT> order;
};

LONG KeepRecord(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    auto& features = *static_cast<std::map<INT, Feature>*>(user);
    if (kind == CAPABILITY_KIND_FEATURE) {
        features[featureId].record = *static_cast<FeatureRecord*>(record);
    }
    if (kind == CAPABILITY_KIND_FEATURE_UI) {
        features[featureId].display = *static_cast<FeatureUIRecord*>(record);
    }
    LocalFree(record);
    return 0;
}

LONG KeepOption(INT, INT featureId, INT optionId, INT, INT, INT, LPCWSTR, INT, INT, INT, INT, INT, INT, INT,
                INT, INT, INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR, LPCWSTR, INT, LPCWSTR, INT, INT, INT,
                INT, INT, INT, LPVOID user)
{
    Feature& feature = (*static_cast<std::map<INT, Feature>*>(user))[featureId];
    feature.options.insert(optionId);
    feature.order.push_back(optionId);
    return 0;
}

LONG KeepTreeRow(INT featureId, INT, LPVOID record, LPVOID user)
{
    auto* row = static_cast<TreeViewOptionRecord*>(record);
    static_cast<std::vector<std::pair<INT, INT>>*>(user)->push_back({featureId, row->optionId});
    LocalFree(record);
    return 0;
}

LONG KeepContainer(CNiraIntRecord* record, LPVOID user)
{
    *static_cast<INT*>(user) = record->containerId;
    return 0;
}

LONG KeepWindow(CNiraIntRecord* record, LPVOID user)
{
    static_cast<std::vector<INT>*>(user)->push_back(static_cast<CNiraWindowRecord*>(record)->windowId);
    return 0;
}

LONG KeepWidgetFeature(CNiraWidgetInfo* widget, LPVOID user)
{
    static_cast<std::vector<INT>*>(user)->push_back(widget->FeatureID());
    return 0;
}

// The features the handlers of the driver are written for.
const INT kKnownFeatures[] = {4114, 4115, 4116, 4117, 4118, 4119, 4120, 4121, 4122, 4123, 4125, 4126, 4127,
                              4128, 4129, 4130, 4132, 4133, 4135, 4136, 4137, 4138, 4139, 4141, 4143, 4166,
                              4215, 4218, 4219, 4221, 4222, 4226, 4227, 4231, 4233, 4234, 4235, 4236, 4237,
                              4258, 4259, 4260, 4261, 4262, 4298, 4302, 4305, 4307, 5998, 5999};
}  // namespace

class SamplePackageDatabasesTest : public DatabaseFixture {
protected:
    WString Install(const char* fileName)
    {
        const WString path =
            nirasim::Machine::DriverVersionDirectory() + TEXT("\\") + nirasim::Wide(fileName);
        EXPECT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/" + fileName, path)) << fileName;
        return path;
    }

    std::map<INT, Feature> ReadFeatures(LANGID language)
    {
        machine.SetUILanguage(language);
        CNiraCapabilityDB reader;
        reader.Open(Install("niracap.vdf").c_str());
        std::map<INT, Feature> features;
        EXPECT_EQ(0, reader.GetFeatureSettings(KeepRecord, &features, nullptr));
        EXPECT_EQ(0, reader.EnumCategories(KeepRecord, &features));
        for (auto& entry : features) {
            EXPECT_EQ(0, reader.EnumOptions(&entry.first, KeepOption, &features));
        }
        return features;
    }
};

TEST_F(SamplePackageDatabasesTest, EveryFeatureHasOptionsAndADefaultAmongThemInEveryLanguage)
{
    constexpr INT kFirstSoftLink = 6399;
    constexpr INT kLastSoftLink = 6500;
    for (LANGID language : {1033, 1041, 0x0407}) {
        const std::map<INT, Feature> features = ReadFeatures(language);
        for (INT id : kKnownFeatures) {
            EXPECT_EQ(1u, features.count(id)) << id;
        }
        for (const auto& [id, feature] : features) {
            EXPECT_EQ(id, feature.record.featureId);
            EXPECT_EQ(id, feature.display.featureId) << id;
            // The soft-link features of the shortcuts page take their options from the shortcuts.
            const bool softLink = id >= kFirstSoftLink && id <= kLastSoftLink;
            if (feature.display.isUserInput || softLink) {
                continue;
            }
            EXPECT_FALSE(feature.options.empty()) << id;
            EXPECT_EQ(1u, feature.options.count(feature.record.defaultOption))
                << "feature " << id << " default " << feature.record.defaultOption << " language "
                << language;
        }
        // The packed settings range runs from 4113 to 4312.
        EXPECT_EQ(4113, features.at(5998).record.defaultOption);
        EXPECT_EQ(4312, features.at(5999).record.defaultOption);
    }
}

TEST_F(SamplePackageDatabasesTest, OptionsKeepTheirWrittenOrderAndAppearOnceWithTheirOwnKeywords)
{
    machine.SetUILanguage(1033);
    CNiraCapabilityDB reader;
    reader.Open(Install("niracap.vdf").c_str());
    std::map<INT, Feature> bins;
    const INT inputBin = 4117;
    EXPECT_EQ(0, reader.EnumOptions(&inputBin, KeepOption, &bins));
    EXPECT_EQ((std::vector<INT>{7, 1, 9, 4}), bins[inputBin].order);

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open_v2((std::string(NIRA_BUILD_DIR) + "/package/niracap.vdf").c_str(), &db,
                                         SQLITE_OPEN_READONLY, nullptr));
    int duplicates = 0;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(
                             db,
                             "SELECT Featureid, Optionid FROM CAP_OPTIONS_INFO GROUP BY Featureid, Optionid "
                             "HAVING COUNT(*) > 1",
                             [](void* count, int, char**, char**) {
                                 ++*static_cast<int*>(count);
                                 return 0;
                             },
                             &duplicates, nullptr));
    // A PrintTicket names each option of a feature by its own keyword, except the sheet and page
    // counts of posters and pages per sheet: their options are unnamed, and the keyword names the
    // scored property that carries each option's count.
    int sharedKeywords = 0;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(
                             db,
                             "SELECT Featureid FROM CAP_OPTIONS_INFO WHERE VocabMap <> '0' AND "
                             "VocabMap NOT IN ('SheetsPerPage', 'PagesPerSheet') "
                             "GROUP BY Featureid, VocabNamespace, VocabMap HAVING COUNT(*) > 1",
                             [](void* count, int, char**, char**) {
                                 ++*static_cast<int*>(count);
                                 return 0;
                             },
                             &sharedKeywords, nullptr));
    sqlite3_close(db);
    EXPECT_EQ(0, duplicates);
    EXPECT_EQ(0, sharedKeywords);
}

TEST_F(SamplePackageDatabasesTest, TreeViewRowsNameOptionsOfTheirFeatures)
{
    // The tree view lists the options of every language.
    std::map<INT, Feature> features = ReadFeatures(1033);
    for (const auto& [id, feature] : ReadFeatures(1041)) {
        features[id].options.insert(feature.options.begin(), feature.options.end());
    }
    CNiraCapabilityDB reader;
    reader.Open(Install("niracap.vdf").c_str());
    std::vector<std::pair<INT, INT>> rows;
    EXPECT_EQ(0, reader.EnumTreeView(KeepTreeRow, &rows));
    EXPECT_GT(rows.size(), 20u);
    for (const auto& [featureId, optionId] : rows) {
        ASSERT_EQ(1u, features.count(featureId)) << featureId;
        if (optionId != 0) {
            EXPECT_EQ(1u, features.at(featureId).options.count(optionId)) << featureId << "/" << optionId;
        }
    }
}

TEST_F(SamplePackageDatabasesTest, TheLayoutShowsExistingFeatures)
{
    const std::map<INT, Feature> features = ReadFeatures(1033);
    CNiraUILayoutDB layout;
    ASSERT_EQ(0, layout.Open(Install("niraui.vdf").c_str()));
    const struct {
        LPCWSTR name;
        INT frameType;
    } containers[] = {{TEXT("CPSUITreeView"), 7},
                      {TEXT("DocPropSheet"), 1},
                      {TEXT("CPSUIDevTreeView"), 7},
                      {TEXT("DevicePropSheet"), 1}};
    for (const auto& container : containers) {
        INT frameType = 0;
        EXPECT_EQ(0, layout.GetFrameType(container.name, &frameType));
        EXPECT_EQ(container.frameType, frameType);
        for (INT rtl : {0, 1}) {
            INT containerId = 0;
            ASSERT_EQ(0, layout.FindContainer(container.name, KeepContainer, &containerId));
            std::vector<INT> windows;
            EXPECT_EQ(0, layout.EnumWindows(containerId, rtl, KeepWindow, &windows));
            EXPECT_FALSE(windows.empty());
            for (INT window : windows) {
                std::vector<INT> widgetFeatures;
                EXPECT_EQ(0, layout.EnumWidgets(0, window, KeepWidgetFeature, &widgetFeatures));
                EXPECT_FALSE(widgetFeatures.empty()) << window;
                for (INT feature : widgetFeatures) {
                    EXPECT_TRUE(feature == 0 || features.count(feature) == 1) << window << ": " << feature;
                }
            }
        }
    }
    // The conflict pop-up lives in the capability database.
    CNiraUILayoutDB popups;
    ASSERT_EQ(0, popups.Open(Install("niracap.vdf").c_str()));
    INT containerId = 0;
    EXPECT_EQ(0, popups.FindContainer(TEXT("Feature unavailable"), KeepContainer, &containerId));
    std::vector<INT> windows;
    EXPECT_EQ(0, popups.EnumWindows(containerId, 0, KeepWindow, &windows));
    EXPECT_EQ((std::vector<INT>{216}), windows);
}

namespace {
struct Rules {
    std::vector<INT> constraints;
    std::map<INT, std::vector<INT>> preconditions;  // constraint -> {feature, option, action}...
    std::map<INT, std::vector<INT>> actions;        // action -> {feature, option, linked}
};

LONG KeepConstraint(LPVOID user, INT constraintId, INT)
{
    static_cast<Rules*>(user)->constraints.push_back(constraintId);
    return 0;
}

LONG KeepPrecondition(LPVOID user, INT constraintId, INT, INT featureId, INT, INT optionId, INT, INT,
                      INT actionId, INT)
{
    auto& list = static_cast<Rules*>(user)->preconditions[constraintId];
    list.insert(list.end(), {featureId, optionId, actionId});
    return 0;
}

LONG KeepAction(LPVOID user, INT actionId, INT featureId, INT, INT optionId, INT, INT linkedActionId, LPCSTR,
                LPCSTR, LPCSTR, INT, INT)
{
    static_cast<Rules*>(user)->actions[actionId] = {featureId, optionId, linkedActionId};
    return 0;
}
}  // namespace

constexpr INT kMissingLinkedAction = 129;

TEST_F(SamplePackageDatabasesTest, RulesNameExistingFeaturesOptionsAndActions)
{
    const std::map<INT, Feature> features = ReadFeatures(1033);
    CNiraConstraintDB reader;
    reader.Open(Install("niracon.vdf").c_str());
    Rules rules;
    ASSERT_EQ(0, reader.GetConstraints(KeepConstraint, &rules));
    reader.GetActions(KeepAction, &rules);  // answers the failure status whatever it read
    ASSERT_FALSE(rules.actions.empty());
    EXPECT_GE(rules.constraints.size(), 5u);
    for (INT constraint : rules.constraints) {
        EXPECT_EQ(0, reader.GetPreconditions(constraint, KeepPrecondition, &rules));
        // A rule without preconditions is allowed: it never holds.
        const std::vector<INT>& list = rules.preconditions[constraint];
        for (size_t i = 0; i < list.size(); i += 3) {
            ASSERT_EQ(1u, features.count(list[i])) << constraint;
            EXPECT_EQ(1u, features.at(list[i]).options.count(list[i + 1])) << constraint;
            EXPECT_TRUE(list[i + 2] == 0 || rules.actions.count(list[i + 2]) == 1) << constraint;
        }
    }
    for (const auto& [action, values] : rules.actions) {
        ASSERT_EQ(1u, features.count(values[0])) << action;
        EXPECT_EQ(1u, features.at(values[0]).options.count(values[1])) << action;
        // One chain of the sample ends on purpose at an action the table lacks.
        EXPECT_TRUE(values[2] == 0 || values[2] == kMissingLinkedAction ||
                    rules.actions.count(values[2]) == 1)
            << action;
    }
}
