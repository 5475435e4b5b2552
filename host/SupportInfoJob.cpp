// Job "support-info": the three lists of the support page as the support information handler fills
// them when the driver state is built (the driver and the UI plug-in's version, the driver's files
// with their versions or dates, the printer's configuration status), then the status list again
// after a setting was changed: the change time stored as the printer data "NotifyDate".
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include <windows.h>
#include <winspool.h>

#include <string>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "support/WString.h"

namespace {

constexpr int kDriverList = 6054;
constexpr int kFileList = 6055;
constexpr int kStatusList = 6056;
// A device setting kept in the registry feature store, whose changes the handlers hear of.
constexpr int kTray2 = 4305;
constexpr int kNotInstalled = 2;
constexpr int kReasonByUser = 2;

void ShowList(CNiraCoreServices& services, int widget, const char* title)
{
    HostMachine::Print(Format("%s (widget %d):", title, widget));
    const int count = services.GetOptionCount(widget);
    for (int line = 1; line <= count; ++line) {
        OptionInfo info = {};
        if (services.GetOptionInfo(widget, line, &info) == 0) {
            WString text = info.displayName;
            for (char16_t& c : text) {
                c = c == TEXT('\t') ? TEXT(' ') : c;  // the list's tab stops, as blanks
            }
            HostMachine::Print(TEXT("  ") + text);
        }
    }
}

WString StoredText(HostMachine& host, const char* name)
{
    std::string bytes;
    if (!host.machine().GetPrinterData(host.printerName(), name, bytes) || bytes.size() < sizeof(WCHAR)) {
        return TEXT("(none)");
    }
    return WString(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / sizeof(WCHAR) - 1);
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        return 1;
    }
    int result = 1;
    {
        CNiraUICore sheets;
        CNiraCoreServices services(&sheets);
        if (sheets.ConstructDriverState(printer, nullptr, CNiraUICore::kSheetFeatureLimit) == 0) {
            HostMachine::Print(TEXT("printer data InstallDate ") + StoredText(host, "InstallDate"));
            ShowList(services, kDriverList, "the driver and the UI plug-in");
            ShowList(services, kFileList, "the driver's files");
            ShowList(services, kStatusList, "the configuration status");

            SYSTEMTIME later = {2026, 12, 5, 11, 9, 30, 0, 0};
            host.machine().SetSystemTime(later);
            int feature = kTray2;
            int option = kNotInstalled;
            int owner = 0;
            services.GetFeatureClassId(feature, &owner);
            services.SetValue(owner, &feature, &option, kReasonByUser, 1, 0, 0);
            // As the sheets apply a change: every handler hears of each feature that differs from
            // its default.
            sheets.RefreshChangedHandlers();
            HostMachine::Print(TEXT("tray 2 set to not installed at 12/11/2026 09:30 UTC: printer data "
                                    "NotifyDate ") +
                               StoredText(host, "NotifyDate"));
            ShowList(services, kStatusList, "the configuration status");
            result = 0;
        }
    }
    ClosePrinter(printer);
    return result;
}

const HostJobRegistration job{
    {"support-info", "the support page's lists: driver, files with versions, configuration status", 59, Run}};

}  // namespace
