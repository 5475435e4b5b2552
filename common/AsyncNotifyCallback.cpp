#include "common/AsyncNotifyCallback.h"

#include <new>

namespace {

const WCHAR kCustomUIMarker[] = TEXT("CustomUI");
const WCHAR kCustomDataMarker[] = TEXT("CustomData");
const WCHAR kConfirmation[] = TEXT("OK");
const WCHAR kMessageBoxMarker[] = TEXT("messageBoxUI");
const WCHAR kFirstButton[] = TEXT("<buttonID>1</buttonID>");
const size_t kNotFound = static_cast<size_t>(-1);

size_t TextLength(LPCWSTR text, size_t limit)
{
    size_t length = 0;
    while (length < limit && text[length] != 0) {
        ++length;
    }
    return length;
}

// Position of the first occurrence of `word` in text[from, length), case-sensitive.
size_t Find(LPCWSTR text, size_t length, LPCWSTR word, size_t from = 0)
{
    size_t wordLength = TextLength(word, kNotFound);
    for (size_t at = from; at + wordLength <= length; ++at) {
        size_t matched = 0;
        while (matched < wordLength && text[at + matched] == word[matched]) {
            ++matched;
        }
        if (matched == wordLength) {
            return at;
        }
    }
    return kNotFound;
}

}  // namespace

CNiraAsyncNotifyCallback* CNiraAsyncNotifyCallback::Create()
{
    return new (std::nothrow) CNiraAsyncNotifyCallback;
}

CNiraAsyncNotifyCallback::~CNiraAsyncNotifyCallback()
{
    if (m_replyEvent != nullptr) {
        CloseHandle(m_replyEvent);
    }
}

void CNiraAsyncNotifyCallback::SetReplyEvent(HANDLE replyEvent)
{
    m_replyEvent = replyEvent;
}

STDMETHODIMP CNiraAsyncNotifyCallback::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPrintAsyncNotifyCallback)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IPrintAsyncNotifyCallback*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CNiraAsyncNotifyCallback::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CNiraAsyncNotifyCallback::Release()
{
    LONG left = InterlockedDecrement(&m_references);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP CNiraAsyncNotifyCallback::OnEventNotify(IPrintAsyncNotifyChannel*,
                                                     IPrintAsyncNotifyDataObject* data)
{
    if (data == nullptr) {
        return E_FAIL;
    }
    return ReadReply(data);
}

STDMETHODIMP CNiraAsyncNotifyCallback::ChannelClosed(IPrintAsyncNotifyChannel* channel,
                                                     IPrintAsyncNotifyDataObject* data)
{
    if (channel == nullptr) {
        return E_FAIL;
    }
    if (data == nullptr) {
        // A close without a reply still ends the sender's wait: no reply can come any more, and
        // the result stays "not confirmed".
        SignalReply();
        return S_OK;
    }
    return ReadReply(data);
}

HRESULT CNiraAsyncNotifyCallback::ReadReply(IPrintAsyncNotifyDataObject* data)
{
    BYTE* bytes = nullptr;
    ULONG size = 0;
    PrintAsyncNotificationType* type = nullptr;
    HRESULT acquired = data->AcquireData(&bytes, &size, &type);
    if (FAILED(acquired)) {
        return acquired;
    }
    auto* text = reinterpret_cast<LPCWSTR>(bytes);
    InterlockedExchange(&m_result, ReadReplyText(text, size / sizeof(WCHAR), m_result));
    SignalReply();
    data->ReleaseData();
    return acquired;
}

LONG CNiraAsyncNotifyCallback::ReadReplyText(LPCWSTR text, size_t chars, LONG current)
{
    if (text == nullptr) {
        return current;
    }
    size_t length = TextLength(text, chars);
    size_t marker = Find(text, length, kCustomUIMarker);
    if (marker == kNotFound) {
        marker = Find(text, length, kCustomDataMarker);
    }
    if (marker != kNotFound) {
        return Find(text, length, kConfirmation, marker) != kNotFound ? kConfirmed : kNotConfirmed;
    }
    marker = Find(text, length, kMessageBoxMarker);
    if (marker != kNotFound) {
        return Find(text, length, kFirstButton, marker) != kNotFound ? kConfirmed : kNotConfirmed;
    }
    return kNotConfirmed;
}

void CNiraAsyncNotifyCallback::SignalReply()
{
    if (!SetEvent(m_replyEvent)) {
        OutputDebugStringA("OnEventNotify: SetEvent failed !!!\n");
    }
}
