// The test-control API of the simulated machine: for tests and the host program, never for the
// driver's own code.
//
// A Machine is the simulated Windows computer the driver's libraries run on. Making one starts a
// fresh machine in a new temporary folder (drives, registry, spooler, modules and journals all
// empty but for the standard folders); destroying it ends the "process" for the libraries (every
// module still loaded sees DLL_PROCESS_DETACH) and removes the folder. One machine at a time.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace nirasim {

// A text given to the machine: UTF-8 (std::string, "...") or UTF-16 (TEXT("..."), u"...").
class Text {
public:
    Text(const char* utf8);
    Text(const std::string& utf8);
    Text(const char16_t* wide);
    Text(const std::u16string& wide);
    const std::u16string& wide() const { return wide_; }
    std::string utf8() const;

private:
    std::u16string wide_;
};

std::string Utf8(const std::u16string& wide);
std::u16string Wide(const std::string& utf8);

struct MessageBoxCall {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
};

struct ProcessStart {
    std::u16string applicationName;
    std::u16string commandLine;
    std::u16string currentDirectory;
    DWORD creationFlags;
    DWORD startupInfoSize;  // the cb the caller passed
};

// A printer driver: its name and files. Files are names inside the driver directory's version
// folder (C:\Windows\System32\spool\drivers\x64\3); the machine answers them as full paths.
struct DriverSpec {
    std::u16string name;
    std::u16string driverFile;  // the rendering DLL (the core driver's)
    std::u16string configFile;  // the UI DLL
    std::u16string dataFile;
    std::u16string helpFile;
    std::vector<std::u16string> dependentFiles;
    std::u16string monitorName;
    std::u16string defaultDataType = u"RAW";
};

// A file's version resource (what GetFileVersionInfoW answers for it).
struct FileVersion {
    WORD fileVersion[4] = {1, 0, 0, 0};  // major, minor, build, revision
    WORD productVersion[4] = {1, 0, 0, 0};
    DWORD fileType = VFT_APP;
    WORD language = 0x0409;
    WORD codePage = 1200;
    std::vector<std::pair<std::u16string, std::u16string>> strings;  // "FileDescription", ...
};

struct PrinterSpec {
    std::u16string name;
    std::u16string portName = u"USB001";
    std::u16string driverName;
    std::u16string serverName;  // empty: a local printer
    std::u16string shareName;
    std::u16string comment;
    std::u16string location;
    std::u16string printProcessor = u"winprint";
    std::u16string dataType = u"RAW";
    DWORD attributes = PRINTER_ATTRIBUTE_LOCAL;
};

// A document the spooler was given (StartDocPrinterW ... EndDocPrinter).
struct SpoolerJob {
    DWORD id;
    std::u16string printer;
    std::u16string documentName;
    std::u16string outputFile;
    std::u16string dataType;
    std::string data;  // the bytes written
    DWORD pages;
    bool ended;             // EndDocPrinter was called
    bool aborted;           // AbortPrinter was called
    DWORD status = 0;       // JOB_STATUS_ bits (SetJobW changes them)
    bool deleted = false;   // gone from the queue (JOB_CONTROL_DELETE or _CANCEL)
    bool printing = false;  // at the port: a deleted job stays, being deleted, until its last page
};

// The last status SetPortW (level 3) gave a port.
struct PortStatus {
    DWORD status = 0;
    std::u16string text;
    DWORD severity = 0;
    bool set = false;  // SetPortW has been called for the port
};

class Machine {
public:
    Machine();
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // --- files ---
    const std::string& Root() const { return root_; }
    // The host path of a Windows path on this machine.
    std::string HostPath(const Text& windowsPath) const;
    // Writes a file (making its folders); false when it cannot be written.
    bool WriteFile(const Text& windowsPath, const std::string& bytes);
    bool ReadFile(const Text& windowsPath, std::string& bytes) const;
    bool FileExists(const Text& windowsPath) const;
    // Copies a host file onto the machine (making its folders).
    bool CopyIn(const std::string& hostPath, const Text& windowsPath);
    // Gives a file a version resource (a program, say, which is no module on this machine).
    void SetFileVersion(const Text& windowsPath, const FileVersion& version);
    static std::u16string DriverDirectory();         // C:\Windows\System32\spool\drivers\x64
    static std::u16string DriverVersionDirectory();  // ...\x64\3

