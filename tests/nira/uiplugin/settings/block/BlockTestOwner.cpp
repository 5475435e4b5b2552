#include "BlockTestOwner.h"

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include <string.h>

namespace blockfixture {

namespace {}  // namespace

BOOLEAN SupplyingProvider::Attach(INiraSettingsAccess* newOwner)
{
    owner = newOwner;
    return TRUE;
}

BOOLEAN SupplyingProvider::Sync(LONG kind, LONG index)
{
    const auto found = values.find({kind, index});
    if (found == values.end() || owner == nullptr) {
        return FALSE;
    }
    return kind == 0 ? owner->SetFlag(index, static_cast<BYTE>(found->second), 0)
                     : owner->SetInt(index, found->second, 0);
}

void BlockTest::SetUp()
{
    m_library = std::make_unique<CSettingsLibrary>();
    ASSERT_TRUE(m_library->Loaded());
}

void BlockTest::TearDown()
{
    for (INiraSettingsProvider* provider : m_providers) {
        if (provider != nullptr) {
            provider->Release();
        }
    }
    for (INiraSettingsAccess* owner : m_owners) {
        if (owner != nullptr) {
            owner->Release();
        }
    }
    m_library.reset();
}

INiraSettingsAccess* BlockTest::NewOwner(SupplyingProvider* provider)
{
    SettingsProviderList pulls;
    if (provider != nullptr) {
        pulls.Append(provider);
    }
    INiraSettingsAccess* owner = m_library->NewOwner(provider != nullptr ? &pulls : nullptr);
    EXPECT_NE(owner, nullptr);
    m_owners.push_back(owner);
    return owner;
}

CNiraBlockPacker* BlockTest::NewPacker()
{
    CNiraBlockPacker* packer = m_library->NewPacker();
    EXPECT_NE(packer, nullptr);
    m_providers.push_back(packer);
    return packer;
}

CNiraBlockUnpacker* BlockTest::NewUnpacker()
{
    CNiraBlockUnpacker* unpacker = m_library->NewUnpacker();
    EXPECT_NE(unpacker, nullptr);
    m_providers.push_back(unpacker);
    return unpacker;
}

void Fill(INiraSettingsAccess& owner, const Settings& settings)
{
    for (const auto& e : settings.flags) {
        ASSERT_EQ(owner.SetFlag(e.first, e.second ? 1 : 0, 0), TRUE);
    }
    for (const auto& e : settings.ints) {
        ASSERT_EQ(owner.SetInt(e.first, e.second, 0), TRUE);
    }
    for (const auto& e : settings.floats) {
        ASSERT_EQ(owner.SetFloat(e.first, e.second, 0), TRUE);
    }
    for (const auto& e : settings.intRefs) {
        ASSERT_EQ(owner.SetIntRef(e.first, &e.second, 0), TRUE);
    }
    for (const auto& e : settings.strings) {
        CNiraString text(e.second.c_str());
        ASSERT_EQ(owner.SetString(e.first, &text, 0), TRUE);
    }
    for (const auto& e : settings.blobs) {
        ASSERT_EQ(owner.SetBlob(e.first, e.second.data(), static_cast<DWORD>(e.second.size()), 0), TRUE);
    }
}

Settings Present(INiraSettingsAccess& owner)
{
    Settings s;
    for (LONG i = 0; i < static_cast<LONG>(kCounts[0]); ++i) {
        BYTE flag = 0;
        if (owner.IsFlagPresent(i) == TRUE && owner.GetFlag(i, &flag, 0, 0) == TRUE) {
            s.flags[i] = flag == 1;
        }
    }
    for (LONG i = 0; i < static_cast<LONG>(kCounts[3]); ++i) {
        LONG value = 0;
        if (owner.IsIntPresent(i) == TRUE && owner.GetInt(i, &value, 0, 0) == TRUE) {
            s.ints[i] = value;
        }
    }
    for (LONG i = 0; i < static_cast<LONG>(kCounts[4]); ++i) {
        FLOAT value = 0;
        if (owner.IsFloatPresent(i) == TRUE && owner.GetFloat(i, &value, 0, 0) == TRUE) {
            s.floats[i] = value;
        }
    }
    for (LONG i = 0; i < static_cast<LONG>(kCounts[6]); ++i) {
        LONG value = 0;
        if (owner.IsIntRefPresent(i) == TRUE && owner.GetIntRef(i, &value, 0, 0) == TRUE) {
            s.intRefs[i] = value;
        }
    }
    for (LONG i = 0; i < static_cast<LONG>(kCounts[7]); ++i) {
        CNiraString* text = nullptr;
        if (owner.IsStringPresent(i) == TRUE && owner.GetString(i, &text, 0, 0) == TRUE && text != nullptr) {
            s.strings[i] = text->GetBuffer();
            owner.ReleaseString(text);
        }
    }
    for (LONG i = 0; i < static_cast<LONG>(kCounts[8]); ++i) {
        BYTE* data = nullptr;
        DWORD length = 0;
        if (owner.IsBlobPresent(i) == TRUE && owner.GetBlob(i, &data, &length, 0, 0) == TRUE) {
            s.blobs[i] = data != nullptr ? Bytes(data, data + length) : Bytes();
            owner.ReleaseBlob(data);
        }
    }
    return s;
}

bool InBlockSet(LONG kind, LONG index)
{
    for (const BlockSettingsRow& row : BlockSettingsTable) {
        if (row.kind == kind && row.index == index) {
            return true;
        }
    }
    return kind == 3 && ((index >= 10 && index <= 1893) || (index >= 1900 && index <= 1919));
}

Settings LetterPage()
{
    Settings s;
    s.intRefs[5] = 1;
    s.floats[10] = 8.5f;
    s.floats[11] = 11.0f;
    s.floats[12] = 0.125f;
    s.floats[13] = 0.125f;
    s.floats[14] = 0.125f;
    s.floats[15] = 0.5f;
    s.ints[1920] = 600;
    s.ints[1921] = 600;
    return s;
}

Settings FullBlockSet()
{
    Settings s = LetterPage();
    LONG n = 0;
    for (const BlockSettingsRow& row : BlockSettingsTable) {
        ++n;
        switch (row.kind) {
        case 0:
            s.flags[row.index] = n % 3 != 0;
            break;
        case 3:
            s.ints.emplace(row.index, n * 1000 - 7);
            break;
        case 4:
            s.floats.emplace(row.index, static_cast<FLOAT>(n) / 8.0f);
            break;
        case 6:
            s.intRefs.emplace(row.index, -n);
            break;
        case 7:
            s.strings[row.index] = WString(static_cast<size_t>(n % 40), static_cast<WCHAR>('A' + n % 26));
            break;
        case 8:
            s.blobs[row.index] = Bytes(static_cast<size_t>(1 + n * 3), static_cast<BYTE>(n));
            break;
        }
    }
    for (LONG index = 10; index <= 1893; ++index) {
        s.ints[index] = index % 97;
    }
    for (LONG index = 1900; index <= 1919; ++index) {
        s.ints.emplace(index, index * 3);
    }
    s.flags[223] = false;  // keep flag 105 as it is
    s.strings[0] = TEXT("Report.exe");
    s.strings[1] = TEXT("C:\\Apps\\Report.exe");
    s.strings[6] = TEXT("alice");
    return s;
}

}  // namespace blockfixture
