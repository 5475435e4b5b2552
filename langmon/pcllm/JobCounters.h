// The printer's usage counters: on request the device reports one inside its device ID, and the
// monitor keeps that answer in the printer's driver data ("CTR:" and the counter number) for the
// printer-status page of the user interface. Also the port's driver-data key.
#pragma once

#include <windows.h>

struct PortContext;

constexpr DWORD kCounterPasses = 20;
constexpr DWORD kCounterDelayStep = 100;
constexpr DWORD kCounterDelayLimit = 1000;
constexpr DWORD kPrintingLanguageWithCounters = 4;
constexpr DWORD kUniversalExitSize = 9;

extern const BYTE kUniversalExit[kUniversalExitSize + 1];

// Opens or creates the driver data of the printer of the port's newest job as the port's key.
void OpenDriverDataKey(PortContext* port);
void CloseDriverDataKey(PortContext* port);
// 1 when the counter request (0 ends the counter mode) went to the device, 0 when not.
int SendCounterRequest(PortContext* port, DWORD counter);
int EndCounterRequest(PortContext* port);
// 1 when the counter's answer was stored.
int ReadJobCounter(PortContext* port, DWORD counter);
// At the end of the last queued job: the counter named by "ZQSETCTR", on Windows 2000 only.
void ReadEndOfJobCounter(PortContext* port);
