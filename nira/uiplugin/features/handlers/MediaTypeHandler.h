// The handler of the media type (class 4116): DC_MEDIATYPES and DC_MEDIATYPENAMES from its
// options, and the pending media choice (feature 6419) taken or dropped by widgets 6070 and 6071.
// The added-media handler builds on it.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

class CNiraMediaTypeHandler : public CNiraFeatureHandler {
public:
    static constexpr size_t kMediaNameChars = 64;

    // Keeps the services (when there are any) and the id; the first AddFeature makes the list.
    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int InitializeStates() override;
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
    int OnWidgetChanged(int widgetId) override;
    int OnConstraintMessage(int featureId, const char* data1, const char* data2, const char* data3,
                            int* show) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

protected:
    int m_ownId = 0;
    // Option ids the added-media handler keeps.
    CNiraPtrList m_optionIds;

private:
    void TakePendingMedia();
    void DropPendingMedia();
    int PreviousOrDefault();
};
