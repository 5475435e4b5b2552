// Job "printer-services": the maker's printer toolbox and the printer services pop-up. With the
// toolbox registered for the driver, its widget stays and changing it starts the toolbox (the
// command line the machine saw); a PrintTicket converted by the plug-in carries the toolbox's
// services command and the calibration flag as private features; and five pen codes typed into
// the services pop-up give their check number and, when the constraint rule acts, the pen query
// job whose bytes the spooler received.
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include <nirasim/CoreDriver.h>
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>
#include <winspool.h>

#include <string>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraUISink.h"
#include "printticket/XDComPtr.h"
#include "support/WString.h"

namespace {

const WCHAR kConfigRoot[] = TEXT("SOFTWARE\\Norvell-Ashby\\ZQLW Printing System Config\\");
// The toolbox's place below the driver's folder, as its installation records it.
const WCHAR kToolbox[] = TEXT("Toolbox\\niratoolbox.exe");
const WCHAR* const kCodes[] = {TEXT("AB12"), TEXT("CD34"), TEXT("EF56"), TEXT("GH78"), TEXT("IJ90")};
constexpr int kToolboxWidget = 6005;
constexpr int kServicesElement = 6501;
constexpr int kFirstCodeField = 6524;
constexpr int kCheckField = 6529;
constexpr int kTextOption = 1;
constexpr int kCommandToolboxInstalled = 31;
constexpr int kCommandShowServices = 30;
constexpr int kRefreshButton = 6003;
constexpr size_t kBytesPerRow = 16;
const char* const kDisplayStates[] = {"hidden", "hidden", "greyed", "enabled"};

void SetToolboxPath(const WString& keyPath, const WCHAR* path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, TEXT("ToolboxPath"), 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                       static_cast<DWORD>((WString(path).size() + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
    }
}

void Toolbox(HostMachine& host, CNiraUICore& sheets, CNiraCoreServices& services)
{
    HostMachine::Print(std::string("toolbox widget 6005: ") +
                       kDisplayStates[services.GetDisplayState(kToolboxWidget) & 3]);
    int installed = 0;
    services.SendHandlerCommand(FEATURE_PRINTING_SHORTCUTS, kToolboxWidget, kCommandToolboxInstalled, nullptr,
                                &installed);
    HostMachine::Print(Format("command 31 (is the toolbox installed): %d", installed));
    host.machine().ClearJournals();
    sheets.GetSink()->NotifyWidgetChanged(kToolboxWidget);
    for (const nirasim::ProcessStart& start : host.machine().ProcessesStarted()) {
        HostMachine::Print(TEXT("widget 6005 changed: started ") + start.commandLine);
    }
}

// The private features of the ticket ("bpe:" names) with the value of their scored property.
void ShowPrivateFeatures(IXMLDOMDocument2* ticket)
{
    CXDComPtr<IXMLDOMNodeList> features;
    BSTR query = SysAllocString(TEXT("//*[local-name()='Feature' and starts-with(@name, 'bpe:')]"));
    ticket->selectNodes(query, &features);
    SysFreeString(query);
    LONG count = 0;
    if (features) {
        features->get_length(&count);
    }
    for (LONG i = 0; i < count; ++i) {
        CXDComPtr<IXMLDOMNode> feature;
        features->get_item(i, &feature);
        CXDComPtr<IXMLDOMNamedNodeMap> attributes;
        CXDComPtr<IXMLDOMNode> name;
        BSTR nameText = nullptr;
        BSTR value = nullptr;
        if (feature && SUCCEEDED(feature->get_attributes(&attributes)) && attributes) {
            BSTR attribute = SysAllocString(TEXT("name"));
            attributes->getNamedItem(attribute, &name);
            SysFreeString(attribute);
        }
        if (name) {
            name->get_text(&nameText);
        }
        feature->get_text(&value);
        HostMachine::Print(WString(TEXT("  ")) + (nameText ? nameText : TEXT("?")) + TEXT(" = ") +
                           (value ? value : TEXT("")));
        SysFreeString(nameText);
        SysFreeString(value);
    }
    HostMachine::Print(Format("  (%d private features)", static_cast<int>(count)));
}

void ConvertTicket(HostMachine& host)
{
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen()) {
        HostMachine::Print("the core driver could not start the printer's UI plug-in");
        return;
    }
    CXDComPtr<IXMLDOMDocument2> ticket;
    *&ticket = driver->NewSchemaDocument(TEXT("PrintTicket"));
    if (!ticket) {
        return;
    }
    driver->BindPrintTicketProvider(1);
    std::vector<BYTE> devMode = driver->DefaultDevMode().devMode;
    HRESULT result = driver->DevModeToPrintTicket(devMode, ticket.Get());
    HostMachine::Print(
        Format("the default DEVMODE converted to a PrintTicket (0x%08X), its private features:",
               static_cast<unsigned>(result)));
    ShowPrivateFeatures(ticket.Get());
}

void Calibration(HostMachine& host)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ConvertTicket(host);
    CoUninitialize();
}

