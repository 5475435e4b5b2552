// Reading the sample capability database as the UI core does (a temporary copy, every feature,
// then the options of each feature) against one direct query of the same rows on the file.
#include <windows.h>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nirasim/Machine.h"

namespace
{
struct Counts
{
    int features = 0;
    int options = 0;
};

LONG OnFeature(INT featureId, INT, LPVOID record, LPVOID user)
{
    auto* counts = static_cast<Counts*>(user);
    ++counts->features;
    benchmark::DoNotOptimize(featureId);
    LocalFree(record);
    return 0;
}

LONG OnOption(INT optionIndex, INT, INT, INT, INT, INT, LPCWSTR name, INT, INT, INT, INT, INT, INT, INT, INT, INT,
              INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR, LPCWSTR, INT, LPCWSTR, INT, INT, INT, INT, INT, INT,
              LPVOID user)
{
    ++static_cast<Counts*>(user)->options;
    benchmark::DoNotOptimize(optionIndex);
    benchmark::DoNotOptimize(name);
    return 0;
}

struct FeatureIds
{
    INT* ids = nullptr;
    INT count = 0;
};

int CountRow(void* argument, int columns, char** values, char**)
{
    benchmark::DoNotOptimize(values[columns - 1]);
    ++*static_cast<int*>(argument);
    return 0;
}

class SamplePackage
{
public:
    SamplePackage()
    {
        path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\niracap.vdf");
        machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/niracap.vdf", path);
        machine.SetUILanguage(1033);
    }

    nirasim::Machine machine;
    std::u16string path;
};

void BM_ReadersOnTemporaryCopy(benchmark::State& state)
{
    SamplePackage package;
    Counts counts;
    for (auto _ : state)
    {
        counts = Counts();
        CNiraCapabilityDB reader;
        reader.Open(package.path.c_str());
        FeatureIds ids;
        INT highestSettings = 0, highestUi = 0;
        reader.GetFeatureIds(&ids.ids, &ids.count, &highestSettings, &highestUi);
        reader.GetFeatureSettings(OnFeature, &counts, nullptr);
        for (INT i = 0; i < ids.count; ++i)
            reader.EnumOptions(&ids.ids[i], OnOption, &counts);
        LocalFree(ids.ids);
    }
    state.counters["features"] = counts.features;
    state.counters["options"] = counts.options;
}
BENCHMARK(BM_ReadersOnTemporaryCopy)->Unit(benchmark::kMicrosecond);

// The share of the temporary copy: copying, opening, closing and sweeping alone.
void BM_CopyOpenAndClose(benchmark::State& state)
{
    SamplePackage package;
    for (auto _ : state)
    {
        sqlite3* db = nullptr;
        OpenDatabaseCopy(package.path.c_str(), &db);
        CloseDatabaseCopy(db);
    }
}
BENCHMARK(BM_CopyOpenAndClose)->Unit(benchmark::kMicrosecond);

void BM_OneDirectQuery(benchmark::State& state)
{
    SamplePackage package;
    const std::string host = package.machine.HostPath(package.path);
    int rows = 0;
    for (auto _ : state)
    {
        rows = 0;
        sqlite3* db = nullptr;
        sqlite3_open_v2(host.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_exec(db,
                     "SELECT Featureid, SaveState, ClassId, ExternalOptions, FeatureState, SettingsKey, "
                     "DefaultOption, RangeMax, RangeMin, BiDiUpdate, bRespectUserSelection, uiDataStore, "
                     "Discriminator, DefaultNonUS, DefaultJapanese, NonUSDiscriminator FROM CAP_FEATURES_INFO "
                     "ORDER BY Featureid;"
                     "SELECT * FROM CAP_OPTIONS_INFO ORDER BY Featureid;",
                     CountRow, &rows, nullptr);
        sqlite3_close(db);
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_OneDirectQuery)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
