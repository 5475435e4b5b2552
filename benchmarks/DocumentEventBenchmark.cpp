// The cost of a document event on a live plug-in object: create-DC (before and after) with a
// DEVMODE whose public fields agree with its section, beside one unpack and one pack of the same
// section through the settings client, which that event must do at least once each.
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include <benchmark/benchmark.h>
#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>
#include <winddiui.h>
#include <winspool.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char16_t kPrinter[] = TEXT("Nira Sample Inkjet");

struct SampleSetup {
    SampleSetup()
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        machine.InitializePrinter(kPrinter);
        core = std::make_unique<nirasim::CoreDriver>(kPrinter);
        if (core->IsOpen()) {
            devMode = (*core)->DefaultDevMode().devMode;
        }
    }

    bool Ready() const { return core->IsOpen() && (*core)->Plugin() != nullptr && !devMode.empty(); }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
    std::vector<BYTE> devMode;
};

void CreateDCBeforeAndAfter(benchmark::State& state)
{
    SampleSetup setup;
    if (!setup.Ready()) {
        state.SkipWithError("the sample printer cannot be set up");
        return;
    }
    IPrintOemUI2* plugin = (*setup.core)->Plugin();
    HANDLE printer = (*setup.core)->Printer();
    WCHAR driver[] = TEXT("unidrv");
    WCHAR device[] = TEXT("printer");
    DOCEVENT_CREATEDCPRE record = {driver, device, reinterpret_cast<DEVMODEW*>(setup.devMode.data()), FALSE};
    for (auto _ : state) {
        DEVMODEW* handedOut = nullptr;
        INT result = 0;
        plugin->DocumentEvent(printer, nullptr, DOCUMENTEVENT_CREATEDCPRE, sizeof(record), &record,
                              sizeof(handedOut), &handedOut, &result);
        if (handedOut == nullptr) {
            state.SkipWithError("nothing handed out");
            break;
        }
        plugin->DocumentEvent(printer, nullptr, DOCUMENTEVENT_CREATEDCPOST, sizeof(handedOut), &handedOut, 0,
                              nullptr, &result);
    }
}
BENCHMARK(CreateDCBeforeAndAfter)->Unit(benchmark::kMicrosecond);

void UnpackAndPackTheSection(benchmark::State& state)
{
    SampleSetup setup;
    const std::u16string folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    HMODULE library = LoadLibraryW((folder + TEXT("nirauip.dll")).c_str());
    HMODULE helper = LoadLibraryW((folder + TEXT("nirasettings.dll")).c_str());
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, library);
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, helper);
    PrivateDevMode* section = nullptr;
    CNiraSettingsClient client;
    if (!setup.Ready() || library == nullptr || helper == nullptr ||
        !FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(setup.devMode.data()), &section) ||
        client.Initialize((*setup.core)->Printer()) != TRUE) {
        state.SkipWithError("the sample printer cannot be set up");
    } else {
        for (auto _ : state) {
            if (client.LoadPrivateBlock(section) != TRUE || client.SavePrivateBlock(section) != TRUE) {
                state.SkipWithError("unpack or pack failed");
                break;
            }
        }
    }
    client.ReleaseObjects();
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
    FreeLibrary(helper);
    FreeLibrary(library);
}
BENCHMARK(UnpackAndPackTheSection)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
