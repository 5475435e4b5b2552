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

}  // namespace printer
}  // namespace nirasim
