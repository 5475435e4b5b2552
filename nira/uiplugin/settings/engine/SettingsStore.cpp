#include "nira/uiplugin/settings/engine/SettingsStore.h"

#include <string.h>

#include <memory>
#include <new>

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/engine/SettingsMemory.h"

namespace {

// Byte size of count values of a kind kept in a value block.
DWORD ValueBlockSize(LONG kind, DWORD count)
{
    return kind == SETTING_ARRAY_FLAG ? BitArrayBytes(count) : count * kSettingElementWidths[kind];
}

std::unique_ptr<CNiraString> NewString()
{
    std::unique_ptr<CNiraString> text(new (std::nothrow) CNiraString());
    if (!text) {
        RaiseSettingsError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return text;
}

BYTE* CopyBytes(const BYTE* data, DWORD length)
{
    BYTE* copy = static_cast<BYTE*>(AllocateSettingsBlock(length));
    memcpy(copy, data, length);
    return copy;
}

// Appends an owned string to a list; the list takes it only when the append succeeds.
void AppendString(CNiraArray<CNiraString*>& list, std::unique_ptr<CNiraString> text)
{
    list.Append(text.get());
    text.release();
}

void AppendBlob(CNiraArray<SettingBlob>& list, BYTE* copy, WORD length)
{
    try {
        list.Append(SettingBlob{copy, length});
    } catch (...) {
        FreeSettingsBlock(copy);
        throw;
    }
}

void DestroyStrings(CNiraArray<CNiraString*>& list)
{
    for (LONG i = 0; i < list.count; ++i) {
        delete list[i];
    }
    list.RemoveAll();
}

void FreeBlobs(CNiraArray<SettingBlob>& list)
{
    for (LONG i = 0; i < list.count; ++i) {
        FreeSettingsBlock(list[i].data);
    }
    list.RemoveAll();
}

}  // namespace

CNiraSettingsStore::CNiraSettingsStore()
{
    ResetFields();
}

CNiraSettingsStore::~CNiraSettingsStore()
{
    GuardSettingsAction([&] { Clear(); });
}

void CNiraSettingsStore::Release()
{
    GuardSettingsAction([&] { delete this; });
}

INT_PTR CNiraSettingsStore::Reserved1()
{
    return 0;
}

void CNiraSettingsStore::Reserved2(ULONG_PTR) {}

void CNiraSettingsStore::ResetFields()
{
    m_version = 0;
    memset(m_values, 0, sizeof(m_values));
    m_mask = nullptr;
    m_maskInfo = nullptr;
}

void CNiraSettingsStore::Clear()
{
    for (ValueBlock& block : m_values) {
        FreeSettingsBlock(block.values);
    }
    DestroyStrings(m_strings);
    FreeBlobs(m_blobs);
    if (m_mask != nullptr) {
        m_mask->Release();
    }
    DestroyStrings(m_issuedStrings);
    FreeBlobs(m_issuedBlobs);
    ResetFields();
}

void CNiraSettingsStore::ObtainMask()
{
    void* mask = nullptr;
    GetSettingsInstance(&kSettingsGuidMask, &mask);
    RequireSettings(mask != nullptr);
    m_mask = static_cast<INiraSettingsMask*>(mask);
    m_maskInfo = m_mask->GetInfo();
    RequireSettings(m_maskInfo != nullptr);
}

// True when the store holds the standard arrays that Allocate makes.
bool CNiraSettingsStore::HasStandardArrays() const
{
    if (m_mask == nullptr || m_strings.count != static_cast<LONG>(kSettingStringCount) ||
        m_blobs.count != static_cast<LONG>(kSettingBlobCount)) {
        return false;
    }
    for (LONG kind = 0; kind < SETTING_ARRAY_STRING; ++kind) {
        const ValueBlock& block = m_values[kind];
        if (block.count != kSettingArrayCounts[kind] ||
            (block.count != 0 &&
             (block.values == nullptr || block.size != ValueBlockSize(kind, block.count)))) {
            return false;
        }
    }
    return true;
}

// Empties a store of the standard arrays where it stands, as a fresh Allocate would leave it:
// values zeroed, strings that were set or hold text made anew, blobs freed, handed-out copies
// given back, the mask cleared.
void CNiraSettingsStore::EmptyInPlace()
{
    for (LONG i = 0; i < m_strings.count; ++i) {
        if (m_strings[i] == nullptr || m_strings[i]->GetLength() != 0 ||
            TestMaskEntry(*m_mask, SETTING_ARRAY_STRING, i) == TRUE) {
            std::unique_ptr<CNiraString> fresh = NewString();
            delete m_strings[i];
            m_strings[i] = fresh.release();
        }
    }
    RequireSettings(m_mask->Allocate() == TRUE);
    for (ValueBlock& block : m_values) {
        if (block.values != nullptr) {
            memset(block.values, 0, block.size);
        }
    }
    for (LONG i = 0; i < m_blobs.count; ++i) {
        FreeSettingsBlock(m_blobs[i].data);
        m_blobs[i] = SettingBlob{nullptr, 0};
    }
    DestroyStrings(m_issuedStrings);
    FreeBlobs(m_issuedBlobs);
    m_version = SETTINGS_STORE_VERSION;
}

BOOLEAN CNiraSettingsStore::Allocate()
{
    return GuardSettingsCall([&] {
        if (HasStandardArrays()) {
            // Allocated again (a packer's store, at every pack): the arrays are kept and emptied.
            try {
                EmptyInPlace();
                return;
            } catch (...) {
                Clear();
                throw;
            }
        }
        Clear();
        ObtainMask();
        RequireSettings(m_mask->Allocate() == TRUE);
        m_version = SETTINGS_STORE_VERSION;
        for (LONG kind = 0; kind < SETTING_ARRAY_STRING; ++kind) {
            ValueBlock& block = m_values[kind];
            block.count = kSettingArrayCounts[kind];
            RequireSettings(block.count <= kSettingArrayMaxEntries);
            if (block.count != 0) {
                block.size = ValueBlockSize(kind, block.count);
                block.values = static_cast<BYTE*>(AllocateSettingsBlock(block.size));
            }
        }
        for (DWORD i = 0; i < kSettingStringCount; ++i) {
            AppendString(m_strings, NewString());
        }
        for (DWORD i = 0; i < kSettingBlobCount; ++i) {
            m_blobs.Append(SettingBlob{nullptr, 0});
        }
    });
}

void CNiraSettingsStore::CopyValueBlock(INiraSettingsStore& source, LONG kind)
{
    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    RequireSettings(source.GetArrayInfo(kind, &data, &size, &count) == TRUE);
    RequireSettings(count <= kSettingArrayMaxEntries && size == ValueBlockSize(kind, count));
    ValueBlock& block = m_values[kind];
    if (size != 0 && count != 0) {
        RequireSettings(data != nullptr);
        block.values = CopyBytes(static_cast<const BYTE*>(data), size);
    }
    block.size = size;
    block.count = count;
}

void CNiraSettingsStore::CopyStrings(INiraSettingsStore& source)
{
    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    RequireSettings(source.GetArrayInfo(SETTING_ARRAY_STRING, &data, &size, &count) == TRUE);
    RequireSettings(count <= kSettingArrayMaxEntries);
    if (count == 0) {
        return;
    }
    const auto* list = static_cast<const CNiraArray<CNiraString*>*>(data);
    RequireSettings(list != nullptr && list->count >= 0 && static_cast<DWORD>(list->count) == count);
    for (LONG i = 0; i < list->count; ++i) {
        const CNiraString* text = list->items[i];
        RequireSettings(text != nullptr);
        std::unique_ptr<CNiraString> copy = NewString();
        if (text->GetLength() > 0) {
            copy->Assign(*text);
        }
        AppendString(m_strings, std::move(copy));
    }
}

void CNiraSettingsStore::CopyBlobs(INiraSettingsStore& source)
{
    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    RequireSettings(source.GetArrayInfo(SETTING_ARRAY_BLOB, &data, &size, &count) == TRUE);
    RequireSettings(count <= kSettingArrayMaxEntries);
    if (count == 0) {
        return;
    }
    const auto* list = static_cast<const CNiraArray<SettingBlob>*>(data);
    RequireSettings(list != nullptr && list->count >= 0 && static_cast<DWORD>(list->count) == count);
    for (LONG i = 0; i < list->count; ++i) {
        const SettingBlob& blob = list->items[i];
        if (blob.length == 0) {
            m_blobs.Append(SettingBlob{nullptr, 0});
            continue;
        }
        RequireSettings(blob.data != nullptr);
        AppendBlob(m_blobs, CopyBytes(blob.data, blob.length), blob.length);
    }
}

BOOLEAN CNiraSettingsStore::CopyFrom(INiraSettingsStore* source)
{
    return GuardSettingsCall([&] {
        Clear();
        RequireArgument(source != nullptr);
        ObtainMask();
        INiraSettingsMask* sourceMask = source->GetMask();
        RequireSettings(sourceMask != nullptr);
        RequireSettings(m_mask->CopyFrom(sourceMask) == TRUE);
        RequireSettings(source->GetVersion(&m_version) == TRUE);
        for (LONG kind = 0; kind < SETTING_ARRAY_STRING; ++kind) {
            CopyValueBlock(*source, kind);
        }
        CopyStrings(*source);
        CopyBlobs(*source);
    });
}

BOOLEAN CNiraSettingsStore::GetVersion(DWORD* version)
{
    return GuardSettingsCall([&] {
        RequireArgument(version != nullptr);
        *version = m_version;
    });
}

DWORD CNiraSettingsStore::CountOf(LONG kind) const
{
    switch (kind) {
    case SETTING_ARRAY_STRING:
        return static_cast<DWORD>(m_strings.count);
    case SETTING_ARRAY_BLOB:
        return static_cast<DWORD>(m_blobs.count);
    default:
        return m_values[kind].count;
    }
}

void CNiraSettingsStore::RequireIndex(LONG kind, LONG index) const
{
    RequireArgument(IsIndexInRange(index, CountOf(kind)));
}

// The address of a value of kinds 1 to 6 (for kind 0, of its bit array); the index is checked.
BYTE* CNiraSettingsStore::ValueAt(LONG kind, LONG index)
{
    const ValueBlock& block = m_values[kind];
    RequireSettings(block.values != nullptr && block.count != 0);
    if (kind == SETTING_ARRAY_FLAG) {
        return block.values;
    }
    return block.values + static_cast<DWORD>(index) * kSettingElementWidths[kind];
}

bool CNiraSettingsStore::HasEntry(LONG kind, LONG index)
{
    const BYTE* bits = PresenceBits(kind, index);
    return bits != nullptr && TestBit(bits, static_cast<DWORD>(index));
}

// The mask's bit array of the kind when the index lies in it (as the mask's own Test and Mark
// check), read through its description, which stays current for the life of the mask: presence is
// asked for at every read and write, and costs no call then.
BYTE* CNiraSettingsStore::PresenceBits(LONG kind, LONG index) const
{
    if (m_maskInfo == nullptr || !IsSettingArrayKind(kind)) {
        return nullptr;
    }
    const SettingsMaskArray& array = m_maskInfo->kinds[kind];
    return IsIndexInRange(index, array.count) ? array.bits : nullptr;
}

void CNiraSettingsStore::MarkPresent(LONG kind, LONG index)
{
    BYTE* bits = PresenceBits(kind, index);
    if (bits != nullptr) {
        SetBit(bits, static_cast<DWORD>(index));
    }
}

template <typename T>
BOOLEAN CNiraSettingsStore::GetValue(LONG kind, LONG index, T* value)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(kind, index);
        RequireArgument(value != nullptr);
        const BYTE* at = ValueAt(kind, index);
        if (!HasEntry(kind, index)) {
            return false;
        }
        memcpy(value, at, sizeof(T));
        return true;
    });
}

