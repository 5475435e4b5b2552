#include "nira/uiplugin/settings/adapters/FieldAdapter.h"

#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"

#include <string.h>

namespace {

enum FieldRecord : LONG {
    FIELD_JOB_COUNTS,
    FIELD_PAGE_PLACEMENT,
};

// How a record field becomes a setting value.
enum FieldRule : LONG {
    FIELD_FLAG,         // 32-bit: the flag is 1 when the field is exactly 1
    FIELD_COPY,         // 32-bit: unchanged
    FIELD_ORIENTATION,  // 16-bit signed: 1 and 2 kept, anything else 0
    FIELD_BYTES,        // the field's bytes as one blob
};

struct FieldRow {
    SettingRef setting;
    LONG record;  // FieldRecord
    DWORD offset;
    DWORD size;  // bytes of the field
    LONG rule;   // FieldRule
};

constexpr LONG F = SETTING_ARRAY_FLAG;
constexpr LONG I = SETTING_ARRAY_INT;
constexpr LONG N = SETTING_ARRAY_INT_REF;
constexpr LONG B = SETTING_ARRAY_BLOB;
constexpr LONG JC = FIELD_JOB_COUNTS;
constexpr LONG PP = FIELD_PAGE_PLACEMENT;
constexpr DWORD W = sizeof(LONG);

// The handled entries, in the order of UpdateAll and CopyHandledValues.
const FieldRow kFieldRows[] = {
    {{F, 158}, JC, offsetof(JobCountsRecord, repeatMode), W, FIELD_FLAG},
    {{F, 207}, JC, offsetof(JobCountsRecord, printPass), W, FIELD_FLAG},
    {{F, 212}, JC, offsetof(JobCountsRecord, secondBatch), W, FIELD_FLAG},
    {{F, 213}, JC, offsetof(JobCountsRecord, largeCustomPaper), W, FIELD_FLAG},
    {{F, 183}, PP, offsetof(PagePlacementRecord, rotatedCell), W, FIELD_FLAG},
    {{F, 214}, PP, offsetof(PagePlacementRecord, previewPass), W, FIELD_FLAG},
    {{I, 2033}, JC, offsetof(JobCountsRecord, copies), W, FIELD_COPY},
    {{I, 2037}, JC, offsetof(JobCountsRecord, sheetCopies), W, FIELD_COPY},
    {{I, 2045}, JC, offsetof(JobCountsRecord, pageCount), W, FIELD_COPY},
    {{I, 1960}, JC, offsetof(JobCountsRecord, jobId), W, FIELD_COPY},
    {{I, 2040}, PP, offsetof(PagePlacementRecord, areaWidth), W, FIELD_COPY},
    {{I, 2041}, PP, offsetof(PagePlacementRecord, areaHeight), W, FIELD_COPY},
    {{I, 2042}, PP, offsetof(PagePlacementRecord, physicalWidth), W, FIELD_COPY},
    {{I, 2043}, PP, offsetof(PagePlacementRecord, physicalHeight), W, FIELD_COPY},
    {{I, 2044}, PP, offsetof(PagePlacementRecord, pageCount), W, FIELD_COPY},
    {{N, 85}, JC, offsetof(JobCountsRecord, firstPageOrientation), sizeof(SHORT), FIELD_ORIENTATION},
    {{B, 23}, PP, offsetof(PagePlacementRecord, cells), sizeof(PagePlacementRecord::cells), FIELD_BYTES},
};

const FieldRow* FindFieldRow(LONG kind, LONG index)
{
    for (const FieldRow& row : kFieldRows) {
        if (row.setting.kind == kind && row.setting.index == index) {
            return &row;
        }
    }
    return nullptr;
}

LONG ReadField32(const BYTE* record, DWORD offset)
{
    LONG value = 0;
    memcpy(&value, record + offset, sizeof(value));
    return value;
}

// The orientations the settings know: 1 portrait, 2 landscape.
LONG OrientationCode(const BYTE* record, DWORD offset)
{
    SHORT value = 0;
    memcpy(&value, record + offset, sizeof(value));
    return value == 1 || value == 2 ? value : 0;
}

}  // namespace

CNiraFieldAdapter::~CNiraFieldAdapter()
{
    GuardSettingsAction([this] { ReleaseObjects(); });
}

BOOLEAN CNiraFieldAdapter::Attach(INiraSettingsAccess* owner)
{
    return GuardSettingsCall([&] {
        ReleaseObjects();
        RequireArgument(owner != nullptr);
        m_owner = owner;
        m_handledMask = MakeAllocatedMask();
        for (const FieldRow& row : kFieldRows) {
            MarkMaskEntry(*m_handledMask, row.setting.kind, row.setting.index);
        }
    });
}

BOOLEAN CNiraFieldAdapter::UpdateAll()
{
    if (m_owner == nullptr) {
        return FALSE;
    }
    for (const FieldRow& row : kFieldRows) {
        SyncProviderEntry(*this, row.setting.kind, row.setting.index);
    }
    return TRUE;
}

BOOLEAN CNiraFieldAdapter::SyncFlag(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLAG, index);
}

BOOLEAN CNiraFieldAdapter::SyncByte(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BYTE, index);
}

BOOLEAN CNiraFieldAdapter::SyncWord(LONG index)
{
    return SyncEntry(SETTING_ARRAY_WORD, index);
}

BOOLEAN CNiraFieldAdapter::SyncInt(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT, index);
}

