#include "nira/uiplugin/features/handlers/CustomForms.h"

#include <objbase.h>
#include <strsafe.h>
#include <winspool.h>

#include "common/ScopedResources.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"

namespace {

const WCHAR kUserRoot[] = TEXT("Software\\Norvell-Ashby\\");
const WCHAR kFormsKey[] = TEXT("ZQCustomForms");
constexpr size_t kKeyPathChars = 260;

WORD LittleEndianWord(const BYTE* bytes)
{
    return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

void FormatUserGuidText(const GUID& guid, LPWSTR text, size_t chars)
{
    StringCchPrintfW(text, chars, TEXT("%lx-%04x-%04x-%04x-%04x%04x%04x"),
                     static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3,
                     LittleEndianWord(&guid.Data4[0]), LittleEndianWord(&guid.Data4[2]),
                     LittleEndianWord(&guid.Data4[4]), LittleEndianWord(&guid.Data4[6]));
}

BOOL CNiraUserFormsKey::ReadGuidText(HANDLE printer, BOOL create, WCHAR (&text)[kGuidChars])
{
    if (printer == nullptr) {
        return FALSE;
    }
    WCHAR read[kGuidChars + 1] = {};
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataExW(printer, kPresetRootKey, kRestrictedUserGuidValue, &type,
                          reinterpret_cast<BYTE*>(read), sizeof(WCHAR) * kGuidChars,
                          &needed) == ERROR_SUCCESS &&
        read[0] != 0) {
        StringCchCopyNW(text, kGuidChars, read, kGuidChars - 1);
        return TRUE;
    }
    if (!create) {
        return FALSE;
    }
    GUID guid = {};
    if (FAILED(CoCreateGuid(&guid))) {
        return FALSE;
    }
    FormatUserGuidText(guid, text, kGuidChars);
    size_t length = 0;
    StringCchLengthW(text, kGuidChars, &length);
    // The stored size counts the terminator and one character more, as the readers expect.
    return SetPrinterDataExW(printer, kPresetRootKey, kRestrictedUserGuidValue, REG_SZ,
                             reinterpret_cast<BYTE*>(text),
                             static_cast<DWORD>((length + 2) * sizeof(WCHAR))) == ERROR_SUCCESS;
}

LSTATUS CNiraUserFormsKey::Open(LPCWSTR guidText, REGSAM rights, HKEY* key)
{
    return OpenSubkey(guidText, kFormsKey, rights, TRUE, key);
}

LSTATUS CNiraUserFormsKey::OpenSubkey(LPCWSTR guidText, LPCWSTR subkey, REGSAM rights, BOOL create, HKEY* key)
{
    WCHAR path[kKeyPathChars] = {};
    if (FAILED(StringCchPrintfW(path, kKeyPathChars, TEXT("%s%s\\%s"), kUserRoot, guidText, subkey))) {
        return ERROR_INVALID_PARAMETER;
    }
    if (!create) {
        return RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, rights, key);
    }
    return RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, rights, nullptr, key, nullptr);
}

LSTATUS CNiraUserFormsKey::OpenForPrinter(INiraCoreServices* services, BOOL createGuid, REGSAM rights,
                                          HKEY* key)
{
    return OpenSubkeyForPrinter(services, createGuid, kFormsKey, rights, TRUE, key);
}

LSTATUS CNiraUserFormsKey::OpenSubkeyForPrinter(INiraCoreServices* services, BOOL createGuid, LPCWSTR subkey,
                                                REGSAM rights, BOOL create, HKEY* key)
{
    WCHAR* printerName = nullptr;
    WCHAR guid[kGuidChars] = {};
    BOOL found = FALSE;
    if (services != nullptr && services->GetPrinterName(&printerName) == 0 && printerName != nullptr) {
        CNiraPrinterAccess access(printerName);
        found = ReadGuidText(access.GetHandle(), createGuid, guid);
    }
    LocalFree(printerName);
    return found ? OpenSubkey(guid, subkey, rights, create, key) : ERROR_NOT_FOUND;
}
