// A handler that keeps the id it was attached with as its own id, apart from the base's handler
// id (which stays 0): the classes whose writes name that id as the caller.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraOwnIdHandler : public CNiraFeatureHandler {
public:
    // Keeps the services, makes an empty feature list and stores the id as the own id.
    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;

protected:
    int m_ownId = 0;
};
