#include "langmon/pcllm/MonitorGlobals.h"

namespace {

const WCHAR kRouterModule[] = TEXT("spoolss.dll");

CRITICAL_SECTION g_portListLock;
HMODULE g_router = nullptr;

}  // namespace

BOOL StartMonitorGlobals()
{
    InitializeCriticalSection(&g_portListLock);
    g_router = LoadLibraryW(kRouterModule);
    if (g_router == nullptr) {
        DeleteCriticalSection(&g_portListLock);
        return FALSE;
    }
    return TRUE;
}

void EndMonitorGlobals()
{
    DeleteCriticalSection(&g_portListLock);
    if (g_router != nullptr) {
        FreeLibrary(g_router);
        g_router = nullptr;
    }
}

void LockPortList()
{
    EnterCriticalSection(&g_portListLock);
}

void UnlockPortList()
{
    LeaveCriticalSection(&g_portListLock);
}

HMODULE GetRouterModule()
{
    return g_router;
}

FARPROC ResolveRouterFunction(LPCSTR name)
{
    return g_router != nullptr ? GetProcAddress(g_router, name) : nullptr;
}
