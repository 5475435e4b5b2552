// Test control of the port-monitor side of the simulated spooler: the port monitor below a
// language monitor, the printer on each of its ports, and the spooler's loading of a language
// monitor.
//
// A printer is known by its port. It answers pfnGetPrinterDataFromPort with its device ID (a
// standing answer, or a script of answers consumed one per call), can be told to fail, time out
// or block, and records every query and every byte written to it.
#pragma once

#include <nirasim/Machine.h>

#include <winsplp.h>

#include <string>
#include <vector>

namespace nirasim {
namespace printer {

// --- the device ---

// One answer of pfnGetPrinterDataFromPort: the bytes (the device ID, with or without its 2-byte
// length prefix), the result and the error reported with FALSE. `delay` milliseconds pass on the
// machine's clock before the answer (a slow device); `block` holds the call until
// ReleaseBlockedCalls.
struct DeviceAnswer {
    std::string bytes;
    BOOL result = TRUE;
    DWORD error = ERROR_SUCCESS;
    DWORD delay = 0;
    bool block = false;
};

// A device ID carrying the status value (VSTATUS for a value starting with "$", else S) after
// manufacturer, model and command-set keys.
std::string DeviceId(const std::string& statusValue, const std::string& model = "NIRA Inkjet 500");
// The ID preceded by its 2-byte big-endian length, as a device answers IEEE 1284 queries.
std::string WithLengthPrefix(const std::string& deviceId);
// Answers that fail or time out (ERROR_SEM_TIMEOUT after `delay` ms on the clock).
DeviceAnswer FailedAnswer(DWORD error);
DeviceAnswer TimedOutAnswer(DWORD delay);

// The answer of every query while no script is pending (a printer starts with an empty ID).
void SetDeviceAnswer(const Text& port, const DeviceAnswer& answer);
void SetDeviceId(const Text& port, const std::string& deviceId);
// Answers for the next queries, one each, before the standing answer is used again.
void ScriptDeviceAnswers(const Text& port, const std::vector<DeviceAnswer>& answers);
// Queries with another control code are answered FALSE with ERROR_INVALID_PARAMETER (and
// recorded as such); 0 accepts any code.
void ExpectControlCode(const Text& port, DWORD controlCode);

struct DeviceQuery {
    DWORD controlCode;
    std::u16string valueName;  // empty for a null value name
    DWORD inputSize;
    DWORD outputSize;
    DWORD returned;
    BOOL result;
    ULONGLONG tick;  // the machine's clock when the call came
};
std::vector<DeviceQuery> DeviceQueries(const Text& port);

// --- job counters ---

// A usage counter of the device. After the counter command for its number (ESC "*o5W", the bytes
// C0 01 00, the number as two bytes and a line feed) the device's IDs end with "CTR:", the number
// with `digits` digits, ":", the value and ";", until the command for 0. A counter that was never
// set is never reported.
struct JobCounter {
    DWORD digits = 5;
    std::string value;
};
void SetJobCounter(const Text& port, DWORD number, const JobCounter& counter);

// --- data written to the device ---

// How one pfnWritePort call ends: the full count with TRUE; `count` bytes with TRUE (a short
// write); `count` bytes with FALSE and `error`; after `count` ms on the clock with
// ERROR_SEM_TIMEOUT; or held until ReleaseBlockedCalls, then written in full.
enum class WriteOutcome { Full, Short, Fail, Timeout, Block };
struct WriteScript {
    WriteOutcome outcome = WriteOutcome::Full;
    DWORD count = 0;
    DWORD error = ERROR_SUCCESS;
};
// Outcomes of the next writes, one each; later writes succeed in full.
void ScriptWrites(const Text& port, const std::vector<WriteScript>& writes);
void ReleaseBlockedCalls(const Text& port);

struct PortWrite {
    std::string offered;  // the bytes the caller passed
    DWORD written;        // the count reported
    BOOL result;
};
std::vector<PortWrite> Writes(const Text& port);
// The bytes the device took, in order.
std::string BytesReceived(const Text& port);
// The port monitor's entries called for the port, in order ("OpenPort", "StartDocPort",
// "EndDocPort", "ReadPort", "ClosePort", "GetPrinterDataFromPort", "WritePort").
std::vector<std::string> PortCalls(const Text& port);
// Forgets what the device took and the calls made (a long run keeps its memory flat).
void ForgetWrites(const Text& port);
// Bytes pfnReadPort hands back (then nothing).
void SetReadData(const Text& port, const std::string& bytes);

// --- the port monitor ---

// pfnOpenPort fails with `error` (ERROR_SUCCESS: opens again).
void FailOpenPort(DWORD error);
// The port monitor's MONITOR2 (160 bytes), without the members removed below.
MONITOR2 PortMonitorTable();
// A member by its name ("pfnReadPort", ...) is null in tables made from now on.
void RemovePortMonitorMember(const std::string& member);
// The monitor handle the port monitor hands the language monitor with each port.
HANDLE PortMonitorHandle();

// --- the spooler ---

// A function of the spooler router "spoolss.dll" ("SetPortW", "OpenPrinterW", ...) that
// GetProcAddress no longer finds.
void RemoveRouterFunction(const std::string& function);
// Every status SetPortW level 3 gave the port, in order.
std::vector<PortStatus> PortStatusHistory(const Text& port);

// The spooler's side of a language monitor: loads it by file name (from the driver directory's
// version folder when the name has no folder), calls InitializePrintMonitor2 and opens ports
// through its table above the port monitor.
class LanguageMonitor {
public:
    explicit LanguageMonitor(const Text& fileName);
    ~LanguageMonitor();  // closes the ports left open, then frees the module
    LanguageMonitor(const LanguageMonitor&) = delete;
    LanguageMonitor& operator=(const LanguageMonitor&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // A MONITORINIT as the spooler passes it (a registry root that is not null).
    static MONITORINIT SpoolerInit();
    // InitializePrintMonitor2 with `init` (null: pass none); the table answered, the last error
    // after a null one.
    LPMONITOR2 Initialize(const MONITORINIT* init);
    LPMONITOR2 Initialize()
    {
        MONITORINIT init = SpoolerInit();
        return Initialize(&init);
    }
    // pfnOpenPortEx above the port monitor (whose table is PortMonitorTable()); null on failure,
    // with its last error in *error.
    HANDLE OpenPort(const Text& port, const Text& printer, DWORD* error = nullptr);
    BOOL ClosePort(HANDLE port);
    // The spooler delivering a job's bytes to a port through the monitor: StartDocPort (level 1,
    // the document name), WritePort in calls of at most `chunk` bytes, EndDocPort. FALSE at the
    // first call that fails, with its last error in *error.
    BOOL DeliverJob(HANDLE port, const Text& printer, DWORD jobId, const Text& document,
                    const std::string& bytes, DWORD chunk, DWORD* error = nullptr);
    LPMONITOR2 Table() const { return table_; }

private:
    HMODULE module_ = nullptr;
    LPMONITOR2 table_ = nullptr;
    std::vector<HANDLE> open_;
};

}  // namespace printer
}  // namespace nirasim
