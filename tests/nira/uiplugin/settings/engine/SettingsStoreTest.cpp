// The value store: the nine arrays, presence, handed-out copies and whole-store copies.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/engine/NiraArray.h"
#include "nira/uiplugin/settings/engine/SettingsStore.h"
#include "SettingsTestLibrary.h"

#include "support/WString.h"

namespace {

class SettingsStoreTest : public SettingsLibraryTest {
protected:
    void SetUp() override
    {
        SettingsLibraryTest::SetUp();
        ASSERT_EQ(store.Allocate(), TRUE);
    }

    CNiraSettingsStore store;
};

WString TextOf(CNiraString* text)
{
    return WString(text->GetBuffer());
}

TEST_F(SettingsStoreTest, AllocatedStoreHoldsNothingPresent)
{
    DWORD version = 0;
    ASSERT_EQ(store.GetVersion(&version), TRUE);
    EXPECT_EQ(version, SETTINGS_STORE_VERSION);
    for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
        for (DWORD i = 0; i < kSettingArrayCounts[kind]; ++i) {
            ASSERT_EQ(IsStoreEntryPresent(store, kind, static_cast<LONG>(i)), FALSE) << kind << "/" << i;
        }
    }
    LONG value = 0;
    EXPECT_EQ(store.GetInt(0, &value), FALSE);

    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_FLAG, &data, &size, &count), TRUE);
    EXPECT_EQ(size, 43u);
    EXPECT_EQ(count, 338u);
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_INT, &data, &size, &count), TRUE);
    EXPECT_EQ(size, 8208u);
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_STRING, &data, &size, &count), TRUE);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(count, 82u);
    EXPECT_EQ(static_cast<CNiraArray<CNiraString*>*>(data)->count, 82);
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_BLOB, &data, &size, &count), TRUE);
    EXPECT_EQ(count, 51u);
    EXPECT_EQ(store.GetArrayInfo(9, &data, &size, &count), FALSE);
    EXPECT_EQ(store.GetArrayInfo(SETTING_ARRAY_FLAG, nullptr, &size, &count), FALSE);
}

TEST_F(SettingsStoreTest, TypedValuesRoundTrip)
{
    const LONG ref = -7;
    ASSERT_EQ(store.SetInt(2051, 123456), TRUE);
    ASSERT_EQ(store.SetFloat(23, 8.5f), TRUE);
    ASSERT_EQ(store.SetIntRef(135, &ref), TRUE);
    LONG i = 0;
    FLOAT f = 0;
    LONG r = 0;
    ASSERT_EQ(store.GetInt(2051, &i), TRUE);
    ASSERT_EQ(store.GetFloat(23, &f), TRUE);
    ASSERT_EQ(store.GetIntRef(135, &r), TRUE);
    EXPECT_EQ(i, 123456);
    EXPECT_EQ(f, 8.5f);
    EXPECT_EQ(r, -7);
    EXPECT_EQ(store.IsIntPresent(2051), TRUE);
    EXPECT_EQ(store.IsIntPresent(2050), FALSE);
    EXPECT_EQ(store.SetIntRef(0, nullptr), FALSE);
    EXPECT_EQ(store.GetInt(2051, nullptr), FALSE);
}

// Only the byte 1 sets a flag; the bits lie least significant first in the value block.
TEST_F(SettingsStoreTest, FlagsTakeOnlyOneAsTrue)
{
    ASSERT_EQ(store.SetFlag(9, 1), TRUE);
    ASSERT_EQ(store.SetFlag(10, 2), TRUE);
    BYTE value = 0xFF;
    ASSERT_EQ(store.GetFlag(10, &value), TRUE);
    EXPECT_EQ(value, 0);
    ASSERT_EQ(store.GetFlag(9, &value), TRUE);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(store.IsFlagPresent(10), TRUE);

    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_FLAG, &data, &size, &count), TRUE);
    EXPECT_EQ(static_cast<BYTE*>(data)[1], 0x02);
    ASSERT_EQ(store.SetFlag(9, 0), TRUE);
    EXPECT_EQ(static_cast<BYTE*>(data)[1], 0x00);
}

