// The module table of the simulated machine: what LoadLibraryW loaded, with reference counts.
#pragma once

#include <windows.h>
#include <nirasimres.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace nirasim::sim {

// One resource of a module: its type and name (an ordinal, or a name in upper case), language
// and bytes.
struct ResourceItem {
    WORD typeId = 0;
    std::u16string typeName;
    WORD nameId = 0;
    std::u16string nameName;
    WORD language = 0;
    const void* data = nullptr;
    DWORD size = 0;
};

struct Module {
    std::u16string windowsPath;
    std::string hostPath;
    void* library = nullptr;  // dlopen handle
    void* imageBase =
        nullptr;           // where the loaded object starts; tells its own symbols from its dependencies'
    bool builtIn = false;  // a system module answered by the machine itself
    int references = 0;
    bool attached = false;  // DllMain has seen DLL_PROCESS_ATTACH
    bool resourcesLoaded = false;
    std::vector<std::unique_ptr<ResourceItem>> resources;
    std::vector<std::unique_ptr<std::vector<WORD>>>
        stringBlocks;  // bytes the machine built (string and version blocks)
};

// The module of a handle; null (with ERROR_MOD_NOT_FOUND) for an unknown one. A null handle is
// the process's own image.
Module* ModuleOf(HMODULE handle);
// The resources of a module, read from its table at first use. Call under ModuleLock().
const std::vector<std::unique_ptr<ResourceItem>>& ResourcesOf(Module& module);
std::recursive_mutex& ModuleLock();

// Makes an export of a system module (spoolss.dll, ...) unresolvable, as on a system without it;
// a new machine has every export again.
void RemoveSystemExport(const std::u16string& module, const std::string& function);

// Detaches every loaded module (DllMain with DLL_PROCESS_DETACH, as at process end) and unloads it.
void UnloadAllModules();

}  // namespace nirasim::sim
