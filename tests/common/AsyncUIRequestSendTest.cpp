// Sending a print-UI request through the simulated machine's print-UI host.
#include <gtest/gtest.h>

#include <nirasim/InjectedFailures.h>
#include <nirasim/Machine.h>
#include <nirasim/Modules.h>
#include <nirasim/PrintUIHost.h>

#include <vector>

#include "common/AsyncUIRequest.h"
#include "support/WString.h"

using namespace nirasim;

namespace {

const WCHAR kPrinter[] = TEXT("NIRA Inkjet 500");

class AsyncUIRequestSend : public testing::Test {
protected:
    // A request naming the job warning entry point with a 6-byte record.
    std::vector<BYTE> Message()
    {
        const BYTE record[] = {'r', 'e', 'c', 0, 0, 7};
        std::vector<BYTE> message(AsyncUIRequestSize(kEntryPointJobUI, sizeof(record)));
        size_t offset = AsyncUIRequestRecordOffset(kEntryPointJobUI);
        WriteAsyncUIRequestText(kEntryPointJobUI, reinterpret_cast<LPWSTR>(message.data()),
                                offset / sizeof(WCHAR));
        std::copy(std::begin(record), std::end(record),
                  message.begin() + static_cast<std::ptrdiff_t>(offset));
        return message;
    }
    BOOL Send(LPCWSTR conversation = TEXT("bidi"))
    {
        std::vector<BYTE> message = Message();
        BOOL confirmed =
            SendAsyncUIRequest(kPrinter, conversation, message.data(), static_cast<DWORD>(message.size()));
        printui::WaitForHost();
        return confirmed;
    }

    Machine machine;
};

}  // namespace

TEST_F(AsyncUIRequestSend, TheHostsReplyDecides)
{
    struct Case {
        printui::HostReply reply;
        BOOL confirmed;
    } cases[] = {
        {printui::CustomDataReply("OK"), TRUE},
        {printui::CustomDataReply("Cancel"), FALSE},
        {printui::MessageBoxReply(1), TRUE},
        {printui::MessageBoxReply(2), FALSE},
        {{printui::HostAnswer::CloseWithReply, printui::CustomDataReply("OK").text}, TRUE},
        {{printui::HostAnswer::CloseWithoutData, {}}, FALSE},
        {{printui::HostAnswer::ReplyWithoutText, {}}, FALSE},
        {{printui::HostAnswer::NoListener, {}}, FALSE},
    };
    for (const Case& c : cases) {
        printui::ScriptReplies({c.reply});
        EXPECT_EQ(Send(), c.confirmed) << static_cast<int>(c.reply.answer) << " " << Utf8(c.reply.text);
        EXPECT_EQ(printui::LiveChannels(), 0);  // the channel is released after the reply
    }
}

TEST_F(AsyncUIRequestSend, TheHostReceivesTheRequestAndItsRecord)
{
    printui::ScriptReplies({printui::CustomDataReply("OK")});
    ASSERT_TRUE(Send(TEXT("BIDI")));

    auto channels = printui::ChannelsOpened();
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0].printerName, Wide("NIRA Inkjet 500"));
    EXPECT_TRUE(IsEqualGUID(channels[0].notificationType, kAsyncUINotificationType));
    EXPECT_EQ(channels[0].filter, kPerUser);
    EXPECT_EQ(channels[0].directionality, kBiDirectional);

    auto requests = printui::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].dll, Wide("niraevt.dll"));
    EXPECT_EQ(requests[0].entryPoint, Wide("EvtDlgAsyncUIEntryPointJobUI"));
    EXPECT_EQ(requests[0].size, AsyncUIRequestSize(kEntryPointJobUI, 6));
    std::vector<BYTE> expected = {'r', 'e', 'c', 0, 0, 7};
    expected.resize(6 + kAsyncUIRequestTailBytes, 0);
    EXPECT_EQ(requests[0].afterText, expected);
}

TEST_F(AsyncUIRequestSend, NoChannelMeansNoWait)
{
    // One-way channels carry no reply: the send finds no listener and nothing is confirmed.
    printui::ScriptReplies({printui::CustomDataReply("OK")});
    EXPECT_FALSE(Send(TEXT("unidi")));
    auto channels = printui::ChannelsOpened();
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0].filter, kAllUsers);
    EXPECT_EQ(channels[0].directionality, kUniDirectional);

    // Another conversation opens nothing at all.
    EXPECT_FALSE(Send(TEXT("duplex")));
    EXPECT_EQ(printui::ChannelsOpened().size(), 1u);
    EXPECT_EQ(printui::LiveChannels(), 0);
}

TEST_F(AsyncUIRequestSend, FailuresAnswerNotConfirmedAtOnce)
{
    struct Case {
        const char* function;
        DWORD error;
    } cases[] = {
        {"SendNotification", static_cast<DWORD>(E_FAIL)},
        {"CreatePrintAsyncNotifyChannel", static_cast<DWORD>(E_OUTOFMEMORY)},
        {"LocalAlloc", ERROR_NOT_ENOUGH_MEMORY},  // the data object's copy of the message
        {"LoadLibraryW", ERROR_MOD_NOT_FOUND},
    };
    for (const Case& c : cases) {
        printui::ScriptReplies({printui::CustomDataReply("OK")});
        machine.FailCalls(c.function, c.error);
        EXPECT_FALSE(Send()) << c.function;
        machine.ClearFailures();
        EXPECT_EQ(printui::LiveChannels(), 0) << c.function;
    }
    auto output = machine.DebugOutput();
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output[0], Wide("##########  SndNotification failed !!!!!! \n"));
}

TEST_F(AsyncUIRequestSend, WithoutTheChannelExportNothingIsSent)
{
    RemoveSystemExport("winspool.drv", "CreatePrintAsyncNotifyChannel");
    printui::ScriptReplies({printui::CustomDataReply("OK")});
    EXPECT_FALSE(Send());
    EXPECT_TRUE(printui::ChannelsOpened().empty());
}
