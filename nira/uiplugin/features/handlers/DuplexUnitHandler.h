// The handler of the two-sided printing unit. It behaves as the base handler until its own behaviour is
// built; the handler factory already makes it for its class id.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraDuplexUnitHandler : public CNiraFeatureHandler {};
