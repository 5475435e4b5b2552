#include "common/ResourceHelper.h"

#include "common/StringResource.h"

#include <htmlhelp.h>
#include <strsafe.h>

namespace {

const WCHAR kMakerKey[] = TEXT("Software\\Norvell-Ashby\\");
constexpr size_t kMaxKeyLength = MAX_PATH;
constexpr size_t kMaxDriverPathLength = 256;
constexpr WCHAR kBackslash = TEXT('\\');
constexpr size_t kLowestDirectoryEnd = 2;  // "\x" or "C:" alone are no directory

}  // namespace

CNiraResourceHelper::CNiraResourceHelper()
    : m_stringModule(nullptr), m_pictureModule(nullptr), m_ownsPictureModule(FALSE), m_driverInfo(nullptr)
{
    SetStringLanguage(GetUserDefaultUILanguage());
}

CNiraResourceHelper::~CNiraResourceHelper()
{
    if (m_driverInfo != nullptr) {
        LocalFree(m_driverInfo);
    }
    if (m_ownsPictureModule && m_pictureModule != nullptr) {
        FreeLibrary(m_pictureModule);
    }
    m_driverInfo = nullptr;
    m_pictureModule = nullptr;
    m_stringModule = nullptr;
    m_ownsPictureModule = FALSE;
}

void CNiraResourceHelper::SetPictureModule(HMODULE module, BOOL ownsModule)
{
    m_pictureModule = module;
    m_ownsPictureModule = ownsModule;
}

BOOL CNiraResourceHelper::LoadText(UINT id, LPWSTR buffer) const
{
    if (m_stringModule == nullptr || buffer == nullptr) {
        return FALSE;
    }
    return LoadStringResource(m_stringModule, id, buffer, kTextCapacity) != 0;
}

BOOL CNiraResourceHelper::GetDriverInfo(HANDLE printer, LPWSTR printerName, LPDEVMODEW devMode,
                                        PDRIVER_INFO_3W* out) const
{
    if (out == nullptr) {
        return FALSE;
    }
    *out = nullptr;
    HANDLE opened = nullptr;
    if (printer == nullptr) {
        PRINTER_DEFAULTSW defaults = {nullptr, devMode, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(printerName, &opened, &defaults)) {
            return FALSE;
        }
        printer = opened;
    }
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
    BYTE* info = needed > 0 ? static_cast<BYTE*>(LocalAlloc(LPTR, needed)) : nullptr;
    if (info != nullptr && !GetPrinterDriverW(printer, nullptr, 3, info, needed, &needed)) {
        LocalFree(info);
        info = nullptr;
    }
    if (opened != nullptr) {
        ClosePrinter(opened);
    }
    *out = reinterpret_cast<PDRIVER_INFO_3W>(info);
    return info != nullptr;
}

BOOL CNiraResourceHelper::GetDriverFilePath(HANDLE printer, LPCWSTR fileName, LPWSTR* out) const
{
    if (out == nullptr) {
        return FALSE;
    }
    *out = nullptr;
    PDRIVER_INFO_3W info = nullptr;
    if (!GetDriverInfo(printer, nullptr, nullptr, &info)) {
        return FALSE;
    }
    LPCWSTR driverPath = info->pDriverPath;
    size_t length = 0;
    if (driverPath == nullptr || FAILED(StringCchLengthW(driverPath, kMaxDriverPathLength, &length))) {
        LocalFree(info);
        return FALSE;
    }
    const WCHAR* backslash = wcsrchr(driverPath, kBackslash);
    const size_t directoryLength = backslash == nullptr ? 0 : static_cast<size_t>(backslash - driverPath);
    LPWSTR path = nullptr;
    if (directoryLength >= kLowestDirectoryEnd) {
        path = static_cast<LPWSTR>(LocalAlloc(LPTR, kMaxDriverPathLength * sizeof(WCHAR)));
    }
    if (path != nullptr) {
        StringCchCopyNW(path, kMaxDriverPathLength, driverPath, directoryLength);
        StringCchCatW(path, kMaxDriverPathLength, TEXT("\\"));
        if (fileName != nullptr) {
            StringCchCatW(path, kMaxDriverPathLength, fileName);
        }
    }
    LocalFree(info);
    *out = path;
    return path != nullptr;
}

BOOL CNiraResourceHelper::WriteUserBinaryValue(LPCWSTR subKey, LPCWSTR valueName, const BYTE* data,
                                               DWORD size) const
{
    WCHAR keyPath[kMaxKeyLength + 1] = {};
    StringCchCopyW(keyPath, ARRAYSIZE(keyPath), kMakerKey);
    size_t subKeyLength = 0;
    if (subKey != nullptr && SUCCEEDED(StringCchLengthW(subKey, kMaxKeyLength + 1, &subKeyLength)) &&
        wcslen(kMakerKey) + subKeyLength + 2 <= kMaxKeyLength) {
        StringCchCatW(keyPath, ARRAYSIZE(keyPath), subKey);
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return FALSE;
    }
    const BOOL written = RegSetValueExW(key, valueName, 0, REG_BINARY, data, size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

HWND CNiraResourceHelper::ShowControlHelp(HWND control, DWORD controlId, DWORD helpContextId,
                                          LPCWSTR helpFile) const
{
    DWORD idMap[] = {controlId, helpContextId, 0, 0};
    return HtmlHelpW(control, helpFile, HH_TP_HELP_WM_HELP, reinterpret_cast<DWORD_PTR>(idMap));
}
