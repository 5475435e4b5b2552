#include <windows.h>
#include <winspool.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include "support/LastError.h"
#include "support/WString.h"
#include <vector>

namespace {

const WCHAR* const kPrinter = TEXT("Studio Inkjet");
const WString kVersionFolder = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\");

class PrinterAccess : public ::testing::Test {
protected:
    nirasim::Machine machine;

    // A driver with the given dependent files and a printer on `port` that uses it.
    void Install(const std::vector<WString>& dependents, const WString& port = TEXT("USB001"),
                 const WString& server = TEXT(""))
    {
        nirasim::DriverSpec driver;
        driver.name = TEXT("Studio Driver");
        driver.driverFile = TEXT("unidrv.dll");
        driver.configFile = TEXT("unidrvui.dll");
        driver.dependentFiles = dependents;
        machine.InstallDriver(driver);
        nirasim::PrinterSpec printer;
        printer.name = kPrinter;
        printer.portName = port;
        printer.serverName = server;
        printer.driverName = driver.name;
        machine.AddPrinter(printer);
    }

    void WriteIni(const std::string& name, const std::string& components)
    {
        machine.WriteFile(nirasim::Utf8(kVersionFolder) + name, "[ComponentFiles]\r\n" + components);
    }

    HANDLE Open(ACCESS_MASK access = PRINTER_ACCESS_USE)
    {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
        HANDLE printer = nullptr;
        OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, &defaults);
        return printer;
    }
};

TEST_F(PrinterAccess, OwnsAReopenedHandleOrBorrowsTheCallers)
{
    Install({});
    HANDLE mine = Open();
    {
        CNiraPrinterAccess access(mine);
        EXPECT_NE(access.GetHandle(), mine);  // opened again with full access, and owned
    }
    machine.RefusePrinterAccess(kPrinter, PRINTER_ACCESS_ADMINISTER);
    {
        CNiraPrinterAccess access(mine);
        EXPECT_EQ(access.GetHandle(), mine);  // borrowed: not closed at the end
    }
    DWORD needed = 0;
    EXPECT_LAST_ERROR(ERROR_INSUFFICIENT_BUFFER, GetPrinterW(mine, 2, nullptr, 0, &needed));  // still open
    EXPECT_TRUE(ClosePrinter(mine));

    CNiraPrinterAccess byName(kPrinter);  // full access refused: opened for use
    EXPECT_NE(byName.GetHandle(), nullptr);
    CNiraPrinterAccess unknown(TEXT("Nobody"));
    EXPECT_EQ(unknown.GetHandle(), nullptr);
    EXPECT_FALSE(unknown.FindDriverIni(1));
}

TEST_F(PrinterAccess, FindDriverIniTakesTheFirstNameContainingIni)
{
    Install({TEXT("nirauip.dll"), TEXT("Model.ini.bak"), TEXT("model.ini")});
    CNiraPrinterAccess access(kPrinter);
    EXPECT_FALSE(access.IsDriverIniFound());
    ASSERT_TRUE(access.FindDriverIni(0));
    EXPECT_TRUE(access.IsDriverIniFound());
    // A substring test, and the path is kept in upper case.
    EXPECT_EQ(WString(access.GetDriverIniPath()),
              TEXT("C:\\WINDOWS\\SYSTEM32\\SPOOL\\DRIVERS\\X64\\3\\MODEL.INI.BAK"));

    Install({TEXT("nirauip.dll")});        // the driver changes
    EXPECT_TRUE(access.FindDriverIni(0));  // found before: no new search
    EXPECT_NE(WString(access.GetDriverIniPath()), TEXT(""));
    EXPECT_FALSE(access.FindDriverIni(1));  // a forced search finds none
    EXPECT_FALSE(access.IsDriverIniFound());
}

TEST_F(PrinterAccess, AnOverlongDependentNameEndsTheSearch)
{
    Install({WString(300, TEXT('a')) + TEXT(".dll"), TEXT("model.ini")});
    CNiraPrinterAccess access(kPrinter);
    EXPECT_FALSE(access.FindDriverIni(0));
}

