// The spooler's state: drivers, printers and open printer handles.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <nirasim/Machine.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "core/Handles.h"
#include "core/Wide.h"

namespace nirasim::sim {

extern const char16_t* const kEnvironment;     // "Windows x64"
extern const char16_t* const kPrintersKey;     // SYSTEM\CurrentControlSet\Control\Print\Printers
extern const char16_t* const kPrinterDataKey;  // PrinterDriverData

struct PrinterRecord {
    PrinterSpec spec;
    ACCESS_MASK refused = 0;
    DWORD documentError = 0;  // StartDocPrinterW fails with it when set
};

struct SpoolerState {
    std::recursive_mutex lock;
    std::vector<DriverSpec> drivers;
    std::vector<PrinterRecord> printers;
    std::vector<SpoolerJob> jobs;  // every document started, in order
    DWORD nextJobId = 1;
    std::map<std::u16string, PortStatus, NoCaseLess> portStatus;
    std::map<std::u16string, std::vector<PortStatus>, NoCaseLess>
        portStatusHistory;                // every SetPortW level 3
    std::vector<FORM_INFO_1W> userForms;  // added with AddFormW (names in userFormNames)
    std::vector<std::u16string> userFormNames;
};

SpoolerState& Spooler();

class PrinterHandle : public KernelObject {
public:
    std::u16string printer;  // empty for the server
    ACCESS_MASK granted = 0;
    DWORD jobId = 0;      // the document in progress on this handle
    DWORD readJobId = 0;  // a handle opened on a job ("<printer>,Job <id>") reads its data
    size_t readOffset = 0;
};

// The open printer handle; null with ERROR_INVALID_HANDLE for anything else.
std::shared_ptr<PrinterHandle> PrinterHandleOf(HANDLE handle);
// Call under Spooler().lock.
PrinterRecord* FindPrinter(const std::u16string& name);
const DriverSpec* FindDriver(const std::u16string& name);
void AddPrinterRecord(const PrinterSpec& spec);
void AddDriverRecord(const DriverSpec& spec);
// The printer's registry key below HKLM (SYSTEM\...\Printers\<printer>).
std::u16string PrinterKeyPath(const std::u16string& printer);
// Puts a document that an application finished spooling into the printer's queue (its data ready
// to be read through "<printer>, Job <id>"); answers its id, 0 for an unknown printer.
DWORD QueueSpooledJob(const std::u16string& printer, const std::u16string& documentName,
                      const std::u16string& dataType, const std::string& data);
// Called at the start of every ReadPrinter on a job's data, outside the spooler's lock, with the
// job's id; an empty function removes the hook.
void SetReadPrinterHook(std::function<void(DWORD jobId)> hook);

// The size of a built-in paper (a DMPAPER_ number) in thousandths of a millimetre; false for a
// number that names no built-in form.
bool BuiltInPaperSize(int paper, LONG& width, LONG& height);
// A driver file's full path: the driver directory, "\3\" and its name.
std::u16string DriverFilePath(const std::u16string& fileName);

}  // namespace nirasim::sim
