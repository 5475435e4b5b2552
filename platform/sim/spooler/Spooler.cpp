// Printers and drivers: OpenPrinterW with access rights a test can refuse, printer and driver
// information at the levels the driver reads, and the driver directory.
#include "core/Failures.h"
#include "spooler/Spooler.h"

#include "core/MachineState.h"
#include "core/Wide.h"
#include "spooler/RecordPacker.h"

#include <algorithm>

namespace nirasim::sim {

const char16_t* const kEnvironment = u"Windows x64";
const char16_t* const kPrintersKey = u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
const char16_t* const kPrinterDataKey = u"PrinterDriverData";

namespace {

constexpr DWORD kDriverVersion = 3;
constexpr DWORD kPrinterInfo1Flags = 0x00800000;  // PRINTER_ENUM_ICON8: a printer

ResetHook resetSpooler([] {
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    spooler.drivers.clear();
    spooler.printers.clear();
    spooler.jobs.clear();
    spooler.nextJobId = 1;
    spooler.portStatus.clear();
    spooler.portStatusHistory.clear();
    spooler.userForms.clear();
    spooler.userFormNames.clear();
});

ACCESS_MASK MapPrinterRights(ACCESS_MASK desired)
{
    ACCESS_MASK rights = desired & ~(GENERIC_ALL | GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE);
    if (desired & GENERIC_ALL) {
        rights |= PRINTER_ALL_ACCESS;
    }
    if (desired & (GENERIC_READ | GENERIC_EXECUTE | GENERIC_WRITE)) {
        rights |= PRINTER_ACCESS_USE | READ_CONTROL;
    }
    return rights == 0 ? PRINTER_ACCESS_USE : rights;
}

const std::u16string* OrNull(const std::u16string& text)
{
    return text.empty() ? nullptr : &text;
}

void PackPrinter(RecordPacker& packer, const PrinterRecord& printer, DWORD level)
{
    const PrinterSpec& spec = printer.spec;
    switch (level) {
    case 1: {
        PRINTER_INFO_1W info{};
        info.Flags = kPrinterInfo1Flags;
        size_t at = packer.AddRecord(info);
        packer.PointAt(at + offsetof(PRINTER_INFO_1W, pDescription),
                       spec.name + u"," + spec.driverName + u"," + spec.location);
        packer.PointAt(at + offsetof(PRINTER_INFO_1W, pName), &spec.name);
        packer.PointAt(at + offsetof(PRINTER_INFO_1W, pComment), &spec.comment);
        break;
    }
    case 2: {
        PRINTER_INFO_2W info{};
        info.Attributes = spec.attributes;
        info.Priority = 1;
        info.DefaultPriority = 1;
        size_t at = packer.AddRecord(info);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pServerName), OrNull(spec.serverName));
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pPrinterName), &spec.name);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pShareName), &spec.shareName);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pPortName), &spec.portName);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pDriverName), &spec.driverName);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pComment), &spec.comment);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pLocation), &spec.location);
        static const std::u16string empty;
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pSepFile), &empty);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pPrintProcessor), &spec.printProcessor);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pDatatype), &spec.dataType);
        packer.PointAt(at + offsetof(PRINTER_INFO_2W, pParameters), &empty);
        break;
    }
    case 4: {
        PRINTER_INFO_4W info{};
        info.Attributes = spec.attributes;
        size_t at = packer.AddRecord(info);
        packer.PointAt(at + offsetof(PRINTER_INFO_4W, pPrinterName), &spec.name);
        packer.PointAt(at + offsetof(PRINTER_INFO_4W, pServerName), OrNull(spec.serverName));
        break;
    }
    case 5: {
        PRINTER_INFO_5W info{};
        info.Attributes = spec.attributes;
        info.DeviceNotSelectedTimeout = 15000;
        info.TransmissionRetryTimeout = 45000;
        size_t at = packer.AddRecord(info);
        packer.PointAt(at + offsetof(PRINTER_INFO_5W, pPrinterName), &spec.name);
        packer.PointAt(at + offsetof(PRINTER_INFO_5W, pPortName), &spec.portName);
        break;
    }
    }
}

