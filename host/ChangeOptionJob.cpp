// Job "change-option": a program of the driver package changes settings through nirauip's external
// settings interface, as the property sheets would; after each change the job lists what the
// constraint rules did to the other settings: options moved, made unavailable or conflicting.
// `nirahost change-option FEATURE OPTION ...` sets the pairs given; without them a walk through
// the sample rules: glossy photo paper, borderless printing, then plain paper again.
#include "host/HostJob.h"
#include "host/SectionReport.h"
#include "host/SheetUser.h"

#include "nira/uiplugin/core/external/INiraExternalInterface.h"

#include <nirasim/CoreDriver.h>
#include <nirasim/Windows.h>
#include <winspool.h>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

namespace {

typedef INiraExternalInterface*(WINAPI* CreateExternalProc)();

// The Paper/Quality page, its controls of paper size, paper type and borderless printing, and the
// conflict pop-up.
constexpr int kPaperPage = 302;
constexpr int kPaperSizeControl = 30201;
constexpr int kPaperTypeControl = 30204;
constexpr int kBorderlessControl = 30206;
constexpr int kConflictPopup = 216;
constexpr int kPopupLines[][3] = {
    {21610, 0, 0}, {21620, 21621, 21622}, {21624, 21625, 21626}, {21628, 21629, 21630}, {21611, 0, 0}};

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

// The conflict pop-up's lines: the heading, each conflict's name, ":" and option, what was restored.
void PrintPopup(HWND popup)
{
    HostMachine::Print(nirasim::Wide(Format("  pop-up %d \"", nirasim::DialogTemplateOf(popup))) +
                       TextOf(popup) + TEXT("\", its lines:"));
    for (const auto& line : kPopupLines) {
        std::u16string text;
        for (int control : line) {
            const std::u16string part = control != 0 ? TextOf(GetDlgItem(popup, control)) : std::u16string();
            if (!part.empty()) {
                text += (text.empty() || part == TEXT(":") ? TEXT("") : TEXT(" ")) + part;
            }
        }
        if (!text.empty()) {
            HostMachine::Print(TEXT("    ") + text);
        }
    }
}

// A widget of the printing preferences chooses plain paper for a borderless 4 x 6 job: the change
// reaches the core through the UI sink, the sample rule takes it back and shows pop-up 216.
void WidgetChange(HostMachine& host)
{
    HostMachine::Print(
        "a widget of the printing preferences chooses plain paper for a borderless 4 x 6 job:");
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen()) {
        HostMachine::Print("  the printing preferences cannot be opened");
        return;
    }
    HWND popup = nullptr;
    nirasim::SetDialogScript([&](HWND dialog) {
        if (nirasim::DialogTemplateOf(dialog) == kConflictPopup) {
            popup = dialog;
        }
    });
    driver->RunPropertySheets(true, {}, nirasim::kSheetReasons, [&](nirasim::PropertySheet& sheet) {
        HWND page = PageOf(sheet, kPaperPage);
        if (page == nullptr) {
            HostMachine::Print("  the Paper/Quality page was not made");
            return;
        }
        HWND paperType = GetDlgItem(page, kPaperTypeControl);
        ChooseText(GetDlgItem(page, kPaperSizeControl), TEXT("4 x 6 in"));
        ChooseText(paperType, TEXT("Envelope"));
        if (SendMessageW(GetDlgItem(page, kBorderlessControl), BM_GETCHECK, 0, 0) != BST_CHECKED) {
            nirasim::Click(GetDlgItem(page, kBorderlessControl));
        }
        ChooseText(paperType, TEXT("Plain paper"));
        if (popup != nullptr) {
            PrintPopup(popup);
        }
        const std::u16string shown = TextOf(paperType);
        HostMachine::Print(shown == TEXT("Plain paper") ? TEXT("  the change is kept")
                                                        : TEXT("  the change conflicts and is taken back"));
        HostMachine::Print(TEXT("  paper type afterwards: ") + shown);
    });
    nirasim::SetDialogScript(nullptr);
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
    if (arguments.empty()) {
        WidgetChange(host);
    }
    return 0;
}

const HostJobRegistration job{{"change-option",
                               "options set through the external settings interface, and what the "
                               "constraint rules changed with them",
                               55, Run}};

}  // namespace
