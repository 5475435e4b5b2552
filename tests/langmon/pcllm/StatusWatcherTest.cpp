#include "MonitorFixture.h"

#include "langmon/pcllm/DeviceQuery.h"
#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/PortStatus.h"
#include "langmon/pcllm/RegistryKey.h"

#include <strsafe.h>

#include "support/WString.h"

namespace printer = nirasim::printer;

namespace {

const WCHAR* const kDriverDataKey =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Nira Inkjet\\PrinterDriverData");
const std::string kPaperJam = "$AU0,ff,DN,PAJM,CUT,K0,C0,SM";
const std::string kLowInk = "$AC2$FC0,ff,DN,IDLE,CUT,K1,C0,SM";
const std::string kOutOfInk = "$AC0$FC0,ff,DN,PRNT,CUT,K0,C3,SM";

class StatusWatcherTest : public MonitorTest {
protected:
    PortContext* port = nullptr;

    void SetUp() override
    {
        MonitorTest::SetUp();
        machine->SetWindowsVersion(5, 1);
        port = Open();
        ASSERT_NE(port, nullptr);
        const WString library = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirastr.dll");
        StringCchCopyW(port->watcher.stringLibraryPath, kStringLibraryPathCapacity, library.c_str());
    }

    // A watcher that polls only when the test says so.
    void ActivateWithoutThread()
    {
        port->watcher.port = port;
        port->watcher.active = 1;
        port->watcher.key =
            RegistryKey::Create(HKEY_LOCAL_MACHINE, kDriverDataKey, nullptr, 0, KEY_ALL_ACCESS);
    }

    std::string Stored() const
    {
        std::string bytes;
        machine->GetPrinterData(kPrinter, "ZQSTSSTR", bytes);
        return bytes;
    }

    std::vector<nirasim::PortStatus> History() const { return printer::PortStatusHistory(kPort); }
};

TEST_F(StatusWatcherTest, EveryPollWritesTheIdAndAChangeSetsThePortStatusOnce)
{
    ActivateWithoutThread();
    printer::SetDeviceId(kPort, printer::DeviceId(kPaperJam));
    PollDeviceStatus(&port->watcher, 1);
    EXPECT_EQ(Stored(), printer::DeviceId(kPaperJam));
    machine->SetPrinterData(kPrinter, "ZQSTSSTR", REG_BINARY, "mark");
    PollDeviceStatus(&port->watcher, 0);
    EXPECT_EQ(Stored(), printer::DeviceId(kPaperJam));
    const auto history = History();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].status, static_cast<DWORD>(PORT_STATUS_PAPER_JAM));
    EXPECT_EQ(history[0].severity, static_cast<DWORD>(PORT_STATUS_TYPE_ERROR));
    EXPECT_EQ(port->portStatus, static_cast<DWORD>(PORT_STATUS_PAPER_JAM));
    EXPECT_EQ(GetLastPortStatus(), static_cast<DWORD>(PORT_STATUS_PAPER_JAM));
    const auto queries = printer::DeviceQueries(kPort);
    ASSERT_EQ(queries.size(), 2u);
    EXPECT_EQ(queries[0].inputSize, 1u);  // the start-of-job flag
    EXPECT_EQ(queries[1].inputSize, 0u);

    // A device that stops answering leaves the status as it was.
    printer::SetDeviceAnswer(kPort, printer::FailedAnswer(ERROR_GEN_FAILURE));
    PollDeviceStatus(&port->watcher, 0);
    EXPECT_EQ(History().size(), 1u);
    // An ID without a status clears it.
    printer::SetDeviceId(kPort, "MFG:NIRA;MDL:X;");
    PollDeviceStatus(&port->watcher, 0);
    ASSERT_EQ(History().size(), 2u);
    EXPECT_EQ(History()[1].status, 0u);
    EXPECT_EQ(History()[1].severity, 0u);
}

TEST_F(StatusWatcherTest, FailedSetPortIsTriedAgainAndAMissingOneIsNotMissed)
{
    ActivateWithoutThread();
    printer::SetDeviceId(kPort, printer::DeviceId(kPaperJam));
    machine->FailCalls("SetPortW", ERROR_ACCESS_DENIED);
    PollDeviceStatus(&port->watcher, 0);
    EXPECT_TRUE(History().empty());
    EXPECT_EQ(port->portStatus, 0u);
    PollDeviceStatus(&port->watcher, 0);
    EXPECT_EQ(History().size(), 1u);

    printer::RemoveRouterFunction("SetPortW");
    printer::SetDeviceId(kPort, printer::DeviceId("$AU0,ff,DN,OOPA,CUT,K0,C0,SM"));
    PollDeviceStatus(&port->watcher, 0);
    EXPECT_EQ(History().size(), 1u);
    EXPECT_EQ(port->portStatus, static_cast<DWORD>(PORT_STATUS_PAPER_OUT));
}

