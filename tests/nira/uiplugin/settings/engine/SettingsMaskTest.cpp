// The settings mask: bit order, bounds, copies, combinations and loaded descriptions.
#include <gtest/gtest.h>

#include <vector>

#include "nira/uiplugin/settings/engine/SettingsMask.h"

namespace {

constexpr DWORD kBytes[kSettingArrayKindCount] = {43, 0, 0, 257, 3, 0, 17, 11, 7};

// A description of n standard-sized kinds whose arrays the test owns.
struct OwnedInfo {
    SettingsMaskInfo info{};
    std::vector<std::vector<BYTE>> arrays;

    OwnedInfo()
    {
        arrays.resize(kSettingArrayKindCount);
        for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
            arrays[kind].assign(kBytes[kind], 0);
            info.kinds[kind] = {kSettingArrayCounts[kind], kBytes[kind],
                                kBytes[kind] ? arrays[kind].data() : nullptr};
        }
    }
};

TEST(SettingsMask, AllocateDescribesTheStandardKindsEmpty)
{
    CNiraSettingsMask mask;
    ASSERT_EQ(mask.Allocate(), TRUE);
    const SettingsMaskInfo* info = mask.GetInfo();
    for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
        EXPECT_EQ(info->kinds[kind].count, kSettingArrayCounts[kind]) << kind;
        EXPECT_EQ(info->kinds[kind].size, kBytes[kind]) << kind;
        EXPECT_EQ(info->kinds[kind].bits == nullptr, kBytes[kind] == 0) << kind;
        for (DWORD i = 0; i < kBytes[kind]; ++i) {
            EXPECT_EQ(info->kinds[kind].bits[i], 0) << kind;
        }
    }
    EXPECT_EQ(mask.TestFlag(0), FALSE);
    EXPECT_EQ(mask.TestBlob(50), FALSE);
}

TEST(SettingsMask, MarkSetsBitsLeastSignificantFirstWithinBounds)
{
    CNiraSettingsMask mask;
    ASSERT_EQ(mask.Allocate(), TRUE);
    mask.MarkInt(2051);
    EXPECT_EQ(mask.TestInt(2051), TRUE);
    EXPECT_EQ(mask.GetInfo()->kinds[SETTING_ARRAY_INT].bits[256], 0x08);
    mask.MarkFlag(8);
    EXPECT_EQ(mask.GetInfo()->kinds[SETTING_ARRAY_FLAG].bits[1], 0x01);
    EXPECT_EQ(mask.GetInfo()->kinds[SETTING_ARRAY_FLAG].bits[0], 0x00);

    mask.MarkInt(2052);
    mask.MarkInt(-1);
    mask.MarkByte(0);
    EXPECT_EQ(mask.TestInt(2052), FALSE);
    EXPECT_EQ(mask.TestInt(-1), FALSE);
    EXPECT_EQ(mask.TestByte(0), FALSE);
    EXPECT_EQ(mask.TestWord(0), FALSE);
    EXPECT_EQ(mask.TestDouble(0), FALSE);
}

TEST(SettingsMask, UnallocatedMaskRefusesEverythingButCombines)
{
    CNiraSettingsMask mask;
    mask.MarkFlag(1);
    EXPECT_EQ(mask.TestFlag(1), FALSE);
    OwnedInfo a;
    EXPECT_EQ(mask.CombineAnd(&a.info, &a.info), TRUE);
    EXPECT_EQ(mask.CombineOr(&a.info, nullptr), FALSE);
    EXPECT_EQ(mask.GetInfo()->kinds[0].bits, nullptr);
}

TEST(SettingsMask, CopyIsIndependentOfItsSource)
{
    CNiraSettingsMask source;
    ASSERT_EQ(source.Allocate(), TRUE);
    source.MarkString(81);
    source.MarkFlag(3);
    CNiraSettingsMask copy;
    ASSERT_EQ(copy.CopyFrom(&source), TRUE);
    EXPECT_EQ(copy.TestString(81), TRUE);
    EXPECT_EQ(copy.TestFlag(3), TRUE);
    copy.MarkFlag(4);
    EXPECT_EQ(source.TestFlag(4), FALSE);
    EXPECT_EQ(copy.CopyFrom(nullptr), FALSE);
    EXPECT_EQ(copy.TestFlag(3), FALSE);  // the failed copy still cleared the mask
}

