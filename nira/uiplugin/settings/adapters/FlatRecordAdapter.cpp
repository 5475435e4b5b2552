#include "nira/uiplugin/settings/adapters/FlatRecordAdapter.h"

#include "common/SafeString.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"

#include <limits>
#include <string.h>

namespace {

enum FlatRecord : LONG {
    FLAT_JOB_SETTINGS,
    FLAT_DRIVER_STATE,
    FLAT_PAGE_SETTINGS,
    FLAT_RECORD_COUNT,
};

// How a setting becomes a record field.
enum FlatRule : LONG {
    FLAT_FLAG,          // 32-bit 1 when the flag is 1, else 0
    FLAT_COPY,          // 32-bit value (integer or float) unchanged
    FLAT_MICRONS,       // a length in inches as a 32-bit count of micrometres
    FLAT_REPEAT_MODE,   // flag 158, gated by flag 201
    FLAT_REPEAT_COUNT,  // integer 2050 + 1 when flag 201 allows, else 1
    FLAT_IS_TWO,        // 32-bit 1 when the integer is 2, else 0
    FLAT_OUTPUT_MODE,   // kind 6: the value when 1 to 5, else 0
    FLAT_POSTER_SIZE,   // kind 6: only with the poster flag; the value when 1 to 3, else 0
    FLAT_MARGIN_FLAG,   // kind 6: 1 when the values at 5 and 6 are both 2; else not written
    FLAT_BYTES,         // the blob's bytes, only when it has exactly size bytes
    FLAT_HAS_BLOB,      // 32-bit 1 when the owner has the blob
    FLAT_TEXT,          // the string, cut to size - 1 characters and terminated
    FLAT_RECTANGLE,     // the intersection of the rectangles of blobs 30 and 31
};

}  // namespace

struct FlatRecordRow {
    LONG record;  // FlatRecord
    DWORD offset;
    SettingRef setting;
    LONG rule;   // FlatRule
    DWORD size;  // FLAT_BYTES: bytes; FLAT_TEXT: characters; else 0
};

