// The spooler's print-processor side: loads a print processor by file name, resolves its exports
// and runs jobs on a printing thread, with control commands from a second thread.
#include <nirasim/PrintJobs.h>

#include "core/Wide.h"
#include "spooler/Spooler.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace nirasim {

typedef BOOL(WINAPI* EnumDatatypesProc)(LPWSTR, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
typedef HANDLE(WINAPI* OpenProc)(LPWSTR, PPRINTPROCESSOROPENDATA);
typedef BOOL(WINAPI* PrintProc)(HANDLE, LPWSTR);
typedef BOOL(WINAPI* CloseProc)(HANDLE);
typedef BOOL(WINAPI* ControlProc)(HANDLE, DWORD);
typedef DWORD(WINAPI* CapabilitiesProc)(LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD);

struct PrintProcessorHost::Exports {
    EnumDatatypesProc enumDatatypes = nullptr;
    OpenProc open = nullptr;
    PrintProc print = nullptr;
    CloseProc close = nullptr;
    ControlProc control = nullptr;
    CapabilitiesProc capabilities = nullptr;
};

namespace {

template <typename Proc>
Proc Resolve(HMODULE module, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

LPWSTR Writable(std::u16string& text)
{
    return reinterpret_cast<LPWSTR>(text.data());
}

// Sends the commands due before one read of the spooled data.
class ControlSender {
public:
    ControlSender(const PrintProcessorHost& host, const std::vector<JobControl>& controls, PrintJobRun& run)
        : host_(host), controls_(controls), run_(run)
    {}
    ~ControlSender()
    {
        for (std::thread& thread : waiting_) {
            thread.join();
        }
    }

    void SetJob(HANDLE job) { job_ = job; }

    void BeforeRead()
    {
        int read = ++reads_;
        for (const JobControl& control : controls_) {
            if (control.beforeRead != read) {
                continue;
            }
            if (control.waiting) {
                waiting_.emplace_back([this, control] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(control.delayMs));
                    Send(control.command);
                });
            } else {
                std::thread([this, control] { Send(control.command); }).join();
            }
        }
    }

private:
    void Send(DWORD command)
    {
        BOOL answer = host_.Control(job_, command);
        std::lock_guard<std::mutex> guard(lock_);
        run_.controls.push_back({command, answer});
    }

    const PrintProcessorHost& host_;
    const std::vector<JobControl>& controls_;
    PrintJobRun& run_;
    HANDLE job_ = nullptr;
    int reads_ = 0;
    std::mutex lock_;
    std::vector<std::thread> waiting_;
};

// The bytes the processor wrote to the printer: the documents it started after the spooled one.
std::string PortBytes(const std::u16string& printer, DWORD spooledJobId)
{
    std::string bytes;
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (const SpoolerJob& job : spooler.jobs) {
        if (job.id > spooledJobId && sim::EqualNoCase(job.printer, printer)) {
            bytes += job.data;
        }
    }
    return bytes;
}

}  // namespace

PrintProcessorHost::PrintProcessorHost(const Text& fileName) : exports_(new Exports)
{
    std::u16string path = Machine::DriverVersionDirectory() + u"\\" + fileName.wide();
    module_ = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.c_str()));
    if (module_ == nullptr) {
        return;
    }
    exports_->enumDatatypes = Resolve<EnumDatatypesProc>(module_, "EnumPrintProcessorDatatypesW");
    exports_->open = Resolve<OpenProc>(module_, "OpenPrintProcessor");
    exports_->print = Resolve<PrintProc>(module_, "PrintDocumentOnPrintProcessor");
    exports_->close = Resolve<CloseProc>(module_, "ClosePrintProcessor");
    exports_->control = Resolve<ControlProc>(module_, "ControlPrintProcessor");
    exports_->capabilities = Resolve<CapabilitiesProc>(module_, "GetPrintProcessorCapabilities");
}

PrintProcessorHost::~PrintProcessorHost()
{
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
    delete exports_;
}

bool PrintProcessorHost::Loaded() const
{
    return module_ != nullptr && exports_->enumDatatypes && exports_->open && exports_->print &&
           exports_->close && exports_->control && exports_->capabilities;
}

BOOL PrintProcessorHost::EnumDatatypes(LPBYTE buffer, DWORD size, DWORD* needed, DWORD* count) const
{
    return exports_->enumDatatypes(nullptr, nullptr, 1, buffer, size, needed, count);
}

DWORD PrintProcessorHost::Capabilities(const Text& datatype, DWORD attributes, LPBYTE buffer, DWORD size,
                                       DWORD* needed) const
{
    std::u16string name = datatype.wide();
    return exports_->capabilities(Writable(name), attributes, buffer, size, needed);
}

HANDLE PrintProcessorHost::Open(const Text& printer, PRINTPROCESSOROPENDATA* data) const
{
    std::u16string name = printer.wide();
    return exports_->open(Writable(name), data);
}

BOOL PrintProcessorHost::Print(HANDLE job, const Text& documentName) const
{
    std::u16string name = documentName.wide();
    return exports_->print(job, Writable(name));
}

BOOL PrintProcessorHost::Close(HANDLE job) const
{
    return exports_->close(job);
}

BOOL PrintProcessorHost::Control(HANDLE job, DWORD command) const
{
    return exports_->control(job, command);
}

PrintJobRun PrintProcessorHost::Run(const PrintJobSpec& spec, const std::vector<JobControl>& controls) const
{
    PrintJobRun run;
    run.spooledJobId = sim::QueueSpooledJob(spec.printer, spec.documentName, spec.datatype, spec.data);
    run.documentName = spec.printer + u", Job " + Wide(std::to_string(run.spooledJobId));
    std::u16string datatype = spec.datatype;
    std::u16string parameters = spec.parameters;
    std::u16string documentName = spec.documentName;
    std::u16string printer = spec.printer;
    std::vector<BYTE> devmode = spec.devmode;
    PRINTPROCESSOROPENDATA data = {};
    data.pDevMode = devmode.empty() ? nullptr : reinterpret_cast<PDEVMODEW>(devmode.data());
    data.pDatatype = Writable(datatype);
    data.pParameters = parameters.empty() ? nullptr : Writable(parameters);
    data.pDocumentName = Writable(documentName);
    data.JobId = run.spooledJobId;
    data.pPrinterName = Writable(printer);
    {
        ControlSender sender(*this, controls, run);
        DWORD spooledJobId = run.spooledJobId;
        sim::SetReadPrinterHook([&sender, spooledJobId](DWORD jobId) {
            if (jobId == spooledJobId) {
                sender.BeforeRead();
            }
        });
        std::thread printing([&] {
            HANDLE job = Open(printer, &data);
            run.opened = job != nullptr;
            run.openError = run.opened ? 0 : GetLastError();
            if (!run.opened) {
                return;
            }
            sender.SetJob(job);
            run.printed = Print(job, run.documentName);
            run.printError = run.printed ? 0 : GetLastError();
            run.closed = Close(job);
        });
        printing.join();
        sim::SetReadPrinterHook(nullptr);
    }
    run.portBytes = PortBytes(spec.printer, run.spooledJobId);
    return run;
}

}  // namespace nirasim
