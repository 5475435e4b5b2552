// Job "print": prints a file through the print processor as the spooler does. `print --raw FILE`
// shows the bytes that reach the printer's port; `print --text FILE` prints the file as text and
// writes one PNG per page into the output folder (--out DIR, by default nirahost-out/).
// `print --text` without a file prints a short sample text. Without --raw or --text, a document of
// numbered pages (--pages N, 4 by default) goes through the EMF road with the printer's settings or
// --nup N, --order 1|2|3, --copies N, --collate, --duplex long|short, --booklet, --reverse: one PNG per sheet
// side and the placement journal as text. --preview print|cancel runs a preview pass first and
// answers the preview as the user would (Windows 6: through the print-UI host).
#include "host/EmfDocument.h"
#include "host/HostJob.h"
#include "host/MonitorDelivery.h"
#include "host/PreviewReport.h"
#include "host/RenderChoices.h"

#include <nirasim/Emf.h>
#include <nirasim/Gdi.h>
#include <nirasim/PrintJobs.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr size_t kShownBytes = 256;
const char kSampleText[] =
    "Nira sample text page\r\n"
    "\r\n"
    "Columns:\tone\ttwo\tthree\r\n"
    "A line long enough to wrap at the right edge of the page shows how the print processor breaks "
    "lines that do not fit, and where the tab stops of a wrapped line lie.\r\n";

struct PrintOptions {
    bool emf = true;
    int pages = 4;
    int nup = 1;
    bool collate = false;
    short duplex = DMDUP_SIMPLEX;
    bool booklet = false;
    bool reverse = false;
    int order = 0;  // n-up direction 1 to 3; 0 the natural order
    bool raw = false;
    std::string file;
    std::string out = "nirahost-out";
    std::string copies;
    std::string preview;  // "print" or "cancel"; empty: no preview
    bool valid = true;
};

PrintOptions ParseOptions(const std::vector<std::string>& arguments)
{
    PrintOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if ((argument == "--raw" || argument == "--text") && hasValue) {
            options.emf = false;
            options.raw = argument == "--raw";
            options.file = arguments[++i];
        } else if (argument == "--text") {
            options.emf = false;
        } else if (argument == "--pages" && hasValue) {
            options.pages = std::atoi(arguments[++i].c_str());
        } else if (argument == "--nup" && hasValue) {
            options.nup = std::atoi(arguments[++i].c_str());
        } else if (argument == "--collate") {
            options.collate = true;
        } else if (argument == "--duplex" && hasValue) {
            options.duplex = arguments[++i] == "short" ? DMDUP_HORIZONTAL : DMDUP_VERTICAL;
        } else if (argument == "--booklet") {
            options.booklet = true;
        } else if (argument == "--reverse") {
            options.reverse = true;
        } else if (argument == "--order" && hasValue) {
            options.order = std::atoi(arguments[++i].c_str());
        } else if (argument == "--out" && hasValue) {
            options.out = arguments[++i];
        } else if (argument == "--copies" && hasValue) {
            options.copies = arguments[++i];
        } else if (argument == "--preview" && hasValue &&
                   (arguments[i + 1] == "print" || arguments[i + 1] == "cancel")) {
            options.preview = arguments[++i];
        } else {
            std::fprintf(stderr, "print: unknown argument %s\n", argument.c_str());
            options.valid = false;
        }
    }
    return options;
}

bool ReadHostFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The bytes as text where they are printable, escaped where not.
std::string Shown(const std::string& bytes)
{
    std::string shown;
    for (size_t i = 0; i < bytes.size() && i < kShownBytes; ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02X", byte);
            shown += escaped;
        }
    }
    return bytes.size() > kShownBytes ? shown + "..." : shown;
}

int ReportRun(const nirasim::PrintJobRun& run)
{
    if (!run.opened) {
        HostMachine::Print("the print processor refused the job (error " + std::to_string(run.openError) +
                           ")");
        return 1;
    }
    HostMachine::Print(std::string("print processor: ") + (run.printed ? "printed" : "failed") +
                       (run.printed ? "" : " (error " + std::to_string(run.printError) + ")"));
    return run.printed ? 0 : 1;
}

constexpr int kMaxPages = 999;
constexpr short kDocumentDpi = 300;
constexpr short kLetterWidthTenthsMm = 2159;
constexpr short kLetterLengthTenthsMm = 2794;
constexpr DWORD kReversePrint = 0x1;  // REVERSE_PRINT
constexpr DWORD kBookletPrint = 0x2;  // BOOKLET_PRINT

std::string Rect(const RECT& r)
{
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "}";
}

std::string Turn(const XFORM& x)
{
    if (x.eM11 == 1 && x.eM22 == 1) {
        return "0";
    }
    if (x.eM11 == 0) {
        return x.eM12 < 0 ? "90" : "-90";
    }
    return "179.9";
}

void PrintJournal()
{
    int side = 0;
    for (const nirasim::SheetSideRecord& record : nirasim::PlacementJournal()) {
        ++side;
        HostMachine::Print(
            "side " + std::to_string(side) + " (copies " + std::to_string(record.copies) + ", duplex " +
            std::to_string(record.duplex) + ")" +
            (record.identityAtStart && record.identityAtEnd ? "" : " WORLD TRANSFORM LEFT SET"));
        for (const nirasim::PlayedPage& page : record.pages) {
            HostMachine::Print(
                "  page " + std::to_string(page.page) + " cell " + Rect(page.document) + " turn " +
                Turn(page.world) + " at (" + std::to_string(static_cast<long>(page.world.eDx)) + "," +
                std::to_string(static_cast<long>(page.world.eDy)) + ")" + (page.played ? "" : " NOT PLAYED"));
        }
    }
}

