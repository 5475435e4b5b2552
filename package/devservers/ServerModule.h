// What every device-server DLL of the package shares: the module's lifetime count, its handle,
// and the classes and interfaces it serves.
#pragma once

#include <windows.h>
#include <objbase.h>

// Makes a new object of a served class for the interface asked.
typedef HRESULT (*ServerObjectCreator)(REFIID interfaceId, void** object);

struct ServedClass {
    const CLSID* classId;
    LPCWSTR description;
    ServerObjectCreator create;
};

struct ProxyInterface {
    const IID* interfaceId;
    LPCWSTR name;
};

// The classes and proxy interfaces of this DLL (ServerClasses.cpp, chosen at build time).
extern const ServedClass kServedClasses[];
extern const int kServedClassCount;
extern const ProxyInterface kProxyInterfaces[];
extern const int kProxyInterfaceCount;
extern const WCHAR kServerModuleName[];

// Objects and locks alive; the DLL may unload only at 0.
void ServerLock();
void ServerUnlock();
LONG ServerLockCount();
HMODULE ServerModuleHandle();

// The objects of the servers.
HRESULT CreateDeviceStatusProvider(REFIID interfaceId, void** object);
HRESULT CreateMgmtConnection(REFIID interfaceId, void** object);
HRESULT CreateMgmtRequest(REFIID interfaceId, void** object);
HRESULT CreateObjectIdServer(REFIID interfaceId, void** object);