bool KnownPrinterLevel(DWORD level)
{
    return level == 1 || level == 2 || level == 4 || level == 5;
}

std::u16string MultiString(const std::vector<std::u16string>& names)
{
    std::u16string packed;
    for (const auto& name : names) {
        packed += name;
        packed.push_back(0);
    }
    return packed;  // the packer adds the closing terminator
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// "<printer>,Job <id>" names a job of the printer: cuts the name to the printer's and gives the
// id (0 for a plain printer name). False when the job part is malformed or names no queued job.
bool SplitJobName(std::u16string& name, DWORD& jobId)
{
    jobId = 0;
    size_t comma = name.rfind(u',');
    if (comma == std::u16string::npos) {
        return true;
    }
    std::u16string rest = name.substr(comma + 1);
    size_t start = rest.find_first_not_of(u' ');
    if (start == std::u16string::npos || !EqualNoCase(rest.substr(start, 4), u"Job ")) {
        return true;  // a printer name with a comma
    }
    std::u16string digits = rest.substr(start + 4);
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of(u"0123456789") != std::u16string::npos) {
        return false;
    }
    jobId = static_cast<DWORD>(std::stoul(Utf8FromWide(digits)));
    name.erase(comma);
    for (const auto& job : Spooler().jobs) {
        if (job.id == jobId && !job.deleted && EqualNoCase(job.printer, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

SpoolerState& Spooler()
{
    static auto* spooler = new SpoolerState;
    return *spooler;
}

std::shared_ptr<PrinterHandle> PrinterHandleOf(HANDLE handle)
{
    auto printer = LookUpHandleAs<PrinterHandle>(handle);
    if (!printer) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    if (!printer->printer.empty() && FindPrinter(printer->printer) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);  // the printer went away
        return nullptr;
    }
    return printer;
}

PrinterRecord* FindPrinter(const std::u16string& name)
{
    for (auto& printer : Spooler().printers) {
        if (EqualNoCase(printer.spec.name, name)) {
            return &printer;
        }
    }
    return nullptr;
}

const DriverSpec* FindDriver(const std::u16string& name)
{
    for (auto& driver : Spooler().drivers) {
        if (EqualNoCase(driver.name, name)) {
            return &driver;
        }
    }
    return nullptr;
}

void AddDriverRecord(const DriverSpec& spec)
{
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    auto& drivers = spooler.drivers;
    drivers.erase(
        std::remove_if(drivers.begin(), drivers.end(),
                       [&](const DriverSpec& driver) { return EqualNoCase(driver.name, spec.name); }),
        drivers.end());
    drivers.push_back(spec);
}

void AddPrinterRecord(const PrinterSpec& spec)
{
    {
        SpoolerState& spooler = Spooler();
        std::lock_guard<std::recursive_mutex> guard(spooler.lock);
        if (PrinterRecord* existing = FindPrinter(spec.name)) {
            existing->spec = spec;
        } else {
            spooler.printers.push_back({spec, 0});
        }
    }
    // The printer's key, with the values the spooler keeps there.
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, PrinterKeyPath(spec.name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        auto setText = [&](const char16_t* name, const std::u16string& value) {
            RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
        };
        setText(u"Name", spec.name);
        setText(u"Port", spec.portName);
        setText(u"Printer Driver", spec.driverName);
        setText(u"Print Processor", spec.printProcessor);
        setText(u"Datatype", spec.dataType);
        RegSetValueExW(key, u"Attributes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&spec.attributes),
                       sizeof(DWORD));
        HKEY data;
        if (RegCreateKeyExW(key, kPrinterDataKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &data, nullptr) ==
            ERROR_SUCCESS) {
            RegCloseKey(data);
        }
        RegCloseKey(key);
    }
}

std::u16string PrinterKeyPath(const std::u16string& printer)
{
    std::u16string name = printer;
    std::replace(name.begin(), name.end(), u'\\', u',');  // as the spooler stores connections
    return std::u16string(kPrintersKey) + u"\\" + name;
}

std::u16string DriverFilePath(const std::u16string& fileName)
{
    return std::u16string(kDriverDirectory) + u"\\3\\" + fileName;
}

}  // namespace nirasim::sim

using namespace nirasim;
using namespace nirasim::sim;

BOOL WINAPI OpenPrinterW(LPWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault)
{
    NIRASIM_FAIL_IF_INJECTED("OpenPrinterW", FALSE);
    if (phPrinter == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    *phPrinter = nullptr;
    ACCESS_MASK desired = pDefault != nullptr ? pDefault->DesiredAccess : 0;
    auto handle = std::make_shared<PrinterHandle>();
    if (pPrinterName == nullptr || *pPrinterName == 0) {
        handle->granted = desired == 0 ? SERVER_ACCESS_ENUMERATE : desired;
        *phPrinter = AddHandle(handle);
        return TRUE;
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    std::u16string name = pPrinterName;
    DWORD readJob = 0;
    if (!SplitJobName(name, readJob)) {
        return Fail(ERROR_INVALID_PRINTER_NAME);
    }
    PrinterRecord* printer = FindPrinter(name);
    if (printer == nullptr) {
        return Fail(ERROR_INVALID_PRINTER_NAME);
    }
    ACCESS_MASK rights = MapPrinterRights(desired);
    if (rights & printer->refused) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    handle->printer = printer->spec.name;
    handle->granted = rights;
    handle->readJobId = readJob;
    *phPrinter = AddHandle(handle);
    return TRUE;
}

BOOL WINAPI ClosePrinter(HANDLE hPrinter)
{
    if (!LookUpHandleAs<PrinterHandle>(hPrinter)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    RemoveHandle(hPrinter);
    return TRUE;
}

BOOL WINAPI GetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    NIRASIM_FAIL_IF_INJECTED("GetPrinterW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return FALSE;
    }
    if (pcbNeeded == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    if (!KnownPrinterLevel(Level)) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    PrinterRecord* printer = FindPrinter(handle->printer);
    if (printer == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    RecordPacker packer;
    PackPrinter(packer, *printer, Level);
    return packer.Answer(pPrinter, cbBuf, pcbNeeded);
}

BOOL WINAPI SetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD Command)
{
    NIRASIM_FAIL_IF_INJECTED("SetPrinterW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return FALSE;
    }
    if (!(handle->granted & PRINTER_ACCESS_ADMINISTER)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (Level == 0) {
        return TRUE;  // pause, resume and purge have nothing to act on here
    }
    if (Level != 2 || pPrinter == nullptr || Command != 0) {
        return Fail(Level != 2 ? ERROR_INVALID_LEVEL : ERROR_INVALID_PARAMETER);
    }
    const PRINTER_INFO_2W& info = *reinterpret_cast<const PRINTER_INFO_2W*>(pPrinter);
    PrinterSpec spec;
    {
        SpoolerState& spooler = Spooler();
        std::lock_guard<std::recursive_mutex> guard(spooler.lock);
        PrinterRecord* printer = FindPrinter(handle->printer);
        if (printer == nullptr) {
            return Fail(ERROR_INVALID_HANDLE);
        }
        spec = printer->spec;
    }
    auto take = [](std::u16string& field, LPCWSTR value) {
        if (value != nullptr) {
            field = value;
        }
    };
    take(spec.portName, info.pPortName);
    take(spec.driverName, info.pDriverName);
    take(spec.shareName, info.pShareName);
    take(spec.comment, info.pComment);
    take(spec.location, info.pLocation);
    take(spec.printProcessor, info.pPrintProcessor);
    take(spec.dataType, info.pDatatype);
    spec.attributes = info.Attributes;
    AddPrinterRecord(spec);
    return TRUE;
}

BOOL WINAPI EnumPrintersW(DWORD, LPWSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf,
                          LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    if (pcbNeeded == nullptr || pcReturned == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    *pcReturned = 0;
    if (Name != nullptr && *Name != 0) {
        return Fail(ERROR_INVALID_NAME);
    }
    if (!KnownPrinterLevel(Level)) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    // All fixed records first, then the strings.
    RecordPacker packer;
    for (const auto& printer : spooler.printers) {
        PackPrinter(packer, printer, Level);
    }
    if (!packer.Answer(pPrinterEnum, cbBuf, pcbNeeded)) {
        return FALSE;
    }
    *pcReturned = static_cast<DWORD>(spooler.printers.size());
    return TRUE;
}

BOOL WINAPI GetPrinterDriverW(HANDLE hPrinter, LPWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                              DWORD cbBuf, LPDWORD pcbNeeded)
{
    NIRASIM_FAIL_IF_INJECTED("GetPrinterDriverW", FALSE);
    auto handle = PrinterHandleOf(hPrinter);
    if (!handle) {
        return FALSE;
    }
    if (pcbNeeded == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    if (Level < 1 || Level > 3) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    SpoolerState& spooler = Spooler();
    std::lock_guard<std::recursive_mutex> guard(spooler.lock);
    PrinterRecord* printer = FindPrinter(handle->printer);
    const DriverSpec* driver = printer ? FindDriver(printer->spec.driverName) : nullptr;
    if (driver == nullptr ||
        (pEnvironment != nullptr && !EqualNoCase(WideFrom(pEnvironment), kEnvironment))) {
        return Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
    }
    auto file = [](const std::u16string& name) {
        return name.empty() ? std::u16string() : DriverFilePath(name);
    };

    RecordPacker packer;
    if (Level == 1) {
        size_t at = packer.AddRecord(DRIVER_INFO_1W{});
        packer.PointAt(at + offsetof(DRIVER_INFO_1W, pName), &driver->name);
    } else {
        DRIVER_INFO_3W info{};
        info.cVersion = kDriverVersion;
        size_t at = Level == 2 ? packer.AddRecord(DRIVER_INFO_2W{kDriverVersion, nullptr, nullptr, nullptr,
                                                                 nullptr, nullptr})
                               : packer.AddRecord(info);
        packer.PointAt(at + offsetof(DRIVER_INFO_3W, pName), &driver->name);
        packer.PointAt(at + offsetof(DRIVER_INFO_3W, pEnvironment), std::u16string(kEnvironment));
        packer.PointAt(at + offsetof(DRIVER_INFO_3W, pDriverPath), file(driver->driverFile));
        packer.PointAt(at + offsetof(DRIVER_INFO_3W, pDataFile), file(driver->dataFile));
        packer.PointAt(at + offsetof(DRIVER_INFO_3W, pConfigFile), file(driver->configFile));
        if (Level == 3) {
            std::vector<std::u16string> dependents;
            for (const auto& name : driver->dependentFiles) {
                dependents.push_back(DriverFilePath(name));
            }
            packer.PointAt(at + offsetof(DRIVER_INFO_3W, pHelpFile), file(driver->helpFile));
            packer.PointAt(at + offsetof(DRIVER_INFO_3W, pDependentFiles), MultiString(dependents));
            packer.PointAt(at + offsetof(DRIVER_INFO_3W, pMonitorName), &driver->monitorName);
            packer.PointAt(at + offsetof(DRIVER_INFO_3W, pDefaultDataType), &driver->defaultDataType);
        }
    }
    return packer.Answer(pDriverInfo, cbBuf, pcbNeeded);
}

BOOL WINAPI GetPrinterDriverDirectoryW(LPWSTR pName, LPWSTR pEnvironment, DWORD Level,
                                       LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded)
{
    NIRASIM_FAIL_IF_INJECTED("GetPrinterDriverDirectoryW", FALSE);
    if (pcbNeeded == nullptr) {
        return Fail(RPC_X_NULL_REF_POINTER);
    }
    if (pName != nullptr && *pName != 0) {
        return Fail(ERROR_INVALID_PARAMETER);  // only the local machine's spooler is here
    }
    if (Level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    if (pEnvironment != nullptr && *pEnvironment != 0 && !EqualNoCase(WideFrom(pEnvironment), kEnvironment)) {
        return Fail(ERROR_INVALID_ENVIRONMENT);
    }
    std::u16string directory = kDriverDirectory;
    DWORD needed = static_cast<DWORD>((directory.size() + 1) * sizeof(WCHAR));
    *pcbNeeded = needed;
    if (pDriverDirectory == nullptr || cbBuf < needed) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(pDriverDirectory, directory.c_str(), needed);
    return TRUE;
}
