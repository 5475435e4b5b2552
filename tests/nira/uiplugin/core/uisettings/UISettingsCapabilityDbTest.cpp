// The UI settings object filled from the sample package's capability database by the loader that
// the host program and the other tests use. Every feature, option and tree-view row is then found
// again by id, index, public value and name, in the walk order newest first.
#include "UISettingsFixture.h"

#include <algorithm>
#include <map>
#include <string>
#include "support/WString.h"
#include <vector>

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nirasim/Machine.h"
#include "support/UISettingsLoader.h"

using ::testing::ElementsAreArray;

namespace {
// One option as the reader delivered it.
struct DeliveredOption {
    int optionId;
    int optionIndex;
    WString name;
};

// What the reader delivered, in its order, to check the object against.
struct Delivered {
    std::vector<int> features;
    std::map<int, FeatureRecord> records;
    std::map<int, std::vector<DeliveredOption>> options;
    std::map<int, std::vector<int>> treeRows;
};

struct Recording {
    CNiraCapabilityDB* reader;
    Delivered* delivered;
};

// Records an option row as the loader makes it an option: its display name is its option name.
LONG RecordOptionRow(INT optionIndex, INT featureId, INT optionId, INT, INT, INT, LPCWSTR optionName, INT,
                     INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR,
                     LPCWSTR, INT, LPCWSTR, INT, INT, INT, INT, INT, INT, LPVOID user)
{
    Recording* recording = static_cast<Recording*>(user);
    recording->delivered->options[featureId].push_back(
        {optionId, optionIndex, optionName ? WString(optionName) : WString()});
    return NIRA_STATUS_FAILED;
}

// Records the feature and tree-view rows (with the feature's options) and frees every record.
LONG RecordRow(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    Recording* recording = static_cast<Recording*>(user);
    Delivered& delivered = *recording->delivered;
    if (kind == CAPABILITY_KIND_FEATURE) {
        delivered.features.push_back(featureId);
        delivered.records[featureId] = *static_cast<FeatureRecord*>(record);
        recording->reader->EnumOptions(&featureId, RecordOptionRow, recording);
    } else if (kind == CAPABILITY_KIND_TREEVIEW) {
        delivered.treeRows[featureId].push_back(static_cast<TreeViewOptionRecord*>(record)->optionId);
    }
    LocalFree(record);
    return 0;
}
}  // namespace

class UISettingsCapabilityDbTest : public UISettingsTest {
protected:
    void SetUp() override
    {
        UISettingsTest::SetUp();
        machine.SetUILanguage(1033);
        const WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\niracap.vdf");
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/niracap.vdf", path));
        reader.Open(path.c_str());
        ASSERT_TRUE(FillUISettings(settings, reader));
        // What the reader delivers, read again to check the filled object against.
        Recording recording = {&reader, &delivered};
        ASSERT_EQ(reader.GetFeatureSettings(RecordRow, &recording, nullptr), 0);
        ASSERT_EQ(reader.EnumTreeView(RecordRow, &recording), 0);
        ASSERT_GT(delivered.features.size(), 50u);
    }

    bool IsLinked(int id)
    {
        int hasFirst = 0, a = 0, b = 0, hasSecond = 0;
        settings.GetSoftLinks(id, &hasFirst, &a, &b, &hasSecond);
        return hasFirst != 0;
    }

    nirasim::Machine machine;
    CNiraCapabilityDB reader;
    Delivered delivered;
};

TEST_F(UISettingsCapabilityDbTest, EveryFeatureIsThereWithItsRecords)
{
    for (int id : delivered.features) {
        SCOPED_TRACE(id);
        ASSERT_EQ(settings.HasFeature(id), 1);
        FeatureEntry* entry = nullptr;
        int key = id;
        ASSERT_EQ(settings.FindFeature(&key, &entry), 0);
        ASSERT_NE(entry->record, nullptr);
        ASSERT_NE(entry->uiRecord, nullptr);
        EXPECT_NE(entry->vocabulary, nullptr);
        EXPECT_EQ(entry->uiRecord->featureId, id);
        const FeatureRecord& row = delivered.records.at(id);
        EXPECT_EQ(entry->record->classId, row.classId);
        EXPECT_EQ(entry->record->featureState, row.featureState);
        EXPECT_EQ(entry->record->firstChange,
                  id >= kFirstSettingsFeature && id <= kLastSettingsFeature ? 1 : 0);
        int def = 0, current = 0, isSet = 0, valid = 0;
        ASSERT_EQ(settings.GetDefaultOption(id, &def), 0);
        EXPECT_EQ(def, row.defaultOption);
        ASSERT_EQ(settings.GetCurrentOption(id, &current, &isSet), 0);
        EXPECT_EQ(current, def);
        settings.IsValidFeatureId(id, &valid);
        EXPECT_EQ(valid, id >= kFirstSettingsFeature && id <= kLastSettingsFeature ? 1 : 0);
    }
    // The packed settings range that the settings engine reads.
    int first = 0, last = 0, isSet = 0;
    ASSERT_EQ(settings.GetCurrentOption(5998, &first, &isSet), 0);
    ASSERT_EQ(settings.GetCurrentOption(5999, &last, &isSet), 0);
    EXPECT_EQ(first, 4113);
    EXPECT_EQ(last, 4312);
    EXPECT_EQ(settings.HasFeature(4113), 0);
}

