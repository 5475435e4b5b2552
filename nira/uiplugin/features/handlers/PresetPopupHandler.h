// The handler of the pop-up features that the capability table FDT6334 lists (class 4259): it puts
// the user's stored choice of each back into the settings, answers whether a constraint message of
// such a feature is wanted, stores a feature's choice when a constraint rule asks for it, and resets
// all of them on command.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

class INiraFeatureDatabase;

class CNiraPresetPopupHandler : public CNiraFeatureHandler {
public:
    // The operations of AccessPopupSetting.
    static constexpr int kReadSetting = 1;
    static constexpr int kWriteSetting = 2;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    // Reads (kReadSetting) the stored option into *value, or writes (kWriteSetting) the digit `data`.
    int AccessPopupSetting(int featureId, int operation, int data, int* value);
    int AddPopupFeature(int featureId);
    int LoadPopupFeatures();
    // The pop-up features in the order of the table's rows.
    const CNiraPtrList& PopupFeatures() const { return m_popupFeatures; }

private:
    static int OnPopupRow(void* argument, int columns, char** values, char** names);
    int SetOption(int featureId, int option);

    INiraFeatureDatabase* m_database = nullptr;
    CNiraPtrList m_popupFeatures;
};
