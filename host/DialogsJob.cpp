// "dialogs": niraevt's job dialogs as the driver package's components call them, each written as a
// PNG while a scripted user answers it: the job storage notice (its choice stored in the user's
// settings), the manual two-sided printing instructions (modal in the caller's process on
// Windows 5.1, modeless in the user's session through the print-UI host on Windows 6) and the job
// warning (plain on Windows 5.1, the picture form through the print-UI host, and the picture form
// on Windows 5.1 with its choice stored in the user's hive).
#include "host/HostJob.h"
#include "host/OutFolder.h"

#include <nirasim/AsyncUI.h>
#include <nirasim/Runtime.h>
#include <nirasim/Windows.h>

#include <functional>
#include <string>
#include <vector>

#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/JobRequests.h"
#include "package/nirastr/NiraStrTexts.h"

namespace {

typedef void(WINAPI* JobStorageProc)(JobStorageRequest);
typedef void(WINAPI* DisplayDialogProc)(ManualDuplexRequest, DWORD);
typedef DWORD(WINAPI* WarningProc)(HANDLE, JobWarningRequest);

constexpr DWORD kDirectMajorVersion = 5;
constexpr DWORD kDirectMinorVersion = 1;
constexpr DWORD kSessionMajorVersion = 6;
constexpr DWORD kSessionMinorVersion = 1;
constexpr UINT kStep1Bitmap = 401;
constexpr UINT kStep2Bitmap = 402;
constexpr UINT kStep3Bitmap = 403;
constexpr UINT kAttentionBitmap = IDB_WARNING_ATTENTION;
constexpr UINT kPostcardBitmap = IDB_WARNING_POSTCARD;
constexpr int kTextChars = 1024;
const WCHAR kPrinterGuid[] = TEXT("5A0F2B4C-1D2E-4F60-9A7B-8C9D0E1F2A3B");

WString DriverFile(const WString& name)
{
    return nirasim::Machine::DriverVersionDirectory() + TEXT("\\") + name;
}

std::string Text(HWND window)
{
    WCHAR text[kTextChars] = {};
    GetWindowTextW(window, text, kTextChars);
    return nirasim::Utf8(text);
}

// The user of one dialog: the dialog and its texts are shown and saved as a PNG, then `act` answers.
std::function<void(HWND)> User(const std::string& out, const std::string& picture, std::vector<int> texts,
                               std::function<void(HWND)> act)
{
    return [out, picture, texts, act](HWND dialog) {
        HostMachine::Print("  dialog " + std::to_string(nirasim::DialogTemplateOf(dialog)) + " \"" +
                           Text(dialog) + "\"");
        for (int control : texts) {
            HostMachine::Print("    " + std::to_string(control) + ": \"" + Text(GetDlgItem(dialog, control)) +
                               "\"");
        }
        std::string path = out + "/" + picture;
        HostMachine::Print(nirasim::SaveDialogPicture(dialog, path) ? "    picture: " + path
                                                                    : "    no picture");
        act(dialog);
    };
}

void Click(HWND dialog, int control, const char* what)
{
    HostMachine::Print(std::string("    the user clicks ") + what);
    nirasim::Click(GetDlgItem(dialog, control));
}

std::string StoredByte(HKEY root, const WString& key, const WString& value)
{
    BYTE byte = 0;
    DWORD size = sizeof(byte);
    DWORD type = 0;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return "nothing stored";
    }
    LONG read = RegQueryValueExW(opened, value.c_str(), nullptr, &type, &byte, &size);
    RegCloseKey(opened);
    return read == ERROR_SUCCESS && type == REG_BINARY ? "byte " + std::to_string(byte) : "nothing stored";
}

void JobStorage(HMODULE niraevt, const std::string& out)
{
    auto show = reinterpret_cast<JobStorageProc>(
        reinterpret_cast<void*>(GetProcAddress(niraevt, "VJobStorageDialog")));
    JobStorageRequest request = {};
    lstrcpynW(request.userName, TEXT("Alice"), kJobNameChars);
    lstrcpynW(request.jobName, TEXT("Report"), kJobNameChars);
    lstrcpynW(request.locationLine1, TEXT("Printer hard disk"), kLocationChars);
    lstrcpynW(request.locationLine2, TEXT("Folder: Alice"), kLocationChars);
    lstrcpynW(request.locationLine3, TEXT("Release the job at the printer's panel"), kLocationChars);
    lstrcpynW(request.settingsSubKey, TEXT("JobStorage"), kSettingsSubKeyChars);
    request.numberingFlag1 = request.numberingFlag2 = 1;
    lstrcpynW(request.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(), kRequestPathChars);
    HostMachine::Print("job storage notice (VJobStorageDialog, on a thread of its own)");
    nirasim::SetDialogScript(User(out, "job-storage.png",
                                  {IDC_STORAGE_HEADER, IDC_STORAGE_LINE1, IDC_STORAGE_USER, IDC_STORAGE_JOB},
                                  [](HWND dialog) {
                                      Click(dialog, IDC_STORAGE_DONT_SHOW, "\"do not show\"");
                                      Click(dialog, IDOK, "OK");
                                  }));
    show(request);
    nirasim::WaitForStartedThreads();
    HostMachine::Print("  HKCU\\Software\\Norvell-Ashby\\JobStorage \"ShowJobStorageDlg\": " +
                       StoredByte(HKEY_CURRENT_USER, TEXT("Software\\Norvell-Ashby\\JobStorage"),
                                  TEXT("ShowJobStorageDlg")));
}

