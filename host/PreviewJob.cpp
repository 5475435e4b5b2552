// "preview": numbered pages printed with a preview pass on Windows 5.1, where the print processor
// shows niraprev's window in the spooler itself, then on Windows 6.1, where it sends the job to the
// print-UI host, which calls niraevt's preview entry point in the user's session and niraevt shows
// niraprev's window there. The user (played when the window is idle) looks at the sheets at Whole
// Page and Two Pages, each saved as a PNG, and answers Print or Cancel; the job shows the window's
// title and status, what the print-UI host called and answered, and whether the printing pass ran.
#include "host/EmfDocument.h"
#include "host/HostJob.h"
#include "host/OutFolder.h"
#include "host/RenderChoices.h"

#include <commctrl.h>
#include <nirasim/AsyncUI.h>
#include <nirasim/PrintJobs.h>
#include <nirasim/Windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kInProcessMajorVersion = 5;
constexpr DWORD kInProcessMinorVersion = 1;
constexpr DWORD kSessionMajorVersion = 6;
constexpr DWORD kSessionMinorVersion = 1;
constexpr int kDefaultPages = 3;
constexpr int kMaxPages = 50;
constexpr short kDocumentDpi = 300;
constexpr UINT kWholePage = 32;
constexpr UINT kTwoPages = 33;
constexpr UINT kPrint = 38;
constexpr UINT kCancelPrinting = 35;
constexpr int kStatusBarId = 102;

struct PreviewOptions {
    int pages = kDefaultPages;
    bool print = true;
    bool valid = true;
};

PreviewOptions ParseOptions(const std::vector<std::string>& arguments)
{
    PreviewOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool hasValue = i + 1 < arguments.size();
        if (arguments[i] == "--pages" && hasValue) {
            options.pages = std::atoi(arguments[++i].c_str());
        } else if (arguments[i] == "--answer" && hasValue) {
            options.print = arguments[++i] == "print";
        } else if (arguments[i] == "--out" && hasValue) {
            ++i;
        } else {
            options.valid = false;
        }
    }
    options.valid = options.valid && options.pages >= 1 && options.pages <= kMaxPages;
    return options;
}

std::string WindowText(HWND window)
{
    WCHAR text[256] = {};
    GetWindowTextW(window, text, 256);
    return nirasim::Utf8(text);
}

// The user: each view saved as a picture, then the answer.
class PreviewUser {
public:
    PreviewUser(std::string out, std::string prefix, bool print)
        : m_out(std::move(out)), m_prefix(std::move(prefix)), m_print(print)
    {}
    bool Act()
    {
        HWND frame = GetForegroundWindow();
        if (m_done || frame == nullptr) {
            return false;
        }
        m_done = true;
        HostMachine::Print("preview window \"" + WindowText(frame) + "\"");
        const struct {
            UINT command;
            const char* name;
        } views[] = {{kWholePage, "whole-page.png"}, {kTwoPages, "two-pages.png"}};
        for (const auto& view : views) {
            SendMessageW(frame, WM_COMMAND, view.command, 0);
            std::string path = m_out + "/" + m_prefix + view.name;
            bool saved = nirasim::SaveDialogPicture(frame, path);
            HostMachine::Print(
                std::string("  ") + (saved ? "picture: " + path : "no picture for " + path) + ", status \"" +
                nirasim::Utf8(nirasim::StatusText(GetDlgItem(frame, kStatusBarId), 0)) + "\" / \"" +
                nirasim::Utf8(nirasim::StatusText(GetDlgItem(frame, kStatusBarId), 1)) + "\"");
        }
        HostMachine::Print(m_print ? "  the user chooses Print" : "  the user chooses Cancel Printing");
        SendMessageW(frame, WM_COMMAND, m_print ? kPrint : kCancelPrinting, 0);
        return true;
    }
    bool Shown() const { return m_done; }

private:
    std::string m_out;
    std::string m_prefix;
    bool m_print;
    bool m_done = false;
};

