// Job "print": prints a file through the print processor as the spooler does. `print --raw FILE`
// shows the bytes that reach the printer's port; `print --text FILE` prints the file as text and
// writes one PNG per page into the output folder (--out DIR, by default nirahost-out/).
// `print --text` without a file prints a short sample text. Without --raw or --text, a document of
// numbered pages (--pages N, 4 by default) goes through the EMF road with the printer's settings or
// --nup N, --order 1|2|3, --copies N, --collate, --duplex long|short, --booklet, --reverse,
// --poster N (N x N tiles, --tiles 0,1,... the tiles printed), --fit PAPER (letter, legal, a3, a4,
// a5), --overlay TEXT, --manual-duplex: one PNG per sheet side and the journal of the sides with
// what the render module was told on each. --preview print|cancel runs a preview pass first and
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
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/EscapeRecords.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kShownBytes = 256;
constexpr DWORD kAllTiles = (DWORD{1} << kPosterTileCount) - 1;
constexpr int kFewestTiles = 2;
constexpr int kMostTiles = 5;
constexpr DWORD kPrintedOutput = 1;
constexpr DWORD kOverlayOutput = 3;
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
    int poster = 0;       // tiles per side of a poster, 2 to 5; 0 no poster
    DWORD tiles = kAllTiles;
    int fitPaper = 0;     // the paper pages are fitted to; 0 no fit
    std::string overlay;  // overlay text; empty: none
    bool manualDuplex = false;
    bool valid = true;
};

// Papers that --fit names, with their DEVMODE numbers.
struct NamedPaper {
    const char* name;
    int paper;
};
const NamedPaper kFitPapers[] = {{"letter", 1}, {"legal", 5}, {"a3", 8}, {"a4", 9}, {"a5", 11}};

int PaperNamed(const std::string& name)
{
    for (const NamedPaper& paper : kFitPapers) {
        if (name == paper.name) {
            return paper.paper;
        }
    }
    return 0;
}

// "0,1,3" as tile bits; tiles outside the 5 x 5 grid are left out.
DWORD TilesOf(const std::string& list)
{
    DWORD tiles = 0;
    size_t at = 0;
    while (at < list.size()) {
        size_t end = list.find(',', at);
        int tile =
            std::atoi(list.substr(at, end == std::string::npos ? std::string::npos : end - at).c_str());
        if (tile >= 0 && tile < static_cast<int>(kPosterTileCount)) {
            tiles |= DWORD{1} << tile;
        }
        at = end == std::string::npos ? list.size() : end + 1;
    }
    return tiles;
}

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
        } else if (argument == "--poster" && hasValue) {
            options.poster = std::atoi(arguments[++i].c_str());
            options.valid = options.valid && options.poster >= kFewestTiles && options.poster <= kMostTiles;
        } else if (argument == "--tiles" && hasValue) {
            options.tiles = TilesOf(arguments[++i]);
        } else if (argument == "--fit" && hasValue) {
            options.fitPaper = PaperNamed(arguments[++i]);
            options.valid = options.valid && options.fitPaper != 0;
        } else if (argument == "--overlay" && hasValue) {
            options.overlay = arguments[++i];
        } else if (argument == "--manual-duplex") {
            options.manualDuplex = true;
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
    if (x.eM11 > 0 && x.eM12 == 0) {
        return "0";
    }
    if (x.eM11 == 0) {
        return x.eM12 < 0 ? "90" : "-90";
    }
    return "179.9";
}

void PrintSide(int number, const nirasim::SheetSideRecord& record)
{
    // A poster tile's side starts and ends in the tile's magnifying transform on purpose.
    bool tile = !record.pages.empty() && record.pages[0].world.eM11 > 1;
    bool leftSet = !(record.identityAtStart && record.identityAtEnd) && !tile;
    HostMachine::Print("side " + std::to_string(number) + " (copies " + std::to_string(record.copies) +
                       ", duplex " + std::to_string(record.duplex) + ")" +
                       (leftSet ? " WORLD TRANSFORM LEFT SET" : "") + (record.pages.empty() ? " blank" : ""));
    for (const nirasim::PlayedPage& page : record.pages) {
        std::string scale =
            page.world.eM11 > 1 ? " magnified " + std::to_string(static_cast<int>(page.world.eM11)) : "";
        HostMachine::Print("  page " + std::to_string(page.page) + " cell " + Rect(page.document) + " turn " +
                           Turn(page.world) + scale + " at (" +
                           std::to_string(static_cast<long>(page.world.eDx)) + "," +
                           std::to_string(static_cast<long>(page.world.eDy)) + ")" +
                           (page.border.left != -1 ? " frame " + Rect(page.border) : "") +
                           (page.played ? "" : " NOT PLAYED"));
    }
}

template <typename Record>
bool ReadRecord(const nirasim::GdiCall& call, Record& record)
{
    if (call.bytes.size() < sizeof(Record)) {
        return false;
    }
    std::memcpy(&record, call.bytes.data(), sizeof(Record));
    return true;
}

