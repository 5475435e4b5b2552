// The device-information updater: finding, registering and asking the driver package's device
// servers.
#include "nira/uiplugin/foundation/deviceinfo/DeviceInfoUpdater.h"

#include <objbase.h>
#include <strsafe.h>
#include <winspool.h>

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterInfo.h"

namespace {

// The server files, in the order they are looked for among the driver's dependent files.
enum ServerFile {
    kStatusProxyDll = 0,
    kStatusExe = 1,
    kQueryExe = 2,
    kStatusDll = 3,
    kMgmtDll = 4,
    kQueryProxyDll = 5,
    kQueryDll = 6,
};

const LPCWSTR DeviceServerFileTable[CNiraDeviceInfoUpdater::kServerFileCount] = {
    TEXT("nirastatusps.dll"), TEXT("nirastatus.exe"),  TEXT("niraquery.exe"), TEXT("nirastatus.dll"),
    TEXT("niramgmt.dll"),     TEXT("niraqueryps.dll"), TEXT("niraquery.dll"),
};

// Registration flags: which servers this update registered.
constexpr int kStatusRegistered = 0x1;
constexpr int kMgmtRegistered = 0x2;
constexpr int kQueryRegistered = 0x4;

// A module handle below this value is a failure code of the loader.
constexpr ULONG_PTR kFirstValidModule = 32;
constexpr DWORD kFullPathChars = MAX_PATH + CNiraDeviceInfoUpdater::kServerPathChars;

// Support test answers.
constexpr int kSupportUnknown = 0;
constexpr int kNotSupported = 1;
constexpr int kSupported = 2;

WCHAR LowerAscii(WCHAR c)
{
    return (c >= TEXT('A') && c <= TEXT('Z')) ? static_cast<WCHAR>(c - TEXT('A') + TEXT('a')) : c;
}

// TRUE when `name` occurs in `text`, letters compared without regard to case.
BOOL ContainsNoCase(LPCWSTR text, LPCWSTR name)
{
    for (; *text != 0; ++text) {
        size_t i = 0;
        while (name[i] != 0 && text[i] != 0 && LowerAscii(text[i]) == LowerAscii(name[i])) {
            ++i;
        }
        if (name[i] == 0) {
            return TRUE;
        }
    }
    return name[0] == 0;
}

IUnknown* CreateServerObject(REFCLSID classId, REFIID interfaceId)
{
    void* object = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, kDeviceServerContext, interfaceId, &object))) {
        return nullptr;
    }
    return static_cast<IUnknown*>(object);
}

void ReleaseObject(IUnknown* object)
{
    if (object != nullptr) {
        object->Release();
    }
}

}  // namespace

BOOL CNiraDeviceInfoUpdater::CheckServerFiles()
{
    DRIVER_INFO_3W* info = nullptr;
    if (!CNiraPrinterAccess::GetDriverInfo(m_printer, m_printerName, nullptr, &info)) {
        return FALSE;
    }
    BOOL complete = TRUE;
    BOOL statusExeMissing = FALSE;
    BOOL queryExeMissing = FALSE;
    for (int file = 0; file < kServerFileCount && complete; ++file) {
        LPWSTR path = m_serverPaths + file * kServerPathChars;
        if (info->pDependentFiles != nullptr &&
            FindDependentFile(info->pDependentFiles, DeviceServerFileTable[file], path)) {
            continue;
        }
        // A server ships as an executable or as a DLL; without both it cannot run.
        statusExeMissing = statusExeMissing || file == kStatusExe;
        queryExeMissing = queryExeMissing || file == kQueryExe;
        if ((file == kStatusDll && statusExeMissing) || (file == kQueryDll && queryExeMissing)) {
            complete = FALSE;
        }
    }
    LocalFree(info);
    return complete;
}

BOOL CNiraDeviceInfoUpdater::FindDependentFile(LPCWSTR dependentFiles, LPCWSTR name, LPWSTR path)
{
    for (LPCWSTR entry = dependentFiles; *entry != 0; entry += lstrlenW(entry) + 1) {
        if (ContainsNoCase(entry, name) && SUCCEEDED(StringCchCopyW(path, kServerPathChars, entry))) {
            return TRUE;
        }
    }
    path[0] = 0;
    return FALSE;
}

BOOL CNiraDeviceInfoUpdater::HasDependentFile(int file) const
{
    return m_serverPaths != nullptr && m_serverPaths[file * kServerPathChars] != 0;
}

BOOL CNiraDeviceInfoUpdater::ResolveServerPath(int file, LPWSTR path, DWORD capacity)
{
    LPCWSTR name = DeviceServerFileTable[file];
    // A package with the DLL form of the status server installs every server in the system folder.
    if (HasDependentFile(kStatusDll)) {
        UINT length = GetSystemDirectoryW(path, capacity);
        if (length != 0 && length < capacity) {
            return SUCCEEDED(StringCchCatW(path, capacity, TEXT("\\"))) &&
                   SUCCEEDED(StringCchCatW(path, capacity, name));
        }
    }
    for (int entry = 0; entry < kServerFileCount; ++entry) {
        LPCWSTR found = m_serverPaths + entry * kServerPathChars;
        if (found[0] != 0 && ContainsNoCase(found, name)) {
            return SUCCEEDED(StringCchCopyW(path, capacity, found));
        }
    }
    return FALSE;
}

