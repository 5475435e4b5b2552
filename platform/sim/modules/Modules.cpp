// LoadLibraryW and friends: a module is a shared object with a Windows file name, found by its
// Windows path (or, for a bare name, in the process's folder, System32 and the current folder),
// loaded once and counted; its exported DllMain sees the process attach at the first load and
// the detach at the last FreeLibrary. System modules the driver loads by name (spoolss.dll,
// kernel32.dll, ...) are answered by the machine itself.
#include "core/Failures.h"
#include "modules/Modules.h"

#include <nirasim/Modules.h>

#include "core/MachineState.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <list>
#include <mutex>

namespace nirasim::sim {
namespace {

const char16_t* const kBuiltInModules[] = {
    u"kernel32.dll", u"kernelbase.dll", u"advapi32.dll", u"user32.dll",  u"gdi32.dll",    u"spoolss.dll",
    u"winspool.drv", u"ole32.dll",      u"oleaut32.dll", u"shell32.dll", u"comctl32.dll", u"msimg32.dll",
    u"setupapi.dll", u"version.dll",    u"rpcrt4.dll",   u"ntdll.dll",
};

// The system modules every process has loaded from its start.
const char16_t* const kAlwaysLoadedModules[] = {u"kernel32.dll", u"kernelbase.dll", u"ntdll.dll"};

bool IsAlwaysLoaded(const std::u16string& name)
{
    for (const char16_t* always : kAlwaysLoadedModules) {
        if (EqualNoCase(name, always)) {
            return true;
        }
    }
    return false;
}

typedef BOOL(WINAPI* DllMainProc)(HINSTANCE, DWORD, LPVOID);

// Two locks, as on Windows: the loader lock serialises loads and frees and is held across every
// DllMain; the table lock guards the list and the modules' members and is never held while a
// DllMain runs, so that looking up an export or a module (which takes only the table lock) cannot
// wait on an entry point that waits on a lock of the caller.
struct ModuleTable {
    std::recursive_mutex loader;
    std::recursive_mutex lock;
    std::list<std::unique_ptr<Module>> loaded;  // in load order
    Module process;
    std::vector<std::u16string> loadJournal;                             // Windows paths, one per fresh load
    std::vector<std::pair<std::u16string, std::string>> removedExports;  // {system module, function}
};

ModuleTable& Table()
{
    static auto* table = new ModuleTable;
    return *table;
}

ResetHook resetModules([] {
    UnloadAllModules();
    std::lock_guard<std::recursive_mutex> guard(Table().lock);
    Table().loadJournal.clear();
});
ResetHook resetRemovedExports([] {
    std::lock_guard<std::recursive_mutex> guard(Table().lock);
    Table().removedExports.clear();
});

bool IsRemovedExport(const Module& module, const char* function)
{
    for (const auto& removed : Table().removedExports) {
        if (removed.second == function && EqualNoCase(removed.first, LastNameOf(module.windowsPath))) {
            return true;
        }
    }
    return false;
}

bool Tracing()
{
    static const bool tracing = std::getenv("NIRASIM_TRACE") != nullptr;
    return tracing;
}

HMODULE HandleOf(Module* module)
{
    return reinterpret_cast<HMODULE>(module);
}

bool IsBuiltInName(const std::u16string& name)
{
    return std::any_of(std::begin(kBuiltInModules), std::end(kBuiltInModules),
                       [&](const char16_t* builtIn) { return EqualNoCase(builtIn, name); });
}

std::string OwnHostPath()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&OwnHostPath), &info) != 0 && info.dli_fname != nullptr) {
        return info.dli_fname;
    }
    return {};
}

std::string Canonical(const std::string& hostPath)
{
    char resolved[PATH_MAX];
    return realpath(hostPath.c_str(), resolved) != nullptr ? std::string(resolved) : hostPath;
}

Module* FindLoaded(const std::string& canonicalPath)
{
    for (auto& module : Table().loaded) {
        if (module->hostPath == canonicalPath) {
            return module.get();
        }
    }
    return nullptr;
}

Module* FindLoadedByName(const std::u16string& name)
{
    bool bare = name.find_first_of(u"\\/") == std::u16string::npos;
    std::u16string full = bare ? name : FullWindowsPath(name);
    for (auto& module : Table().loaded) {
        if (bare ? EqualNoCase(LastNameOf(module->windowsPath), name)
                 : EqualNoCase(module->windowsPath, full)) {
            return module.get();
        }
    }
    return nullptr;
}

