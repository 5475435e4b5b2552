#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include "common/ComponentFiles.h"
#include "common/NiraException.h"
#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterDataValue.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"

#include <strsafe.h>

namespace {

constexpr DWORD kPrinterNameChars = 260;
constexpr DWORD kMaxPrinterNameLength = 259;
constexpr DWORD kDmcValueChars = 7;
constexpr DWORD kSerialChars = 520;
constexpr DWORD kLastWindows5 = 5;

const WCHAR kDmcExist[] = TEXT("DMCExist");
const WCHAR kDmcTrue[] = TEXT("True");
const WCHAR kSerialNumber[] = TEXT("SerialNumber");
const WCHAR kSerialUnavailable[] = TEXT("<unavailable>");
const WCHAR kLaunchFailedCaption[] = TEXT("Launching of PU has Failed");

struct PortRule {
    LPCWSTR text;
    DWORD type;
};

// Tested in this order on the port name in upper case; the first that occurs anywhere wins.
const PortRule kPortRules[] = {
    {TEXT("LPT1:"), NIRA_PORT_LPT1}, {TEXT("LPT2:"), NIRA_PORT_LPT2}, {TEXT("LPT3:"), NIRA_PORT_LPT3},
    {TEXT("USB"), NIRA_PORT_USB},    {TEXT("DOT4"), NIRA_PORT_DOT4},  {TEXT("FILE:"), NIRA_PORT_FILE},
    {TEXT(":\\"), NIRA_PORT_PATH},   {TEXT("\\\\"), NIRA_PORT_PATH},  {TEXT("NULL"), NIRA_PORT_PATH},
};

// Terminal-server client ports: such printers are not local.
const LPCWSTR kRemotePortMarks[] = {TEXT("CLIENT:"), TEXT("TS00")};

// Upper case of a-z only, as the port tests compare.
CNiraString FoldAscii(const CNiraString& text)
{
    CNiraString folded(text);
    LPWSTR buffer = folded.GetBuffer();
    for (int i = 0; buffer != nullptr && i < folded.GetLength(); ++i) {
        if (buffer[i] >= TEXT('a') && buffer[i] <= TEXT('z')) {
            buffer[i] = static_cast<WCHAR>(buffer[i] - (TEXT('a') - TEXT('A')));
        }
    }
    return folded;
}

HANDLE OpenByName(LPCWSTR name, ACCESS_MASK access, LPDEVMODEW devMode)
{
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, devMode, access};
    return OpenPrinterW(const_cast<LPWSTR>(name), &printer, &defaults) ? printer : nullptr;
}

bool WriteSerialNumber(HANDLE printer, LPCWSTR text)
{
    size_t length = 0;
    if (FAILED(StringCchLengthW(text, kSerialChars, &length))) {
        return false;
    }
    DWORD size = static_cast<DWORD>(2 * length + 2);
    return SetPrinterDataW(printer, const_cast<LPWSTR>(kSerialNumber), REG_SZ,
                           reinterpret_cast<LPBYTE>(const_cast<LPWSTR>(text)), size) == ERROR_SUCCESS;
}

// The device status string (narrow, from the language monitor) as wide text in a LocalAlloc
// buffer; null when it cannot be read or converted.
LPWSTR ReadDeviceStatus(HANDLE printer)
{
    DWORD type = 0;
    DWORD needed = 0;
    LPWSTR name = const_cast<LPWSTR>(kDeviceStatusValue);
    if (GetPrinterDataW(printer, name, &type, nullptr, 0, &needed) != ERROR_MORE_DATA || needed == 0) {
        return nullptr;
    }
    // One byte more than the data, zeroed: the text is terminated even when the data is not.
    LPSTR narrow = static_cast<LPSTR>(LocalAlloc(LPTR, needed + 1));
    if (narrow == nullptr) {
        return nullptr;
    }
    LPWSTR wide = nullptr;
    if (GetPrinterDataW(printer, name, &type, reinterpret_cast<LPBYTE>(narrow), needed, &needed) == ERROR_SUCCESS) {
        int chars = MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
        if (chars > 0) {
            wide = static_cast<LPWSTR>(LocalAlloc(LPTR, static_cast<SIZE_T>(chars) * sizeof(WCHAR)));
            if (wide != nullptr && MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, chars) != chars) {
                LocalFree(wide);
                wide = nullptr;
            }
        }
    }
    LocalFree(narrow);
    return wide;
}

