// The test control's handle on the simulated core driver: its UI module (the configuration file of
// the printer's driver) loaded like the spooler loads it, and one instance opened through it.
#include <nirasim/CoreDriver.h>

#include <winspool.h>

#include <vector>

namespace nirasim {
namespace {

// The full path of the printer driver's configuration file; empty when it cannot be read.
std::u16string ConfigFileOf(const std::u16string& printerName)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName.c_str()), &printer, nullptr)) {
        return {};
    }
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    std::u16string path;
    if (needed != 0 && GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed)) {
        LPCWSTR config = reinterpret_cast<DRIVER_INFO_3W*>(buffer.data())->pConfigFile;
        path = config != nullptr ? config : u"";
    }
    ClosePrinter(printer);
    return path;
}

}  // namespace

CoreDriver::CoreDriver(const Text& printerName)
{
    const std::u16string config = ConfigFileOf(printerName.wide());
    if (config.empty() || (module_ = LoadLibraryW(config.c_str())) == nullptr) {
        return;
    }
    auto open = reinterpret_cast<OpenCoreDriverProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, kOpenCoreDriverExport)));
    if (open != nullptr) {
        instance_ = open(printerName.wide().c_str());
    }
}

CoreDriver::~CoreDriver()
{
    delete instance_;
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

}  // namespace nirasim
