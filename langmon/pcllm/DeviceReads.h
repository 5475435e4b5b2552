// Answers computed from a fresh device ID for the spooler's bidi queries: whether a duplex unit
// or an input bin is installed and what the pens are.
#pragma once

#include <windows.h>

#include "langmon/pcllm/DeviceStatus.h"

struct PortContext;

constexpr DWORD kDeviceReadSize = 1024;
constexpr LONG kPenStatusUnknown = -1;
constexpr LONG kPenFailureTwoPens = 7;

// 1, 0, or -1 when the device cannot be read.
LONG IsDuplexUnitInstalled(PortContext* port);
LONG HasInputBin(PortContext* port);
// A pen status code, or -1.
LONG GetPenStatusCode(PortContext* port);
LONG GetPenCombinationCode(const DeviceStatus& status);