ManualDuplexRequest DuplexRequest(HANDLE printer, DWORD modal)
{
    ManualDuplexRequest request = {};
    lstrcpynW(request.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(), kManualDuplexStringPathChars);
    lstrcpynW(request.pictureDllPath, DriverFile(TEXT("nirares.dll")).c_str(), kRequestPathChars);
    request.step1BitmapId = kStep1Bitmap;
    request.step1TextId = NIRASTR_ID_REMOVE_STACK;
    request.step2BitmapId = kStep2Bitmap;
    request.step2TextId = NIRASTR_ID_TURN_STACK;
    request.step3BitmapId = kStep3Bitmap;
    request.step3TextId = NIRASTR_ID_JOINED_LOAD_STACK;
    request.modal = modal;
    request.printer = printer;
    return request;
}

// What the print-UI host did with the latest request.
void PrintHostRequest()
{
    std::vector<nirasim::asyncui::Request> requests = nirasim::asyncui::Requests();
    if (requests.empty()) {
        HostMachine::Print("  no request reached the print-UI host");
        return;
    }
    const nirasim::asyncui::Request& request = requests.back();
    HostMachine::Print(TEXT("  the print-UI host called ") + request.entryPoint + TEXT(" of ") + request.dll +
                       TEXT(" with the record: reply \"") + request.entryPointReply + TEXT("\""));
}

void ManualDuplex(HostMachine& host, HMODULE niraevt, HANDLE printer, const std::string& out)
{
    auto show = reinterpret_cast<DisplayDialogProc>(
        reinterpret_cast<void*>(GetProcAddress(niraevt, "VDisplayDialog")));
    std::vector<int> texts = {IDC_DUPLEX_HEADING, IDC_DUPLEX_STEP1_TEXT, IDC_DUPLEX_STEP3_TEXT, IDOK};
    host.machine().SetWindowsVersion(kDirectMajorVersion, kDirectMinorVersion);
    HostMachine::Print(
        "manual two-sided printing, modal, Windows 5.1 (VDisplayDialog in the caller's process)");
    nirasim::SetDialogScript(
        User(out, "manual-duplex-modal.png", texts, [](HWND dialog) { Click(dialog, IDOK, "Continue"); }));
    show(DuplexRequest(printer, 1), 1);
    HostMachine::Print("  VDisplayDialog returned after the dialog closed");

    host.machine().SetWindowsVersion(kSessionMajorVersion, kSessionMinorVersion);
    HostMachine::Print("manual two-sided printing, modeless, Windows 6.1 (through the print-UI host)");
    nirasim::SetDialogScript(
        User(out, "manual-duplex-modeless.png", texts, [](HWND dialog) { Click(dialog, IDOK, "OK"); }));
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CallEntryPoint()});
    show(DuplexRequest(printer, 0), 1);
    nirasim::asyncui::WaitForHost();
    nirasim::WaitForStartedThreads();
    PrintHostRequest();
}

JobWarningRequest WarningRequest(const WString& media, const WString& message, UINT bitmap,
                                 int pictureControl)
{
    JobWarningRequest request = {};
    request.captionId = NIRASTR_ID_PRINTING_NOTICE;
    request.kind = 1;
    lstrcpynW(request.message, message.c_str(), kWarningMessageChars);
    request.thirdButtonTextId = NIRASTR_ID_PRINT_ANYWAY;
    request.showCheckBox = 1;
    lstrcpynW(request.mediaName, media.c_str(), kWarningNameChars);
    lstrcpynW(request.userName, TEXT("Tester"), kWarningNameChars);
    request.okTextId = NIRASTR_ID_OK;
    request.cancelTextId = NIRASTR_ID_CANCEL;
    request.pictureControlId = static_cast<DWORD>(pictureControl);
    request.bitmapId = bitmap;
    lstrcpynW(request.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(), kRequestPathChars);
    return request;
}

