// The handler of the paired features (class 4263): three pairs kept together at their defaults,
// each with a marker that shows while its pair is away from them.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraPairedDefaultsHandler : public CNiraFeatureHandler {
public:
    // Keeps the services (when there are any) and the id; the first AddFeature makes the list.
    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int InitializeStates() override;
    int OnWidgetChanged(int widgetId) override;

private:
    bool IsAtDefault(int featureId) const;
    void ResetToDefault(int featureId);
    void ShowMarker(int marker, bool away);

    int m_ownId = 0;
};
