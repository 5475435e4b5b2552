// The user's choices of the pop-up features, per printer: one REG_BINARY value per feature, named by
// the feature id in decimal and holding the option's digit ("1" or "2"), under
// HKEY_CURRENT_USER\Software\Norvell-Ashby\<GUID text>\ZQopupSettings.
#pragma once

#include <windows.h>

class INiraCoreServices;

class CNiraPopupChoiceStore {
public:
    enum ReadResult {
        NoKey,    // the printer has no GUID text or the key is not there yet
        NoValue,  // the key is there, the feature's value is not
        Read,
    };

    // The stored option of the feature: 2 when the value starts with "2", else 1.
    static ReadResult ReadChoice(INiraCoreServices* services, int featureId, int* option);
    // Stores the option's first decimal digit (making the keys); NIRA_STATUS_FAILED for option 0 or
    // when it cannot be written.
    static int WriteChoice(INiraCoreServices* services, int featureId, int option);
};