TEST_F(StatusWatcherTest, InkTextsComeFromTheStringLibraryInTheUsersLanguage)
{
    machine->SetUILanguage(0x0407);
    printer::SetDeviceId(kPort, printer::WithLengthPrefix(printer::DeviceId(kLowInk)));
    StartStatusWatcher(&port->watcher, port, kPrinter);
    ASSERT_TRUE(IsStatusWatcherRunning(&port->watcher));
    ASSERT_TRUE(Eventually([&] { return History().size() >= 1; }));
    printer::SetDeviceId(kPort, printer::DeviceId(kOutOfInk));
    ASSERT_TRUE(Eventually([&] { return History().size() >= 2; }));
    StopStatusWatcher(&port->watcher);
    const auto history = History();
    EXPECT_EQ(history[0].status, 0u);
    EXPECT_EQ(history[0].text, TEXT("Der Tintenstand einer Patrone ist niedrig."));
    EXPECT_EQ(history[0].severity, static_cast<DWORD>(PORT_STATUS_TYPE_WARNING));
    EXPECT_EQ(history[1].status, 0u);
    EXPECT_EQ(history[1].text, TEXT("Eine Tintenpatrone ist leer."));
    EXPECT_EQ(port->portStatus, static_cast<DWORD>(PORT_STATUS_NO_TONER));
    EXPECT_EQ(Stored(), printer::DeviceId(kOutOfInk));
}

TEST_F(StatusWatcherTest, ThreadPollsEveryFiveSecondsOfTheClockUntilStopped)
{
    printer::SetDeviceId(kPort, printer::DeviceId(kPaperJam));
    StartStatusWatcher(&port->watcher, port, kPrinter);
    ASSERT_TRUE(Eventually([&] { return printer::DeviceQueries(kPort).size() >= 4; }));
    StopStatusWatcher(&port->watcher);
    EXPECT_FALSE(IsStatusWatcherRunning(&port->watcher));
    EXPECT_EQ(port->watcher.active, 0);
    EXPECT_EQ(port->watcher.key, nullptr);
    const auto queries = printer::DeviceQueries(kPort);
    for (size_t i = 1; i < queries.size(); ++i) {
        EXPECT_EQ(queries[i].tick - queries[i - 1].tick, kStatusPollPeriod) << i;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(printer::DeviceQueries(kPort).size(), queries.size());
}

TEST_F(StatusWatcherTest, FailedWaitEndsTheThread)
{
    StartStatusWatcher(&port->watcher, port, kPrinter);
    ASSERT_TRUE(IsStatusWatcherRunning(&port->watcher));
    CloseHandle(port->watcher.stopEvent);  // every later wait on it fails
    EXPECT_TRUE(Eventually([&] {
        DWORD code = 0;
        return GetExitCodeThread(port->watcher.thread, &code) && code != STILL_ACTIVE;
    }));
    StopStatusWatcher(&port->watcher);
    EXPECT_FALSE(IsStatusWatcherRunning(&port->watcher));
}

TEST_F(StatusWatcherTest, TooLongPrinterNameGivesNoKeyAndNoThread)
{
    const WString name(200, TEXT('P'));
    StartStatusWatcher(&port->watcher, port, name.c_str());
    EXPECT_FALSE(IsStatusWatcherRunning(&port->watcher));
    EXPECT_EQ(port->watcher.key, nullptr);
    EXPECT_EQ(port->watcher.active, 1);
    // Only the poll at the start of a job refreshes the status then.
    printer::SetDeviceId(kPort, printer::DeviceId(kPaperJam));
    PollDeviceStatus(&port->watcher, 1);
    EXPECT_EQ(History().size(), 1u);
    StopStatusWatcher(&port->watcher);
}

TEST_F(StatusWatcherTest, SecondWatcherOfThePairSharesTheStopEvent)
{
    WString name = WString(kPrinter) + kPort;
    HANDLE existing = CreateEventW(nullptr, TRUE, TRUE, name.c_str());
    ASSERT_NE(existing, nullptr);
    StartStatusWatcher(&port->watcher, port, kPrinter);
    ASSERT_TRUE(IsStatusWatcherRunning(&port->watcher));
    EXPECT_EQ(WaitForSingleObject(existing, 0),
              static_cast<DWORD>(WAIT_TIMEOUT));  // reset for the new thread
    StopStatusWatcher(&port->watcher);
    EXPECT_EQ(WaitForSingleObject(existing, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(existing);
}

}  // namespace
