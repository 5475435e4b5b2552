// A full ConstructDriverState on a fresh UI core (bindings, handlers, settings entries and option
// records of every feature up to 5999) against the capability reader alone reading every feature
// and every option of the same database; the core should cost at most about three readers.
#include <windows.h>
#include <winspool.h>

#include <benchmark/benchmark.h>

#include <vector>

#include "benchmarks/SamplePrinterBench.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nirasim/Machine.h"

namespace {

void DriverState(benchmark::State& state)
{
    HANDLE printer = Sample().printer;
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    for (auto _ : state) {
        CNiraUICore core;
        benchmark::DoNotOptimize(core.ConstructDriverState(printer, nullptr));
        benchmark::DoNotOptimize(core.GetFeatureCount());
        Sample().machine.ClearJournals();
    }
}

LONG OnFeature(INT featureId, INT, LPVOID record, LPVOID user)
{
    static_cast<std::vector<INT>*>(user)->push_back(featureId);
    LocalFree(record);
    return 0;
}

void ReaderAlone(benchmark::State& state)
{
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    SampleCapabilityPath(path);
    for (auto _ : state) {
        CNiraCapabilityDB reader;
        reader.Open(path);
        std::vector<INT> features;
        reader.GetFeatureSettings(OnFeature, &features, nullptr);
        for (INT id : features) {
            reader.EnumOptions(&id, OnOption, nullptr);
        }
        benchmark::DoNotOptimize(features.size());
    }
}

}  // namespace

BENCHMARK(DriverState)->Unit(benchmark::kMillisecond);
BENCHMARK(ReaderAlone)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
