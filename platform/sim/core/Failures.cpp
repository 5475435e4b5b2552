#include "core/Failures.h"

#include "core/MachineState.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <stdexcept>

namespace nirasim::sim {
namespace {

// Every name a simulated function checks; a test may fail only these. Kept sorted.
const char* const kInjectableFunctions[] = {
    "AddFormW",
    "AllocateAndInitializeSid",
    "CoCreateInstance",
    "CoInitializeEx",
    "CoTaskMemAlloc",
    "CoTaskMemRealloc",
    "ConvertSidToStringSidW",
    "CopyFileW",
    "CreateDCW",
    "CreateDirectoryW",
    "CreateFileW",
    "CreatePrintAsyncNotifyChannel",
    "CreateProcessW",
    "CreateThread",
    "CreateWindowExW",
    "DeleteFileW",
    "DeletePrinterDataExW",
    "DeletePrinterDataW",
    "DocumentPropertiesW",
    "EndPage",
    "EnumFormsW",
    "EnumJobsW",
    "EnumPortsW",
    "FindFirstFileW",
    "GdiEndDocEMF",
    "GdiEndPageEMF",
    "GdiGetDC",
    "GdiGetDevmodeForPage",
    "GdiGetPageCount",
    "GdiGetPageHandle",
    "GdiGetSpoolFileHandle",
    "GdiPlayPageEMF",
    "GdiResetDCEMF",
    "GdiStartDocEMF",
    "GdiStartPageEMF",
    "GetJobAttributes",
    "GetJobW",
    "GetModuleFileNameA",
    "GetModuleFileNameW",
    "GetPrinterDataExW",
    "GetPrinterDataW",
    "GetPrinterDriverDirectoryW",
    "GetPrinterDriverW",
    "GetPrinterW",
    "GetProcAddress",
    "GetSystemDirectoryW",
    "GetTempFileNameW",
    "GetTempPathW",
    "GetTextMetricsW",
    "GetUserNameW",
    "GetVersionExA",
    "GetVersionExW",
    "GetWorldTransform",
    "GlobalAlloc",
    "GlobalReAlloc",
    "HeapAlloc",
    "HeapReAlloc",
    "LoadLibraryExW",
    "LoadLibraryW",
    "LocalAlloc",
    "LocalReAlloc",
    "LookupAccountNameW",
    "ModifyWorldTransform",
    "OpenPrinterW",
    "ReadFile",
    "ReadPrinter",
    "RegCreateKeyExW",
    "RegDeleteValueW",
    "RegOpenKeyExW",
    "RegQueryValueExW",
    "RegSetValueExW",
    "SHGetFolderPathW",
    "SendNotification",
    "SetGraphicsMode",
    "SetJobW",
    "SetPortW",
    "SetPrinterDataExW",
    "SetPrinterDataW",
    "SetPrinterW",
    "SetWorldTransform",
    "SetupIterateCabinetW",
    "StartDocPrinterW",
    "StartDocW",
    "StartPage",
    "SysAllocString",
    "SysAllocStringByteLen",
    "SysAllocStringLen",
    "TextOutA",
    "WriteFile",
    "WritePrinter",
};

struct Injection {
    DWORD error;
    int remaining;  // < 0: always
};

struct Injections {
    std::mutex lock;
    std::map<std::string, Injection> byFunction;
    unsigned long failNumber = 0;  // the numbered call that fails; 0: none
    DWORD failNumberError = 0;
    std::string numberedFailure;
    std::atomic<unsigned long> calls{0};
    std::atomic<bool> any{false};

    void Update() { any = !byFunction.empty() || failNumber != 0; }
};

Injections& Table()
{
    static auto* table = new Injections;
    return *table;
}

void ResetAll()
{
    ClearInjectedFailures();
    ResetInjectableCallCount();
}

ResetHook resetFailures(ResetAll);

// A simulated function that checks a name missing from the list is a fault of the machine
// itself: tests could never fail it by name.
void RequireInjectable(const char* function)
{
    if (!IsInjectableFunction(function)) {
        std::fprintf(stderr, "nirasim: \"%s\" checks for failures but is not listed as injectable\n",
                     function);
        std::abort();
    }
}

}  // namespace

bool IsInjectableFunction(const std::string& function)
{
    return std::binary_search(std::begin(kInjectableFunctions), std::end(kInjectableFunctions), function,
                              [](const auto& left, const auto& right) { return std::string(left) < right; });
}

bool TakeInjectedFailure(const char* function, DWORD* error)
{
    Injections& table = Table();
    const unsigned long number = ++table.calls;
    if (!table.any.load(std::memory_order_relaxed)) {
        return false;
    }
    RequireInjectable(function);
    std::lock_guard<std::mutex> guard(table.lock);
    if (table.failNumber != 0 && table.failNumber == number) {
        *error = table.failNumberError;
        table.numberedFailure = function;
        table.failNumber = 0;
        table.Update();
        return true;
    }
    auto found = table.byFunction.find(function);
    if (found == table.byFunction.end() || found->second.remaining == 0) {
        return false;
    }
    *error = found->second.error;
    if (found->second.remaining > 0 && --found->second.remaining == 0) {
        table.byFunction.erase(found);
        table.Update();
    }
    return true;
}

void InjectFailure(const std::string& function, DWORD error, int times)
{
    if (!IsInjectableFunction(function)) {
        throw std::invalid_argument("no simulated function can be failed as \"" + function + "\"");
    }
    Injections& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (times == 0) {
        table.byFunction.erase(function);
    } else {
        table.byFunction[function] = Injection{error, times};
    }
    table.Update();
}

void ClearInjectedFailures()
{
    Injections& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.byFunction.clear();
    table.failNumber = 0;
    table.numberedFailure.clear();
    table.Update();
}

void ResetInjectableCallCount()
{
    Table().calls = 0;
}

unsigned long InjectableCallCount()
{
    return Table().calls;
}

void FailInjectableCallNumber(unsigned long number, DWORD error)
{
    Injections& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.failNumber = number == 0 ? 0 : table.calls + number;
    table.failNumberError = error;
    table.numberedFailure.clear();
    table.Update();
}

std::string NumberedFailureCall()
{
    Injections& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    return table.numberedFailure;
}

}  // namespace nirasim::sim
