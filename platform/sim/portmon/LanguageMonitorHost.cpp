// The spooler's side of a language monitor: it loads the monitor by file name, initialises it
// and opens ports through its table above the simulated port monitor.
#include <nirasim/Printer.h>

#include <algorithm>

namespace nirasim {
namespace printer {

namespace {

typedef LPMONITOR2(WINAPI* InitializeProc)(PMONITORINIT, PHANDLE);

int g_registryRoot;  // stands for the spooler's registry handle of the monitor

std::u16string ModulePath(const std::u16string& fileName)
{
    if (fileName.find_first_of(u"\\/") != std::u16string::npos) {
        return fileName;
    }
    return Machine::DriverVersionDirectory() + u"\\" + fileName;
}

}  // namespace

LanguageMonitor::LanguageMonitor(const Text& fileName)
{
    module_ = LoadLibraryW(ModulePath(fileName.wide()).c_str());
}

LanguageMonitor::~LanguageMonitor()
{
    for (HANDLE port : std::vector<HANDLE>(open_)) {
        ClosePort(port);
    }
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

MONITORINIT LanguageMonitor::SpoolerInit()
{
    MONITORINIT init{};
    init.cbSize = sizeof(MONITORINIT);
    init.hckRegistryRoot = &g_registryRoot;
    init.bLocal = TRUE;
    return init;
}

LPMONITOR2 LanguageMonitor::Initialize(const MONITORINIT* init)
{
    FARPROC found = module_ != nullptr ? GetProcAddress(module_, "InitializePrintMonitor2") : nullptr;
    auto initialize = reinterpret_cast<InitializeProc>(reinterpret_cast<void*>(found));
    if (initialize == nullptr) {
        return nullptr;
    }
    MONITORINIT copy = init != nullptr ? *init : MONITORINIT{};
    HANDLE monitor = nullptr;
    table_ = initialize(init != nullptr ? &copy : nullptr, &monitor);
    return table_;
}

HANDLE LanguageMonitor::OpenPort(const Text& port, const Text& printer, DWORD* error)
{
    if (table_ == nullptr || table_->pfnOpenPortEx == nullptr) {
        return nullptr;
    }
    MONITOR2 lower = PortMonitorTable();
    std::u16string portName = port.wide();
    std::u16string printerName = printer.wide();
    HANDLE handle = nullptr;
    if (!table_->pfnOpenPortEx(nullptr, PortMonitorHandle(), portName.data(), printerName.data(), &handle,
                               &lower)) {
        if (error != nullptr) {
            *error = GetLastError();
        }
        return nullptr;
    }
    open_.push_back(handle);
    return handle;
}

BOOL LanguageMonitor::ClosePort(HANDLE port)
{
    open_.erase(std::remove(open_.begin(), open_.end(), port), open_.end());
    return table_ != nullptr && table_->pfnClosePort != nullptr ? table_->pfnClosePort(port) : FALSE;
}

BOOL LanguageMonitor::DeliverJob(HANDLE port, const Text& printer, DWORD jobId, const Text& document,
                                 const std::string& bytes, DWORD chunk, DWORD* error)
{
    auto fail = [error] {
        if (error != nullptr) {
            *error = GetLastError();
        }
        return FALSE;
    };
    if (table_ == nullptr || table_->pfnStartDocPort == nullptr || table_->pfnWritePort == nullptr ||
        table_->pfnEndDocPort == nullptr || chunk == 0) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return fail();
    }
    std::u16string printerName = printer.wide();
    std::u16string documentName = document.wide();
    DOC_INFO_1W info{documentName.data(), nullptr, nullptr};
    if (!table_->pfnStartDocPort(port, printerName.data(), jobId, 1, reinterpret_cast<LPBYTE>(&info))) {
        return fail();
    }
    // The entry takes a non-const buffer but only reads it, as the spooler's own buffer is read.
    auto* data = reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data()));
    for (size_t at = 0; at < bytes.size(); at += chunk) {
        const DWORD size = static_cast<DWORD>(std::min<size_t>(chunk, bytes.size() - at));
        DWORD written = 0;
        if (!table_->pfnWritePort(port, data + at, size, &written)) {
            fail();
            table_->pfnEndDocPort(port);
            return FALSE;
        }
    }
    return table_->pfnEndDocPort(port) ? TRUE : fail();
}

}  // namespace printer
}  // namespace nirasim
