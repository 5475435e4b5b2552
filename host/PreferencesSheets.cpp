#include "host/PreferencesSheets.h"

#include "host/SectionReport.h"
#include "host/SheetUser.h"

#include <nirasim/CoreDriver.h>
#include <nirasim/Windows.h>
#include <winspool.h>

#include <map>
#include <vector>

#include "nira/uiplugin/core/module/ComponentModule.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

namespace {

// The user's change: landscape on the Finishing page, two pages per sheet, three copies.
constexpr int kFinishingPage = 303;
constexpr int kLandscapeControl = 30307;
constexpr int kPagesPerSheetControl = 30304;
constexpr int kAdvancedPage = 305;
constexpr int kCopiesControl = 30501;
constexpr int kChangedFeatures[] = {4118, 4128, 4235};

using SectionValues = std::map<int, LONG>;

std::u16string OptionText(const OPTITEM& item)
{
    if (item.pOptType == nullptr || item.pOptType->pOptParam == nullptr || item.Sel < 0 ||
        item.Sel >= item.pOptType->Count) {
        return TEXT("(no options)");
    }
    const WCHAR* text = item.pOptType->pOptParam[item.Sel].pData;
    return text != nullptr ? text : TEXT("");
}

// The tree views inserted: each shown on its tree page, its items with the option they show.
void ShowTreeViews(nirasim::PropertySheet& sheet)
{
    const std::vector<const COMPROPSHEETUI*> trees = sheet.TreeViews();
    for (size_t t = 0; t < trees.size(); ++t) {
        sheet.TreeCallback(t, CPSUICB_REASON_SETACTIVE, 0);
        const COMPROPSHEETUI& tree = *trees[t];
        HostMachine::Print(TEXT("tree view \"") +
                           std::u16string(tree.pOptItemName != nullptr ? tree.pOptItemName : TEXT("")) +
                           nirasim::Wide(Format("\": %u items", static_cast<unsigned>(tree.cOptItem))));
        for (WORD i = 0; i < tree.cOptItem; ++i) {
            const OPTITEM& item = tree.pOptItem[i];
            HostMachine::Print(nirasim::Wide(Format("  %u feature %d ", static_cast<unsigned>(item.DMPubID),
                                                    static_cast<int>(item.UserData))) +
                               std::u16string(item.pName != nullptr ? item.pName : TEXT("")) + TEXT(": ") +
                               OptionText(item));
        }
    }
}

// The pages added, in order, with their titles, each written as a PNG.
int ShowPages(nirasim::PropertySheet& sheet, const std::string& out)
{
    int failures = 0;
    size_t index = 0;
    for (const nirasim::SheetHostCall& call : sheet.Calls()) {
        if (call.function != CPSFUNC_ADD_PROPSHEETPAGEW || index >= sheet.Pages().size()) {
            continue;
        }
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(call.lParam1);
        HWND window = sheet.Pages()[index];
        const int templateId = static_cast<int>(reinterpret_cast<ULONG_PTR>(page->pszTemplate));
        const std::string path = out + "/page-" + std::to_string(templateId) + ".png";
        const bool saved = window != nullptr && nirasim::SaveDialogPicture(window, path);
        failures += !saved;
        HostMachine::Print(
            nirasim::Wide(Format("page %zu, template %d \"", index, templateId)) +
            std::u16string(page->pszTitle != nullptr ? page->pszTitle : TEXT("")) + TEXT("\"") +
            (sheet.StartPage() == sheet.PageHandles()[index] ? TEXT(" (start page)") : TEXT("")) +
            nirasim::Wide(": " + (saved ? path : std::string("not drawn"))));
        ++index;
    }
    return failures;
}

void ChangeSettings(nirasim::PropertySheet& sheet)
{
    HWND finishing = PageOf(sheet, kFinishingPage);
    HWND advanced = PageOf(sheet, kAdvancedPage);
    if (finishing == nullptr || advanced == nullptr) {
        HostMachine::Print("the Finishing and Advanced pages were not made");
        return;
    }
    nirasim::Click(GetDlgItem(finishing, kLandscapeControl));
    ChooseText(GetDlgItem(finishing, kPagesPerSheetControl), TEXT("2 pages per sheet"));
    nirasim::TypeText(GetDlgItem(advanced, kCopiesControl), TEXT("3"));
    HostMachine::Print(TEXT("the user chooses Landscape and \"") +
                       TextOf(GetDlgItem(finishing, kPagesPerSheetControl)) + TEXT("\" and types ") +
                       TextOf(GetDlgItem(advanced, kCopiesControl)) +
                       nirasim::Wide(Format(" copies; the sheet's Apply button was lit %zu time(s)",
                                            sheet.SheetMessages().size())));
}

// The changed features' options as a settings client reads them from the DEVMODE's section.
SectionValues ReadSection(HANDLE printer, std::vector<BYTE>& devMode, int first, int last)
{
    SectionValues values;
    PrivateDevMode* section = nullptr;
    CNiraSettingsClient client;
    if (devMode.size() < sizeof(DEVMODEW) ||
        !FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(devMode.data()), &section) ||
        !client.Initialize(printer) || !client.LoadPrivateBlock(section)) {
        return values;
    }
    for (int feature : kChangedFeatures) {
        LONG option = 0;
        if (feature >= first && feature <= last &&
            client.GetInt(kSettingsIndexBase + feature - first, &option, 0, 0) == TRUE) {
            values[feature] = option;
        }
    }
    return values;
}

