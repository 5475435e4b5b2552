#include "printprocessor/DriverQueries.h"

#include "common/ComponentFiles.h"
#include "common/SafeString.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

namespace {

constexpr LONG kMaxFormIndex = 255;
constexpr LONG kThousandthsPerTenth = 100;
constexpr DWORD kMaxFileNameChars = 256;
const WCHAR kStringDllKey[] = TEXT("Component_R_B");
const WCHAR kDefaultStringDll[] = TEXT("nirastr.DLL");

// The form list in a zero-filled local-heap block; null on failure.
FORM_INFO_1W* EnumerateForms(HANDLE printer, DWORD& count)
{
    DWORD needed = 0;
    count = 0;
    if (EnumFormsW(printer, 1, nullptr, 0, &needed, &count) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return nullptr;
    }
    auto* forms = static_cast<FORM_INFO_1W*>(LocalAlloc(LPTR, needed));
    if (forms == nullptr) {
        return nullptr;
    }
    if (!EnumFormsW(printer, 1, reinterpret_cast<LPBYTE>(forms), needed, &needed, &count)) {
        LocalFree(forms);
        return nullptr;
    }
    return forms;
}

}  // namespace

bool FormSizeByIndex(HANDLE printer, const DEVMODEW& devmode, LONG paperIndex, PaperSize& size)
{
    size = {};
    DWORD count = 0;
    FORM_INFO_1W* forms = EnumerateForms(printer, count);
    if (forms == nullptr) {
        return false;
    }
    LONG k = static_cast<SHORT>(paperIndex) - 1;
    if (k >= 0 && static_cast<DWORD>(k) < count && k < kMaxFormIndex) {
        size.width = forms[k].Size.cx / kThousandthsPerTenth;
        size.height = forms[k].Size.cy / kThousandthsPerTenth;
    } else {
        size.width = devmode.dmPaperWidth;
        size.height = devmode.dmPaperLength;
    }
    LocalFree(forms);
    return true;
}

bool GetDriverInfo3(HANDLE printer, DRIVER_INFO_3W** info)
{
    if (printer != nullptr) {
        return CNiraPrinterAccess::GetDriverInfo(printer, nullptr, nullptr, info) != FALSE;
    }
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE server = nullptr;
    if (!OpenPrinterW(nullptr, &server, &defaults)) {
        return false;
    }
    bool found = CNiraPrinterAccess::GetDriverInfo(server, nullptr, nullptr, info) != FALSE;
    ClosePrinter(server);
    return found;
}

bool FindDriverIni(LPWSTR iniPath, HANDLE printer)
{
    DRIVER_INFO_3W* info = nullptr;
    if (!GetDriverInfo3(printer, &info)) {
        return false;
    }
    bool found = info->pDependentFiles != nullptr && FindIniInDependentFiles(info->pDependentFiles, iniPath);
    LocalFree(info);
    return found;
}

bool ReadStringDllName(LPCWSTR iniPath, LPWSTR name)
{
    if (iniPath == nullptr || *iniPath == 0) {
        return false;
    }
    WCHAR value[kStringDllNameChars] = {};
    DWORD read = GetPrivateProfileStringW(kComponentFilesSection, kStringDllKey, kDefaultStringDll, value,
                                          kStringDllNameChars, iniPath);
    if (read >= kStringDllNameChars - 1) {
        CopyStringSafe(name, kStringDllNameChars, kDefaultStringDll);
        return false;
    }
    CopyStringSafe(name, kStringDllNameChars, value);
    return true;
}

bool BuildStringDllPath(HANDLE printer, LPWSTR* path, LPCWSTR fileName)
{
    DRIVER_INFO_3W* info = nullptr;
    if (!GetDriverInfo3(printer, &info)) {
        return false;
    }
    bool built = false;
    LPCWSTR driverPath = info->pDriverPath;
    LPCWSTR slash = nullptr;
    for (LPCWSTR at = driverPath; at != nullptr && *at != 0; ++at) {
        if (*at == '\\') {
            slash = at;
        }
    }
    if (slash != nullptr && slash != driverPath + 1) {
        size_t folderLength = static_cast<size_t>(slash - driverPath);
        size_t nameLength = lstrlenW(fileName);
        size_t capacity = folderLength + nameLength + 2;
        *path = static_cast<LPWSTR>(LocalAlloc(LPTR, capacity * sizeof(WCHAR)));
        if (*path != nullptr) {
            CopyMemory(*path, driverPath, folderLength * sizeof(WCHAR));
            AppendStringSafe(*path, capacity, TEXT("\\"));
            AppendStringSafe(*path, capacity < kMaxFileNameChars ? capacity : kMaxFileNameChars, fileName);
            built = true;
        }
    }
    LocalFree(info);
    return built;
}
