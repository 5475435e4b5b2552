// Job "printer-access": what the driver's printer access sees of the sample printer: the driver
// INI it finds, the path of each component the INI names, the port and its type, and a text of
// the string-resource library in the user's language.
#include "host/HostJob.h"

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include <cstdio>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {

const WCHAR* const kComponentKeys[] = {
    TEXT("NIRA_UI_PLUGIN"),    TEXT("NIRA_UI_DLL"),          TEXT("NIRA_PR_DLL"),
    TEXT("NIRA_STRING_DLL"),   TEXT("Component_R_B"),        TEXT("Component_F_B"),
    TEXT("Component_F_C"),     TEXT("PRODUCT_DATA_FILE"),    TEXT("NIRA_CAPABILITY_XML"),
    TEXT("NIRA_UILAYOUT_XML"), TEXT("NIRA_CONSTRAINT_XML"),  TEXT("NIRA_PMLOID_XML"),
    TEXT("NIRA_DMC_CORE_DLL"), TEXT("NIRA_DMC_CONFIG_FILE"), TEXT("PRINTER_SETTING_API"),
};

constexpr UINT kShownStringId = 4339;

const char* PortTypeName(DWORD type)
{
    switch (type) {
    case NIRA_PORT_LPT1:
    case NIRA_PORT_LPT2:
    case NIRA_PORT_LPT3:
        return "parallel";
    case NIRA_PORT_USB:
        return "USB";
    case NIRA_PORT_DOT4:
        return "DOT4";
    case NIRA_PORT_FILE:
        return "file";
    case NIRA_PORT_PATH:
        return "path or null port";
    default:
        return "network or other";
    }
}

WString Padded(const WString& text, size_t width)
{
    return text.size() >= width ? text : text + WString(width - text.size(), TEXT(' '));
}

void ShowComponents(HostMachine& host, CNiraPrinterAccess& access)
{
    HostMachine::Print("components:");
    for (const WCHAR* key : kComponentKeys) {
        WCHAR path[CNiraPrinterAccess::kComponentPathChars];
        if (!access.GetComponentPath(key, path)) {
            HostMachine::Print(TEXT("  ") + Padded(key, 22) + TEXT("(not named)"));
            continue;
        }
        const WCHAR* state = host.machine().FileExists(path) ? TEXT("") : TEXT("  (not in the package yet)");
        HostMachine::Print(TEXT("  ") + Padded(key, 22) + path + state);
    }
}

void ShowPort(CNiraPrinterAccess& access)
{
    CNiraString port;
    DWORD type = 0;
    if (!access.GetPortName(port) || !access.GetPortType(&type)) {
        HostMachine::Print("port:           (unreadable)");
        return;
    }
    char line[64];
    std::snprintf(line, sizeof(line), "  (type %u, %s)", static_cast<unsigned>(type), PortTypeName(type));
    HostMachine::Print(TEXT("port:           ") + WString(port.GetBuffer()) + nirasim::Wide(line));
    HostMachine::Print(std::string("local printer:  ") + (access.IsLocalPrinter() ? "yes" : "no"));
}

// The text in the string library for a user of `language`.
void ShowText(HostMachine& host, const WString& library, LANGID language, const char* label)
{
    host.machine().SetUILanguage(language);
    CNiraStringDll* strings = AcquireStringDll(library.c_str());
    WCHAR text[260] = {};
    UINT id = kShownStringId;
    LONG result = strings != nullptr ? strings->GetString(&id, text, 260, nullptr) : NIRA_STATUS_FAILED;
    ReleaseStringDll();
    char prefix[80];
    std::snprintf(prefix, sizeof(prefix), "  text %u, user language 0x%04X (%s): ", id, language, label);
    HostMachine::Print(nirasim::Wide(prefix) +
                       (result == NIRA_STATUS_OK ? WString(text) : TEXT("(not found)")));
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    CNiraPrinterAccess access(host.printerName().c_str());
    if (access.GetHandle() == nullptr) {
        HostMachine::Print("the printer cannot be opened");
        return 1;
    }
    WCHAR name[260];
    access.GetPrinterName(name, 260);
    HostMachine::Print(TEXT("printer:        ") + WString(name));
    ShowPort(access);
    if (!access.FindDriverIni(0)) {
        HostMachine::Print("driver INI:     not found among the dependent files");
        return 1;
    }
    HostMachine::Print(TEXT("driver INI:     ") + WString(access.GetDriverIniPath()));
    ShowComponents(host, access);

    WCHAR library[CNiraPrinterAccess::kComponentPathChars];
    if (!access.GetComponentPath(TEXT("NIRA_STRING_DLL"), library)) {
        return 1;
    }
    HostMachine::Print(TEXT("string library: ") + WString(library));
    LANGID user = GetUserDefaultUILanguage();
    ShowText(host, library, user, "the machine's user");
    ShowText(host, library, 0x0407, "German");
    ShowText(host, library, 0x0C07, "Austrian German, falls back to German");
    ShowText(host, library, 0x0411, "Japanese");
    ShowText(host, library, 0x040C, "French, falls back to US English");
    host.machine().SetUILanguage(user);
    return 0;
}

const HostJobRegistration job{
    {"printer-access", "what the driver's printer access sees of the sample printer", 10, Run}};

}  // namespace
