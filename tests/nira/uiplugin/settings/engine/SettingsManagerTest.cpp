// The access layer: pull and push providers, dependency refreshes, and the manager's lifecycle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSettingsProvider.h"
#include "nira/uiplugin/settings/engine/SettingsManager.h"
#include "SettingsTestLibrary.h"

namespace {

using Calls = std::vector<std::string>;

class SettingsManagerTest : public SettingsLibraryTest {
protected:
    // A provider owned by the test until an Attach takes it.
    FakeSettingsProvider* NewProvider(const std::string& name)
    {
        return new FakeSettingsProvider(name, journal);
    }

    void Attach(std::vector<FakeSettingsProvider*> pull, std::vector<FakeSettingsProvider*> push = {})
    {
        SettingsProviderList pullList;
        SettingsProviderList pushList;
        for (auto* p : pull) {
            pullList.Append(p);
        }
        for (auto* p : push) {
            pushList.Append(p);
        }
        ASSERT_EQ(manager.Attach(&owner, &pullList, &pushList), TRUE);
        journal.calls.clear();
    }

    ProviderJournal journal;
    CNiraSettingsManager manager;
    RecordingOwner owner{manager};
};

TEST_F(SettingsManagerTest, PresentEntryIsReadWithoutAskingProviders)
{
    FakeSettingsProvider* pull = NewProvider("pull");
    pull->Supply(SETTING_ARRAY_INT, 5, 77);
    Attach({pull});
    ASSERT_EQ(manager.SetInt(5, 3, 0), TRUE);
    LONG value = 0;
    ASSERT_EQ(manager.GetInt(5, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 3);
    EXPECT_TRUE(journal.calls.empty());

    ASSERT_EQ(manager.GetInt(5, &value, 1, 0), TRUE);  // refresh asks the provider
    EXPECT_EQ(value, 77);
    EXPECT_EQ(journal.calls, (Calls{"pull Sync 3/5"}));
    journal.calls.clear();
    ASSERT_EQ(manager.GetInt(5, &value, 2, 0), TRUE);  // only the byte 1 counts as true
    EXPECT_TRUE(journal.calls.empty());
}

TEST_F(SettingsManagerTest, AbsentEntryAsksEveryHandlingPullProviderInOrder)
{
    FakeSettingsProvider* first = NewProvider("first");
    FakeSettingsProvider* second = NewProvider("second");
    FakeSettingsProvider* bystander = NewProvider("bystander");
    first->Supply(SETTING_ARRAY_INT, 9, 1);
    second->Supply(SETTING_ARRAY_INT, 9, 2);
    bystander->Handle(SETTING_ARRAY_INT, 9, 2);  // answers 2, not 1: does not handle
    Attach({first, bystander, second});
    LONG value = 0;
    ASSERT_EQ(manager.GetInt(9, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(journal.calls, (Calls{"first Sync 3/9", "second Sync 3/9"}));

    // No provider supplies entry 10: the read fails.
    EXPECT_EQ(manager.GetInt(10, &value, 0, 0), FALSE);
}

TEST_F(SettingsManagerTest, FailingSyncFailsTheGet)
{
    FakeSettingsProvider* pull = NewProvider("pull");
    pull->Handle(SETTING_ARRAY_FLAG, 1);
    pull->onSync = [](LONG, LONG) { return false; };
    Attach({pull});
    ASSERT_EQ(manager.SetFlag(1, 1, 0), TRUE);
    BYTE value = 0;
    EXPECT_EQ(manager.GetFlag(1, &value, 1, 0), FALSE);
    EXPECT_EQ(manager.GetFlag(1, &value, 0, 0), TRUE);
}

TEST_F(SettingsManagerTest, SetNotifiesOnlyHandlingPushProviders)
{
    FakeSettingsProvider* pull = NewProvider("pull");
    FakeSettingsProvider* push = NewProvider("push");
    FakeSettingsProvider* other = NewProvider("other");
    pull->Handle(SETTING_ARRAY_INT, 4);
    push->Handle(SETTING_ARRAY_INT, 4);
    other->Handle(SETTING_ARRAY_INT, 4, 0);
    Attach({pull}, {push, other});
    ASSERT_EQ(manager.SetInt(4, 8, 0), TRUE);
    EXPECT_TRUE(journal.calls.empty());
    ASSERT_EQ(manager.SetInt(4, 9, 1), TRUE);
    EXPECT_EQ(journal.calls, (Calls{"push Sync 3/4"}));

    // A failing push provider fails the Set, but the value stays stored.
    push->onSync = [](LONG, LONG) { return false; };
    EXPECT_EQ(manager.SetInt(4, 10, 1), FALSE);
    LONG value = 0;
    ASSERT_EQ(manager.GetInt(4, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 10);
}

TEST_F(SettingsManagerTest, ArgumentsAndStateAreChecked)
{
    LONG value = 0;
    EXPECT_EQ(manager.GetInt(0, &value, 0, 0), FALSE);  // no store before Attach
    EXPECT_EQ(manager.UpdateFromPullProviders(), TRUE);
    EXPECT_EQ(manager.GetStore(), nullptr);
    Attach({});
    EXPECT_NE(manager.GetStore(), nullptr);
    EXPECT_EQ(manager.SetInt(2052, 1, 0), FALSE);
    EXPECT_EQ(manager.SetInt(-1, 1, 0), FALSE);
    EXPECT_EQ(manager.SetByte(0, 1, 0), FALSE);
    EXPECT_EQ(manager.SetIntRef(0, nullptr, 0), FALSE);
    EXPECT_EQ(manager.GetInt(0, nullptr, 0, 0), FALSE);
    EXPECT_EQ(manager.IsIntPresent(2052), FALSE);
    EXPECT_EQ(manager.Attach(nullptr, nullptr, nullptr), FALSE);
    EXPECT_EQ(manager.GetStore(), nullptr);
}

TEST_F(SettingsManagerTest, AttachTakesProvidersAndReleasesThemOnTheNextAttach)
{
    FakeSettingsProvider* a = NewProvider("a");
    FakeSettingsProvider* b = NewProvider("b");
    SettingsProviderList pull;
    pull.Append(a);
    SettingsProviderList push;
    push.Append(b);
    ASSERT_EQ(manager.Attach(&owner, &pull, &push), TRUE);
    EXPECT_EQ(a->owner, &owner);
    EXPECT_EQ(b->owner, &owner);
    EXPECT_EQ(journal.calls, (Calls{"a Attach", "b Attach"}));

    ASSERT_EQ(manager.Attach(&owner, nullptr, nullptr), TRUE);
    EXPECT_EQ(journal.released, 2);
    EXPECT_EQ(manager.IsHandled(SETTING_ARRAY_INT, 0), FALSE);
}

TEST_F(SettingsManagerTest, ProviderThatRefusesAttachIsLeftToTheCaller)
{
    FakeSettingsProvider* taken = NewProvider("taken");
    FakeSettingsProvider* refusing = NewProvider("refusing");
    FakeSettingsProvider* after = NewProvider("after");
    refusing->attachAnswer = false;
    SettingsProviderList pull;
    pull.Append(taken);
    pull.Append(refusing);
    pull.Append(after);
    EXPECT_EQ(manager.Attach(&owner, &pull, nullptr), FALSE);
    manager.Clear();
    EXPECT_EQ(journal.released, 1);  // only the provider it took
    delete refusing;
    delete after;

    SettingsProviderList withNull;
    withNull.Append(nullptr);
    EXPECT_EQ(manager.Attach(&owner, &withNull, nullptr), FALSE);
}

TEST_F(SettingsManagerTest, UpdatesStopAtTheFirstFailingProvider)
{
    FakeSettingsProvider* a = NewProvider("a");
    FakeSettingsProvider* b = NewProvider("b");
    FakeSettingsProvider* c = NewProvider("c");
    b->updateAnswer = false;
    Attach({a, b, c}, {});
    EXPECT_EQ(manager.UpdateFromPullProviders(), FALSE);
    EXPECT_EQ(journal.calls, (Calls{"a UpdateAll", "b UpdateAll"}));
    EXPECT_EQ(manager.UpdateFromPushProviders(), TRUE);
}

TEST_F(SettingsManagerTest, IsHandledAsksPullProvidersOnly)
{
    FakeSettingsProvider* pull = NewProvider("pull");
    FakeSettingsProvider* push = NewProvider("push");
    pull->Handle(SETTING_ARRAY_STRING, 3);
    push->Handle(SETTING_ARRAY_STRING, 4);
    Attach({pull}, {push});
    EXPECT_EQ(manager.IsHandled(SETTING_ARRAY_STRING, 3), TRUE);
    EXPECT_EQ(manager.IsHandled(SETTING_ARRAY_STRING, 4), FALSE);
    EXPECT_EQ(manager.IsHandled(12, 3), FALSE);

    CNiraSettingsManager bare;
    ASSERT_EQ(bare.Attach(&bare, nullptr, nullptr), TRUE);
    EXPECT_EQ(bare.IsHandled(12, 0), FALSE);
}

// Every entry of the dependency rows that the refresh of flag 201 reaches, supplied by one provider.
FakeSettingsProvider* SupplyDependenciesOf201(FakeSettingsProvider* pull)
{
    for (LONG flag : {180, 181, 0, 1, 100, 105, 202, 265, 253, 272, 201}) {
        pull->Supply(SETTING_ARRAY_FLAG, flag, 1);
    }
    pull->Supply(SETTING_ARRAY_INT_REF, 81, 1);
    pull->Supply(SETTING_ARRAY_INT_REF, 82, 1);
    pull->Supply(SETTING_ARRAY_INT_REF, 0, 1);
    pull->Supply(SETTING_ARRAY_INT, 2048, 1);
    return pull;
}

TEST_F(SettingsManagerTest, DependentReadWalksItsDependenciesDepthFirst)
{
    Attach({SupplyDependenciesOf201(NewProvider("pull"))});
    ASSERT_EQ(manager.BuildDependencyTable(), TRUE);
    BYTE value = 0;
    ASSERT_EQ(owner.GetFlag(201, &value, 1, 1), TRUE);
    EXPECT_EQ(owner.gets, (Calls{"0/201", "0/181", "0/180", "6/81", "6/82", "0/0", "0/1", "0/100", "0/105",
                                 "0/202", "0/265", "6/0", "3/2048", "0/253", "0/272"}));
    // Each entry's providers run after its own dependencies, the asked entry last.
    EXPECT_EQ(journal.calls, (Calls{"pull Sync 0/180", "pull Sync 6/81", "pull Sync 6/82", "pull Sync 0/181",
                                    "pull Sync 0/0", "pull Sync 0/1", "pull Sync 0/100", "pull Sync 0/105",
                                    "pull Sync 0/265", "pull Sync 6/0", "pull Sync 3/2048", "pull Sync 0/253",
                                    "pull Sync 0/202", "pull Sync 0/272", "pull Sync 0/201"}));
}

TEST_F(SettingsManagerTest, FailedRefreshCanBeRepeated)
{
    FakeSettingsProvider* pull = SupplyDependenciesOf201(NewProvider("pull"));
    bool supply272 = false;
    pull->onSync = [&](LONG kind, LONG index) {
        if (kind == SETTING_ARRAY_FLAG && index == 272 && !supply272) {
            return true;  // answers, but sets nothing
        }
        LONG v = 1;
        return (kind == SETTING_ARRAY_INT_REF ? owner.SetIntRef(index, &v, 0)
                : kind == SETTING_ARRAY_INT   ? owner.SetInt(index, 1, 0)
                                              : owner.SetFlag(index, 1, 0)) == TRUE;
    };
    Attach({pull});
    ASSERT_EQ(manager.BuildDependencyTable(), TRUE);
    BYTE value = 0;
    EXPECT_EQ(manager.GetFlag(201, &value, 1, 1), FALSE);
    supply272 = true;
    EXPECT_EQ(manager.GetFlag(201, &value, 1, 1), TRUE);
}

TEST_F(SettingsManagerTest, EntryReachedAgainDuringItsRefreshIsRefused)
{
    FakeSettingsProvider* pull = SupplyDependenciesOf201(NewProvider("pull"));
    bool reentered = false;
    BOOLEAN inner = TRUE;
    pull->onSync = [&](LONG kind, LONG index) {
        if (kind == SETTING_ARRAY_FLAG && index == 180 && !reentered) {
            reentered = true;
            BYTE v = 0;
            inner = owner.GetFlag(201, &v, 1, 1);  // flag 201 is still refreshing
        }
        return owner.SetFlag(index, 1, 0) == TRUE || kind != SETTING_ARRAY_FLAG;
    };
    Attach({pull});
    ASSERT_EQ(manager.BuildDependencyTable(), TRUE);
    BYTE value = 0;
    manager.GetFlag(201, &value, 1, 1);
    EXPECT_TRUE(reentered);
    EXPECT_EQ(inner, FALSE);
}

TEST_F(SettingsManagerTest, DispatchWithoutDependencyTablesFails)
{
    FakeSettingsProvider* pull = NewProvider("pull");
    pull->Supply(SETTING_ARRAY_FLAG, 3, 1);
    Attach({pull});
    BYTE value = 0;
    EXPECT_EQ(manager.GetFlag(3, &value, 1, 1), FALSE);
    EXPECT_EQ(manager.GetFlag(3, &value, 1, 0), TRUE);
    const SettingRef bad = {9, 0};
    EXPECT_EQ(manager.RefreshDependencies(&bad), FALSE);
}

TEST_F(SettingsManagerTest, StringsAndBlobsPassThroughAsCopies)
{
    Attach({});
    const BYTE bytes[] = {4, 5};
    ASSERT_EQ(manager.SetBlob(3, bytes, 2, 1), TRUE);
    BYTE* copy = nullptr;
    DWORD length = 0;
    ASSERT_EQ(manager.GetBlob(3, &copy, &length, 0, 0), TRUE);
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(copy[1], 5);
    manager.ReleaseBlob(copy);
    EXPECT_EQ(manager.IsBlobPresent(3), TRUE);
    EXPECT_EQ(manager.IsBlobPresent(4), FALSE);
}

}  // namespace
