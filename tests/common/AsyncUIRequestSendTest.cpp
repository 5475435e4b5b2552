// Sending a print-UI request through the simulated machine's print-UI host.
#include <gtest/gtest.h>

#include <nirasim/InjectedFailures.h>
#include <nirasim/Machine.h>
#include <nirasim/Modules.h>
#include <nirasim/AsyncUI.h>

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
        asyncui::WaitForHost();
        return confirmed;
    }

    Machine machine;
};

}  // namespace

TEST_F(AsyncUIRequestSend, TheHostsReplyDecides)
{
    struct Case {
        asyncui::HostReply reply;
        BOOL confirmed;
    } cases[] = {
        {asyncui::CustomDataReply("OK"), TRUE},
        {asyncui::CustomDataReply("Cancel"), FALSE},
        {asyncui::MessageBoxReply(1), TRUE},
        {asyncui::MessageBoxReply(2), FALSE},
        {{asyncui::HostAnswer::CloseWithReply, asyncui::CustomDataReply("OK").text}, TRUE},
        {{asyncui::HostAnswer::CloseWithoutData, {}}, FALSE},
        {{asyncui::HostAnswer::ReplyWithoutText, {}}, FALSE},
        {{asyncui::HostAnswer::NoListener, {}}, FALSE},
    };
    for (const Case& c : cases) {
        asyncui::ScriptReplies({c.reply});
        EXPECT_EQ(Send(), c.confirmed) << static_cast<int>(c.reply.answer) << " " << Utf8(c.reply.text);
        EXPECT_EQ(asyncui::LiveChannels(), 0);  // the channel is released after the reply
    }
}

TEST_F(AsyncUIRequestSend, TheHostReceivesTheRequestAndItsRecord)
{
    asyncui::ScriptReplies({asyncui::CustomDataReply("OK")});
    ASSERT_TRUE(Send(TEXT("BIDI")));

    auto channels = asyncui::ChannelsOpened();
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0].printerName, Wide("NIRA Inkjet 500"));
    EXPECT_TRUE(IsEqualGUID(channels[0].notificationType, kAsyncUINotificationType));
    EXPECT_EQ(channels[0].filter, kPerUser);
    EXPECT_EQ(channels[0].directionality, kBiDirectional);

    auto requests = asyncui::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].dll, Wide("niraevt.dll"));
    EXPECT_EQ(requests[0].entryPoint, Wide("EvtDlgAsyncUIEntryPointJobUI"));
    EXPECT_EQ(requests[0].size, AsyncUIRequestSize(kEntryPointJobUI, 6));
    std::vector<BYTE> expected = {'r', 'e', 'c', 0, 0, 7};
    expected.resize(6 + kAsyncUIRequestTailBytes, 0);
    EXPECT_EQ(requests[0].afterText, expected);
}

TEST_F(AsyncUIRequestSend, NoReplyChannelMeansNoWait)
{
    // A one-way channel takes the request but carries no reply: the sender does not wait for one.
    asyncui::ScriptReplies({asyncui::CustomDataReply("OK")});
    EXPECT_FALSE(Send(TEXT("Unidi")));
    auto channels = asyncui::ChannelsOpened();
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0].filter, kAllUsers);
    EXPECT_EQ(channels[0].directionality, kUniDirectional);
    EXPECT_EQ(asyncui::Requests().size(), 1u);

    // Another conversation opens nothing at all.
    EXPECT_FALSE(Send(TEXT("duplex")));
    EXPECT_EQ(asyncui::ChannelsOpened().size(), 1u);
    EXPECT_EQ(asyncui::LiveChannels(), 0);
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
        asyncui::ScriptReplies({asyncui::CustomDataReply("OK")});
        machine.FailCalls(c.function, c.error);
        EXPECT_FALSE(Send()) << c.function;
        machine.ClearFailures();
        EXPECT_EQ(asyncui::LiveChannels(), 0) << c.function;
    }
    auto output = machine.DebugOutput();
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output[0], Wide("##########  SndNotification failed !!!!!! \n"));
}

TEST_F(AsyncUIRequestSend, WithoutTheChannelExportNothingIsSent)
{
    RemoveSystemExport("winspool.drv", "CreatePrintAsyncNotifyChannel");
    asyncui::ScriptReplies({asyncui::CustomDataReply("OK")});
    EXPECT_FALSE(Send());
    EXPECT_TRUE(asyncui::ChannelsOpened().empty());
}
