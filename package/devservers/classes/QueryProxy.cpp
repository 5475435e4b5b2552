// The classes and proxy interfaces of niraqueryps.dll.
#include "../ServerModule.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

const WCHAR kServerModuleName[] = TEXT("niraqueryps.dll");
const ServedClass kServedClasses[] = {{nullptr, nullptr, nullptr}};
const int kServedClassCount = 0;
const ProxyInterface kProxyInterfaces[] = {
    {&IID_INiraObjectIdServer, TEXT("INiraObjectIdServer")},
};
const int kProxyInterfaceCount = 1;
