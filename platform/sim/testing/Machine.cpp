// The test-control API (nirasim/Machine.h) on top of the machine's areas.
#include <nirasim/Machine.h>
#include <nirasim/Runtime.h>
#include <winddiui.h>

#include "core/Failures.h"
#include "core/MachineState.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"
#include "modules/Modules.h"
#include "modules/VersionInfo.h"
#include "process/Clock.h"
#include "process/DateFormat.h"
#include "spooler/ConfigModule.h"
#include "spooler/Spooler.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace nirasim {
namespace {

using sim::MachineState;
using sim::State;

bool g_machineExists = false;

template <typename Change>
void ChangeProcess(Change change)
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    change(state.process);
}

std::string MakeRootFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/nirasim-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make the machine's folder");
    }
    return pattern;
}

void MakeUserFolders()
{
    std::error_code ignored;
    fs::create_directories(sim::MapWindowsPath(sim::TempDirectory()), ignored);
}

}  // namespace

Text::Text(const char* utf8) : wide_(sim::WideFromUtf8(utf8 ? utf8 : "")) {}
Text::Text(const std::string& utf8) : wide_(sim::WideFromUtf8(utf8)) {}
Text::Text(const char16_t* wide) : wide_(wide ? wide : u"") {}
Text::Text(const std::u16string& wide) : wide_(wide) {}

std::string Text::utf8() const
{
    return sim::Utf8FromWide(wide_);
}

std::string Utf8(const std::u16string& wide)
{
    return sim::Utf8FromWide(wide);
}

std::u16string Wide(const std::string& utf8)
{
    return sim::WideFromUtf8(utf8);
}

Machine::Machine()
{
    if (g_machineExists) {
        throw std::logic_error("one simulated machine at a time");
    }
    g_machineExists = true;
    root_ = MakeRootFolder();
    sim::ResetMachine(root_);
}

Machine::~Machine()
{
    sim::UnloadAllModules();  // the process ends for the libraries
    sim::ResetMachine(std::string());
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    g_machineExists = false;
}

std::string Machine::HostPath(const Text& windowsPath) const
{
    return sim::MapWindowsPath(windowsPath.wide());
}

