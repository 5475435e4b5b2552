#include "langmon/pcllm/DeviceReads.h"

#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/PortContext.h"

#include <initializer_list>

namespace {

constexpr LONG kDuplexUnitLevel = 8;
constexpr int kDuplexHeaderDigit = 3;
constexpr int kInputBinHeaderDigit = 6;
constexpr LONG kOneGroupLayout = 1;
constexpr LONG kTwoPenLayout = 2;
constexpr LONG kThreePenLayout = 3;
constexpr int kCombinationPens = 3;

// Pen colour codes and the status codes of their combinations.
constexpr LONG kBlackPen = 1;
constexpr LONG kColourPen = 2;
constexpr LONG kPhotoPen = 3;
constexpr LONG kGreyPen = 10;
constexpr LONG kBlackAndColour = 4;
constexpr LONG kColourAndPhoto = 5;
constexpr LONG kColourAndGrey = 10;
constexpr LONG kBlackColourAndPhoto = 9;
constexpr LONG kColourPhotoAndGrey = 11;

// The device ID read straight from the port monitor below (no length prefix stripped) into a
// record; FALSE when it cannot be read or carries no status.
BOOL ReadStatus(PortContext* port, DeviceStatus* status)
{
    if (port->lower.pfnGetPrinterDataFromPort == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    char id[kDeviceReadSize] = {};
    DWORD size = 0;
    if (!port->lower.pfnGetPrinterDataFromPort(port->lowerPort, kQueryDeviceIdControlCode, nullptr, nullptr,
                                               0, reinterpret_cast<LPWSTR>(id), kDeviceReadSize, &size) ||
        size == 0) {
        return FALSE;
    }
    id[size < kDeviceReadSize ? size : kDeviceReadSize - 1] = 0;
    LPCSTR value = SplitDeviceId(id, nullptr);
    if (value == nullptr) {
        return FALSE;
    }
    *status = DeviceStatus{};
    if (value[0] == '$') {
        ParseVStatus(value, status);
    } else {
        ParseHexStatus(value, status);
    }
    return TRUE;
}

bool HasColours(const LONG* colours, std::initializer_list<LONG> wanted)
{
    for (LONG colour : wanted) {
        bool found = false;
        for (int pen = 0; pen < kCombinationPens; ++pen) {
            found = found || colours[pen] == colour;
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

}  // namespace

LONG IsDuplexUnitInstalled(PortContext* port)
{
    DeviceStatus status;
    if (!ReadStatus(port, &status)) {
        return -1;
    }
    return status.header[kDuplexHeaderDigit - 1] >= kDuplexUnitLevel ? 1 : 0;
}

LONG HasInputBin(PortContext* port)
{
    DeviceStatus status;
    if (!ReadStatus(port, &status)) {
        return -1;
    }
    return status.header[kInputBinHeaderDigit - 1] != 0 ? 1 : 0;
}

LONG GetPenStatusCode(PortContext* port)
{
    DeviceStatus status;
    if (!ReadStatus(port, &status)) {
        return kPenStatusUnknown;
    }
    if (status.state == DEVICE_STATE_PENF) {
        return status.penLayout == kTwoPenLayout ? kPenFailureTwoPens : kPenStatusUnknown;
    }
    if (status.penLayout == kOneGroupLayout) {
        const LONG colour = status.pens[0].colour;
        return colour >= kBlackPen && colour <= kPhotoPen ? colour : kPenStatusUnknown;
    }
    return GetPenCombinationCode(status);
}

LONG GetPenCombinationCode(const DeviceStatus& status)
{
    if (status.state == DEVICE_STATE_PENF) {
        return kPenStatusUnknown;
    }
    const LONG colours[kCombinationPens] = {status.pens[0].colour, status.pens[1].colour,
                                            status.pens[2].colour};
    if (status.penLayout == kTwoPenLayout) {
        if (HasColours(colours, {kBlackPen, kColourPen})) {
            return kBlackAndColour;
        }
        if (HasColours(colours, {kColourPen, kPhotoPen})) {
            return kColourAndPhoto;
        }
        if (HasColours(colours, {kColourPen, kGreyPen})) {
            return kColourAndGrey;
        }
    } else if (status.penLayout == kThreePenLayout) {
        if (HasColours(colours, {kBlackPen, kColourPen, kPhotoPen})) {
            return kBlackColourAndPhoto;
        }
        if (HasColours(colours, {kColourPen, kPhotoPen, kGreyPen})) {
            return kColourPhotoAndGrey;
        }
    }
    return kPenStatusUnknown;
}
