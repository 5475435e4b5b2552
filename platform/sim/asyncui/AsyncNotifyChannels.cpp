// winspool.drv's asynchronous print notification channels and the print-UI host behind them. A
// channel hands each notification to the host, which journals the request and answers from the
// test's script on a thread of its own: a scripted text, or what the entry point the request
// names answered.
#include <nirasim/AsyncUI.h>

#include "core/Failures.h"
#include "core/MachineState.h"
#include "core/Wide.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

struct HostState {
    std::mutex lock;
    std::deque<asyncui::HostReply> script;
    std::vector<asyncui::ChannelOpened> channels;
    std::vector<asyncui::Request> requests;
    std::vector<std::thread> replies;
    std::atomic<int> liveChannels{0};
};

HostState& Host()
{
    static auto* state = new HostState;
    return *state;
}

void JoinReplies()
{
    std::vector<std::thread> replies;
    {
        std::lock_guard<std::mutex> guard(Host().lock);
        replies.swap(Host().replies);
    }
    for (auto& reply : replies) {
        reply.join();
    }
}

ResetHook resetHost([] {
    JoinReplies();
    std::lock_guard<std::mutex> guard(Host().lock);
    Host().script.clear();
    Host().channels.clear();
    Host().requests.clear();
});

HRESULT ChannelError(PrintAsyncNotifyError code)
{
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, code);
}

// Reference counting and interface lookup of the host's objects: IUnknown and the one interface
// each implements.
template <class Interface>
class HostObject : public Interface {
public:
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, m_iid)) {
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    explicit HostObject(const IID& iid) : m_iid(iid) {}
    virtual ~HostObject() = default;

private:
    IID m_iid;
    std::atomic<ULONG> m_references{1};
};