BOOL CNiraDeviceInfoUpdater::RegisterServerDll(int file, BOOL registerIt)
{
    WCHAR path[kFullPathChars];
    if (!ResolveServerPath(file, path, kFullPathChars)) {
        return FALSE;
    }
    HMODULE module = LoadLibraryW(path);
    if (reinterpret_cast<ULONG_PTR>(module) < kFirstValidModule) {
        return FALSE;
    }
    typedef HRESULT(STDAPICALLTYPE * RegistrationProc)(void);
    auto registration = reinterpret_cast<RegistrationProc>(reinterpret_cast<void*>(
        GetProcAddress(module, registerIt ? "DllRegisterServer" : "DllUnregisterServer")));
    BOOL done = registration != nullptr && registration() == S_OK;
    FreeLibrary(module);
    return done;
}

BOOL CNiraDeviceInfoUpdater::EnsureServers()
{
    // The device-status provider: its proxy/stub, and the DLL form unless the executable ships.
    IUnknown* status = CreateServerObject(CLSID_NiraDeviceStatusProvider, IID_INiraDeviceStatusProvider);
    if (status == nullptr) {
        if (!RegisterServerDll(kStatusProxyDll, TRUE)) {
            return FALSE;
        }
        m_serverFlags |= kStatusRegistered;  // from here on, release unregisters it again
        if (!HasDependentFile(kStatusExe) && !RegisterServerDll(kStatusDll, TRUE)) {
            return FALSE;
        }
        status = CreateServerObject(CLSID_NiraDeviceStatusProvider, IID_INiraDeviceStatusProvider);
        if (status == nullptr) {
            return FALSE;
        }
    }
    ReleaseObject(status);

    IUnknown* connection = CreateServerObject(CLSID_NiraMgmtConnection, IID_INiraMgmtConnection);
    IUnknown* request = CreateServerObject(CLSID_NiraMgmtRequest, IID_INiraMgmtRequest);
    if (connection == nullptr || request == nullptr) {
        BOOL registered = RegisterServerDll(kMgmtDll, TRUE);
        if (registered) {
            m_serverFlags |= kMgmtRegistered;
            if (connection == nullptr) {
                connection = CreateServerObject(CLSID_NiraMgmtConnection, IID_INiraMgmtConnection);
            }
            if (request == nullptr) {
                request = CreateServerObject(CLSID_NiraMgmtRequest, IID_INiraMgmtRequest);
            }
        }
        if (!registered || connection == nullptr || request == nullptr) {
            ReleaseObject(connection);
            ReleaseObject(request);
            return FALSE;
        }
    }
    ReleaseObject(connection);
    ReleaseObject(request);

    IUnknown* query = CreateServerObject(CLSID_NiraObjectIdServer, IID_INiraObjectIdServer);
    if (query == nullptr) {
        if (!RegisterServerDll(kQueryProxyDll, TRUE)) {
            return FALSE;
        }
        m_serverFlags |= kQueryRegistered;
        if (!HasDependentFile(kQueryExe) && !RegisterServerDll(kQueryDll, TRUE)) {
            return FALSE;
        }
        query = CreateServerObject(CLSID_NiraObjectIdServer, IID_INiraObjectIdServer);
        if (query == nullptr) {
            return FALSE;
        }
    }
    ReleaseObject(query);
    return TRUE;
}

BOOL CNiraDeviceInfoUpdater::UnregisterServers()
{
    // Each one is tried, whatever became of the others: one that stays registered is enough.
    BOOL unregistered = TRUE;
    auto unregister = [&](int file) { unregistered = RegisterServerDll(file, FALSE) && unregistered; };
    if (m_serverFlags & kStatusRegistered) {
        unregister(kStatusProxyDll);
        if (!HasDependentFile(kStatusExe)) {
            unregister(kStatusDll);
        }
    }
    if (m_serverFlags & kMgmtRegistered) {
        unregister(kMgmtDll);
    }
    if (m_serverFlags & kQueryRegistered) {
        unregister(kQueryProxyDll);
        if (!HasDependentFile(kQueryExe)) {
            unregister(kQueryDll);
        }
    }
    return unregistered;
}

BOOL CNiraDeviceInfoUpdater::ReleaseServers()
{
    const BOOL unregistered = UnregisterServers();
    m_serverFlags = 0;
    if (m_serverPaths != nullptr) {
        LocalFree(m_serverPaths);
        m_serverPaths = nullptr;
    }
    return unregistered;
}

int CNiraDeviceInfoUpdater::TestDeviceStatusSupport()
{
    PRINTER_INFO_2W* info = ReadPrinterInfo2(m_printer);
    if (info == nullptr) {
        return kSupportUnknown;
    }
    int answer = kNotSupported;
    auto* provider = static_cast<INiraDeviceStatusProvider*>(
        CreateServerObject(CLSID_NiraDeviceStatusProvider, IID_INiraDeviceStatusProvider));
    if (provider != nullptr) {
        int supported = 0;
        int statusAvailable = 0;
        LPCWSTR portName = info->pPortName != nullptr ? info->pPortName : TEXT("");
        if (provider->CheckPrinterSupport(m_printerName, portName, &supported, &statusAvailable) == S_OK &&
            supported != 0) {
            answer = kSupported;
        }
        provider->Release();
    }
    LocalFree(info);
    return answer;
}