TEST_F(SettingsStoreTest, IndicesOutsideTheKindAreRefused)
{
    struct Case {
        LONG kind;
        LONG index;
    };
    const Case refused[] = {{3, 2052}, {3, -1}, {0, 338}, {4, 24}, {6, 136},
                            {7, 82},   {8, 51}, {1, 0},   {2, 0},  {5, 0}};
    for (const Case& c : refused) {
        EXPECT_EQ(IsStoreEntryPresent(store, c.kind, c.index), FALSE) << c.kind << "/" << c.index;
    }
    EXPECT_EQ(store.SetInt(2052, 1), FALSE);
    EXPECT_EQ(store.SetInt(-1, 1), FALSE);
    EXPECT_EQ(store.SetByte(0, 1), FALSE);
    EXPECT_EQ(store.SetWord(0, 1), FALSE);
    EXPECT_EQ(store.SetDouble(0, 1.0), FALSE);
    BYTE b = 0;
    WORD w = 0;
    double d = 0;
    EXPECT_EQ(store.GetByte(0, &b), FALSE);
    EXPECT_EQ(store.GetWord(0, &w), FALSE);
    EXPECT_EQ(store.GetDouble(0, &d), FALSE);
}

TEST_F(SettingsStoreTest, StringCopiesLiveUntilReleased)
{
    CNiraString text(TEXT("Report.exe"));
    ASSERT_EQ(store.SetString(3, &text), TRUE);
    CNiraString* first = nullptr;
    CNiraString* second = nullptr;
    ASSERT_EQ(store.GetString(3, &first), TRUE);
    ASSERT_EQ(store.GetString(3, &second), TRUE);
    ASSERT_NE(first, second);
    store.ReleaseString(first);
    EXPECT_EQ(TextOf(second), TEXT("Report.exe"));
    store.ReleaseString(first);  // already given back: ignored
    CNiraString foreign(TEXT("x"));
    store.ReleaseString(&foreign);  // never handed out: ignored
    store.ReleaseString(nullptr);
    store.ReleaseString(second);
    EXPECT_EQ(store.SetString(3, nullptr), FALSE);
    CNiraString* absent = nullptr;
    EXPECT_EQ(store.GetString(4, &absent), FALSE);
}

TEST_F(SettingsStoreTest, BlobsAreCopiedBothWays)
{
    std::vector<BYTE> bytes = {1, 2, 3, 4, 5};
    ASSERT_EQ(store.SetBlob(50, bytes.data(), 5), TRUE);
    bytes[0] = 99;
    BYTE* copy = nullptr;
    DWORD length = 0;
    ASSERT_EQ(store.GetBlob(50, &copy, &length), TRUE);
    ASSERT_EQ(length, 5u);
    EXPECT_EQ(copy[0], 1);
    EXPECT_EQ(copy[4], 5);
    store.ReleaseBlob(copy);

    // A null or empty blob stays present and reads as {null, 0}.
    ASSERT_EQ(store.SetBlob(50, nullptr, 5), TRUE);
    copy = reinterpret_cast<BYTE*>(1);
    length = 9;
    ASSERT_EQ(store.GetBlob(50, &copy, &length), TRUE);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(length, 0u);
    ASSERT_EQ(store.SetBlob(0, bytes.data(), 0), TRUE);
    EXPECT_EQ(store.IsBlobPresent(0), TRUE);
}

// The length field is 16 bits wide: a longer blob is refused and the entry keeps its bytes.
TEST_F(SettingsStoreTest, BlobLongerThanItsLengthFieldIsRefused)
{
    std::vector<BYTE> big(kSettingBlobMaxLength + 1, 0xAB);
    ASSERT_EQ(store.SetBlob(7, big.data(), kSettingBlobMaxLength), TRUE);
    EXPECT_EQ(store.SetBlob(7, big.data(), kSettingBlobMaxLength + 1), FALSE);
    BYTE* copy = nullptr;
    DWORD length = 0;
    ASSERT_EQ(store.GetBlob(7, &copy, &length), TRUE);
    EXPECT_EQ(length, kSettingBlobMaxLength);
    EXPECT_EQ(store.SetBlob(8, big.data(), kSettingBlobMaxLength + 1), FALSE);
    EXPECT_EQ(store.IsBlobPresent(8), FALSE);
}