template <typename T>
BOOLEAN CNiraSettingsStore::SetValue(LONG kind, LONG index, const T& value)
{
    return GuardSettingsCall([&] {
        RequireIndex(kind, index);
        BYTE* at = ValueAt(kind, index);
        RequireSettings(m_mask != nullptr);
        memcpy(at, &value, sizeof(T));
        MarkPresent(kind, index);
    });
}

BOOLEAN CNiraSettingsStore::GetFlag(LONG index, BYTE* value)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(SETTING_ARRAY_FLAG, index);
        RequireArgument(value != nullptr);
        const BYTE* bits = ValueAt(SETTING_ARRAY_FLAG, index);
        if (!HasEntry(SETTING_ARRAY_FLAG, index)) {
            return false;
        }
        *value = TestBit(bits, static_cast<DWORD>(index)) ? 1 : 0;
        return true;
    });
}

BOOLEAN CNiraSettingsStore::GetByte(LONG index, BYTE* value)
{
    return GetValue(SETTING_ARRAY_BYTE, index, value);
}

BOOLEAN CNiraSettingsStore::GetWord(LONG index, WORD* value)
{
    return GetValue(SETTING_ARRAY_WORD, index, value);
}

BOOLEAN CNiraSettingsStore::GetInt(LONG index, LONG* value)
{
    return GetValue(SETTING_ARRAY_INT, index, value);
}

