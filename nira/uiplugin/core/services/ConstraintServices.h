// The core services as the constraint engine gets them: they also reach the settings object
// itself, show a message box from the string library, and forward the constraint actions and
// messages to the handler of the action's feature.
#pragma once

#include "nira/uiplugin/core/services/CoreServices.h"

class CNiraConstraintServices : public CNiraCoreServices {
public:
    explicit CNiraConstraintServices(CNiraUICore* core);
    ~CNiraConstraintServices() override;

    int ForwardConstraintAction(int id, const char* data1, const char* data2,
                                const char* data3) override;      // 57
    int ShowPopup(int messageId, WCHAR* containerName) override;  // 60
    virtual int Reserved66(INT_PTR a);                            // 66
    virtual int Reserved67(INT_PTR a, INT_PTR b, INT_PTR c);      // 67
    virtual int Reserved68(INT_PTR a, INT_PTR b, INT_PTR c);      // 68
    virtual int Reserved69(INT_PTR a, INT_PTR b, INT_PTR c);      // 69
    virtual int Reserved70(INT_PTR a, INT_PTR b);                 // 70
    virtual int Reserved71(INT_PTR a, INT_PTR b);                 // 71
    virtual int Reserved72(INT_PTR a, INT_PTR b, INT_PTR c);      // 72
    virtual int GetSettings(CNiraUISettings** out);               // 73
    // A message box (no owner, MB_OK) with two texts of the string library.
    virtual int ShowMessageBox(int captionStringId, int textStringId);  // 74
    virtual int Reserved75();                                           // 75
    virtual int Reserved76(INT_PTR a);                                  // 76
    virtual int ForwardConstraintMessage(int id, const char* data1, const char* data2, const char* data3,
                                         int* show);  // 77
    // 0 while the UI core puts saved settings back, else 1.
    virtual int IsSettingsRestored();  // 78

private:
    CNiraUICore* m_core;
};