TEST_F(SettingsStoreTest, CopyFromTakesValuesPresenceAndVersion)
{
    CNiraString text(TEXT("Letter"));
    CNiraString empty(TEXT(""));
    const BYTE bytes[] = {9, 8, 7};
    ASSERT_EQ(store.SetInt(5, 42), TRUE);
    ASSERT_EQ(store.SetFlag(337, 1), TRUE);
    ASSERT_EQ(store.SetString(81, &text), TRUE);
    ASSERT_EQ(store.SetString(0, &empty), TRUE);
    ASSERT_EQ(store.SetBlob(2, bytes, 3), TRUE);

    CNiraSettingsStore copy;
    ASSERT_EQ(copy.CopyFrom(&store), TRUE);
    DWORD version = 0;
    ASSERT_EQ(copy.GetVersion(&version), TRUE);
    EXPECT_EQ(version, SETTINGS_STORE_VERSION);
    LONG value = 0;
    ASSERT_EQ(copy.GetInt(5, &value), TRUE);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(copy.IsIntPresent(6), FALSE);
    BYTE flag = 0;
    ASSERT_EQ(copy.GetFlag(337, &flag), TRUE);
    EXPECT_EQ(flag, 1);
    CNiraString* read = nullptr;
    ASSERT_EQ(copy.GetString(81, &read), TRUE);
    EXPECT_EQ(TextOf(read), TEXT("Letter"));
    ASSERT_EQ(copy.GetString(0, &read), TRUE);
    EXPECT_EQ(read->GetLength(), 0);
    BYTE* blob = nullptr;
    DWORD length = 0;
    ASSERT_EQ(copy.GetBlob(2, &blob, &length), TRUE);
    ASSERT_EQ(length, 3u);
    EXPECT_EQ(memcmp(blob, bytes, 3), 0);

    // The copy is independent of its source.
    ASSERT_EQ(store.SetInt(5, 1), TRUE);
    ASSERT_EQ(copy.GetInt(5, &value), TRUE);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(copy.CopyFrom(nullptr), FALSE);
    EXPECT_EQ(copy.IsIntPresent(5), FALSE);
}

TEST_F(SettingsStoreTest, UnallocatedStoreRefusesEverything)
{
    CNiraSettingsStore fresh;
    DWORD version = 1;
    ASSERT_EQ(fresh.GetVersion(&version), TRUE);
    EXPECT_EQ(version, 0u);
    EXPECT_EQ(fresh.GetMask(), nullptr);
    EXPECT_EQ(fresh.SetInt(0, 1), FALSE);
    EXPECT_EQ(fresh.IsFlagPresent(0), FALSE);
    CNiraSettingsStore copy;
    EXPECT_EQ(copy.CopyFrom(&fresh), FALSE);  // the source has no mask
}

// Counts taken from a source bound every later access of the copy.
TEST_F(SettingsStoreTest, CopyOfASmallerSourceIsBoundedByItsCounts)
{
    class SmallSource : public CNiraSettingsStore {
    public:
        BOOLEAN GetArrayInfo(LONG kind, void** data, DWORD* size, DWORD* count) override
        {
            if (kind == SETTING_ARRAY_INT) {
                *data = ints;
                *size = sizeof(ints);
                *count = 2;
                return TRUE;
            }
            return CNiraSettingsStore::GetArrayInfo(kind, data, size, count);
        }
        LONG ints[2] = {11, 22};
    };
    SmallSource source;
    ASSERT_EQ(source.Allocate(), TRUE);
    ASSERT_EQ(source.SetInt(1, 0), TRUE);
    CNiraSettingsStore copy;
    ASSERT_EQ(copy.CopyFrom(&source), TRUE);
    LONG value = 0;
    ASSERT_EQ(copy.GetInt(1, &value), TRUE);
    EXPECT_EQ(value, 22);
    EXPECT_EQ(copy.SetInt(2, 5), FALSE);
    EXPECT_EQ(copy.SetInt(2051, 5), FALSE);
    EXPECT_EQ(copy.IsIntPresent(2), FALSE);

    class BadSize : public SmallSource {
        BOOLEAN GetArrayInfo(LONG kind, void** data, DWORD* size, DWORD* count) override
        {
            const BOOLEAN answer = SmallSource::GetArrayInfo(kind, data, size, count);
            if (kind == SETTING_ARRAY_INT) {
                *size = 7;
            }
            return answer;
        }
    };
    BadSize bad;
    ASSERT_EQ(bad.Allocate(), TRUE);
    EXPECT_EQ(copy.CopyFrom(&bad), FALSE);
}

