// The printing shortcuts' records and the forms they are stored in. A predefined shortcut (option
// ids up to 499 of the shortcuts feature) is a set of rows of the capability database; a custom one
// (ids from 500) is a record the user saved: the shortcut it was made from and the settings that
// differ from it. Records and the list of custom shortcuts are kept as REG_BINARY values.
//
// Stored forms (little-endian):
// - word: 4 bytes, the low 16 bits written and two zero bytes; read as a signed 32-bit number
//   whose negative values read as 0.
// - name: the UTF-16 units (at most 259), then three zero bytes.
// - record: optionId, name, baseOptionId, baseName, item count, then per item featureId, kind,
//   displayState and the item's values (kind 1 value, kind 2 extraOption, kind 3 both); the value
//   is 1060 bytes plus 12 per item and 4 per item value, zero after the last item.
// - list: count, then per entry optionId, baseOptionId, name; at least 528 bytes per entry.
// The values come from the printer's data and the user's registry, which others may write: every
// read is bounded, and a value that is short, counts past its end or holds a name without its
// terminator reads as absent.
#pragma once

#include <windows.h>

#include <vector>

enum NiraShortcutIds : int {
    SHORTCUT_FIXED_OPTION = 9,       // the shortcut shown greyed, and the one a lock keeps
    CUSTOM_SHORTCUT_FIRST_ID = 500,  // option ids above 499 are custom shortcuts
    CUSTOMIZED_SETTINGS_ID = 1500,   // the working record "Customized Settings"
    SOFT_LINK_FIRST = 6399,          // the soft-link features of the shortcuts page
    SOFT_LINK_LAST = 6500,
};

enum NiraShortcutItemKind : int {
    SHORTCUT_ITEM_VALUE = 1,  // value is the feature's option
    SHORTCUT_ITEM_EXTRA = 2,  // extraOption is an option the page does not list
    SHORTCUT_ITEM_BOTH = 3,
};

constexpr size_t kShortcutNameChars = 260;
// The longest name a record or list entry stores.
constexpr size_t kShortcutNameMaxChars = kShortcutNameChars - 1;
// The name of the working record, also its value name.
constexpr WCHAR kCustomizedSettingsName[] = TEXT("Customized Settings");

// One row of the shortcuts table: one setting a predefined shortcut makes.
struct ShortcutRow {
    int optionId;
    const WCHAR* name;  // null for a null column
    int bitmapId;
    int featureId;  // the soft-link feature the row sets
    const WCHAR* featureName;
    int stringId;
    int softLink;
    int softLinkFeatureId;
    int softLinkFeatureId2;
    int defaultOption;  // of the column the user interface language picks
    int auxIndex;
    int auxBit;
    int helpId;
    int maxDpiSupported;
};

// One changed setting of a record.
struct ShortcutItem {
    int featureId;
    int kind;  // NiraShortcutItemKind; other kinds carry no value
    int value;
    int extraOption;
    int displayState;
};

// A custom shortcut, or the working record. The items' order carries no meaning; their count is
// the vector's.
struct ShortcutRecord {
    int optionId = 0;
    WCHAR name[kShortcutNameChars] = {};
    int baseOptionId = 0;
    WCHAR baseName[kShortcutNameChars] = {};
    std::vector<ShortcutItem> items;
};

struct ShortcutListEntry {
    int optionId;
    int baseOptionId;
    WCHAR name[kShortcutNameChars];
};

// --- stored forms ---
constexpr DWORD kShortcutWordBytes = 4;
constexpr DWORD kShortcutRecordHeadBytes = 1060;
constexpr DWORD kShortcutItemHeadBytes = 12;
constexpr DWORD kShortcutListEntryBytes = 528;

// Writes the name's units (at most 259) and three zero bytes, advancing the cursor past them.
void WriteNameToCursor(BYTE** cursor, const WCHAR* name);
// The stored size of a name of `length` units.
DWORD StoredNameBytes(size_t length);

// Bytes the record stores in: 0 for a null record.
DWORD GetShortcutRecordSize(const ShortcutRecord* record);
// The record's stored form, its items from the first; each item's displayState as it stands.
std::vector<BYTE> SerializeShortcutRecord(const ShortcutRecord& record);
std::vector<BYTE> SerializeShortcutList(const ShortcutListEntry* entries, int count);

// A bounded reader of a stored value.
class CShortcutValueReader {
public:
    CShortcutValueReader(const BYTE* data, DWORD size) : m_data(data), m_size(size), m_offset(0), m_ok(true)
    {}

    int ReadWord();
    // Reads a name into a buffer of kShortcutNameChars units; a name without terminator, or one
    // longer than 259 units, fails the reader.
    void ReadName(WCHAR* name);
    bool Ok() const { return m_ok; }
    DWORD Remaining() const { return m_ok ? m_size - m_offset : 0; }

private:
    const BYTE* m_data;
    DWORD m_size;
    DWORD m_offset;
    bool m_ok;
};

// Parse a stored record (whole, or only its optionId and name); false when the value is damaged.
// The items are put first in the order they are read, so the last stored item comes first.
bool ParseShortcutRecord(const BYTE* data, DWORD size, ShortcutRecord& record);
bool ParseShortcutRecordHead(const BYTE* data, DWORD size, ShortcutRecord& record);
// Parses a stored list and appends its entries; false (nothing appended) when it is damaged.
bool ParseShortcutList(const BYTE* data, DWORD size, std::vector<ShortcutListEntry>& entries);

// --- items ---
// Applies an update of kind 1 to 3 to the feature's item (table below); 1 when the feature has an
// item of kind 1 to 3, else 0. *removed is set to 1 when the item was taken out.
//   item kind | update 1, isDefault | update 1, not default | update 2          | update 3
//   1         | removed             | value = v             | 3, extra = v      | 3, value = extra = v
//   2         | 3, value = v        | value = 0             | 3, extra = v      | 3, value = extra = v
//   3         | value = v           | value = 0, kind 2     | extra = v         | value = extra = v
int UpdateShortcutItem(int featureId, int updateKind, int value, std::vector<ShortcutItem>& items,
                       int* removed, int isDefault);
