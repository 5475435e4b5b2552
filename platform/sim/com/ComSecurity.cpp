// Process-wide COM security: set once per process, as CoInitializeSecurity documents.
#include <objbase.h>

#include <atomic>

namespace {
std::atomic<bool> g_securitySet{false};
}  // namespace

HRESULT WINAPI CoInitializeSecurity(void*, LONG, void*, void*, DWORD, DWORD, void*, DWORD, void*)
{
    // Windows answers RPC_E_TOO_LATE to every call after the first (or after COM marshalled an
    // interface, which the simulated machine never does).
    bool expected = false;
    return g_securitySet.compare_exchange_strong(expected, true) ? S_OK : RPC_E_TOO_LATE;
}
