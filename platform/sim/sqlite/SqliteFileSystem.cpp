// The file-system layer through which SQLite opens files on the simulated machine. The driver
// opens its databases with sqlite3_open16 and a Windows path ("C:\...\ZQV1A.tmp.vdf"); this
// layer wraps the host's default layer and only maps such names onto the machine's folders.
// It is registered as SQLite's default once per process, when the simulated machine loads: the
// driver itself registers nothing with SQLite. Opens and reads of the machine's files are calls a
// test can fail, as CreateFileW and ReadFile (what SQLite calls on Windows).
#include <sqlite3.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "core/Failures.h"
#include "files/PathMap.h"

namespace {

sqlite3_vfs g_machineVfs;
sqlite3_vfs* g_hostVfs = nullptr;

constexpr char MACHINE_VFS_NAME[] = "nirasim";

// "X:\...", "X:/..." or "\\server\share\...": a name of the machine, not of the host. Host
// paths ("/tmp/...") pass through unchanged, so tests may still open host files.
bool IsWindowsPath(const char* name)
{
    if (name == nullptr) {
        return false;
    }
    const bool drive =
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')) && name[1] == ':';
    const bool unc = name[0] == '\\' && name[1] == '\\';
    return drive || unc;
}

std::string HostName(const char* name)
{
    if (!IsWindowsPath(name)) {
        return name != nullptr ? std::string(name) : std::string();
    }
    return nirasim::sim::MapWindowsPathUtf8(name);
}

int MachineFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    if (!IsWindowsPath(name)) {
        return g_hostVfs->xFullPathname(g_hostVfs, name, size, out);
    }
    const std::string host = HostName(name);
    if (host.empty()) {
        return SQLITE_CANTOPEN;
    }
    return g_hostVfs->xFullPathname(g_hostVfs, host.c_str(), size, out);
}

// A file of the machine: the host layer's file follows this header in the same block.
struct MachineFile {
    sqlite3_file base;
    sqlite3_file* host;
};

sqlite3_file* HostFile(sqlite3_file* file)
{
    return reinterpret_cast<MachineFile*>(file)->host;
}

bool InjectedFailure(const char* function)
{
    DWORD error = 0;
    return nirasim::sim::TakeInjectedFailure(function, &error);
}

int MachineRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    if (InjectedFailure("ReadFile")) {
        return SQLITE_IOERR_READ;
    }
    sqlite3_file* host = HostFile(file);
    return host->pMethods->xRead(host, buffer, amount, offset);
}

int MachineClose(sqlite3_file* file)
{
    sqlite3_file* host = HostFile(file);
    return host->pMethods != nullptr ? host->pMethods->xClose(host) : SQLITE_OK;
}

// Every other method goes to the host layer's file unchanged.
template <typename Method, Method sqlite3_io_methods::*member, typename... Args>
int Forward(sqlite3_file* file, Args... args)
{
    sqlite3_file* host = HostFile(file);
    return (host->pMethods->*member)(host, args...);
}

void ForwardBarrier(sqlite3_file* file)
{
    sqlite3_file* host = HostFile(file);
    host->pMethods->xShmBarrier(host);
}

#define NIRASIM_FORWARD(name, ...) \
    Forward<decltype(sqlite3_io_methods::name), &sqlite3_io_methods::name, ##__VA_ARGS__>

