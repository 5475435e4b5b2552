// Makes the feature handler of a handler class id: the class of its own when the id has one, else
// a plain base handler, which then serves the id's features with its default conversions.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraFeatureHandlerFactory {
public:
    CNiraFeatureHandlerFactory() = default;
    virtual ~CNiraFeatureHandlerFactory() = default;

    // A new handler owned by the caller, or null when memory runs out. *isGeneric is 1 when the
    // handler is a plain base handler (also when that one could not be made), else 0.
    CNiraFeatureHandler* Create(int classId, int* isGeneric);
};

// The UI core's way to the factory (see HandlerFactoryHook): one factory per handler made.
INiraFeatureHandler* CreateFeatureHandler(int classId, int* isGeneric);
