// One full save (copy from the UI settings with the product data, pack into the private section)
// and one full load (unpack, copy to the UI settings) of the sample package's settings, through
// the real objects on a simulated machine.
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "support/SampleUISettings.h"

#include <benchmark/benchmark.h>
#include <nirasim/Machine.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

const char16_t kPrinter[] = TEXT("Nira Sample Inkjet");

// The sample printer, nirauip as the settings library and the package's settings helper module.
struct SampleSetup {
    SampleSetup()
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        const std::u16string folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
        library = LoadLibraryW((folder + TEXT("nirauip.dll")).c_str());
        helper = LoadLibraryW((folder + TEXT("nirasettings.dll")).c_str());
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, library);
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, helper);
        std::u16string name = kPrinter;
        OpenPrinterW(name.data(), &printer, nullptr);
        ui = LoadSampleUISettings((folder + TEXT("niracap.vdf")).c_str());
        std::memset(&block, 0, sizeof(block));
        block.size = kPrivateDevmodeSize;
        block.signature = kPrivateDevmodeSignature;
        block.version = kPrivateDevmodeVersion;
        block.sectionGuid = kPrivateDevmodeGuid;
    }

    ~SampleSetup()
    {
        ui.reset();
        ClosePrinter(printer);
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
        FreeLibrary(helper);
        FreeLibrary(library);
    }

    bool Ready() const
    {
        return library != nullptr && helper != nullptr && printer != nullptr && ui != nullptr;
    }

    nirasim::Machine machine;
    HMODULE library = nullptr;
    HMODULE helper = nullptr;
    HANDLE printer = nullptr;
    std::unique_ptr<SampleUISettings> ui;
    PrivateDevMode block;
};

void FullSave(benchmark::State& state)
{
    SampleSetup setup;
    CNiraSettingsClient client;
    if (!setup.Ready() || client.Initialize(setup.printer) != TRUE) {
        state.SkipWithError("the sample printer cannot be set up");
        return;
    }
    for (auto _ : state) {
        const bool saved = client.CopyFromUISettings(&setup.ui->settings, 0) == TRUE &&
                           client.SavePrivateBlock(&setup.block) == TRUE;
        if (!saved) {
            state.SkipWithError("save failed");
            break;
        }
        benchmark::DoNotOptimize(setup.block.checksum);
    }
}
BENCHMARK(FullSave)->Unit(benchmark::kMillisecond);

void FullLoad(benchmark::State& state)
{
    SampleSetup setup;
    CNiraSettingsClient saving;
    CNiraSettingsClient client;
    if (!setup.Ready() || saving.Initialize(setup.printer) != TRUE ||
        saving.CopyFromUISettings(&setup.ui->settings, 0) != TRUE ||
        saving.SavePrivateBlock(&setup.block) != TRUE || client.Initialize(setup.printer) != TRUE) {
        state.SkipWithError("the sample printer cannot be set up");
        return;
    }
    for (auto _ : state) {
        const bool loaded = client.LoadPrivateBlock(&setup.block) == TRUE &&
                            client.CopyToUISettings(&setup.ui->settings, 1) == TRUE;
        if (!loaded) {
            state.SkipWithError("load failed");
            break;
        }
    }
}
BENCHMARK(FullLoad)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