TEST_F(PrinterAccess, ComponentValuesAndPaths)
{
    Install({TEXT("model.ini")});
    std::string longName(60, 'x');
    WriteIni("model.ini", "NIRA_STRING_DLL=nirastr.dll\r\nFORTY_NINE=" + std::string(49, 'y') +
                              "\r\nLONG=" + longName + "\r\n");
    CNiraPrinterAccess access(kPrinter);
    WCHAR value[CNiraPrinterAccess::kComponentValueChars];
    EXPECT_FALSE(access.ReadComponentFile(value, TEXT(""), TEXT("NIRA_STRING_DLL")));  // INI not searched yet
    ASSERT_TRUE(access.FindDriverIni(0));

    EXPECT_TRUE(access.ReadComponentFile(value, TEXT(""), TEXT("nira_string_dll")));
    EXPECT_EQ(WString(value), TEXT("nirastr.dll"));
    EXPECT_TRUE(access.ReadComponentFile(value, TEXT(""), TEXT("FORTY_NINE")));
    EXPECT_EQ(WString(value).size(), 49u);
    // A longer value comes back cut to 49 characters and still counts as read: the profile read
    // itself cuts it to the 50-character buffer without a sign, so the copy into the caller's
    // buffer that follows is complete. The package's component names are far shorter, and the
    // callers rely on this answer, so it stays.
    EXPECT_TRUE(access.ReadComponentFile(value, TEXT(""), TEXT("LONG")));
    EXPECT_EQ(WString(value), WString(49, TEXT('x')));
    EXPECT_FALSE(access.ReadComponentFile(value, TEXT(""), TEXT("MISSING")));
    EXPECT_TRUE(access.ReadComponentFile(value, TEXT("fallback.dll"), TEXT("MISSING")));
    EXPECT_EQ(WString(value), TEXT("fallback.dll"));
    EXPECT_FALSE(access.ReadComponentFile(nullptr, TEXT(""), TEXT("LONG")));
    EXPECT_FALSE(access.ReadComponentFile(value, TEXT(""), nullptr));

    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    ASSERT_TRUE(access.GetComponentPath(TEXT("NIRA_STRING_DLL"), path));
    EXPECT_EQ(WString(path), kVersionFolder + TEXT("nirastr.dll"));
    EXPECT_FALSE(access.GetComponentPath(TEXT("MISSING"), path));
    EXPECT_EQ(WString(path), kVersionFolder);  // directory and "\3\" stay
}

TEST_F(PrinterAccess, PortTypesFollowTheTableOrder)
{
    struct Case {
        const WCHAR* port;
        DWORD type;
    } cases[] = {
        {TEXT("USB001,LPT1:"), NIRA_PORT_LPT1}, {TEXT("LPT2:"), NIRA_PORT_LPT2},
        {TEXT("lpt3:"), NIRA_PORT_LPT3},        {TEXT("USB001"), NIRA_PORT_USB},
        {TEXT("DOT4_001"), NIRA_PORT_DOT4},     {TEXT("FILE:"), NIRA_PORT_FILE},
        {TEXT("C:\\out.prn"), NIRA_PORT_PATH},  {TEXT("\\\\server\\queue"), NIRA_PORT_PATH},
        {TEXT("nul-null"), NIRA_PORT_PATH},     {TEXT("Ne01:"), NIRA_PORT_OTHER},
        {TEXT("IP_10.0.0.5"), NIRA_PORT_OTHER},
    };
    for (const Case& c : cases) {
        Install({}, c.port);
        CNiraPrinterAccess access(kPrinter);
        DWORD type = 0;
        EXPECT_TRUE(access.GetPortType(&type));
        EXPECT_EQ(type, c.type) << nirasim::Utf8(c.port);
    }
    Install({}, TEXT(""));
    CNiraPrinterAccess access(kPrinter);
    DWORD type = 77;
    EXPECT_FALSE(access.GetPortType(&type));
    EXPECT_EQ(type, 77u);
    CNiraPrinterAccess none(TEXT("Nobody"));
    EXPECT_FALSE(none.GetPortType(&type));
}

TEST_F(PrinterAccess, LocalPrintersAndDirectPrinting)
{
    struct Case {
        const WCHAR* port;
        const WCHAR* server;
        BOOL local;
    } cases[] = {
        {TEXT("USB001"), TEXT(""), TRUE},
        {TEXT("USB001"), TEXT("\\\\printsrv"), FALSE},
        {TEXT("Client:LPT1"), TEXT(""), FALSE},
        {TEXT("TS001"), TEXT(""), FALSE},
        {TEXT(""), TEXT(""), FALSE},
    };
    for (const Case& c : cases) {
        Install({}, c.port, c.server);
        CNiraPrinterAccess access(kPrinter);
        EXPECT_EQ(access.IsLocalPrinter(), c.local) << nirasim::Utf8(c.port);
    }
    CNiraPrinterAccess access(kPrinter);
    int direct = 5;
    EXPECT_TRUE(access.IsDirectPrinting(&direct));
    EXPECT_EQ(direct, 0);
    WCHAR name[8];
    EXPECT_FALSE(access.GetPrinterName(name, 8));  // does not fit
    EXPECT_EQ(name[0], 0);
    WCHAR full[260];
    EXPECT_TRUE(access.GetPrinterName(full, 260));
    EXPECT_EQ(WString(full), kPrinter);
}

