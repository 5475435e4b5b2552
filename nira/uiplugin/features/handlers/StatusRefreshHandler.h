// The status-refresh button (class 4133): asks the printer-status handler to show the status.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraStatusRefreshHandler : public CNiraFeatureHandler {
public:
    int OnWidgetCommand(int widgetId) override;
};