// Copies still handed out are destroyed when the store starts over (ASan checks the frees).
TEST_F(SettingsStoreTest, StartingOverDestroysHandedOutCopies)
{
    CNiraString text(TEXT("abc"));
    const BYTE bytes[] = {1};
    ASSERT_EQ(store.SetString(1, &text), TRUE);
    ASSERT_EQ(store.SetBlob(1, bytes, 1), TRUE);
    CNiraString* copy = nullptr;
    BYTE* blob = nullptr;
    DWORD length = 0;
    ASSERT_EQ(store.GetString(1, &copy), TRUE);
    ASSERT_EQ(store.GetBlob(1, &blob, &length), TRUE);
    ASSERT_EQ(store.Allocate(), TRUE);
    EXPECT_EQ(store.IsStringPresent(1), FALSE);
    ASSERT_EQ(store.GetString(1, &copy), FALSE);
}

// A store allocated again keeps nothing of what it held: no entry present, every value block
// zeroed, every string empty and every blob gone, as in a store allocated once.
TEST_F(SettingsStoreTest, AllocatingAgainLeavesAFreshStore)
{
    CNiraString text(TEXT("abc"));
    const BYTE bytes[] = {1, 2};
    const LONG intRef = 9;
    ASSERT_EQ(store.SetFlag(3, 1), TRUE);
    ASSERT_EQ(store.SetInt(2051, -1), TRUE);
    ASSERT_EQ(store.SetFloat(23, 1.5f), TRUE);
    ASSERT_EQ(store.SetIntRef(135, &intRef), TRUE);
    ASSERT_EQ(store.SetString(81, &text), TRUE);
    ASSERT_EQ(store.SetBlob(50, bytes, 2), TRUE);
    ASSERT_EQ(store.Allocate(), TRUE);

    for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
        for (DWORD i = 0; i < kSettingArrayCounts[kind]; ++i) {
            ASSERT_EQ(IsStoreEntryPresent(store, kind, static_cast<LONG>(i)), FALSE) << kind << "/" << i;
        }
    }
    for (LONG kind = 0; kind < SETTING_ARRAY_STRING; ++kind) {
        void* data = nullptr;
        DWORD size = 0;
        DWORD count = 0;
        ASSERT_EQ(store.GetArrayInfo(kind, &data, &size, &count), TRUE);
        const std::vector<BYTE> block(static_cast<BYTE*>(data), static_cast<BYTE*>(data) + (data ? size : 0));
        EXPECT_EQ(block, std::vector<BYTE>(block.size(), 0)) << "kind " << kind;
    }
    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_STRING, &data, &size, &count), TRUE);
    const auto& strings = *static_cast<CNiraArray<CNiraString*>*>(data);
    ASSERT_EQ(strings.count, 82);
    EXPECT_EQ(strings.items[81]->GetLength(), 0);
    ASSERT_EQ(store.GetArrayInfo(SETTING_ARRAY_BLOB, &data, &size, &count), TRUE);
    const auto& blobs = *static_cast<CNiraArray<SettingBlob>*>(data);
    ASSERT_EQ(blobs.count, 51);
    EXPECT_EQ(blobs.items[50].data, nullptr);
    EXPECT_EQ(blobs.items[50].length, 0);
}

TEST_F(SettingsStoreTest, ReleaseDestroysTheObject)
{
    void* object = nullptr;
    ASSERT_EQ(GetSettingsInstance(&kSettingsGuidStore, &object), TRUE);
    auto* created = static_cast<INiraSettingsStore*>(object);
    ASSERT_EQ(created->Allocate(), TRUE);
    ASSERT_EQ(created->SetInt(3, 3), TRUE);
    EXPECT_EQ(created->Reserved1(), 0);
    created->Reserved2(0);
    created->Release();
}

}  // namespace
