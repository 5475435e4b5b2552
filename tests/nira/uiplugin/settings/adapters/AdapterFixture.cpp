#include "AdapterFixture.h"

#include "nira/uiplugin/foundation/strings/NiraString.h"

#include <string.h>

namespace adapterfixture {

void AdapterTest::SetUp()
{
    m_library = std::make_unique<CSettingsLibrary>();
    ASSERT_TRUE(m_library->Loaded());
    m_owner = m_library->NewOwner();
    ASSERT_NE(m_owner, nullptr);
}

void AdapterTest::TearDown()
{
    for (INiraSettingsProvider* adapter : m_adapters) {
        adapter->Release();
    }
    for (INiraSettingsAccess* owner : m_otherOwners) {
        owner->Release();
    }
    if (m_owner != nullptr) {
        m_owner->Release();
    }
    m_library.reset();
}

INiraSettingsProvider* AdapterTest::Make(const GUID& id, INiraSettingsAccess* owner)
{
    void* object = nullptr;
    GetSettingsInstance(&id, &object);
    auto* adapter = static_cast<INiraSettingsProvider*>(object);
    EXPECT_NE(adapter, nullptr);
    if (adapter != nullptr) {
        m_adapters.push_back(adapter);
        if (owner != nullptr) {
            EXPECT_EQ(adapter->Attach(owner), TRUE);
        }
    }
    return adapter;
}

INiraFieldAdapter* AdapterTest::NewFieldAdapter(INiraSettingsAccess* owner)
{
    return static_cast<INiraFieldAdapter*>(Make(kSettingsGuidFieldAdapter, owner));
}

INiraFlatRecordAdapter* AdapterTest::NewFlatAdapter(INiraSettingsAccess* owner)
{
    return static_cast<INiraFlatRecordAdapter*>(Make(kSettingsGuidFlatAdapter, owner));
}

INiraSettingsAccess* AdapterTest::NewOwner()
{
    INiraSettingsAccess* owner = m_library->NewOwner();
    EXPECT_NE(owner, nullptr);
    if (owner != nullptr) {
        m_otherOwners.push_back(owner);
    }
    return owner;
}

void SetFlag(INiraSettingsAccess& owner, LONG index, BYTE value)
{
    ASSERT_EQ(owner.SetFlag(index, value, FALSE), TRUE) << "flag " << index;
}

void SetInt(INiraSettingsAccess& owner, LONG index, LONG value)
{
    ASSERT_EQ(owner.SetInt(index, value, FALSE), TRUE) << "int " << index;
}

void SetFloat(INiraSettingsAccess& owner, LONG index, FLOAT value)
{
    ASSERT_EQ(owner.SetFloat(index, value, FALSE), TRUE) << "float " << index;
}

void SetIntRef(INiraSettingsAccess& owner, LONG index, LONG value)
{
    ASSERT_EQ(owner.SetIntRef(index, &value, FALSE), TRUE) << "int ref " << index;
}

void SetString(INiraSettingsAccess& owner, LONG index, const WString& value)
{
    CNiraString text(value.c_str());
    ASSERT_EQ(owner.SetString(index, &text, FALSE), TRUE) << "string " << index;
}

void SetBlob(INiraSettingsAccess& owner, LONG index, const Bytes& value)
{
    ASSERT_EQ(owner.SetBlob(index, value.data(), static_cast<DWORD>(value.size()), FALSE), TRUE)
        << "blob " << index;
}

BYTE GetFlag(INiraSettingsAccess& owner, LONG index)
{
    BYTE value = 0xEE;
    EXPECT_EQ(owner.GetFlag(index, &value, FALSE, FALSE), TRUE) << "flag " << index;
    return value;
}

LONG GetInt(INiraSettingsAccess& owner, LONG index)
{
    LONG value = -12345;
    EXPECT_EQ(owner.GetInt(index, &value, FALSE, FALSE), TRUE) << "int " << index;
    return value;
}

LONG GetIntRef(INiraSettingsAccess& owner, LONG index)
{
    LONG value = -12345;
    EXPECT_EQ(owner.GetIntRef(index, &value, FALSE, FALSE), TRUE) << "int ref " << index;
    return value;
}

Bytes GetBlob(INiraSettingsAccess& owner, LONG index)
{
    BYTE* data = nullptr;
    DWORD length = 0;
    EXPECT_EQ(owner.GetBlob(index, &data, &length, FALSE, FALSE), TRUE) << "blob " << index;
    Bytes bytes(data, data + (data != nullptr ? length : 0));
    owner.ReleaseBlob(data);
    return bytes;
}

bool IsPresent(INiraSettingsAccess& owner, LONG kind, LONG index)
{
    return IsAccessEntryPresent(owner, kind, index) == TRUE;
}

void Put32(void* record, size_t offset, LONG value)
{
    memcpy(static_cast<BYTE*>(record) + offset, &value, sizeof(value));
}

void Put16(void* record, size_t offset, SHORT value)
{
    memcpy(static_cast<BYTE*>(record) + offset, &value, sizeof(value));
}

LONG Get32(const void* record, size_t offset)
{
    LONG value = 0;
    memcpy(&value, static_cast<const BYTE*>(record) + offset, sizeof(value));
    return value;
}

FLOAT GetFloatField(const void* record, size_t offset)
{
    FLOAT value = 0;
    memcpy(&value, static_cast<const BYTE*>(record) + offset, sizeof(value));
    return value;
}

WString GetText(const void* record, size_t offset, size_t chars)
{
    WString text(chars, 0);
    memcpy(&text[0], static_cast<const BYTE*>(record) + offset, chars * sizeof(WCHAR));
    return text;
}

Bytes Pattern(size_t length)
{
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<BYTE>(i % 251 + 1);
    }
    return bytes;
}

}  // namespace adapterfixture

namespace adapterfixture {

std::vector<SettingRef> HandledEntries(INiraSettingsProvider& provider)
{
    std::vector<SettingRef> entries;
    for (LONG kind = 0; kind < kSettingArrayKindCount; ++kind) {
        const LONG count = static_cast<LONG>(kSettingArrayCounts[kind]);
        for (LONG index = -1; index <= count; ++index) {
            if (ProviderHandles(provider, kind, index)) {
                entries.push_back({kind, index});
            }
        }
    }
    return entries;
}

}  // namespace adapterfixture
