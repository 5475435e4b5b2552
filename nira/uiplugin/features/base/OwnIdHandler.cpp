#include "nira/uiplugin/features/base/OwnIdHandler.h"

#include <new>

int CNiraOwnIdHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase*)
{
    m_services = services;
    if (m_features == nullptr) {
        m_features = new (std::nothrow) CNiraPtrList;
    }
    m_ownId = handlerId;
    return 0;
}
