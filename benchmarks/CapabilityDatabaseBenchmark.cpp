// Reading the sample capability database as the UI core does (a temporary copy, every feature,
// then the options of each feature) against one direct query of the same rows on the file; each
// at the sample's size and on a database with ten times its features and options, which the
// benchmark makes from the sample.
#include <windows.h>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nirasim/Machine.h"

namespace {
struct Counts {
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

LONG OnOption(INT optionIndex, INT, INT, INT, INT, INT, LPCWSTR name, INT, INT, INT, INT, INT, INT, INT, INT,
              INT, INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR, LPCWSTR, INT, LPCWSTR, INT, INT, INT, INT, INT,
              INT, LPVOID user)
{
    ++static_cast<Counts*>(user)->options;
    benchmark::DoNotOptimize(optionIndex);
    benchmark::DoNotOptimize(name);
    return 0;
}

struct FeatureIds {
    INT* ids = nullptr;
    INT count = 0;
};

int CountRow(void* argument, int columns, char** values, char**)
{
    benchmark::DoNotOptimize(values[columns - 1]);
    ++*static_cast<int*>(argument);
    return 0;
}

// Feature ids of the k-th copy of the sample's features are the sample's ids plus k times this.
constexpr int kCopyIdStride = 100000;

// The sample database with its features and their options copied until there are scale times
// as many; the copies differ from the sample only in their feature ids.
std::string ScaledSample(int scale)
{
    const std::string sample = std::string(NIRA_BUILD_DIR) + "/package/niracap.vdf";
    if (scale <= 1) {
        return sample;
    }
    const std::string scaled =
        std::string(NIRA_BUILD_DIR) + "/bench-niracap-x" + std::to_string(scale) + ".vdf";
    std::remove(scaled.c_str());
    sqlite3* db = nullptr;
    sqlite3_open(scaled.c_str(), &db);
    const std::string attach = "ATTACH DATABASE '" + sample + "' AS sample;";
    sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
    std::string copy = "BEGIN;";
    // The sample's schema (indexes included) and rows first, then the shifted copies.
    sqlite3_stmt* schema = nullptr;
    sqlite3_prepare_v2(db, "SELECT sql FROM sample.sqlite_master WHERE sql IS NOT NULL ORDER BY type DESC",
                       -1, &schema, nullptr);
    while (sqlite3_step(schema) == SQLITE_ROW) {
        copy += std::string(reinterpret_cast<const char*>(sqlite3_column_text(schema, 0))) + ";";
    }
    sqlite3_finalize(schema);
    sqlite3_stmt* tables = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sample.sqlite_master WHERE type = 'table'", -1, &tables,
                       nullptr);
    while (sqlite3_step(tables) == SQLITE_ROW) {
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(tables, 0));
        copy += "INSERT INTO main." + name + " SELECT * FROM sample." + name + ";";
    }
    sqlite3_finalize(tables);
    for (const char* table : {"CAP_FEATURES_INFO", "CAP_OPTIONS_INFO"}) {
        copy += std::string("CREATE TEMP TABLE shifted AS SELECT * FROM sample.") + table + ";";
        for (int k = 1; k < scale; ++k) {
            copy += "UPDATE shifted SET Featureid = Featureid + " + std::to_string(kCopyIdStride) + ";";
            copy += std::string("INSERT INTO main.") + table + " SELECT * FROM shifted;";
        }
        copy += "DROP TABLE shifted;";
    }
    copy += "COMMIT;";
    char* error = nullptr;
    if (sqlite3_exec(db, copy.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "scaled database: %s\n", error != nullptr ? error : "failed");
    }
    sqlite3_free(error);
    sqlite3_close(db);
    return scaled;
}

class SamplePackage {
public:
    explicit SamplePackage(int scale)
    {
        path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\niracap.vdf");
        machine.CopyIn(ScaledSample(scale), path);
        machine.SetUILanguage(1033);
    }

    nirasim::Machine machine;
    std::u16string path;
};

void BM_ReadersOnTemporaryCopy(benchmark::State& state)
{
    SamplePackage package(static_cast<int>(state.range(0)));
    Counts counts;
    for (auto _ : state) {
        counts = Counts();
        CNiraCapabilityDB reader;
        reader.Open(package.path.c_str());
        FeatureIds ids;
        INT highestSettings = 0, highestUi = 0;
        reader.GetFeatureIds(&ids.ids, &ids.count, &highestSettings, &highestUi);
        reader.GetFeatureSettings(OnFeature, &counts, nullptr);
        for (INT i = 0; i < ids.count; ++i) {
            reader.EnumOptions(&ids.ids[i], OnOption, &counts);
        }
        LocalFree(ids.ids);
    }
    state.counters["features"] = counts.features;
    state.counters["options"] = counts.options;
}
BENCHMARK(BM_ReadersOnTemporaryCopy)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// The share of the temporary copy: copying, opening, closing and sweeping alone.
void BM_CopyOpenAndClose(benchmark::State& state)
{
    SamplePackage package(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sqlite3* db = nullptr;
        OpenDatabaseCopy(package.path.c_str(), &db);
        CloseDatabaseCopy(db);
    }
}
BENCHMARK(BM_CopyOpenAndClose)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_OneDirectQuery(benchmark::State& state)
{
    SamplePackage package(static_cast<int>(state.range(0)));
    const std::string host = package.machine.HostPath(package.path);
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        sqlite3* db = nullptr;
        sqlite3_open_v2(host.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_exec(
            db,
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
BENCHMARK(BM_OneDirectQuery)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
