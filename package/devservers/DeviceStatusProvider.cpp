// The device-status provider: tells whether the device of a printer's port can be asked.
#include "NetworkTransport.h"
#include "ServerModule.h"
#include "ServerObject.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

#include <new>

namespace {

class CDeviceStatusProvider : public CServerObject<INiraDeviceStatusProvider> {
public:
    CDeviceStatusProvider() : CServerObject(IID_INiraDeviceStatusProvider) {}

    HRESULT STDMETHODCALLTYPE CheckPrinterSupport(LPCWSTR printerName, LPCWSTR portName, int* supported,
                                                  int* statusAvailable) override
    {
        if (printerName == nullptr || portName == nullptr || supported == nullptr ||
            statusAvailable == nullptr) {
            return E_POINTER;
        }
        BOOL reportsStatus = FALSE;
        BOOL found = TransportFindDevice(portName, &reportsStatus);
        *supported = found && reportsStatus ? 1 : 0;
        *statusAvailable = *supported;
        return S_OK;
    }
};

}  // namespace

HRESULT CreateDeviceStatusProvider(REFIID interfaceId, void** object)
{
    return CDeviceStatusProvider::Deliver(new (std::nothrow) CDeviceStatusProvider(), interfaceId, object);
}
