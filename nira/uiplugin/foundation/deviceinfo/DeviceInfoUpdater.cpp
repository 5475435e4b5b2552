// The device-information updater: opening, the update's steps and the per-printer GUID.
#include "nira/uiplugin/foundation/deviceinfo/DeviceInfoUpdater.h"

#include <objbase.h>
#include <strsafe.h>
#include <winspool.h>

#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"

namespace {

constexpr WCHAR kPrintersKey[] = TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\");
constexpr WCHAR kUpdateDoneValue[] = TEXT("DevSetUpdate");
constexpr WCHAR kObjectIdListKey[] = TEXT("NIRA_PMLOID_XML");
constexpr DWORD kKeyPathChars = 600;
constexpr DWORD kGuidReadBytes = 277;  // what the GUID test reads of the value
constexpr DWORD kGuidTextChars = 260;

// Full access to the printer, for the servers' own use of the printer while it is updated.
constexpr DWORD kUpdaterPrinterAccess = PRINTER_ALL_ACCESS;

}  // namespace

CNiraDeviceInfoUpdater::CNiraDeviceInfoUpdater(HANDLE printer, CNiraPrinterAccess* access)
    : m_printer(printer),
      m_access(access),
      m_printerName{},
      m_openedPrinter(nullptr),
      m_comInitializations(0),
      m_serverFlags(0),
      m_serverPaths(nullptr)
{
    if (m_access == nullptr || !m_access->GetPrinterName(m_printerName, kPrinterNameChars)) {
        m_printerName[0] = 0;
    }
}

CNiraDeviceInfoUpdater::~CNiraDeviceInfoUpdater()
{
    if (m_openedPrinter != nullptr) {
        ClosePrinter(m_openedPrinter);
    }
    for (; m_comInitializations > 0; --m_comInitializations) {
        CoUninitialize();
    }
    if (m_serverPaths != nullptr) {
        LocalFree(m_serverPaths);
    }
}

BOOL CNiraDeviceInfoUpdater::Open()
{
    HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (init != S_OK && init != S_FALSE && init != RPC_E_CHANGED_MODE) {
        return FALSE;
    }
    // The servers answer without authentication; a process that set its security already keeps it.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE, RPC_C_IMP_LEVEL_IDENTIFY,
                         nullptr, EOAC_NONE, nullptr);
    BOOL ownInit = init == S_OK || init == S_FALSE;
    HANDLE opened = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, kUpdaterPrinterAccess};
    if (m_printerName[0] == 0 || !OpenPrinterW(m_printerName, &opened, &defaults) || opened == nullptr) {
        if (ownInit) {
            CoUninitialize();
        }
        return FALSE;
    }
    if (m_openedPrinter != nullptr) {
        ClosePrinter(m_openedPrinter);
    }
    m_openedPrinter = opened;
    m_printer = opened;
    if (ownInit) {
        ++m_comInitializations;
    }
    return TRUE;
}

BOOL CNiraDeviceInfoUpdater::Update(int skipServerCheck)
{
    if (m_printerName[0] == 0) {
        return FALSE;  // no printer to key the GUID and the answers by
    }
    EnsurePrinterGuid();
    BOOL checkServers = skipServerCheck == 0;
    if (checkServers) {
        m_serverFlags = 0;
        m_serverPaths =
            static_cast<LPWSTR>(LocalAlloc(LPTR, kServerFileCount * kServerPathChars * sizeof(WCHAR)));
        if (m_serverPaths == nullptr) {
            return FALSE;
        }
        if (!CheckServerFiles() || !EnsureServers()) {
            ReleaseServers();
            return FALSE;
        }
    }
    BOOL updated = FALSE;
    if (TestDeviceStatusSupport() == 2) {
        PmlOidEntry* list = ReadObjectIds();
        // Without a list, or without a single answer to it, nothing of the device was stored: the
        // set is not complete, whatever the placeholders read back.
        BOOL answered = FALSE;
        if (list != nullptr && ResetAnswers(list, kWritePlaceholders) && QueryDevice(list, &answered)) {
            if (answered && ResetAnswers(list, kCheckAnswers)) {
                DWORD done = 1;
                updated = WriteAnswer(kUpdateDoneValue, REG_DWORD, reinterpret_cast<const BYTE*>(&done),
                                      sizeof(done));
            }
        }
        CNiraPmlOidXml::FreeList(list);
    }
    // Servers this update registered and could not unregister stay behind: the update says so.
    if (checkServers && !ReleaseServers()) {
        updated = FALSE;
    }
    return updated;
}

PmlOidEntry* CNiraDeviceInfoUpdater::ReadObjectIds()
{
    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    if (m_access == nullptr || !m_access->GetComponentPath(kObjectIdListKey, path)) {
        return nullptr;
    }
    PmlOidEntry* list = nullptr;
    CNiraPmlOidXml reader;
    if (reader.Open(path) != 0 || reader.ReadPmlOids(&list) != 1) {
        return nullptr;
    }
    return list;
}

// --- the per-printer GUID ---

void CNiraDeviceInfoUpdater::EnsurePrinterGuid()
{
    if (HasGuid()) {
        return;
    }
    WCHAR guid[kGuidTextChars];
    if (CreateGuid(guid, kGuidTextChars)) {
        WriteGuid(guid);
    }
}

namespace {

// HKLM ...\Printers\<printer>\ZQPresetRoot, created when absent; null when it cannot be.
HKEY OpenPresetRoot(LPCWSTR printerName)
{
    WCHAR path[kKeyPathChars];
    if (FAILED(StringCchCopyW(path, kKeyPathChars, kPrintersKey)) ||
        FAILED(StringCchCatW(path, kKeyPathChars, printerName)) ||
        FAILED(StringCchCatW(path, kKeyPathChars, TEXT("\\"))) ||
        FAILED(StringCchCatW(path, kKeyPathChars, kPresetRootKey))) {
        return nullptr;
    }
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

}  // namespace

BOOL CNiraDeviceInfoUpdater::HasGuid()
{
    HKEY key = OpenPresetRoot(m_printerName);
    if (key == nullptr) {
        return FALSE;
    }
    WCHAR guid[kGuidReadBytes / sizeof(WCHAR) + 1] = {};
    DWORD size = kGuidReadBytes;
    DWORD type = 0;
    LSTATUS status =
        RegQueryValueExW(key, kRestrictedUserGuidValue, nullptr, &type, reinterpret_cast<BYTE*>(guid), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && size >= sizeof(WCHAR) && guid[0] != 0;
}

BOOL CNiraDeviceInfoUpdater::CreateGuid(LPWSTR guid, DWORD capacity)
{
    GUID value;
    WCHAR text[kGuidTextChars];
    if (FAILED(CoCreateGuid(&value)) || StringFromGUID2(value, text, kGuidTextChars) == 0) {
        return FALSE;
    }
    // "{8-4-4-4-12}" without its braces.
    size_t length = 0;
    if (FAILED(StringCchLengthW(text, kGuidTextChars, &length)) || length < 2) {
        return FALSE;
    }
    return SUCCEEDED(StringCchCopyNW(guid, capacity, text + 1, length - 2));
}

BOOL CNiraDeviceInfoUpdater::WriteGuid(LPCWSTR guid)
{
    HKEY key = OpenPresetRoot(m_printerName);
    if (key == nullptr) {
        return FALSE;
    }
    size_t length = 0;
    LSTATUS status = ERROR_INVALID_PARAMETER;
    if (SUCCEEDED(StringCchLengthW(guid, kGuidTextChars, &length))) {
        status = RegSetValueExW(key, kRestrictedUserGuidValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(guid),
                                static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