bool Machine::WriteFile(const Text& windowsPath, const std::string& bytes)
{
    std::string host = HostPath(windowsPath);
    std::error_code error;
    fs::create_directories(fs::path(host).parent_path(), error);
    // Folders made just now may change how the path resolves; map it again.
    host = HostPath(windowsPath);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool Machine::ReadFile(const Text& windowsPath, std::string& bytes) const
{
    return sim::ReadHostFile(HostPath(windowsPath), bytes, static_cast<size_t>(1) << 30);
}

bool Machine::FileExists(const Text& windowsPath) const
{
    return sim::KindOf(HostPath(windowsPath)) == sim::HostKind::File;
}

bool Machine::CopyIn(const std::string& hostPath, const Text& windowsPath)
{
    std::string contents;
    return sim::ReadHostFile(hostPath, contents, static_cast<size_t>(1) << 30) &&
           WriteFile(windowsPath, contents);
}

void Machine::SetFileVersion(const Text& windowsPath, const FileVersion& version)
{
    sim::VersionSpec spec;
    std::copy(std::begin(version.fileVersion), std::end(version.fileVersion), spec.fileVersion);
    std::copy(std::begin(version.productVersion), std::end(version.productVersion), spec.productVersion);
    spec.fileType = version.fileType;
    spec.language = version.language;
    spec.codePage = version.codePage;
    spec.strings = version.strings;
    sim::SetFileVersion(windowsPath.wide(), spec);
}

std::u16string Machine::DriverDirectory()
{
    return sim::kDriverDirectory;
}

std::u16string Machine::DriverVersionDirectory()
{
    return std::u16string(sim::kDriverDirectory) + u"\\3";
}

void Machine::SetUser(const Text& userName)
{
    ChangeProcess([&](sim::ProcessIdentity& process) { process.userName = userName.wide(); });
    MakeUserFolders();
}

void Machine::SetUILanguage(LANGID language)
{
    ChangeProcess([&](sim::ProcessIdentity& process) { process.uiLanguage = language; });
}

void Machine::SetSystemLanguage(LANGID language)
{
    ChangeProcess([&](sim::ProcessIdentity& process) { process.systemLanguage = language; });
}

void Machine::SetWindowsVersion(DWORD major, DWORD minor, DWORD build)
{
    ChangeProcess([&](sim::ProcessIdentity& process) {
        process.majorVersion = major;
        process.minorVersion = minor;
        process.buildNumber = build;
    });
}

void Machine::SetElevationType(DWORD type)
{
    ChangeProcess([&](sim::ProcessIdentity& process) { process.elevationType = type; });
}

void Machine::SetTokenFailures(bool openFails, bool queryFails)
{
    ChangeProcess([&](sim::ProcessIdentity& process) {
        process.tokenOpens = !openFails;
        process.tokenAnswers = !queryFails;
    });
}

void Machine::SetProcessPath(const Text& windowsPath)
{
    ChangeProcess([&](sim::ProcessIdentity& process) { process.processPath = windowsPath.wide(); });
}

void Machine::SetCurrentDirectory(const Text& windowsPath)
{
    std::u16string full = sim::FullWindowsPath(windowsPath.wide());
    ChangeProcess([&](sim::ProcessIdentity& process) { process.currentDirectory = full; });
}

void Machine::SetMessageBoxAnswer(int answer)
{
    ChangeProcess([&](sim::ProcessIdentity& process) { process.messageBoxAnswer = answer; });
}

void Machine::SetCreateProcessFailure(DWORD error)
{
    ChangeProcess([&](sim::ProcessIdentity& process) {
        process.createProcessSucceeds = error == ERROR_SUCCESS;
        process.createProcessError = error;
    });
}

void Machine::InstallDriver(const DriverSpec& driver)
{
    sim::AddDriverRecord(driver);
}

DriverSpec Machine::SamplePackageDriver()
{
    DriverSpec driver;
    driver.name = u"Nira Sample Inkjet";
    driver.driverFile = u"unidrv.dll";
    driver.configFile = u"unidrvui.dll";
    driver.dataFile = u"nirasmpl.gpd";
    driver.helpFile = u"unidrv.hlp";
    driver.dependentFiles = {u"nirauip.dll", u"nirapres.dll", u"nirapp.dll",  u"niraprev.dll",
                             u"niraevt.dll", u"niralm.dll",   u"nirastr.dll", u"nirasmpl.ini"};
    driver.monitorName = u"Nira Language Monitor";
    return driver;
}

std::u16string Machine::InstallSamplePackage(const std::string& buildDir)
{
    std::u16string target = DriverVersionDirectory() + u"\\";
    DriverSpec driver = SamplePackageDriver();
    for (const char* folder : {"bin", "package"}) {
        fs::path from = fs::path(buildDir) / folder;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(from, error)) {
            std::string name = entry.path().filename().string();
            bool buildFile = entry.path().extension() == ".cmake" || name == "Makefile";
            bool wanted = entry.is_regular_file() && !buildFile &&
                          (std::string(folder) == "package" || entry.path().extension() == ".dll");
            if (!wanted) {
                continue;
            }
            CopyIn(entry.path().string(), target + Wide(name));
            bool listed = false;
            for (const auto& dependent : driver.dependentFiles) {
                listed = listed || sim::EqualNoCase(dependent, Wide(name));
            }
            if (!listed) {
                driver.dependentFiles.push_back(Wide(name));
            }
        }
    }
    // Files the package installs in the system folder as well (the device servers).
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(buildDir) / "package" / "system32", error)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::u16string name = Wide(entry.path().filename().string());
        CopyIn(entry.path().string(), target + name);
        CopyIn(entry.path().string(), u"C:\\Windows\\System32\\" + name);
        driver.dependentFiles.push_back(name);
    }
    InstallDriver(driver);
    return driver.name;
}

void Machine::AddPrinter(const PrinterSpec& printer)
{
    sim::AddPrinterRecord(printer);
}

void Machine::AddSamplePrinter(const Text& name, const Text& port)
{
    PrinterSpec printer;
    printer.name = name.wide();
    printer.portName = port.wide();
    printer.driverName = SamplePackageDriver().name;
    AddPrinter(printer);
}

bool Machine::InitializePrinter(const Text& name)
{
    return sim::SendPrinterEvent(name.wide().c_str(), PRINTER_EVENT_INITIALIZE, 0) != FALSE;
}

void Machine::RefusePrinterAccess(const Text& printer, ACCESS_MASK rights)
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    if (sim::PrinterRecord* record = sim::FindPrinter(printer.wide())) {
        record->refused = rights;
    }
}

