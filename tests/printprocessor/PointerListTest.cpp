#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "printprocessor/PointerList.h"

namespace {

std::vector<void*> Values(const PointerList& list)
{
    std::vector<void*> values;
    for (PointerListNode* node = list.first; node != nullptr; node = node->next) {
        values.push_back(node->value);
    }
    return values;
}

TEST(PointerListTest, InsertGoesBehindTheCursorAndRemoveStepsBack)
{
    int a = 0;
    int b = 0;
    int c = 0;
    PointerList list = {};
    PointerListCursor cursor = {&list, nullptr, -1};
    ASSERT_TRUE(InsertPointer(cursor, &a));
    EXPECT_EQ(cursor.index, 0);
    EXPECT_EQ(cursor.node->value, &a);
    ASSERT_TRUE(InsertPointer(cursor, &c));  // appended behind the last node
    EXPECT_EQ(cursor.index, 1);
    cursor.node = list.first;
    cursor.index = 0;
    ASSERT_TRUE(InsertPointer(cursor, &b));  // between a and c
    EXPECT_EQ(Values(list), (std::vector<void*>{&a, &b, &c}));
    EXPECT_EQ(list.count, 3u);

    cursor = {&list, list.first, 0};
    RemovePointer(cursor);  // the first node: the cursor moves on to the next
    EXPECT_EQ(cursor.node->value, &b);
    EXPECT_EQ(cursor.index, -1);
    cursor = {&list, list.last, 1};
    RemovePointer(cursor);  // the last: the cursor moves back
    EXPECT_EQ(cursor.node->value, &b);
    EXPECT_EQ(cursor.index, 1);
    RemovePointer(cursor);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(cursor.index, -1);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
}

TEST(PointerListTest, ClearFreesEveryNodeButNoValue)
{
    int values[4] = {};
    PointerList list = {};
    PointerListCursor cursor = {&list, nullptr, -1};
    for (int& value : values) {
        ASSERT_TRUE(InsertPointer(cursor, &value));
    }
    ClearPointerList(list);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.first, nullptr);
}

}  // namespace
