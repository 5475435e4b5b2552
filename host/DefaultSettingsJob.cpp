// Job "default-settings": the sample printer's default settings as the settings client packs
// them into the DEVMODE's private section: the section header, its sizes and checksum, and the
// feature values it carries, read back by a second client.
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include "nira/uiplugin/core/module/ComponentModule.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "support/DefaultPrivateSection.h"
#include "support/SampleUISettings.h"

#include <winspool.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {

const char* const kPublicValueNames[kClientPublicValueCount] = {"orientation", "media type", "duplex",
                                                                "input bin",   "resolution", "paper size",
                                                                "ICM intent",  "ICM method"};

// The feature values the section carries, with their option names, read back by a new client.
void ShowFeatureValues(CNiraSettingsClient& client, CNiraUISettings& ui)
{
    HostMachine::Print("feature values (id: option  name):");
    int first = kFirstSettingsFeature;
    int last = kLastSettingsFeature;
    int isSet = 0;
    ui.GetCurrentOption(kFeatureFirstPacked, &first, &isSet);
    ui.GetCurrentOption(kFeatureLastPacked, &last, &isSet);
    int shown = 0;
    for (int feature = first; feature <= last; ++feature) {
        LONG option = 0;
        if (client.GetInt(kSettingsIndexBase + feature - first, &option, 0, 0) != TRUE) {
            continue;
        }
        WCHAR name[kOptionTextLength] = {};
        ui.GetOptionName(feature, option, name);
        HostMachine::Print(nirasim::Wide(Format("  %d: %ld  ", feature, static_cast<long>(option))) + name);
        ++shown;
    }
    HostMachine::Print(Format("  (%d features)", shown));
    HostMachine::Print("public DEVMODE values:");
    for (int k = 0; k < kClientPublicValueCount; ++k) {
        LONG value = 0;
        if (client.GetInt(kFirstPublicValueIndex + k, &value, 0, 0) == TRUE) {
            HostMachine::Print(Format("  %-11s %ld", kPublicValueNames[k], static_cast<long>(value)));
        }
    }
}

void ShowProductValues(CNiraSettingsClient& client)
{
    CNiraString* paper = nullptr;
    FLOAT width = 0;
    FLOAT height = 0;
    LONG dpiX = 0;
    LONG dpiY = 0;
    if (client.GetString(3, &paper, 0, 0) == TRUE && client.GetFloat(10, &width, 0, 0) == TRUE &&
        client.GetFloat(11, &height, 0, 0) == TRUE && client.GetInt(1920, &dpiX, 0, 0) == TRUE &&
        client.GetInt(1921, &dpiY, 0, 0) == TRUE) {
        HostMachine::Print(TEXT("product data: paper ") + WString(paper->GetBuffer()) +
                           nirasim::Wide(Format(" %.2f x %.2f in, print mode %ld x %ld dpi", width, height,
                                                static_cast<long>(dpiX), static_cast<long>(dpiY))));
    }
    if (paper != nullptr) {
        client.ReleaseString(paper);
    }
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    const WString folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    HMODULE library = LoadLibraryW((folder + TEXT("nirauip.dll")).c_str());
    if (library == nullptr) {
        HostMachine::Print("nirauip.dll cannot be loaded");
        return 1;
    }
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, library);
    WString printerName = host.printerName();
    HANDLE printer = nullptr;
    int result = 1;
    if (OpenPrinterW(printerName.data(), &printer, nullptr) && LoadComponentModule(printer) == 0) {
        auto sample = LoadSampleUISettings((folder + TEXT("niracap.vdf")).c_str());
        auto block = DefaultPrivateSection();
        CNiraSettingsClient packing;
        if (sample != nullptr && packing.Initialize(printer) &&
            packing.CopyFromUISettings(&sample->settings, 1) && packing.SavePrivateBlock(block.get())) {
            ShowSectionHeader(*block);
            CNiraSettingsClient reading;
            if (reading.Initialize(printer) && reading.LoadPrivateBlock(block.get())) {
                ShowFeatureValues(reading, sample->settings);
                ShowProductValues(reading);
                result = 0;
            }
        }
    }
    if (result != 0) {
        HostMachine::Print("the default settings could not be packed");
    }
    if (printer != nullptr) {
        ClosePrinter(printer);
    }
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    FreeLibrary(library);
    return result;
}

const HostJobRegistration job{
    {"default-settings", "the default settings as the settings client packs them into the private section",
     40, Run}};

}  // namespace