// The host layer's methods with the read failing on demand; the rest forwarded where the host
// layer has them (null stays null, so SQLite sees the same capabilities).
sqlite3_io_methods MachineMethods(const sqlite3_io_methods& host)
{
    sqlite3_io_methods methods = host;
    methods.xClose = MachineClose;
    methods.xRead = MachineRead;
    methods.xWrite = NIRASIM_FORWARD(xWrite, const void*, int, sqlite3_int64);
    methods.xTruncate = NIRASIM_FORWARD(xTruncate, sqlite3_int64);
    methods.xSync = NIRASIM_FORWARD(xSync, int);
    methods.xFileSize = NIRASIM_FORWARD(xFileSize, sqlite3_int64*);
    methods.xLock = NIRASIM_FORWARD(xLock, int);
    methods.xUnlock = NIRASIM_FORWARD(xUnlock, int);
    methods.xCheckReservedLock = NIRASIM_FORWARD(xCheckReservedLock, int*);
    methods.xFileControl = NIRASIM_FORWARD(xFileControl, int, void*);
    methods.xSectorSize = NIRASIM_FORWARD(xSectorSize);
    methods.xDeviceCharacteristics = NIRASIM_FORWARD(xDeviceCharacteristics);
    if (host.iVersion >= 2) {
        methods.xShmMap = host.xShmMap ? NIRASIM_FORWARD(xShmMap, int, int, int, void volatile**) : nullptr;
        methods.xShmLock = host.xShmLock ? NIRASIM_FORWARD(xShmLock, int, int, int) : nullptr;
        methods.xShmBarrier = host.xShmBarrier ? ForwardBarrier : nullptr;
        methods.xShmUnmap = host.xShmUnmap ? NIRASIM_FORWARD(xShmUnmap, int) : nullptr;
    }
    if (host.iVersion >= 3) {
        methods.xFetch = host.xFetch ? NIRASIM_FORWARD(xFetch, sqlite3_int64, int, void**) : nullptr;
        methods.xUnfetch = host.xUnfetch ? NIRASIM_FORWARD(xUnfetch, sqlite3_int64, void*) : nullptr;
    }
    return methods;
}

// One table of machine methods for each table of the host layer (it has a few, by locking style).
const sqlite3_io_methods* MachineMethodsFor(const sqlite3_io_methods* host)
{
    static std::mutex lock;
    static auto* tables = new std::map<const sqlite3_io_methods*, sqlite3_io_methods>;
    std::lock_guard<std::mutex> guard(lock);
    auto found = tables->find(host);
    if (found == tables->end()) {
        found = tables->emplace(host, MachineMethods(*host)).first;
    }
    return &found->second;
}

#undef NIRASIM_FORWARD

int MachineOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    // SQLite hands the name from MachineFullPathname, so it is a host name already. The host
    // layer keeps the name pointer it is given, so a Windows name arriving here unmapped cannot
    // be mapped into a temporary: it is refused.
    auto* machineFile = reinterpret_cast<MachineFile*>(file);
    machineFile->base.pMethods = nullptr;
    if (IsWindowsPath(name)) {
        return SQLITE_CANTOPEN;
    }
    if (InjectedFailure("CreateFileW")) {
        return SQLITE_CANTOPEN;
    }
    machineFile->host = reinterpret_cast<sqlite3_file*>(machineFile + 1);
    const int result = g_hostVfs->xOpen(g_hostVfs, name, machineFile->host, flags, outFlags);
    if (machineFile->host->pMethods == nullptr) {
        return result;
    }
    // SQLite calls xClose whenever the methods are set, even after a failed open.
    machineFile->base.pMethods = MachineMethodsFor(machineFile->host->pMethods);
    return result;
}

int MachineDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    return g_hostVfs->xDelete(g_hostVfs, HostName(name).c_str(), syncDir);
}

int MachineAccess(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return g_hostVfs->xAccess(g_hostVfs, HostName(name).c_str(), flags, result);
}

struct Registration {
    Registration()
    {
        if (sqlite3_initialize() != SQLITE_OK) {
            return;
        }
        g_hostVfs = sqlite3_vfs_find(nullptr);
        if (g_hostVfs == nullptr || std::strcmp(g_hostVfs->zName, MACHINE_VFS_NAME) == 0) {
            return;
        }
        g_machineVfs = *g_hostVfs;
        g_machineVfs.pNext = nullptr;
        g_machineVfs.zName = MACHINE_VFS_NAME;
        g_machineVfs.xFullPathname = MachineFullPathname;
        g_machineVfs.xOpen = MachineOpen;
        g_machineVfs.szOsFile = static_cast<int>(sizeof(MachineFile)) + g_hostVfs->szOsFile;
        g_machineVfs.xDelete = MachineDelete;
        g_machineVfs.xAccess = MachineAccess;
        sqlite3_vfs_register(&g_machineVfs, 1);
    }
};

const Registration g_registration;

}  // namespace
