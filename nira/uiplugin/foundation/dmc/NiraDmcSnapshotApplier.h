// Replays stored snapshot records into the UI settings object, one record at a time in stored
// order, with the rules that tie features together: a locked colour-as-gray locks its options,
// a duplex setting decides the page order's and the duplex unit's states, and a borderless
// paper size selects its companion. Errors of single settings calls are ignored.
#pragma once

#include "nira/uiplugin/foundation/dmc/DmcSnapshotRecord.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

class CNiraDmcSnapshotApplier {
public:
    explicit CNiraDmcSnapshotApplier(INiraUISettings* settings)
        : m_settings(settings), m_gray(0), m_duplexSeen(0)
    {}
    void Apply(DmcSnapshotRecord record);

private:
    void ApplyLock(const DmcSnapshotRecord& record);
    void ApplyDefault(const DmcSnapshotRecord& record);
    void ApplyDuplexOrder(const DmcSnapshotRecord& record);
    void SetDefault(int featureId, int optionId);
    void SetCurrent(int featureId, int optionId);

    INiraUISettings* m_settings;
    int m_gray;        // colour-as-gray was locked by an earlier record
    int m_duplexSeen;  // an earlier record turned duplex on
};
