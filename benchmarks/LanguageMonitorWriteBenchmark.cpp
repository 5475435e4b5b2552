// A 64 MiB job written through niralm's WritePort (4 KiB and 64 KiB calls) to its EndDocPort,
// beside the same bytes written straight to the simulated port monitor's pfnWritePort.
#include <nirasim/Machine.h>
#include <nirasim/Printer.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace printer = nirasim::printer;

namespace {

constexpr size_t kJobSize = 64u << 20;
const char kPrinter[] = "Nira Inkjet";
const char kPort[] = "USB001";

struct Bench {
    std::unique_ptr<nirasim::Machine> machine;
    std::unique_ptr<printer::LanguageMonitor> monitor;
    HANDLE port = nullptr;
    std::string job = std::string(kJobSize, 'J');

    Bench()
    {
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter, kPort);
        machine->SetWindowsVersion(5, 1);
        monitor = std::make_unique<printer::LanguageMonitor>("niralm.dll");
        if (monitor->Initialize() != nullptr) {
            port = monitor->OpenPort(kPort, kPrinter);
        }
    }
};

Bench& TheBench()
{
    static Bench* bench = new Bench;
    return *bench;
}

void ThroughWritePort(benchmark::State& state)
{
    Bench& bench = TheBench();
    if (bench.port == nullptr) {
        state.SkipWithError("niralm did not open the port");
        return;
    }
    const DWORD chunk = static_cast<DWORD>(state.range(0));
    for (auto _ : state) {
        const DWORD jobId = bench.machine->QueueJob(kPrinter, "Bench");
        if (!bench.monitor->DeliverJob(bench.port, kPrinter, jobId, "Bench", bench.job, chunk)) {
            state.SkipWithError("the job failed");
            return;
        }
        state.PauseTiming();
        if (printer::BytesReceived(kPort).size() != kJobSize) {
            state.SkipWithError("the device did not receive the job");
            return;
        }
        printer::ForgetWrites(kPort);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kJobSize);
}

void StraightToThePort(benchmark::State& state)
{
    TheBench();
    MONITOR2 lower = printer::PortMonitorTable();
    std::u16string name = nirasim::Wide(kPort);
    HANDLE port = nullptr;
    if (!lower.pfnOpenPort(printer::PortMonitorHandle(), name.data(), &port)) {
        state.SkipWithError("the port does not open");
        return;
    }
    const DWORD chunk = static_cast<DWORD>(state.range(0));
    std::string data = TheBench().job;
    for (auto _ : state) {
        for (size_t at = 0; at < data.size(); at += chunk) {
            DWORD written = 0;
            lower.pfnWritePort(port, reinterpret_cast<LPBYTE>(&data[at]), chunk, &written);
        }
        state.PauseTiming();
        printer::ForgetWrites(kPort);
        state.ResumeTiming();
    }
    lower.pfnClosePort(port);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kJobSize);
}

}  // namespace

BENCHMARK(ThroughWritePort)
    ->Arg(4096)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK(StraightToThePort)
    ->Arg(4096)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

BENCHMARK_MAIN();