namespace {

constexpr LONG F = SETTING_ARRAY_FLAG;
constexpr LONG I = SETTING_ARRAY_INT;
constexpr LONG R = SETTING_ARRAY_FLOAT;
constexpr LONG N = SETTING_ARRAY_INT_REF;
constexpr LONG S = SETTING_ARRAY_STRING;
constexpr LONG B = SETTING_ARRAY_BLOB;
constexpr LONG JS = FLAT_JOB_SETTINGS;
constexpr LONG DS = FLAT_DRIVER_STATE;
constexpr LONG PS = FLAT_PAGE_SETTINGS;

#define JOB(field) JS, offsetof(JobSettingsRecord, field)
#define STATE(field) DS, offsetof(DriverStateRecord, field)
#define PAGE(field) PS, offsetof(PageSettingsRecord, field)

// Readings the rules depend on.
constexpr LONG kGateFlag = 201;
constexpr LONG kPosterFlag = 16;
constexpr LONG kMarginModeIntRef = 5;
constexpr LONG kMarginValueBoth = 2;
constexpr LONG kDuplexManualValue = 2;
constexpr LONG kOutputModeLast = 5;
constexpr LONG kPosterSizeLast = 3;
constexpr LONG kRectangleBlobA = 30;
constexpr LONG kRectangleBlobB = 31;
constexpr double kMicronsPerInch = 25400.0;

const FlatRecordRow kFlatRows[] = {
    {JOB(outputMode), {N, 71}, FLAT_OUTPUT_MODE, 0},
    {JOB(pageBorders), {F, 18}, FLAT_FLAG, 0},
    {JOB(nupDirection), {N, 8}, FLAT_COPY, 0},
    {JOB(rotate180), {F, 4}, FLAT_FLAG, 0},
    {JOB(booklet), {N, 2}, FLAT_COPY, 0},
    {JOB(fitToPaper), {F, 3}, FLAT_FLAG, 0},
    {JOB(paperSize), {I, 2}, FLAT_COPY, 0},
    {JOB(fitScales), {F, 8}, FLAT_FLAG, 0},
    {JOB(scalePercent), {I, 4}, FLAT_COPY, 0},
    {JOB(maxSheetWidthUm), {R, 0}, FLAT_MICRONS, 0},
    {JOB(cellReports), {F, 6}, FLAT_FLAG, 0},
    {JOB(overlayFirstPageOnly), {F, 7}, FLAT_FLAG, 0},
    {JOB(overlay), {B, 0}, FLAT_BYTES, sizeof(JobOverlaySettings)},
    {JOB(marginMode), {N, 1}, FLAT_COPY, 0},
    {JOB(driverMargins), {F, 108}, FLAT_FLAG, 0},
    {JOB(placementReports), {F, 107}, FLAT_FLAG, 0},
    {JOB(marginVariant), {F, 106}, FLAT_FLAG, 0},
    {JOB(manualDuplex), {F, 2}, FLAT_FLAG, 0},
    {JOB(manualDuplex), {I, 2048}, FLAT_IS_TWO, 0},
    {JOB(bindShortEdge), {F, 5}, FLAT_FLAG, 0},
    {JOB(manualDuplexFrontRule), {F, 336}, FLAT_FLAG, 0},
    {JOB(manualDuplexBackRule), {F, 127}, FLAT_FLAG, 0},
    {JOB(manualDuplexOrderMode), {F, 122}, FLAT_FLAG, 0},
    {JOB(dropShortManualDuplex), {F, 121}, FLAT_FLAG, 0},
    {JOB(sourceSwap), {F, 120}, FLAT_FLAG, 0},
    {JOB(manualDuplexSource), {I, 5}, FLAT_COPY, 0},
    {JOB(alternateSource), {N, 10}, FLAT_COPY, 0},
    {JOB(echoWordA), {F, 202}, FLAT_FLAG, 0},
    {JOB(skipLastBlankBackSingle), {F, 143}, FLAT_FLAG, 0},
    {JOB(skipLastBlankBack), {F, 144}, FLAT_FLAG, 0},
    {JOB(rotationEnabled), {F, 125}, FLAT_FLAG, 0},
    {JOB(echoWordB), {F, 203}, FLAT_FLAG, 0},
    {JOB(repeatCount), {I, 2050}, FLAT_REPEAT_COUNT, 0},
    {JOB(repeatMode), {F, 158}, FLAT_REPEAT_MODE, 0},
    {JOB(previewEnabled), {F, 105}, FLAT_FLAG, 0},
    {JOB(poster), {F, 16}, FLAT_FLAG, 0},
    {JOB(posterSize), {N, 9}, FLAT_POSTER_SIZE, 0},
    {JOB(posterTileSelected), {B, 1}, FLAT_BYTES, sizeof(JobSettingsRecord::posterTileSelected)},
    {JOB(expandToEdges), {F, 100}, FLAT_FLAG, 0},
    {JOB(driverStateWordA), {F, 12}, FLAT_FLAG, 0},
    {JOB(driverStateWordB), {F, 101}, FLAT_FLAG, 0},
    {JOB(centreImage), {F, 0}, FLAT_FLAG, 0},
    {JOB(expandMarginsA[0]), {R, 20}, FLAT_COPY, 0},
    {JOB(expandMarginsA[1]), {R, 22}, FLAT_COPY, 0},
    {JOB(driverStateWordC), {I, 1910}, FLAT_COPY, 0},
    {JOB(expandMarginsB[0]), {R, 21}, FLAT_COPY, 0},
    {JOB(expandMarginsB[1]), {R, 23}, FLAT_COPY, 0},
    {JOB(driverWordA), {I, 1911}, FLAT_COPY, 0},
    {JOB(pageParityMode), {F, 200}, FLAT_FLAG, 0},
    {JOB(sourceOverride), {I, 1912}, FLAT_COPY, 0},
    {JOB(uncollatedCopiesByProcessor), {F, 204}, FLAT_FLAG, 0},
    {JOB(jobText), {S, 2}, FLAT_TEXT, kJobSettingsTextChars},
    {JOB(driverScales), {F, 124}, FLAT_FLAG, 0},

    {STATE(repeatCount), {I, 2050}, FLAT_REPEAT_COUNT, 0},
    {STATE(repeatMode), {F, 158}, FLAT_REPEAT_MODE, 0},
    {STATE(driverStateWordA), {F, 12}, FLAT_FLAG, 0},
    {STATE(previewEnabled), {F, 105}, FLAT_FLAG, 0},
    {STATE(echoWordA), {F, 202}, FLAT_FLAG, 0},
    {STATE(echoWordB), {F, 203}, FLAT_FLAG, 0},
    {STATE(rotationEnabled), {F, 125}, FLAT_FLAG, 0},
    {STATE(skipLastBlankBackSingle), {F, 143}, FLAT_FLAG, 0},
    {STATE(skipLastBlankBack), {F, 144}, FLAT_FLAG, 0},
    {STATE(expandToEdges), {F, 100}, FLAT_FLAG, 0},
    {STATE(driverStateWordB), {F, 101}, FLAT_FLAG, 0},
    {STATE(centreImage), {F, 0}, FLAT_FLAG, 0},
    {STATE(expandMargins[0]), {R, 20}, FLAT_COPY, 0},
    {STATE(expandMargins[1]), {R, 21}, FLAT_COPY, 0},
    {STATE(expandMargins[2]), {R, 22}, FLAT_COPY, 0},
    {STATE(expandMargins[3]), {R, 23}, FLAT_COPY, 0},
    {STATE(driverStateWordC), {I, 1910}, FLAT_COPY, 0},
    {STATE(pageParityMode), {F, 200}, FLAT_FLAG, 0},
    {STATE(driverWordB), {I, 1998}, FLAT_COPY, 0},
    {STATE(colorToolEnabled), {B, 24}, FLAT_HAS_BLOB, 0},
    {STATE(colorToolArgument), {S, 24}, FLAT_TEXT, kColorToolArgumentChars},

    {PAGE(printableWidth), {I, 1969}, FLAT_COPY, 0},
    {PAGE(printableHeight), {I, 1970}, FLAT_COPY, 0},
    {PAGE(marginX), {I, 2035}, FLAT_COPY, 0},
    {PAGE(offsetX), {I, 2035}, FLAT_COPY, 0},
    {PAGE(marginY), {I, 2036}, FLAT_COPY, 0},
    {PAGE(offsetY), {I, 2036}, FLAT_COPY, 0},
    {PAGE(imageOffsetX), {B, kRectangleBlobA}, FLAT_RECTANGLE, 0},
    {PAGE(imageOffsetX), {B, kRectangleBlobB}, FLAT_RECTANGLE, 0},
    {PAGE(marginFlag), {N, 6}, FLAT_MARGIN_FLAG, 0},
};

#undef JOB
#undef STATE
#undef PAGE

// The handled entries, in the order of UpdateAll.
const SettingRef kFlatEntries[] = {
    {F, 18},   {F, 4},    {F, 3},    {F, 8},    {F, 6},    {F, 7},    {F, 108},  {F, 107},  {F, 106},
    {F, 2},    {F, 5},    {F, 122},  {F, 121},  {F, 120},  {F, 202},  {F, 143},  {F, 144},  {F, 125},
    {F, 203},  {F, 158},  {F, 105},  {F, 16},   {F, 100},  {F, 12},   {F, 101},  {F, 0},    {F, 200},
    {F, 204},  {F, 124},  {F, 127},  {F, 336},  {I, 2},    {I, 4},    {I, 5},    {I, 2048}, {I, 2050},
    {I, 1910}, {I, 1911}, {I, 1912}, {I, 1998}, {I, 1969}, {I, 1970}, {I, 2035}, {I, 2036}, {R, 0},
    {R, 20},   {R, 22},   {R, 21},   {R, 23},   {N, 71},   {N, 8},    {N, 2},    {N, 1},    {N, 9},
    {N, 6},    {N, 10},   {S, 2},    {S, 24},   {B, 0},    {B, 1},    {B, 30},   {B, 31},   {B, 24},
};

constexpr DWORD kFlatRecordSizes[FLAT_RECORD_COUNT] = {kJobSettingsRecordSize, kDriverStateRecordSize,
                                                       kPageSettingsRecordSize};

// The rectangle blobs: left, top, right, bottom as signed 32-bit values.
constexpr DWORD kRectangleBlobSize = 4 * sizeof(LONG);

bool RecordHasKind(LONG record, LONG kind)
{
    for (const FlatRecordRow& row : kFlatRows) {
        if (row.record == record && row.setting.kind == kind) {
            return true;
        }
    }
    return false;
}

void PutField32(BYTE* field, LONG value)
{
    memcpy(field, &value, sizeof(value));
}

// A length in inches as micrometres, truncated toward zero. Values a 32-bit integer cannot hold
// (and NaN) give the integer indefinite, as the processor's truncating conversion does.
LONG InchesToMicrons(FLOAT inches)
{
    constexpr LONG indefinite = std::numeric_limits<LONG>::min();
    const double microns = static_cast<double>(inches) * kMicronsPerInch;
    if (!(microns > -2147483649.0 && microns < 2147483648.0)) {
        return indefinite;
    }
    return static_cast<LONG>(microns);
}

LONG KeepInRange(LONG value, LONG last)
{
    return value >= 1 && value <= last ? value : 0;
}

}  // namespace

