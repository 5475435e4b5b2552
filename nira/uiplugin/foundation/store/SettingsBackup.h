// A copy of the current option, option state, display (enable) state and chosen flag of every
// settings feature, taken before a change that may cause conflicts and put back, or dropped, when
// the conflicts are resolved. A member of the UI core; used on its thread only.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"

class INiraUISettings;

// One captured feature.
struct FeatureBackupRecord {
    INT featureId;
    INT option;
    INT optionState;
    INT enableWord;  // the display state
    INT flags;       // kChosenFlag: the option was chosen by the user
};

class CNiraSettingsBackup {
public:
    CNiraSettingsBackup();
    ~CNiraSettingsBackup();
    CNiraSettingsBackup(const CNiraSettingsBackup&) = delete;
    CNiraSettingsBackup& operator=(const CNiraSettingsBackup&) = delete;

    // Replaces the records with the features kFirstFeature..kLastFeature the settings hold (the
    // others are skipped) and clears the applied mark. 0, or NIRA_STATUS_FAILED for null settings.
    int Capture(INiraUISettings* settings, int tag);
    // Puts every record back, head to tail, then drops them and marks the backup applied; a
    // second Restore (or null settings) changes nothing. Answers 0.
    int Restore(INiraUISettings* settings);
    int Discard();
    int Clear();

    int GetTag() const { return m_tag; }
    int IsApplied() const { return m_applied; }
    const CNiraPtrList& GetRecords() const { return m_records; }

    static constexpr int kFirstFeature = kFirstSettingsFeature;
    static constexpr int kLastFeature = 4311;
    static constexpr int kChosenFlag = 1;
    static constexpr int kNoTag = -1;

private:
    int m_tag;
    CNiraPtrList m_records;
    int m_applied;
};