BOOLEAN CNiraSettingsStore::GetFloat(LONG index, FLOAT* value)
{
    return GetValue(SETTING_ARRAY_FLOAT, index, value);
}

BOOLEAN CNiraSettingsStore::GetDouble(LONG index, double* value)
{
    return GetValue(SETTING_ARRAY_DOUBLE, index, value);
}

BOOLEAN CNiraSettingsStore::GetIntRef(LONG index, LONG* value)
{
    return GetValue(SETTING_ARRAY_INT_REF, index, value);
}

BOOLEAN CNiraSettingsStore::GetString(LONG index, CNiraString** copy)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(SETTING_ARRAY_STRING, index);
        RequireArgument(copy != nullptr);
        if (!HasEntry(SETTING_ARRAY_STRING, index)) {
            return false;
        }
        const CNiraString* stored = m_strings[index];
        RequireSettings(stored != nullptr);
        std::unique_ptr<CNiraString> text = NewString();
        text->Assign(*stored);
        CNiraString* issued = text.get();
        AppendString(m_issuedStrings, std::move(text));
        *copy = issued;
        return true;
    });
}

BOOLEAN CNiraSettingsStore::GetBlob(LONG index, BYTE** copy, DWORD* length)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(SETTING_ARRAY_BLOB, index);
        RequireArgument(copy != nullptr && length != nullptr);
        if (!HasEntry(SETTING_ARRAY_BLOB, index)) {
            return false;
        }
        const SettingBlob& stored = m_blobs[index];
        if (IsBlobEmpty(stored)) {
            *copy = nullptr;
            *length = 0;
            return true;
        }
        BYTE* issued = CopyBytes(stored.data, stored.length);
        AppendBlob(m_issuedBlobs, issued, stored.length);
        *copy = issued;
        *length = stored.length;
        return true;
    });
}

