// Job "print": prints a file through the print processor as the spooler does. `print --raw FILE`
// shows the bytes that reach the printer's port; `print --text FILE` prints the file as text and
// writes one PNG per page into the output folder (--out DIR, by default nirahost-out/).
// Without a file, a short sample text is printed.
#include "host/HostJob.h"

#include <nirasim/Gdi.h>
#include <nirasim/PrintJobs.h>

#include <cstdio>
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
    bool raw = false;
    std::string file;
    std::string out = "nirahost-out";
    std::string copies;
    bool valid = true;
};

PrintOptions ParseOptions(const std::vector<std::string>& arguments)
{
    PrintOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if ((argument == "--raw" || argument == "--text") && hasValue) {
            options.raw = argument == "--raw";
            options.file = arguments[++i];
        } else if (argument == "--out" && hasValue) {
            options.out = arguments[++i];
        } else if (argument == "--copies" && hasValue) {
            options.copies = arguments[++i];
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

}  // namespace

static int RunPrint(HostMachine& host, const std::vector<std::string>& arguments)
{
    PrintOptions options = ParseOptions(arguments);
    if (!options.valid) {
        return 2;
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
        return result;
    }
    for (const std::string& picture : nirasim::PagePictures()) {
        HostMachine::Print("page picture: " + picture);
    }
    return result;
}

static const HostJobRegistration job{
    {"print",
     "a file through the print processor: --raw FILE (bytes at the port) or --text FILE (page pictures)", 60,
     RunPrint}};
