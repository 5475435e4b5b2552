// Job "device-capabilities": each DeviceCapabilities index the UI core answers, and the colour
// profile, asked of a fresh plug-in object through the simulated core driver: the plug-in's
// answer, the features a UI core of its own reads for the same request, and the traces.
#include "host/HostJob.h"

#include <nirasim/CoreDriver.h>

#include <cstdio>
#include <string>
#include "support/WString.h"
#include <vector>

#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"

namespace {

struct Capability {
    WORD index;
    const char* name;
};

const Capability kCapabilities[] = {
    {DC_PAPERS, "DC_PAPERS"},
    {DC_PAPERSIZE, "DC_PAPERSIZE"},
    {DC_PAPERNAMES, "DC_PAPERNAMES"},
    {DC_MEDIATYPENAMES, "DC_MEDIATYPENAMES"},
    {DC_MEDIATYPES, "DC_MEDIATYPES"},
    {DC_BINS, "DC_BINS"},
    {DC_BINNAMES, "DC_BINNAMES"},
    {DC_DUPLEX, "DC_DUPLEX"},
    {DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS"},
    {DC_COPIES, "DC_COPIES"},
    {DC_COLLATE, "DC_COLLATE"},
    {1, "DC_FIELDS (not answered)"},
};

std::string Hex(HRESULT value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string BoundFeatures(CNiraUICore& core)
{
    std::string ids;
    CNiraIdMap& bindings = core.GetBindings();
    for (int i = bindings.GetCount() - 1; i >= 0; --i) {
        NiraIdEntry* entry = bindings.GetEntryAt(i);
        if (entry->value != nullptr) {
            ids += (ids.empty() ? "" : " ") + std::to_string(entry->key);
        }
    }
    return ids.empty() ? "none" : ids;
}

void PrintTraces(HostMachine& host)
{
    for (const WString& line : host.machine().DebugOutput()) {
        HostMachine::Print(WString(TEXT("    trace: ")) + WString(line.begin(), line.end()));
    }
    host.machine().ClearJournals();
}

void ShowCapability(HostMachine& host, const Capability& capability)
{
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen() || driver->Plugin() == nullptr) {
        return;
    }
    host.machine().ClearJournals();
    DWORD result = 0;
    HRESULT answer = driver->Plugin()->DeviceCapabilities(
        nullptr, driver->Printer(), nullptr, capability.index, nullptr, nullptr, nullptr, 0, &result);
    HostMachine::Print(std::string(capability.name) + ": plug-in answer " + Hex(answer) + ", result " +
                       std::to_string(result));
    PrintTraces(host);
    CNiraUICore core;
    core.DeviceCapabilities(nullptr, driver->Printer(), nullptr, capability.index, nullptr, nullptr, nullptr,
                            0, &result);
    HostMachine::Print("    features read: " + BoundFeatures(core));
    host.machine().ClearJournals();
}

void ShowColorProfile(HostMachine& host)
{
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen() || driver->Plugin() == nullptr) {
        return;
    }
    OEMUIPROCS procs = {};
    OEMUIOBJ uiObject = {};
    uiObject.cbSize = sizeof(uiObject);
    uiObject.pOemUIProcs = &procs;
    std::vector<BYTE> devMode(sizeof(DEVMODEW));
    BYTE privateSection[16] = {};
    WCHAR profile[260] = {};
    ULONG size = sizeof(profile);
    ULONG flags = 0;
    host.machine().ClearJournals();
    HRESULT answer = driver->Plugin()->QueryColorProfile(
        driver->Printer(), &uiObject, reinterpret_cast<DEVMODEW*>(devMode.data()), privateSection,
        QCP_DEVICEPROFILE, profile, &size, &flags);
    HostMachine::Print("colour profile: plug-in answer " + Hex(answer) + ", flags " + std::to_string(flags));
    HostMachine::Print(WString(TEXT("    profile file: ")) + profile);
    PrintTraces(host);
    CNiraUICore core;
    size = sizeof(profile);
    core.QueryColorProfile(driver->Printer(), &uiObject, reinterpret_cast<DEVMODEW*>(devMode.data()),
                           privateSection, QCP_DEVICEPROFILE, profile, &size, &flags, nullptr);
    HostMachine::Print("    features read: " + BoundFeatures(core));
    host.machine().ClearJournals();
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    // The host links the handler library without loading it as a module.
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    for (const Capability& capability : kCapabilities) {
        ShowCapability(host, capability);
    }
    ShowColorProfile(host);
    return 0;
}

const HostJobRegistration job{{"device-capabilities",
                               "device capabilities and the colour profile through the simulated core driver",
                               55, Run}};

}  // namespace
