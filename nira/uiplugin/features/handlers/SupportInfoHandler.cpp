#include "nira/uiplugin/features/handlers/SupportInfoHandler.h"

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/StringIds.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr size_t kLineChars = CNiraSupportInfoHandler::kLineChars;
const WCHAR kUIPluginKey[] = TEXT("NIRA_UI_PLUGIN");
const WCHAR kDmcStatusValue[] = TEXT("DMCStatus");
const WCHAR kAdminChangeValue[] = TEXT("PrnPropChng");
const WCHAR kAutoConfigured[] = TEXT("Auto-Configured");
const WCHAR kUserConfigured[] = TEXT("User-Configured");
const WCHAR kAdminConfigured[] = TEXT("Administrator-Configured");
const WCHAR kRootBlock[] = TEXT("\\");
constexpr DWORD kDmcPrinterConfigured = 1;
constexpr DWORD kDmcAdminStatus = 3;
constexpr DWORD kAdminChanged = 1;
// A stored date is split into these fields: month, day, year, hour, minute, second.
constexpr int kDateFields = 6;
constexpr size_t kStoredDateChars = 259;

// A REG_SZ value of the printer's data, at most kLineChars characters; false when absent or too long.
bool ReadPrinterText(HANDLE printer, LPCWSTR name, WCHAR (&text)[kLineChars])
{
    DWORD type = 0;
    DWORD needed = 0;
    text[0] = 0;
    if (GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, reinterpret_cast<LPBYTE>(text),
                        sizeof(WCHAR) * (kLineChars - 1), &needed) != ERROR_SUCCESS) {
        text[0] = 0;
        return false;
    }
    text[needed / sizeof(WCHAR) < kLineChars ? needed / sizeof(WCHAR) : kLineChars - 1] = 0;
    return true;
}

bool ReadPrinterDword(HANDLE printer, LPCWSTR name, DWORD* value)
{
    DWORD type = 0;
    DWORD needed = 0;
    return GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, reinterpret_cast<LPBYTE>(value),
                           sizeof(*value), &needed) == ERROR_SUCCESS &&
           needed == sizeof(*value);
}

// The decimal numbers of the text's fields between "/" and ":"; false unless all six are there.
bool SplitStoredDate(LPCWSTR text, WORD (&fields)[kDateFields])
{
    int field = 0;
    unsigned value = 0;
    bool digits = false;
    for (LPCWSTR c = text;; ++c) {
        if (*c >= TEXT('0') && *c <= TEXT('9')) {
            value = value * 10 + static_cast<unsigned>(*c - TEXT('0'));
            digits = true;
            if (value > 0xFFFF) {
                return false;
            }
            continue;
        }
        if (*c != TEXT('/') && *c != TEXT(':') && *c != 0) {
            return false;
        }
        if (!digits || field == kDateFields) {
            return false;
        }
        fields[field++] = static_cast<WORD>(value);
        value = 0;
        digits = false;
        if (*c == 0) {
            return field == kDateFields;
        }
    }
}

LPCWSTR BaseName(LPCWSTR path)
{
    LPCWSTR base = path;
    for (LPCWSTR c = path; *c != 0; ++c) {
        if (*c == TEXT('\\')) {
            base = c + 1;
        }
    }
    return base;
}

}  // namespace