TEST(SettingsMask, CombineReplacesTheOwnBits)
{
    OwnedInfo x, y;
    SetBit(x.arrays[0].data(), 1);
    SetBit(x.arrays[0].data(), 2);
    SetBit(y.arrays[0].data(), 2);
    SetBit(y.arrays[0].data(), 3);
    CNiraSettingsMask mask;
    ASSERT_EQ(mask.Allocate(), TRUE);
    mask.MarkFlag(7);
    mask.MarkInt(5);

    ASSERT_EQ(mask.CombineAnd(&x.info, &y.info), TRUE);
    for (LONG i = 0; i < 8; ++i) {
        EXPECT_EQ(mask.TestFlag(i), i == 2 ? TRUE : FALSE) << i;
    }
    EXPECT_EQ(mask.TestInt(5), FALSE);

    ASSERT_EQ(mask.CombineOr(&x.info, &y.info), TRUE);
    for (LONG i = 0; i < 8; ++i) {
        EXPECT_EQ(mask.TestFlag(i), (i >= 1 && i <= 3) ? TRUE : FALSE) << i;
    }
    // In place with its own description.
    ASSERT_EQ(mask.CombineAnd(mask.GetInfo(), &y.info), TRUE);
    EXPECT_EQ(mask.TestFlag(1), FALSE);
    EXPECT_EQ(mask.TestFlag(2), TRUE);
    EXPECT_EQ(mask.TestFlag(3), TRUE);
}

TEST(SettingsMask, CombineRefusesDescriptionsOfAnotherSize)
{
    OwnedInfo x, y;
    y.arrays[SETTING_ARRAY_INT].assign(256, 0);
    y.info.kinds[SETTING_ARRAY_INT] = {2048, 256, y.arrays[SETTING_ARRAY_INT].data()};
    CNiraSettingsMask mask;
    ASSERT_EQ(mask.Allocate(), TRUE);
    EXPECT_EQ(mask.CombineAnd(&x.info, &y.info), FALSE);
    EXPECT_EQ(mask.CombineOr(&y.info, &y.info), FALSE);
}

TEST(SettingsMask, LoadInfoChecksSizesAndCounts)
{
    OwnedInfo good;
    SetBit(good.arrays[SETTING_ARRAY_BLOB].data(), 50);
    CNiraSettingsMask mask;
    ASSERT_EQ(mask.LoadInfo(&good.info), TRUE);
    EXPECT_EQ(mask.TestBlob(50), TRUE);

    OwnedInfo shortStrings;
    shortStrings.info.kinds[SETTING_ARRAY_STRING].size = 10;
    EXPECT_EQ(mask.LoadInfo(&shortStrings.info), FALSE);
    EXPECT_EQ(mask.TestBlob(50), FALSE);

    OwnedInfo tooMany;
    tooMany.info.kinds[SETTING_ARRAY_BYTE] = {kSettingArrayMaxEntries + 1, 0, nullptr};
    EXPECT_EQ(mask.LoadInfo(&tooMany.info), FALSE);
    EXPECT_EQ(mask.LoadInfo(nullptr), FALSE);
}

// A mask loaded with other counts is addressed by those counts, never beyond its arrays.
TEST(SettingsMask, LoadedCountsBoundTestAndMark)
{
    OwnedInfo small;
    std::vector<BYTE> ints(2, 0);
    small.info.kinds[SETTING_ARRAY_INT] = {10, 2, ints.data()};
    std::vector<BYTE> bytes(1, 0);
    small.info.kinds[SETTING_ARRAY_BYTE] = {3, 1, bytes.data()};
    CNiraSettingsMask mask;
    ASSERT_EQ(mask.LoadInfo(&small.info), TRUE);
    mask.MarkInt(9);
    mask.MarkInt(10);
    mask.MarkInt(2051);
    EXPECT_EQ(mask.TestInt(9), TRUE);
    EXPECT_EQ(mask.TestInt(10), FALSE);
    EXPECT_EQ(mask.TestInt(2051), FALSE);
    mask.MarkByte(2);
    EXPECT_EQ(mask.TestByte(2), TRUE);
    EXPECT_EQ(mask.GetInfo()->kinds[SETTING_ARRAY_INT].count, 10u);
}

}  // namespace
