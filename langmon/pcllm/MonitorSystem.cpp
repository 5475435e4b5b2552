#include "langmon/pcllm/MonitorSystem.h"

#include "langmon/pcllm/MonitorGlobals.h"

#include <strsafe.h>

namespace {

constexpr DWORD kVersionInfoSize = 276;
constexpr DWORD kPlatformWin32s = 0;
constexpr DWORD kPlatformWindows = 1;
constexpr DWORD kPlatformNt = 2;
constexpr DWORD kUsbDeviceIdControlCode = 0x182000;
constexpr DWORD kParallelDeviceIdControlCode = 17;
constexpr DWORD kDriverInfoLevel = 3;
constexpr DWORD kJobInfoLevel = 1;
constexpr DWORD kSecondJob = 1;
constexpr DWORD kQueueAttempts = 3;
const WCHAR kUsbMarker[] = TEXT("USB");
const WCHAR kIniMarker[] = TEXT(".INI");
const WCHAR kComponentFilesSection[] = TEXT("ComponentFiles");

WindowsClass ClassOfNtVersion(DWORD major, DWORD minor)
{
    switch (major) {
    case 3:
        return WINDOWS_CLASS_NT3;
    case 4:
        return WINDOWS_CLASS_NT4;
    case 5:
        return minor == 0   ? WINDOWS_CLASS_2000
               : minor == 1 ? WINDOWS_CLASS_XP
               : minor == 2 ? WINDOWS_CLASS_2003
                            : WINDOWS_CLASS_OTHER;
    case 6:
        return WINDOWS_CLASS_NT6;
    default:
        return WINDOWS_CLASS_OTHER;
    }
}

// One attempt of IsAnotherJobQueued: TRUE in *decided when the printer opened and EnumJobsW
// answered the size of the second job.
BOOL AskSecondJob(LPWSTR printerName, LPPRINTER_DEFAULTSW defaults, BOOL* decided)
{
    OpenPrinterFunction openPrinter = nullptr;
    EnumJobsFunction enumJobs = nullptr;
    ClosePrinterFunction closePrinter = nullptr;
    {
        PortListLock lock;
        openPrinter = RouterFunction<OpenPrinterFunction>("OpenPrinterW");
        enumJobs = RouterFunction<EnumJobsFunction>("EnumJobsW");
        closePrinter = RouterFunction<ClosePrinterFunction>("ClosePrinter");
    }
    HANDLE printer = nullptr;
    if (openPrinter == nullptr || enumJobs == nullptr || closePrinter == nullptr ||
        !openPrinter(printerName, &printer, defaults)) {
        return FALSE;
    }
    DWORD needed = 0;
    DWORD returned = 0;
    const BOOL answered = enumJobs(printer, kSecondJob, 1, kJobInfoLevel, nullptr, 0, &needed, &returned);
    *decided = answered || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    closePrinter(printer);
    return *decided && needed != 0;
}

}  // namespace

WindowsClass GetWindowsClass()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = kVersionInfoSize;
    if (!GetVersionExW(&version)) {
        return WINDOWS_CLASS_OTHER;
    }
    switch (version.dwPlatformId) {
    case kPlatformWin32s:
        return WINDOWS_CLASS_WIN32S;
    case kPlatformWindows:
        return WINDOWS_CLASS_9X;
    case kPlatformNt:
        return ClassOfNtVersion(version.dwMajorVersion, version.dwMinorVersion);
    default:
        return WINDOWS_CLASS_OTHER;
    }
}

DWORD GetWindowsMajorVersion()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = kVersionInfoSize;
    return GetVersionExW(&version) ? version.dwMajorVersion : 0;
}

DWORD GetDeviceIdControlCode(DWORD windowsClass, LPCWSTR portName)
{
    if (windowsClass == WINDOWS_CLASS_9X) {
        return portName != nullptr && wcsstr(portName, kUsbMarker) != nullptr ? kUsbDeviceIdControlCode
                                                                              : kParallelDeviceIdControlCode;
    }
    if (windowsClass >= WINDOWS_CLASS_NT4 && windowsClass <= WINDOWS_CLASS_NT6) {
        return kQueryDeviceIdControlCode;
    }
    return 0;
}

BOOL IsAnotherJobQueued(LPWSTR printerName)
{
    try {
        BOOL decided = FALSE;
        BOOL queued = AskSecondJob(printerName, nullptr, &decided);
        LPBYTE info = nullptr;
        const ACCESS_MASK access[] = {PRINTER_ALL_ACCESS, PRINTER_ACCESS_USE};
        for (DWORD attempt = 1; attempt < kQueueAttempts && !decided; ++attempt) {
            if (info == nullptr) {
                info = GetPrinterInfo(printerName, 2);
            }
            LPDEVMODEW devMode =
                info != nullptr ? reinterpret_cast<PRINTER_INFO_2W*>(info)->pDevMode : nullptr;
            PRINTER_DEFAULTSW defaults = {nullptr, devMode, access[attempt - 1]};
            queued = AskSecondJob(printerName, &defaults, &decided);
        }
        if (info != nullptr) {
            GlobalFree(info);
        }
        return decided && queued;
    } catch (...) {
        return FALSE;
    }
}