void Machine::SetPrinterData(const Text& printer, const Text& valueName, DWORD type, const std::string& bytes,
                             const Text& key)
{
    std::u16string path = sim::PrinterKeyPath(printer.wide()) + u"\\" + key.wide();
    HKEY opened;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(opened, valueName.wide().c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(opened);
    }
}

void Machine::SetPrinterString(const Text& printer, const Text& valueName, const Text& value)
{
    const std::u16string& text = value.wide();
    SetPrinterData(
        printer, valueName, REG_SZ,
        std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(WCHAR)));
}

void Machine::SetPrinterDword(const Text& printer, const Text& valueName, DWORD value)
{
    SetPrinterData(printer, valueName, REG_DWORD,
                   std::string(reinterpret_cast<const char*>(&value), sizeof(value)));
}

bool Machine::GetPrinterData(const Text& printer, const Text& valueName, std::string& bytes, DWORD* type,
                             const Text& key) const
{
    std::u16string path = sim::PrinterKeyPath(printer.wide()) + u"\\" + key.wide();
    HKEY opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    DWORD size = 0;
    LONG status = RegQueryValueExW(opened, valueName.wide().c_str(), nullptr, type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        bytes.resize(size);
        status = RegQueryValueExW(opened, valueName.wide().c_str(), nullptr, type,
                                  reinterpret_cast<BYTE*>(bytes.data()), &size);
    }
    RegCloseKey(opened);
    return status == ERROR_SUCCESS;
}

std::vector<std::u16string> Machine::Printers() const
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::vector<std::u16string> names;
    for (const auto& printer : spooler.printers) {
        names.push_back(printer.spec.name);
    }
    return names;
}

void Machine::RefuseDocuments(const Text& printer, DWORD error)
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    if (sim::PrinterRecord* record = sim::FindPrinter(printer.wide())) {
        record->documentError = error;
    }
}

PortStatus Machine::GetPortStatus(const Text& port) const
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    auto found = spooler.portStatus.find(port.wide());
    return found == spooler.portStatus.end() ? PortStatus() : found->second;
}

DWORD Machine::QueueJob(const Text& printer, const Text& documentName)
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    SpoolerJob job{spooler.nextJobId++, printer.wide(), documentName.wide(), {}, u"RAW", {}, 1, true, false};
    spooler.jobs.push_back(job);
    return job.id;
}

void Machine::SetJobPrinting(DWORD jobId, bool printing)
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    for (SpoolerJob& job : spooler.jobs) {
        if (job.id == jobId) {
            job.printing = printing;
        }
    }
}

std::vector<SpoolerJob> Machine::Jobs() const
{
    sim::SpoolerState& spooler = sim::Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    return spooler.jobs;
}

void Machine::FailCalls(const std::string& function, DWORD error, int times)
{
    sim::InjectFailure(function, error, times);
}

void Machine::ClearFailures()
{
    sim::ClearInjectedFailures();
}

std::vector<std::u16string> Machine::DebugOutput() const
{
    return ReadDebugJournal();
}

std::vector<MessageBoxCall> Machine::MessageBoxes() const
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    std::vector<MessageBoxCall> calls;
    for (const auto& record : state.messageBoxes) {
        calls.push_back({record.owner, record.text, record.caption, record.type});
    }
    return calls;
}

std::vector<ProcessStart> Machine::ProcessesStarted() const
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    std::vector<ProcessStart> starts;
    for (const auto& record : state.processes) {
        starts.push_back({record.applicationName, record.commandLine, record.currentDirectory,
                          record.creationFlags, record.startupInfoSize});
    }
    return starts;
}

void Machine::ClearJournals()
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    ClearDebugJournal();
    state.messageBoxes.clear();
    state.processes.clear();
}

void Machine::SetSystemTime(const SYSTEMTIME& utc)
{
    sim::SetClockUtc(utc);
}

void Machine::SetTimeZoneBias(LONG minutesEastOfUtc)
{
    sim::SetClockBias(minutesEastOfUtc);
}

void Machine::SetShortDateFormat(LCID locale, const Text& picture)
{
    sim::SetShortDatePattern(locale, picture.wide());
}

ULONGLONG Machine::SleptOnThisThread()
{
    return sim::SleptOnThisThread();
}

void Machine::AdvanceClock(DWORD milliseconds)
{
    sim::AdvanceClock(milliseconds);
}

}  // namespace nirasim
