// The print-UI request message, the data object and the reading of the host's replies.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/AsyncNotifyCallback.h"
#include "common/AsyncNotifyData.h"
#include "common/AsyncUIRequest.h"
#include "support/WString.h"

namespace {

WString RequestText(LPCWSTR entryPoint)
{
    std::vector<WCHAR> text(AsyncUIRequestTextChars(entryPoint) + 1);
    EXPECT_TRUE(WriteAsyncUIRequestText(entryPoint, text.data(), text.size()));
    return WString(text.data());
}

}  // namespace

TEST(AsyncUIRequestText, NamesTheLibraryAndEntryPointInOneLine)
{
    WString text = RequestText(kEntryPointPrintPreview);
    EXPECT_EQ(text, WString(TEXT(
                        "<?xml version=\"1.0\" ?><asyncPrintUIRequest xmlns=\"https://schemas.microsoft.com/"
                        "2003/print/asyncui/v1/request\"><v1><requestOpen><customData dll=\"niraevt.dll\" "
                        "entrypoint=\"EvtDlgAsyncUIEntryPointPrintPreview\" bidi=\"true\"></customData>"
                        "</requestOpen></v1></asyncPrintUIRequest>")));
    // The preview block follows the text's terminator at byte 548; the whole message for n page
    // records of 56 bytes after the 2968-byte block is 3536 + 56 x n.
    EXPECT_EQ(AsyncUIRequestTextChars(kEntryPointPrintPreview), 273u);
    EXPECT_EQ(AsyncUIRequestRecordOffset(kEntryPointPrintPreview), 548u);
    EXPECT_EQ(AsyncUIRequestSize(kEntryPointPrintPreview, 2968 + 56 * 3), 3536u + 56 * 3);
}

TEST(AsyncUIRequestText, RecordOffsetIsEvenForEveryEntryPoint)
{
    for (LPCWSTR entryPoint : {kEntryPointManualDuplexModal, kEntryPointManualDuplexModeless,
                               kEntryPointJobUI, kEntryPointPrintPreview}) {
        size_t chars = RequestText(entryPoint).size();
        EXPECT_EQ(chars, AsyncUIRequestTextChars(entryPoint));
        EXPECT_EQ(AsyncUIRequestRecordOffset(entryPoint), 2 * (chars + 1));
        EXPECT_EQ(AsyncUIRequestSize(entryPoint, 10), 2 * (chars + 1) + 10 + kAsyncUIRequestTailBytes);
    }
}

TEST(AsyncUIRequestText, RefusesWhatDoesNotFit)
{
    size_t chars = AsyncUIRequestTextChars(kEntryPointJobUI);
    std::vector<WCHAR> text(chars, TEXT('x'));
    EXPECT_FALSE(
        WriteAsyncUIRequestText(kEntryPointJobUI, text.data(), chars));  // no room for the terminator
    EXPECT_EQ(text[0], TEXT('x'));
    EXPECT_FALSE(WriteAsyncUIRequestText(nullptr, text.data(), chars));
    WString tooLong(kAsyncUIRequestTextLimit, TEXT('e'));
    EXPECT_EQ(AsyncUIRequestTextChars(tooLong.c_str()), 0u);
    EXPECT_EQ(AsyncUIRequestTextChars(TEXT("")), 0u);
}

TEST(AsyncNotifyData, HandsOutAPrivateCopyAndItsType)
{
    BYTE message[] = {1, 2, 3, 4};
    GUID type = kAsyncUINotificationType;
    CNiraAsyncNotifyData* data = CNiraAsyncNotifyData::Create(message, sizeof(message), type);
    ASSERT_NE(data, nullptr);
    message[0] = 9;
    type.Data1 = 0;

    BYTE* bytes = nullptr;
    ULONG size = 0;
    PrintAsyncNotificationType* handedType = nullptr;
    ASSERT_EQ(data->AcquireData(&bytes, &size, &handedType), S_OK);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_TRUE(IsEqualGUID(*handedType, kAsyncUINotificationType));
    EXPECT_EQ(data->ReleaseData(), S_OK);

    EXPECT_EQ(data->AcquireData(nullptr, &size, &handedType), E_INVALIDARG);
    EXPECT_EQ(data->AcquireData(&bytes, nullptr, &handedType), E_INVALIDARG);
    EXPECT_EQ(data->AcquireData(&bytes, &size, nullptr), E_INVALIDARG);
    EXPECT_EQ(data->AddRef(), 2u);
    EXPECT_EQ(data->Release(), 1u);
    EXPECT_EQ(data->Release(), 0u);
}

TEST(AsyncNotifyData, WithoutBytesHandsOutNothing)
{
    CNiraAsyncNotifyData* data = CNiraAsyncNotifyData::Create(nullptr, 100, kAsyncUINotificationType);
    ASSERT_NE(data, nullptr);
    BYTE* bytes = reinterpret_cast<BYTE*>(1);
    ULONG size = 1;
    PrintAsyncNotificationType* type = nullptr;
    ASSERT_EQ(data->AcquireData(&bytes, &size, &type), S_OK);
    EXPECT_EQ(bytes, nullptr);
    EXPECT_EQ(size, 0u);  // never a size without the bytes behind it
    data->ReleaseData();
    data->Release();
}

