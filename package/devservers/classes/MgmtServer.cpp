// The classes and proxy interfaces of niramgmt.dll.
#include "../ServerModule.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

const WCHAR kServerModuleName[] = TEXT("niramgmt.dll");
const ServedClass kServedClasses[] = {
    {&CLSID_NiraMgmtConnection, TEXT("Nira device management connection"), CreateMgmtConnection},
    {&CLSID_NiraMgmtRequest, TEXT("Nira device management request"), CreateMgmtRequest},
};
const int kServedClassCount = 2;
const ProxyInterface kProxyInterfaces[] = {{nullptr, nullptr}};
const int kProxyInterfaceCount = 0;
