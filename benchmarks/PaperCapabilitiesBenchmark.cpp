// DC_PAPERS asked of a fresh plug-in object through the simulated core driver, first for the
// count, then into a buffer (the driver state of the paper features, the paper tables from the
// capability database), against the capability reader alone opening the database (its temporary
// copy included) and reading the options of the paper feature; the plug-in should cost at most
// about two readers. The driver's modules stay loaded for the run, as in a process that keeps the
// driver it asks; the same request with the modules loaded and unloaded every time is measured
// beside it.
#include <windows.h>
#include <winspool.h>

#include <benchmark/benchmark.h>

#include <vector>

#include "benchmarks/SamplePrinterBench.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nirasim/CoreDriver.h"
#include "nirasim/Machine.h"

namespace {

// The core driver and the plug-in module (by an instance that is asked nothing) and the plug-in's
// string module, loaded while the object lives.
struct LoadedDriverModules {
    nirasim::CoreDriver driver{kBenchPrinter};
    HMODULE strings = nullptr;
    LoadedDriverModules()
    {
        WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
        SampleComponentPath(kStringDllKey, path);
        strings = LoadLibraryW(path);
    }
    ~LoadedDriverModules()
    {
        if (strings != nullptr) {
            FreeLibrary(strings);
        }
    }
};

void AskPapers(benchmark::State& state)
{
    std::vector<WORD> papers;
    for (auto _ : state) {
        nirasim::CoreDriver driver(kBenchPrinter);
        DWORD count = 0;
        driver->Plugin()->DeviceCapabilities(nullptr, driver->Printer(), nullptr, DC_PAPERS, nullptr, nullptr,
                                             nullptr, 0, &count);
        papers.assign(count, 0);
        DWORD filled = 0;
        driver->Plugin()->DeviceCapabilities(nullptr, driver->Printer(), nullptr, DC_PAPERS, papers.data(),
                                             nullptr, nullptr, 0, &filled);
        benchmark::DoNotOptimize(filled);
        Sample().machine.ClearJournals();
    }
    state.counters["papers"] = static_cast<double>(papers.size());
}

void PaperListOfAFreshPlugin(benchmark::State& state)
{
    Sample();
    LoadedDriverModules loaded;
    AskPapers(state);
}

void PaperListLoadingTheDriver(benchmark::State& state)
{
    Sample();
    AskPapers(state);
}

void ReaderOfThePaperFeature(benchmark::State& state)
{
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    SampleCapabilityPath(path);
    for (auto _ : state) {
        CNiraCapabilityDB reader;
        reader.Open(path);
        INT feature = FEATURE_PAPER_SIZE;
        benchmark::DoNotOptimize(reader.EnumOptions(&feature, OnOption, nullptr));
    }
}

}  // namespace

BENCHMARK(PaperListOfAFreshPlugin)->Unit(benchmark::kMillisecond);
BENCHMARK(ReaderOfThePaperFeature)->Unit(benchmark::kMillisecond);
BENCHMARK(PaperListLoadingTheDriver)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