void ShowSectionValues(const SectionValues& before, const SectionValues& after, CNiraUISettings& names)
{
    HostMachine::Print("the private section's settings (feature: default -> after OK):");
    for (int feature : kChangedFeatures) {
        auto was = before.find(feature);
        auto now = after.find(feature);
        if (was == before.end() || now == after.end()) {
            HostMachine::Print(Format("  %d: not carried", feature));
            continue;
        }
        WCHAR name[kOptionTextLength] = {};
        names.GetOptionName(feature, now->second, name);
        HostMachine::Print(nirasim::Wide(Format("  %d: %ld -> %ld ", feature, static_cast<long>(was->second),
                                                static_cast<long>(now->second))) +
                           name);
    }
}

}  // namespace

int ShowPreferencesSheets(HostMachine& host, const std::string& out, CNiraUISettings& names)
{
    HostMachine::Print("the printing preferences through the core driver and the property-sheet host:");
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen()) {
        HostMachine::Print("  the core driver cannot be opened");
        return 1;
    }
    int failures = 0;
    nirasim::PropertySheetRun run =
        driver->RunPropertySheets(true, {}, nirasim::kSheetReasons, [&](nirasim::PropertySheet& sheet) {
            ShowTreeViews(sheet);
            failures += ShowPages(sheet, out);
            ChangeSettings(sheet);
        });
    for (const nirasim::SheetReasonCall& reason : run.reasons) {
        if (reason.reason == PROPSHEETUI_REASON_SET_RESULT) {
            HostMachine::Print(
                Format("OK pressed: the result %lu", static_cast<unsigned long>(reason.result)));
        }
    }
    int first = kFirstSettingsFeature;
    int last = kLastSettingsFeature;
    int isSet = 0;
    names.GetCurrentOption(kFeatureFirstPacked, &first, &isSet);
    names.GetCurrentOption(kFeatureLastPacked, &last, &isSet);
    // The host's settings client reaches the settings classes through the installed nirauip.
    HMODULE library =
        LoadLibraryW((nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirauip.dll")).c_str());
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, library);
    LoadComponentModule(driver->Printer());
    std::vector<BYTE> defaults = driver->DefaultDevMode().devMode;
    const SectionValues before = ReadSection(driver->Printer(), defaults, first, last);
    const SectionValues after = ReadSection(driver->Printer(), run.devMode, first, last);
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    if (library != nullptr) {
        FreeLibrary(library);
    }
    ShowSectionValues(before, after, names);
    if (run.devMode.size() >= sizeof(DEVMODEW)) {
        const auto* devMode = reinterpret_cast<const DEVMODEW*>(run.devMode.data());
        HostMachine::Print(Format("the public DEVMODE: orientation %d", devMode->dmOrientation));
    }
    return failures + (after.empty() ? 1 : 0);
}
