#include "MonitorFixture.h"

#include "langmon/pcllm/DeviceQuery.h"
#include "langmon/pcllm/MonitorSystem.h"
#include "langmon/pcllm/RegistryKey.h"

namespace printer = nirasim::printer;

namespace {

const WCHAR* const kDriverDataKey =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Nira Inkjet\\PrinterDriverData");

class DeviceQueryTest : public MonitorTest {
protected:
    PortContext* port = nullptr;

    void SetUp() override
    {
        MonitorTest::SetUp();
        machine->SetWindowsVersion(5, 1);
        printer::ExpectControlCode(kPort, kQueryDeviceIdControlCode);
        port = Open();
        ASSERT_NE(port, nullptr);
    }

    // The ID as a caller with an output of `size` bytes gets it.
    std::string Query(DWORD size, BOOL* result = nullptr, DWORD* returned = nullptr)
    {
        std::string output(size + 1, '\0');
        DWORD reported = 0;
        BOOL answer =
            QueryDeviceStatus(port, nullptr, 0, reinterpret_cast<LPBYTE>(&output[0]), size, &reported);
        if (result != nullptr) {
            *result = answer;
        }
        if (returned != nullptr) {
            *returned = reported;
        }
        return output.c_str();
    }

    std::string Stored() const
    {
        std::string bytes;
        machine->GetPrinterData(kPrinter, "ZQSTSSTR", bytes);
        return bytes;
    }

    std::string StatusBuffer() const { return reinterpret_cast<const char*>(port->statusBuffer); }
};

TEST_F(DeviceQueryTest, LengthPrefixIsDropped)
{
    const std::string id(298, 'A');
    printer::SetDeviceId(kPort, std::string("\x01\x2C", 2) + id);
    DWORD returned = 0;
    BOOL result = FALSE;
    EXPECT_EQ(Query(1300, &result, &returned), id);
    EXPECT_TRUE(result);
    EXPECT_EQ(returned, 298u);
    EXPECT_EQ(StatusBuffer(), id);
    const auto queries = printer::DeviceQueries(kPort);
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0].controlCode, kQueryDeviceIdControlCode);
    EXPECT_TRUE(queries[0].valueName.empty());
    EXPECT_EQ(queries[0].outputSize, kStatusBufferSize);
}

TEST_F(DeviceQueryTest, SmallOutputGetsTheTail)
{
    std::string id;
    for (int i = 0; i < 300; ++i) {
        id += static_cast<char>('a' + i % 26);
    }
    printer::SetDeviceId(kPort, id);
    DWORD returned = 0;
    BOOL result = FALSE;
    EXPECT_EQ(Query(100, &result, &returned), id.substr(201));
    EXPECT_TRUE(result);
    EXPECT_EQ(returned, 100u);
    Query(0, &result, &returned);
    EXPECT_FALSE(result);
    EXPECT_EQ(returned, 300u);
    EXPECT_EQ(StatusBuffer(), id);  // kept whatever the caller's room
}

TEST_F(DeviceQueryTest, AnswersAtTheBoundsOfTheBuffer)
{
    // One byte that is no letter: too short for a length prefix, kept as it is.
    printer::SetDeviceId(kPort, "#");
    DWORD returned = 0;
    EXPECT_EQ(Query(1300, nullptr, &returned), "#");
    EXPECT_EQ(returned, 1u);
    // A full buffer keeps 1299 bytes and its terminator.
    const std::string full(1300, 'M');
    printer::SetDeviceId(kPort, full);
    EXPECT_EQ(Query(1300, nullptr, &returned), full);
    EXPECT_EQ(returned, 1300u);
    EXPECT_EQ(StatusBuffer(), full.substr(0, 1299));
    // More than the buffer holds: the port monitor refuses it.
    printer::SetDeviceId(kPort, full + "M");
    BOOL result = TRUE;
    Query(1300, &result);
    EXPECT_FALSE(result);
}

TEST_F(DeviceQueryTest, FailuresAnswerFalse)
{
    struct Case {
        const char* name;
        printer::DeviceAnswer answer;
    } cases[] = {
        {"failed", printer::FailedAnswer(ERROR_GEN_FAILURE)},
        {"timed out", printer::TimedOutAnswer(3000)},
        {"empty", printer::DeviceAnswer{}},
    };
    for (const Case& c : cases) {
        printer::SetDeviceAnswer(kPort, c.answer);
        BOOL result = TRUE;
        EXPECT_EQ(Query(1300, &result), "") << c.name;
        EXPECT_FALSE(result) << c.name;
    }
    printer::ExpectControlCode(kPort, 17);  // a port monitor that wants another code
    printer::SetDeviceId(kPort, "MDL:X;");
    BOOL result = TRUE;
    Query(1300, &result);
    EXPECT_FALSE(result);

    printer::RemovePortMonitorMember("pfnGetPrinterDataFromPort");
    PortContext* withoutQuery = Open(TEXT("USB002"));
    ASSERT_NE(withoutQuery, nullptr);
    EXPECT_FALSE(QueryDeviceStatus(withoutQuery, nullptr, 0, nullptr, 0, nullptr));
    EXPECT_TRUE(printer::DeviceQueries(TEXT("USB002")).empty());
}

TEST_F(DeviceQueryTest, ChangedIdIsWrittenToTheDriverData)
{
    port->driverDataKey = RegistryKey::Create(HKEY_LOCAL_MACHINE, kDriverDataKey, nullptr, 0, KEY_ALL_ACCESS);
    ASSERT_NE(port->driverDataKey, nullptr);
    printer::SetDeviceId(kPort, printer::WithLengthPrefix("MDL:X;S:01;"));
    Query(1300);
    EXPECT_EQ(Stored(), "MDL:X;S:01;");
    machine->SetPrinterData(kPrinter, "ZQSTSSTR", REG_BINARY, "mark");
    Query(1300);
    EXPECT_EQ(Stored(), "mark");  // the same ID is not written again
    printer::SetDeviceId(kPort, "MDL:X;S:02;");
    Query(1300);
    EXPECT_EQ(Stored(), "MDL:X;S:02;");
}

}  // namespace