// The serial number in a status string: the text after the first "SN:" up to the next ';'.
void ExtractSerial(LPCWSTR status, LPWSTR serial, DWORD capacity)
{
    serial[0] = 0;
    LPCWSTR field = wcsstr(status, TEXT("SN:"));
    if (field == nullptr) {
        return;
    }
    StringCchCopyW(serial, capacity, field + 3);
    if (LPWSTR end = wcschr(serial, TEXT(';'))) {
        *end = 0;
    }
}

}  // namespace

void CNiraPrinterAccess::CheckLayout()
{
    static_assert(offsetof(CNiraPrinterAccess, m_printer) == 0 && offsetof(CNiraPrinterAccess, m_borrowed) == 8 &&
                      offsetof(CNiraPrinterAccess, m_iniPath) == 12 && offsetof(CNiraPrinterAccess, m_iniFound) == 532 &&
                      sizeof(CNiraPrinterAccess) == 536,
                  "CNiraPrinterAccess record layout shared with the presentation library (x64)");
}

CNiraPrinterAccess::CNiraPrinterAccess(HANDLE printer) : m_printer(nullptr), m_borrowed(1), m_iniFound(0)
{
    m_iniPath[0] = 0;
    if (printer == nullptr) {
        return;
    }
    m_printer = printer;
    DWORD needed = 0;
    if (GetPrinterW(printer, 1, nullptr, 0, &needed) || needed == 0) {
        return;
    }
    LPBYTE buffer = static_cast<LPBYTE>(LocalAlloc(LPTR, needed));
    if (buffer == nullptr) {
        return;
    }
    const PRINTER_INFO_1W* info = reinterpret_cast<const PRINTER_INFO_1W*>(buffer);
    if (GetPrinterW(printer, 1, buffer, needed, &needed) && info->pName != nullptr && info->pName[0] != 0) {
        if (HANDLE opened = OpenByName(info->pName, PRINTER_ALL_ACCESS, nullptr)) {
            m_printer = opened;
            m_borrowed = 0;
        }
    }
    LocalFree(buffer);
}

CNiraPrinterAccess::CNiraPrinterAccess(LPCWSTR printerName) : m_printer(nullptr), m_borrowed(0), m_iniFound(0)
{
    m_iniPath[0] = 0;
    if (printerName == nullptr) {
        return;
    }
    m_printer = OpenByName(printerName, PRINTER_ALL_ACCESS, nullptr);
    if (m_printer == nullptr) {
        m_printer = OpenByName(printerName, PRINTER_ACCESS_USE, nullptr);
    }
}

CNiraPrinterAccess::~CNiraPrinterAccess()
{
    if (!m_borrowed && m_printer != nullptr) {
        ClosePrinter(m_printer);
    }
    m_printer = nullptr;
}

BOOL CNiraPrinterAccess::GetDriverInfo(HANDLE printer, LPCWSTR printerName, LPDEVMODEW devMode, DRIVER_INFO_3W** info)
{
    if (info == nullptr) {
        return FALSE;
    }
    *info = nullptr;
    HANDLE opened = nullptr;
    if (printer == nullptr) {
        opened = printerName != nullptr ? OpenByName(printerName, PRINTER_ALL_ACCESS, devMode) : nullptr;
        if (opened == nullptr) {
            return FALSE;
        }
        printer = opened;
    }
    DWORD needed = 0;
    LPBYTE buffer = nullptr;
    if (!GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed) && GetLastError() == ERROR_INSUFFICIENT_BUFFER &&
        needed > 0) {
        buffer = static_cast<LPBYTE>(LocalAlloc(LPTR, needed));
        if (buffer != nullptr && !GetPrinterDriverW(printer, nullptr, 3, buffer, needed, &needed)) {
            LocalFree(buffer);
            buffer = nullptr;
        }
    }
    if (opened != nullptr) {
        ClosePrinter(opened);
    }
    *info = reinterpret_cast<DRIVER_INFO_3W*>(buffer);
    return buffer != nullptr;
}

