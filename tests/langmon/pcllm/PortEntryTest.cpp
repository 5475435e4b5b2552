#include "MonitorFixture.h"

#include "langmon/pcllm/MonitorGlobals.h"

#include "support/LastError.h"
#include "support/WString.h"

namespace printer = nirasim::printer;

namespace {

TEST_F(MonitorTest, SpoolerLoadsTheMonitorAndTheTableFitsTheWindowsVersion)
{
    struct Case {
        DWORD major, minor, size;
    } cases[] = {{5, 0, 148}, {5, 1, 160}, {6, 1, 160}, {10, 0, 160}};
    for (const Case& c : cases) {
        machine->SetWindowsVersion(c.major, c.minor);
        printer::LanguageMonitor monitor("niralm.dll");
        ASSERT_TRUE(monitor.Loaded());
        LPMONITOR2 table = monitor.Initialize();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->cbSize, c.size) << c.major << "." << c.minor;
        EXPECT_NE(table->pfnOpenPortEx, nullptr);
        EXPECT_NE(table->pfnClosePort, nullptr);
        EXPECT_NE(table->pfnStartDocPort, nullptr);
        EXPECT_NE(table->pfnWritePort, nullptr);
        EXPECT_NE(table->pfnEndDocPort, nullptr);
        EXPECT_NE(table->pfnGetPrinterDataFromPort, nullptr);
        EXPECT_EQ(table->pfnSendRecvBidiDataFromPort == nullptr, c.size == 148) << c.major << "." << c.minor;
        EXPECT_EQ(table->pfnOpenPort, nullptr);
        EXPECT_EQ(table->pfnEnumPorts, nullptr);
        EXPECT_EQ(table->pfnXcvOpenPort, nullptr);
    }
}

TEST_F(MonitorTest, BadMonitorInitIsRefused)
{
    printer::LanguageMonitor monitor("niralm.dll");
    ASSERT_TRUE(monitor.Loaded());
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_EQ(monitor.Initialize(nullptr), nullptr));
    MONITORINIT withoutRoot = printer::LanguageMonitor::SpoolerInit();
    withoutRoot.hckRegistryRoot = nullptr;
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_EQ(monitor.Initialize(&withoutRoot), nullptr));
}

TEST_F(MonitorTest, PortsOpenAndCloseThroughTheLoadedMonitor)
{
    printer::LanguageMonitor monitor("niralm.dll");
    ASSERT_NE(monitor.Initialize(), nullptr);
    HANDLE port = monitor.OpenPort(kPort, kPrinter);
    ASSERT_NE(port, nullptr);
    EXPECT_TRUE(monitor.ClosePort(port));
    EXPECT_EQ(printer::PortCalls(kPort), (std::vector<std::string>{"OpenPort", "ClosePort"}));
}

TEST_F(MonitorTest, LibraryRefusesToLoadWithoutTheRouter)
{
    DllMain(nullptr, DLL_PROCESS_DETACH, nullptr);
    machine->FailCalls("LoadLibraryW", ERROR_MOD_NOT_FOUND);
    EXPECT_FALSE(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr));
}

TEST_F(MonitorTest, LowerMonitorWithoutARequiredMemberIsRefused)
{
    const size_t required[] = {offsetof(MONITOR2, pfnOpenPort), offsetof(MONITOR2, pfnStartDocPort),
                               offsetof(MONITOR2, pfnWritePort), offsetof(MONITOR2, pfnReadPort),
                               offsetof(MONITOR2, pfnClosePort)};
    for (size_t member : required) {
        MONITOR2 lacking = printer::PortMonitorTable();
        memset(reinterpret_cast<BYTE*>(&lacking) + member, 0, sizeof(void*));
        WString name = kPort;
        HANDLE handle = nullptr;
        EXPECT_LAST_ERROR(ERROR_INVALID_PRINT_MONITOR,
                          EXPECT_FALSE(OpenPortEx(nullptr, nullptr, name.data(), nullptr, &handle, &lacking))
                              << member);
    }
    WString name = kPort;
    HANDLE handle = nullptr;
    EXPECT_LAST_ERROR(ERROR_INVALID_PRINT_MONITOR,
                      EXPECT_FALSE(OpenPortEx(nullptr, nullptr, name.data(), nullptr, &handle, nullptr)));
}

TEST_F(MonitorTest, PortOpenOnceWhateverTheCase)
{
    ASSERT_NE(Open(TEXT("USB001")), nullptr);
    EXPECT_LAST_ERROR(ERROR_BUSY, EXPECT_EQ(Open(TEXT("usb001")), nullptr));
    EXPECT_NE(Open(TEXT("USB002")), nullptr);
}

TEST_F(MonitorTest, FailedLowerOpenKeepsItsErrorAndLeavesTheNameUsable)
{
    printer::FailOpenPort(ERROR_ACCESS_DENIED);
    EXPECT_LAST_ERROR(ERROR_ACCESS_DENIED, EXPECT_EQ(Open(), nullptr));
    {
        PortListLock lock;
        EXPECT_EQ(FindPortContext(kPort), nullptr);
    }
    printer::FailOpenPort(ERROR_SUCCESS);
    PortContext* port = Open();
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->signature, kPortSignature);
    EXPECT_EQ(port->firstJob, 1u);
    EXPECT_NE(port->statusBuffer, nullptr);
}

TEST_F(MonitorTest, ReadPortForwardsOrFailsWithoutTouchingTheLastError)
{
    PortContext* port = Open();
    ASSERT_NE(port, nullptr);
    printer::SetReadData(kPort, "status");
    BYTE buffer[16] = {};
    DWORD count = 0;
    EXPECT_TRUE(ReadPort(port, buffer, sizeof(buffer), &count));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), count), "status");

    PortContext* unopened = nullptr;
    {
        PortListLock lock;
        unopened = CreatePortContext(TEXT("LPT1:"));
    }
    ASSERT_NE(unopened, nullptr);
    EXPECT_LAST_ERROR(kLastErrorUntouched, EXPECT_FALSE(ReadPort(unopened, buffer, sizeof(buffer), &count)));
    PortListLock lock;
    DeletePortContext(unopened);
}

TEST_F(MonitorTest, ClosePortChecksItsHandleAndFreesTheName)
{
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_FALSE(ClosePort(nullptr)));
    int notAPort = 0;
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_FALSE(ClosePort(&notAPort)));

    PortContext* port = Open();
    ASSERT_NE(port, nullptr);
    Shutdown(nullptr);  // leaves open ports alone
    Close(port);
    EXPECT_EQ(printer::PortCalls(kPort).back(), "ClosePort");
    EXPECT_NE(Open(), nullptr);
}

}  // namespace