    // --- the process ---
    void SetUser(const Text& userName);  // also makes the user's profile and temporary folders
    void SetUILanguage(LANGID language);
    void SetSystemLanguage(LANGID language);
    void SetWindowsVersion(DWORD major, DWORD minor, DWORD build = 0);
    // TOKEN_ELEVATION_TYPE: 1 default, 2 full, 3 limited.
    void SetElevationType(DWORD type);
    void SetTokenFailures(bool openFails, bool queryFails);
    void SetProcessPath(const Text& windowsPath);  // GetModuleFileNameW(NULL)
    void SetCurrentDirectory(const Text& windowsPath);
    void SetMessageBoxAnswer(int answer);  // IDOK unless set
    // CreateProcessW refuses with `error` (ERROR_SUCCESS: succeeds again).
    void SetCreateProcessFailure(DWORD error);

    // --- the spooler ---
    // Registers a driver whose files are already in the driver directory's version folder.
    void InstallDriver(const DriverSpec& driver);
    // Copies the built driver libraries (<buildDir>/bin/*.dll) and the package files
    // (<buildDir>/package/*) into the driver directory's version folder and registers the sample
    // driver; answers its name.
    std::u16string InstallSamplePackage(const std::string& buildDir);
    static DriverSpec SamplePackageDriver();
    void AddPrinter(const PrinterSpec& printer);
    // A printer made with the sample driver, on `port`.
    void AddSamplePrinter(const Text& name, const Text& port = "USB001");
    // The printer-initialise event the spooler sends a new printer's driver (what the driver
    // answers; false without the printer or its configuration module).
    bool InitializePrinter(const Text& name);
    // OpenPrinterW asking for any of `rights` is refused with ERROR_ACCESS_DENIED.
    void RefusePrinterAccess(const Text& printer, ACCESS_MASK rights);
    // Printer data (as SetPrinterDataExW would store it; key "PrinterDriverData" by default).
    void SetPrinterData(const Text& printer, const Text& valueName, DWORD type, const std::string& bytes,
                        const Text& key = "PrinterDriverData");
    void SetPrinterString(const Text& printer, const Text& valueName, const Text& value);
    void SetPrinterDword(const Text& printer, const Text& valueName, DWORD value);
    // The stored bytes; false when absent.
    bool GetPrinterData(const Text& printer, const Text& valueName, std::string& bytes, DWORD* type = nullptr,
                        const Text& key = "PrinterDriverData") const;
    std::vector<std::u16string> Printers() const;
    // StartDocPrinterW on this printer fails with `error` (ERROR_SUCCESS: succeeds again).
    void RefuseDocuments(const Text& printer, DWORD error);
    std::vector<SpoolerJob> Jobs() const;
    PortStatus GetPortStatus(const Text& port) const;
    // Puts a finished document of another program in the printer's queue; answers its job id.
    DWORD QueueJob(const Text& printer, const Text& documentName);
    // The job goes to its port (or leaves it): deleting it then only marks it JOB_STATUS_DELETING
    // until the port monitor reports its last page (JOB_CONTROL_LAST_PAGE_EJECTED), which takes
    // any spooled job out of the queue.
    void SetJobPrinting(DWORD jobId, bool printing);

    // --- injected failures ---
    // The next `times` calls of a platform function, by its Windows name ("GetTempFileNameW",
    // "OpenPrinterW", "RegSetValueExW", "GetPrinterDataW", "LoadLibraryExW", ...), fail with
    // `error`: as the last error for calls that report through it, as the answer for calls that
    // answer an error code. times < 0: every call until cleared. The machine's own set-up calls
    // (printer data, drivers) go through the same functions: inject after the set-up. A name that
    // no simulated function checks is refused with std::invalid_argument (nirasim/InjectedFailures.h
    // fails calls by number).
    void FailCalls(const std::string& function, DWORD error, int times = 1);
    void ClearFailures();

    // --- journals ---
    std::vector<std::u16string> DebugOutput() const;  // OutputDebugString lines, in order
    std::vector<MessageBoxCall> MessageBoxes() const;
    std::vector<ProcessStart> ProcessesStarted() const;
    void ClearJournals();

    // --- the clock ---
    void SetSystemTime(const SYSTEMTIME& utc);
    void SetTimeZoneBias(LONG minutesEastOfUtc);
    // The short date picture GetDateFormatW gives the locale ("d.M.yyyy", "M/d/yyyy", ...).
    void SetShortDateFormat(LCID locale, const Text& picture);
    void AdvanceClock(DWORD milliseconds);
    // What the calling thread's Sleep calls have moved the clock, in milliseconds (other threads'
    // sleeps move the clock too).
    static ULONGLONG SleptOnThisThread();

private:
    std::string root_;
};

}  // namespace nirasim