TEST(AsyncNotifyObjects, AnswerOnlyTheirOwnInterfaces)
{
    CNiraAsyncNotifyCallback* callback = CNiraAsyncNotifyCallback::Create();
    CNiraAsyncNotifyData* data = CNiraAsyncNotifyData::Create(nullptr, 0, kAsyncUINotificationType);
    ASSERT_NE(callback, nullptr);
    ASSERT_NE(data, nullptr);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(callback->QueryInterface(IID_IPrintAsyncNotifyDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(callback->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    ASSERT_EQ(callback->QueryInterface(IID_IPrintAsyncNotifyCallback, &object), S_OK);
    EXPECT_EQ(object, static_cast<IPrintAsyncNotifyCallback*>(callback));
    EXPECT_EQ(callback->Release(), 1u);
    EXPECT_EQ(data->QueryInterface(IID_IPrintAsyncNotifyCallback, &object), E_NOINTERFACE);
    ASSERT_EQ(data->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(data->Release(), 1u);
    EXPECT_EQ(callback->Result(), CNiraAsyncNotifyCallback::kNotConfirmed);
    data->Release();
    callback->Release();
}

TEST(AsyncNotifyCallback, ReplyRules)
{
    struct Case {
        const WCHAR* text;
        LONG result;
    } cases[] = {
        {TEXT("<r><CustomData>OK</CustomData></r>"), CNiraAsyncNotifyCallback::kConfirmed},
        {TEXT("<r><CustomData>Cancel</CustomData></r>"), CNiraAsyncNotifyCallback::kNotConfirmed},
        {TEXT("OK<r><CustomUI>Cancel</CustomUI></r>"), CNiraAsyncNotifyCallback::kNotConfirmed},
        {TEXT("<CustomUI/><CustomData/>OK"), CNiraAsyncNotifyCallback::kConfirmed},
        {TEXT("<messageBoxUI><buttonID>1</buttonID></messageBoxUI>"), CNiraAsyncNotifyCallback::kConfirmed},
        {TEXT("<messageBoxUI><buttonID>2</buttonID></messageBoxUI>"),
         CNiraAsyncNotifyCallback::kNotConfirmed},
        {TEXT("<buttonID>1</buttonID><messageBoxUI/>"), CNiraAsyncNotifyCallback::kNotConfirmed},
        {TEXT("<customdata>OK</customdata>"), CNiraAsyncNotifyCallback::kNotConfirmed},
        {TEXT("OK"), CNiraAsyncNotifyCallback::kNotConfirmed},
        {TEXT(""), CNiraAsyncNotifyCallback::kNotConfirmed},
    };
    for (const Case& c : cases) {
        WString text(c.text);
        EXPECT_EQ(CNiraAsyncNotifyCallback::ReadReplyText(text.c_str(), text.size() + 1,
                                                          CNiraAsyncNotifyCallback::kNotConfirmed),
                  c.result)
            << testing::PrintToString(std::vector<WCHAR>(text.begin(), text.end()));
    }
    // A null text leaves the result as it was; the search never reads past the bytes handed over.
    EXPECT_EQ(CNiraAsyncNotifyCallback::ReadReplyText(nullptr, 10, CNiraAsyncNotifyCallback::kConfirmed),
              CNiraAsyncNotifyCallback::kConfirmed);
    WString cut(TEXT("<CustomData>OK"));
    EXPECT_EQ(CNiraAsyncNotifyCallback::ReadReplyText(cut.c_str(), 13, CNiraAsyncNotifyCallback::kConfirmed),
              CNiraAsyncNotifyCallback::kNotConfirmed);
}

TEST(AsyncNotifyCallback, GuardsOfTheTwoReplies)
{
    CNiraAsyncNotifyCallback* callback = CNiraAsyncNotifyCallback::Create();
    ASSERT_NE(callback, nullptr);
    HANDLE replyEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    callback->SetReplyEvent(replyEvent);
    EXPECT_EQ(callback->OnEventNotify(nullptr, nullptr), E_FAIL);
    EXPECT_EQ(callback->ChannelClosed(nullptr, nullptr), E_FAIL);
    EXPECT_EQ(WaitForSingleObject(replyEvent, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    WString reply(TEXT("<CustomData>OK</CustomData>"));
    CNiraAsyncNotifyData* data = CNiraAsyncNotifyData::Create(
        reinterpret_cast<const BYTE*>(reply.c_str()), static_cast<DWORD>((reply.size() + 1) * sizeof(WCHAR)),
        kAsyncUINotificationType);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(callback->OnEventNotify(nullptr, data), S_OK);
    EXPECT_EQ(callback->Result(), CNiraAsyncNotifyCallback::kConfirmed);
    EXPECT_EQ(WaitForSingleObject(replyEvent, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(data->Release(), 0u);  // the reply's own reference was given back
    callback->Release();             // closes the event it owns
}