TEST_F(UISettingsCapabilityDbTest, OptionsAreFoundByIndexValueAndNameNewestFirst)
{
    int checked = 0;
    for (const auto& [id, options] : delivered.options) {
        if (IsLinked(id)) {
            continue;  // its options were copied from its source
        }
        SCOPED_TRACE(id);
        // The option delivered last is index 0.
        std::vector<int> expected;
        for (auto it = options.rbegin(); it != options.rend(); ++it) {
            expected.push_back(it->optionId);
        }
        EXPECT_THAT(Walk(id), ElementsAreArray(expected));
        for (size_t i = 0; i < expected.size(); ++i) {
            const DeliveredOption& option = options[options.size() - 1 - i];
            int optionIndex = 0, opt = 0, bitmapId = 0, iconId = 0, state = 0;
            WCHAR name[kOptionTextLength] = {};
            ASSERT_EQ(settings.GetOptionByIndex(static_cast<int>(i), id, &optionIndex, &opt, name, &bitmapId,
                                                &iconId, &state),
                      0);
            EXPECT_EQ(optionIndex, option.optionIndex);
            EXPECT_EQ(WString(name), option.name);
            // By value and by name the newest option carrying it is found.
            int byValue = 0;
            ASSERT_EQ(settings.FindOptionByValue(id, option.optionIndex, &byValue), 0);
            EXPECT_EQ(Option(id, byValue).optionIndex, option.optionIndex);
            EXPECT_LE(std::find(expected.begin(), expected.end(), byValue) - expected.begin(),
                      static_cast<std::ptrdiff_t>(i));
            if (!option.name.empty() && option.optionId > 0) {
                int byName = 0;
                WString upper = option.name;
                for (auto& c : upper) {
                    if (c >= TEXT('a') && c <= TEXT('z')) {
                        c = static_cast<WCHAR>(c - TEXT('a') + TEXT('A'));
                    }
                }
                ASSERT_EQ(settings.FindOptionByName(id, upper.data(), &byName), 0);
                EXPECT_EQ(CompareStringNoCaseSafe(Option(id, byName).displayName, option.name.c_str()), 0);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST_F(UISettingsCapabilityDbTest, LinkedFeaturesTakeTheirOptionsFromTheirSource)
{
    int linked = 0;
    for (int id : delivered.features) {
        int hasFirst = 0, source = 0, second = 0, hasSecond = 0;
        settings.GetSoftLinks(id, &hasFirst, &source, &second, &hasSecond);
        if (!hasFirst || hasSecond) {
            continue;
        }
        ++linked;
        const FeatureUIRecord* ui = UIRecord(id);
        std::vector<int> expected;  // the source's options that pass the aux filter, newest first
        for (int opt : Walk(source)) {
            if (ui->auxIndex == 1 && (Option(source, opt).auxId1 & ui->auxBitMask) != 0) {
                expected.push_back(opt);
            }
        }
        EXPECT_THAT(Walk(id), ElementsAreArray(expected)) << id;
    }
    EXPECT_GT(linked, 0);
}

TEST_F(UISettingsCapabilityDbTest, TreeViewRowsAreKeptPerOptionNewestFirst)
{
    for (const auto& [id, rows] : delivered.treeRows) {
        SCOPED_TRACE(id);
        ASSERT_EQ(settings.GetTreeViewOptionCount(id), static_cast<int>(rows.size()));
        int optionIndex = 0, opt = 0;
        ASSERT_EQ(settings.GetTreeViewOptionByIndex(0, id, &optionIndex, &opt), 0);
        EXPECT_EQ(opt, rows.back());
        TreeViewOptionRecord row = {};
        ASSERT_EQ(settings.GetTreeViewOption(id, rows.front(), &row), 0);
        EXPECT_EQ(row.featureId, id);
        EXPECT_EQ(row.optionId, rows.front());
    }
}

TEST_F(UISettingsCapabilityDbTest, TheFilledObjectTakesChangesAndResetsToTheDatabaseDefaults)
{
    // Paper size: pick another paper as the user, then reset.
    const int paper = 4114;
    int def = 0;
    ASSERT_EQ(settings.GetDefaultOption(paper, &def), 0);
    const std::vector<int> walk = Walk(paper);
    ASSERT_GE(walk.size(), 2u);
    const int other = walk.front() != def ? walk.front() : walk.back();
    int id = paper, opt = other;
    EXPECT_CALL(owner, NotifyFeatureChanged(::testing::_, ::testing::_)).Times(::testing::AnyNumber());
    EXPECT_CALL(owner, NotifyFeatureChanged(paper, CHANGE_CURRENT_OPTION)).Times(2);
    ASSERT_EQ(settings.ForceCurrentOption(&id, &opt, 0), 0);
    int current = 0, isSet = 0;
    settings.GetCurrentOption(paper, &current, &isSet);
    EXPECT_EQ(current, other);

    CNiraPtrList stored;
    const int count = settings.ListFeatures(&stored);
    int expectedStored = 0;
    for (const auto& [featureId, record] : delivered.records) {
        expectedStored += record.uiDataStore == 1 ? 1 : 0;
    }
    EXPECT_EQ(count, expectedStored);

    EXPECT_EQ(settings.ResetToDefaults(0), 0);
    settings.GetCurrentOption(paper, &current, &isSet);
    EXPECT_EQ(current, def);
}
