// Access to one printer and the binding of the driver's parts: the driver INI among the printer
// driver's dependent files, the component files its section ComponentFiles names, and small
// facts about the printer (name, port and port type, local, direct, device-management data).
// No operation throws; results are as each one states.
//
// The record is handed from the UI plug-in to the presentation library, which reads it with its
// own copy of this code; its layout is a contract (x64: handle 0, borrowed 8, iniPath 12,
// iniFound 532).
#pragma once

#include <windows.h>
#include <winspool.h>

#include "nira/uiplugin/foundation/strings/NiraString.h"

// Port types answered by GetPortType.
enum NiraPortType : DWORD {
    NIRA_PORT_OTHER = 1,  // a network port and anything not listed
    NIRA_PORT_LPT1 = 2,
    NIRA_PORT_LPT2 = 3,
    NIRA_PORT_LPT3 = 4,
    NIRA_PORT_USB = 5,
    NIRA_PORT_DOT4 = 6,
    NIRA_PORT_FILE = 7,
    NIRA_PORT_PATH = 9,  // a path, a UNC queue or the null port
};

class CNiraPrinterAccess {
public:
    // Re-opens the printer of `printer` by name with PRINTER_ALL_ACCESS and owns that handle;
    // when that fails it borrows the caller's handle.
    explicit CNiraPrinterAccess(HANDLE printer);
    // Opens the printer by name, with PRINTER_ALL_ACCESS or else PRINTER_ACCESS_USE.
    explicit CNiraPrinterAccess(LPCWSTR printerName);
    ~CNiraPrinterAccess();
    CNiraPrinterAccess(const CNiraPrinterAccess&) = delete;
    CNiraPrinterAccess& operator=(const CNiraPrinterAccess&) = delete;

    HANDLE GetHandle() const { return m_printer; }

    // DRIVER_INFO_3 of a printer (opened by name with the DEVMODE when no handle is given) in a
    // LocalAlloc buffer the caller frees with LocalFree. TRUE on success.
    static BOOL GetDriverInfo(HANDLE printer, LPCWSTR printerName, LPDEVMODEW devMode, DRIVER_INFO_3W** info);

    // Searches the driver INI when not found yet, or always with force; TRUE when found.
    BOOL FindDriverIni(BOOL force);
    BOOL IsDriverIniFound() const { return m_iniFound; }
    LPCWSTR GetDriverIniPath() const { return m_iniPath; }
    // Reads a key of ComponentFiles into value (taken as kComponentValueChars characters); TRUE
    // when a non-empty value was read whole.
    BOOL ReadComponentFile(LPWSTR value, LPCWSTR defaultValue, LPCWSTR key);
    // The printer-driver directory and "\3\" (the folder of the driver's files); FALSE when the
    // directory cannot be read or the path does not fit in `chars`.
    static BOOL GetDriverVersionFolder(LPWSTR path, DWORD chars);
    // The full path of the component a key names: driver directory, "\3\" and the file name, in
    // a buffer of kComponentPathChars characters. FALSE, with the directory and "\3\" left in the
    // buffer, when the key cannot be read.
    BOOL GetComponentPath(LPCWSTR key, LPWSTR path);

    BOOL GetPrinterName(LPWSTR name, DWORD size);
    BOOL GetPortName(CNiraString& portName);
    // TRUE and the type when the port name can be read and is not empty; *type is otherwise
    // left as it was.
    BOOL GetPortType(DWORD* type);
    BOOL IsLocalPrinter();
    // The same, FALSE when the printer's information could not be read (*local is then unset).
    BOOL CheckLocalPrinter(BOOL* local);
    BOOL IsDirectPrinting(int* direct);
    // 0 and *present (1 when "DMCExist" is "True"); ERROR_INVALID_HANDLE without a printer;
    // NIRA_STATUS_FAILED when the value cannot be read.
    LONG IsDmcPresent(int* present);
    BOOL IsUacActive();
    // Starts the command line (not waiting for it); a failure is shown in a message box.
    BOOL LaunchProgram(LPCWSTR commandLine);
    // Starts the command line and lets go of the process; a failure is only answered.
    static BOOL StartProcess(LPCWSTR commandLine);
    // Stores "<unavailable>" as "SerialNumber", then the serial number from the device status
    // ("SN:" field of "ZQSTSSTR") when there is one.
    void UpdateSerialNumber();

    static constexpr DWORD kComponentValueChars = 50;
    static constexpr DWORD kComponentPathChars = 256;

private:
    static void CheckLayout();
    // PRINTER_INFO_2 in a LocalAlloc buffer (freed by the caller); null when it cannot be read.
    PRINTER_INFO_2W* ReadPrinterInfo2();

    HANDLE m_printer;
    int m_borrowed;
    WCHAR m_iniPath[MAX_PATH];
    int m_iniFound;
};
