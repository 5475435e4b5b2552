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

// How an index fills the caller's buffer: nothing (the answer is the result), numbers of a size,
// pairs of numbers, or names of a fixed number of characters.
enum class Contents { kNone, kWords, kDwords, kSizes, kPairs, kNames };

struct Capability {
    WORD index;
    const char* name;
    Contents contents;
    size_t nameChars;
};

const Capability kCapabilities[] = {
    {DC_PAPERS, "DC_PAPERS", Contents::kWords, 0},
    {DC_PAPERSIZE, "DC_PAPERSIZE", Contents::kSizes, 0},
    {DC_PAPERNAMES, "DC_PAPERNAMES", Contents::kNames, 64},
    {DC_MEDIATYPENAMES, "DC_MEDIATYPENAMES", Contents::kNames, 64},
    {DC_MEDIATYPES, "DC_MEDIATYPES", Contents::kDwords, 0},
    {DC_BINS, "DC_BINS", Contents::kWords, 0},
    {DC_BINNAMES, "DC_BINNAMES", Contents::kNames, 24},
    {DC_DUPLEX, "DC_DUPLEX", Contents::kNone, 0},
    {DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS", Contents::kPairs, 0},
    {DC_COPIES, "DC_COPIES", Contents::kNone, 0},
    {DC_COLLATE, "DC_COLLATE", Contents::kNone, 0},
    {1, "DC_FIELDS (not answered)", Contents::kNone, 0},
};

size_t EntryBytes(const Capability& capability)
{
    switch (capability.contents) {
    case Contents::kWords:
        return sizeof(WORD);
    case Contents::kDwords:
        return sizeof(DWORD);
    case Contents::kSizes:
    case Contents::kPairs:
        return 2 * sizeof(LONG);
    case Contents::kNames:
        return capability.nameChars * sizeof(WCHAR);
    case Contents::kNone:
        break;
    }
    return 0;
}

// One entry of the filled buffer as text.
WString Entry(const Capability& capability, const std::vector<BYTE>& buffer, size_t i)
{
    const BYTE* at = buffer.data() + i * EntryBytes(capability);
    switch (capability.contents) {
    case Contents::kWords:
        return nirasim::Wide(std::to_string(*reinterpret_cast<const WORD*>(at)));
    case Contents::kDwords:
        return nirasim::Wide(std::to_string(*reinterpret_cast<const DWORD*>(at)));
    case Contents::kSizes:
    case Contents::kPairs: {
        const auto* pair = reinterpret_cast<const LONG*>(at);
        return nirasim::Wide(std::to_string(pair[0]) + " x " + std::to_string(pair[1]));
    }
    case Contents::kNames: {
        const auto* name = reinterpret_cast<const WCHAR*>(at);
        return WString(TEXT("\"")) + WString(name) + TEXT("\"");
    }
    case Contents::kNone:
        break;
    }
    return WString();
}

// The contents, asked of another fresh plug-in object with a buffer for `count` entries.
void ShowContents(HostMachine& host, const Capability& capability, DWORD count)
{
    if (capability.contents == Contents::kNone || count == 0) {
        return;
    }
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen() || driver->Plugin() == nullptr) {
        return;
    }
    // A name is written whole: one more entry's room keeps the last one terminated in any case.
    std::vector<BYTE> buffer((count + 1) * EntryBytes(capability));
    DWORD filled = 0;
    driver->Plugin()->DeviceCapabilities(nullptr, driver->Printer(), nullptr, capability.index, buffer.data(),
                                         nullptr, nullptr, 0, &filled);
    WString line = TEXT("    contents:");
    for (size_t i = 0; i < filled && i < count; ++i) {
        line += (i == 0 ? TEXT(" ") : TEXT(", ")) + Entry(capability, buffer, i);
    }
    HostMachine::Print(line);
    host.machine().ClearJournals();
}

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
    ShowContents(host, capability, result);
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
