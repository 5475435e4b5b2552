#include "nira/uiplugin/foundation/deviceinfo/UsbDeviceInfo.h"

#include <strsafe.h>
#include <winspool.h>

#include <new>

#include "common/ScopedResources.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/foundation/printer/PrinterInfo.h"
#include "nira/uiplugin/interfaces/INiraDeviceSettings.h"

namespace {

constexpr WCHAR kPrintersKey[] = TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\");
constexpr WCHAR kDriverDataKey[] = TEXT("\\PrinterDriverData");
constexpr WCHAR kDsQueryValue[] = TEXT("DSQUERY");
constexpr WCHAR kProbeValue[] = TEXT("ZQDUMMY");
constexpr WCHAR kJobName[] = TEXT("SerialNumberJob");
constexpr WCHAR kJobDataType[] = TEXT("RAW");
constexpr DWORD kPrinterNameChars = 256;
constexpr DWORD kKeyPathChars = 600;

// DSQUERY: 1 once a serial-number job succeeded, 0 while one must run again.
constexpr DWORD kJobDone = 1;
constexpr DWORD kJobNeeded = 0;

WCHAR UpperAscii(WCHAR c)
{
    return (c >= TEXT('a') && c <= TEXT('z')) ? static_cast<WCHAR>(c - TEXT('a') + TEXT('A')) : c;
}

// TRUE when the port name holds "LPT" or "USB" (letters in any case).
BOOL IsLocalDevicePort(LPCWSTR port)
{
    static const LPCWSTR kMarks[] = {TEXT("LPT"), TEXT("USB")};
    for (; port != nullptr && *port != 0; ++port) {
        for (LPCWSTR mark : kMarks) {
            int i = 0;
            while (mark[i] != 0 && port[i] != 0 && UpperAscii(port[i]) == mark[i]) {
                ++i;
            }
            if (mark[i] == 0) {
                return TRUE;
            }
        }
    }
    return FALSE;
}

}  // namespace

CNiraUsbDeviceInfo::CNiraUsbDeviceInfo(HANDLE printer, INiraDeviceSettingsSource* settingsSource)
    : m_printer(printer), m_access(new(std::nothrow) CNiraPrinterAccess(printer)), m_settings(nullptr)
{
    if (m_access != nullptr) {
        m_access->FindDriverIni(FALSE);
    }
    if (settingsSource != nullptr) {
        m_settings = settingsSource->OpenDeviceSettings(printer);
    }
}

CNiraUsbDeviceInfo::~CNiraUsbDeviceInfo()
{
    delete m_access;
    delete m_settings;
}

// --- refresh ---

// The job goes out on the handle the caller gives, which may differ from the one the provider was
// made with (that one may be busy with a document of its own).
int CNiraUsbDeviceInfo::Refresh(HANDLE printer)
{
    DWORD dsQuery = kJobNeeded;
    if (AccessDsQuery(kReadDsQuery, &dsQuery) && dsQuery == kJobDone) {
        return 1;
    }
    return RunSerialNumberJob(printer);
}

BOOL CNiraUsbDeviceInfo::OpenDriverDataKey(HKEY* key)
{
    WCHAR name[kPrinterNameChars];
    WCHAR path[kKeyPathChars];
    if (m_access == nullptr || !m_access->GetPrinterName(name, kPrinterNameChars) ||
        FAILED(StringCchCopyW(path, kKeyPathChars, kPrintersKey)) ||
        FAILED(StringCchCatW(path, kKeyPathChars, name)) ||
        FAILED(StringCchCatW(path, kKeyPathChars, kDriverDataKey))) {
        return FALSE;
    }
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, key) == ERROR_SUCCESS;
}

BOOL CNiraUsbDeviceInfo::AccessDsQuery(DsQueryMode mode, DWORD* value)
{
    CNiraRegKey key;
    if (!OpenDriverDataKey(&key)) {
        return FALSE;
    }
    if (mode == kWriteDsQuery) {
        return RegSetValueExW(key.Get(), kDsQueryValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(value),
                              sizeof(DWORD)) == ERROR_SUCCESS;
    }
    DWORD type = 0;
    DWORD stored = 0;
    DWORD size = sizeof(stored);
    LSTATUS status =
        RegQueryValueExW(key.Get(), kDsQueryValue, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        DWORD initial = kJobDone;
        RegSetValueExW(key.Get(), kDsQueryValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&initial),
                       sizeof(initial));
        return FALSE;
    }
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(stored)) {
        return FALSE;
    }
    *value = stored;
    return TRUE;
}

