// CNiraFlatRecordAdapter: a push provider that writes sixty-three settings of its owner into the
// job settings, driver state and page settings records of the print processor's escapes. Flags
// become 32-bit 0/1 fields, a few values go through small rules, the sheet width becomes
// micrometres, and two rectangles are intersected.
#pragma once

#include "nira/uiplugin/settings/adapters/INiraFlatRecordAdapter.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

struct FlatRecordRow;

class CNiraFlatRecordAdapter : public CNiraMaskedProviderOf<INiraFlatRecordAdapter> {
public:
    CNiraFlatRecordAdapter() = default;
    ~CNiraFlatRecordAdapter() override;
    CNiraFlatRecordAdapter(const CNiraFlatRecordAdapter&) = delete;
    CNiraFlatRecordAdapter& operator=(const CNiraFlatRecordAdapter&) = delete;

    BOOLEAN Attach(INiraSettingsAccess* owner) override;
    BOOLEAN UpdateAll() override;

    BOOLEAN SyncFlag(LONG index) override;
    BOOLEAN SyncByte(LONG index) override;
    BOOLEAN SyncWord(LONG index) override;
    BOOLEAN SyncInt(LONG index) override;
    BOOLEAN SyncFloat(LONG index) override;
    BOOLEAN SyncDouble(LONG index) override;
    BOOLEAN SyncIntRef(LONG index) override;
    BOOLEAN SyncString(LONG index) override;
    BOOLEAN SyncBlob(LONG index) override;

    BOOLEAN SetTarget(JobSettingsRecord* jobSettings, DriverStateRecord* driverState,
                      PageSettingsRecord* pageSettings) override;

    // Forgets owner, mask and records without releasing anything.
    virtual void Clear();
    // Releases the mask, then Clear.
    virtual void ReleaseObjects();

    // The owner's value of one entry, read once per Sync; strings and blobs are the owner's
    // copies, given back when the value goes.
    struct OwnerValue;

private:
    BOOLEAN SyncEntry(LONG kind, LONG index);
    void WriteRecords(LONG kind, LONG index);
    BYTE* RecordBytes(LONG record) const;
    bool WriteRow(const FlatRecordRow& row, const OwnerValue& value, BYTE* record);
    bool WriteIntRefRow(const FlatRecordRow& row, BYTE* field);
    bool WriteRectangle(LONG index, const OwnerValue& value, BYTE* field);

    // Owner reads that answer false when the owner has no value.
    bool ReadFlag(LONG index, BYTE* value);
    bool ReadIntRef(LONG index, LONG* value);
    // True when the gate flag (201) is 1 or cannot be read.
    bool GateFlagOnOrUnknown();

    INiraSettingsAccess* m_owner = nullptr;        // borrowed
    JobSettingsRecord* m_jobSettings = nullptr;    // borrowed
    DriverStateRecord* m_driverState = nullptr;    // borrowed
    PageSettingsRecord* m_pageSettings = nullptr;  // borrowed
};