// The host's reply: the text's UTF-16 units with the terminator.
class ReplyData : public HostObject<IPrintAsyncNotifyDataObject> {
public:
    ReplyData(const std::u16string& text, const GUID& type, bool withText)
        : HostObject(IID_IPrintAsyncNotifyDataObject), m_type(type)
    {
        if (withText) {
            const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
            m_bytes.assign(bytes, bytes + (text.size() + 1) * sizeof(char16_t));
        }
    }
    STDMETHODIMP AcquireData(BYTE** data, ULONG* size, PrintAsyncNotificationType** type) override
    {
        if (data == nullptr || size == nullptr || type == nullptr) {
            return E_INVALIDARG;
        }
        *data = m_bytes.empty() ? nullptr : m_bytes.data();
        *size = static_cast<ULONG>(m_bytes.size());
        *type = &m_type;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP ReleaseData() override
    {
        Release();
        return S_OK;
    }

private:
    ~ReplyData() override = default;
    std::vector<BYTE> m_bytes;
    GUID m_type;
};

// The entry points of a print-UI library: the record behind the request text and the number of
// bytes the host received after the text; a UTF-16 reply from the library's C runtime heap.
typedef LPWSTR(WINAPI* EntryPointProc)(LPBYTE record, DWORD recordBytes);

// Loads the library the request names from the printer driver's folder and calls its entry point
// on this thread, as the host in the user's session does; the journal learns what it answered.
asyncui::HostReply RunEntryPoint(size_t journalIndex, asyncui::Request request)
{
    asyncui::HostReply reply{asyncui::HostAnswer::ReplyWithoutText, {}};
    if (request.dll.empty() || request.dll.find_first_of(u"\\/") != std::u16string::npos) {
        return reply;
    }
    std::u16string path = std::u16string(kDriverDirectory) + u"\\3\\" + request.dll;
    HMODULE library = LoadLibraryW(path.c_str());
    if (library == nullptr) {
        return reply;
    }
    std::string name(request.entryPoint.begin(), request.entryPoint.end());
    auto entry =
        reinterpret_cast<EntryPointProc>(reinterpret_cast<void*>(GetProcAddress(library, name.c_str())));
    std::u16string text;
    bool answered = false;
    if (entry != nullptr) {
        // The record stays where it was in the message: right after the text, at an even offset.
        size_t recordStart = (request.text.size() + 1) * sizeof(char16_t);
        std::vector<BYTE> message(recordStart + request.afterText.size());
        std::memcpy(message.data(), request.text.c_str(), recordStart);
        std::copy(request.afterText.begin(), request.afterText.end(), message.begin() + recordStart);
        LPWSTR returned = entry(message.data() + recordStart, static_cast<DWORD>(request.afterText.size()));
        answered = returned != nullptr;
        if (returned != nullptr) {
            text = WideFrom(returned);
            // The library and the host share one C runtime here.
            free(returned);
        }
    }
    FreeLibrary(library);
    {
        std::lock_guard<std::mutex> guard(Host().lock);
        if (journalIndex < Host().requests.size()) {
            Host().requests[journalIndex].entryPointCalled = entry != nullptr;
            Host().requests[journalIndex].entryPointReply = text;
        }
    }
    return answered ? asyncui::CustomDataReply(text) : reply;
}

std::u16string Attribute(const std::u16string& text, const std::u16string& name)
{
    std::u16string opening = name + u"=\"";
    size_t start = text.find(opening);
    if (start == std::u16string::npos) {
        return {};
    }
    start += opening.size();
    size_t end = text.find(u'"', start);
    return end == std::u16string::npos ? std::u16string() : text.substr(start, end - start);
}

asyncui::Request ReadRequest(const std::u16string& printer, const BYTE* bytes, ULONG size, const GUID& type)
{
    asyncui::Request request{printer, type, {}, {}, {}, {}, size, false, {}};
    size_t units = bytes != nullptr ? size / sizeof(char16_t) : 0;
    size_t length = 0;
    while (length < units) {
        char16_t unit;
        std::memcpy(&unit, bytes + length * sizeof(char16_t), sizeof(unit));
        if (unit == 0) {
            break;
        }
        request.text.push_back(unit);
        ++length;
    }
    size_t recordStart = (length + 1) * sizeof(char16_t);
    if (bytes != nullptr && recordStart <= size) {
        request.afterText.assign(bytes + recordStart, bytes + size);
    }
    request.dll = Attribute(request.text, u"dll");
    request.entryPoint = Attribute(request.text, u"entrypoint");
    return request;
}

class Channel : public HostObject<IPrintAsyncNotifyChannel> {
public:
    Channel(const std::u16string& printer, const GUID& type, IPrintAsyncNotifyCallback* callback)
        : HostObject(IID_IPrintAsyncNotifyChannel), m_printer(printer), m_type(type), m_callback(callback)
    {
        if (m_callback != nullptr) {
            m_callback->AddRef();
        }
        ++Host().liveChannels;
    }
    STDMETHODIMP SendNotification(IPrintAsyncNotifyDataObject* data) override
    {
        NIRASIM_RETURN_IF_INJECTED("SendNotification");
        if (data == nullptr) {
            return E_INVALIDARG;
        }
        BYTE* bytes = nullptr;
        ULONG size = 0;
        PrintAsyncNotificationType* type = nullptr;
        HRESULT acquired = data->AcquireData(&bytes, &size, &type);
        if (FAILED(acquired)) {
            return acquired;
        }
        if (type == nullptr || !IsEqualGUID(*type, m_type)) {
            data->ReleaseData();
            return ChannelError(INVALID_NOTIFICATION_TYPE);
        }
        asyncui::Request request = ReadRequest(m_printer, bytes, size, *type);
        data->ReleaseData();
        return Answer(request);
    }
    STDMETHODIMP CloseChannel(IPrintAsyncNotifyDataObject*) override
    {
        m_closed = true;
        return S_OK;
    }

private:
    ~Channel() override
    {
        if (m_callback != nullptr) {
            m_callback->Release();
        }
        --Host().liveChannels;
    }

    HRESULT Answer(const asyncui::Request& request)
    {
        asyncui::HostReply reply;
        size_t journalIndex = 0;
        {
            std::lock_guard<std::mutex> guard(Host().lock);
            journalIndex = Host().requests.size();
            Host().requests.push_back(request);
            if (!Host().script.empty()) {
                reply = Host().script.front();
                Host().script.pop_front();
            }
        }
        if (m_closed) {
            return ChannelError(CHANNEL_ALREADY_CLOSED);
        }
        if (reply.answer == asyncui::HostAnswer::NoListener) {
            return ChannelError(ASYNC_NOTIFICATION_FAILURE);
        }
        // A one-way channel carries the notification and nothing back.
        if (m_callback != nullptr || reply.answer == asyncui::HostAnswer::CallEntryPoint) {
            Deliver(reply, journalIndex, request);
        }
        return S_OK;
    }

