// Job "status": the sample printer on a simulated USB device, its port opened through niralm
// above the simulated port monitor; for each device state, the device ID the printer answers, the
// status niralm reads from it, and the port status and text the spooler would show.
#include "host/HostJob.h"

#include "langmon/pcllm/DeviceStatus.h"
#include "langmon/pcllm/MonitorEntry.h"
#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/PortContext.h"
#include "langmon/pcllm/PortStatus.h"
#include "langmon/pcllm/StatusWatcher.h"

#include <nirasim/Printer.h>

#include <strsafe.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include "support/WString.h"
#include <thread>
#include <vector>

namespace printer = nirasim::printer;

namespace {

const WCHAR* const kPort = TEXT("USB001");
constexpr DWORD kNoAnswerDelay = 3000;
constexpr auto kTextsWait = std::chrono::seconds(10);

struct DeviceState {
    const char* name;
    const char* statusValue;  // null: the device does not answer
};

const DeviceState kStates[] = {
    {"idle", "$AC0$FC0,ff,DN,IDLE,CUT,K0,C0,SM"},
    {"door open", "$AC0$FC0,ff,UP,PRNT,CUT,K0,C0,SM"},
    {"paper jam", "$AC0$FC0,ff,DN,PAJM,CUT,K0,C0,SM"},
    {"out of paper (hexadecimal form)", "0381234567800000092C2A9A5F0C2A9A5F0"},
    {"out of ink", "$AC0$FC0,ff,DN,IDLE,CUT,K0,C3,SM"},
    {"low ink", "$AC1$FC0,ff,DN,IDLE,CUT,K1,C0,SM"},
    {"no answer", nullptr},
};

const char* const kStateWords[] = {"IDLE", "BUSY", "PRNT", "OFFF", "RPRT", "CNCL", "IOST", "DRYW",
                                   "PENC", "OOPA", "BNEJ", "BNMZ", "PHMZ", "DPMZ", "PAJM", "CARS",
                                   "PAPS", "PENF", "ERRO", "PWDN", "FPTS", "CLNO"};

const char* PortStatusName(DWORD status)
{
    switch (status) {
    case 0:
        return "none";
    case PORT_STATUS_OFFLINE:
        return "offline";
    case PORT_STATUS_PAPER_JAM:
        return "paper jam";
    case PORT_STATUS_PAPER_OUT:
        return "paper out";
    case PORT_STATUS_PAPER_PROBLEM:
        return "paper problem";
    case PORT_STATUS_NO_TONER:
        return "no ink (shown as the driver's text)";
    case PORT_STATUS_DOOR_OPEN:
        return "door open";
    case PORT_STATUS_USER_INTERVENTION:
        return "user intervention";
    case PORT_STATUS_TONER_LOW:
        return "low ink (shown as the driver's text)";
    default:
        return "other";
    }
}

const char* SeverityName(DWORD severity)
{
    return severity == PORT_STATUS_TYPE_ERROR     ? "error"
           : severity == PORT_STATUS_TYPE_WARNING ? "warning"
                                                  : "none";
}

void ShowParsed(const std::string& deviceId)
{
    std::string copy = deviceId;
    DeviceStatus status;
    ReadDeviceStatus(&copy[0], &status);
    const bool known =
        status.state >= 0 && status.state < static_cast<LONG>(sizeof(kStateWords) / sizeof(kStateWords[0]));
    char line[160];
    std::snprintf(line, sizeof(line),
                  "  parsed:       state %s (%ld), format version %ld, cover %s, pen layout %ld",
                  known ? kStateWords[status.state] : "?", static_cast<long>(status.state),
                  static_cast<long>(status.version), status.header[0] == kCoverOpen ? "open" : "closed",
                  static_cast<long>(status.penLayout));
    HostMachine::Print(line);
    for (int pen = 0; pen < 2; ++pen) {
        const PenStatus& read = status.pens[pen];
        std::snprintf(line, sizeof(line), "    pen %d: colour %ld, kind %ld, condition %ld, level %ld",
                      pen + 1, static_cast<long>(read.colour), static_cast<long>(read.kind),
                      static_cast<long>(read.condition), static_cast<long>(read.level));
        HostMachine::Print(line);
    }
}

void ShowPortStatus(HostMachine& host)
{
    const nirasim::PortStatus status = host.machine().GetPortStatus(kPort);
    if (!status.set) {
        HostMachine::Print("  port status:  (never set)");
        return;
    }
    char line[160];
    std::snprintf(line, sizeof(line), "  port status:  %u, %s, severity %s",
                  static_cast<unsigned>(status.status), PortStatusName(status.status),
                  SeverityName(status.severity));
    HostMachine::Print(line);
    HostMachine::Print(TEXT("  spooler text: ") +
                       (status.text.empty() ? WString(TEXT("(its own)")) : status.text));
}

void ShowState(HostMachine& host, PortContext* port, const DeviceState& state)
{
    HostMachine::Print(std::string("device ") + state.name + ":");
    if (state.statusValue == nullptr) {
        printer::SetDeviceAnswer(kPort, printer::TimedOutAnswer(kNoAnswerDelay));
        HostMachine::Print("  device ID:    (no answer; the port status stays)");
    } else {
        const std::string id = printer::DeviceId(state.statusValue);
        printer::SetDeviceId(kPort, printer::WithLengthPrefix(id));
        HostMachine::Print("  device ID:    " + id);
        ShowParsed(id);
    }
    PollDeviceStatus(&port->watcher, 1);  // the poll at the start of a job
    ShowPortStatus(host);
    std::string stored;
    host.machine().GetPrinterData(host.printerName(), "ZQSTSSTR", stored);
    HostMachine::Print("  ZQSTSSTR:     " + stored);
}

constexpr LONG kAskedCounter = 28;
constexpr DWORD kStatusValueSize = 1300;

std::string BidiValue(const BIDI_DATA& data)
{
    switch (data.dwBidiType) {
    case BIDI_INT:
        return "int " + std::to_string(data.u.iData);
    case BIDI_BOOL:
        return data.u.bData ? "bool TRUE" : "bool FALSE";
    case BIDI_TEXT:
    case BIDI_ENUM:
    case BIDI_STRING:
        return data.u.sData != nullptr ? nirasim::Utf8(data.u.sData) : "(null)";
    default:
        return "none";
    }
}

void ShowBidiResponse(const char* action, PBIDI_RESPONSE_CONTAINER response)
{
    if (response == nullptr) {
        HostMachine::Print(std::string("bidi ") + action + ": no answer");
        return;
    }
    HostMachine::Print(std::string("bidi ") + action + ": " + std::to_string(response->Count) + " entries");
    for (DWORD i = 0; i < response->Count; ++i) {
        const BIDI_RESPONSE_DATA& entry = response->aData[i];
        char result[16];
        std::snprintf(result, sizeof(result), "0x%08X", static_cast<unsigned>(entry.dwResult));
        HostMachine::Print("  #" + std::to_string(entry.dwReqNumber) + " " + result + " " +
                           (entry.pSchema != nullptr ? nirasim::Utf8(entry.pSchema) : std::string("-")) +
                           ": " + BidiValue(entry.data));
    }
    RouterFreeBidiResponseContainer(response);
}

// The spooler's bidi questions: the schemas niralm knows, then a Get of each of them (the
// counter request asks for counter 28).
void ShowBidiAnswers(LPMONITOR2 table, HANDLE port)
{
    if (table->pfnSendRecvBidiDataFromPort == nullptr) {
        HostMachine::Print("bidi: not offered on this Windows version");
        return;
    }
    PBIDI_RESPONSE_CONTAINER response = nullptr;
    table->pfnSendRecvBidiDataFromPort(port, 0, BIDI_ACTION_ENUM_SCHEMA, nullptr, &response);
    std::vector<WString> schemas;
    for (DWORD i = 0; response != nullptr && i < response->Count; ++i) {
        const LPWSTR schema = response->aData[i].data.u.sData;
        schemas.push_back(schema != nullptr ? WString(schema) : WString());
    }
    ShowBidiResponse("EnumSchema", response);
    const DWORD count = static_cast<DWORD>(schemas.size());
    std::vector<BYTE> block(offsetof(BIDI_REQUEST_CONTAINER, aData) +
                            std::max<DWORD>(count, 1) * sizeof(BIDI_REQUEST_DATA));
    auto* request = reinterpret_cast<PBIDI_REQUEST_CONTAINER>(block.data());
    request->Version = 1;
    request->Count = count;
    for (DWORD i = 0; i < count; ++i) {
        request->aData[i].dwReqNumber = i;
        request->aData[i].pSchema = schemas[i].data();
        request->aData[i].data.dwBidiType = BIDI_INT;
        request->aData[i].data.u.iData = kAskedCounter;
    }
    response = nullptr;
    table->pfnSendRecvBidiDataFromPort(port, 0, BIDI_ACTION_GET, request, &response);
    ShowBidiResponse("Get", response);
}

// The printer-data values the user interface reads through the spooler.
void ShowStatusValues(LPMONITOR2 table, HANDLE port)
{
    for (const WCHAR* name : {TEXT("ZQSTSSTR"), TEXT("ZQSTATUS")}) {
        WString valueName = name;
        std::string value(kStatusValueSize, '\0');
        DWORD returned = 0;
        const BOOL answered = table->pfnGetPrinterDataFromPort(port, 0, valueName.data(), nullptr, 0,
                                                               reinterpret_cast<LPWSTR>(&value[0]),
                                                               kStatusValueSize, &returned);
        value.resize(answered ? std::min<DWORD>(returned, kStatusValueSize) : 0);
        HostMachine::Print("printer data " + nirasim::Utf8(valueName) + ": " +
                           (answered ? value.c_str() : "refused, error " + std::to_string(GetLastError())));
    }
}

// The ink texts are read by the status thread when it starts.
bool WaitForTexts(const StatusWatcher& watcher)
{
    const auto end = std::chrono::steady_clock::now() + kTextsWait;
    while (watcher.stringModule == nullptr && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return watcher.stringModule != nullptr;
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    host.machine().SetWindowsVersion(5, 1);
    if (!StartMonitorGlobals()) {
        HostMachine::Print("niralm: the spooler router is missing");
        return 1;
    }
    MONITORINIT init = printer::LanguageMonitor::SpoolerInit();
    HANDLE monitor = nullptr;
    LPMONITOR2 table = InitializePrintMonitor2(&init, &monitor);
    MONITOR2 lower = printer::PortMonitorTable();
    WString portName = kPort;
    WString printerName = host.printerName();
    HANDLE handle = nullptr;
    if (table == nullptr || !table->pfnOpenPortEx(nullptr, printer::PortMonitorHandle(), portName.data(),
                                                  printerName.data(), &handle, &lower)) {
        HostMachine::Print("niralm: the port does not open");
        EndMonitorGlobals();
        return 1;
    }
    PortContext* port = static_cast<PortContext*>(handle);
    HostMachine::Print(TEXT("printer ") + printerName + TEXT(" on ") + portName +
                       TEXT(", opened through niralm"));
    const WString strings = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirastr.dll");
    StringCchCopyW(port->watcher.stringLibraryPath, kStringLibraryPathCapacity, strings.c_str());
    printer::SetDeviceId(kPort, printer::DeviceId(kStates[0].statusValue));
    StartStatusWatcher(&port->watcher, port, printerName.c_str());
    if (!WaitForTexts(port->watcher)) {
        HostMachine::Print("niralm: the ink texts did not load");
    }
    for (const DeviceState& state : kStates) {
        ShowState(host, port, state);
    }
    printer::SetDeviceId(kPort, printer::DeviceId("$HB1$AC2,ff,DN,IDLE,CUT,K0,C0,DU"));
    HostMachine::Print("device with a black and a colour pen and a duplex unit:");
    ShowStatusValues(table, handle);
    ShowBidiAnswers(table, handle);
    table->pfnClosePort(handle);
    EndMonitorGlobals();
    return 0;
}

const HostJobRegistration job{
    {"status", "device states as niralm reads them and the port status the spooler shows", 60, Run}};

}  // namespace