int RunEmfDocument(HostMachine& host, const PrintOptions& options)
{
    if (options.pages < 1 || options.pages > kMaxPages) {
        std::fprintf(stderr, "print: --pages takes 1 to %d\n", kMaxPages);
        return 2;
    }
    DEVMODEW devmode = {};
    devmode.dmSize = sizeof(devmode);
    devmode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE | DM_DUPLEX;
    devmode.dmOrientation = DMORIENT_PORTRAIT;
    devmode.dmPaperSize = 1;  // Letter, whose size the render module reads for the printable area
    devmode.dmPaperWidth = kLetterWidthTenthsMm;
    devmode.dmPaperLength = kLetterLengthTenthsMm;
    devmode.dmCopies = static_cast<short>(options.copies.empty() ? 1 : std::atoi(options.copies.c_str()));
    devmode.dmCollate = options.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    devmode.dmDuplex = options.duplex;
    devmode.dmPrintQuality = kDocumentDpi;
    devmode.dmYResolution = kDocumentDpi;
    std::string devmodeBytes(reinterpret_cast<const char*>(&devmode), sizeof(devmode));
    nirasim::JobAttributeSettings attributes;
    attributes.pagesPerSide = static_cast<DWORD>(options.nup);
    attributes.jobPageOrder = (options.reverse ? kReversePrint : 0) | (options.booklet ? kBookletPrint : 0);
    nirasim::SetJobAttributes(attributes);
    ChooseRenderSetting(TEXT("Booklet"), options.booklet ? 1 : 0);
    ChooseRenderSetting(TEXT("NupDirection"), static_cast<DWORD>(options.order));
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
    std::error_code error;
    fs::create_directories(options.out, error);
    nirasim::SetPagePictureFolder(fs::absolute(options.out, error).string());
    nirasim::ClearPlacementJournal();
    if (!options.preview.empty()) {
        PreparePreview(host, options.preview == "print");
    }
    nirasim::PrintJobRun run = processor.Run(job);
    nirasim::SetPagePictureFolder(std::string());
    nirasim::SetJobAttributes({});
    HostMachine::Print("EMF job of " + std::to_string(options.pages) + " pages on " +
                       nirasim::Utf8(job.printer));
    int result = ReportRun(run);
    if (!options.preview.empty()) {
        ReportPreview(host, run.spooledJobId, run.printed != FALSE);
        // A cancelled preview ends the job: that is the answer asked for, not a failure.
        result = options.preview == "cancel" && !run.printed ? 0 : result;
    }
    PrintJournal();
    for (const std::string& picture : nirasim::PagePictures()) {
        HostMachine::Print("sheet side picture: " + picture);
    }
    return result;
}

}  // namespace

static int RunPrint(HostMachine& host, const std::vector<std::string>& arguments)
{
    PrintOptions options = ParseOptions(arguments);
    if (!options.valid) {
        return 2;
    }
    if (options.emf) {
        return RunEmfDocument(host, options);
    }
    nirasim::PrintJobSpec job;
    job.printer = host.printerName();
    job.datatype = options.raw ? TEXT("RAW") : TEXT("TEXT");
    job.documentName = options.file.empty() ? TEXT("Sample text") : nirasim::Wide(options.file);
    if (!options.copies.empty()) {
        job.parameters = TEXT("COPIES=") + nirasim::Wide(options.copies) + TEXT(";");
    }
    if (options.file.empty()) {
        job.data = kSampleText;
    } else if (!ReadHostFile(options.file, job.data)) {
        std::fprintf(stderr, "print: cannot read %s\n", options.file.c_str());
        return 1;
    }
    nirasim::PrintProcessorHost processor;
    if (!processor.Loaded()) {
        HostMachine::Print("the print processor nirapp.dll could not be loaded");
        return 1;
    }
    std::error_code error;
    fs::create_directories(options.out, error);
    std::string folder = fs::absolute(options.out, error).string();
    nirasim::SetPagePictureFolder(options.raw ? std::string() : folder);
    nirasim::PrintJobRun run = processor.Run(job);
    nirasim::SetPagePictureFolder(std::string());
    HostMachine::Print(std::string(options.raw ? "RAW" : "TEXT") + " job of " +
                       std::to_string(job.data.size()) + " bytes on " + nirasim::Utf8(job.printer));
    int result = ReportRun(run);
    if (options.raw) {
        HostMachine::Print(std::to_string(run.portBytes.size()) +
                           " bytes at the port: " + Shown(run.portBytes));
        const MonitorDelivery delivery =
            DeliverThroughLanguageMonitor(host, run.spooledJobId, run.portBytes, job.documentName);
        if (!delivery.delivered) {
            HostMachine::Print("niralm did not deliver the job (error " + std::to_string(delivery.error) +
                               ")");
            return 1;
        }
        const std::string jobPart = delivery.received.substr(0, run.portBytes.size());
        HostMachine::Print(
            std::to_string(delivery.received.size()) + " bytes the device received through niralm: " +
            (jobPart == run.portBytes ? "the job's bytes" : "NOT the job's bytes: " + Shown(jobPart)));
        HostMachine::Print("  then: " + Shown(delivery.received.substr(jobPart.size())));
        HostMachine::Print("stored " + delivery.counterName + ": " + Shown(delivery.counterStored));
        return result;
    }
    for (const std::string& picture : nirasim::PagePictures()) {
        HostMachine::Print("page picture: " + picture);
    }
    return result;
}

static const HostJobRegistration job{
    {"print",
     "numbered pages through the print processor's EMF road (--pages N --nup N --order 1|2|3 --copies N "
     "--collate --duplex "
     "long|short --booklet --reverse --preview print|cancel), or a file: --raw FILE (bytes at the port) or "
     "--text [FILE] (page "
     "pictures)",
     60, RunPrint}};
