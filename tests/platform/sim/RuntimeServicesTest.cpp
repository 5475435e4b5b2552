#include <windows.h>
#include <rpc.h>

#include <nirasim/Runtime.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DebugOutput, GoesToTheJournalOneEntryPerCall)
{
    nirasim::ClearDebugJournal();
    OutputDebugStringW(TEXT("String Dll freed"));
    OutputDebugStringA("serial \xc4");
    OutputDebugStringW(nullptr);
    auto journal = nirasim::ReadDebugJournal();
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0], TEXT("String Dll freed"));
    EXPECT_EQ(journal[1], TEXT("serial \u00c4"));
    EXPECT_TRUE(nirasim::DebugJournalContains(TEXT("Dll")));
    nirasim::ClearDebugJournal();
    EXPECT_TRUE(nirasim::ReadDebugJournal().empty());
}

TEST(Heap, LocalAllocZeroesOnRequestAndReportsItsSize)
{
    auto block = static_cast<BYTE*>(LocalAlloc(LPTR, 32));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 32; ++i) {
        ASSERT_EQ(block[i], 0);
    }
    EXPECT_EQ(LocalSize(block), 32u);
    EXPECT_EQ(LocalHandle(block), block);
    block = static_cast<BYTE*>(LocalReAlloc(block, 64, LMEM_MOVEABLE | LMEM_ZEROINIT));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[63], 0);
    EXPECT_EQ(LocalFree(block), nullptr);
    EXPECT_EQ(LocalFree(nullptr), nullptr);
}

TEST(Heap, MoveableGlobalMemoryIsReachedThroughLock)
{
    HGLOBAL handle = GlobalAlloc(GHND, 16);
    ASSERT_NE(handle, nullptr);
    auto data = static_cast<BYTE*>(GlobalLock(handle));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void*>(data), handle);
    EXPECT_EQ(GlobalHandle(data), handle);
    EXPECT_EQ(GlobalSize(handle), 16u);
    EXPECT_FALSE(GlobalUnlock(handle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GlobalFree(handle), nullptr);

    void* fixed = GlobalAlloc(GPTR, 8);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
}

TEST(Heap, HeapReAllocKeepsTheContent)
{
    auto text = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 4));
    ASSERT_NE(text, nullptr);
    memcpy(text, "abc", 4);
    text = static_cast<char*>(HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, text, 4096));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(text[4095], 0);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, text), 4096u);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, text));
}

TEST(Uuid, CompareOrdersFieldByFieldAndTreatsNullAsNil)
{
    UUID a = {0x0433A81F, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}};
    UUID b = a;
    RPC_STATUS status = -1;
    EXPECT_EQ(UuidCompare(&a, &b, &status), 0);
    EXPECT_EQ(status, RPC_S_OK);
    b.Data4[7] = 9;
    EXPECT_EQ(UuidCompare(&a, &b, &status), -1);
    EXPECT_EQ(UuidCompare(&b, &a, &status), 1);
    b = a;
    b.Data1 = 0x80000000u;  // unsigned: above 0x0433A81F
    EXPECT_EQ(UuidCompare(&a, &b, &status), -1);
    UUID nil{};
    EXPECT_EQ(UuidCompare(nullptr, &nil, &status), 0);
    EXPECT_TRUE(UuidIsNil(nullptr, &status));

    UUID first{}, second{};
    EXPECT_EQ(UuidCreate(&first), RPC_S_OK);
    EXPECT_EQ(UuidCreate(&second), RPC_S_OK);
    EXPECT_NE(UuidCompare(&first, &second, &status), 0);
    EXPECT_EQ(first.Data3 & 0xF000, 0x4000);
}

}  // namespace
