// Test control of the port monitor's printers (nirasim/Printer.h).
#include <nirasim/Printer.h>

#include "modules/Modules.h"
#include "portmon/PortDevices.h"
#include "spooler/Spooler.h"

#include <cstring>

namespace nirasim {
namespace printer {

using sim::DeviceOf;
using sim::PortMonitor;

namespace {

// The member names of MONITOR2 in their order after cbSize.
const char* const kMemberNames[] = {
    "pfnEnumPorts",
    "pfnOpenPort",
    "pfnOpenPortEx",
    "pfnStartDocPort",
    "pfnWritePort",
    "pfnReadPort",
    "pfnEndDocPort",
    "pfnClosePort",
    "pfnAddPort",
    "pfnAddPortEx",
    "pfnConfigurePort",
    "pfnDeletePort",
    "pfnGetPrinterDataFromPort",
    "pfnSetPortTimeOuts",
    "pfnXcvOpenPort",
    "pfnXcvDataPort",
    "pfnXcvClosePort",
    "pfnShutdown",
    "pfnSendRecvBidiDataFromPort",
};
constexpr size_t kFirstMemberOffset = offsetof(MONITOR2, pfnEnumPorts);
static_assert(sizeof(kMemberNames) / sizeof(kMemberNames[0]) ==
                  (sizeof(MONITOR2) - kFirstMemberOffset) / sizeof(void*),
              "one name per member");

constexpr unsigned char kLengthPrefixSize = 2;

}  // namespace

std::string DeviceId(const std::string& statusValue, const std::string& model)
{
    const char* key = !statusValue.empty() && statusValue[0] == '$' ? "VSTATUS:" : "S:";
    return "MFG:NIRA;MDL:" + model + ";CMD:PCL,PJL;CLS:PRINTER;" + key + statusValue + ";";
}

std::string WithLengthPrefix(const std::string& deviceId)
{
    const size_t length = deviceId.size() + kLengthPrefixSize;
    std::string prefix{static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
    return prefix + deviceId;
}

DeviceAnswer FailedAnswer(DWORD error)
{
    DeviceAnswer answer;
    answer.result = FALSE;
    answer.error = error;
    return answer;
}

DeviceAnswer TimedOutAnswer(DWORD delay)
{
    DeviceAnswer answer = FailedAnswer(ERROR_SEM_TIMEOUT);
    answer.delay = delay;
    return answer;
}

void SetDeviceAnswer(const Text& port, const DeviceAnswer& answer)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    DeviceOf(port.wide()).standing = answer;
}

void SetDeviceId(const Text& port, const std::string& deviceId)
{
    DeviceAnswer answer;
    answer.bytes = deviceId;
    SetDeviceAnswer(port, answer);
}

void ScriptDeviceAnswers(const Text& port, const std::vector<DeviceAnswer>& answers)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    auto& pending = DeviceOf(port.wide()).answers;
    pending.insert(pending.end(), answers.begin(), answers.end());
}

void ExpectControlCode(const Text& port, DWORD controlCode)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    DeviceOf(port.wide()).expectedControlCode = controlCode;
}

std::vector<DeviceQuery> DeviceQueries(const Text& port)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    return DeviceOf(port.wide()).queries;
}

void SetJobCounter(const Text& port, DWORD number, const JobCounter& counter)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    DeviceOf(port.wide()).counters[number] = counter;
}

void ScriptWrites(const Text& port, const std::vector<WriteScript>& writes)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    auto& pending = DeviceOf(port.wide()).writeScript;
    pending.insert(pending.end(), writes.begin(), writes.end());
}

void ReleaseBlockedCalls(const Text& port)
{
    {
        std::lock_guard<std::mutex> hold(PortMonitor().lock);
        ++DeviceOf(port.wide()).releases;
    }
    PortMonitor().released.notify_all();
}

std::vector<PortWrite> Writes(const Text& port)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    return DeviceOf(port.wide()).writes;
}

std::string BytesReceived(const Text& port)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    return DeviceOf(port.wide()).received;
}

std::vector<std::string> PortCalls(const Text& port)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    return DeviceOf(port.wide()).calls;
}

void ForgetWrites(const Text& port)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    sim::PortDevice& device = DeviceOf(port.wide());
    device.writes.clear();
    device.writes.shrink_to_fit();
    device.received.clear();
    device.received.shrink_to_fit();
    device.calls.clear();
}

void SetReadData(const Text& port, const std::string& bytes)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    DeviceOf(port.wide()).readData = bytes;
}

void FailOpenPort(DWORD error)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    PortMonitor().openPortError = error;
}

MONITOR2 PortMonitorTable()
{
    MONITOR2 table = sim::FullPortMonitorTable();
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    auto* members = reinterpret_cast<unsigned char*>(&table) + kFirstMemberOffset;
    for (size_t i = 0; i < sizeof(kMemberNames) / sizeof(kMemberNames[0]); ++i) {
        if (PortMonitor().removedMembers.count(kMemberNames[i]) != 0) {
            std::memset(members + i * sizeof(void*), 0, sizeof(void*));
        }
    }
    return table;
}

void RemovePortMonitorMember(const std::string& member)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    PortMonitor().removedMembers.insert(member);
}

HANDLE PortMonitorHandle()
{
    static int monitor;
    return &monitor;
}

void RemoveRouterFunction(const std::string& function)
{
    sim::RemoveSystemExport(u"spoolss.dll", function);
}

std::vector<PortStatus> PortStatusHistory(const Text& port)
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    auto found = spooler.portStatusHistory.find(port.wide());
    return found == spooler.portStatusHistory.end() ? std::vector<PortStatus>() : found->second;
}

}  // namespace printer
}  // namespace nirasim