// What the render module was told while the side was printed: the cells the placement record
// reports, the overlay escapes and the start of a manual two-sided job's second batch.
void PrintEscape(const nirasim::GdiCall& call, std::string& lastPlacement)
{
    PagePlacementRecord placement = {};
    JobCountsRecord counts = {};
    switch (call.args.empty() ? 0 : call.args[0]) {
    case ESCAPE_SET_PAGE_PLACEMENT:
        // The record goes out several times per page: only what changed is shown.
        if (call.bytes == lastPlacement || !ReadRecord(call, placement)) {
            return;
        }
        lastPlacement = call.bytes;
        for (DWORD i = 0; i < kPageCellCount; ++i) {
            const PageCellEntry& cell = placement.cells[i];
            if (cell.pageNumber != 0) {
                HostMachine::Print("  placement entry " + std::to_string(i) + ": page " +
                                   std::to_string(cell.pageNumber) + " " +
                                   Rect({cell.left, cell.top, cell.right, cell.bottom}) + " orientation " +
                                   std::to_string(cell.orientation));
            }
        }
        if (placement.fitScale != 0 && placement.fitScale != 1) {
            HostMachine::Print("  placement fit scale " + std::to_string(placement.fitScale));
        }
        if (placement.lastSheet != 0) {
            HostMachine::Print("  placement: last sheet");
        }
        break;
    case ESCAPE_OVERLAY_BEGIN:
        HostMachine::Print("  overlay begins");
        break;
    case ESCAPE_OVERLAY_NONE:
        HostMachine::Print("  overlay: nothing drawn");
        break;
    case ESCAPE_SET_JOB_COUNTS:
        if (ReadRecord(call, counts) && counts.secondBatch == 1) {
            HostMachine::Print(
                "-- second batch: the sheets are turned and put back (job counts, second batch 1)");
        }
        break;
    default:
        break;
    }
}

void PrintTexts(const nirasim::GdiCall& call)
{
    HostMachine::Print("  text \"" + nirasim::Utf8(std::u16string(call.text.begin(), call.text.end())) +
                       "\" at (" + std::to_string(call.args.at(0)) + "," + std::to_string(call.args.at(1)) +
                       ")");
}

// The sides in the order they were started, each with what the render module learnt and the text
// drawn on it.
void PrintJournal()
{
    std::vector<nirasim::SheetSideRecord> sides = nirasim::PlacementJournal();
    size_t next = 0;
    std::string lastPlacement;
    for (const nirasim::GdiCall& call : nirasim::GdiJournal()) {
        if (call.call == "StartPage" && next < sides.size()) {
            PrintSide(static_cast<int>(next + 1), sides[next]);
            ++next;
        } else if (call.call == "ExtEscape") {
            PrintEscape(call, lastPlacement);
        } else if (call.call == "TextOutW" && call.args.size() >= 2) {
            PrintTexts(call);
        }
    }
}

// The render module's settings for a poster, a fit to another paper, an overlay text and manual
// two-sided printing (each off unless asked for).
void ChooseLayoutSettings(const PrintOptions& options)
{
    ChooseRenderSetting(TEXT("Poster"), options.poster != 0 ? 1 : 0);
    ChooseRenderSetting(TEXT("PosterSize"),
                        static_cast<DWORD>(options.poster == kFewestTiles ? 0 : options.poster - 2));
    ChooseRenderSetting(TEXT("PosterTiles"), options.tiles);
    // Without the driver's margins each tile keeps half an inch blank on every side to glue on.
    ChooseRenderSetting(TEXT("MarginMode"), options.poster != 0 ? 0 : 1);
    ChooseRenderSetting(TEXT("FitToPaper"), options.fitPaper != 0 ? 1 : 0);
    ChooseRenderSetting(TEXT("FitScales"), options.fitPaper != 0 ? 1 : 0);
    if (options.fitPaper != 0) {
        ChooseRenderSetting(TEXT("PaperSize"), static_cast<DWORD>(options.fitPaper));
    }
    bool overlay = !options.overlay.empty();
    ChooseRenderSetting(TEXT("OutputMode"), overlay ? kOverlayOutput : kPrintedOutput);
    ChooseRenderSetting(TEXT("CellReports"), overlay ? 1 : 0);
    ChooseRenderText(TEXT("OverlayText"), nirasim::Wide(options.overlay));
    ChooseRenderSetting(TEXT("ManualDuplex"), options.manualDuplex ? 1 : 0);
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
    ChooseLayoutSettings(options);
    nirasim::PrintJobSpec job = NumberedJob(host.printerName(), options.pages, kDocumentDpi, devmodeBytes);
    nirasim::PrintProcessorHost processor;
    if (!processor.Loaded()) {
        HostMachine::Print("the print processor nirapp.dll could not be loaded");
        return 1;
    }
    std::error_code error;
    fs::create_directories(options.out, error);
    nirasim::SetPagePictureFolder(fs::absolute(options.out, error).string());
    nirasim::ClearPlacementJournal();
    nirasim::ClearGdiJournal();
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
     "--collate --duplex long|short --booklet --reverse --poster N [--tiles 0,1,...] --fit PAPER "
     "--overlay TEXT --manual-duplex --preview print|cancel), or a file: --raw FILE (bytes at the port) or "
     "--text [FILE] (page pictures)",
     60, RunPrint}};
