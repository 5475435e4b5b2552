#include "nira/uiplugin/foundation/dmc/NiraDmcSnapshotApplier.h"

namespace {

constexpr int kFeatureSettingsSource = 4143;
constexpr int kSourceDmcOption = 9;
constexpr int kFeaturePrintAsGray = 4136;
constexpr int kFeatureGrayOptions = 4137;
constexpr int kFeatureBorderless = 4119;
constexpr int kBorderlessOn = 2;
constexpr int kFeatureBorderlessCompanion = 4215;
constexpr int kFeatureDuplex = 4125;
constexpr int kDuplexOff = 1;
constexpr int kFeatureDuplexEdge = 4126;
constexpr int kFeaturePreserveLayout = 4127;
constexpr int kFeaturePageOrder = 4226;
constexpr int kPageOrderBackToFront = 2;
constexpr int kFeatureDuplexUnit = 4219;

constexpr int kStateSelectable = 2;
constexpr int kStateUnavailable = 3;
constexpr int kStateGreyed = 5;
constexpr int kLockModeLock = 1;
constexpr int kLockModeRequest = 2;

}  // namespace

void CNiraDmcSnapshotApplier::SetDefault(int featureId, int optionId)
{
    m_settings->SetDefaultOption(&featureId, &optionId);
}

void CNiraDmcSnapshotApplier::SetCurrent(int featureId, int optionId)
{
    m_settings->SetCurrentOption(&featureId, &optionId, kStateSelectable, 0, 0, 1, 0);
}

void CNiraDmcSnapshotApplier::Apply(DmcSnapshotRecord record)
{
    SetDefault(kFeatureSettingsSource, kSourceDmcOption);
    if (m_settings->HasFeature(record.featureId) == 0) {
        return;
    }
    if (record.featureId == kFeatureGrayOptions && m_gray) {
        record.lock = 1;
        record.enable = kDmcEnableLocked;
    }
    if (record.lock) {
        ApplyLock(record);
    }
    if (record.optionId == kDmcNoOption) {
        return;  // the capture selected nothing either
    }
    int available = 0;
    if (m_settings->IsOptionAcceptable(record.featureId, record.optionId, &available) != 0 || !available) {
        return;
    }
    ApplyDefault(record);
}

void CNiraDmcSnapshotApplier::ApplyLock(const DmcSnapshotRecord& record)
{
    const int featureId = record.featureId;
    const bool hasOption = record.optionId != kDmcNoOption;
    if (featureId == kFeaturePrintAsGray) {
        m_gray = 1;
        if (hasOption) {
            SetDefault(featureId, record.optionId);
            SetCurrent(featureId, record.optionId);
        }
        for (int optionId = 1; optionId <= 2; ++optionId) {
            m_settings->SetOptionState(featureId, optionId, kStateGreyed, 0);
            m_settings->SetDefaultOptionState(featureId, optionId, kStateGreyed);
        }
    } else {
        if (hasOption) {
            SetCurrent(featureId, record.optionId);
        }
        m_settings->SetDisplayState(featureId, record.enable);
        m_settings->SetDefaultDisplayState(featureId, record.enable);
    }
    m_settings->SetFeatureLock(featureId, kLockModeLock);
    m_settings->SetFeatureLock(kFeatureSettingsSource, kLockModeRequest);
}

void CNiraDmcSnapshotApplier::ApplyDefault(const DmcSnapshotRecord& record)
{
    const int featureId = record.featureId;
    SetDefault(featureId, record.optionId);
    if (featureId == kFeatureBorderless && record.optionId == kBorderlessOn) {
        SetDefault(kFeatureBorderlessCompanion, 1);
    }
    if (featureId == kFeaturePageOrder && m_duplexSeen) {
        ApplyDuplexOrder(record);
    }
    if (featureId == kFeatureDuplex) {
        m_settings->SetDefaultDisplayState(kFeatureDuplexEdge,
                                           m_settings->GetDisplayState(kFeatureDuplexEdge));
        m_settings->SetDefaultDisplayState(kFeaturePreserveLayout,
                                           m_settings->GetDisplayState(kFeaturePreserveLayout));
        if (record.optionId > kDuplexOff) {
            m_duplexSeen = 1;
            SetDefault(kFeaturePageOrder, kPageOrderBackToFront);
            m_settings->SetDefaultOptionState(kFeaturePageOrder, 2, kStateGreyed);
            m_settings->SetDefaultOptionState(kFeaturePageOrder, 1, kStateGreyed);
        }
    }
    if (featureId == kFeatureGrayOptions) {
        m_settings->SetDefaultDisplayState(featureId, m_settings->GetDisplayState(featureId));
    }
    if (featureId == kFeaturePrintAsGray && record.lock) {
        m_settings->SetDefaultOptionState(featureId, record.optionId, kStateGreyed);
    } else if (featureId != kFeaturePageOrder) {
        m_settings->SetDefaultOptionState(featureId, record.optionId, kStateSelectable);
    }
    m_settings->SetFeatureLock(featureId, kLockModeRequest);
}

void CNiraDmcSnapshotApplier::ApplyDuplexOrder(const DmcSnapshotRecord& record)
{
    int duplexFeature = kFeatureDuplex;
    int duplexOption = 0;
    int isSet = 0;
    if (m_settings->GetCurrentOption(duplexFeature, &duplexOption, &isSet) == 0 &&
        duplexOption > kDuplexOff) {
        m_settings->SetOptionState(kFeaturePageOrder, 2, kStateGreyed, 0);
        m_settings->SetOptionState(kFeaturePageOrder, 1, kStateGreyed, 0);
    }
    if (record.optionId == kPageOrderBackToFront) {
        for (int optionId = 2; optionId <= 5; ++optionId) {
            m_settings->SetDefaultOptionState(kFeatureDuplexUnit, optionId, kStateUnavailable);
        }
    }
}
