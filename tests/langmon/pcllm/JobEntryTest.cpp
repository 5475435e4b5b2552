#include "JobFixture.h"

#include "langmon/pcllm/PortStatus.h"

namespace printer = nirasim::printer;

namespace {

const std::string kUniversalExit = "\x1B%-12345X";
const std::string kPaperJam = "$AU0,ff,DN,PAJM,CUT,K0,C0,SM";
const std::string kIdle = "$AU0,ff,DN,IDLE,CUT,K0,C0,SM";

printer::WriteScript Failed(DWORD count = 0)
{
    return {printer::WriteOutcome::Fail, count, ERROR_GEN_FAILURE};
}

TEST_F(JobTest, SmallWritesAreGatheredAfterTheFirstTwo)
{
    const DWORD job = NewJob();
    ASSERT_TRUE(Start(port, job));
    const std::string a(100, 'a'), b(200, 'b'), c(4000, 'c');
    ASSERT_TRUE(Write(port, a));
    ASSERT_TRUE(Write(port, b));
    ASSERT_TRUE(Write(port, c));
    // The staged 4000 bytes go out when the writer finds nothing else to do, before the job ends.
    EXPECT_TRUE(Eventually([] { return printer::Writes(kPort).size() == 3; }));
    ASSERT_TRUE(EndDocPort(port));
    EXPECT_EQ(OfferedSizes(), (std::vector<size_t>{100, 200, 4000}));
    EXPECT_EQ(printer::BytesReceived(kPort), a + b + c);
    EXPECT_EQ(port->jobs, nullptr);
    EXPECT_EQ(port->flags & PORT_FLAG_DOC_STARTED, 0u);
}

TEST_F(JobTest, TheSpoolerDeliversAJobThroughTheLoadedMonitor)
{
    Close(port);
    printer::LanguageMonitor monitor("niralm.dll");
    ASSERT_NE(monitor.Initialize(), nullptr);
    HANDLE loaded = monitor.OpenPort(kPort, kPrinter);
    ASSERT_NE(loaded, nullptr);
    std::string job;
    for (int i = 0; i < 5000; ++i) {
        job += static_cast<char>(i * 7);
    }
    DWORD error = 0;
    ASSERT_TRUE(monitor.DeliverJob(loaded, kPrinter, NewJob(), "Report", job, 1000, &error)) << error;
    EXPECT_EQ(printer::BytesReceived(kPort), job);
    const std::vector<size_t> sizes = OfferedSizes();
    ASSERT_GE(sizes.size(), 3u);
    EXPECT_EQ(sizes[0], 1000u);  // the first two as they came, the rest gathered
    EXPECT_EQ(sizes[1], 1000u);
}

TEST_F(JobTest, AWriteOfExactlyTheFreeRoomQueuesOneFullBuffer)
{
    printer::ScriptWrites(kPort, {{printer::WriteOutcome::Block}});
    ASSERT_TRUE(Start(port, NewJob()));
    ASSERT_TRUE(Write(port, "1"));
    // The writer holds the first buffer, so nothing staged leaves on its own.
    ASSERT_TRUE(Eventually([] { return printer::PortCalls(kPort).back() == "WritePort"; }));
    ASSERT_TRUE(Write(port, "2"));
    ASSERT_TRUE(Write(port, std::string(96, 'x')));
    ASSERT_TRUE(Write(port, std::string(4000, 'y')));
    EXPECT_EQ(port->jobs->queue->staged, 0u);
    printer::ReleaseBlockedCalls(kPort);
    ASSERT_TRUE(EndDocPort(port));
    EXPECT_EQ(OfferedSizes(), (std::vector<size_t>{1, 1, 4096}));
    EXPECT_EQ(printer::BytesReceived(kPort), "12" + std::string(96, 'x') + std::string(4000, 'y'));
}

TEST_F(JobTest, UsbWriterFailsTheJobAfterTheThirdFailedCall)
{
    machine->SetWindowsVersion(5, 0);  // where the end of a job reads the counter
    UseCounters(28, 5);
    printer::ScriptWrites(kPort, {Failed(), Failed(), Failed()});
    ASSERT_TRUE(Start(port, NewJob()));
    ASSERT_TRUE(Write(port, "data"));
    ASSERT_TRUE(Eventually([this] { return HasWriteFailed(port->jobs->queue) != FALSE; }));

    SetLastError(0);
    EXPECT_FALSE(Write(port, "more"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
    EXPECT_NE(port->flags & PORT_FLAG_WRITE_FAILED, 0u);
    ASSERT_TRUE(EndDocPort(port));
    EXPECT_EQ(printer::Writes(kPort).size(), 3u);  // the later write never reached the port
    EXPECT_EQ(printer::BytesReceived(kPort), "");  // no counter request either
}

TEST_F(JobTest, WriterKeepsTryingOnAParallelPortAndThroughAPaperJam)
{
    struct Case {
        const WCHAR* port;
        std::string status;
    } cases[] = {{TEXT("LPT1:"), kIdle}, {kPort, kPaperJam}};
    for (const Case& c : cases) {
        Close(port);
        port = Open(c.port);
        ASSERT_NE(port, nullptr);
        printer::SetDeviceId(c.port, printer::DeviceId(c.status));
        printer::ScriptWrites(c.port, {Failed(), Failed(), Failed(), Failed(), Failed()});
        ASSERT_TRUE(Start(port, NewJob()));
        ASSERT_TRUE(Write(port, "data"));
        ASSERT_TRUE(EndDocPort(port));
        EXPECT_EQ(printer::Writes(c.port).size(), 6u) << c.status;
        EXPECT_EQ(printer::BytesReceived(c.port), "data") << c.status;
        EXPECT_EQ(port->flags & PORT_FLAG_WRITE_FAILED, 0u) << c.status;
    }
}

TEST_F(JobTest, PartialAndEmptyWritesAdvanceWithoutCountingAFailure)
{
    // FALSE with 512 bytes, TRUE with none, FALSE with 100, and two failures among them.
    printer::ScriptWrites(kPort,
                          {Failed(512), Failed(), {printer::WriteOutcome::Short, 0}, Failed(100), Failed()});
    ASSERT_TRUE(Start(port, NewJob()));
    const std::string data(1000, 'd');
    ASSERT_TRUE(Write(port, data));
    ASSERT_TRUE(EndDocPort(port));
    EXPECT_EQ(printer::BytesReceived(kPort), data);
    EXPECT_EQ(OfferedSizes(), (std::vector<size_t>{1000, 488, 488, 488, 388, 388}));
    EXPECT_EQ(port->flags & PORT_FLAG_WRITE_FAILED, 0u);
}

TEST_F(JobTest, DeletedJobLeavesTheDeviceWithZerosAndTheUniversalExit)
{
    struct Case {
        std::vector<printer::WriteScript> script;
        size_t zeroWrites;
    } cases[] = {{{}, 5}, {{{}, Failed()}, 2}};
    for (const Case& c : cases) {
        printer::ScriptWrites(kPort, c.script);
        const DWORD job = NewJob();
        ASSERT_TRUE(Start(port, job));
        HANDLE spooler = nullptr;
        ASSERT_TRUE(OpenPrinterW(printerName.data(), &spooler, nullptr));
        ASSERT_TRUE(SetJobW(spooler, job, 0, nullptr, JOB_CONTROL_DELETE));
        ClosePrinter(spooler);
        const size_t before = printer::Writes(kPort).size();
        ASSERT_TRUE(EndDocPort(port));
        const auto writes = printer::Writes(kPort);
        ASSERT_EQ(writes.size() - before, c.zeroWrites + 1);
        for (size_t i = before; i < before + c.zeroWrites; ++i) {
            EXPECT_EQ(writes[i].offered, std::string(4096, '\0'));
        }
        EXPECT_EQ(writes.back().offered, kUniversalExit);
        const auto jobs = machine->Jobs();
        auto found = std::find_if(jobs.begin(), jobs.end(), [&](const auto& j) { return j.id == job; });
        ASSERT_NE(found, jobs.end());
        EXPECT_TRUE(found->deleted);  // gone once its last page was reported
    }
}

TEST_F(JobTest, StartWaitsFiveSecondsForASecondQueuedJobFromWindowsSix)
{
    struct Case {
        DWORD major, minor;
        int jobs;
        ULONGLONG waited;
    } cases[] = {{6, 1, 2, 5000}, {6, 1, 1, 0}, {5, 1, 2, 0}};
    for (const Case& c : cases) {
        machine->SetWindowsVersion(c.major, c.minor);
        DWORD first = NewJob();
        std::vector<DWORD> others;
        for (int i = 1; i < c.jobs; ++i) {
            others.push_back(NewJob());
        }
        const ULONGLONG before = nirasim::Machine::SleptOnThisThread();
        ASSERT_TRUE(Start(port, first));
        EXPECT_EQ(nirasim::Machine::SleptOnThisThread() - before, c.waited) << c.major << " " << c.jobs;
        ASSERT_TRUE(EndDocPort(port));
        HANDLE spooler = nullptr;
        ASSERT_TRUE(OpenPrinterW(printerName.data(), &spooler, nullptr));
        for (DWORD id : others) {
            machine->SetJobPrinting(id, false);
            SetJobW(spooler, id, 0, nullptr, JOB_CONTROL_DELETE);
        }
        ClosePrinter(spooler);
    }
}

TEST_F(JobTest, ClosePortDuringAJobStopsItsWriterFirst)
{
    printer::ScriptWrites(kPort, {{printer::WriteOutcome::Block}});
    ASSERT_TRUE(Start(port, NewJob()));
    ASSERT_TRUE(Write(port, "first"));
    ASSERT_TRUE(Eventually([] { return printer::PortCalls(kPort).back() == "WritePort"; }));
    ASSERT_TRUE(Write(port, "second"));
    // The queue lives until its writer has stopped, so it can be watched while the close waits.
    WriteQueue* queue = port->jobs->queue;
    std::thread closer([this] { Close(port); });
    const bool aborted = Eventually([queue] {
        EnterCriticalSection(queue->lock);
        const bool set = queue->state->abort != 0;
        LeaveCriticalSection(queue->lock);
        return set;
    });
    printer::ReleaseBlockedCalls(kPort);
    closer.join();
    ASSERT_TRUE(aborted);
    EXPECT_EQ(printer::BytesReceived(kPort), "first");  // the rest was dropped, not written
    EXPECT_EQ(printer::PortCalls(kPort).back(), "ClosePort");
}

TEST_F(JobTest, StartChecksItsArgumentsAndOneJobAtATime)
{
    SetLastError(0);
    EXPECT_FALSE(StartDocPort(nullptr, nullptr, 1, 1, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    WString document = TEXT("Report");
    DOC_INFO_1W info = {document.data(), nullptr, nullptr};
    EXPECT_FALSE(StartDocPort(port, printerName.data(), 1, 3, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
    EXPECT_FALSE(StartDocPort(port, printerName.data(), 1, 1, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(port->flags & PORT_FLAG_DOC_STARTED, 0u);
    EXPECT_EQ(port->jobs, nullptr);

    ASSERT_TRUE(Start(port, NewJob()));
    EXPECT_FALSE(Start(port, NewJob()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUSY));
    ASSERT_TRUE(EndDocPort(port));
    // Without a job the end only clears the status and ends the lower document.
    EXPECT_TRUE(EndDocPort(port));
    EXPECT_EQ(printer::PortCalls(kPort).back(), "EndDocPort");
    EXPECT_TRUE(machine->GetPortStatus(kPort).set);
}

TEST_F(JobTest, OnlyTheSerialNumberJobIsDeletedWhenTheDeviceCannotBeRead)
{
    printer::SetDeviceAnswer(kPort, printer::FailedAnswer(ERROR_GEN_FAILURE));
    struct Case {
        const WCHAR* document;
        DWORD status;
    } cases[] = {{TEXT("SerialNumberJob"), JOB_STATUS_DELETING}, {TEXT("Report"), 0}};
    for (const Case& c : cases) {
        const DWORD job = NewJob(c.document);
        ASSERT_TRUE(Start(port, job, c.document));
        const auto jobs = machine->Jobs();
        auto found = std::find_if(jobs.begin(), jobs.end(), [&](const auto& j) { return j.id == job; });
        ASSERT_NE(found, jobs.end());
        EXPECT_EQ(found->status & JOB_STATUS_DELETING, c.status);
        ASSERT_TRUE(EndDocPort(port));
    }
}

TEST_F(JobTest, AWriteThatCannotBeCopiedFailsAndIsNotCountedAsWritten)
{
    ASSERT_TRUE(Start(port, NewJob()));
    machine->FailCalls("GlobalAlloc", ERROR_NOT_ENOUGH_MEMORY);
    std::string data = "refused";
    DWORD written = 99;
    EXPECT_FALSE(
        WritePort(port, reinterpret_cast<LPBYTE>(&data[0]), static_cast<DWORD>(data.size()), &written));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(written, 0u);
    EXPECT_NE(port->flags & PORT_FLAG_WRITE_FAILED, 0u);
    EXPECT_TRUE(Write(port, "sent"));
    EXPECT_EQ(port->flags & PORT_FLAG_WRITE_FAILED, 0u);
    ASSERT_TRUE(EndDocPort(port));
    EXPECT_EQ(printer::BytesReceived(kPort), "sent");
}

TEST_F(JobTest, WithoutAWriteQueueTheDataGoStraightToThePort)
{
    machine->FailCalls("CreateThread", ERROR_NOT_ENOUGH_MEMORY);
    ASSERT_TRUE(Start(port, NewJob()));
    EXPECT_EQ(port->jobs->queue, nullptr);
    printer::ScriptWrites(kPort, {Failed()});
    EXPECT_FALSE(Write(port, "lost?"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
    EXPECT_TRUE(Write(port, "written"));
    ASSERT_TRUE(EndDocPort(port));
    EXPECT_EQ(printer::BytesReceived(kPort), "written");
}

}  // namespace
