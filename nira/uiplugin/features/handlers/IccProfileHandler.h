// The handler of the colour profile (class 4227): option 1 of the feature is kept named after the
// profile that suits the input colour space and, for colour space 4, the media (table FDT4227).
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"

class CNiraIccProfileHandler : public CNiraFeatureHandler {
public:
    static constexpr size_t kProfileNameChars = 260;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int InitializeStates() override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    // The platform's colour-profile query: the profile's file name into buffer (size bytes).
    HRESULT GetColorProfileName(HANDLE printer, void* uiObject, DEVMODEW* publicDevMode, void* oemDevMode,
                                DWORD queryMode, void* buffer, DWORD* size, DWORD* dataType);

    const WCHAR* LastProfileName() const { return m_lastProfile; }

private:
    int RefreshProfileOption();
    int LoadProfileFromDatabase();
    static int SetProfileFromRow(void* argument, int columns, char** values, char** names);
    // Option 1 of the feature becomes info (which the settings keep).
    void ReplaceProfileOption(OptionInfo* info);

    INiraFeatureDatabase* m_database = nullptr;
    int m_ownId = 0;
    WCHAR m_lastProfile[kProfileNameChars] = {};
};