BOOLEAN CNiraFieldAdapter::SyncFloat(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLOAT, index);
}

BOOLEAN CNiraFieldAdapter::SyncDouble(LONG index)
{
    return SyncEntry(SETTING_ARRAY_DOUBLE, index);
}

BOOLEAN CNiraFieldAdapter::SyncIntRef(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT_REF, index);
}

BOOLEAN CNiraFieldAdapter::SyncString(LONG index)
{
    return SyncEntry(SETTING_ARRAY_STRING, index);
}

BOOLEAN CNiraFieldAdapter::SyncBlob(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BLOB, index);
}

// Once the entry is accepted the answer is true, whether or not a value reached the owner.
BOOLEAN CNiraFieldAdapter::SyncEntry(LONG kind, LONG index)
{
    if (HandlesEntry(kind, index) != TRUE || m_owner == nullptr) {
        return FALSE;
    }
    GuardSettingsAction([&] { SetFromRecord(kind, index); });
    return TRUE;
}

// Flags and integers come only from a record given alone: when both are set the caller is
// between two escapes and neither record speaks for the whole job.
void CNiraFieldAdapter::SetFromRecord(LONG kind, LONG index)
{
    const FieldRow* row = FindFieldRow(kind, index);
    RequireSettings(row != nullptr);
    const bool jobCountsOnly = m_jobCounts != nullptr && m_pagePlacement == nullptr;
    const bool placementOnly = m_pagePlacement != nullptr && m_jobCounts == nullptr;
    const BYTE* record = row->record == FIELD_JOB_COUNTS ? reinterpret_cast<const BYTE*>(m_jobCounts)
                                                         : reinterpret_cast<const BYTE*>(m_pagePlacement);
    if (record == nullptr) {
        return;
    }
    switch (row->rule) {
    case FIELD_FLAG:
    case FIELD_COPY: {
        if (!(row->record == FIELD_JOB_COUNTS ? jobCountsOnly : placementOnly)) {
            return;
        }
        const LONG value = ReadField32(record, row->offset);
        if (row->rule == FIELD_FLAG) {
            m_owner->SetFlag(index, value == 1 ? 1 : 0, FALSE);
        } else {
            m_owner->SetInt(index, value, FALSE);
        }
        break;
    }
    case FIELD_ORIENTATION: {
        const LONG value = OrientationCode(record, row->offset);
        m_owner->SetIntRef(index, &value, FALSE);
        break;
    }
    case FIELD_BYTES:
        m_owner->SetBlob(index, record + row->offset, row->size, FALSE);
        break;
    default:
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
}

BOOLEAN CNiraFieldAdapter::SetTarget(const JobCountsRecord* jobCounts,
                                     const PagePlacementRecord* pagePlacement)
{
    if (m_owner == nullptr) {
        return FALSE;
    }
    m_jobCounts = jobCounts;
    m_pagePlacement = pagePlacement;
    return TRUE;
}

BOOLEAN CNiraFieldAdapter::CopyHandledValues(INiraSettingsAccess* source)
{
    return GuardSettingsCall([&] {
        RequireArgument(source != nullptr);
        RequireSettings(m_owner != nullptr);
        for (const FieldRow& row : kFieldRows) {
            CopyEntry(*source, row.setting.kind, row.setting.index);
        }
    });
}

// Copies one entry when the source holds it; throws when the owner refuses it.
void CNiraFieldAdapter::CopyEntry(INiraSettingsAccess& source, LONG kind, LONG index)
{
    auto requireAccepted = [&] { RequireSettings(Handles(kind, index)); };
    switch (kind) {
    case SETTING_ARRAY_FLAG: {
        BYTE value = 0;
        if (source.GetFlag(index, &value, FALSE, FALSE) == TRUE) {
            requireAccepted();
            RequireSettings(m_owner->SetFlag(index, value, FALSE) == TRUE);
        }
        break;
    }
    case SETTING_ARRAY_INT: {
        LONG value = 0;
        if (source.GetInt(index, &value, FALSE, FALSE) == TRUE) {
            requireAccepted();
            RequireSettings(m_owner->SetInt(index, value, FALSE) == TRUE);
        }
        break;
    }
    case SETTING_ARRAY_INT_REF: {
        LONG value = 0;
        if (source.GetIntRef(index, &value, FALSE, FALSE) == TRUE) {
            requireAccepted();
            RequireSettings(m_owner->SetIntRef(index, &value, FALSE) == TRUE);
        }
        break;
    }
    case SETTING_ARRAY_BLOB: {
        BYTE* data = nullptr;
        DWORD length = 0;
        if (source.GetBlob(index, &data, &length, FALSE, FALSE) != TRUE) {
            break;
        }
        // The source's copy goes back whatever the owner answers.
        struct Copy {
            INiraSettingsAccess& source;
            BYTE* data;
            ~Copy() { source.ReleaseBlob(data); }
        } copy{source, data};
        if (data != nullptr && length != 0) {
            requireAccepted();
            RequireSettings(m_owner->SetBlob(index, data, length, FALSE) == TRUE);
        }
        break;
    }
    default:
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
}

void CNiraFieldAdapter::Clear()
{
    m_owner = nullptr;
    m_handledMask = nullptr;
    m_jobCounts = nullptr;
    m_pagePlacement = nullptr;
}

void CNiraFieldAdapter::ReleaseObjects()
{
    ReleaseSettingsObject(m_handledMask);
    Clear();
}
