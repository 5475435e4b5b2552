// "preview": numbered pages printed with a preview pass on Windows 5.1, where the print processor
// shows niraprev's window in the spooler itself. The user (played when the window is idle) looks
// at the sheets at Whole Page and Two Pages, each saved as a PNG, and answers Print or Cancel;
// the job shows the window's title and status, and whether the printing pass ran.
#include "host/EmfDocument.h"
#include "host/HostJob.h"
#include "host/OutFolder.h"
#include "host/RenderChoices.h"

#include <commctrl.h>
#include <nirasim/PrintJobs.h>
#include <nirasim/Windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kInProcessMajorVersion = 5;
constexpr DWORD kInProcessMinorVersion = 1;
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
    PreviewUser(std::string out, bool print) : m_out(std::move(out)), m_print(print) {}
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
        } views[] = {{kWholePage, "preview-whole-page.png"}, {kTwoPages, "preview-two-pages.png"}};
        for (const auto& view : views) {
            SendMessageW(frame, WM_COMMAND, view.command, 0);
            std::string path = m_out + "/" + view.name;
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
    bool m_print;
    bool m_done = false;
};

int RunPreview(HostMachine& host, const std::vector<std::string>& arguments)
{
    PreviewOptions options = ParseOptions(arguments);
    if (!options.valid) {
        std::fprintf(stderr, "preview: [--pages 1-%d] [--answer print|cancel] [--out DIR]\n", kMaxPages);
        return 2;
    }
    std::string out = MakeOutFolder(arguments);
    host.machine().SetWindowsVersion(kInProcessMajorVersion, kInProcessMinorVersion);
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
        return 1;
    }
    PreviewUser user(out, options.print);
    nirasim::SetIdleScript([&user] { return user.Act(); });
    nirasim::PrintJobRun run = processor.Run(job);
    nirasim::SetIdleScript(nullptr);
    ChooseRenderSetting(TEXT("PreviewEnabled"), 0);
    HostMachine::Print("EMF job of " + std::to_string(options.pages) +
                       " pages with a preview on Windows 5.1");
    if (!user.Shown()) {
        HostMachine::Print("the preview window did not open");
        return 1;
    }
    HostMachine::Print(run.printed ? "the printing pass ran after the preview"
                                   : "the job ended after the preview pass: nothing printed");
    return run.printed == (options.print ? TRUE : FALSE) ? 0 : 1;
}

}  // namespace

static const HostJobRegistration job{
    {"preview",
     "numbered pages with a preview on Windows 5.1: niraprev's window in the spooler at Whole Page and Two "
     "Pages as PNGs, then the user's answer (--pages N --answer print|cancel --out DIR)",
     65, RunPreview}};
