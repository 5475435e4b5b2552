// The state of the simulated machine that is not kept by one area alone: its root folder, the
// process's identity and the journals that tests read (debug output: nirasim/Runtime.h).
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace nirasim::sim {

struct ProcessIdentity {
    std::u16string userName = u"Tester";
    LANGID uiLanguage = 0x0409;
    LANGID systemLanguage = 0x0409;
    DWORD majorVersion = 10;
    DWORD minorVersion = 0;
    DWORD buildNumber = 19045;
    DWORD elevationType = 1;   // TokenElevationTypeDefault
    bool tokenOpens = true;    // OpenProcessToken succeeds
    bool tokenAnswers = true;  // GetTokenInformation succeeds
    std::u16string processPath = u"C:\\Program Files\\Nira\\nirahost.exe";
    std::u16string currentDirectory = u"C:\\Windows\\System32";
    int messageBoxAnswer = 1;  // IDOK
    bool createProcessSucceeds = true;
    DWORD createProcessError = 2;  // ERROR_FILE_NOT_FOUND when refused
};

struct MessageBoxRecord {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
};

struct ProcessRecord {
    std::u16string applicationName;
    std::u16string commandLine;
    std::u16string currentDirectory;
    DWORD creationFlags;
    DWORD startupInfoSize;
};

struct MachineState {
    std::recursive_mutex lock;
    std::string root;  // host folder that holds the drives
    bool ownsDefaultRoot = false;
    ProcessIdentity process;
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<ProcessRecord> processes;
};

MachineState& State();

// The host folder of the machine's drives; a machine made by no test gets a temporary one.
std::string RootFolder();

// Starts a fresh machine on `root`: every area forgets its state (registry, spooler, modules,
// handles, journals) and the standard folders are made.
void ResetMachine(const std::string& root);

// Areas register what they forget when a fresh machine starts; called in registration order.
struct ResetHook {
    explicit ResetHook(std::function<void()> reset);
};

// Folders every machine has.
extern const char16_t* const kSystemDirectory;   // C:\Windows\System32
extern const char16_t* const kWindowsDirectory;  // C:\Windows
extern const char16_t* const kDriverDirectory;   // C:\Windows\System32\spool\drivers\x64
std::u16string UserProfileDirectory();           // C:\Users\<user>
std::u16string TempDirectory();                  // C:\Users\<user>\AppData\Local\Temp\ (with the separator)

// The account of the process's user: its SID (its hive under HKEY_USERS is HKEY_CURRENT_USER) and
// the domain that LookupAccountNameW names.
extern const char16_t* const kUserSid;
extern const char16_t* const kUserDomain;

}  // namespace nirasim::sim