TEST_F(PrinterAccess, DeviceManagementFlag)
{
    Install({});
    CNiraPrinterAccess access(kPrinter);
    int present = 7;
    EXPECT_EQ(access.IsDmcPresent(&present), NIRA_STATUS_FAILED);
    EXPECT_EQ(present, 0);
    machine.SetPrinterString(kPrinter, "DMCExist", "tRUE");
    EXPECT_EQ(access.IsDmcPresent(&present), NIRA_STATUS_OK);
    EXPECT_EQ(present, 1);
    machine.SetPrinterString(kPrinter, "DMCExist", "False");
    EXPECT_EQ(access.IsDmcPresent(&present), NIRA_STATUS_OK);
    EXPECT_EQ(present, 0);
    machine.SetPrinterString(kPrinter, "DMCExist", "Truely long");  // longer than the 7-character buffer
    EXPECT_EQ(access.IsDmcPresent(&present), NIRA_STATUS_FAILED);
    CNiraPrinterAccess none(TEXT("Nobody"));
    EXPECT_EQ(none.IsDmcPresent(&present), ERROR_INVALID_HANDLE);
}

TEST_F(PrinterAccess, SerialNumberFromTheDeviceStatus)
{
    Install({});
    CNiraPrinterAccess access(kPrinter);
    std::string bytes;
    auto serial = [&] {
        machine.GetPrinterData(kPrinter, "SerialNumber", bytes);
        return WString(reinterpret_cast<const WCHAR*>(bytes.data()), bytes.size() / 2 - 1);
    };
    access.UpdateSerialNumber();
    EXPECT_EQ(serial(), TEXT("<unavailable>"));
    EXPECT_EQ(bytes.size(), 28u);  // 2 x length + 2

    machine.SetPrinterData(kPrinter, "ZQSTSSTR", REG_BINARY, "STATUS:OK;SN:CN12AB34;MODEL:X;SN:OTHER;");
    access.UpdateSerialNumber();
    EXPECT_EQ(serial(), TEXT("CN12AB34"));
    machine.SetPrinterData(kPrinter, "ZQSTSSTR", REG_BINARY, "STATUS:OK;");
    access.UpdateSerialNumber();
    EXPECT_EQ(serial(), TEXT("<unavailable>"));
}

TEST_F(PrinterAccess, ElevationAndLaunching)
{
    Install({});
    CNiraPrinterAccess access(kPrinter);
    struct Case {
        DWORD major;
        DWORD elevation;
        BOOL active;
    } cases[] = {{5, 2, FALSE}, {6, 1, FALSE}, {6, 2, TRUE}, {10, 3, TRUE}};
    for (const Case& c : cases) {
        machine.SetWindowsVersion(c.major, 0);
        machine.SetElevationType(c.elevation);
        EXPECT_EQ(access.IsUacActive(), c.active) << c.major << " " << c.elevation;
    }
    machine.SetTokenFailures(true, false);
    EXPECT_TRUE(access.IsUacActive());  // no token: assume the limits apply
    machine.SetTokenFailures(false, true);
    EXPECT_FALSE(access.IsUacActive());

    EXPECT_TRUE(access.LaunchProgram(TEXT("C:\\Tools\\toolbox.exe /p")));
    machine.SetCreateProcessFailure(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(access.LaunchProgram(TEXT("C:\\Tools\\missing.exe")));
    ASSERT_EQ(machine.ProcessesStarted().size(), 2u);
    EXPECT_EQ(machine.ProcessesStarted()[0].commandLine, TEXT("C:\\Tools\\toolbox.exe /p"));
    EXPECT_EQ(machine.ProcessesStarted()[0].startupInfoSize, DWORD(sizeof(STARTUPINFOW)));
    ASSERT_EQ(machine.MessageBoxes().size(), 1u);
    EXPECT_EQ(machine.MessageBoxes()[0].caption, TEXT("Launching of PU has Failed"));
    EXPECT_EQ(machine.MessageBoxes()[0].text, TEXT(""));
}

}  // namespace

namespace {

TEST_F(PrinterAccess, SpoolerFailuresGiveNoAnswer)
{
    Install({TEXT("model.ini")});
    WriteIni("model.ini", "NIRA_STRING_DLL=nirastr.dll\r\n");
    CNiraPrinterAccess access(kPrinter);
    ASSERT_TRUE(access.FindDriverIni(0));

    machine.FailCalls("GetPrinterW", ERROR_ACCESS_DENIED);  // the size query does not report a size
    DWORD type = 77;
    EXPECT_FALSE(access.GetPortType(&type));
    EXPECT_EQ(type, 77u);

    machine.FailCalls("GetPrinterDriverDirectoryW", ERROR_ACCESS_DENIED);
    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    EXPECT_FALSE(access.GetComponentPath(TEXT("NIRA_STRING_DLL"), path));

    machine.FailCalls("GetPrinterDriverW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_FALSE(access.FindDriverIni(1));

    machine.FailCalls("SetPrinterDataW", ERROR_ACCESS_DENIED);  // "<unavailable>" cannot be written: stop
    machine.SetPrinterData(kPrinter, "ZQSTSSTR", REG_BINARY, "SN:XY;");
    access.UpdateSerialNumber();
    std::string bytes;
    EXPECT_FALSE(machine.GetPrinterData(kPrinter, "SerialNumber", bytes));
}

}  // namespace