struct CNiraFlatRecordAdapter::OwnerValue {
    INiraSettingsAccess* owner = nullptr;
    BYTE flag = 0;
    LONG integer = 0;
    FLOAT real = 0;
    CNiraString* text = nullptr;
    BYTE* data = nullptr;
    DWORD length = 0;

    ~OwnerValue()
    {
        if (owner != nullptr) {
            owner->ReleaseString(text);
            owner->ReleaseBlob(data);
        }
    }

    // False when the owner has no value; kind 6 is read per row and always answers true.
    bool Read(INiraSettingsAccess& from, LONG kind, LONG index)
    {
        owner = &from;
        switch (kind) {
        case SETTING_ARRAY_FLAG:
            return from.GetFlag(index, &flag, FALSE, FALSE) == TRUE;
        case SETTING_ARRAY_INT:
            return from.GetInt(index, &integer, FALSE, FALSE) == TRUE;
        case SETTING_ARRAY_FLOAT:
            return from.GetFloat(index, &real, FALSE, FALSE) == TRUE;
        case SETTING_ARRAY_INT_REF:
            return true;
        case SETTING_ARRAY_STRING:
            return from.GetString(index, &text, FALSE, FALSE) == TRUE;
        case SETTING_ARRAY_BLOB:
            return from.GetBlob(index, &data, &length, FALSE, FALSE) == TRUE;
        default:
            return false;
        }
    }
};

