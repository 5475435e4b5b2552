// The field adapter: which field of the job counts and page placement records becomes which
// setting, when a record speaks for its entries, and copying the entries from another object.
#include "AdapterFixture.h"

#include <algorithm>

namespace {

using namespace adapterfixture;

constexpr LONG F = SETTING_ARRAY_FLAG;
constexpr LONG I = SETTING_ARRAY_INT;
constexpr LONG N = SETTING_ARRAY_INT_REF;
constexpr LONG B = SETTING_ARRAY_BLOB;

// A 32-bit field of a record, the raw value put there and the setting it must give.
struct FieldCase {
    LONG kind;
    LONG index;
    size_t offset;
    LONG raw;
    LONG expected;
};

const FieldCase kJobCountsCases[] = {
    {F, 158, 0, 1, 1},   {F, 207, 8, 1, 1},   {F, 212, 40, 1, 1},  {F, 213, 44, 1, 1},
    {I, 2033, 20, 3, 3}, {I, 2037, 36, 9, 9}, {I, 2045, 56, 5, 5}, {I, 1960, 60, -77, -77},
};

const FieldCase kPlacementCases[] = {
    {F, 183, 36, 1, 1},       {F, 214, 40, 1, 1},        {I, 2040, 0, 4800, 4800}, {I, 2041, 4, 6600, 6600},
    {I, 2042, 8, 5100, 5100}, {I, 2043, 12, 6600, 6600}, {I, 2044, 20, 12, 12},
};

constexpr size_t kOrientationOffset = 32;
constexpr size_t kCellsOffset = 52;
constexpr size_t kCellsSize = 384;

LONG ReadEntry(INiraSettingsAccess& owner, LONG kind, LONG index)
{
    return kind == F ? GetFlag(owner, index) : GetInt(owner, index);
}

void ExpectAbsent(INiraSettingsAccess& owner, const FieldCase* begin, const FieldCase* end)
{
    for (const FieldCase* c = begin; c != end; ++c) {
        EXPECT_FALSE(IsPresent(owner, c->kind, c->index)) << c->kind << "/" << c->index;
    }
}

class FieldAdapter : public AdapterTest {
protected:
    JobCountsRecord FilledJobCounts()
    {
        JobCountsRecord record{};
        for (const FieldCase& c : kJobCountsCases) {
            Put32(&record, c.offset, c.raw);
        }
        Put16(&record, kOrientationOffset, 2);
        return record;
    }
    PagePlacementRecord FilledPlacement()
    {
        PagePlacementRecord record{};
        for (const FieldCase& c : kPlacementCases) {
            Put32(&record, c.offset, c.raw);
        }
        const Bytes cells = Pattern(kCellsSize);
        std::copy(cells.begin(), cells.end(), reinterpret_cast<BYTE*>(&record) + kCellsOffset);
        return record;
    }
};

TEST_F(FieldAdapter, HandlesExactlyItsSeventeenEntries)
{
    INiraFieldAdapter* unattached = NewFieldAdapter(nullptr);
    EXPECT_TRUE(HandledEntries(*unattached).empty());
    EXPECT_EQ(unattached->GetHandledMask(), nullptr);

    INiraFieldAdapter* adapter = NewFieldAdapter();
    std::vector<SettingRef> handled = HandledEntries(*adapter);
    ASSERT_EQ(handled.size(), 17u);
    for (const FieldCase& c : kJobCountsCases) {
        EXPECT_TRUE(ProviderHandles(*adapter, c.kind, c.index)) << c.index;
    }
    for (const FieldCase& c : kPlacementCases) {
        EXPECT_TRUE(ProviderHandles(*adapter, c.kind, c.index)) << c.index;
    }
    EXPECT_TRUE(ProviderHandles(*adapter, N, 85));
    EXPECT_TRUE(ProviderHandles(*adapter, B, 23));
    EXPECT_NE(adapter->GetHandledMask(), nullptr);
}

TEST_F(FieldAdapter, RefusesCallsBeforeAttachAndUnhandledEntries)
{
    JobCountsRecord counts = FilledJobCounts();
    INiraFieldAdapter* unattached = NewFieldAdapter(nullptr);
    EXPECT_EQ(unattached->SetTarget(&counts, nullptr), FALSE);
    EXPECT_EQ(unattached->UpdateAll(), FALSE);
    EXPECT_EQ(unattached->SyncFlag(158), FALSE);
    EXPECT_EQ(unattached->CopyHandledValues(&Owner()), FALSE);
    EXPECT_EQ(unattached->Attach(nullptr), FALSE);

    INiraFieldAdapter* adapter = NewFieldAdapter();
    ASSERT_EQ(adapter->SetTarget(&counts, nullptr), TRUE);
    EXPECT_EQ(adapter->SyncFlag(184), FALSE);
    EXPECT_EQ(adapter->SyncFloat(0), FALSE);
    EXPECT_EQ(adapter->SyncByte(0), FALSE);
    EXPECT_EQ(adapter->SyncFlag(-1), FALSE);
    EXPECT_EQ(adapter->SyncInt(2052), FALSE);
    EXPECT_EQ(adapter->CopyHandledValues(nullptr), FALSE);
    EXPECT_FALSE(IsPresent(Owner(), F, 184));
}

TEST_F(FieldAdapter, WithoutRecordsUpdateAllSetsNothing)
{
    INiraFieldAdapter* adapter = NewFieldAdapter();
    EXPECT_EQ(adapter->UpdateAll(), TRUE);
    ASSERT_EQ(adapter->SetTarget(nullptr, nullptr), TRUE);
    EXPECT_EQ(adapter->UpdateAll(), TRUE);
    EXPECT_EQ(adapter->SyncIntRef(85), TRUE);
    for (const SettingRef& entry : HandledEntries(*adapter)) {
        EXPECT_FALSE(IsPresent(Owner(), entry.kind, entry.index)) << entry.kind << "/" << entry.index;
    }
}

TEST_F(FieldAdapter, JobCountsAloneGiveTheirEntries)
{
    JobCountsRecord counts = FilledJobCounts();
    INiraFieldAdapter* adapter = NewFieldAdapter();
    ASSERT_EQ(adapter->SetTarget(&counts, nullptr), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);
    for (const FieldCase& c : kJobCountsCases) {
        EXPECT_EQ(ReadEntry(Owner(), c.kind, c.index), c.expected) << c.kind << "/" << c.index;
    }
    EXPECT_EQ(GetIntRef(Owner(), 85), 2);
    ExpectAbsent(Owner(), std::begin(kPlacementCases), std::end(kPlacementCases));
    EXPECT_FALSE(IsPresent(Owner(), B, 23));
}

TEST_F(FieldAdapter, PlacementAloneGivesItsEntriesAndTheCells)
{
    PagePlacementRecord placement = FilledPlacement();
    INiraFieldAdapter* adapter = NewFieldAdapter();
    ASSERT_EQ(adapter->SetTarget(nullptr, &placement), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);
    for (const FieldCase& c : kPlacementCases) {
        EXPECT_EQ(ReadEntry(Owner(), c.kind, c.index), c.expected) << c.kind << "/" << c.index;
    }
    EXPECT_EQ(GetBlob(Owner(), 23), Pattern(kCellsSize));
    ExpectAbsent(Owner(), std::begin(kJobCountsCases), std::end(kJobCountsCases));
    EXPECT_FALSE(IsPresent(Owner(), N, 85));
}

TEST_F(FieldAdapter, WithBothRecordsOnlyOrientationAndCellsAreSet)
{
    JobCountsRecord counts = FilledJobCounts();
    PagePlacementRecord placement = FilledPlacement();
    INiraFieldAdapter* adapter = NewFieldAdapter();
    ASSERT_EQ(adapter->SetTarget(&counts, &placement), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);
    ExpectAbsent(Owner(), std::begin(kJobCountsCases), std::end(kJobCountsCases));
    ExpectAbsent(Owner(), std::begin(kPlacementCases), std::end(kPlacementCases));
    EXPECT_EQ(GetIntRef(Owner(), 85), 2);
    EXPECT_EQ(GetBlob(Owner(), 23), Pattern(kCellsSize));
}

TEST_F(FieldAdapter, FlagFieldsCountOnlyOneAndOrientationKeepsOneAndTwo)
{
    struct Case {
        LONG raw;
        LONG flag;
        LONG orientation;  // for the same raw value in the 16-bit field
    };
    const Case cases[] = {{1, 1, 1}, {2, 0, 2}, {0, 0, 0}, {3, 0, 0}, {-1, 0, 0}, {0x101, 0, 0}};
    INiraFieldAdapter* adapter = NewFieldAdapter();
    for (const Case& c : cases) {
        JobCountsRecord counts{};
        Put32(&counts, 8, c.raw);
        Put16(&counts, kOrientationOffset, static_cast<SHORT>(c.raw));
        ASSERT_EQ(adapter->SetTarget(&counts, nullptr), TRUE);
        EXPECT_EQ(adapter->SyncFlag(207), TRUE);
        EXPECT_EQ(adapter->SyncIntRef(85), TRUE);
        EXPECT_EQ(GetFlag(Owner(), 207), c.flag) << c.raw;
        EXPECT_EQ(GetIntRef(Owner(), 85), c.orientation) << c.raw;
    }
}

TEST_F(FieldAdapter, CopiesTheHandledEntriesThatTheSourceHolds)
{
    INiraFieldAdapter* adapter = NewFieldAdapter();
    INiraSettingsAccess* empty = NewOwner();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(adapter->CopyHandledValues(empty), TRUE);
    for (const SettingRef& entry : HandledEntries(*adapter)) {
        EXPECT_FALSE(IsPresent(Owner(), entry.kind, entry.index));
    }

    INiraSettingsAccess* source = NewOwner();
    ASSERT_NE(source, nullptr);
    SetFlag(*source, 213, 1);
    SetInt(*source, 2045, 12);
    SetInt(*source, 2046, 5);  // not handled: stays behind
    SetIntRef(*source, 85, 2);
    SetBlob(*source, 23, Pattern(10));
    SetBlob(*source, 0, Pattern(4));
    EXPECT_EQ(adapter->CopyHandledValues(source), TRUE);
    EXPECT_EQ(GetFlag(Owner(), 213), 1);
    EXPECT_EQ(GetInt(Owner(), 2045), 12);
    EXPECT_EQ(GetIntRef(Owner(), 85), 2);
    EXPECT_EQ(GetBlob(Owner(), 23), Pattern(10));
    EXPECT_FALSE(IsPresent(Owner(), I, 2046));
    EXPECT_FALSE(IsPresent(Owner(), B, 0));
    EXPECT_FALSE(IsPresent(Owner(), F, 158));
}

TEST_F(FieldAdapter, AnEmptySourceBlobIsNotCopied)
{
    INiraFieldAdapter* adapter = NewFieldAdapter();
    INiraSettingsAccess* source = NewOwner();
    ASSERT_NE(source, nullptr);
    SetBlob(*source, 23, Bytes());
    EXPECT_EQ(adapter->CopyHandledValues(source), TRUE);
    EXPECT_FALSE(IsPresent(Owner(), B, 23));
}

}  // namespace
