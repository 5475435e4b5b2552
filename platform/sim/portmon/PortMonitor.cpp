// The port monitor below a language monitor: its MONITOR2 entries open a port's printer, take
// the bytes written to it and answer device-ID queries as the test scripted them.
#include "portmon/PortDevices.h"

#include "core/MachineState.h"
#include "process/Clock.h"

#include <algorithm>
#include <cstring>

namespace nirasim::sim {
namespace {

PortDevice* DeviceOfHandle(HANDLE port)
{
    auto& open = PortMonitor().openPorts;
    for (const auto& lower : open) {
        if (lower.get() == port) {
            return &DeviceOf(lower->name);
        }
    }
    return nullptr;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// Holds a blocked call until the test releases the port's calls.
void WaitForRelease(std::unique_lock<std::mutex>& hold, PortDevice& device)
{
    const unsigned seen = device.releases;
    PortMonitor().released.wait(hold, [&] { return device.releases != seen; });
}

const char kCounterCommand[] = "\x1B*o5W\xC0\x01\x00";
constexpr size_t kCounterCommandHead = sizeof(kCounterCommand) - 1;

// The device reads a counter command among the bytes it took.
void ReadCounterCommand(PortDevice& device, const std::string& bytes)
{
    const size_t at = bytes.find(std::string(kCounterCommand, kCounterCommandHead));
    if (at != std::string::npos && at + kCounterCommandHead + 3 <= bytes.size() &&
        bytes[at + kCounterCommandHead + 2] == '\n') {
        const auto high = static_cast<unsigned char>(bytes[at + kCounterCommandHead]);
        const auto low = static_cast<unsigned char>(bytes[at + kCounterCommandHead + 1]);
        device.counterRequested = (high << 8) | low;
    }
}

// The counter the device was asked for, as its IDs report it; empty when there is none.
std::string CounterText(const PortDevice& device)
{
    auto found = device.counters.find(device.counterRequested);
    if (device.counterRequested == 0 || found == device.counters.end()) {
        return std::string();
    }
    std::string number = std::to_string(device.counterRequested);
    if (number.size() < found->second.digits) {
        number.insert(0, found->second.digits - number.size(), '0');
    }
    return "CTR:" + number + ":" + found->second.value + ";";
}

printer::DeviceAnswer TakeAnswer(PortDevice& device)
{
    if (device.answers.empty()) {
        return device.standing;
    }
    printer::DeviceAnswer answer = device.answers.front();
    device.answers.pop_front();
    return answer;
}

BOOL WINAPI OpenPort(HANDLE, LPWSTR pName, PHANDLE pHandle)
{
    if (pName == nullptr || pHandle == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortMonitorState& state = PortMonitor();
    std::lock_guard<std::mutex> hold(state.lock);
    DeviceOf(pName).calls.push_back("OpenPort");
    if (state.openPortError != ERROR_SUCCESS) {
        return Fail(state.openPortError);
    }
    state.openPorts.push_back(std::make_unique<LowerPort>(LowerPort{pName}));
    *pHandle = state.openPorts.back().get();
    return TRUE;
}

// Records a call without data; FALSE for a handle this monitor did not open.
BOOL RecordCall(HANDLE hPort, const char* call)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    PortDevice* device = DeviceOfHandle(hPort);
    if (device == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    device->calls.push_back(call);
    return TRUE;
}

BOOL WINAPI StartDocPort(HANDLE hPort, LPWSTR, DWORD, DWORD, LPBYTE)
{
    return RecordCall(hPort, "StartDocPort");
}

BOOL WINAPI EndDocPort(HANDLE hPort)
{
    return RecordCall(hPort, "EndDocPort");
}

BOOL WINAPI ClosePort(HANDLE hPort)
{
    if (!RecordCall(hPort, "ClosePort")) {
        return FALSE;
    }
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    auto& open = PortMonitor().openPorts;
    open.erase(
        std::remove_if(open.begin(), open.end(), [&](const auto& lower) { return lower.get() == hPort; }),
        open.end());
    return TRUE;
}

BOOL WINAPI WritePort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten)
{
    std::unique_lock<std::mutex> hold(PortMonitor().lock);
    PortDevice* device = DeviceOfHandle(hPort);
    if (device == nullptr || pcbWritten == nullptr || (pBuffer == nullptr && cbBuf > 0)) {
        return Fail(device == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    }
    device->calls.push_back("WritePort");
    printer::WriteScript script;
    if (!device->writeScript.empty()) {
        script = device->writeScript.front();
        device->writeScript.pop_front();
    }
    std::string offered(reinterpret_cast<const char*>(pBuffer), cbBuf);
    DWORD written = cbBuf;
    BOOL result = TRUE;
    DWORD error = ERROR_SUCCESS;
    switch (script.outcome) {
    case printer::WriteOutcome::Full:
        break;
    case printer::WriteOutcome::Short:
        written = std::min(script.count, cbBuf);
        break;
    case printer::WriteOutcome::Fail:
        written = std::min(script.count, cbBuf);
        result = FALSE;
        error = script.error;
        break;
    case printer::WriteOutcome::Timeout:
        AdvanceClock(script.count);
        written = 0;
        result = FALSE;
        error = ERROR_SEM_TIMEOUT;
        break;
    case printer::WriteOutcome::Block:
        WaitForRelease(hold, *device);
        break;
    }
    device->received.append(offered, 0, written);
    ReadCounterCommand(*device, offered.substr(0, written));
    device->writes.push_back(printer::PortWrite{offered, written, result});
    *pcbWritten = written;
    return result ? TRUE : Fail(error);
}

BOOL WINAPI ReadPort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuffer, LPDWORD pcbRead)
{
    std::lock_guard<std::mutex> hold(PortMonitor().lock);
    PortDevice* device = DeviceOfHandle(hPort);
    if (device == nullptr || pcbRead == nullptr || (pBuffer == nullptr && cbBuffer > 0)) {
        return Fail(device == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    }
    device->calls.push_back("ReadPort");
    const DWORD count = static_cast<DWORD>(std::min<size_t>(cbBuffer, device->readData.size()));
    std::memcpy(pBuffer, device->readData.data(), count);
    device->readData.erase(0, count);
    *pcbRead = count;
    return TRUE;
}

BOOL WINAPI GetPrinterDataFromPort(HANDLE hPort, DWORD ControlID, LPWSTR pValueName, LPWSTR, DWORD cbInBuffer,
                                   LPWSTR lpOutBuffer, DWORD cbOutBuffer, LPDWORD lpcbReturned)
{
    std::unique_lock<std::mutex> hold(PortMonitor().lock);
    PortDevice* device = DeviceOfHandle(hPort);
    if (device == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    device->calls.push_back("GetPrinterDataFromPort");
    printer::DeviceQuery query{ControlID, WideFrom(pValueName), cbInBuffer, cbOutBuffer, 0,
                               FALSE,     ClockTicks()};
    printer::DeviceAnswer answer = TakeAnswer(*device);
    if (answer.result) {
        answer.bytes += CounterText(*device);
    }
    DWORD error = ERROR_SUCCESS;
    if (device->expectedControlCode != 0 && ControlID != device->expectedControlCode) {
        error = ERROR_INVALID_PARAMETER;
    } else if (lpcbReturned == nullptr || (lpOutBuffer == nullptr && cbOutBuffer > 0)) {
        error = ERROR_INVALID_PARAMETER;
    } else {
        if (answer.block) {
            WaitForRelease(hold, *device);
        }
        AdvanceClock(answer.delay);
        if (!answer.result) {
            error = answer.error;
        } else if (answer.bytes.size() > cbOutBuffer) {
            error = ERROR_INSUFFICIENT_BUFFER;
            *lpcbReturned = static_cast<DWORD>(answer.bytes.size());
        } else {
            std::memcpy(lpOutBuffer, answer.bytes.data(), answer.bytes.size());
            *lpcbReturned = query.returned = static_cast<DWORD>(answer.bytes.size());
            query.result = TRUE;
        }
    }
    device->queries.push_back(query);
    return query.result ? TRUE : Fail(error);
}

}  // namespace

PortMonitorState& PortMonitor()
{
    static auto* state = new PortMonitorState;
    return *state;
}

ResetHook resetPortMonitor([] {
    PortMonitorState& state = PortMonitor();
    std::lock_guard<std::mutex> hold(state.lock);
    state.devices.clear();
    state.openPorts.clear();
    state.openPortError = ERROR_SUCCESS;
    state.removedMembers.clear();
});

PortDevice& DeviceOf(const std::u16string& port)
{
    return PortMonitor().devices[port];
}

MONITOR2 FullPortMonitorTable()
{
    MONITOR2 table{};
    table.cbSize = sizeof(MONITOR2);
    table.pfnOpenPort = OpenPort;
    table.pfnStartDocPort = StartDocPort;
    table.pfnWritePort = WritePort;
    table.pfnReadPort = ReadPort;
    table.pfnEndDocPort = EndDocPort;
    table.pfnClosePort = ClosePort;
    table.pfnGetPrinterDataFromPort = GetPrinterDataFromPort;
    return table;
}

}  // namespace nirasim::sim
