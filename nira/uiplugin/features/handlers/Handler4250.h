// The handler of the class 4250, which does nothing of its own. It behaves as the base handler until its own behaviour is
// built; the handler factory already makes it for its class id.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraHandler4250 : public CNiraFeatureHandler {};
