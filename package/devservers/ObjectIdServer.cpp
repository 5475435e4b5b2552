// The object-id server: its presence is all its clients need of it here.
#include "ServerModule.h"
#include "ServerObject.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

#include <new>

namespace {

class CObjectIdServer : public CServerObject<INiraObjectIdServer> {
public:
    CObjectIdServer() : CServerObject(IID_INiraObjectIdServer) {}
};

}  // namespace

HRESULT CreateObjectIdServer(REFIID interfaceId, void** object)
{
    return CObjectIdServer::Deliver(new (std::nothrow) CObjectIdServer(), interfaceId, object);
}
