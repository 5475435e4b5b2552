// The monitor table the spooler asks for once the library is loaded.
#include "langmon/pcllm/MonitorEntry.h"

#include "langmon/pcllm/BidiAnswers.h"
#include "langmon/pcllm/JobEntry.h"
#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/PortContext.h"

namespace {

MONITOR2 g_monitor;

}  // namespace

LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitor)
{
    if (init == nullptr || init->hckRegistryRoot == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    g_monitor = MONITOR2{};
    if (GetWindowsClass() == WINDOWS_CLASS_2000) {
        g_monitor.cbSize = kMonitorTableSizeWithoutBidi;
    } else {
        g_monitor.cbSize = kMonitorTableSize;
        g_monitor.pfnSendRecvBidiDataFromPort = SendRecvBidiDataFromPort;
    }
    g_monitor.pfnOpenPortEx = OpenPortEx;
    g_monitor.pfnStartDocPort = StartDocPort;
    g_monitor.pfnWritePort = WritePort;
    g_monitor.pfnReadPort = ReadPort;
    g_monitor.pfnEndDocPort = EndDocPort;
    g_monitor.pfnClosePort = ClosePort;
    g_monitor.pfnGetPrinterDataFromPort = GetPrinterDataFromPort;
    g_monitor.pfnShutdown = Shutdown;
    if (monitor != nullptr) {
        *monitor = nullptr;
    }
    return &g_monitor;
}
