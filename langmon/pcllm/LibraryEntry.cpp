// niralm's library entry: the router and the port-list lock live from process attach to detach.
#include "langmon/pcllm/MonitorEntry.h"

#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/PortContext.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        if (!StartMonitorGlobals()) {
            return FALSE;  // no router, no monitor
        }
        DisableThreadLibraryCalls(instance);
        return TRUE;
    case DLL_PROCESS_DETACH:
        FreeRemainingPortContexts();
        EndMonitorGlobals();
        return TRUE;
    default:
        return TRUE;
    }
}
