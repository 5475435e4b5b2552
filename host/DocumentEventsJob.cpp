// Job "print-job": the document events GDI sends for a print job, through the simulated core driver
// to the plug-in, for three DEVMODEs: the printer's default, an application's DEVMODE without the
// driver's private section, and the default with public fields the application changed. For each:
// the events the plug-in asked for, what it answered, the DEVMODE it handed out at create-DC (its
// public fields, its section, who prepared the job) and the core driver's options it wrote. The job
// runs in a word processor and again in a layout program, and shows the calling-application
// profile the driver state gets in each: the profile mask and the page-layout features hidden.
#include "host/HostJob.h"
#include "host/PreferencesSession.h"
#include "host/SectionReport.h"

#include <nirasim/CoreDriver.h>
#include <nirasim/Runtime.h>
#include <winddiui.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "support/PublicOnlyDevMode.h"

namespace {

const char kWordProcessor[] = "C:\\Program Files\\Office\\WINWORD.EXE";
const char kLayoutProgram[] = "C:\\Program Files\\Quark\\QuarkXPress.exe";
// The page-layout features a restricted layout hides.
const int kLayoutFeatures[] = {4125, 4126, 4127, 4121, 4128, 4129, 4130, 4120, 4124, 4119, 4131, 6377};
constexpr int kAppProfileFeature = 4237;
constexpr int kLayoutRestrictedFeature = 6053;
constexpr int kDuplexFeature = 4125;
constexpr int kRestrictedDuplexOption = 2;

struct JobCase {
    const char* title;
    std::vector<BYTE> devMode;
};

const char* EventName(INT escape)
{
    switch (escape) {
    case DOCUMENTEVENT_CREATEDCPRE:
        return "create-DC (before)";
    case DOCUMENTEVENT_CREATEDCPOST:
        return "create-DC (after)";
    case DOCUMENTEVENT_RESETDCPRE:
        return "reset-DC (before)";
    case DOCUMENTEVENT_RESETDCPOST:
        return "reset-DC (after)";
    case DOCUMENTEVENT_STARTDOCPRE:
        return "start-doc";
    case DOCUMENTEVENT_STARTDOCPOST:
        return "start-doc (after)";
    case DOCUMENTEVENT_STARTPAGE:
        return "start-page";
    case DOCUMENTEVENT_ENDPAGE:
        return "end-page";
    default:
        return "other";
    }
}

void ShowFilter(const nirasim::PrintJobTrace& trace)
{
    for (const nirasim::QueryFilterAnswer& filter : trace.filters) {
        std::string events;
        for (DWORD event : filter.events) {
            events += " " + std::to_string(event);
        }
        char text[160];
        std::snprintf(text, sizeof(text), "  query filter, room for %u: %u written, %u needed, result %d:%s",
                      filter.allocated, filter.returned, filter.needed, filter.result, events.c_str());
        HostMachine::Print(text);
    }
}

void ShowCalls(const nirasim::PrintJobTrace& trace)
{
    for (const nirasim::DocumentEventCall& call : trace.calls) {
        char text[120];
        std::snprintf(text, sizeof(text), "  %-19s result %d%s", EventName(call.escape), call.result,
                      call.handedOut ? ", a DEVMODE handed out" : "");
        HostMachine::Print(text);
    }
}

void ShowHandedOut(std::vector<BYTE> devMode)
{
    if (devMode.empty()) {
        HostMachine::Print("  nothing handed out at create-DC");
        return;
    }
    auto* d = reinterpret_cast<DEVMODEW*>(devMode.data());
    char text[200];
    std::snprintf(text, sizeof(text),
                  "  handed out at create-DC: %zu bytes; paper %d, orientation %d, two-sided %d, media %u, "
                  "quality %d, fields 0x%08X",
                  devMode.size(), d->dmPaperSize, d->dmOrientation, d->dmDuplex,
                  static_cast<unsigned>(d->dmMediaType), d->dmPrintQuality,
                  static_cast<unsigned>(d->dmFields));
    HostMachine::Print(text);
    PrivateDevMode* section = nullptr;
    if (!FindPrivateDevMode(d, &section)) {
        HostMachine::Print("  no private section");
        return;
    }
    std::snprintf(text, sizeof(text), "  section: %u bytes of packed settings, checksum 0x%08X %s",
                  static_cast<unsigned>(section->packedLength), static_cast<unsigned>(section->checksum),
                  IsBlockChecksumValid(section) ? "(intact)" : "(FAILS)");
    HostMachine::Print(text);
    std::string path(section->processPath, strnlen(section->processPath, sizeof(section->processPath)));
    std::u16string user(section->userName, sizeof(section->userName) / sizeof(WCHAR));
    user = user.substr(0, user.find(TEXT('\0')));
    HostMachine::Print("  prepared by \"" + path + "\" (features 4309, 4311: the path and user \"" +
                       nirasim::Utf8(user) + "\")");
}

void ShowTraces(HostMachine& host)
{
    for (const std::u16string& line : host.machine().DebugOutput()) {
        if (line.find(TEXT("[PERF]")) != std::u16string::npos ||
            line.find(TEXT("DocEvent Start")) != std::u16string::npos) {
            HostMachine::Print("  trace: " + nirasim::Utf8(line));
        }
    }
}

void ShowCoreOptions(nirasim::CoreDriverInstance& core)
{
    for (const nirasim::SetOptionsCall& call : core.SetOptionsCalls()) {
        for (const auto& pair : call.pairs) {
            HostMachine::Print("  core driver option written on the DEVMODE: " + pair.first + " = " +
                               pair.second);
        }
    }
}

// The profile the driver state gets in the program, and what it hides.
void ShowProfile(HostMachine& host)
{
    PreferencesSession session(host);
    CNiraUISettings* settings = nullptr;
    if (!session.Open() || session.Core().GetSettings(&settings) != 0 || settings == nullptr) {
        HostMachine::Print("  the driver state cannot be built");
        return;
    }
    OptionInfo profile = {};
    settings->GetOptionInfo(kAppProfileFeature, 1, &profile);
    int restricted = 0;
    int isSet = 0;
    settings->GetCurrentOption(kLayoutRestrictedFeature, &restricted, &isSet);
    std::string hidden;
    for (int feature : kLayoutFeatures) {
        int id = feature;
        FeatureEntry* entry = nullptr;
        if (settings->FindFeature(&id, &entry) == 0 && entry != nullptr && entry->uiRecord != nullptr &&
            entry->uiRecord->displayState == 0) {
            hidden += " " + std::to_string(feature);
        }
    }
    int duplexOffered = 0;
    settings->HasOption(kDuplexFeature, kRestrictedDuplexOption, &duplexOffered);
    HostMachine::Print(Format("  profile mask 0x%08X (feature 4237, option 1), feature 6053 option %d (%s)",
                              static_cast<unsigned>(profile.optionIndex), restricted,
                              restricted == 2 ? "layout restricted" : "layout available"));
    HostMachine::Print("  layout features hidden:" + (hidden.empty() ? std::string(" none") : hidden) +
                       "; two-sided option 2 " + (duplexOffered != 0 ? "offered" : "removed"));
}

void RunCases(HostMachine& host, nirasim::CoreDriverInstance& driver, const std::vector<JobCase>& cases)
{
    for (const JobCase& c : cases) {
        HostMachine::Print(std::string("print job with ") + c.title + ":");
        host.machine().ClearJournals();
        driver.ClearJournals();
        const size_t globalBlocks = nirasim::LiveGlobalBlocks();
        const nirasim::PrintJobTrace trace = driver.RunPrintJob(c.devMode, nirasim::PrintJobOptions());
        ShowFilter(trace);
        ShowCalls(trace);
        ShowTraces(host);
        ShowHandedOut(trace.createDCDevMode);
        ShowCoreOptions(driver);
        HostMachine::Print("  global blocks left after the job: " +
                           std::to_string(nirasim::LiveGlobalBlocks() - globalBlocks));
    }
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    host.machine().SetProcessPath(kWordProcessor);
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen() || driver->Plugin() == nullptr) {
        HostMachine::Print("the core driver could not start the printer's UI plug-in");
        return 1;
    }
    const std::vector<BYTE> defaults = driver->DefaultDevMode().devMode;
    std::vector<BYTE> changed = defaults;
    reinterpret_cast<DEVMODEW*>(changed.data())->dmPaperSize = DMPAPER_A4;
    reinterpret_cast<DEVMODEW*>(changed.data())->dmOrientation = DMORIENT_LANDSCAPE;
    const std::vector<JobCase> cases = {
        {"the printer's default DEVMODE", defaults},
        {"an application's DEVMODE without the private section (A4, landscape)",
         PublicOnlyDevMode(DMPAPER_A4, DMORIENT_LANDSCAPE)},
        {"the default DEVMODE with public fields changed (A4, landscape)", changed},
    };
    HostMachine::Print("the application: " + std::string(kWordProcessor));
    RunCases(host, *driver, cases);
    ShowProfile(host);
    host.machine().SetProcessPath(kLayoutProgram);
    HostMachine::Print("the application: " + std::string(kLayoutProgram));
    RunCases(host, *driver, {cases.front()});
    ShowProfile(host);
    return 0;
}

const HostJobRegistration job{
    {"print-job", "the document events of a print job and the DEVMODE they hand out", 55, Run}};

}  // namespace