int CNiraUsbDeviceInfo::RunSerialNumberJob(HANDLE printer)
{
    WCHAR name[kPrinterNameChars];
    if (m_access == nullptr || !m_access->GetPrinterName(name, kPrinterNameChars)) {
        return 0;
    }
    // Only a process that may change the printer's data starts the job, and not one that runs
    // with a split administrator token.
    if (!ProbePrinterDataAccess(printer, name) || m_access->IsUacActive()) {
        return 0;
    }
    CNiraLocalBuffer<PRINTER_INFO_2W> info(ReadPrinterInfo2(printer));
    if (!info || !IsLocalDevicePort(info->pPortName)) {
        return 0;
    }
    DWORD dsQuery = kJobNeeded;
    if (IsStatusStringReadable(printer)) {
        AccessDsQuery(kWriteDsQuery, &dsQuery);
        return 0;
    }
    ResetStatusString();
    dsQuery = SendSerialNumberJob(printer) ? kJobDone : kJobNeeded;
    AccessDsQuery(kWriteDsQuery, &dsQuery);
    return 0;
}

BOOL CNiraUsbDeviceInfo::ProbePrinterDataAccess(HANDLE printer, LPCWSTR printerName)
{
    DWORD zero = 0;
    if (SetPrinterDataW(printer, const_cast<LPWSTR>(kProbeValue), REG_DWORD, reinterpret_cast<BYTE*>(&zero),
                        sizeof(zero)) == ERROR_SUCCESS) {
        return TRUE;
    }
    CNiraOpenedPrinter opened;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &opened, &defaults) || !opened) {
        return FALSE;
    }
    return SetPrinterDataW(opened.Get(), const_cast<LPWSTR>(kProbeValue), REG_DWORD,
                           reinterpret_cast<BYTE*>(&zero), sizeof(zero)) == ERROR_SUCCESS;
}

BOOL CNiraUsbDeviceInfo::IsStatusStringReadable(HANDLE printer)
{
    DWORD type = 0;
    DWORD needed = 0;
    DWORD status =
        GetPrinterDataW(printer, const_cast<LPWSTR>(kDeviceStatusValue), &type, nullptr, 0, &needed);
    if ((status != ERROR_INSUFFICIENT_BUFFER && status != ERROR_MORE_DATA) || needed == 0) {
        return FALSE;
    }
    auto buffer = CNiraLocalBuffer<BYTE>::Allocate(needed);
    return buffer && GetPrinterDataW(printer, const_cast<LPWSTR>(kDeviceStatusValue), &type, buffer.Get(),
                                     needed, &needed) == ERROR_SUCCESS;
}

BOOL CNiraUsbDeviceInfo::ResetStatusString()
{
    CNiraRegKey key;
    if (!OpenDriverDataKey(&key)) {
        return FALSE;
    }
    const BYTE empty = 0;
    return RegSetValueExW(key.Get(), kDeviceStatusValue, 0, REG_BINARY, &empty, sizeof(empty)) ==
           ERROR_SUCCESS;
}

BOOL CNiraUsbDeviceInfo::SendSerialNumberJob(HANDLE printer)
{
    // The language monitor answers an empty job by reading the device status.
    WCHAR outputFile[] = TEXT("");
    DOC_INFO_1W document = {const_cast<LPWSTR>(kJobName), outputFile, const_cast<LPWSTR>(kJobDataType)};
    if (StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&document)) == 0) {
        return FALSE;
    }
    return EndDocPrinter(printer);
}

// --- queries through the settings helper module ---

BOOL CNiraUsbDeviceInfo::FindHelperModule(WCHAR (&path)[CNiraPrinterAccess::kComponentPathChars])
{
    return m_access != nullptr && m_settings != nullptr &&
           m_access->GetComponentPath(kSettingsHelperModuleKey, path);
}

int CNiraUsbDeviceInfo::QueryHelperDuplexUnit(int* value)
{
    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    return FindHelperModule(path) ? m_settings->QueryDuplexUnit(path, value) : 0;
}

int CNiraUsbDeviceInfo::QueryHelperFeature(int* value)
{
    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    return FindHelperModule(path) ? m_settings->QueryFeature(path, value) : 0;
}

int CNiraUsbDeviceInfo::QueryDuplexUnit(int queryCode, int* value)
{
    if (FindDeviceQueryKind(queryCode) != DEVICE_QUERY_DUPLEX_UNIT || value == nullptr) {
        return 0;
    }
    return QueryHelperDuplexUnit(value);
}

int CNiraUsbDeviceInfo::QueryFeature(int queryCode, int* handled, int* value)
{
    if (FindDeviceQueryKind(queryCode) != DEVICE_QUERY_FEATURE || handled == nullptr || value == nullptr) {
        return 0;
    }
    int answered = QueryHelperFeature(value);
    *handled = 1;
    return answered;
}