// The Windows path a module name stands for: a path as given, a bare name searched for.
std::u16string LocateModule(std::u16string name)
{
    if (LastNameOf(name).find(u'.') == std::u16string::npos) {
        name += u".dll";
    }
    if (name.find_first_of(u"\\/") != std::u16string::npos) {
        return FullWindowsPath(name);
    }
    std::u16string processPath;
    std::u16string current;
    {
        MachineState& state = State();
        std::lock_guard<std::recursive_mutex> guard(state.lock);
        processPath = state.process.processPath;
        current = state.process.currentDirectory;
    }
    for (const std::u16string& folder : {ParentOf(processPath), std::u16string(kSystemDirectory), current}) {
        std::u16string candidate = FullWindowsPath(folder + u"\\" + name);
        if (KindOf(MapWindowsPath(candidate)) == HostKind::File) {
            return candidate;
        }
    }
    return {};
}

// Where the loaded object of a dlopen handle starts: the base its own dynamic section lies in.
void* ImageBaseOf(void* library)
{
    link_map* map = nullptr;
    Dl_info info;
    if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || dladdr(map->l_ld, &info) == 0) {
        return nullptr;
    }
    return info.dli_fbase;
}

// The address of a symbol that the module itself defines (not one of its dependencies): the
// object the symbol lies in must start at the module's own base. Compared by address, so that a
// lookup costs no file-system call.
void* OwnSymbol(Module& module, const char* name)
{
    void* library = module.library;
    if (library == nullptr || module.imageBase == nullptr) {
        return nullptr;
    }
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) {
        return nullptr;
    }
    Dl_info info;
    if (dladdr(symbol, &info) == 0 || info.dli_fbase != module.imageBase) {
        return nullptr;
    }
    return symbol;
}

bool CallDllMain(Module& module, DWORD reason, LPVOID reserved)
{
    auto entry = reinterpret_cast<DllMainProc>(OwnSymbol(module, "DllMain"));
    if (entry == nullptr) {
        return true;
    }
    return entry(HandleOf(&module), reason, reserved) != FALSE;
}

// Under the loader lock. The library is closed under the table lock too, as it was opened: the
// C library's own loader lock always comes after the table lock.
void Unload(Module* module)
{
    ModuleTable& table = Table();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    if (module->library != nullptr && !module->builtIn) {
        dlclose(module->library);
    }
    table.loaded.remove_if([&](const std::unique_ptr<Module>& entry) { return entry.get() == module; });
}

Module* LoadBuiltIn(const std::u16string& name)
{
    ModuleTable& table = Table();
    auto module = std::make_unique<Module>();
    module->windowsPath = std::u16string(kSystemDirectory) + u"\\" + name;
    module->hostPath = "builtin:" + Utf8FromWide(UpperCase(name));
    module->builtIn = true;
    static void* const self = dlopen(OwnHostPath().c_str(), RTLD_NOW | RTLD_NOLOAD);  // this very library
    module->library = self;
    module->attached = true;
    table.loaded.push_back(std::move(module));
    return table.loaded.back().get();
}

// The loaded module of a name, or the module loaded now (its entry point not yet run); null with
// the last error set when it cannot be found or opened.
Module* FindOrOpen(const std::u16string& name)
{
    std::lock_guard<std::recursive_mutex> guard(Table().lock);
    Module* module = FindLoadedByName(name);
    if (module == nullptr && name.find_first_of(u"\\/") == std::u16string::npos && IsBuiltInName(name)) {
        module = LoadBuiltIn(name);
    }
    if (module == nullptr) {
        std::u16string windowsPath = LocateModule(name);
        std::string host = windowsPath.empty() ? std::string() : MapWindowsPath(windowsPath);
        if (host.empty() || KindOf(host) != HostKind::File) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        std::string canonical = Canonical(host);
        module = FindLoaded(canonical);
        if (module == nullptr) {
            void* library = dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (library == nullptr) {
                if (Tracing()) {
                    std::fprintf(stderr, "nirasim: LoadLibrary %s: %s\n", canonical.c_str(), dlerror());
                }
                SetLastError(ERROR_BAD_EXE_FORMAT);
                return nullptr;
            }
            auto created = std::make_unique<Module>();
            created->windowsPath = windowsPath;
            created->hostPath = canonical;
            created->library = library;
            created->imageBase = ImageBaseOf(library);
            Table().loaded.push_back(std::move(created));
            Table().loadJournal.push_back(windowsPath);
            module = Table().loaded.back().get();
        }
    }
    return module;
}