BOOL CNiraPrinterAccess::FindDriverIni(BOOL force)
{
    if (m_iniFound && force != 1) {
        return TRUE;
    }
    BOOL found = FALSE;
    DRIVER_INFO_3W* info = nullptr;
    if (m_printer != nullptr && GetDriverInfo(m_printer, nullptr, nullptr, &info)) {
        WCHAR path[MAX_PATH];
        found = FindIniInDependentFiles(info->pDependentFiles, path) &&
                SUCCEEDED(StringCchCopyW(m_iniPath, MAX_PATH, path));
        LocalFree(info);
    }
    if (!found) {
        m_iniPath[0] = 0;  // a failed search leaves no stale INI behind
    }
    m_iniFound = found ? 1 : 0;
    return found;
}

BOOL CNiraPrinterAccess::ReadComponentFile(LPWSTR value, LPCWSTR defaultValue, LPCWSTR key)
{
    if (value == nullptr || key == nullptr || m_iniPath[0] == 0) {
        return FALSE;
    }
    WCHAR read[kComponentValueChars];
    if (ReadComponentValue(m_iniPath, key, defaultValue, read, kComponentValueChars) == 0) {
        return FALSE;
    }
    return SUCCEEDED(StringCchCopyW(value, kComponentValueChars, read));
}

BOOL CNiraPrinterAccess::GetComponentPath(LPCWSTR key, LPWSTR path)
{
    if (key == nullptr || path == nullptr || m_printer == nullptr) {
        return FALSE;
    }
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path),
                                    kComponentPathChars * sizeof(WCHAR), &needed)) {
        return FALSE;
    }
    StringCchCatW(path, kComponentPathChars, kDriverVersionFolder);
    WCHAR fileName[kComponentValueChars];
    if (!ReadComponentFile(fileName, TEXT(""), key)) {
        return FALSE;
    }
    StringCchCatW(path, kComponentPathChars, fileName);
    return TRUE;
}

PRINTER_INFO_2W* CNiraPrinterAccess::ReadPrinterInfo2()
{
    if (m_printer == nullptr) {
        return nullptr;
    }
    DWORD needed = 0;
    if (GetPrinterW(m_printer, 2, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return nullptr;
    }
    LPBYTE buffer = static_cast<LPBYTE>(LocalAlloc(LPTR, needed));
    if (buffer != nullptr && !GetPrinterW(m_printer, 2, buffer, needed, &needed)) {
        LocalFree(buffer);
        buffer = nullptr;
    }
    return reinterpret_cast<PRINTER_INFO_2W*>(buffer);
}

BOOL CNiraPrinterAccess::GetPrinterName(LPWSTR name, DWORD size)
{
    if (name == nullptr || size == 0) {
        return FALSE;
    }
    name[0] = 0;
    PRINTER_INFO_2W* info = ReadPrinterInfo2();
    if (info == nullptr) {
        return FALSE;
    }
    size_t length = 0;
    BOOL copied = info->pPrinterName != nullptr &&
                  SUCCEEDED(StringCchLengthW(info->pPrinterName, kMaxPrinterNameLength + 1, &length)) &&
                  SUCCEEDED(StringCchCopyW(name, size, info->pPrinterName));
    if (!copied) {
        name[0] = 0;
    }
    LocalFree(info);
    return copied;
}

BOOL CNiraPrinterAccess::GetPortName(CNiraString& portName)
{
    PRINTER_INFO_2W* info = ReadPrinterInfo2();
    if (info == nullptr) {
        return FALSE;
    }
    BOOL read = info->pPortName != nullptr;
    try {
        if (read) {
            portName = info->pPortName;
        }
    } catch (const CNiraException&) {
        read = FALSE;
    }
    LocalFree(info);
    return read;
}

BOOL CNiraPrinterAccess::GetPortType(DWORD* type)
{
    try {
        CNiraString port;
        if (type == nullptr || !GetPortName(port) || port.GetLength() == 0) {
            return FALSE;
        }
        CNiraString folded = FoldAscii(port);
        DWORD found = NIRA_PORT_OTHER;
        for (const PortRule& rule : kPortRules) {
            if (folded.Find(rule.text, 0) >= 0) {
                found = rule.type;
                break;
            }
        }
        *type = found;
        return TRUE;
    } catch (const CNiraException&) {
        return FALSE;
    }
}

BOOL CNiraPrinterAccess::IsLocalPrinter()
{
    PRINTER_INFO_2W* info = ReadPrinterInfo2();
    if (info == nullptr) {
        return FALSE;
    }
    BOOL local = info->pServerName == nullptr && info->pPortName != nullptr && info->pPortName[0] != 0;
    try {
        if (local) {
            CNiraString port = FoldAscii(CNiraString(info->pPortName));
            for (LPCWSTR mark : kRemotePortMarks) {
                local = local && port.Find(mark, 0) < 0;
            }
        }
    } catch (const CNiraException&) {
        local = FALSE;
    }
    LocalFree(info);
    return local;
}

BOOL CNiraPrinterAccess::IsDirectPrinting(int* direct)
{
    PRINTER_INFO_2W* info = ReadPrinterInfo2();
    if (info == nullptr || direct == nullptr) {
        LocalFree(info);
        return FALSE;
    }
    *direct = (info->Attributes & PRINTER_ATTRIBUTE_DIRECT) ? 1 : 0;
    LocalFree(info);
    return TRUE;
}

LONG CNiraPrinterAccess::IsDmcPresent(int* present)
{
    if (present != nullptr) {
        *present = 0;
    }
    if (m_printer == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    CNiraPrinterHandle holder(m_printer, false);
    CNiraPrinterDataValue value(holder, kDmcExist, REG_SZ);
    WCHAR text[kDmcValueChars] = {};
    DWORD size = sizeof(text);
    bool read = value.Query(reinterpret_cast<LPBYTE>(text), &size, false);
    if (!read) {
        size = sizeof(text);
        read = value.Query(reinterpret_cast<LPBYTE>(text), &size, false);
    }
    if (!read) {
        return NIRA_STATUS_FAILED;
    }
    text[kDmcValueChars - 1] = 0;  // a full buffer need not be terminated
    if (present != nullptr) {
        *present = _wcsicmp(text, kDmcTrue) == 0 ? 1 : 0;
    }
    return NIRA_STATUS_OK;
}

BOOL CNiraPrinterAccess::IsUacActive()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version) || version.dwMajorVersion <= kLastWindows5) {
        return FALSE;
    }
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return TRUE;
    }
    DWORD elevation = 0;
    DWORD length = 0;
    BOOL active = FALSE;
    if (GetTokenInformation(token, TokenElevationType, &elevation, sizeof(elevation), &length)) {
        active = elevation == TokenElevationTypeFull || elevation == TokenElevationTypeLimited;
    }
    CloseHandle(token);
    return active;
}

