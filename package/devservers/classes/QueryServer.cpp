// The classes and proxy interfaces of niraquery.dll.
#include "../ServerModule.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

const WCHAR kServerModuleName[] = TEXT("niraquery.dll");
const ServedClass kServedClasses[] = {
    {&CLSID_NiraObjectIdServer, TEXT("Nira object id server"), CreateObjectIdServer},
};
const int kServedClassCount = 1;
const ProxyInterface kProxyInterfaces[] = {{nullptr, nullptr}};
const int kProxyInterfaceCount = 0;
