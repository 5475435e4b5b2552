// Sixteen pages through nirapp's EMF road, one and four per sheet side, beside the stand-in's bare
// playback of the same pages onto as many sheets (the spooler's calls alone, no placement).
#include <nirasim/Emf.h>
#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>
#include <nirasim/PrintJobs.h>

#include <winppi.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 16;
constexpr short kDpi = 300;
const char kPrinter[] = "Nira Inkjet";

std::vector<BYTE> LetterDevmode()
{
    DEVMODEW d = {};
    d.dmSize = sizeof(d);
    d.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DUPLEX;
    d.dmOrientation = DMORIENT_PORTRAIT;
    d.dmPaperSize = 1;
    d.dmPaperWidth = 2159;
    d.dmPaperLength = 2794;
    d.dmCopies = 1;
    d.dmDuplex = DMDUP_SIMPLEX;
    d.dmPrintQuality = kDpi;
    d.dmYResolution = kDpi;
    const auto* b = reinterpret_cast<const BYTE*>(&d);
    return std::vector<BYTE>(b, b + sizeof(d));
}

std::string Document(const std::vector<BYTE>& devmode)
{
    std::vector<nirasim::SpoolPage> pages;
    for (int i = 1; i <= kPages; ++i) {
        nirasim::EmfRecorder page(2550, 3300);
        page.Rectangle({100, 100, 2450, 3200});
        page.Polygon({{1275, 400}, {1600, 800}, {950, 800}});
        pages.push_back({i == 1 ? devmode : std::vector<BYTE>(), page.Finish()});
    }
    return nirasim::EmfSpoolFile(nirasim::Wide("Bench"), pages);
}

struct Bench {
    std::unique_ptr<nirasim::Machine> machine;
    std::unique_ptr<nirasim::PrintProcessorHost> host;
    std::vector<BYTE> devmode = LetterDevmode();
    std::string document = Document(devmode);

    Bench()
    {
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter);
        host = std::make_unique<nirasim::PrintProcessorHost>();
        // Sheets are drawn, as a device draws them; the pictures go to a scratch folder.
        std::error_code error;
        std::filesystem::path folder = std::filesystem::temp_directory_path(error) / "bench_emf_road";
        std::filesystem::create_directories(folder, error);
        nirasim::SetPagePictureFolder(folder.string());
    }
};

Bench& TheBench()
{
    static Bench* bench = new Bench;
    return *bench;
}

void ThroughNirapp(benchmark::State& state)
{
    Bench& bench = TheBench();
    const auto perSide = static_cast<DWORD>(state.range(0));
    nirasim::JobAttributeSettings attributes;
    attributes.pagesPerSide = perSide;
    nirasim::SetJobAttributes(attributes);
    nirasim::PrintJobSpec job;
    job.printer = nirasim::Wide(kPrinter);
    job.datatype = nirasim::Wide("NT EMF 1.006");
    job.devmode = bench.devmode;
    job.data = bench.document;
    for (auto _ : state) {
        if (!bench.host->Run(job).printed) {
            state.SkipWithError("the job failed");
            return;
        }
    }
    state.counters["sheet"] = benchmark::Counter(static_cast<double>(state.iterations()) * kPages / perSide,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    nirasim::SetJobAttributes({});
}

void BarePlayback(benchmark::State& state)
{
    Bench& bench = TheBench();
    const int perSide = static_cast<int>(state.range(0));
    std::u16string printer = nirasim::Wide(kPrinter);
    for (auto _ : state) {
        DWORD id = nirasim::SpoolEmfJob(printer, bench.document);
        std::u16string name = printer + nirasim::Wide(", Job " + std::to_string(id));
        auto* devmode = reinterpret_cast<DEVMODEW*>(bench.devmode.data());
        HANDLE spool = GdiGetSpoolFileHandle(reinterpret_cast<LPWSTR>(&printer[0]), devmode,
                                             reinterpret_cast<LPWSTR>(&name[0]));
        HDC dc = GdiGetDC(spool);
        DOCINFOW info = {sizeof(DOCINFOW), reinterpret_cast<LPCWSTR>(name.c_str()), nullptr, nullptr, 0};
        GdiStartDocEMF(spool, &info);
        for (int page = 1; page <= kPages; ++page) {
            int cell = (page - 1) % perSide;
            if (cell == 0) {
                GdiStartPageEMF(spool);
            }
            // The cells of the grid that nirapp fills: the printable area, or its quarters.
            int columns = perSide == 1 ? 1 : 2;
            int width = GetDeviceCaps(dc, HORZRES) / columns;
            int height = GetDeviceCaps(dc, VERTRES) / columns;
            RECT rect = {cell % columns * width, cell / columns * height, (cell % columns + 1) * width,
                         (cell / columns + 1) * height};
            DWORD type = 0;
            GdiPlayPageEMF(spool, GdiGetPageHandle(spool, static_cast<DWORD>(page), &type), &rect, nullptr,
                           perSide == 1 ? nullptr : &rect);  // n-up cells are clipped, as nirapp clips them
            if (cell == perSide - 1 || page == kPages) {
                GdiEndPageEMF(spool, 0);
            }
        }
        GdiEndDocEMF(spool);
        GdiDeleteSpoolFileHandle(spool);
    }
    state.counters["sheet"] = benchmark::Counter(static_cast<double>(state.iterations()) * kPages / perSide,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(ThroughNirapp)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BarePlayback)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
