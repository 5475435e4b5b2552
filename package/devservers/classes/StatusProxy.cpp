// The classes and proxy interfaces of nirastatusps.dll.
#include "../ServerModule.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

const WCHAR kServerModuleName[] = TEXT("nirastatusps.dll");
const ServedClass kServedClasses[] = {{nullptr, nullptr, nullptr}};
const int kServedClassCount = 0;
const ProxyInterface kProxyInterfaces[] = {
    {&IID_INiraDeviceStatusProvider, TEXT("INiraDeviceStatusProvider")},
};
const int kProxyInterfaceCount = 1;
