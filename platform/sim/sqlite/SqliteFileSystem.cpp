// The file-system layer through which SQLite opens files on the simulated machine. The driver
// opens its databases with sqlite3_open16 and a Windows path ("C:\...\ZQV1A.tmp.vdf"); this
// layer wraps the host's default layer and only maps such names onto the machine's folders.
// It is registered as SQLite's default once per process, when the simulated machine loads: the
// driver itself registers nothing with SQLite.
#include <sqlite3.h>

#include <cstring>
#include <string>

#include "files/PathMap.h"

namespace {

sqlite3_vfs g_machineVfs;
sqlite3_vfs* g_hostVfs = nullptr;

constexpr char MACHINE_VFS_NAME[] = "nirasim";

// "X:\...", "X:/..." or "\\server\share\...": a name of the machine, not of the host. Host
// paths ("/tmp/...") pass through unchanged, so tests may still open host files.
bool IsWindowsPath(const char* name)
{
    if (name == nullptr)
        return false;
    const bool drive = ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')) &&
                       name[1] == ':';
    const bool unc = name[0] == '\\' && name[1] == '\\';
    return drive || unc;
}

std::string HostName(const char* name)
{
    if (!IsWindowsPath(name))
        return name != nullptr ? std::string(name) : std::string();
    return nirasim::sim::MapWindowsPathUtf8(name);
}

int MachineFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    if (!IsWindowsPath(name))
        return g_hostVfs->xFullPathname(g_hostVfs, name, size, out);
    const std::string host = HostName(name);
    if (host.empty())
        return SQLITE_CANTOPEN;
    return g_hostVfs->xFullPathname(g_hostVfs, host.c_str(), size, out);
}

int MachineOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    // SQLite hands the name from MachineFullPathname, so it is a host name already. The host
    // layer keeps the name pointer it is given, so a Windows name arriving here unmapped cannot
    // be mapped into a temporary: it is refused.
    if (IsWindowsPath(name))
        return SQLITE_CANTOPEN;
    return g_hostVfs->xOpen(g_hostVfs, name, file, flags, outFlags);
}

int MachineDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    return g_hostVfs->xDelete(g_hostVfs, HostName(name).c_str(), syncDir);
}

int MachineAccess(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return g_hostVfs->xAccess(g_hostVfs, HostName(name).c_str(), flags, result);
}

struct Registration
{
    Registration()
    {
        if (sqlite3_initialize() != SQLITE_OK)
            return;
        g_hostVfs = sqlite3_vfs_find(nullptr);
        if (g_hostVfs == nullptr || std::strcmp(g_hostVfs->zName, MACHINE_VFS_NAME) == 0)
            return;
        g_machineVfs = *g_hostVfs;
        g_machineVfs.pNext = nullptr;
        g_machineVfs.zName = MACHINE_VFS_NAME;
        g_machineVfs.xFullPathname = MachineFullPathname;
        g_machineVfs.xOpen = MachineOpen;
        g_machineVfs.xDelete = MachineDelete;
        g_machineVfs.xAccess = MachineAccess;
        sqlite3_vfs_register(&g_machineVfs, 1);
    }
};

const Registration g_registration;

}  // namespace
