// Job "default-settings": the sample printer's default settings as the settings client packs
// them into the DEVMODE's private section: the section header, its sizes and checksum, and the
// feature values it carries, read back by a second client.
#include "host/HostJob.h"

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

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    return text;
}

void ShowHeader(const PrivateDevMode& block)
{
    const GUID& g = block.sectionGuid;
    // The signature reads "ZQUI" as a number, most significant byte first.
    char signature[5] = {};
    for (int i = 0; i < 4; ++i) {
        signature[i] = static_cast<char>((block.signature >> (24 - 8 * i)) & 0xFF);
    }
    HostMachine::Print("private section header:");
    HostMachine::Print(Format(
        "  size %lu, signature 0x%08lX \"%s\", version 0x%08lX", static_cast<unsigned long>(block.size),
        static_cast<unsigned long>(block.signature), signature, static_cast<unsigned long>(block.version)));
    HostMachine::Print(Format("  section GUID {%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                              static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                              g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]));
    HostMachine::Print(
        Format("  page geometry: %lu x %lu dpi, offset (%ld, %ld), printable %ld x %ld, page %ld x %ld",
               static_cast<unsigned long>(block.horizontalResolution),
               static_cast<unsigned long>(block.verticalResolution), static_cast<long>(block.physicalOffsetX),
               static_cast<long>(block.physicalOffsetY), static_cast<long>(block.printableWidth),
               static_cast<long>(block.printableHeight), static_cast<long>(block.physicalWidth),
               static_cast<long>(block.physicalHeight)));
    HostMachine::Print(Format("  packed length N %lu: stream C %lu bytes of %lu, image U %lu bytes",
                              static_cast<unsigned long>(block.packedLength),
                              static_cast<unsigned long>(block.payload.compressedLength),
                              static_cast<unsigned long>(kPackedStreamRoom),
                              static_cast<unsigned long>(block.payload.imageLength)));
    HostMachine::Print(Format("  checksum %lu, copy %lu (%s)", static_cast<unsigned long>(block.checksum),
                              static_cast<unsigned long>(block.checksumCopy),
                              IsBlockChecksumValid(&block) ? "valid" : "INVALID"));
}

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
            ShowHeader(*block);
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
