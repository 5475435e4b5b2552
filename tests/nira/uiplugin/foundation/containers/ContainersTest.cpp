#include "nira/uiplugin/foundation/containers/NiraChunkArray.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void* AsValue(INT_PTR n)
{
    return reinterpret_cast<void*>(n);
}

std::vector<LONG> WalkOrder(const CNiraIdMap& map)
{
    std::vector<LONG> keys;
    for (int i = 0; i < map.GetCount(); ++i) {
        keys.push_back(map.GetEntryAt(i)->key);
    }
    return keys;
}

TEST(NiraPtrList, LinksAtBothEndsAndBeforeANode)
{
    CNiraPtrList list;
    CNiraPtrList::Node* middle = list.AddTail(AsValue(2));
    list.AddTail(AsValue(3));
    list.AddHead(AsValue(0));
    list.InsertBefore(middle, AsValue(1));
    EXPECT_EQ(list.InsertBefore(nullptr, AsValue(9)), nullptr);
    ASSERT_EQ(list.GetCount(), 4);
    INT_PTR expected = 0;
    for (CNiraPtrList::Node* node = list.GetHead(); node; node = node->next) {
        EXPECT_EQ(node->value, AsValue(expected++));
    }
    EXPECT_EQ(list.GetTail()->value, AsValue(3));
    EXPECT_EQ(list.GetTail()->prev->prev, middle->prev);
}

TEST(NiraPtrList, RemovingTheOnlyNodeLeavesItEmpty)
{
    CNiraPtrList list;
    CNiraPtrList::Node* node = list.AddHead(AsValue(7));
    EXPECT_TRUE(list.Remove(node));
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.Remove(nullptr));
}

TEST(NiraPtrList, FindIfGoesOnWhileTheCallbackAnswersNonZero)
{
    CNiraPtrList list;
    EXPECT_EQ(list.FindIf([](CNiraPtrList::Node*, void**, void*) { return 5; }, nullptr), 0);
    for (INT_PTR i = 1; i <= 4; ++i) {
        list.AddTail(AsValue(i));
    }
    int visited = 0;
    auto stopAtThree = [](CNiraPtrList::Node*, void** value, void* seen) {
        *value = nullptr;  // a copy: the node keeps its value
        return ++*static_cast<int*>(seen) == 3 ? 0 : 1;
    };
    EXPECT_EQ(list.FindIf(stopAtThree, &visited), 0);
    EXPECT_EQ(visited, 3);
    EXPECT_EQ(list.GetHead()->value, AsValue(1));
}

TEST(NiraIdMap, WalksNewestFirst)
{
    CNiraIdMap map;
    *map.Lookup(4113) = AsValue(1);
    *map.Lookup(4114) = AsValue(2);
    map.SetAt(4115, AsValue(3));
    EXPECT_EQ(WalkOrder(map), (std::vector<LONG>{4115, 4114, 4113}));
    map.SetAt(4113, AsValue(10));  // overwriting keeps the place
    EXPECT_EQ(WalkOrder(map), (std::vector<LONG>{4115, 4114, 4113}));
    EXPECT_EQ(*map.GetValueAt(2), AsValue(10));
    EXPECT_EQ(*map.Lookup(4113), AsValue(10));
    EXPECT_EQ(map.GetCount(), 3);
}

TEST(NiraIdMap, MoveBeforePlacesAnEntryBeforeAnother)
{
    CNiraIdMap map;
    for (LONG key : {4113, 4114, 4115}) {
        map.Lookup(key);
    }
    map.MoveBefore(4113, 4115, AsValue(5));
    EXPECT_EQ(WalkOrder(map), (std::vector<LONG>{4114, 4115, 4113}));
    EXPECT_EQ(*map.Lookup(4115), AsValue(5));
    map.MoveBefore(9999, 4113, AsValue(6));
    EXPECT_EQ(WalkOrder(map), (std::vector<LONG>{4113, 4114, 4115}));
    map.MoveBefore(4114, 5000, AsValue(7));  // a new key is inserted as well
    EXPECT_EQ(WalkOrder(map), (std::vector<LONG>{4113, 5000, 4114, 4115}));
    EXPECT_EQ(map.GetCount(), 4);
}

