// Job "change-option": a program of the driver package changes settings through nirauip's external
// settings interface, as the property sheets would; after each change the job lists what the
// constraint rules did to the other settings: options moved, made unavailable or conflicting.
// `nirahost change-option FEATURE OPTION ...` sets the pairs given; without them a walk through
// the sample rules: glossy photo paper, borderless printing, then plain paper again.
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include "nira/uiplugin/core/external/INiraExternalInterface.h"

#include <winspool.h>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

namespace {

typedef INiraExternalInterface*(WINAPI* CreateExternalProc)();

// What the settings look like: each feature's current option and each option's state.
struct SettingsView {
    std::map<int, int> current;
    std::map<std::pair<int, int>, int> states;
    std::map<std::pair<int, int>, WString> names;
};

struct ViewContext {
    INiraExternalInterface* external;
    SettingsView* view;
};

int OnOption(int featureId, int optionId, int, const WCHAR* name, void* userData)
{
    auto* context = static_cast<ViewContext*>(userData);
    OptionInfo info = {};
    if (context->external->GetOptionInfo(featureId, optionId, &info) == 0) {
        context->view->states[{featureId, optionId}] = info.state;
    }
    context->view->names[{featureId, optionId}] = name;
    return 0;
}

int OnFeature(int featureId, int optionId, const WCHAR*, int, void* userData)
{
    auto* context = static_cast<ViewContext*>(userData);
    context->view->current[featureId] = optionId;
    context->external->EnumerateOptionsEx(featureId, OnOption, userData);
    return 0;
}

SettingsView Look(INiraExternalInterface* external)
{
    SettingsView view;
    ViewContext context = {external, &view};
    external->EnumerateFeatures(0, OnFeature, &context);
    return view;
}

WString NameOf(const SettingsView& view, int featureId, int optionId)
{
    auto found = view.names.find({featureId, optionId});
    return found != view.names.end() ? found->second : nirasim::Wide(std::to_string(optionId));
}

const char* StateText(int state)
{
    switch (state) {
    case OPTION_STATE_SELECTABLE:
        return "selectable";
    case OPTION_STATE_UNAVAILABLE:
        return "unavailable";
    case OPTION_STATE_CONFLICT:
        return "conflicting";
    case OPTION_STATE_GREYED:
        return "unavailable (greyed)";
    default:
        return "in another state";
    }
}

void ShowDifferences(const SettingsView& before, const SettingsView& after, int changedFeature)
{
    int shown = 0;
    for (const auto& entry : after.current) {
        auto old = before.current.find(entry.first);
        if (entry.first != changedFeature && old != before.current.end() && old->second != entry.second) {
            HostMachine::Print(nirasim::Wide(Format("  feature %d moved: ", entry.first)) +
                               NameOf(before, entry.first, old->second) + TEXT(" -> ") +
                               NameOf(after, entry.first, entry.second));
            ++shown;
        }
    }
    for (const auto& entry : after.states) {
        auto old = before.states.find(entry.first);
        if (old != before.states.end() && old->second != entry.second) {
            HostMachine::Print(
                nirasim::Wide(Format("  feature %d option ", entry.first.first)) +
                NameOf(after, entry.first.first, entry.first.second) +
                nirasim::Wide(Format(": %s -> %s", StateText(old->second), StateText(entry.second))));
            ++shown;
        }
    }
    if (shown == 0) {
        HostMachine::Print("  nothing else changed");
    }
}

std::vector<std::pair<int, int>> PairsOf(const std::vector<std::string>& arguments)
{
    std::vector<std::pair<int, int>> pairs;
    for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
        pairs.emplace_back(std::atoi(arguments[i].c_str()), std::atoi(arguments[i + 1].c_str()));
    }
    if (pairs.empty()) {
        pairs = {{4116, 259}, {4114, 263}, {4116, 256}, {4119, 2}, {4119, 1}};
    }
    return pairs;
}

int Run(HostMachine& host, const std::vector<std::string>& arguments)
{
    const WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirauip.dll");
    HMODULE library = LoadLibraryW(path.c_str());
    auto create = library != nullptr ? reinterpret_cast<CreateExternalProc>(reinterpret_cast<void*>(
                                           GetProcAddress(library, "CreateExternalInterfaceInstance")))
                                     : nullptr;
    WString name = host.printerName();
    HANDLE printer = nullptr;
    if (create == nullptr || !OpenPrinterW(name.data(), &printer, nullptr)) {
        HostMachine::Print("the external settings interface cannot be reached");
        if (library != nullptr) {
            FreeLibrary(library);
        }
        return 1;
    }
    INiraExternalInterface* external = create();
    external->Initialize(printer);
    for (const auto& pair : PairsOf(arguments)) {
        const SettingsView before = Look(external);
        const int result = external->SetValue(pair.first, pair.second);
        const SettingsView after = Look(external);
        HostMachine::Print(nirasim::Wide(Format("set feature %d to ", pair.first)) +
                           NameOf(after, pair.first, pair.second) +
                           nirasim::Wide(Format(" (%s):", result == 0 ? "done" : "refused")));
        ShowDifferences(before, after, pair.first);
    }
    delete external;
    ClosePrinter(printer);
    FreeLibrary(library);
    return 0;
}

const HostJobRegistration job{{"change-option",
                               "options set through the external settings interface, and what the "
                               "constraint rules changed with them",
                               55, Run}};

}  // namespace
