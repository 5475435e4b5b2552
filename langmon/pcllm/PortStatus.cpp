#include "langmon/pcllm/PortStatus.h"

#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/PortContext.h"

#include <winspool.h>

#include <initializer_list>

namespace {

constexpr DWORD kNoSeverity = 0;
constexpr DWORD kPortInfoLevel = 3;
// Pen conditions and levels the rules look at.
constexpr LONG kConditionEmpty = 7;
constexpr LONG kConditionLow = 6;
constexpr LONG kConditionLowFirst = 5;
constexpr LONG kConditionMissing = 4;
constexpr LONG kConditionFailed = 3;
constexpr LONG kConditionWarning = 2;
constexpr LONG kLowLevelFrom = 10;
constexpr LONG kLowLevelTo = 20;
constexpr LONG kTwoPenLayout = 2;
constexpr LONG kSixPenLayout = 6;
constexpr LONG kEightPenLayout = 8;
constexpr int kFirstExtraPen = 4;  // pens 5 to 8 (0-based 4 to 7)

volatile DWORD g_lastPortStatus = 0;

bool StateIn(LONG state, std::initializer_list<LONG> states)
{
    for (LONG listed : states) {
        if (state == listed) {
            return true;
        }
    }
    return false;
}

bool ConditionIn(const PenStatus& pen, std::initializer_list<LONG> conditions)
{
    return StateIn(pen.condition, conditions);
}

bool AnyExtraPenIn(const DeviceStatus& status, std::initializer_list<LONG> conditions)
{
    for (int pen = kFirstExtraPen; pen < kPenCount; ++pen) {
        if (ConditionIn(status.pens[pen], conditions)) {
            return true;
        }
    }
    return false;
}

bool IsLowPen(const PenStatus& pen)
{
    return pen.condition == kConditionWarning || (pen.level >= kLowLevelFrom && pen.level <= kLowLevelTo);
}

}  // namespace

void ComputePortStatus(const DeviceStatus& status, DWORD* portStatus, DWORD* severity)
{
    const LONG state = status.state;
    const LONG layout = status.penLayout;
    const PenStatus* pens = status.pens;
    struct Answer {
        DWORD status;
        DWORD severity;
    } answer = {0, kNoSeverity};
    if (status.header[0] == kCoverOpen || state == DEVICE_STATE_CLNO) {
        answer = {PORT_STATUS_DOOR_OPEN, PORT_STATUS_TYPE_ERROR};
    } else if (state == DEVICE_STATE_OOPA) {
        answer = {PORT_STATUS_PAPER_OUT, PORT_STATUS_TYPE_ERROR};
    } else if (StateIn(state, {DEVICE_STATE_PAJM, DEVICE_STATE_PAPS, DEVICE_STATE_CARS})) {
        answer = {PORT_STATUS_PAPER_JAM, PORT_STATUS_TYPE_ERROR};
    } else if (StateIn(state, {DEVICE_STATE_OFFF, DEVICE_STATE_PENF, DEVICE_STATE_ERRO, DEVICE_STATE_PWDN})) {
        answer = {PORT_STATUS_OFFLINE, PORT_STATUS_TYPE_ERROR};
    } else if (StateIn(state, {DEVICE_STATE_BNMZ, DEVICE_STATE_PHMZ, DEVICE_STATE_DPMZ})) {
        answer = {PORT_STATUS_PAPER_PROBLEM, PORT_STATUS_TYPE_WARNING};
    } else if (StateIn(state, {DEVICE_STATE_IOST, DEVICE_STATE_BNEJ})) {
        answer = {PORT_STATUS_USER_INTERVENTION, PORT_STATUS_TYPE_WARNING};
    } else if (StateIn(state, {DEVICE_STATE_RPRT, DEVICE_STATE_CNCL, DEVICE_STATE_PENC, DEVICE_STATE_FPTS})) {
        answer = {PORT_STATUS_OFFLINE, PORT_STATUS_TYPE_WARNING};
    } else if (layout == kTwoPenLayout &&
               (pens[0].condition == kConditionEmpty || pens[1].condition == kConditionEmpty)) {
        answer = {PORT_STATUS_NO_TONER, PORT_STATUS_TYPE_WARNING};
    } else if (layout == kEightPenLayout && AnyExtraPenIn(status, {kConditionMissing, kConditionFailed})) {
        answer = {PORT_STATUS_NO_TONER, PORT_STATUS_TYPE_WARNING};
    } else if (ConditionIn(pens[0], {kConditionLow, kConditionLowFirst}) ||
               (layout == kTwoPenLayout && ConditionIn(pens[1], {kConditionLow, kConditionLowFirst}))) {
        answer = {PORT_STATUS_TONER_LOW, PORT_STATUS_TYPE_WARNING};
    } else if (layout == kSixPenLayout && (IsLowPen(pens[4]) || IsLowPen(pens[5]))) {
        answer = {PORT_STATUS_TONER_LOW, PORT_STATUS_TYPE_WARNING};
    } else if (layout == kEightPenLayout && AnyExtraPenIn(status, {kConditionWarning})) {
        answer = {PORT_STATUS_TONER_LOW, PORT_STATUS_TYPE_WARNING};
    }
    *portStatus = answer.status;
    *severity = answer.severity;
}

void UpdatePortStatus(const StatusWatcher* watcher, PortContext* port, const DeviceStatus& status)
{
    DWORD newStatus = 0;
    DWORD severity = kNoSeverity;
    ComputePortStatus(status, &newStatus, &severity);
    const DWORD previous = port->portStatus;
    if (newStatus != previous) {
        PORT_INFO_3W info = {newStatus, nullptr, severity};
        if (newStatus == PORT_STATUS_TONER_LOW || newStatus == PORT_STATUS_NO_TONER) {
            // The spooler has no words of its own for ink: it is shown the driver's text.
            info.dwStatus = 0;
            if (watcher != nullptr) {
                info.pszStatus = const_cast<LPWSTR>(
                    newStatus == PORT_STATUS_TONER_LOW ? watcher->lowInkText : watcher->outOfInkText);
            }
        }
        port->portStatus = newStatus;
        SetPortFunction setPort = RouterFunction<SetPortFunction>("SetPortW");
        if (setPort != nullptr &&
            !setPort(nullptr, port->portName, kPortInfoLevel, reinterpret_cast<LPBYTE>(&info))) {
            port->portStatus = previous;  // tried again at the next poll
        }
    }
    g_lastPortStatus = port->portStatus;
}

void ReadDeviceStatus(LPSTR deviceId, DeviceStatus* status)
{
    *status = DeviceStatus{};
    LPCSTR value = SplitDeviceId(deviceId, nullptr);
    if (value != nullptr && value[0] == '$') {
        ParseVStatus(value, status);
    } else if (value != nullptr) {
        ParseHexStatus(value, status);
    }
}

int ApplyDeviceId(const StatusWatcher* watcher, PortContext* port, LPSTR deviceId, DWORD* size)
{
    DeviceStatus status;
    ReadDeviceStatus(deviceId, &status);
    UpdatePortStatus(watcher, port, status);
    if (size != nullptr) {
        *size = 1;
    }
    return 0;
}

void ClearPortStatus(const PortContext* port)
{
    PORT_INFO_3W info = {0, nullptr, 0};
    SetPortFunction setPort = RouterFunction<SetPortFunction>("SetPortW");
    if (setPort != nullptr) {
        setPort(nullptr, port->portName, kPortInfoLevel, reinterpret_cast<LPBYTE>(&info));
    }
}

DWORD GetLastPortStatus()
{
    return g_lastPortStatus;
}
