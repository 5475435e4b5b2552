// Printer data, kept in the registry as Windows keeps it: GetPrinterDataW and its kin work on
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Printers\<printer>\PrinterDriverData, the Ex forms
// on ...\Printers\<printer>\<key>. Writing and deleting need a handle opened with
// PRINTER_ACCESS_ADMINISTER.
#include "spooler/Spooler.h"

#include "core/Failures.h"
#include "core/Wide.h"

namespace nirasim::sim {
namespace {

struct OpenedKey {
    HKEY key = nullptr;
    ~OpenedKey()
    {
        if (key != nullptr) {
            RegCloseKey(key);
        }
    }
};

// Opens (or makes) the registry key of a printer's data; ERROR_SUCCESS or the error.
DWORD OpenDataKey(HANDLE printer, LPCWSTR keyName, bool forWriting, OpenedKey& opened)
{
    auto handle = PrinterHandleOf(printer);
    if (!handle || handle->printer.empty()) {
        return ERROR_INVALID_HANDLE;
    }
    if (keyName == nullptr || *keyName == 0) {
        return ERROR_INVALID_PARAMETER;
    }
    if (forWriting && !(handle->granted & PRINTER_ACCESS_ADMINISTER)) {
        return ERROR_ACCESS_DENIED;
    }
    std::u16string path = PrinterKeyPath(handle->printer) + u"\\" + WideFrom(keyName);
    return forWriting ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &opened.key, nullptr)
                      : RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &opened.key);
}

// Opens the key for setting or deleting a value, which must be named.
DWORD OpenValueForChange(HANDLE printer, LPCWSTR keyName, LPCWSTR valueName, OpenedKey& opened)
{
    if (valueName == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    return OpenDataKey(printer, keyName, true, opened);
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

static DWORD GetData(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, LPDWORD pType, LPBYTE pData,
                     DWORD nSize, LPDWORD pcbNeeded)
{
    if (pcbNeeded == nullptr) {
        return RPC_X_NULL_REF_POINTER;
    }
    OpenedKey opened;
    DWORD status = OpenDataKey(hPrinter, pKeyName, false, opened);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    DWORD size = nSize;
    DWORD type = REG_NONE;
    status = RegQueryValueExW(opened.key, pValueName, nullptr, &type,
                              pData == nullptr && nSize == 0 ? nullptr : pData, &size);
    if (status == ERROR_SUCCESS && pData == nullptr && size > 0) {
        status = ERROR_MORE_DATA;  // a size query: the data would not have fit
    }
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        *pcbNeeded = size;
        if (pType != nullptr) {
            *pType = type;
        }
    }
    return status;
}

DWORD WINAPI GetPrinterDataW(HANDLE hPrinter, LPWSTR pValueName, LPDWORD pType, LPBYTE pData, DWORD nSize,
                             LPDWORD pcbNeeded)
{
    NIRASIM_RETURN_IF_INJECTED("GetPrinterDataW");
    return GetData(hPrinter, kPrinterDataKey, pValueName, pType, pData, nSize, pcbNeeded);
}

static DWORD SetData(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, DWORD Type, LPBYTE pData,
                     DWORD cbData)
{
    OpenedKey opened;
    DWORD status = OpenValueForChange(hPrinter, pKeyName, pValueName, opened);
    return status != ERROR_SUCCESS ? status : RegSetValueExW(opened.key, pValueName, 0, Type, pData, cbData);
}

DWORD WINAPI SetPrinterDataW(HANDLE hPrinter, LPWSTR pValueName, DWORD Type, LPBYTE pData, DWORD cbData)
{
    NIRASIM_RETURN_IF_INJECTED("SetPrinterDataW");
    return SetData(hPrinter, kPrinterDataKey, pValueName, Type, pData, cbData);
}

static DWORD DeleteData(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName)
{
    OpenedKey opened;
    DWORD status = OpenValueForChange(hPrinter, pKeyName, pValueName, opened);
    return status != ERROR_SUCCESS ? status : RegDeleteValueW(opened.key, pValueName);
}

DWORD WINAPI DeletePrinterDataW(HANDLE hPrinter, LPWSTR pValueName)
{
    NIRASIM_RETURN_IF_INJECTED("DeletePrinterDataW");
    return DeleteData(hPrinter, kPrinterDataKey, pValueName);
}

DWORD WINAPI GetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, LPDWORD pType,
                               LPBYTE pData, DWORD nSize, LPDWORD pcbNeeded)
{
    NIRASIM_RETURN_IF_INJECTED("GetPrinterDataExW");
    return GetData(hPrinter, pKeyName, pValueName, pType, pData, nSize, pcbNeeded);
}

DWORD WINAPI SetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, DWORD Type,
                               LPBYTE pData, DWORD cbData)
{
    NIRASIM_RETURN_IF_INJECTED("SetPrinterDataExW");
    return SetData(hPrinter, pKeyName, pValueName, Type, pData, cbData);
}

DWORD WINAPI DeletePrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName)
{
    NIRASIM_RETURN_IF_INJECTED("DeletePrinterDataExW");
    return DeleteData(hPrinter, pKeyName, pValueName);
}