BOOLEAN CNiraSettingsStore::SetFlag(LONG index, BYTE value)
{
    return GuardSettingsCall([&] {
        RequireIndex(SETTING_ARRAY_FLAG, index);
        BYTE* bits = ValueAt(SETTING_ARRAY_FLAG, index);
        RequireSettings(m_mask != nullptr);
        if (IsFlagSet(value)) {
            SetBit(bits, static_cast<DWORD>(index));
        } else {
            ClearBit(bits, static_cast<DWORD>(index));
        }
        MarkPresent(SETTING_ARRAY_FLAG, index);
    });
}

BOOLEAN CNiraSettingsStore::SetByte(LONG index, BYTE value)
{
    return SetValue(SETTING_ARRAY_BYTE, index, value);
}

BOOLEAN CNiraSettingsStore::SetWord(LONG index, WORD value)
{
    return SetValue(SETTING_ARRAY_WORD, index, value);
}

BOOLEAN CNiraSettingsStore::SetInt(LONG index, LONG value)
{
    return SetValue(SETTING_ARRAY_INT, index, value);
}

BOOLEAN CNiraSettingsStore::SetFloat(LONG index, FLOAT value)
{
    return SetValue(SETTING_ARRAY_FLOAT, index, value);
}

BOOLEAN CNiraSettingsStore::SetDouble(LONG index, double value)
{
    return SetValue(SETTING_ARRAY_DOUBLE, index, value);
}

