// Ports: the standard local ports and those of the machine's printers; the status a language
// monitor sets on a port is kept for tests.
#include "spooler/Spooler.h"

#include "core/Failures.h"
#include "core/Wide.h"
#include "spooler/RecordPacker.h"

#include <set>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

const char16_t* const kStandardPorts[] = {u"LPT1:", u"LPT2:", u"LPT3:", u"COM1:", u"FILE:", u"PORTPROMPT:"};

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

bool IsLocalServer(LPCWSTR name)
{
    return name == nullptr || *name == 0;
}

// Every port, standard ones first, then those printers name (a pooled list gives each). Call
// under the spooler's lock.
std::vector<std::u16string> AllPorts()
{
    std::vector<std::u16string> ports(std::begin(kStandardPorts), std::end(kStandardPorts));
    std::set<std::u16string, NoCaseLess> seen(ports.begin(), ports.end());
    for (const auto& printer : Spooler().printers) {
        std::u16string list = printer.spec.portName;
        size_t start = 0;
        while (start <= list.size()) {
            size_t comma = list.find(u',', start);
            std::u16string port =
                list.substr(start, comma == std::u16string::npos ? std::u16string::npos : comma - start);
            if (!port.empty() && seen.insert(port).second) {
                ports.push_back(port);
            }
            if (comma == std::u16string::npos) {
                break;
            }
            start = comma + 1;
        }
    }
    return ports;
}

}  // namespace

BOOL WINAPI EnumPortsW(LPWSTR pName, DWORD Level, LPBYTE pPort, DWORD cbBuf, LPDWORD pcbNeeded,
                       LPDWORD pcReturned)
{
    NIRASIM_FAIL_IF_INJECTED("EnumPortsW", FALSE);
    if (pcbNeeded == nullptr || pcReturned == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    *pcReturned = 0;
    if (!IsLocalServer(pName)) {
        return Fail(ERROR_INVALID_NAME);
    }
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::vector<std::u16string> ports = AllPorts();
    RecordPacker packer;
    for (const auto& port : ports) {
        size_t at = packer.AddRecord(PORT_INFO_1W{});
        packer.PointAt(at + offsetof(PORT_INFO_1W, pName), &port);
    }
    if (!packer.Answer(pPort, cbBuf, pcbNeeded)) {
        return FALSE;
    }
    *pcReturned = static_cast<DWORD>(ports.size());
    return TRUE;
}

BOOL WINAPI SetPortW(LPWSTR pName, LPWSTR pPortName, DWORD dwLevel, LPBYTE pPortInfo)
{
    NIRASIM_FAIL_IF_INJECTED("SetPortW", FALSE);
    if (!IsLocalServer(pName)) {
        return Fail(ERROR_INVALID_NAME);
    }
    if (dwLevel != 3) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    if (pPortName == nullptr || pPortInfo == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const PORT_INFO_3W& info = *reinterpret_cast<const PORT_INFO_3W*>(pPortInfo);
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::vector<std::u16string> ports = AllPorts();
    bool known = false;
    for (const auto& port : ports) {
        known = known || EqualNoCase(port, pPortName);
    }
    if (!known) {
        return Fail(ERROR_UNKNOWN_PORT);
    }
    spooler.portStatus[pPortName] =
        PortStatus{info.dwStatus, WideFrom(info.pszStatus), info.dwSeverity, true};
    spooler.portStatusHistory[pPortName].push_back(spooler.portStatus[pPortName]);
    return TRUE;
}
