// Job "default-devmode": the printer's default DEVMODE as an application gets it from
// DocumentPropertiesW (the core driver's DEVMODE with the plug-in's private section at its end),
// then the same request merging an application's DEVMODE that asks for landscape A4.
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"

#include <winspool.h>

#include <vector>

namespace {

void ShowPublicFields(const DEVMODEW& devMode)
{
    HostMachine::Print(Format("  dmSize %u, dmDriverExtra %u, dmFields 0x%08lX", devMode.dmSize,
                              devMode.dmDriverExtra, static_cast<unsigned long>(devMode.dmFields)));
    HostMachine::Print(Format("  orientation %d, paper size %d, paper source %d, print quality %d, duplex %d",
                              devMode.dmOrientation, devMode.dmPaperSize, devMode.dmDefaultSource,
                              devMode.dmPrintQuality, devMode.dmDuplex));
    HostMachine::Print(Format(
        "  media type %lu, ICM intent %lu, ICM method %lu", static_cast<unsigned long>(devMode.dmMediaType),
        static_cast<unsigned long>(devMode.dmICMIntent), static_cast<unsigned long>(devMode.dmICMMethod)));
}

void ShowDevMode(std::vector<BYTE>& buffer)
{
    auto* devMode = reinterpret_cast<DEVMODEW*>(buffer.data());
    ShowPublicFields(*devMode);
    PrivateDevMode* section = nullptr;
    if (!FindPrivateDevMode(devMode, &section)) {
        HostMachine::Print("  no private section");
        return;
    }
    HostMachine::Print(Format("private section at offset %ld of %u bytes:",
                              static_cast<long>(reinterpret_cast<BYTE*>(section) - buffer.data()),
                              devMode->dmSize + devMode->dmDriverExtra));
    ShowSectionHeader(*section);
    HostMachine::Print(Format("  paper size at the last merge %ld, duplex %ld",
                              static_cast<long>(section->paperSizeAtConvert),
                              static_cast<long>(section->duplexAtConvert)));
}

bool HasStoredDefaults(HANDLE printer)
{
    DWORD type = 0;
    DWORD needed = 0;
    GetPrinterDataW(printer, const_cast<LPWSTR>(kDefaultPrivateDevModeValue), &type, nullptr, 0, &needed);
    return needed != 0;
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    WString name = host.printerName();
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, nullptr)) {
        HostMachine::Print("the printer cannot be opened");
        return 1;
    }
    const LONG size = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
    HostMachine::Print(Format("DocumentPropertiesW without buffers: %ld bytes", static_cast<long>(size)));
    int result = 1;
    if (size > 0) {
        std::vector<BYTE> defaults(static_cast<size_t>(size));
        auto* out = reinterpret_cast<DEVMODEW*>(defaults.data());
        const LONG answer = DocumentPropertiesW(nullptr, printer, name.data(), out, nullptr, DM_OUT_BUFFER);
        HostMachine::Print(Format("default DEVMODE (DM_OUT_BUFFER): %s", answer == IDOK ? "IDOK" : "failed"));
        ShowDevMode(defaults);
        if (!HasStoredDefaults(printer)) {
            HostMachine::Print(
                "  (the printer keeps no default settings in its printer data: the section carries");
            HostMachine::Print("   no packed settings until the printer's set-up stores them)");
        }

        std::vector<BYTE> asked(defaults);
        auto* in = reinterpret_cast<DEVMODEW*>(asked.data());
        in->dmOrientation = DMORIENT_LANDSCAPE;
        in->dmPaperSize = DMPAPER_A4;
        in->dmFields = DM_ORIENTATION | DM_PAPERSIZE;
        std::vector<BYTE> merged(static_cast<size_t>(size));
        const LONG mergeAnswer =
            DocumentPropertiesW(nullptr, printer, name.data(), reinterpret_cast<DEVMODEW*>(merged.data()), in,
                                DM_IN_BUFFER | DM_OUT_BUFFER);
        HostMachine::Print(Format("landscape A4 merged (DM_IN_BUFFER | DM_OUT_BUFFER): %s",
                                  mergeAnswer == IDOK ? "IDOK" : "failed"));
        ShowDevMode(merged);
        result = answer == IDOK && mergeAnswer == IDOK ? 0 : 1;
    }
    ClosePrinter(printer);
    return result;
}

const HostJobRegistration job{
    {"default-devmode", "the default DEVMODE that DocumentPropertiesW hands out, and a merge", 45, Run}};

}  // namespace