void CNiraSupportInfoHandler::ReadFileVersionText(LPCWSTR path, bool productVersion,
                                                  WCHAR (&text)[kLineChars])
{
    text[0] = 0;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    auto block = CNiraLocalBuffer<BYTE>::Allocate(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (size != 0 && block && GetFileVersionInfoW(path, 0, size, block.Get()) &&
        VerQueryValueW(block.Get(), kRootBlock, reinterpret_cast<LPVOID*>(&fixed), &fixedSize) &&
        fixed != nullptr && fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        DWORD high = productVersion ? fixed->dwProductVersionMS : fixed->dwFileVersionMS;
        DWORD low = productVersion ? fixed->dwProductVersionLS : fixed->dwFileVersionLS;
        StringCchPrintfW(text, kLineChars, TEXT("%u.%u.%u.%u"), HIWORD(high), LOWORD(high), HIWORD(low),
                         LOWORD(low));
        return;
    }
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    FILETIME written = {};
    SYSTEMTIME date = {};
    if (GetFileTime(file, nullptr, nullptr, &written) && FileTimeToSystemTime(&written, &date)) {
        StringCchPrintfW(text, kLineChars, TEXT("%u.%u.%u"), date.wMonth, date.wDay, date.wYear);
    }
    CloseHandle(file);
}

bool CNiraSupportInfoHandler::FormatDate(const SYSTEMTIME& date, WCHAR (&text)[kLineChars])
{
    WCHAR shortDate[kLineChars] = {};
    if (GetDateFormatW(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, &date, nullptr, shortDate, kLineChars) ==
        0) {
        return false;
    }
    // Each field of one character gets a leading 0; "/" goes behind the first and second field.
    text[0] = 0;
    int field = 0;
    for (LPCWSTR start = shortDate; *start != 0 && field < 3;) {
        LPCWSTR end = start;
        while (*end != 0 && *end != TEXT('/') && *end != TEXT('-') && *end != TEXT('.')) {
            ++end;
        }
        if (end > start) {
            if (field > 0) {
                StringCchCatW(text, kLineChars, TEXT("/"));
            }
            if (end - start == 1) {
                StringCchCatW(text, kLineChars, TEXT("0"));
            }
            StringCchCatNW(text, kLineChars, start, static_cast<size_t>(end - start));
            ++field;
        }
        start = *end != 0 ? end + 1 : end;
    }
    return text[0] != 0;
}

void CNiraSupportInfoHandler::FormatStoredDate(LPCWSTR stored, WCHAR (&text)[kLineChars])
{
    text[0] = 0;
    size_t length = 0;
    if (stored == nullptr || FAILED(GetStringLengthSafe(stored, kStoredDateChars, &length))) {
        return;
    }
    WORD fields[kDateFields] = {};
    SYSTEMTIME date = {};
    if (SplitStoredDate(stored, fields)) {
        SYSTEMTIME utc = {};
        utc.wMonth = fields[0];
        utc.wDay = fields[1];
        utc.wYear = fields[2];
        utc.wHour = fields[3];
        utc.wMinute = fields[4];
        utc.wSecond = fields[5];
        if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &date)) {
            date = {};
            date.wMonth = utc.wMonth;
            date.wDay = utc.wDay;
            date.wYear = utc.wYear;
        }
        if (FormatDate(date, text)) {
            return;
        }
    }
    CopyStringSafe(text, kLineChars, stored);
}

void CNiraSupportInfoHandler::AddLine(int widgetId, LPCWSTR line)
{
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr) {
        return;
    }
    int option = m_services->GetOptionCount(widgetId) + 1;
    info->optionIndex = option;
    info->featureId = widgetId;
    CopyStringSafeN(info->displayName, kLineChars, line, kLineChars - 1);
    AddOwnedOption(*m_services, m_handlerId, widgetId, option, info);
}

void CNiraSupportInfoHandler::AddDriverLine(LPCWSTR printerName, const DRIVER_INFO_3W& driver)
{
    CNiraPrinterAccess printer(printerName);
    printer.FindDriverIni(TRUE);
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    WCHAR version[kLineChars] = {};
    if (printer.GetComponentPath(kUIPluginKey, path)) {
        ReadFileVersionText(path, true, version);
    }
    WCHAR line[kLineChars] = {};
    StringCchPrintfW(line, kLineChars, TEXT("%s  (%s)"), driver.pName != nullptr ? driver.pName : TEXT(""),
                     version);
    if (m_services->GetOptionCount(kDriverList) == 0) {
        AddLine(kDriverList, line);
    }
}

void CNiraSupportInfoHandler::AddFileLine(LPCWSTR path)
{
    WCHAR name[kLineChars] = {};
    CopyStringSafe(name, kLineChars, BaseName(path));
    for (WCHAR* c = name; *c != 0; ++c) {
        if (*c >= TEXT('a') && *c <= TEXT('z')) {
            *c = static_cast<WCHAR>(*c - TEXT('a') + TEXT('A'));
        }
    }
    WCHAR version[kLineChars] = {};
    ReadFileVersionText(path, false, version);
    WCHAR line[kLineChars] = {};
    StringCchPrintfW(line, kLineChars, TEXT("%-12s\t\t%s"), name, version);
    AddLine(kFileList, line);
}

void CNiraSupportInfoHandler::AddFileLines(const DRIVER_INFO_3W& driver)
{
    for (LPCWSTR path : {driver.pDataFile, driver.pDriverPath, driver.pConfigFile, driver.pHelpFile}) {
        if (path != nullptr && path[0] != 0) {
            AddFileLine(path);
        }
    }
    size_t length = 0;
    for (LPCWSTR path = driver.pDependentFiles;
         path != nullptr && path[0] != 0 && SUCCEEDED(GetStringLengthSafe(path, STRSAFE_MAX_CCH, &length));
         path += length + 1) {
        AddFileLine(path);
    }
}

