#include "nira/uiplugin/features/handlers/ShortcutRecords.h"

#include <algorithm>

#include "nira/uiplugin/foundation/strings/WordCursor.h"

namespace {

constexpr DWORD kNameTerminatorBytes = 3;
constexpr DWORD kListCountBytes = 4;
// optionId and baseOptionId of a list entry.
constexpr DWORD kListEntryWordBytes = 8;

size_t NameLength(const WCHAR* name)
{
    size_t length = 0;
    while (name != nullptr && length < kShortcutNameMaxChars && name[length] != 0) {
        ++length;
    }
    return length;
}

int ItemValueCount(int kind)
{
    switch (kind) {
    case SHORTCUT_ITEM_VALUE:
    case SHORTCUT_ITEM_EXTRA:
        return 1;
    case SHORTCUT_ITEM_BOTH:
        return 2;
    default:
        return 0;
    }
}

void WriteItem(BYTE** cursor, const ShortcutItem& item)
{
    WriteWordToCursor(cursor, item.featureId);
    WriteWordToCursor(cursor, item.kind);
    WriteWordToCursor(cursor, item.displayState);
    if (item.kind == SHORTCUT_ITEM_VALUE || item.kind == SHORTCUT_ITEM_BOTH) {
        WriteWordToCursor(cursor, item.value);
    }
    if (item.kind == SHORTCUT_ITEM_EXTRA || item.kind == SHORTCUT_ITEM_BOTH) {
        WriteWordToCursor(cursor, item.extraOption);
    }
}

DWORD ListEntryBytes(const ShortcutListEntry& entry)
{
    return std::max(kShortcutListEntryBytes, kListEntryWordBytes + StoredNameBytes(NameLength(entry.name)));
}

}  // namespace

DWORD StoredNameBytes(size_t length)
{
    return static_cast<DWORD>(length * sizeof(WCHAR)) + kNameTerminatorBytes;
}

void WriteNameToCursor(BYTE** cursor, const WCHAR* name)
{
    if (cursor == nullptr || *cursor == nullptr) {
        return;
    }
    const size_t length = NameLength(name);
    for (size_t i = 0; i < length; ++i) {
        (*cursor)[2 * i] = static_cast<BYTE>(name[i] & 0xFF);
        (*cursor)[2 * i + 1] = static_cast<BYTE>((name[i] >> 8) & 0xFF);
    }
    BYTE* end = *cursor + 2 * length;
    std::fill(end, end + kNameTerminatorBytes, BYTE{0});
    *cursor = end + kNameTerminatorBytes;
}

DWORD GetShortcutRecordSize(const ShortcutRecord* record)
{
    if (record == nullptr) {
        return 0;
    }
    DWORD size = kShortcutRecordHeadBytes;
    for (const ShortcutItem& item : record->items) {
        size += kShortcutItemHeadBytes + kShortcutWordBytes * ItemValueCount(item.kind);
    }
    return size;
}

std::vector<BYTE> SerializeShortcutRecord(const ShortcutRecord& record)
{
    std::vector<BYTE> data(GetShortcutRecordSize(&record), 0);
    BYTE* cursor = data.data();
    WriteWordToCursor(&cursor, record.optionId);
    WriteNameToCursor(&cursor, record.name);
    WriteWordToCursor(&cursor, record.baseOptionId);
    WriteNameToCursor(&cursor, record.baseName);
    WriteWordToCursor(&cursor, static_cast<int>(record.items.size()));
    for (const ShortcutItem& item : record.items) {
        WriteItem(&cursor, item);
    }
    return data;
}

std::vector<BYTE> SerializeShortcutList(const ShortcutListEntry* entries, int count)
{
    DWORD size = kListCountBytes;
    for (int i = 0; entries != nullptr && i < count; ++i) {
        size += ListEntryBytes(entries[i]);
    }
    std::vector<BYTE> data(size, 0);
    BYTE* cursor = data.data();
    WriteWordToCursor(&cursor, entries != nullptr ? count : 0);
    for (int i = 0; entries != nullptr && i < count; ++i) {
        WriteWordToCursor(&cursor, entries[i].optionId);
        WriteWordToCursor(&cursor, entries[i].baseOptionId);
        WriteNameToCursor(&cursor, entries[i].name);
    }
    return data;
}

int CShortcutValueReader::ReadWord()
{
    if (!m_ok || m_size - m_offset < kShortcutWordBytes) {
        m_ok = false;
        return 0;
    }
    const BYTE* bytes = m_data + m_offset;
    m_offset += kShortcutWordBytes;
    const DWORD bits = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<DWORD>(bytes[3]) << 24);
    const LONG value = static_cast<LONG>(bits);
    return value < 0 ? 0 : static_cast<int>(value);
}

