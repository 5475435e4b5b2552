// Job "added-media": papers the user added with the add-paper program, as the media type offers
// them. Two papers are registered as that program would register them; a driver state built for
// the sample printer lists them as media options 550 and up with their tree-view rows; choosing
// one sets its base medium; choosing "Add new paper..." (option 78) starts the program, whose
// command line the machine journals, and the media type goes back to where it was.
#include "host/HostJob.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "support/WString.h"

namespace {

struct AddedPaper {
    const WCHAR* subkey;
    const WCHAR* name;
    const WCHAR* iccProfile;
    const WCHAR* category;  // the base medium's name in the capability database
    const WCHAR* quality;
};

const AddedPaper kPapers[] = {
    {TEXT("Paper0001"), TEXT("Studio gloss 240"), TEXT("studio-gloss.icc"), TEXT("Photo paper, glossy"),
     TEXT("best")},
    {TEXT("Paper0002"), TEXT("Recycled office"), TEXT(""), TEXT("Plain paper"), TEXT("Normal")},
};

constexpr int kFirstAddedOption = 550;
constexpr int kHeadingRow = 999;
constexpr int kAddPaperOption = 78;

void SetText(HKEY key, const WCHAR* name, const WCHAR* text)
{
    WString value(text);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
}

// What the add-paper program leaves in the user's registry for the printer.
bool RegisterPapers(const WString& printer)
{
    WString list = WString(TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper\\")) + printer + TEXT("\\MediaList");
    for (const AddedPaper& paper : kPapers) {
        HKEY key = nullptr;
        WString path = list + TEXT("\\") + paper.subkey;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        SetText(key, TEXT("Name"), paper.name);
        SetText(key, TEXT("ICCProfile"), paper.iccProfile);
        SetText(key, TEXT("Category"), paper.category);
        SetText(key, TEXT("Quality"), paper.quality);
        RegCloseKey(key);
        HostMachine::Print(WString(TEXT("registered ")) + paper.subkey + TEXT(": \"") + paper.name +
                           TEXT("\", base medium \"") + paper.category + TEXT("\""));
    }
    return true;
}

int Current(CNiraCoreServices& services, int featureId)
{
    int option = 0;
    int isSet = 0;
    return services.GetValue(featureId, &option, &isSet) == 0 ? option : -1;
}

WString OptionName(CNiraCoreServices& services, int featureId, int option)
{
    WCHAR name[MAX_PATH] = {};
    services.GetOptionName(featureId, option, name);
    return name;
}

void ShowMediaOptions(CNiraCoreServices& services)
{
    struct Walk {
        CNiraCoreServices* services;
        std::vector<int> options;
    } walk{&services, {}};
    services.EnumerateOptions(
        FEATURE_MEDIA_TYPE,
        [](int, int option, int, WCHAR*, void* user) {
            static_cast<Walk*>(user)->options.push_back(option);
            return 0;
        },
        &walk);
    HostMachine::Print("media options: " + std::to_string(walk.options.size()));
    for (int option : walk.options) {
        if (option >= kFirstAddedOption || option == kAddPaperOption) {
            HostMachine::Print(WString(TEXT("  option ")) + nirasim::Wide(std::to_string(option)) +
                               TEXT(" \"") + OptionName(services, FEATURE_MEDIA_TYPE, option) + TEXT("\""));
        }
    }
    std::vector<int> rows = {kHeadingRow};
    for (size_t i = 0; i < sizeof(kPapers) / sizeof(kPapers[0]); ++i) {
        rows.push_back(kFirstAddedOption + static_cast<int>(i));
    }
    HostMachine::Print("tree-view rows:");
    for (int option : rows) {
        TreeViewOptionRecord row = {};
        if (services.GetTreeViewOption(FEATURE_MEDIA_TYPE, option, &row) != 0) {
            HostMachine::Print("  row " + std::to_string(option) + ": none");
            continue;
        }
        HostMachine::Print(WString(TEXT("  row ")) + nirasim::Wide(std::to_string(option)) +
                           TEXT(": level ") + nirasim::Wide(std::to_string(row.levelId)) + TEXT(", string ") +
                           nirasim::Wide(std::to_string(row.stringId)) + TEXT(", \"") + row.displayName +
                           TEXT("\""));
    }
}

// Chooses a media option as the media-type list would: the new value, then the handler told.
void Choose(CNiraCoreServices& services, INiraFeatureHandler& handler, int option)
{
    int feature = FEATURE_MEDIA_TYPE;
    services.SetValue(CLASS_ADDED_MEDIA, &feature, &option, 2, 1, 0, 0);
    handler.OnWidgetChanged(FEATURE_MEDIA_TYPE);
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    if (!RegisterPapers(host.printerName())) {
        return 1;
    }
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        return 1;
    }
    int result = 1;
    {
        CNiraUICore core;
        CNiraCoreServices services(&core);
        INiraFeatureHandler* handler = nullptr;
        if (core.ConstructDriverState(printer, nullptr) == 0 &&
            core.GetHandler(CLASS_ADDED_MEDIA, &handler) == 0 && handler != nullptr) {
            ShowMediaOptions(services);

            Choose(services, *handler, kFirstAddedOption);
            HostMachine::Print(
                WString(TEXT("chose option 550: base medium ")) +
                nirasim::Wide(std::to_string(Current(services, FEATURE_BASE_MEDIA))) + TEXT(" \"") +
                OptionName(services, FEATURE_BASE_MEDIA, Current(services, FEATURE_BASE_MEDIA)) + TEXT("\""));

            host.machine().ClearJournals();
            int before = Current(services, FEATURE_MEDIA_TYPE);
            Choose(services, *handler, kAddPaperOption);
            for (const nirasim::ProcessStart& start : host.machine().ProcessesStarted()) {
                HostMachine::Print(WString(TEXT("chose option 78: started ")) + start.commandLine);
            }
            int media = Current(services, FEATURE_MEDIA_TYPE);
            HostMachine::Print("media type before option 78: " + std::to_string(before) +
                               ", afterwards: " + std::to_string(media));
            result = 0;
        }
    }
    ClosePrinter(printer);
    return result;
}

const HostJobRegistration job{
    {"added-media", "papers added by the user as media options, and the add-paper program started", 57, Run}};

}  // namespace