HMODULE Load(LPCWSTR fileName, bool runEntryPoint)
{
    if (fileName == nullptr || *fileName == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> loading(Table().loader);
    Module* module = FindOrOpen(WideFrom(fileName));
    if (module == nullptr) {
        return nullptr;
    }
    bool attach = false;
    {
        std::lock_guard<std::recursive_mutex> guard(Table().lock);
        ++module->references;
        attach = runEntryPoint && !module->attached;
        module->attached = module->attached || attach;
    }
    if (attach && !CallDllMain(*module, DLL_PROCESS_ATTACH, nullptr)) {
        CallDllMain(*module, DLL_PROCESS_DETACH, nullptr);
        bool last = false;
        {
            std::lock_guard<std::recursive_mutex> guard(Table().lock);
            last = --module->references == 0;
            module->attached = false;
        }
        if (last) {
            Unload(module);
        }
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return HandleOf(module);
}

DWORD AnswerModuleName(HMODULE handle, std::u16string& name)
{
    if (handle == nullptr || handle == HandleOf(&Table().process)) {
        MachineState& state = State();
        std::lock_guard<std::recursive_mutex> guard(state.lock);
        name = state.process.processPath;
        return ERROR_SUCCESS;
    }
    std::lock_guard<std::recursive_mutex> guard(Table().lock);
    Module* module = ModuleOf(handle);
    if (module == nullptr) {
        return ERROR_MOD_NOT_FOUND;
    }
    name = module->windowsPath;
    return ERROR_SUCCESS;
}

}  // namespace

std::recursive_mutex& ModuleLock()
{
    return Table().lock;
}

Module* ModuleOf(HMODULE handle)
{
    ModuleTable& table = Table();
    if (handle == nullptr || handle == HandleOf(&table.process)) {
        return &table.process;
    }
    for (auto& module : table.loaded) {
        if (HandleOf(module.get()) == handle) {
            return module.get();
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

void RemoveSystemExport(const std::u16string& module, const std::string& function)
{
    std::lock_guard<std::recursive_mutex> guard(Table().lock);
    Table().removedExports.emplace_back(module, function);
}

void UnloadAllModules()
{
    ModuleTable& table = Table();
    std::lock_guard<std::recursive_mutex> loading(table.loader);
    for (;;) {
        Module* last = nullptr;
        bool detach = false;
        {
            std::lock_guard<std::recursive_mutex> guard(table.lock);
            if (table.loaded.empty()) {
                return;
            }
            last = table.loaded.back().get();
            detach = last->attached && !last->builtIn;
            last->attached = false;
        }
        if (detach) {
            CallDllMain(*last, DLL_PROCESS_DETACH, reinterpret_cast<LPVOID>(1));  // process end
        }
        bool stillLast = false;
        {
            std::lock_guard<std::recursive_mutex> guard(table.lock);
            stillLast = !table.loaded.empty() && table.loaded.back().get() == last;
        }
        if (stillLast) {
            Unload(last);
        }
    }
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName)
{
    NIRASIM_FAIL_IF_INJECTED("LoadLibraryW", nullptr);
    return Load(lpLibFileName, true);
}

HMODULE WINAPI LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags)
{
    NIRASIM_FAIL_IF_INJECTED("LoadLibraryExW", nullptr);
    if (hFile != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    constexpr DWORD kWithoutEntryPoint = DONT_RESOLVE_DLL_REFERENCES | LOAD_LIBRARY_AS_DATAFILE |
                                         LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    return Load(lpLibFileName, (dwFlags & kWithoutEntryPoint) == 0);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    std::lock_guard<std::recursive_mutex> loading(Table().loader);
    Module* module = nullptr;
    bool detach = false;
    {
        std::lock_guard<std::recursive_mutex> guard(ModuleLock());
        module = hLibModule == nullptr ? nullptr : ModuleOf(hLibModule);
        if (module == nullptr) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
        if (--module->references > 0) {
            return TRUE;
        }
        detach = module->attached && !module->builtIn;
        module->attached = false;
    }
    if (detach) {
        CallDllMain(*module, DLL_PROCESS_DETACH, nullptr);
    }
    Unload(module);
    return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    NIRASIM_FAIL_IF_INJECTED("GetProcAddress", nullptr);
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = hModule == nullptr ? nullptr : ModuleOf(hModule);
    if (module == nullptr) {
        SetLastError(hModule == nullptr ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (lpProcName == nullptr || IS_INTRESOURCE(lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);  // exports are found by name only
        return nullptr;
    }
    void* symbol = nullptr;
    if (module->builtIn) {
        symbol = module->library && !IsRemovedExport(*module, lpProcName) ? dlsym(module->library, lpProcName)
                                                                          : nullptr;
    } else {
        symbol = OwnSymbol(*module, lpProcName);
    }
    if (symbol == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    NIRASIM_FAIL_IF_INJECTED("GetModuleFileNameW", 0);
    std::u16string name;
    DWORD error = AnswerModuleName(hModule, name);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() + 1 > nSize) {
        name.copy(lpFilename, nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    CopyWideOut(name, lpFilename, nSize);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(name.size());
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    NIRASIM_FAIL_IF_INJECTED("GetModuleFileNameA", 0);
    std::u16string wide;
    DWORD error = AnswerModuleName(hModule, wide);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    std::string name = Utf8FromWide(wide);
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() + 1 > nSize) {
        std::memcpy(lpFilename, name.data(), nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, name.c_str(), name.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(name.size());
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (lpModuleName == nullptr) {
        return reinterpret_cast<HMODULE>(&Table().process);
    }
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = FindLoadedByName(WideFrom(lpModuleName));
    if (module == nullptr && LastNameOf(WideFrom(lpModuleName)).find(u'.') == std::u16string::npos) {
        module = FindLoadedByName(WideFrom(lpModuleName) + u".dll");
    }
    if (module == nullptr && IsAlwaysLoaded(LastNameOf(WideFrom(lpModuleName)))) {
        return LoadLibraryW(lpModuleName);  // every process has these from its start
    }
    if (module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return HandleOf(module);
}

BOOL WINAPI GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule)
{
    if (phModule == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *phModule = nullptr;
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = nullptr;
    if (dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
        Dl_info info;
        if (dladdr(reinterpret_cast<const void*>(lpModuleName), &info) == 0 || info.dli_fname == nullptr) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
        module = FindLoaded(Canonical(info.dli_fname));
        if (module == nullptr) {
            *phModule = reinterpret_cast<HMODULE>(&Table().process);  // the program itself
            return TRUE;
        }
    } else if (lpModuleName == nullptr) {
        *phModule = reinterpret_cast<HMODULE>(&Table().process);
        return TRUE;
    } else if ((module = FindLoadedByName(WideFrom(lpModuleName))) == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (!(dwFlags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT)) {
        ++module->references;
    }
    *phModule = HandleOf(module);
    return TRUE;
}

BOOL WINAPI DisableThreadLibraryCalls(HMODULE)
{
    return TRUE;  // the machine sends no thread notifications
}

namespace nirasim {

std::vector<std::u16string> ModulesLoaded()
{
    std::lock_guard<std::recursive_mutex> guard(sim::Table().lock);
    return sim::Table().loadJournal;
}

void RemoveSystemExport(const Text& module, const std::string& function)
{
    sim::RemoveSystemExport(module.wide(), function);
}

void SendThreadDetach()
{
    sim::ModuleTable& table = sim::Table();
    std::lock_guard<std::recursive_mutex> loading(table.loader);
    std::vector<sim::Module*> attached;
    {
        std::lock_guard<std::recursive_mutex> guard(table.lock);
        for (auto& module : table.loaded) {
            if (module->attached && !module->builtIn) {
                attached.push_back(module.get());
            }
        }
    }
    for (sim::Module* module : attached) {
        sim::CallDllMain(*module, DLL_THREAD_DETACH, nullptr);
    }
}

}  // namespace nirasim
