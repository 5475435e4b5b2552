#include "nira/uiplugin/foundation/store/SettingsBackup.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

#include <new>

namespace {

// SetCurrentOption's further flags when a captured value goes back: no user clearing, notify
// always, from the owner.
constexpr int kKeepUserChoice = 0;
constexpr int kNotifyAlways = 1;
constexpr int kFromOwner = 1;

}  // namespace

CNiraSettingsBackup::CNiraSettingsBackup() : m_tag(kNoTag), m_applied(0) {}

CNiraSettingsBackup::~CNiraSettingsBackup()
{
    Clear();
}

int CNiraSettingsBackup::Capture(INiraUISettings* settings, int tag)
{
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_tag = tag;
    const int cleared = Clear();
    if (cleared != 0) {
        return cleared;
    }
    for (int id = kFirstFeature; id <= kLastFeature; ++id) {
        int option = 0;
        int optionState = 0;
        int enableWord = 0;
        int chosen = 0;
        if (settings->GetFeatureSnapshot(id, &option, &optionState, &enableWord, &chosen) ==
            NIRA_STATUS_FAILED) {
            continue;
        }
        FeatureBackupRecord* record = new (std::nothrow)
            FeatureBackupRecord{id, option, optionState, enableWord, chosen == 1 ? kChosenFlag : 0};
        if (record == nullptr) {
            break;
        }
        if (m_records.AddTail(record) == nullptr) {
            delete record;
            break;
        }
    }
    m_applied = 0;
    return 0;
}

int CNiraSettingsBackup::Restore(INiraUISettings* settings)
{
    if (m_applied == 1 || settings == nullptr) {
        return 0;
    }
    for (CNiraPtrList::Node* node = m_records.GetHead(); node != nullptr; node = node->next) {
        FeatureBackupRecord* record = static_cast<FeatureBackupRecord*>(node->value);
        int id = record->featureId;
        int option = record->option;
        settings->SetCurrentOption(&id, &option, record->optionState, record->flags & kChosenFlag,
                                   kKeepUserChoice, kNotifyAlways, kFromOwner);
        settings->SetDisplayState(id, record->enableWord);
    }
    const int cleared = Clear();
    m_applied = 1;
    return cleared;
}

int CNiraSettingsBackup::Discard()
{
    return Clear();
}

int CNiraSettingsBackup::Clear()
{
    for (CNiraPtrList::Node* node = m_records.GetHead(); node != nullptr; node = node->next) {
        delete static_cast<FeatureBackupRecord*>(node->value);
    }
    m_records.RemoveAll();
    return 0;
}