LPBYTE GetPrinterInfo(LPWSTR printerName, DWORD level)
{
    OpenPrinterFunction openPrinter = nullptr;
    GetPrinterFunction getPrinter = nullptr;
    ClosePrinterFunction closePrinter = nullptr;
    {
        PortListLock lock;
        openPrinter = RouterFunction<OpenPrinterFunction>("OpenPrinterW");
        getPrinter = RouterFunction<GetPrinterFunction>("GetPrinterW");
        closePrinter = RouterFunction<ClosePrinterFunction>("ClosePrinter");
    }
    HANDLE printer = nullptr;
    if (openPrinter == nullptr || getPrinter == nullptr || closePrinter == nullptr ||
        !openPrinter(printerName, &printer, nullptr)) {
        return nullptr;
    }
    DWORD needed = 0;
    getPrinter(printer, level, nullptr, 0, &needed);
    LPBYTE info = needed > 0 ? static_cast<LPBYTE>(GlobalAlloc(GPTR, needed)) : nullptr;
    BOOL read = info != nullptr && getPrinter(printer, level, info, needed, &needed);
    read = closePrinter(printer) && read;
    if (!read && info != nullptr) {
        GlobalFree(info);
        info = nullptr;
    }
    return info;
}

int QueryDriverInfo3(HANDLE printer, PDRIVER_INFO_3W* info, DWORD* size)
{
    if (info == nullptr) {
        return 0;
    }
    *info = nullptr;
    HANDLE server = nullptr;
    if (printer == nullptr) {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(nullptr, &server, &defaults)) {
            return 0;
        }
        printer = server;
    }
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, kDriverInfoLevel, nullptr, 0, &needed);
    LPBYTE buffer = needed > 0 ? static_cast<LPBYTE>(LocalAlloc(LPTR, needed)) : nullptr;
    if (buffer != nullptr &&
        !GetPrinterDriverW(printer, nullptr, kDriverInfoLevel, buffer, needed, &needed)) {
        LocalFree(buffer);
        buffer = nullptr;
    }
    if (server != nullptr) {
        ClosePrinter(server);
    }
    *info = reinterpret_cast<PDRIVER_INFO_3W>(buffer);
    if (size != nullptr) {
        *size = buffer != nullptr ? needed : 0;
    }
    return buffer != nullptr ? 1 : 0;
}

int FindDriverIni(LPWSTR iniPath, HANDLE printer)
{
    PDRIVER_INFO_3W info = nullptr;
    DWORD size = 0;
    if (iniPath == nullptr || printer == nullptr || !QueryDriverInfo3(printer, &info, &size)) {
        return 0;
    }
    // The list lies inside the answered block; a name running past its end ends the walk.
    const WCHAR* end = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(info) + size);
    int found = 0;
    for (LPCWSTR entry = info->pDependentFiles; entry != nullptr && entry < end && *entry != 0 && !found;) {
        const size_t room = static_cast<size_t>(end - entry);
        size_t length = 0;
        if (FAILED(StringCchLengthW(entry, room, &length))) {
            break;
        }
        WCHAR upper[MAX_PATH];
        StringCchCopyNW(upper, MAX_PATH, entry, length);
        _wcsupr(upper);
        if (wcsstr(upper, kIniMarker) != nullptr) {
            StringCchCopyNW(iniPath, MAX_PATH, entry, length);
            found = 1;
        }
        entry += length + 1;
    }
    LocalFree(info);
    return found;
}

int ReadComponentValue(LPCWSTR iniPath, LPWSTR value, LPCWSTR defaultValue, LPCWSTR key)
{
    size_t defaultLength = 0;
    if (value == nullptr || key == nullptr || defaultValue == nullptr || iniPath == nullptr ||
        *iniPath == 0 ||
        FAILED(StringCchLengthW(defaultValue, kComponentValueCapacity + 1, &defaultLength)) ||
        defaultLength > kComponentValueCapacity) {
        return 0;
    }
    WCHAR read[kComponentValueCapacity] = {};
    const DWORD count = GetPrivateProfileStringW(kComponentFilesSection, key, defaultValue, read,
                                                 kComponentValueCapacity, iniPath);
    if (count == kComponentValueCapacity - 1) {
        StringCchCopyW(value, kComponentValueCapacity, defaultValue);
        return 0;
    }
    StringCchCopyW(value, kComponentValueCapacity, read);
    return 1;
}
