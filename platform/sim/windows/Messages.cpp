// Messages: sent messages call the window procedure at once on the window's own thread (a sender
// on another thread waits until that thread takes the message in its message loop); posted ones
// wait in the thread's queue for the message loop. A message loop with nothing to do waits while
// threads it started still run, then lets the test's idle script play the user. DefWindowProcW
// keeps the window text and the key state is what the tests press.
#include "windows/WindowTable.h"

#include "core/MachineState.h"
#include "core/Wide.h"

#include <nirasim/Windows.h>

#include "synch/StartedThreads.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>

namespace nirasim::sim {
namespace {

constexpr SHORT kKeyDown = static_cast<SHORT>(0x8000);

thread_local std::deque<MSG> t_queue;

std::mutex g_keyLock;
std::set<int> g_keysDown;

// How often a waiting loop or sender looks again (real time).
constexpr auto kWaitStep = std::chrono::milliseconds(2);

// A message sent to a window of another thread, waiting for that thread to answer it.
struct CrossThreadMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool done = false;
};

struct Inboxes {
    std::mutex lock;
    std::condition_variable signal;
    std::map<std::thread::id, std::deque<CrossThreadMessage*>> waiting;
    std::function<bool()> idleScript;
};

Inboxes& Inbox()
{
    static auto* inboxes = new Inboxes;
    return *inboxes;
}

ResetHook resetIdleScript([] {
    std::lock_guard<std::mutex> guard(Inbox().lock);
    Inbox().idleScript = nullptr;
});

LRESULT CallProcedure(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || window->procedure == nullptr) {
        return 0;
    }
    return window->procedure(hWnd, Msg, wParam, lParam);
}

// Answers the messages other threads sent to this thread's windows; true when there were any.
bool AnswerSentMessages()
{
    std::deque<CrossThreadMessage*> taken;
    {
        std::lock_guard<std::mutex> guard(Inbox().lock);
        auto it = Inbox().waiting.find(std::this_thread::get_id());
        if (it == Inbox().waiting.end() || it->second.empty()) {
            return false;
        }
        taken.swap(it->second);
    }
    for (CrossThreadMessage* sent : taken) {
        LRESULT result = CallProcedure(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        std::lock_guard<std::mutex> guard(Inbox().lock);
        sent->result = result;
        sent->done = true;
    }
    Inbox().signal.notify_all();
    return true;
}

LRESULT SendToThread(std::thread::id owner, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    CrossThreadMessage sent{hWnd, Msg, wParam, lParam};
    {
        std::lock_guard<std::mutex> guard(Inbox().lock);
        Inbox().waiting[owner].push_back(&sent);
    }
    Inbox().signal.notify_all();
    for (;;) {
        // While it waits, the sender answers what is sent to its own windows.
        AnswerSentMessages();
        bool gone = !IsWindow(hWnd);
        std::unique_lock<std::mutex> hold(Inbox().lock);
        if (Inbox().signal.wait_for(hold, kWaitStep, [&] { return sent.done; })) {
            return sent.result;
        }
        // A window destroyed before its thread took the message never answers it.
        auto& waiting = Inbox().waiting[owner];
        auto queued = std::find(waiting.begin(), waiting.end(), &sent);
        if (gone && queued != waiting.end()) {
            waiting.erase(queued);
            return 0;
        }
    }
}

// A fresh machine starts with no key down and an empty queue on the thread that starts it.
ResetHook resetKeysAndQueue([] {
    t_queue.clear();
    std::lock_guard<std::mutex> guard(g_keyLock);
    g_keysDown.clear();
});

bool Matches(const MSG& message, HWND window, UINT first, UINT last)
{
    if (window != nullptr && message.hwnd != window) {
        return false;
    }
    if (first == 0 && last == 0) {
        return true;
    }
    return message.message >= first && message.message <= last;
}

bool TakeMessage(LPMSG out, HWND window, UINT first, UINT last, bool remove)
{
    auto it = std::find_if(t_queue.begin(), t_queue.end(),
                           [&](const MSG& message) { return Matches(message, window, first, last); });
    if (it == t_queue.end()) {
        return false;
    }
    if (out != nullptr) {
        *out = *it;
    }
    if (remove) {
        t_queue.erase(it);
    }
    return true;
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || window->procedure == nullptr) {
        return 0;
    }
    if (window->thread != std::this_thread::get_id()) {
        return SendToThread(window->thread, hWnd, Msg, wParam, lParam);
    }
    return window->procedure(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        return FALSE;
    }
    MSG message{};
    message.hwnd = hWnd;
    message.message = Msg;
    message.wParam = wParam;
    message.lParam = lParam;
    t_queue.push_back(message);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode)
{
    MSG message{};
    message.message = WM_QUIT;
    message.wParam = static_cast<WPARAM>(nExitCode);
    t_queue.push_back(message);
}