TEST(NiraIdMap, RemoveContainsAndWalkEdges)
{
    CNiraIdMap map;
    EXPECT_EQ(map.ForEach([](NiraIdEntry*, void**) { return 1; }), 0);
    map.SetAt(1, AsValue(1));
    map.SetAt(2, AsValue(2));
    map.Remove(3);
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.Contains(1));
    map.Remove(1);
    EXPECT_FALSE(map.Contains(1));
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_EQ(map.GetEntryAt(map.GetCount()), nullptr);
    EXPECT_EQ(map.GetValueAt(-1), nullptr);
    map.RemoveAll();
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.GetEntryAt(0), nullptr);
}

// Positions always follow the walk order, also when the map changes between two reads of them.
TEST(NiraIdMap, PositionsFollowEveryChange)
{
    CNiraIdMap map;
    for (LONG key = 1; key <= 1000; ++key) {
        map.SetAt(key, AsValue(key));
    }
    EXPECT_EQ(map.GetEntryAt(2)->key, 998);
    EXPECT_EQ(map.GetEntryAt(3)->key, 997);
    map.Remove(999);
    EXPECT_EQ(map.GetEntryAt(2)->key, 997);
    map.SetAt(2000, AsValue(1));
    EXPECT_EQ(map.GetEntryAt(2)->key, 998);
    EXPECT_EQ(map.GetEntryAt(0)->key, 2000);
    map.MoveBefore(998, 1, AsValue(1));
    EXPECT_EQ(map.GetEntryAt(2)->key, 1);
    EXPECT_EQ(map.GetEntryAt(999)->key, 2);
    EXPECT_EQ(map.GetValueAt(999), map.Lookup(2));
    for (LONG key = 1; key <= 1000; key += 2) {
        map.Remove(key);
    }
    std::vector<LONG> expected = {2000};
    for (LONG key = 1000; key >= 2; key -= 2) {
        expected.push_back(key);
    }
    EXPECT_EQ(WalkOrder(map), expected);
}

TEST(NiraIdMap, ForEachVisitsEveryEntryAndReturnsTheLastResult)
{
    CNiraIdMap map;
    for (LONG key = 1; key <= 3; ++key) {
        map.SetAt(key, new int(static_cast<int>(key)));
    }
    // Owners free what the values point to this way.
    int last = map.ForEach([](NiraIdEntry* entry, void** value) {
        delete static_cast<int*>(*value);
        *value = nullptr;
        return static_cast<int>(entry->key);
    });
    EXPECT_EQ(last, 1);  // the oldest entry is met last
    EXPECT_EQ(*map.Lookup(2), nullptr);
}

TEST(NiraChunkArray, GrowsInChunksOfAHundred)
{
    CNiraChunkArray<int> array;
    for (int i = 0; i < 250; ++i) {
        ASSERT_TRUE(array.AddInt(i));
    }
    EXPECT_EQ(array.GetCount(), 250);
    EXPECT_EQ(array.FindChunk(0)->first, 0);
    EXPECT_EQ(array.FindChunk(199)->first, 100);
    EXPECT_EQ(array.FindChunk(249)->first, 200);
    EXPECT_EQ(array.FindChunk(249)->count, 50);
    EXPECT_EQ(array.FindChunk(250), nullptr);
    for (int index : {100, 0, 99, 200, 249, 101, 100}) {
        ASSERT_NE(array.GetAt(index), nullptr);
        EXPECT_EQ(*array.GetAt(index), index);
    }
    EXPECT_EQ(array.GetAt(250), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);
}

TEST(NiraChunkArray, HoldsCopiesOfStrings)
{
    CNiraChunkArray<CNiraString> strings;
    CNiraString text(TEXT("Letter"));
    ASSERT_TRUE(strings.AddString(text));
    text = TEXT("A4");
    EXPECT_TRUE(strings.GetAt(0)->Equals(CNiraString(TEXT("Letter"))));
    EXPECT_EQ(strings.GetAt(1), nullptr);

    CNiraChunkArray<void*> pointers;
    pointers.Add(&text);
    EXPECT_EQ(*pointers.GetAt(0), &text);
}

}  // namespace
