// The handler of the printer status refresh button. It behaves as the base handler until its own behaviour is
// built; the handler factory already makes it for its class id.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraStatusRefreshHandler : public CNiraFeatureHandler {};
