// Test control of the simulated machine's modules: which modules LoadLibraryW has loaded, and
// the exports a system module lacks (as on an older Windows).
#pragma once

#include <nirasim/Machine.h>

#include <string>
#include <vector>

namespace nirasim {

// The Windows path of every module loaded afresh (not a second reference to a loaded one), in
// load order, since the machine started.
std::vector<std::u16string> ModulesLoaded();

// GetProcAddress of `function` in the system module ("winspool.drv", ...) answers null until
// the machine starts afresh.
void RemoveSystemExport(const Text& module, const std::string& function);

// Every loaded module's DllMain sees DLL_THREAD_DETACH, as when a thread of the process ends (the
// machine sends no thread notifications of its own).
void SendThreadDetach();

// One CreateActCtxW call: the module path, the manifest resource id (-1 for a name) and whether a
// context was made.
struct ActivationContextRequest {
    std::u16string source;
    int resourceId = 0;
    bool created = false;
};
std::vector<ActivationContextRequest> ActivationContextRequests();
// Contexts made and not released.
int LiveActivationContexts();

}  // namespace nirasim
