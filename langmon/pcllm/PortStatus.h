// The spooler's port status from the device's status: the first matching rule gives a
// PORT_INFO_3 status and severity, set on the port with the router's SetPortW when it changes.
#pragma once

#include <windows.h>

#include "langmon/pcllm/DeviceStatus.h"

struct PortContext;
struct StatusWatcher;

// The port status and severity the rules give for a record (TONER_LOW and NO_TONER included;
// the spooler is shown them as texts).
void ComputePortStatus(const DeviceStatus& status, DWORD* portStatus, DWORD* severity);
// Sets the port status when it differs from the one recorded for the port.
void UpdatePortStatus(const StatusWatcher* watcher, PortContext* port, const DeviceStatus& status);
// Parses a device ID (terminated; split in place) and updates the port status. Answers 0 and
// sets *size to 1.
int ApplyDeviceId(const StatusWatcher* watcher, PortContext* port, LPSTR deviceId, DWORD* size);
// Reads a device ID's status into a record (all zero without a status value).
void ReadDeviceStatus(LPSTR deviceId, DeviceStatus* status);
// Shows the port without a status; the status recorded for the port stays.
void ClearPortStatus(const PortContext* port);
// The status recorded by the latest update of any port, which the job writers read.
DWORD GetLastPortStatus();