void TypeCode(CNiraCoreServices& services, INiraUISink& sink, int field, const WCHAR* code)
{
    OptionInfo* box = NewOptionInfo();
    if (box == nullptr) {
        return;
    }
    services.GetOptionInfo(kFirstCodeField + field, kTextOption, box);
    int feature = kFirstCodeField + field;
    int option = kTextOption;
    services.RemoveOption(CLASS_PRINTER_STATUS, &feature, &option);
    lstrcpynW(box->displayName, code, MAX_PATH);
    AddOwnedOption(services, CLASS_PRINTER_STATUS, feature, kTextOption, box);
    sink.NotifyWidgetChanged(feature);
}

WString FieldText(CNiraCoreServices& services, int widget)
{
    OptionInfo info = {};
    return services.GetOptionInfo(widget, kTextOption, &info) == 0 ? WString(info.displayName)
                                                                   : TEXT("(empty)");
}

void PenQuery(HostMachine& host, CNiraUICore& sheets, CNiraCoreServices& services)
{
    int status =
        services.SendHandlerCommand(kRefreshButton, kServicesElement, kCommandShowServices, nullptr, nullptr);
    HostMachine::Print(Format("command 30 (show the printer services pop-up): status 0x%08X",
                              static_cast<unsigned>(status)));
    for (int field = 0; field < 5; ++field) {
        TypeCode(services, *sheets.GetSink(), field, kCodes[field]);
        HostMachine::Print(WString(TEXT("typed ")) + kCodes[field] + TEXT(" into widget ") +
                           nirasim::Wide(std::to_string(kFirstCodeField + field)) + TEXT(": check number ") +
                           FieldText(services, kCheckField) +
                           nirasim::Wide(Format(", send widget 6505 %s",
                                                kDisplayStates[services.GetDisplayState(6505) & 3])));
    }
    INiraFeatureHandler* handler = nullptr;
    if (sheets.GetHandler(CLASS_PRINTER_STATUS, &handler) != 0 || handler == nullptr) {
        return;
    }
    // What the constraint engine does for a rule action of type 17 on the services element.
    handler->OnConstraintAction(kServicesElement, "", "", "");
    for (const nirasim::SpoolerJob& job : host.machine().Jobs()) {
        HostMachine::Print(TEXT("the spooler got \"") + job.documentName + TEXT("\" (") + job.dataType +
                           nirasim::Wide(Format("), %zu bytes:", job.data.size())));
        for (size_t row = 0; row < job.data.size(); row += kBytesPerRow) {
            std::string line = "  ";
            for (size_t i = row; i < row + kBytesPerRow && i < job.data.size(); ++i) {
                line += Format("%02X ", static_cast<unsigned char>(job.data[i]));
            }
            HostMachine::Print(line);
        }
    }
    HostMachine::Print(TEXT("the code fields afterwards: ") + FieldText(services, kFirstCodeField) +
                       TEXT(", ") + FieldText(services, kFirstCodeField + 4));
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    // What the toolbox's installation writes, for the driver and for the printer.
    SetToolboxPath(kConfigRoot + nirasim::Machine::SamplePackageDriver().name, kToolbox);
    SetToolboxPath(kConfigRoot + host.printerName(), kToolbox);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        return 1;
    }
    int result = 1;
    {
        CNiraUICore sheets;
        CNiraCoreServices services(&sheets);
        if (sheets.ConstructDriverState(printer, nullptr, CNiraUICore::kSheetFeatureLimit) == 0) {
            Toolbox(host, sheets, services);
            PenQuery(host, sheets, services);
            result = 0;
        }
    }
    ClosePrinter(printer);
    Calibration(host);
    return result;
}

const HostJobRegistration job{
    {"printer-services",
     "the printer toolbox started, the calibration features of a PrintTicket and the "
     "pen query job of the printer services pop-up",
     59, Run}};

}  // namespace