// The queue never blocks here: with nothing to take, the loop ends as if WM_QUIT came (-1 is
// Windows' answer for a bad call), so a headless loop cannot hang a test.
BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    for (;;) {
        AnswerSentMessages();
        if (TakeMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
            return lpMsg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (StartedThreadsRunning(std::this_thread::get_id())) {
            std::unique_lock<std::mutex> hold(Inbox().lock);
            Inbox().signal.wait_for(hold, kWaitStep);
            continue;
        }
        std::function<bool()> script;
        {
            std::lock_guard<std::mutex> guard(Inbox().lock);
            script = Inbox().idleScript;
        }
        if (!script || !script()) {
            break;
        }
    }
    *lpMsg = MSG{};
    lpMsg->message = WM_QUIT;
    return FALSE;
}

BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return TakeMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0);
}

BOOL WINAPI TranslateMessage(const MSG*)
{
    return FALSE;
}

LRESULT WINAPI DispatchMessageW(const MSG* lpMsg)
{
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr) {
        return 0;
    }
    return SendMessageW(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc == nullptr ? 0 : lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return 0;
    }
    switch (Msg) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        window->text = create == nullptr ? std::u16string() : WideFrom(create->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        window->text = WideFrom(reinterpret_cast<LPCWSTR>(lParam));
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_GETTEXT: {
        // Copies what fits, cut to wParam - 1 characters and terminated, as Windows does.
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        if (buffer == nullptr || wParam == 0) {
            return 0;
        }
        size_t count = std::min<size_t>(window->text.size(), wParam - 1);
        std::copy_n(window->text.data(), count, buffer);
        buffer[count] = 0;
        return static_cast<LRESULT>(count);
    }
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_ERASEBKGND: {
        // The class's brush erases; without one the background stays for the window to paint.
        if (window->background == nullptr) {
            return 0;
        }
        RECT client = {};
        GetClientRect(hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(window->background));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        EndPaint(hWnd, &paint);
        return 0;
    }
    default:
        return 0;
    }
}

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (!IsWindow(hWnd)) {
        return FALSE;
    }
    return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (lpString == nullptr || nMaxCount <= 0) {
        return 0;
    }
    *lpString = 0;
    return static_cast<int>(
        SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd)
{
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

SHORT WINAPI GetKeyState(int nVirtKey)
{
    std::lock_guard<std::mutex> guard(g_keyLock);
    return g_keysDown.count(nVirtKey) != 0 ? kKeyDown : 0;
}

namespace nirasim {

void SetIdleScript(std::function<bool()> script)
{
    std::lock_guard<std::mutex> guard(sim::Inbox().lock);
    sim::Inbox().idleScript = std::move(script);
}

void SetKeyDown(int virtualKey, bool down)
{
    std::lock_guard<std::mutex> guard(sim::g_keyLock);
    if (down) {
        sim::g_keysDown.insert(virtualKey);
    } else {
        sim::g_keysDown.erase(virtualKey);
    }
}

}  // namespace nirasim
