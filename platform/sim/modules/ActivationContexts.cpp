// Activation contexts from a module's manifest resource. The machine keeps no assemblies: a
// context is a handle standing for the manifest found; making one fails as Windows does when the
// module or its manifest resource is missing.
#include "core/MachineState.h"
#include "core/Wide.h"

#include <nirasim/Modules.h>

#include <windows.h>

#include <mutex>
#include <set>

namespace nirasim::sim {
namespace {

constexpr ULONG_PTR kFirstContext = 0x5A0000;
constexpr WORD kManifestType = 24;

struct ContextTable {
    std::mutex lock;
    std::set<ULONG_PTR> live;
    std::vector<ActivationContextRequest> journal;
    ULONG_PTR next = kFirstContext;
};

ContextTable& Contexts()
{
    static auto* table = new ContextTable;
    return *table;
}

ResetHook resetContexts([] {
    ContextTable& table = Contexts();
    std::lock_guard<std::mutex> guard(table.lock);
    table.live.clear();
    table.journal.clear();
    table.next = kFirstContext;
});

// Whether the module at `path` carries the manifest resource `name`; the last error says why not.
bool HasManifest(LPCWSTR path, LPCWSTR name)
{
    HMODULE module = LoadLibraryExW(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr) {
        return false;
    }
    bool found = FindResourceW(module, name, MAKEINTRESOURCEW(kManifestType)) != nullptr;
    DWORD error = GetLastError();
    FreeLibrary(module);
    SetLastError(error);
    return found;
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

HANDLE WINAPI CreateActCtxW(PCACTCTXW pActCtx)
{
    if (pActCtx == nullptr || pActCtx->cbSize < sizeof(ACTCTXW) || pActCtx->lpSource == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    LPCWSTR name =
        (pActCtx->dwFlags & ACTCTX_FLAG_RESOURCE_NAME_VALID) ? pActCtx->lpResourceName : MAKEINTRESOURCEW(1);
    nirasim::ActivationContextRequest request;
    request.source = WideFrom(pActCtx->lpSource);
    request.resourceId = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1;
    request.created = HasManifest(pActCtx->lpSource, name);
    DWORD error = GetLastError();
    ContextTable& table = Contexts();
    std::lock_guard<std::mutex> guard(table.lock);
    table.journal.push_back(request);
    if (!request.created) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    ULONG_PTR context = table.next++;
    table.live.insert(context);
    return reinterpret_cast<HANDLE>(context);
}

void WINAPI ReleaseActCtx(HANDLE hActCtx)
{
    ContextTable& table = Contexts();
    std::lock_guard<std::mutex> guard(table.lock);
    table.live.erase(reinterpret_cast<ULONG_PTR>(hActCtx));
}

namespace nirasim {

std::vector<ActivationContextRequest> ActivationContextRequests()
{
    ContextTable& table = Contexts();
    std::lock_guard<std::mutex> guard(table.lock);
    return table.journal;
}

int LiveActivationContexts()
{
    ContextTable& table = Contexts();
    std::lock_guard<std::mutex> guard(table.lock);
    return static_cast<int>(table.live.size());
}

}  // namespace nirasim
