// An owner (a settings manager attached to itself) and the adapters under test, all made through
// the loaded library's factory, with helpers that set and read the owner's entries and that
// read and write records by byte offset (independent of the record declarations).
#pragma once

#include "nira/uiplugin/settings/block/SettingsLibrary.h"

#include "common/EscapeRecords.h"
#include "nira/uiplugin/settings/adapters/INiraFieldAdapter.h"
#include "nira/uiplugin/settings/adapters/INiraFlatRecordAdapter.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace adapterfixture {

using Bytes = std::vector<BYTE>;
using WString = std::basic_string<WCHAR>;

class AdapterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Attached to the given owner (the fixture's by default); null leaves them unattached.
    INiraFieldAdapter* NewFieldAdapter() { return NewFieldAdapter(m_owner); }
    INiraFieldAdapter* NewFieldAdapter(INiraSettingsAccess* owner);
    INiraFlatRecordAdapter* NewFlatAdapter() { return NewFlatAdapter(m_owner); }
    INiraFlatRecordAdapter* NewFlatAdapter(INiraSettingsAccess* owner);
    // A second owner, released at the end of the test.
    INiraSettingsAccess* NewOwner();

    INiraSettingsAccess& Owner() { return *m_owner; }

private:
    INiraSettingsProvider* Make(const GUID& id, INiraSettingsAccess* owner);

    std::unique_ptr<CSettingsLibrary> m_library;
    INiraSettingsAccess* m_owner = nullptr;
    std::vector<INiraSettingsAccess*> m_otherOwners;
    std::vector<INiraSettingsProvider*> m_adapters;
};

// Setting entries of an owner, without notice.
void SetFlag(INiraSettingsAccess& owner, LONG index, BYTE value);
void SetInt(INiraSettingsAccess& owner, LONG index, LONG value);
void SetFloat(INiraSettingsAccess& owner, LONG index, FLOAT value);
void SetIntRef(INiraSettingsAccess& owner, LONG index, LONG value);
void SetString(INiraSettingsAccess& owner, LONG index, const WString& value);
void SetBlob(INiraSettingsAccess& owner, LONG index, const Bytes& value);

// Reading entries of an owner without asking providers; a failed read fails the test.
BYTE GetFlag(INiraSettingsAccess& owner, LONG index);
LONG GetInt(INiraSettingsAccess& owner, LONG index);
LONG GetIntRef(INiraSettingsAccess& owner, LONG index);
Bytes GetBlob(INiraSettingsAccess& owner, LONG index);
bool IsPresent(INiraSettingsAccess& owner, LONG kind, LONG index);

// Fields of a record by byte offset.
void Put32(void* record, size_t offset, LONG value);
void Put16(void* record, size_t offset, SHORT value);
LONG Get32(const void* record, size_t offset);
FLOAT GetFloatField(const void* record, size_t offset);
WString GetText(const void* record, size_t offset, size_t chars);

// Bytes 0, 1, 2, ... (mod 251), so that a shifted copy shows.
Bytes Pattern(size_t length);

}  // namespace adapterfixture

namespace adapterfixture {

// Entries for which the provider's Handles answers exactly 1, over every index of every kind
// (and one index beyond each kind, which must be refused).
std::vector<SettingRef> HandledEntries(INiraSettingsProvider& provider);

}  // namespace adapterfixture
