#include "common/AsyncUIRequest.h"

#include <prnasnot.h>

#include "common/AsyncNotifyCallback.h"
#include "common/AsyncNotifyData.h"
#include "common/SafeString.h"

#include <initializer_list>

namespace {

// The request text: one line, the customData element naming the library and the entry point.
const WCHAR kTextBeforeNamespace[] = TEXT("<?xml version=\"1.0\" ?><asyncPrintUIRequest xmlns=\"");
const WCHAR kRequestNamespace[] = TEXT("https://schemas.microsoft.com/2003/print/asyncui/v1/request");
const WCHAR kTextBeforeEntryPoint[] =
    TEXT("\"><v1><requestOpen><customData dll=\"niraevt.dll\" entrypoint=\"");
const WCHAR kTextAfterEntryPoint[] =
    TEXT("\" bidi=\"true\"></customData></requestOpen></v1></asyncPrintUIRequest>");

const WCHAR kBidirectional[] = TEXT("bidi");
const WCHAR kUnidirectional[] = TEXT("unidi");
const WCHAR kSpoolerModule[] = TEXT("winspool.drv");
const char kCreateChannelExport[] = "CreatePrintAsyncNotifyChannel";
// A pause after the reply so that the host's thread leaves the callback before the sender goes on.
const DWORD kAfterReplyPause = 50;

size_t Length(LPCWSTR text)
{
    size_t length = 0;
    return SUCCEEDED(GetStringLengthSafe(text, kAsyncUIRequestTextLimit, &length)) ? length : 0;
}

size_t FixedTextChars()
{
    return Length(kTextBeforeNamespace) + Length(kRequestNamespace) + Length(kTextBeforeEntryPoint) +
           Length(kTextAfterEntryPoint);
}

// Opens the channel the conversation asks for; null for any other conversation text or when the
// platform makes none. *twoWay tells whether a reply can come back over it.
IPrintAsyncNotifyChannel* OpenChannel(PFN_CreatePrintAsyncNotifyChannel create, LPCWSTR printerName,
                                      LPCWSTR conversation, IPrintAsyncNotifyCallback* callback, bool* twoWay)
{
    PrintAsyncNotificationType type = kAsyncUINotificationType;
    IPrintAsyncNotifyChannel* channel = nullptr;
    *twoWay = false;
    if (conversation == nullptr) {
        return nullptr;
    }
    if (CompareStringNoCaseSafe(conversation, kBidirectional) == S_OK) {
        *twoWay = true;
        create(printerName, &type, kPerUser, kBiDirectional, callback, &channel);
    } else if (CompareStringNoCaseSafe(conversation, kUnidirectional) == S_OK) {
        create(printerName, &type, kAllUsers, kUniDirectional, callback, &channel);
    }
    return channel;
}

// Sends the message and, over a two-way channel, waits for the reply. FALSE when nothing was sent,
// when no reply can come (a one-way channel) or when the wait failed: the sender never waits for
// a reply that cannot come.
BOOL SendAndWait(IPrintAsyncNotifyChannel* channel, bool twoWay, HANDLE replyEvent, const BYTE* buffer,
                 DWORD size)
{
    CNiraAsyncNotifyData* data = CNiraAsyncNotifyData::Create(buffer, size, kAsyncUINotificationType);
    if (data == nullptr) {
        return FALSE;
    }
    HRESULT sent = channel->SendNotification(data);
    data->Release();
    if (FAILED(sent)) {
        OutputDebugStringA("##########  SndNotification failed !!!!!! \n");
        return FALSE;
    }
    if (!twoWay) {
        return FALSE;
    }
    DWORD waited = WaitForSingleObject(replyEvent, INFINITE);
    Sleep(kAfterReplyPause);
    return waited == WAIT_OBJECT_0;
}

}  // namespace

size_t AsyncUIRequestTextChars(LPCWSTR entryPoint)
{
    size_t entryPointChars = entryPoint != nullptr ? Length(entryPoint) : 0;
    if (entryPointChars == 0 || FixedTextChars() + entryPointChars > kAsyncUIRequestTextLimit) {
        return 0;
    }
    return FixedTextChars() + entryPointChars;
}

size_t AsyncUIRequestRecordOffset(LPCWSTR entryPoint)
{
    return sizeof(WCHAR) * (AsyncUIRequestTextChars(entryPoint) + 1);
}

size_t AsyncUIRequestSize(LPCWSTR entryPoint, size_t recordBytes)
{
    return AsyncUIRequestRecordOffset(entryPoint) + recordBytes + kAsyncUIRequestTailBytes;
}

BOOL WriteAsyncUIRequestText(LPCWSTR entryPoint, LPWSTR text, size_t room)
{
    size_t chars = AsyncUIRequestTextChars(entryPoint);
    if (text == nullptr || chars == 0 || room < chars + 1) {
        return FALSE;
    }
    text[0] = 0;
    for (LPCWSTR piece : {kTextBeforeNamespace, kRequestNamespace, kTextBeforeEntryPoint, entryPoint,
                          static_cast<LPCWSTR>(kTextAfterEntryPoint)}) {
        AppendStringSafe(text, room, piece);
    }
    return TRUE;
}

BOOL SendAsyncUIRequest(LPCWSTR printerName, LPCWSTR conversation, const BYTE* buffer, DWORD size)
{
    CNiraAsyncNotifyCallback* callback = CNiraAsyncNotifyCallback::Create();
    if (callback == nullptr) {
        return FALSE;
    }
    HMODULE spooler = LoadLibraryW(kSpoolerModule);
    auto create = spooler != nullptr
                      ? reinterpret_cast<PFN_CreatePrintAsyncNotifyChannel>(
                            reinterpret_cast<void*>(GetProcAddress(spooler, kCreateChannelExport)))
                      : nullptr;
    BOOL replied = FALSE;
    if (create != nullptr) {
        bool twoWay = false;
        IPrintAsyncNotifyChannel* channel = OpenChannel(create, printerName, conversation, callback, &twoWay);
        callback->SetReplyEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (channel != nullptr && callback->ReplyEvent() != nullptr) {
            replied = SendAndWait(channel, twoWay, callback->ReplyEvent(), buffer, size);
        }
        if (channel != nullptr) {
            channel->Release();
        }
    }
    if (spooler != nullptr) {
        FreeLibrary(spooler);
    }
    BOOL confirmed = replied && callback->Result() == CNiraAsyncNotifyCallback::kConfirmed;
    callback->Release();
    return confirmed;
}
