// Job "core-driver": the sample printer's UI plug-in as the simulated core driver loads and starts
// it: the class factory's answers, what GetInfo tells, which of the core driver's items the plug-in
// hides on Windows 5.0 and 6.0, and its answers to the core driver's DEVMODE requests.
#include "host/HostJob.h"

#include <nirasim/CoreDriver.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadNowProc)();

// The Windows version the host machine runs, restored after the job.
constexpr DWORD kMachineMajor = 10;
constexpr DWORD kMachineMinor = 0;

const GUID kForeignId = {0x0BADF00D, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 1}};

std::string Hex(HRESULT value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string ClassAnswer(GetClassObjectProc getClassObject, const CLSID& clsid, const IID& iid,
                        const char* asked)
{
    void* out = nullptr;
    const HRESULT result = getClassObject(clsid, iid, &out);
    if (out != nullptr) {
        static_cast<IUnknown*>(out)->Release();
    }
    return std::string("  ") + asked + ": " + Hex(result) + (out != nullptr ? " (a factory)" : "");
}

void ShowClassFactory(nirasim::CoreDriverInstance& core)
{
    auto getClassObject = reinterpret_cast<GetClassObjectProc>(
        reinterpret_cast<void*>(GetProcAddress(core.PluginModule(), "DllGetClassObject")));
    auto canUnloadNow = reinterpret_cast<CanUnloadNowProc>(
        reinterpret_cast<void*>(GetProcAddress(core.PluginModule(), "DllCanUnloadNow")));
    HostMachine::Print("class factory:");
    HostMachine::Print(
        ClassAnswer(getClassObject, CLSID_OEMUI, IID_IClassFactory, "UI plug-in class id        "));
    HostMachine::Print(
        ClassAnswer(getClassObject, CLSID_OEMPTPROVIDER, IID_IClassFactory, "PrintTicket provider id    "));
    HostMachine::Print(
        ClassAnswer(getClassObject, kForeignId, IID_IClassFactory, "another class id           "));
    HostMachine::Print(ClassAnswer(getClassObject, CLSID_OEMUI, kForeignId, "UI class, another interface"));
    HostMachine::Print("  may the library unload now: " +
                       std::string(canUnloadNow() == S_OK ? "yes" : "no (an object lives)"));
}

void ShowInfo(nirasim::CoreDriverInstance& core)
{
    const nirasim::PluginInfoAnswer helpers = core.Info(OEMGI_GETREQUESTEDHELPERINTERFACES);
    const nirasim::PluginInfoAnswer signature = core.Info(OEMGI_GETSIGNATURE);
    const nirasim::PluginInfoAnswer version = core.Info(OEMGI_GETVERSION);
    char text[160];
    std::snprintf(text, sizeof(text), "GetInfo: helpers %u (%s), core helper published %s",
                  static_cast<unsigned>(helpers.value), Hex(helpers.result).c_str(),
                  Hex(core.PublishResult()).c_str());
    HostMachine::Print(text);
    // The signature is a multi-character constant: its characters read from the high byte down.
    const char letters[] = {static_cast<char>(signature.value >> 24),
                            static_cast<char>(signature.value >> 16), static_cast<char>(signature.value >> 8),
                            static_cast<char>(signature.value), 0};
    std::snprintf(text, sizeof(text), "  signature 0x%08X \"%s\", version 0x%08X, %u bytes each",
                  static_cast<unsigned>(signature.value), letters, static_cast<unsigned>(version.value),
                  static_cast<unsigned>(version.needed));
    HostMachine::Print(text);
}

void ShowHiddenItems(HostMachine& host, DWORD major, DWORD minor)
{
    host.machine().SetWindowsVersion(major, minor);
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen()) {
        return;
    }
    driver->CommonUIProp(OEMCUIP_DOCPROP, 1);
    char text[96];
    std::snprintf(text, sizeof(text), "core driver's items on Windows %u.%u:", static_cast<unsigned>(major),
                  static_cast<unsigned>(minor));
    HostMachine::Print(text);
    for (const nirasim::CoreItemState& item : driver->Items()) {
        std::snprintf(text, sizeof(text), "  %-15s id %2u  flags 0x%02X%s",
                      item.keyword.empty() ? "(copies)" : item.keyword.c_str(), item.publicId,
                      static_cast<unsigned>(item.flags), (item.flags & OPTIF_HIDE) ? "  hidden" : "");
        HostMachine::Print(text);
    }
    std::snprintf(text, sizeof(text), "  DrvUpdateUISetting calls: %zu",
                  driver->UpdateUISettingCalls().size());
    HostMachine::Print(text);
}

void ShowDevModes(nirasim::CoreDriverInstance& core)
{
    const nirasim::DevModeAnswer defaults = core.DefaultDevMode();
    HostMachine::Print("DEVMODE requests:");
    HostMachine::Print("  size (1):    " + Hex(defaults.sizeResult) + ", section of " +
                       std::to_string(defaults.sectionSize) + " bytes");
    HostMachine::Print("  default (2): " + Hex(defaults.defaultResult));
    std::vector<BYTE> out;
    HostMachine::Print("  convert (3): " + Hex(core.ConvertDevMode(OEMDM_CONVERT, defaults.devMode, out)));
    HostMachine::Print("  merge (4):   " + Hex(core.ConvertDevMode(OEMDM_MERGE, defaults.devMode, out)));
    HostMachine::Print("  the DEVMODE the core driver hands out: " + std::to_string(defaults.devMode.size()) +
                       " bytes");
    if (FAILED(defaults.sizeResult)) {
        HostMachine::Print(
            "  (the plug-in's DEVMODE synchroniser answers these requests; until it is built the core");
        HostMachine::Print("   driver hands out its DEVMODE without the plug-in's private section)");
    }
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    {
        nirasim::CoreDriver driver(host.printerName());
        if (!driver.IsOpen() || driver->Plugin() == nullptr) {
            HostMachine::Print("the core driver could not start the printer's UI plug-in");
            return 1;
        }
        ShowClassFactory(*driver);
        ShowInfo(*driver);
        ShowDevModes(*driver);
    }
    ShowHiddenItems(host, 5, 0);
    ShowHiddenItems(host, 6, 0);
    host.machine().SetWindowsVersion(kMachineMajor, kMachineMinor);
    return 0;
}

const HostJobRegistration job{
    {"core-driver", "the UI plug-in as the simulated core driver starts it", 50, Run}};

}  // namespace