// One job with a preview on the given Windows version; true when the window opened and the
// printing pass ran as the user answered.
bool PrintWithPreview(HostMachine& host, const PreviewOptions& options, const std::string& out, DWORD major,
                      DWORD minor, const std::string& prefix)
{
    host.machine().SetWindowsVersion(major, minor);
    ChooseRenderSetting(TEXT("PreviewEnabled"), 1);
    DEVMODEW devmode = {};
    devmode.dmSize = sizeof(devmode);
    devmode.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    devmode.dmOrientation = DMORIENT_PORTRAIT;
    devmode.dmPaperSize = DMPAPER_LETTER;
    devmode.dmPrintQuality = kDocumentDpi;
    devmode.dmYResolution = kDocumentDpi;
    std::string devmodeBytes(reinterpret_cast<const char*>(&devmode), sizeof(devmode));
    nirasim::PrintJobSpec job;
    job.printer = host.printerName();
    job.datatype = TEXT("NT EMF 1.006");
    job.documentName = TEXT("Numbered pages");
    job.devmode.assign(devmodeBytes.begin(), devmodeBytes.end());
    job.data = NumberedDocument(options.pages, kDocumentDpi, devmodeBytes);
    nirasim::PrintProcessorHost processor;
    if (!processor.Loaded()) {
        HostMachine::Print("the print processor nirapp.dll could not be loaded");
        return false;
    }
    HostMachine::Print("EMF job of " + std::to_string(options.pages) + " pages with a preview on Windows " +
                       std::to_string(major) + "." + std::to_string(minor));
    // From Windows 6 on the print-UI host calls the entry point the request names.
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CallEntryPoint()});
    PreviewUser user(out, prefix, options.print);
    nirasim::SetIdleScript([&user] { return user.Act(); });
    nirasim::PrintJobRun run = processor.Run(job);
    nirasim::asyncui::WaitForHost();
    nirasim::SetIdleScript(nullptr);
    nirasim::asyncui::ScriptReplies({});
    ChooseRenderSetting(TEXT("PreviewEnabled"), 0);
    for (const nirasim::asyncui::Request& request : nirasim::asyncui::Requests()) {
        HostMachine::Print(TEXT("  the print-UI host called ") + request.entryPoint + TEXT(" of ") +
                           request.dll + TEXT(" in the user's session: reply \"") + request.entryPointReply +
                           TEXT("\""));
    }
    if (!user.Shown()) {
        HostMachine::Print("the preview window did not open");
        return false;
    }
    HostMachine::Print(run.printed ? "the printing pass ran after the preview"
                                   : "the job ended after the preview pass: nothing printed");
    return run.printed == (options.print ? TRUE : FALSE);
}

int RunPreview(HostMachine& host, const std::vector<std::string>& arguments)
{
    PreviewOptions options = ParseOptions(arguments);
    if (!options.valid) {
        std::fprintf(stderr, "preview: [--pages 1-%d] [--answer print|cancel] [--out DIR]\n", kMaxPages);
        return 2;
    }
    std::string out = MakeOutFolder(arguments);
    bool inSpooler =
        PrintWithPreview(host, options, out, kInProcessMajorVersion, kInProcessMinorVersion, "preview-");
    bool inSession =
        PrintWithPreview(host, options, out, kSessionMajorVersion, kSessionMinorVersion, "preview-session-");
    return inSpooler && inSession ? 0 : 1;
}

}  // namespace

static const HostJobRegistration job{
    {"preview",
     "numbered pages with a preview on Windows 5.1 (niraprev's window in the spooler) and on Windows 6.1 "
     "(through the print-UI host and niraevt in the user's session) at Whole Page and Two Pages as PNGs, "
     "then "
     "the user's answer (--pages N --answer print|cancel --out DIR)",
     65, RunPreview}};
