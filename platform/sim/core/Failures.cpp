#include "core/Failures.h"

#include "core/MachineState.h"

#include <atomic>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

struct Injection {
    DWORD error;
    int remaining;  // < 0: always
};

struct Injections {
    std::mutex lock;
    std::map<std::string, Injection> byFunction;
    std::atomic<bool> any{false};
};

Injections& Table()
{
    static auto* table = new Injections;
    return *table;
}

ResetHook resetFailures(ClearInjectedFailures);

}  // namespace

bool TakeInjectedFailure(const char* function, DWORD* error)
{
    Injections& table = Table();
    if (!table.any.load(std::memory_order_relaxed)) {
        return false;
    }
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.byFunction.find(function);
    if (found == table.byFunction.end() || found->second.remaining == 0) {
        return false;
    }
    *error = found->second.error;
    if (found->second.remaining > 0 && --found->second.remaining == 0) {
        table.byFunction.erase(found);
        table.any = !table.byFunction.empty();
    }
    return true;
}

void InjectFailure(const std::string& function, DWORD error, int times)
{
    Injections& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (times == 0) {
        table.byFunction.erase(function);
    } else {
        table.byFunction[function] = Injection{error, times};
    }
    table.any = !table.byFunction.empty();
}

void ClearInjectedFailures()
{
    Injections& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.byFunction.clear();
    table.any = false;
}

}  // namespace nirasim::sim