void CNiraSupportInfoHandler::AddStringLine(int stringId, LPCWSTR date)
{
    WCHAR text[kLineChars] = {};
    LoadResourceString(stringId, text);
    WCHAR line[kLineChars] = {};
    StringCchPrintfW(line, kLineChars, TEXT("%s %s"), text, date);
    AddLine(kStatusList, line);
}

void CNiraSupportInfoHandler::AddStatusLines(CNiraPrinterAccess& printer)
{
    HANDLE handle = printer.GetHandle();
    WCHAR stored[kLineChars] = {};
    WCHAR installed[kLineChars] = {};
    if (ReadPrinterText(handle, kInstallDateValue, stored)) {
        FormatStoredDate(stored, installed);
    }
    DWORD portType = 0;
    if (printer.GetPortType(&portType) && portType == NIRA_PORT_OTHER) {
        WCHAR line[kLineChars] = {};
        StringCchPrintfW(line, kLineChars, TEXT("%s %s"), kAutoConfigured, installed);
        AddLine(kStatusList, line);
    }
    bool adminConfigured = false;
    DWORD dmcStatus = 0;
    if (ReadPrinterDword(handle, kDmcStatusValue, &dmcStatus)) {
        if (dmcStatus == kDmcPrinterConfigured) {
            WCHAR text[kLineChars] = {};
            LoadResourceString(kStringPrinterConfiguration, text);
            AddLine(kStatusList, text);
        } else if (dmcStatus == kDmcAdminStatus) {
            DWORD changed = 0;
            adminConfigured =
                ReadPrinterDword(handle, kAdminChangeValue, &changed) && changed == kAdminChanged;
        }
    }
    if (ReadPrinterText(handle, kNotifyDateValue, stored)) {
        WCHAR notified[kLineChars] = {};
        FormatStoredDate(stored, notified);
        AddStringLine(kStringInstalledLabel, notified);
        AddLine(kStatusList, kUserConfigured);
        return;
    }
    AddStringLine(kStringInstalledLabel, installed);
    if (adminConfigured) {
        AddLine(kStatusList, kAdminConfigured);
    } else {
        WCHAR text[kLineChars] = {};
        LoadResourceString(kStringDefaultConfiguration, text);
        AddLine(kStatusList, text);
    }
}

int CNiraSupportInfoHandler::InitializeStates()
{
    WCHAR* printerName = nullptr;
    if (m_services == nullptr || m_services->GetPrinterName(&printerName) != 0 || printerName == nullptr) {
        LocalFree(printerName);
        return 0;
    }
    CNiraPrinterAccess printer(printerName);
    DRIVER_INFO_3W* info = nullptr;
    if (printer.GetHandle() != nullptr &&
        CNiraPrinterAccess::GetDriverInfo(printer.GetHandle(), nullptr, nullptr, &info)) {
        m_printerFound = true;
        CNiraLocalBuffer<DRIVER_INFO_3W> driver(info);
        if (m_services->GetOptionCount(kDriverList) == 0) {
            AddDriverLine(printerName, *driver.Get());
        }
        if (m_services->GetOptionCount(kFileList) == 0) {
            AddFileLines(*driver.Get());
        }
        if (m_services->GetOptionCount(kStatusList) == 0) {
            AddStatusLines(printer);
        }
    }
    LocalFree(printerName);
    return 0;
}

int CNiraSupportInfoHandler::OnValueDiffers()
{
    WCHAR* printerName = nullptr;
    if (!m_printerFound || m_services == nullptr || m_services->GetPrinterName(&printerName) != 0 ||
        printerName == nullptr) {
        LocalFree(printerName);
        return 0;
    }
    CNiraPrinterAccess printer(printerName);
    LocalFree(printerName);
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    WCHAR text[kLineChars] = {};
    size_t length = 0;
    if (SUCCEEDED(StringCchPrintfW(text, kLineChars, kPrinterDateFormat, now.wMonth, now.wDay, now.wYear,
                                   now.wHour, now.wMinute, now.wSecond)) &&
        SUCCEEDED(GetStringLengthSafe(text, kLineChars, &length))) {
        // Writing needs the right to change the printer's data; a refusal is not shown.
        SetPrinterDataW(printer.GetHandle(), const_cast<LPWSTR>(kNotifyDateValue), REG_SZ,
                        reinterpret_cast<LPBYTE>(text), static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
    }
    m_services->RemoveAllOptions(kStatusList);
    AddStatusLines(printer);
    return 0;
}
