// Test control of the spooler's print-processor side: the print processor is loaded by its file
// name and its exports resolved by name; a job runs as the spooler runs it: OpenPrintProcessor,
// PrintDocumentOnPrintProcessor and ClosePrintProcessor on a printing thread of its own, with
// ControlPrintProcessor sent from a second thread before chosen reads of the spooled data.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <nirasim/Machine.h>

#include <string>
#include <vector>

namespace nirasim {

// A job an application spooled.
struct PrintJobSpec {
    std::u16string printer;
    std::u16string datatype = u"RAW";
    std::u16string parameters;  // the job parameter text; empty: none
    std::vector<BYTE> devmode;  // public and private part; empty: none
    std::u16string documentName = u"Document";
    std::string data;  // the spooled bytes
};

// A control command sent from a second thread when the printing thread is about to make its
// beforeRead-th read of the spooled data (1 is the first). A waiting command is sent while the
// printing thread goes on (after delayMs of real time), as a spooler thread does while the job
// waits; the others are sent and answered before the read goes on.
struct JobControl {
    int beforeRead;
    DWORD command;
    bool waiting = false;
    DWORD delayMs = 100;
};

struct ControlAnswer {
    DWORD command;
    BOOL answer;
};

// What the spooler saw of one job.
struct PrintJobRun {
    DWORD spooledJobId = 0;       // the job whose data the processor read
    std::u16string documentName;  // the name the data was read under ("<printer>, Job <id>")
    bool opened = false;
    DWORD openError = 0;
    BOOL printed = FALSE;
    DWORD printError = 0;
    BOOL closed = FALSE;
    std::vector<ControlAnswer> controls;
    std::string portBytes;  // what the processor wrote to the printer
};

class PrintProcessorHost {
public:
    // Loads the print processor from the driver directory's version folder.
    explicit PrintProcessorHost(const Text& fileName = "nirapp.dll");
    ~PrintProcessorHost();
    PrintProcessorHost(const PrintProcessorHost&) = delete;
    PrintProcessorHost& operator=(const PrintProcessorHost&) = delete;

    // True when the module loaded and all six exports were found.
    bool Loaded() const;

    // The exports, called directly on this thread.
    BOOL EnumDatatypes(LPBYTE buffer, DWORD size, DWORD* needed, DWORD* count) const;
    DWORD Capabilities(const Text& datatype, DWORD attributes, LPBYTE buffer, DWORD size,
                       DWORD* needed) const;
    HANDLE Open(const Text& printer, PRINTPROCESSOROPENDATA* data) const;
    BOOL Print(HANDLE job, const Text& documentName) const;
    BOOL Close(HANDLE job) const;
    BOOL Control(HANDLE job, DWORD command) const;

    // Spools the data and runs the job on a printing thread, as the spooler does.
    PrintJobRun Run(const PrintJobSpec& job, const std::vector<JobControl>& controls = {}) const;

private:
    struct Exports;
    HMODULE module_ = nullptr;
    Exports* exports_ = nullptr;
};

}  // namespace nirasim
