// The sender's side of a print-UI conversation: the platform calls OnEventNotify with the host's
// reply, or ChannelClosed when the channel goes away; either records whether the reply confirmed
// and signals the sender's reply event.
#pragma once

#include <windows.h>

#include <prnasnot.h>

class CNiraAsyncNotifyCallback final : public IPrintAsyncNotifyCallback {
public:
    // The results a reply leaves.
    static constexpr LONG kConfirmed = 1;
    static constexpr LONG kNotConfirmed = 2;

    // A callback with one reference and no confirmation yet; null when no memory is left.
    static CNiraAsyncNotifyCallback* Create();

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(OnEventNotify)(IPrintAsyncNotifyChannel* channel, IPrintAsyncNotifyDataObject* data) override;
    STDMETHOD(ChannelClosed)(IPrintAsyncNotifyChannel* channel, IPrintAsyncNotifyDataObject* data) override;

    // The event signalled by every reply; the callback owns it from here on and closes it when the
    // last reference goes, so a late reply never signals a closed handle.
    void SetReplyEvent(HANDLE replyEvent);
    HANDLE ReplyEvent() const { return m_replyEvent; }
    LONG Result() const { return m_result; }

    // The result that a reply text gives (chars characters at most, stopping at a terminator), or
    // `current` for a null text.
    static LONG ReadReplyText(LPCWSTR text, size_t chars, LONG current);

private:
    CNiraAsyncNotifyCallback() = default;
    ~CNiraAsyncNotifyCallback();
    CNiraAsyncNotifyCallback(const CNiraAsyncNotifyCallback&) = delete;
    CNiraAsyncNotifyCallback& operator=(const CNiraAsyncNotifyCallback&) = delete;

    HRESULT ReadReply(IPrintAsyncNotifyDataObject* data);
    void SignalReply();

    volatile LONG m_references = 1;
    volatile LONG m_result = kNotConfirmed;
    HANDLE m_replyEvent = nullptr;
};
