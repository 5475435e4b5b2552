// The records the product-data provider hands to the settings as blobs. Their readers are the
// components that use the settings API, so the layouts (little-endian, 32-bit integers, UTF-16
// texts zero-filled after their terminator) are a contract.
#pragma once

#include <windows.h>

#include <stddef.h>

constexpr int kDefaultMarkTextChars = 256;

// The overlay (mark) a job starts with; the print processor reads the drawn text, the font and
// the style of it.
constexpr int kDefaultMarkWordCount = 4;
struct DefaultMarkRecord {
    WCHAR overlayText[kDefaultMarkTextChars];
    WCHAR overlayText2[kDefaultMarkTextChars];  // the text that is drawn
    WCHAR overlayFont[kDefaultMarkTextChars];
    INT overlayWords[kDefaultMarkWordCount];
    INT overlayStyle;  // 0 regular, 1 bold, 2 italic, 3 bold italic
    DWORD overlayColor;
    INT overlayWord;
    DWORD overlayColor2;
};
static_assert(sizeof(DefaultMarkRecord) == 1568, "DefaultMarkRecord is 1568 bytes");
static_assert(offsetof(DefaultMarkRecord, overlayWords) == 1536, "DefaultMarkRecord layout");
static_assert(offsetof(DefaultMarkRecord, overlayColor2) == 1564, "DefaultMarkRecord layout");

// Bits 0..24 of an option, one 32-bit value (0 or 1) each, least significant bit first.
constexpr int kFeatureBitsCount = 25;
struct FeatureBitsRecord {
    INT bits[kFeatureBitsCount];
};
static_assert(sizeof(FeatureBitsRecord) == 100, "FeatureBitsRecord is 100 bytes");

void FillDefaultMarkRecord(DefaultMarkRecord& mark);
void FillFeatureBits(FeatureBitsRecord& record, DWORD option);

// The HB list blobs: a count, count records in row order, then one record of zeros.
constexpr DWORD kHbListHeaderSize = 4;
constexpr int kHbTextChars = 260;

struct HbIdScopeEntry {
    INT id;
    INT scope;
};
static_assert(sizeof(HbIdScopeEntry) == 8, "HbIdScopeEntry is 8 bytes");

struct HbModuleEntry {
    INT moduleType;
    WCHAR fileName[kHbTextChars];  // empty for a module without a file ("N/A")
    WCHAR exportName[kHbTextChars];
};
static_assert(sizeof(HbModuleEntry) == 1044, "HbModuleEntry is 1044 bytes");
static_assert(offsetof(HbModuleEntry, exportName) == 524, "HbModuleEntry layout");

struct HbJobDialogEntry {
    INT dialogId;    // EHbJobUIDialogID
    INT uiDialogId;  // uiDialogID
    INT reserved[3];
    INT title;                    // uiTitle
    INT iconId;                   // uiIconID
    INT dialogType;               // uiDlgType
    INT messageType;              // iMessage_Type
    WCHAR message[kHbTextChars];  // wcstrMessageString
    INT helpId;                   // iHelp_id
    INT checkBox;                 // bCheckBox
    INT button1;                  // ibutt1
    INT button2;                  // ibutt2
    INT button4;                  // ibutt4
    INT bitmapId;                 // ibitmap_id
};
static_assert(sizeof(HbJobDialogEntry) == 580, "HbJobDialogEntry is 580 bytes");
static_assert(offsetof(HbJobDialogEntry, title) == 20, "HbJobDialogEntry layout");
static_assert(offsetof(HbJobDialogEntry, message) == 36, "HbJobDialogEntry layout");
static_assert(offsetof(HbJobDialogEntry, helpId) == 556, "HbJobDialogEntry layout");
static_assert(offsetof(HbJobDialogEntry, bitmapId) == 576, "HbJobDialogEntry layout");
