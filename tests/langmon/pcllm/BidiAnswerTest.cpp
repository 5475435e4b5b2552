#include "MonitorFixture.h"

#include "langmon/pcllm/BidiAnswers.h"
#include "langmon/pcllm/DeviceReads.h"

namespace printer = nirasim::printer;

namespace {

const std::string kIdId = "MFG:NIRA;MDL:NIRA Inkjet 500;CMD:PCL;S:01;";

struct Response {
    PBIDI_RESPONSE_CONTAINER container = nullptr;
    ~Response()
    {
        if (container != nullptr) {
            RouterFreeBidiResponseContainer(container);
        }
    }
};

class BidiTest : public MonitorTest {
protected:
    PortContext* port = nullptr;

    void SetUp() override
    {
        MonitorTest::SetUp();
        port = Open();
        ASSERT_NE(port, nullptr);
    }

    // A request container of the schemas (buffer for the first entry and the others after it).
    void Ask(const WCHAR* action, const std::vector<WString>& schemas, Response& response)
    {
        std::vector<WString> copies = schemas;
        std::vector<BYTE> block(offsetof(BIDI_REQUEST_CONTAINER, aData) +
                                std::max<size_t>(1, copies.size()) * sizeof(BIDI_REQUEST_DATA));
        auto* request = reinterpret_cast<PBIDI_REQUEST_CONTAINER>(block.data());
        request->Version = 1;
        request->Count = static_cast<DWORD>(copies.size());
        for (size_t i = 0; i < copies.size(); ++i) {
            request->aData[i].dwReqNumber = static_cast<DWORD>(i);
            request->aData[i].pSchema = copies[i].data();
        }
        EXPECT_EQ(SendRecvBidiDataFromPort(port, 0, action, request, &response.container), 0u);
    }
};

TEST_F(BidiTest, EnumSchemaListsTheNineSchemasInOrder)
{
    Response response;
    Ask(TEXT("enumschema"), {}, response);
    ASSERT_NE(response.container, nullptr);
    const WCHAR* expected[] = {TEXT("/Printer/Installableoption/Duplexunit"),
                               TEXT("/Capability/MultiChannel"),
                               TEXT("/Communication/Version"),
                               TEXT("/Communication/BidiProtocol"),
                               TEXT("/Printer/BlackInk1/Level"),
                               TEXT("/Printer/PenStatus"),
                               TEXT("/Printer/Alerts"),
                               TEXT("/Printer/InputBin"),
                               TEXT("/Printer/DynamicCounterInfo")};
    ASSERT_EQ(response.container->Count, 9u);
    EXPECT_EQ(response.container->Version, 1u);
    for (DWORD i = 0; i < 9; ++i) {
        const BIDI_RESPONSE_DATA& entry = response.container->aData[i];
        EXPECT_EQ(entry.dwReqNumber, 0u);
        EXPECT_EQ(entry.dwResult, 0u);
        EXPECT_EQ(entry.pSchema, nullptr);
        EXPECT_EQ(entry.data.dwBidiType, static_cast<DWORD>(BIDI_TEXT));
        EXPECT_EQ(WString(entry.data.u.sData), WString(expected[i]));
    }
}

TEST_F(BidiTest, GetAnswersEachRequestAndRefusesTheUnhandled)
{
    // Two pen groups, pen 1 black and pen 2 colour; a duplex unit; header digit 6 clear.
    printer::SetDeviceId(kPort, printer::DeviceId("$HB1$AC2,ff,DN,IDLE,CUT,K0,C0,DU"));
    Response response;
    Ask(TEXT("Get"),
        {TEXT("/printer/penstatus"), TEXT("/Printer/Alerts"), TEXT("/Printer/Installableoption/Duplexunit"),
         TEXT("/No/Such/Schema"), TEXT("/Communication/Version"), TEXT("/Capability/MultiChannel"),
         TEXT("/Printer/InputBin")},
        response);
    ASSERT_NE(response.container, nullptr);
    ASSERT_EQ(response.container->Count, 7u);
    struct Expected {
        DWORD result;
        const WCHAR* schema;
        DWORD type;
        LONG value;
    } expected[] = {
        {S_OK, TEXT("/Printer/PenStatus"), BIDI_INT, 4},
        {static_cast<DWORD>(E_FAIL), nullptr, BIDI_NULL, 0},
        {S_OK, TEXT("/Printer/Installableoption/Duplexunit"), BIDI_INT, 1},
        {static_cast<DWORD>(E_FAIL), nullptr, BIDI_NULL, 0},
        {S_OK, TEXT("/Communication/Version"), BIDI_INT, 1},
        {S_OK, TEXT("/Capability/MultiChannel"), BIDI_BOOL, FALSE},
        {S_OK, TEXT("/Printer/InputBin"), BIDI_INT, 0},
    };
    for (DWORD i = 0; i < 7; ++i) {
        const BIDI_RESPONSE_DATA& entry = response.container->aData[i];
        EXPECT_EQ(entry.dwReqNumber, i);
        EXPECT_EQ(entry.dwResult, expected[i].result) << i;
        EXPECT_EQ(entry.data.dwBidiType, expected[i].type) << i;
        EXPECT_EQ(entry.data.u.iData, expected[i].value) << i;
        if (expected[i].schema == nullptr) {
            EXPECT_EQ(entry.pSchema, nullptr) << i;
        } else {
            ASSERT_NE(entry.pSchema, nullptr) << i;
            EXPECT_EQ(WString(entry.pSchema), WString(expected[i].schema)) << i;
        }
    }
}

TEST_F(BidiTest, PenStatusOfTheDevice)
{
    struct Case {
        std::string status;
        LONG code;
    } cases[] = {
        {"$AC2$FC1,ff,DN,PENF,CUT,K1,C2,SM", kPenFailureTwoPens},
        {"$AU0,ff,DN,PENF,CUT,K0,C0,SM", -1},
        {"$HB1,ff,DN,IDLE,CUT,K0,C0,SM", 1},
        {"$AU0,ff,DN,IDLE,CUT,K0,C0,SM", -1},
        {"$HB1$AC2,ff,DN,IDLE,CUT,K0,C0,SM", 4},
    };
    for (const Case& c : cases) {
        printer::SetDeviceId(kPort, printer::DeviceId(c.status));
        EXPECT_EQ(GetPenStatusCode(port), c.code) << c.status;
    }
    printer::SetDeviceAnswer(kPort, printer::FailedAnswer(ERROR_GEN_FAILURE));
    EXPECT_EQ(GetPenStatusCode(port), -1);
    EXPECT_EQ(IsDuplexUnitInstalled(port), -1);
    EXPECT_EQ(HasInputBin(port), -1);
    // The reads ask with the code of the NT-family ports whatever the port's own.
    EXPECT_EQ(printer::DeviceQueries(kPort).back().controlCode, 0x16000Cu);
}

TEST(PenCombination, CodesOfThePenColours)
{
    struct Case {
        LONG layout, state;
        LONG colours[3];
        LONG code;
    } cases[] = {
        {2, DEVICE_STATE_IDLE, {1, 2, 0}, 4},   {2, DEVICE_STATE_IDLE, {3, 2, 0}, 5},
        {2, DEVICE_STATE_IDLE, {10, 2, 0}, 10}, {2, DEVICE_STATE_IDLE, {1, 3, 0}, -1},
        {3, DEVICE_STATE_IDLE, {3, 1, 2}, 9},   {3, DEVICE_STATE_IDLE, {2, 10, 3}, 11},
        {3, DEVICE_STATE_IDLE, {1, 2, 10}, -1}, {2, DEVICE_STATE_PENF, {1, 2, 0}, -1},
        {4, DEVICE_STATE_IDLE, {1, 2, 3}, -1},
    };
    for (const Case& c : cases) {
        DeviceStatus status{};
        status.penLayout = c.layout;
        status.state = c.state;
        for (int pen = 0; pen < 3; ++pen) {
            status.pens[pen].colour = c.colours[pen];
        }
        EXPECT_EQ(GetPenCombinationCode(status), c.code) << c.layout << " " << c.colours[0] << c.colours[1];
    }
}

TEST_F(BidiTest, GetAllAnswersTheCoverAlertForEachPenRequest)
{
    Response response;
    Ask(TEXT("GETALL"), {TEXT("/Printer/InputBin"), TEXT("/Printer/PenStatus")}, response);
    ASSERT_NE(response.container, nullptr);
    ASSERT_EQ(response.container->Count, 4u);
    EXPECT_EQ(response.container->aData[0].dwResult, static_cast<DWORD>(E_FAIL));
    for (DWORD i = 1; i < 4; ++i) {
        const BIDI_RESPONSE_DATA& entry = response.container->aData[i];
        EXPECT_EQ(entry.dwReqNumber, 1u);
        EXPECT_EQ(entry.dwResult, 0u);
        EXPECT_EQ(WString(entry.pSchema), WString(TEXT("/Printer/Alerts/1/Name")));
        EXPECT_EQ(entry.data.dwBidiType, static_cast<DWORD>(BIDI_ENUM));
        EXPECT_EQ(WString(entry.data.u.sData), WString(TEXT("CoverOpen")));
    }
}

TEST_F(BidiTest, NoContainerForAnUnknownActionOrWithoutTheRoutersAllocator)
{
    Response set;
    Ask(TEXT("Set"), {TEXT("/Printer/PenStatus")}, set);
    EXPECT_EQ(set.container, nullptr);
    printer::RemoveRouterFunction("RouterAllocBidiMem");
    Response enumerated;
    Ask(TEXT("EnumSchema"), {}, enumerated);
    EXPECT_EQ(enumerated.container, nullptr);
}

TEST_F(BidiTest, StatusValuesAnswerTheDeviceId)
{
    printer::SetDeviceId(kPort, printer::WithLengthPrefix(kIdId));
    struct Case {
        const WCHAR* name;
        DWORD outputSize;
        BOOL result;
        DWORD error;
        std::string answer;
    } cases[] = {
        {TEXT("ZQSTSSTR"), 100, TRUE, 0, kIdId},
        {TEXT("ZQSTATUS"), 100, TRUE, 0, kIdId},
        {TEXT("ZQSTATUS"), 5, TRUE, 0, kIdId.substr(kIdId.size() - 4)},  // the tail
        {TEXT("ZQSTATUS"), 0, FALSE, ERROR_INSUFFICIENT_BUFFER, ""},
        {TEXT("zqststr"), 100, FALSE, ERROR_INVALID_PARAMETER, ""},
        {TEXT("ZQOTHER"), 100, FALSE, ERROR_INVALID_PARAMETER, ""},
    };
    for (const Case& c : cases) {
        WString name = c.name;
        char output[100] = {};
        DWORD returned = 0;
        SetLastError(0);
        const BOOL result = GetPrinterDataFromPort(port, 0, name.data(), nullptr, 0,
                                                   reinterpret_cast<LPWSTR>(output), c.outputSize, &returned);
        EXPECT_EQ(result, c.result) << c.outputSize;
        if (result) {
            EXPECT_EQ(std::string(output), c.answer) << c.outputSize;
        } else {
            EXPECT_EQ(GetLastError(), c.error) << c.outputSize;
        }
    }
    // Without a name the request goes down as it came; a refusal there reads as 87.
    char output[100] = {};
    DWORD returned = 0;
    EXPECT_TRUE(GetPrinterDataFromPort(port, 0x16000C, nullptr, nullptr, 0, reinterpret_cast<LPWSTR>(output),
                                       sizeof(output), &returned));
    EXPECT_EQ(std::string(output, returned), printer::WithLengthPrefix(kIdId));
    printer::ExpectControlCode(kPort, 0x16000C);
    EXPECT_FALSE(GetPrinterDataFromPort(port, 7, nullptr, nullptr, 0, reinterpret_cast<LPWSTR>(output),
                                        sizeof(output), &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
