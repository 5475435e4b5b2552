#include "JobFixture.h"

#include "langmon/pcllm/BidiAnswers.h"
#include "langmon/pcllm/JobCounters.h"

namespace printer = nirasim::printer;

namespace {

class JobCounterTest : public JobTest {
protected:
    std::string Stored(const char* name)
    {
        std::string bytes;
        return machine->GetPrinterData(kPrinter, name, bytes) ? bytes : std::string("<absent>");
    }

    void PrintJob()
    {
        ASSERT_TRUE(Start(port, NewJob()));
        ASSERT_TRUE(Write(port, "page"));
        ASSERT_TRUE(EndDocPort(port));
    }
};

TEST_F(JobCounterTest, EndOfJobOnWindows2000StoresTheDevicesAnswer)
{
    machine->SetWindowsVersion(5, 0);
    UseCounters(28, 5);
    printer::SetDeviceId(kPort, printer::DeviceId("$AU0,ff,DN,IDLE,CUT,K0,C0,SM"));
    printer::SetJobCounter(kPort, 28, {5, "4711;NEXT:1"});
    PrintJob();
    EXPECT_EQ(printer::BytesReceived(kPort), "page" + CounterRequest(0, 0x1C) + CounterRequest(0, 0));
    // From the counter's name to the end of the ID, with the keys after it.
    EXPECT_EQ(Stored("CTR:00028"), "CTR:00028:4711;NEXT:1;");
}

TEST_F(JobCounterTest, NoDigitsSendsTheRequestButStoresNothing)
{
    machine->SetWindowsVersion(5, 0);
    UseCounters(28, 0);
    printer::SetJobCounter(kPort, 28, {5, "4711"});
    PrintJob();
    EXPECT_EQ(printer::BytesReceived(kPort), "page" + CounterRequest(0, 0x1C) + CounterRequest(0, 0));
    EXPECT_EQ(Stored("CTR:00028"), "<absent>");
    EXPECT_EQ(Stored("CTR:28"), "<absent>");
}

TEST_F(JobCounterTest, NothingIsSentWithoutTheSettingsOrAfterWindows2000)
{
    struct Case {
        DWORD minor;
        DWORD counter, language;
    } cases[] = {{1, 28, 4}, {0, 0, 4}, {0, 28, 3}};
    for (const Case& c : cases) {
        machine->SetWindowsVersion(5, c.minor);
        UseCounters(c.counter, 5);
        machine->SetPrinterDword(kPrinter, "ZQPrintingLanguage", c.language);
        printer::SetJobCounter(kPort, 28, {5, "4711"});
        const std::string before = printer::BytesReceived(kPort);
        PrintJob();
        EXPECT_EQ(printer::BytesReceived(kPort), before + "page") << c.minor << " " << c.counter;
    }
}

TEST_F(JobCounterTest, ACounterNeverReportedGivesUpAfterTwentyReads)
{
    UseCounters(28, 5);
    ASSERT_TRUE(Start(port, NewJob()));  // opens the driver-data key
    StopStatusWatcher(&port->watcher);   // its polls would read the device too
    printer::SetDeviceId(kPort, printer::DeviceId("$AU0,ff,DN,IDLE,CUT,K0,C0,SM"));
    const size_t queriesBefore = printer::DeviceQueries(kPort).size();
    const ULONGLONG before = nirasim::Machine::SleptOnThisThread();
    EXPECT_EQ(ReadJobCounter(port, 28), 0);
    // 100 + 200 + ... + 1000 and ten times 1000 ms.
    EXPECT_EQ(nirasim::Machine::SleptOnThisThread() - before, 15500u);
    EXPECT_EQ(printer::DeviceQueries(kPort).size() - queriesBefore, kCounterPasses);
    EXPECT_EQ(Stored("CTR:00028"), "<absent>");
    ASSERT_TRUE(EndDocPort(port));
}

TEST_F(JobCounterTest, TheBidiQueryReadsACounterOnWindowsXp)
{
    UseCounters(28, 5);
    machine->SetPrinterDword(kPrinter, "ZQSETCTR", 0);
    printer::SetJobCounter(kPort, 12, {5, "99"});
    ASSERT_TRUE(Start(port, NewJob()));
    WString schema = TEXT("/Printer/DynamicCounterInfo");
    BIDI_REQUEST_CONTAINER request = {1, 0, 1, {}};
    request.aData[0].pSchema = schema.data();
    request.aData[0].data.dwBidiType = BIDI_INT;
    request.aData[0].data.u.iData = 12;
    PBIDI_RESPONSE_CONTAINER response = nullptr;
    EXPECT_EQ(SendRecvBidiDataFromPort(port, 0, TEXT("Get"), &request, &response), 0u);
    ASSERT_NE(response, nullptr);
    EXPECT_EQ(response->aData[0].dwResult, static_cast<DWORD>(S_FALSE));
    EXPECT_EQ(response->aData[0].data.dwBidiType, static_cast<DWORD>(BIDI_BOOL));
    EXPECT_TRUE(response->aData[0].data.u.bData);
    RouterFreeBidiResponseContainer(response);
    EXPECT_EQ(Stored("CTR:00012"), "CTR:00012:99;");
    EXPECT_EQ(printer::BytesReceived(kPort), CounterRequest(0, 12) + CounterRequest(0, 0));
    ASSERT_TRUE(EndDocPort(port));
}

}  // namespace
