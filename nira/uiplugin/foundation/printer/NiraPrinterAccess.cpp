#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include "common/ComponentFiles.h"
#include "common/NiraException.h"
#include "common/NiraStatus.h"
#include "common/ScopedResources.h"
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
    auto narrow = CNiraLocalBuffer<CHAR>::Allocate(needed + 1);
    if (!narrow || GetPrinterDataW(printer, name, &type, reinterpret_cast<LPBYTE>(narrow.Get()), needed,
                                   &needed) != ERROR_SUCCESS) {
        return nullptr;
    }
    int chars = MultiByteToWideChar(CP_ACP, 0, narrow.Get(), -1, nullptr, 0);
    if (chars <= 0) {
        return nullptr;
    }
    auto wide = CNiraLocalBuffer<WCHAR>::Allocate(static_cast<SIZE_T>(chars) * sizeof(WCHAR));
    if (!wide || MultiByteToWideChar(CP_ACP, 0, narrow.Get(), -1, wide.Get(), chars) != chars) {
        return nullptr;
    }
    return wide.Detach();
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
    static_assert(offsetof(CNiraPrinterAccess, m_printer) == 0 &&
                      offsetof(CNiraPrinterAccess, m_borrowed) == 8 &&
                      offsetof(CNiraPrinterAccess, m_iniPath) == 12 &&
                      offsetof(CNiraPrinterAccess, m_iniFound) == 532 && sizeof(CNiraPrinterAccess) == 536,
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
    auto buffer = CNiraLocalBuffer<BYTE>::Allocate(needed);
    if (!buffer) {
        return;
    }
    const PRINTER_INFO_1W* info = reinterpret_cast<const PRINTER_INFO_1W*>(buffer.Get());
    if (GetPrinterW(printer, 1, buffer.Get(), needed, &needed) && info->pName != nullptr &&
        info->pName[0] != 0) {
        if (HANDLE opened = OpenByName(info->pName, PRINTER_ALL_ACCESS, nullptr)) {
            m_printer = opened;
            m_borrowed = 0;
        }
    }
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

BOOL CNiraPrinterAccess::GetDriverInfo(HANDLE printer, LPCWSTR printerName, LPDEVMODEW devMode,
                                       DRIVER_INFO_3W** info)
{
    if (info == nullptr) {
        return FALSE;
    }
    *info = nullptr;
    CNiraOpenedPrinter opened;
    if (printer == nullptr) {
        opened.Reset(printerName != nullptr ? OpenByName(printerName, PRINTER_ALL_ACCESS, devMode) : nullptr);
        if (!opened) {
            return FALSE;
        }
        printer = opened.Get();
    }
    DWORD needed = 0;
    if (GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return FALSE;
    }
    auto buffer = CNiraLocalBuffer<BYTE>::Allocate(needed);
    if (!buffer || !GetPrinterDriverW(printer, nullptr, 3, buffer.Get(), needed, &needed)) {
        return FALSE;
    }
    *info = reinterpret_cast<DRIVER_INFO_3W*>(buffer.Detach());
    return TRUE;
}

BOOL CNiraPrinterAccess::FindDriverIni(BOOL force)
{
    if (m_iniFound && force != 1) {
        return TRUE;
    }
    BOOL found = FALSE;
    DRIVER_INFO_3W* info = nullptr;
    if (m_printer != nullptr && GetDriverInfo(m_printer, nullptr, nullptr, &info)) {
        CNiraLocalBuffer<DRIVER_INFO_3W> owned(info);
        WCHAR path[MAX_PATH];
        found = FindIniInDependentFiles(info->pDependentFiles, path) &&
                SUCCEEDED(StringCchCopyW(m_iniPath, MAX_PATH, path));
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

BOOL CNiraPrinterAccess::GetDriverVersionFolder(LPWSTR path, DWORD chars)
{
    DWORD needed = 0;
    if (path == nullptr || chars == 0 ||
        !GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path),
                                    chars * sizeof(WCHAR), &needed)) {
        return FALSE;
    }
    return SUCCEEDED(StringCchCatW(path, chars, kDriverVersionFolder));
}

BOOL CNiraPrinterAccess::GetComponentPath(LPCWSTR key, LPWSTR path)
{
    if (key == nullptr || path == nullptr || m_printer == nullptr) {
        return FALSE;
    }
    if (!GetDriverVersionFolder(path, kComponentPathChars)) {
        return FALSE;
    }
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
    if (GetPrinterW(m_printer, 2, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        needed == 0) {
        return nullptr;
    }
    auto buffer = CNiraLocalBuffer<BYTE>::Allocate(needed);
    if (!buffer || !GetPrinterW(m_printer, 2, buffer.Get(), needed, &needed)) {
        return nullptr;
    }
    return reinterpret_cast<PRINTER_INFO_2W*>(buffer.Detach());
}

BOOL CNiraPrinterAccess::GetPrinterName(LPWSTR name, DWORD size)
{
    if (name == nullptr || size == 0) {
        return FALSE;
    }
    name[0] = 0;
    CNiraLocalBuffer<PRINTER_INFO_2W> info(ReadPrinterInfo2());
    if (!info) {
        return FALSE;
    }
    size_t length = 0;
    BOOL copied = info->pPrinterName != nullptr &&
                  SUCCEEDED(StringCchLengthW(info->pPrinterName, kMaxPrinterNameLength + 1, &length)) &&
                  SUCCEEDED(StringCchCopyW(name, size, info->pPrinterName));
    if (!copied) {
        name[0] = 0;
    }
    return copied;
}

BOOL CNiraPrinterAccess::GetPortName(CNiraString& portName)
{
    CNiraLocalBuffer<PRINTER_INFO_2W> info(ReadPrinterInfo2());
    if (!info || info->pPortName == nullptr) {
        return FALSE;
    }
    try {
        portName = info->pPortName;
        return TRUE;
    } catch (const CNiraException&) {
        return FALSE;
    }
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
    BOOL local = FALSE;
    return CheckLocalPrinter(&local) && local;
}

BOOL CNiraPrinterAccess::CheckLocalPrinter(BOOL* local)
{
    CNiraLocalBuffer<PRINTER_INFO_2W> info(ReadPrinterInfo2());
    if (!info) {
        return FALSE;
    }
    if (info->pServerName != nullptr || info->pPortName == nullptr || info->pPortName[0] == 0) {
        *local = FALSE;
        return TRUE;
    }
    try {
        CNiraString port = FoldAscii(CNiraString(info->pPortName));
        *local = TRUE;
        for (LPCWSTR mark : kRemotePortMarks) {
            *local = *local && port.Find(mark, 0) < 0;
        }
        return TRUE;
    } catch (const CNiraException&) {
        return FALSE;
    }
}

BOOL CNiraPrinterAccess::IsDirectPrinting(int* direct)
{
    CNiraLocalBuffer<PRINTER_INFO_2W> info(ReadPrinterInfo2());
    if (!info || direct == nullptr) {
        return FALSE;
    }
    *direct = (info->Attributes & PRINTER_ATTRIBUTE_DIRECT) ? 1 : 0;
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

BOOL CNiraPrinterAccess::StartProcess(LPCWSTR commandLine)
{
    // CreateProcessW may write into its command line: give it a copy.
    size_t length = 0;
    if (commandLine == nullptr || FAILED(StringCchLengthW(commandLine, STRSAFE_MAX_CCH, &length))) {
        return FALSE;
    }
    auto command = CNiraLocalBuffer<WCHAR>::Allocate((length + 1) * sizeof(WCHAR));
    if (!command) {
        return FALSE;
    }
    StringCchCopyW(command.Get(), length + 1, commandLine);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(nullptr, command.Get(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return started;
}

BOOL CNiraPrinterAccess::LaunchProgram(LPCWSTR commandLine)
{
    BOOL started = StartProcess(commandLine);
    if (!started && commandLine != nullptr) {
        MessageBoxW(nullptr, TEXT(""), kLaunchFailedCaption, MB_OK);
    }
    return started;
}

void CNiraPrinterAccess::UpdateSerialNumber()
{
    auto name = CNiraLocalBuffer<WCHAR>::Allocate(kPrinterNameChars * sizeof(WCHAR));
    if (!name) {
        return;
    }
    GetPrinterName(name.Get(), kPrinterNameChars);
    DWORD type = 0;
    DWORD needed = 0;
    if (!WriteSerialNumber(m_printer, kSerialUnavailable) ||
        GetPrinterDataW(m_printer, const_cast<LPWSTR>(kSerialNumber), &type, nullptr, 0, &needed) ==
            ERROR_SUCCESS) {
        return;
    }
    CNiraLocalBuffer<WCHAR> status(ReadDeviceStatus(m_printer));
    if (!status) {
        return;
    }
    WCHAR serial[kSerialChars];
    ExtractSerial(status.Get(), serial, kSerialChars);
    OutputDebugStringW(serial);
    if (serial[0] != 0) {
        CNiraOpenedPrinter printer;
        printer.Reset(OpenByName(name.Get(), PRINTER_ALL_ACCESS, nullptr));
        if (printer) {
            WriteSerialNumber(printer.Get(), serial);
        }
    }
}
