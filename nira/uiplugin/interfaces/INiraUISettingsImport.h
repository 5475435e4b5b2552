// The UI settings object as the settings engine writes stored options back into it: every
// operation of INiraUISettings, and the mark that an import is under way. Kept apart from
// INiraUISettings, whose slot order nirapres fixes.
#pragma once

#include "nira/uiplugin/interfaces/INiraUISettings.h"

class INiraUISettingsImport : public INiraUISettings {
public:
    // Set around an import; the object behaves no differently while it is set.
    virtual int SetImportMode(int value) = 0;
};