CNiraFlatRecordAdapter::~CNiraFlatRecordAdapter()
{
    GuardSettingsAction([this] { ReleaseObjects(); });
}

BOOLEAN CNiraFlatRecordAdapter::Attach(INiraSettingsAccess* owner)
{
    return GuardSettingsCall([&] {
        ReleaseObjects();
        RequireArgument(owner != nullptr);
        m_owner = owner;
        m_handledMask = MakeAllocatedMask();
        for (const SettingRef& entry : kFlatEntries) {
            MarkMaskEntry(*m_handledMask, entry.kind, entry.index);
        }
    });
}

BOOLEAN CNiraFlatRecordAdapter::UpdateAll()
{
    if (m_owner == nullptr) {
        return FALSE;
    }
    for (const SettingRef& entry : kFlatEntries) {
        SyncProviderEntry(*this, entry.kind, entry.index);
    }
    return TRUE;
}

BOOLEAN CNiraFlatRecordAdapter::SyncFlag(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLAG, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncByte(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BYTE, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncWord(LONG index)
{
    return SyncEntry(SETTING_ARRAY_WORD, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncInt(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncFloat(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLOAT, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncDouble(LONG index)
{
    return SyncEntry(SETTING_ARRAY_DOUBLE, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncIntRef(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT_REF, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncString(LONG index)
{
    return SyncEntry(SETTING_ARRAY_STRING, index);
}

BOOLEAN CNiraFlatRecordAdapter::SyncBlob(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BLOB, index);
}

// Once the entry is accepted the answer is true, whether or not a field was written.
BOOLEAN CNiraFlatRecordAdapter::SyncEntry(LONG kind, LONG index)
{
    if (HandlesEntry(kind, index) != TRUE || m_owner == nullptr) {
        return FALSE;
    }
    GuardSettingsAction([&] { WriteRecords(kind, index); });
    return TRUE;
}

BYTE* CNiraFlatRecordAdapter::RecordBytes(LONG record) const
{
    switch (record) {
    case FLAT_JOB_SETTINGS:
        return reinterpret_cast<BYTE*>(m_jobSettings);
    case FLAT_DRIVER_STATE:
        return reinterpret_cast<BYTE*>(m_driverState);
    case FLAT_PAGE_SETTINGS:
        return reinterpret_cast<BYTE*>(m_pageSettings);
    default:
        return nullptr;
    }
}

// The records are visited in order. One that carries settings of the kind but not this one ends
// the walk (the driver state, which carries only index 24 of strings and blobs, is passed over),
// so a record is written completely when it is set alone; the escapes ask for one at a time.
void CNiraFlatRecordAdapter::WriteRecords(LONG kind, LONG index)
{
    OwnerValue value;
    if (!value.Read(*m_owner, kind, index)) {
        return;
    }
    for (LONG record = 0; record < FLAT_RECORD_COUNT; ++record) {
        BYTE* bytes = RecordBytes(record);
        if (bytes == nullptr || !RecordHasKind(record, kind)) {
            continue;
        }
        bool carried = false;
        for (const FlatRecordRow& row : kFlatRows) {
            if (row.record != record || row.setting.kind != kind || row.setting.index != index) {
                continue;
            }
            carried = true;
            if (!WriteRow(row, value, bytes)) {
                return;
            }
        }
        const bool passOver =
            record == FLAT_DRIVER_STATE && (kind == SETTING_ARRAY_STRING || kind == SETTING_ARRAY_BLOB);
        if (!carried && !passOver) {
            return;
        }
    }
}

// Writes one field; false ends the Sync.
bool CNiraFlatRecordAdapter::WriteRow(const FlatRecordRow& row, const OwnerValue& value, BYTE* record)
{
    BYTE* field = record + row.offset;
    switch (row.rule) {
    case FLAT_FLAG:
        PutField32(field, value.flag == 1 ? 1 : 0);
        return true;
    case FLAT_COPY:
        if (row.setting.kind == SETTING_ARRAY_FLOAT) {
            memcpy(field, &value.real, sizeof(value.real));
        } else if (row.setting.kind == SETTING_ARRAY_INT) {
            PutField32(field, value.integer);
        } else {
            return WriteIntRefRow(row, field);
        }
        return true;
    case FLAT_MICRONS:
        PutField32(field, InchesToMicrons(value.real));
        return true;
    case FLAT_REPEAT_MODE:
        PutField32(field, value.flag == 1 && GateFlagOnOrUnknown() ? 1 : 0);
        return true;
    case FLAT_REPEAT_COUNT:
        // Wraps like the 32-bit field rather than overflowing.
        PutField32(field,
                   GateFlagOnOrUnknown() ? static_cast<LONG>(static_cast<DWORD>(value.integer) + 1u) : 1);
        return true;
    case FLAT_IS_TWO:
        PutField32(field, value.integer == kDuplexManualValue ? 1 : 0);
        return true;
    case FLAT_BYTES:
        if (value.data == nullptr || value.length != row.size) {
            return false;
        }
        memcpy(field, value.data, row.size);
        return true;
    case FLAT_HAS_BLOB:
        PutField32(field, 1);
        return true;
    case FLAT_TEXT:
        if (value.text != nullptr && value.text->GetLength() > 0) {
            CopyStringSafeN(reinterpret_cast<WCHAR*>(field), row.size, value.text->GetBuffer(),
                            static_cast<size_t>(value.text->GetLength()));
        }
        return true;
    case FLAT_RECTANGLE:
        return WriteRectangle(row.setting.index, value, field);
    default:
        return WriteIntRefRow(row, field);
    }
}

// The kind-6 rules read the owner's values themselves; a value that cannot be read ends the Sync.
bool CNiraFlatRecordAdapter::WriteIntRefRow(const FlatRecordRow& row, BYTE* field)
{
    LONG value = 0;
    switch (row.rule) {
    case FLAT_COPY:
        if (!ReadIntRef(row.setting.index, &value)) {
            return false;
        }
        PutField32(field, value);
        return true;
    case FLAT_OUTPUT_MODE:
        if (!ReadIntRef(row.setting.index, &value)) {
            return false;
        }
        PutField32(field, KeepInRange(value, kOutputModeLast));
        return true;
    case FLAT_POSTER_SIZE: {
        BYTE poster = 0;
        if (!ReadFlag(kPosterFlag, &poster) || poster != 1) {
            return true;
        }
        if (!ReadIntRef(row.setting.index, &value)) {
            return false;
        }
        PutField32(field, KeepInRange(value, kPosterSizeLast));
        return true;
    }
    case FLAT_MARGIN_FLAG: {
        if (!ReadIntRef(kMarginModeIntRef, &value)) {
            return false;
        }
        if (value != kMarginValueBoth) {
            return true;
        }
        if (!ReadIntRef(row.setting.index, &value)) {
            return false;
        }
        if (value == kMarginValueBoth) {
            PutField32(field, 1);
        }
        return true;
    }
    default:
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
}

// Both rectangles must be present and 16 bytes long; the result is not checked for being empty.
bool CNiraFlatRecordAdapter::WriteRectangle(LONG index, const OwnerValue& value, BYTE* field)
{
    OwnerValue other;
    const LONG otherIndex = index == kRectangleBlobA ? kRectangleBlobB : kRectangleBlobA;
    if (!other.Read(*m_owner, SETTING_ARRAY_BLOB, otherIndex)) {
        return false;
    }
    const OwnerValue* both[] = {&value, &other};
    LONG sides[2][4] = {};
    for (int i = 0; i < 2; ++i) {
        if (both[i]->data == nullptr || both[i]->length != kRectangleBlobSize) {
            return false;
        }
        memcpy(sides[i], both[i]->data, kRectangleBlobSize);
    }
    const LONG intersection[4] = {
        sides[0][0] > sides[1][0] ? sides[0][0] : sides[1][0],  // larger left
        sides[0][1] > sides[1][1] ? sides[0][1] : sides[1][1],  // larger top
        sides[0][2] < sides[1][2] ? sides[0][2] : sides[1][2],  // smaller right
        sides[0][3] < sides[1][3] ? sides[0][3] : sides[1][3],  // smaller bottom
    };
    memcpy(field, intersection, sizeof(intersection));
    return true;
}

bool CNiraFlatRecordAdapter::ReadFlag(LONG index, BYTE* value)
{
    return m_owner->GetFlag(index, value, FALSE, FALSE) == TRUE;
}

bool CNiraFlatRecordAdapter::ReadIntRef(LONG index, LONG* value)
{
    return m_owner->GetIntRef(index, value, FALSE, FALSE) == TRUE;
}

bool CNiraFlatRecordAdapter::GateFlagOnOrUnknown()
{
    BYTE gate = 0;
    return !ReadFlag(kGateFlag, &gate) || gate == 1;
}

BOOLEAN CNiraFlatRecordAdapter::SetTarget(JobSettingsRecord* jobSettings, DriverStateRecord* driverState,
                                          PageSettingsRecord* pageSettings)
{
    if (m_owner == nullptr) {
        return FALSE;
    }
    m_jobSettings = jobSettings;
    m_driverState = driverState;
    m_pageSettings = pageSettings;
    for (LONG record = 0; record < FLAT_RECORD_COUNT; ++record) {
        if (BYTE* bytes = RecordBytes(record)) {
            memset(bytes, 0, kFlatRecordSizes[record]);
        }
    }
    return TRUE;
}

void CNiraFlatRecordAdapter::Clear()
{
    m_owner = nullptr;
    m_handledMask = nullptr;
    m_jobSettings = nullptr;
    m_driverState = nullptr;
    m_pageSettings = nullptr;
}

void CNiraFlatRecordAdapter::ReleaseObjects()
{
    ReleaseSettingsObject(m_handledMask);
    Clear();
}
