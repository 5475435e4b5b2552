// The classes and proxy interfaces of nirastatus.dll.
#include "../ServerModule.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

const WCHAR kServerModuleName[] = TEXT("nirastatus.dll");
const ServedClass kServedClasses[] = {
    {&CLSID_NiraDeviceStatusProvider, TEXT("Nira device status provider"), CreateDeviceStatusProvider},
};
const int kServedClassCount = 1;
const ProxyInterface kProxyInterfaces[] = {{nullptr, nullptr}};
const int kProxyInterfaceCount = 0;