BOOL CNiraPrinterAccess::LaunchProgram(LPCWSTR commandLine)
{
    // CreateProcessW may write into its command line: give it a copy.
    size_t length = 0;
    if (commandLine == nullptr || FAILED(StringCchLengthW(commandLine, STRSAFE_MAX_CCH, &length))) {
        return FALSE;
    }
    LPWSTR command = static_cast<LPWSTR>(LocalAlloc(LPTR, (length + 1) * sizeof(WCHAR)));
    if (command == nullptr) {
        return FALSE;
    }
    StringCchCopyW(command, length + 1, commandLine);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    LocalFree(command);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        MessageBoxW(nullptr, TEXT(""), kLaunchFailedCaption, MB_OK);
    }
    return started;
}

void CNiraPrinterAccess::UpdateSerialNumber()
{
    LPWSTR name = static_cast<LPWSTR>(LocalAlloc(LPTR, kPrinterNameChars * sizeof(WCHAR)));
    if (name == nullptr) {
        return;
    }
    GetPrinterName(name, kPrinterNameChars);
    DWORD type = 0;
    DWORD needed = 0;
    if (WriteSerialNumber(m_printer, kSerialUnavailable) &&
        GetPrinterDataW(m_printer, const_cast<LPWSTR>(kSerialNumber), &type, nullptr, 0, &needed) != ERROR_SUCCESS) {
        if (LPWSTR status = ReadDeviceStatus(m_printer)) {
            WCHAR serial[kSerialChars];
            ExtractSerial(status, serial, kSerialChars);
            OutputDebugStringW(serial);
            if (serial[0] != 0) {
                if (HANDLE printer = OpenByName(name, PRINTER_ALL_ACCESS, nullptr)) {
                    WriteSerialNumber(printer, serial);
                    ClosePrinter(printer);
                }
            }
            LocalFree(status);
        }
    }
    LocalFree(name);
}
