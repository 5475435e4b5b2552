// The settings backup: which features a capture takes, what a restore puts back and that it does
// so once.
#include <windows.h>

#include "common/NiraStatus.h"
#include "CoreStubs.h"
#include "nira/uiplugin/foundation/store/SettingsBackup.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Snapshot {
    int option;
    int optionState;
    int enableWord;
    int chosen;
};

class FakeSettings : public StubUISettings {
public:
    std::map<int, Snapshot> features;
    std::vector<int> asked;
    std::vector<std::string> calls;

    int GetFeatureSnapshot(int id, int* current, int* state, int* displayState, int* userSelected) override
    {
        asked.push_back(id);
        auto found = features.find(id);
        if (found == features.end()) {
            return NIRA_STATUS_FAILED;
        }
        *current = found->second.option;
        *state = found->second.optionState;
        *displayState = found->second.enableWord;
        *userSelected = found->second.chosen;
        return 0;
    }
    int SetCurrentOption(int* id, int* opt, int reason, int byUser, int clearUser, int notifyAlways,
                         int fromOwner) override
    {
        calls.push_back("option " + std::to_string(*id) + " " + std::to_string(*opt) + " " +
                        std::to_string(reason) + " " + std::to_string(byUser) + std::to_string(clearUser) +
                        std::to_string(notifyAlways) + std::to_string(fromOwner));
        return 0;
    }
    int SetDisplayState(int id, int state) override
    {
        calls.push_back("display " + std::to_string(id) + " " + std::to_string(state));
        return 0;
    }
};

class SettingsBackup : public ::testing::Test {
protected:
    FakeSettings settings;
    CNiraSettingsBackup backup;

    void SetUp() override
    {
        settings.features = {
            {4113, {2, 1, 1, 1}}, {4200, {5, 4, 0, 2}}, {4311, {1, 1, 3, 0}}, {4312, {9, 9, 9, 1}}};
    }
};

TEST_F(SettingsBackup, CaptureVisitsTheSettingsFeaturesAndKeepsThoseHeld)
{
    EXPECT_EQ(backup.GetTag(), -1);
    ASSERT_EQ(backup.Capture(&settings, 12), 0);
    ASSERT_EQ(settings.asked.size(), 199u);
    EXPECT_EQ(settings.asked.front(), 4113);
    EXPECT_EQ(settings.asked.back(), 4311);
    EXPECT_EQ(backup.GetTag(), 12);
    EXPECT_EQ(backup.IsApplied(), 0);
    std::vector<std::vector<int>> records;
    for (CNiraPtrList::Node* node = backup.GetRecords().GetHead(); node; node = node->next) {
        const auto* record = static_cast<FeatureBackupRecord*>(node->value);
        records.push_back(
            {record->featureId, record->option, record->optionState, record->enableWord, record->flags});
    }
    // The chosen flag counts only when it is exactly 1.
    EXPECT_EQ(records,
              (std::vector<std::vector<int>>{{4113, 2, 1, 1, 1}, {4200, 5, 4, 0, 0}, {4311, 1, 1, 3, 0}}));
}

TEST_F(SettingsBackup, RestorePutsBackOnceInCaptureOrder)
{
    ASSERT_EQ(backup.Capture(&settings, -1), 0);
    EXPECT_EQ(backup.Restore(&settings), 0);
    EXPECT_EQ(settings.calls,
              (std::vector<std::string>{"option 4113 2 1 1011", "display 4113 1", "option 4200 5 4 0011",
                                        "display 4200 0", "option 4311 1 1 0011", "display 4311 3"}));
    EXPECT_EQ(backup.IsApplied(), 1);
    EXPECT_EQ(backup.GetRecords().GetCount(), 0);
    settings.calls.clear();
    EXPECT_EQ(backup.Restore(&settings), 0);
    EXPECT_TRUE(settings.calls.empty());
    // A new capture can be restored again.
    ASSERT_EQ(backup.Capture(&settings, -1), 0);
    EXPECT_EQ(backup.IsApplied(), 0);
    backup.Restore(&settings);
    EXPECT_EQ(settings.calls.size(), 6u);
}

TEST_F(SettingsBackup, DiscardDropsTheCaptureAndNullSettingsChangeNothing)
{
    EXPECT_EQ(backup.Capture(nullptr, 3), NIRA_STATUS_FAILED);
    EXPECT_EQ(backup.GetTag(), -1);
    ASSERT_EQ(backup.Capture(&settings, -1), 0);
    EXPECT_EQ(backup.Restore(nullptr), 0);
    EXPECT_EQ(backup.GetRecords().GetCount(), 3);
    EXPECT_EQ(backup.Discard(), 0);
    EXPECT_EQ(backup.GetRecords().GetCount(), 0);
    EXPECT_EQ(backup.Restore(&settings), 0);
    EXPECT_TRUE(settings.calls.empty());
}

}  // namespace
