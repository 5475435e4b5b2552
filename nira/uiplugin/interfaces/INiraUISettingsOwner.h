// What the UI settings object asks of the UI core that owns it: the change notifications, the
// change counter that drives the constraint engine, the value snapshot, and the handler questions.
// The UI core implements it; the settings object never sees more of the core than this.
#pragma once

class INiraUISettingsOwner {
public:
    // The feature's handler learns that the feature changed (a ChangeKind).
    virtual int NotifyFeatureChanged(int featureId, int changeKind) = 0;
    // One counted change of a feature's value; the core may run its constraints on it.
    virtual int CountChange(int featureId) = 0;
    // A feature's current option is being set; compared against the core's value snapshot.
    virtual int TrackValueChange(int featureId, int optionId) = 0;
    // The feature that the user is changing right now.
    virtual int GetLastChangedFeature(int* featureId) = 0;
    virtual int SuppressConflictPopup(int value) = 0;
    // Non-zero while the property sheets are being built.
    virtual int GetSheetInitializing(int* value) = 0;
    // Questions answered by the feature's handler.
    virtual int GetOptionValue(int featureId, int optionId, int* value) = 0;
    virtual int FindOptionByValue(int featureId, int value, int* optionId) = 0;

protected:
    ~INiraUISettingsOwner() = default;
};
