// Test control of the asynchronous print-UI host: the channels winspool.drv's
// CreatePrintAsyncNotifyChannel opens, the requests sent over them and the host's answers.
//
// The host answers each request from a script, one entry a request; with no entry left it answers
// as a machine where no listener takes the notification type (SendNotification fails with
// ASYNC_NOTIFICATION_FAILURE), so no test waits for a reply that never comes. An entry may tell
// the host to do what Windows does: load the library the request names from the printer driver's
// folder, call the named entry point with the record on the host's thread and reply with what it
// returned. Replies and closes
// reach the sender's callback on a thread of the host, as on Windows; a one-way channel takes the
// notification and answers nothing.
#pragma once

#include <nirasim/Machine.h>

#include <prnasnot.h>

#include <string>
#include <vector>

namespace nirasim {
namespace asyncui {

enum class HostAnswer {
    NoListener,        // SendNotification fails; nothing reaches the callback
    Reply,             // OnEventNotify with the reply text
    CloseWithoutData,  // ChannelClosed without a data object
    CloseWithReply,    // ChannelClosed carrying the reply text
    ReplyWithoutText,  // OnEventNotify with a data object holding no bytes
    CallEntryPoint,    // the named entry point's reply, as a "CustomData" reply
};

struct HostReply {
    HostAnswer answer = HostAnswer::NoListener;
    std::u16string text;  // the reply text (UTF-16, sent with its terminator)
};

// The reply the host sends for an entry point that returned `entryPointReply` ("OK", "Cancel").
HostReply CustomDataReply(const Text& entryPointReply);
// The reply of a message box closed with the button of `buttonId`.
HostReply MessageBoxReply(int buttonId);

// The host entry that calls the entry point a request names.
HostReply CallEntryPoint();

// Answers for the next requests, one each.
void ScriptReplies(const std::vector<HostReply>& replies);

struct ChannelOpened {
    std::u16string printerName;
    GUID notificationType;
    PrintAsyncNotifyUserFilter filter;
    PrintAsyncNotifyConversationStyle directionality;
    bool hasCallback;
};

struct Request {
    std::u16string printerName;
    GUID notificationType;
    std::u16string text;  // the request text up to its terminator
    std::u16string dll;   // the customData element's attributes ("" when absent)
    std::u16string entryPoint;
    std::vector<BYTE> afterText;  // every byte after the text's terminator
    ULONG size;                   // the size the data object reported
    // CallEntryPoint: whether the library and its entry point were found and called, and the text
    // the entry point returned ("" for a null reply).
    bool entryPointCalled = false;
    std::u16string entryPointReply;
};

std::vector<ChannelOpened> ChannelsOpened();
std::vector<Request> Requests();
// Channels the senders have not released yet.
int LiveChannels();
// Waits until every reply the host started has been delivered.
void WaitForHost();

}  // namespace asyncui
}  // namespace nirasim
