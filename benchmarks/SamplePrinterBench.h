// What the benchmarks of the UI side share: one sample printer installed for the run, the path of
// its capability database, and an option callback that only keeps its arguments alive.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <benchmark/benchmark.h>

#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nirasim/Machine.h"

constexpr const WCHAR* kBenchPrinter = TEXT("Nira Sample Inkjet");

struct SamplePrinter {
    nirasim::Machine machine;
    HANDLE printer = nullptr;
    SamplePrinter()
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kBenchPrinter);
        OpenPrinterW(const_cast<LPWSTR>(kBenchPrinter), &printer, nullptr);
    }
    ~SamplePrinter() { ClosePrinter(printer); }
};

inline SamplePrinter& Sample()
{
    static SamplePrinter sample;
    return sample;
}

// The path of one of the sample printer's driver components (a key of its driver INI), as the UI
// core finds it.
inline void SampleComponentPath(LPCWSTR key, WCHAR (&path)[CNiraPrinterAccess::kComponentPathChars])
{
    CNiraPrinterAccess access(Sample().printer);
    access.FindDriverIni(FALSE);
    access.GetComponentPath(key, path);
}

// The capability database of the sample printer, as the UI core finds it.
inline void SampleCapabilityPath(WCHAR (&path)[CNiraPrinterAccess::kComponentPathChars])
{
    SampleComponentPath(kCapabilityXmlKey, path);
}

inline LONG OnOption(INT optionIndex, INT, INT, INT, INT, INT, LPCWSTR name, INT, INT, INT, INT, INT, INT,
                     INT, INT, INT, INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR, LPCWSTR, INT, LPCWSTR, INT,
                     INT, INT, INT, INT, INT, LPVOID)
{
    benchmark::DoNotOptimize(optionIndex);
    benchmark::DoNotOptimize(name);
    return 0;
}