void JobWarning(HostMachine& host, HMODULE niraevt, HANDLE printer, const std::string& out)
{
    auto show =
        reinterpret_cast<WarningProc>(reinterpret_cast<void*>(GetProcAddress(niraevt, "IShowWarningDialog")));
    const WString plainText = TEXT("The paper in the tray does not match the paper size of the document.");
    const WString postcardText = TEXT("Load the postcards into the main tray with the address side down.");
    std::vector<int> texts = {IDC_WARNING_MESSAGE, IDOK, IDCANCEL, IDC_WARNING_THIRD, IDC_WARNING_DONT_SHOW};

    // The session's road first: a warning shown in this process before would lend it its printer.
    host.machine().SetWindowsVersion(kSessionMajorVersion, kSessionMinorVersion);
    HostMachine::Print("job warning, picture form, Windows 6.1 (through the print-UI host)");
    nirasim::SetDialogScript(
        User(out, "job-warning-picture.png", {IDC_WARNING_MESSAGE, IDC_WARNING_PICTURE_OK}, [](HWND dialog) {
            Click(dialog, IDC_WARNING_DONT_SHOW, "\"do not show\"");
            Click(dialog, IDC_WARNING_PICTURE_OK, "OK of the picture form");
        }));
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CallEntryPoint()});
    DWORD answered = show(printer, WarningRequest(TEXT("HagakiPrinting"), postcardText, kPostcardBitmap,
                                                  IDC_WARNING_PICTURE_FRAME));
    nirasim::asyncui::WaitForHost();
    PrintHostRequest();
    HostMachine::Print("  returned " + std::to_string(answered));
    const WString sid = TEXT("S-1-5-21-3623811015-3361044348-30300820-1001");
    const WString makerKey = sid + TEXT("\\Software\\Norvell-Ashby");
    HostMachine::Print(TEXT("  HKEY_USERS\\") + makerKey + TEXT(" \"Tester\": ") +
                       nirasim::Wide(StoredByte(HKEY_USERS, makerKey, TEXT("Tester"))));
    host.machine().SetWindowsVersion(kDirectMajorVersion, kDirectMinorVersion);
    HostMachine::Print("job warning, Windows 5.1 (IShowWarningDialog in the caller's process)");
    nirasim::SetDialogScript(User(out, "job-warning.png", texts,
                                  [](HWND dialog) { Click(dialog, IDC_WARNING_THIRD, "Print Anyway"); }));
    HostMachine::Print("  returned " +
                       std::to_string(show(printer, WarningRequest(TEXT("Plain"), plainText, kAttentionBitmap,
                                                                   IDC_WARNING_PICTURE_AREA))));

    // In the caller's process the printer's GUID names the key.
    const WString guid = kPrinterGuid;
    host.machine().SetPrinterData(
        host.printerName(), TEXT("ZQRestrictedUserGuid"), REG_SZ,
        std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * sizeof(WCHAR)),
        TEXT("ZQPresetRoot"));
    host.machine().SetWindowsVersion(kDirectMajorVersion, kDirectMinorVersion);
    HostMachine::Print("job warning, picture form, Windows 5.1, a message of 151 characters");
    nirasim::SetDialogScript(
        User(out, "job-warning-picture-grown.png", {IDC_WARNING_MESSAGE}, [](HWND dialog) {
            Click(dialog, IDC_WARNING_DONT_SHOW, "\"do not show\"");
            Click(dialog, IDC_WARNING_PICTURE_OK, "OK of the picture form");
        }));
    WString longText = postcardText + TEXT(" ") + WString(151 - postcardText.size() - 1, TEXT('.'));
    HostMachine::Print(
        "  returned " +
        std::to_string(show(printer, WarningRequest(TEXT("HagakiPrinting"), longText, kPostcardBitmap,
                                                    IDC_WARNING_PICTURE_FRAME))));
    const WString guidKey = makerKey + TEXT("\\") + guid + TEXT("\\HagakiMedia");
    HostMachine::Print(TEXT("  HKEY_USERS\\") + guidKey + TEXT(" \"Tester\": ") +
                       nirasim::Wide(StoredByte(HKEY_USERS, guidKey, TEXT("Tester"))));
}

int RunDialogs(HostMachine& host, const std::vector<std::string>& arguments)
{
    std::string out = MakeOutFolder(arguments);
    HMODULE niraevt = LoadLibraryW(DriverFile(TEXT("niraevt.dll")).c_str());
    HANDLE printer = nullptr;
    if (niraevt == nullptr ||
        !OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        HostMachine::Print("niraevt.dll or the printer could not be opened");
        return 1;
    }
    JobStorage(niraevt, out);
    ManualDuplex(host, niraevt, printer, out);
    JobWarning(host, niraevt, printer, out);
    nirasim::SetDialogScript(nullptr);
    ClosePrinter(printer);
    FreeLibrary(niraevt);
    return 0;
}

}  // namespace

static const HostJobRegistration job{
    {"dialogs",
     "niraevt's job dialogs as PNGs with a scripted user: job storage, manual two-sided printing (modal "
     "here, "
     "modeless through the print-UI host) and job warnings (plain, picture form) with what each returned or "
     "stored (--out DIR)",
     66, RunDialogs}};