void CShortcutValueReader::ReadName(WCHAR* name)
{
    size_t length = 0;
    while (m_ok) {
        if (m_size - m_offset < sizeof(WCHAR)) {
            m_ok = false;
            break;
        }
        const WCHAR unit = static_cast<WCHAR>(m_data[m_offset] | (m_data[m_offset + 1] << 8));
        m_offset += sizeof(WCHAR);
        if (unit == 0) {
            // The name's third zero byte.
            m_ok = m_offset < m_size;
            m_offset += m_ok ? 1 : 0;
            break;
        }
        if (length == kShortcutNameMaxChars) {
            m_ok = false;
            break;
        }
        name[length++] = unit;
    }
    name[m_ok ? length : 0] = 0;
}

bool ParseShortcutRecordHead(const BYTE* data, DWORD size, ShortcutRecord& record)
{
    CShortcutValueReader reader(data, size);
    ShortcutRecord read;
    read.optionId = reader.ReadWord();
    reader.ReadName(read.name);
    if (!reader.Ok()) {
        return false;
    }
    record.optionId = read.optionId;
    std::copy(std::begin(read.name), std::end(read.name), std::begin(record.name));
    return true;
}

bool ParseShortcutRecord(const BYTE* data, DWORD size, ShortcutRecord& record)
{
    CShortcutValueReader reader(data, size);
    ShortcutRecord read;
    read.optionId = reader.ReadWord();
    reader.ReadName(read.name);
    read.baseOptionId = reader.ReadWord();
    reader.ReadName(read.baseName);
    const int count = reader.ReadWord();
    // Each item takes at least its head: a count past that cannot be what the value holds.
    if (!reader.Ok() || static_cast<DWORD>(count) > reader.Remaining() / kShortcutItemHeadBytes) {
        return false;
    }
    read.items.reserve(count);
    for (int i = 0; i < count && reader.Ok(); ++i) {
        ShortcutItem item = {};
        item.featureId = reader.ReadWord();
        item.kind = reader.ReadWord();
        item.displayState = reader.ReadWord();
        if (item.kind == SHORTCUT_ITEM_VALUE || item.kind == SHORTCUT_ITEM_BOTH) {
            item.value = reader.ReadWord();
        }
        if (item.kind == SHORTCUT_ITEM_EXTRA || item.kind == SHORTCUT_ITEM_BOTH) {
            item.extraOption = reader.ReadWord();
        }
        read.items.push_back(item);
    }
    if (!reader.Ok()) {
        return false;
    }
    // Each item read is put first.
    std::reverse(read.items.begin(), read.items.end());
    record = std::move(read);
    return true;
}

bool ParseShortcutList(const BYTE* data, DWORD size, std::vector<ShortcutListEntry>& entries)
{
    CShortcutValueReader reader(data, size);
    const int count = reader.ReadWord();
    // An entry takes at least its two words and a name's terminator.
    const DWORD smallestEntry = kListEntryWordBytes + StoredNameBytes(0);
    if (!reader.Ok() || static_cast<DWORD>(count) > reader.Remaining() / smallestEntry) {
        return false;
    }
    std::vector<ShortcutListEntry> read(count);
    for (ShortcutListEntry& entry : read) {
        entry.optionId = reader.ReadWord();
        entry.baseOptionId = reader.ReadWord();
        reader.ReadName(entry.name);
    }
    if (!reader.Ok()) {
        return false;
    }
    entries.insert(entries.end(), read.begin(), read.end());
    return true;
}

int UpdateShortcutItem(int featureId, int updateKind, int value, std::vector<ShortcutItem>& items,
                       int* removed, int isDefault)
{
    auto found = std::find_if(items.begin(), items.end(),
                              [featureId](const ShortcutItem& item) { return item.featureId == featureId; });
    if (found == items.end() || ItemValueCount(found->kind) == 0 || updateKind < SHORTCUT_ITEM_VALUE ||
        updateKind > SHORTCUT_ITEM_BOTH) {
        return 0;
    }
    ShortcutItem& item = *found;
    if (updateKind == SHORTCUT_ITEM_EXTRA) {
        item.kind = SHORTCUT_ITEM_BOTH;
        item.extraOption = value;
    } else if (updateKind == SHORTCUT_ITEM_BOTH) {
        item.kind = SHORTCUT_ITEM_BOTH;
        item.value = value;
        item.extraOption = value;
    } else if (isDefault != 0) {
        if (item.kind == SHORTCUT_ITEM_VALUE) {
            items.erase(found);
            if (removed != nullptr) {
                *removed = 1;
            }
        } else {
            item.kind = SHORTCUT_ITEM_BOTH;
            item.value = value;
        }
    } else if (item.kind == SHORTCUT_ITEM_VALUE) {
        item.value = value;
    } else {
        item.value = 0;
        item.kind = item.kind == SHORTCUT_ITEM_BOTH ? SHORTCUT_ITEM_EXTRA : item.kind;
    }
    return 1;
}