    // The reply reaches the callback on a thread of the host, holding its own references.
    void Deliver(const asyncui::HostReply& scripted, size_t journalIndex, const asyncui::Request& request)
    {
        AddRef();
        std::lock_guard<std::mutex> guard(Host().lock);
        Host().replies.emplace_back([this, scripted, journalIndex, request] {
            asyncui::HostReply reply = scripted.answer == asyncui::HostAnswer::CallEntryPoint
                                           ? RunEntryPoint(journalIndex, request)
                                           : scripted;
            if (m_callback == nullptr) {
                Release();
                return;
            }
            bool withData = reply.answer != asyncui::HostAnswer::CloseWithoutData;
            ReplyData* data = withData ? new ReplyData(reply.text, m_type,
                                                       reply.answer != asyncui::HostAnswer::ReplyWithoutText)
                                       : nullptr;
            if (reply.answer == asyncui::HostAnswer::Reply ||
                reply.answer == asyncui::HostAnswer::ReplyWithoutText) {
                m_callback->OnEventNotify(this, data);
            } else {
                m_callback->ChannelClosed(this, data);
            }
            if (data != nullptr) {
                data->Release();
            }
            Release();
        });
    }

    std::u16string m_printer;
    GUID m_type;
    IPrintAsyncNotifyCallback* m_callback;
    std::atomic<bool> m_closed{false};
};

}  // namespace

extern "C" HRESULT WINAPI CreatePrintAsyncNotifyChannel(LPCWSTR pName, PrintAsyncNotificationType* pSchema,
                                                        PrintAsyncNotifyUserFilter filter,
                                                        PrintAsyncNotifyConversationStyle directionality,
                                                        IPrintAsyncNotifyCallback* pCallback,
                                                        IPrintAsyncNotifyChannel** ppChannel)
{
    NIRASIM_RETURN_IF_INJECTED("CreatePrintAsyncNotifyChannel");
    if (ppChannel == nullptr || pSchema == nullptr || pName == nullptr) {
        return E_INVALIDARG;
    }
    *ppChannel = nullptr;
    if (directionality == kBiDirectional && pCallback == nullptr) {
        return E_INVALIDARG;
    }
    std::u16string printer = WideFrom(pName);
    {
        std::lock_guard<std::mutex> guard(Host().lock);
        Host().channels.push_back({printer, *pSchema, filter, directionality, pCallback != nullptr});
    }
    *ppChannel = new Channel(printer, *pSchema, directionality == kBiDirectional ? pCallback : nullptr);
    return S_OK;
}

namespace nirasim {
namespace asyncui {

HostReply CustomDataReply(const Text& entryPointReply)
{
    return {HostAnswer::Reply, u"<?xml version=\"1.0\" ?><asyncPrintUIResponse><v1><response><CustomData>" +
                                   entryPointReply.wide() +
                                   u"</CustomData></response></v1></asyncPrintUIResponse>"};
}

HostReply MessageBoxReply(int buttonId)
{
    std::string id = std::to_string(buttonId);
    return {HostAnswer::Reply,
            u"<?xml version=\"1.0\" ?><asyncPrintUIResponse><v1><response><messageBoxUI>"
            u"<buttonID>" +
                std::u16string(id.begin(), id.end()) +
                u"</buttonID></messageBoxUI></response></v1></asyncPrintUIResponse>"};
}

HostReply CallEntryPoint()
{
    return {HostAnswer::CallEntryPoint, {}};
}

void ScriptReplies(const std::vector<HostReply>& replies)
{
    std::lock_guard<std::mutex> guard(Host().lock);
    Host().script.assign(replies.begin(), replies.end());
}

std::vector<ChannelOpened> ChannelsOpened()
{
    std::lock_guard<std::mutex> guard(Host().lock);
    return Host().channels;
}

std::vector<Request> Requests()
{
    std::lock_guard<std::mutex> guard(Host().lock);
    return Host().requests;
}

int LiveChannels()
{
    return Host().liveChannels;
}

void WaitForHost()
{
    JoinReplies();
}

}  // namespace asyncui
}  // namespace nirasim
