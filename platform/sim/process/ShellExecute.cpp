// ShellExecuteW: the machine runs no program behind a verb; each call is kept for the tests and
// answers success when the file exists.
#include "core/MachineState.h"
#include "core/Wide.h"

#include <nirasim/Windows.h>
#include <shellapi.h>

#include <mutex>

namespace nirasim::sim {
namespace {

// ShellExecuteW's answers: above 32 is success.
constexpr INT_PTR kExecuted = 42;
constexpr INT_PTR kFileNotFound = ERROR_FILE_NOT_FOUND;

struct ShellState {
    std::mutex lock;
    std::vector<ShellExecution> executions;
};

ShellState& Shell()
{
    static auto* state = new ShellState;
    return *state;
}

ResetHook resetShell([] {
    std::lock_guard<std::mutex> guard(Shell().lock);
    Shell().executions.clear();
});

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim;
using namespace nirasim::sim;

HINSTANCE WINAPI ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                               LPCWSTR lpDirectory, INT nShowCmd)
{
    {
        std::lock_guard<std::mutex> guard(Shell().lock);
        Shell().executions.push_back({hwnd, WideFrom(lpOperation), WideFrom(lpFile), WideFrom(lpParameters),
                                      WideFrom(lpDirectory), nShowCmd});
    }
    bool exists = lpFile != nullptr && GetFileAttributesW(lpFile) != INVALID_FILE_ATTRIBUTES;
    return reinterpret_cast<HINSTANCE>(exists ? kExecuted : kFileNotFound);
}

namespace nirasim {

std::vector<ShellExecution> ShellExecutions()
{
    std::lock_guard<std::mutex> guard(sim::Shell().lock);
    return sim::Shell().executions;
}

}  // namespace nirasim
