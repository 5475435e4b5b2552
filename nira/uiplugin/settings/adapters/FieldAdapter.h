// CNiraFieldAdapter: a pull provider that sets seventeen settings from the job counts and page
// placement records of the print processor's escapes, or copies them from another settings
// object. The records are only read.
#pragma once

#include "nira/uiplugin/settings/adapters/INiraFieldAdapter.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

class CNiraFieldAdapter : public CNiraMaskedProviderOf<INiraFieldAdapter> {
public:
    CNiraFieldAdapter() = default;
    ~CNiraFieldAdapter() override;
    CNiraFieldAdapter(const CNiraFieldAdapter&) = delete;
    CNiraFieldAdapter& operator=(const CNiraFieldAdapter&) = delete;

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

    BOOLEAN SetTarget(const JobCountsRecord* jobCounts, const PagePlacementRecord* pagePlacement) override;
    BOOLEAN CopyHandledValues(INiraSettingsAccess* source) override;

    // Forgets owner, mask and records without releasing anything.
    virtual void Clear();
    // Releases the mask, then Clear.
    virtual void ReleaseObjects();

private:
    BOOLEAN SyncEntry(LONG kind, LONG index);
    void SetFromRecord(LONG kind, LONG index);
    void CopyEntry(INiraSettingsAccess& source, LONG kind, LONG index);

    INiraSettingsAccess* m_owner = nullptr;                // borrowed
    const JobCountsRecord* m_jobCounts = nullptr;          // borrowed
    const PagePlacementRecord* m_pagePlacement = nullptr;  // borrowed
};