BOOLEAN CNiraSettingsStore::SetIntRef(LONG index, const LONG* value)
{
    if (value == nullptr) {
        return FALSE;
    }
    return SetValue(SETTING_ARRAY_INT_REF, index, *value);
}

BOOLEAN CNiraSettingsStore::SetString(LONG index, const CNiraString* value)
{
    return GuardSettingsCall([&] {
        RequireIndex(SETTING_ARRAY_STRING, index);
        RequireArgument(value != nullptr);
        RequireSettings(m_mask != nullptr);
        CNiraString* stored = m_strings[index];
        RequireSettings(stored != nullptr);
        if (stored != value) {
            stored->Assign(*value);
        }
        MarkPresent(SETTING_ARRAY_STRING, index);
    });
}

BOOLEAN CNiraSettingsStore::SetBlob(LONG index, const BYTE* data, DWORD length)
{
    return GuardSettingsCall([&] {
        RequireIndex(SETTING_ARRAY_BLOB, index);
        // The length field is 16 bits wide: a longer blob is refused rather than cut short.
        RequireArgument(length <= kSettingBlobMaxLength);
        RequireSettings(m_mask != nullptr);
        SettingBlob& stored = m_blobs[index];
        BYTE* copy = nullptr;
        if (data != nullptr && length != 0) {
            copy = CopyBytes(data, length);  // the entry keeps its bytes when this fails
        } else {
            length = 0;
        }
        FreeSettingsBlock(stored.data);
        stored = SettingBlob{copy, static_cast<WORD>(length)};
        MarkPresent(SETTING_ARRAY_BLOB, index);
    });
}

void CNiraSettingsStore::ReleaseString(CNiraString* copy)
{
    GuardSettingsAction([&] {
        if (copy == nullptr) {
            return;
        }
        for (LONG i = 0; i < m_issuedStrings.count; ++i) {
            if (m_issuedStrings[i] == copy) {
                m_issuedStrings.RemoveAt(i);
                delete copy;
                return;
            }
        }
    });
}

void CNiraSettingsStore::ReleaseBlob(BYTE* copy)
{
    GuardSettingsAction([&] {
        if (copy == nullptr) {
            return;
        }
        for (LONG i = 0; i < m_issuedBlobs.count; ++i) {
            if (m_issuedBlobs[i].data == copy) {
                m_issuedBlobs.RemoveAt(i);
                FreeSettingsBlock(copy);
                return;
            }
        }
    });
}

BOOLEAN CNiraSettingsStore::IsPresent(LONG kind, LONG index)
{
    return GuardSettingsAnswer([&] {
        RequireIndex(kind, index);
        RequireSettings(m_mask != nullptr);
        return HasEntry(kind, index);  // the mask's own bits, without a call to it
    });
}

INiraSettingsMask* CNiraSettingsStore::GetMask()
{
    return m_mask;
}

BOOLEAN CNiraSettingsStore::GetArrayInfo(LONG kind, void** data, DWORD* size, DWORD* count)
{
    return GuardSettingsCall([&] {
        RequireArgument(data != nullptr && size != nullptr && count != nullptr);
        RequireArgument(IsSettingArrayKind(kind));
        if (kind == SETTING_ARRAY_STRING) {
            *data = &m_strings;
            *size = 0;
            *count = static_cast<DWORD>(m_strings.count);
        } else if (kind == SETTING_ARRAY_BLOB) {
            *data = &m_blobs;
            *size = 0;
            *count = static_cast<DWORD>(m_blobs.count);
        } else {
            *data = m_values[kind].values;
            *size = m_values[kind].size;
            *count = m_values[kind].count;
        }
    });
}
