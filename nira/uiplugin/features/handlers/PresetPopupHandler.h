// The handler of the presets pop-up. It behaves as the base handler until its own behaviour is
// built; the handler factory already makes it for its class id.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraPresetPopupHandler : public CNiraFeatureHandler {};
