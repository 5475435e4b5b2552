#include "MonitorFixture.h"

#include "langmon/pcllm/MonitorSystem.h"

#include <winspool.h>

#include "support/WString.h"

namespace printer = nirasim::printer;

namespace {

TEST_F(MonitorTest, WindowsClassOfEachVersion)
{
    struct Case {
        DWORD major, minor;
        WindowsClass expected;
    } cases[] = {{4, 0, WINDOWS_CLASS_NT4},  {5, 0, WINDOWS_CLASS_2000},  {5, 1, WINDOWS_CLASS_XP},
                 {5, 2, WINDOWS_CLASS_2003}, {5, 3, WINDOWS_CLASS_OTHER}, {6, 0, WINDOWS_CLASS_NT6},
                 {6, 1, WINDOWS_CLASS_NT6},  {10, 0, WINDOWS_CLASS_OTHER}};
    for (const Case& c : cases) {
        machine->SetWindowsVersion(c.major, c.minor);
        EXPECT_EQ(GetWindowsClass(), c.expected) << c.major << "." << c.minor;
    }
    machine->SetWindowsVersion(5, 1);
    machine->FailCalls("GetVersionExW", ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetWindowsClass(), WINDOWS_CLASS_OTHER);
}

TEST(DeviceIdControlCode, ByWindowsClassAndPort)
{
    struct Case {
        DWORD windowsClass;
        const WCHAR* port;
        DWORD code;
    } cases[] = {
        {WINDOWS_CLASS_9X, TEXT("USB001"), 0x182000}, {WINDOWS_CLASS_9X, TEXT("LPT1:"), 17},
        {WINDOWS_CLASS_XP, TEXT("USB001"), 0x16000C}, {WINDOWS_CLASS_XP, TEXT("LPT1:"), 0x16000C},
        {WINDOWS_CLASS_NT4, TEXT("LPT1:"), 0x16000C}, {WINDOWS_CLASS_NT6, TEXT("DOT4_001"), 0x16000C},
        {WINDOWS_CLASS_WIN32S, TEXT("USB001"), 0},    {WINDOWS_CLASS_NT3, TEXT("LPT1:"), 0},
        {WINDOWS_CLASS_OTHER, TEXT("USB001"), 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(GetDeviceIdControlCode(c.windowsClass, c.port), c.code) << c.windowsClass;
    }
}

TEST_F(MonitorTest, DriverIniIsTheFirstListedAsStored)
{
    nirasim::DriverSpec driver = nirasim::Machine::SamplePackageDriver();
    driver.name = TEXT("Mixed Case Driver");
    driver.dependentFiles = {TEXT("nirahelp.chm"), TEXT("NiraModel.Ini"), TEXT("second.ini")};
    machine->InstallDriver(driver);
    nirasim::PrinterSpec spec;
    spec.name = TEXT("Mixed");
    spec.driverName = driver.name;
    machine->AddPrinter(spec);
    WString name = spec.name;
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(name.data(), &handle, nullptr));
    WCHAR iniPath[MAX_PATH] = {};
    EXPECT_EQ(FindDriverIni(iniPath, handle), 1);
    EXPECT_EQ(WString(iniPath), nirasim::Machine::DriverVersionDirectory() + TEXT("\\NiraModel.Ini"));
    EXPECT_EQ(FindDriverIni(iniPath, nullptr), 0);
    ClosePrinter(handle);
}

TEST_F(MonitorTest, ComponentValuesOfAtMostTwentyEightCharacters)
{
    const WCHAR* const ini = TEXT("C:\\drivers\\model.ini");
    machine->WriteFile(ini, "[ComponentFiles]\nShort=lib.dll\nFull=" + std::string(28, 'a') +
                                "\nTooLong=" + std::string(29, 'b') + "\n");
    const WCHAR* const fallback = TEXT("nirastr.DLL");
    struct Case {
        const WCHAR* key;
        int result;
        WString value;
    } cases[] = {{TEXT("Short"), 1, TEXT("lib.dll")},
                 {TEXT("Full"), 1, WString(28, TEXT('a'))},
                 {TEXT("TooLong"), 0, fallback},
                 {TEXT("Absent"), 1, fallback}};
    for (const Case& c : cases) {
        WCHAR value[kComponentValueCapacity] = {};
        EXPECT_EQ(ReadComponentValue(ini, value, fallback, c.key), c.result) << c.key;
        EXPECT_EQ(WString(value), c.value);
    }
    WCHAR untouched[kComponentValueCapacity] = TEXT("x");
    const WString longDefault(31, TEXT('d'));
    EXPECT_EQ(ReadComponentValue(ini, untouched, longDefault.c_str(), TEXT("Short")), 0);
    EXPECT_EQ(ReadComponentValue(TEXT(""), untouched, fallback, TEXT("Short")), 0);
    EXPECT_EQ(ReadComponentValue(ini, untouched, nullptr, TEXT("Short")), 0);
    EXPECT_EQ(WString(untouched), TEXT("x"));
}

TEST_F(MonitorTest, SecondJobInTheQueue)
{
    WString name = kPrinter;
    EXPECT_FALSE(IsAnotherJobQueued(name.data()));
    machine->QueueJob(kPrinter, "first");
    EXPECT_FALSE(IsAnotherJobQueued(name.data()));
    machine->QueueJob(kPrinter, "second");
    EXPECT_TRUE(IsAnotherJobQueued(name.data()));
    // The first attempt cannot open the printer; the second, with the printer's defaults, decides.
    machine->FailCalls("OpenPrinterW", ERROR_ACCESS_DENIED);
    EXPECT_TRUE(IsAnotherJobQueued(name.data()));
    // No attempt decides.
    machine->FailCalls("EnumJobsW", ERROR_ACCESS_DENIED, -1);
    EXPECT_FALSE(IsAnotherJobQueued(name.data()));
    machine->ClearFailures();
    printer::RemoveRouterFunction("EnumJobsW");
    EXPECT_FALSE(IsAnotherJobQueued(name.data()));
}

TEST_F(MonitorTest, PrinterInfoThroughTheRouter)
{
    WString name = kPrinter;
    LPBYTE info = GetPrinterInfo(name.data(), 2);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(WString(reinterpret_cast<PRINTER_INFO_2W*>(info)->pPortName), kPort);
    GlobalFree(info);
    WString unknown = TEXT("No Such Printer");
    EXPECT_EQ(GetPrinterInfo(unknown.data(), 2), nullptr);
    printer::RemoveRouterFunction("GetPrinterW");
    EXPECT_EQ(GetPrinterInfo(name.data(), 2), nullptr);
}

}  // namespace
