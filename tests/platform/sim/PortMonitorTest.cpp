#include <windows.h>

#include <nirasim/Machine.h>
#include <nirasim/Printer.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace printer = nirasim::printer;

namespace {

const char16_t* const kPort = TEXT("USB001");

class PortMonitor : public ::testing::Test {
protected:
    nirasim::Machine machine;
    MONITOR2 table = printer::PortMonitorTable();
    HANDLE port = nullptr;

    void SetUp() override
    {
        std::u16string name = kPort;
        ASSERT_TRUE(table.pfnOpenPort(printer::PortMonitorHandle(), name.data(), &port));
    }

    void TearDown() override { table.pfnClosePort(port); }

    BOOL Write(const std::string& bytes, DWORD* written)
    {
        std::string copy = bytes;
        return table.pfnWritePort(port, reinterpret_cast<LPBYTE>(&copy[0]), static_cast<DWORD>(copy.size()),
                                  written);
    }

    BOOL Query(DWORD code, std::string* answer, DWORD outputSize = 64)
    {
        std::string buffer(outputSize, '\0');
        DWORD returned = 0;
        const BOOL result = table.pfnGetPrinterDataFromPort(
            port, code, nullptr, nullptr, 0, reinterpret_cast<LPWSTR>(&buffer[0]), outputSize, &returned);
        *answer = result ? buffer.substr(0, returned) : std::string();
        return result;
    }
};

TEST_F(PortMonitor, WritesEndAsScripted)
{
    printer::ScriptWrites(kPort, {{printer::WriteOutcome::Short, 2},
                                  {printer::WriteOutcome::Fail, 1, ERROR_GEN_FAILURE},
                                  {printer::WriteOutcome::Timeout, 4000}});
    DWORD written = 0;
    EXPECT_TRUE(Write("abcd", &written));
    EXPECT_EQ(written, 2u);
    EXPECT_FALSE(Write("efgh", &written));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
    EXPECT_EQ(written, 1u);
    const ULONGLONG before = GetTickCount64();
    EXPECT_FALSE(Write("ijkl", &written));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SEM_TIMEOUT));
    EXPECT_EQ(GetTickCount64() - before, 4000u);
    EXPECT_TRUE(Write("mnop", &written));
    EXPECT_EQ(written, 4u);
    EXPECT_EQ(printer::BytesReceived(kPort), "abemnop");
    const auto writes = printer::Writes(kPort);
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[1].offered, "efgh");
    EXPECT_FALSE(writes[1].result);
}

TEST_F(PortMonitor, BlockedWriteWaitsForItsRelease)
{
    printer::ScriptWrites(kPort, {{printer::WriteOutcome::Block}});
    DWORD written = 0;
    std::thread writer([&] { Write("held", &written); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(printer::BytesReceived(kPort), "");
    printer::ReleaseBlockedCalls(kPort);
    writer.join();
    EXPECT_EQ(printer::BytesReceived(kPort), "held");
    EXPECT_EQ(written, 4u);
}

TEST_F(PortMonitor, DeviceAnswersFollowTheirScriptAndCheckTheControlCode)
{
    printer::SetDeviceId(kPort, "MDL:A;");
    printer::ScriptDeviceAnswers(kPort,
                                 {printer::DeviceAnswer{"MDL:B;"}, printer::FailedAnswer(ERROR_GEN_FAILURE)});
    printer::ExpectControlCode(kPort, 0x16000C);
    std::string answer;
    EXPECT_TRUE(Query(0x16000C, &answer));
    EXPECT_EQ(answer, "MDL:B;");
    EXPECT_FALSE(Query(0x16000C, &answer));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
    EXPECT_TRUE(Query(0x16000C, &answer));
    EXPECT_EQ(answer, "MDL:A;");
    EXPECT_FALSE(Query(17, &answer));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(Query(0x16000C, &answer, 3));  // the ID does not fit
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(printer::DeviceQueries(kPort).size(), 5u);
    EXPECT_EQ(printer::WithLengthPrefix("MDL:A;"), std::string("\x00\x08MDL:A;", 8));
}

TEST_F(PortMonitor, FailedOpenAndRemovedMembers)
{
    printer::FailOpenPort(ERROR_ACCESS_DENIED);
    std::u16string name = TEXT("USB002");
    HANDLE second = nullptr;
    EXPECT_FALSE(table.pfnOpenPort(nullptr, name.data(), &second));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    printer::RemovePortMonitorMember("pfnReadPort");
    MONITOR2 lacking = printer::PortMonitorTable();
    EXPECT_EQ(lacking.pfnReadPort, nullptr);
    EXPECT_NE(lacking.pfnWritePort, nullptr);
    EXPECT_EQ(lacking.cbSize, sizeof(MONITOR2));
}

TEST(NamedEvents, SecondCreateSharesTheEvent)
{
    nirasim::Machine machine;
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, TEXT("PrinterUSB001"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, TEXT("PrinterUSB001"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE opened = OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, TEXT("PrinterUSB001"));
    ASSERT_NE(opened, nullptr);
    SetEvent(second);
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(opened, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    for (HANDLE handle : {first, second, opened}) {
        CloseHandle(handle);
    }
    EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, TEXT("PrinterUSB001")), nullptr);  // gone with its last handle
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, TEXT("printerusb001")), nullptr);
}

}  // namespace
