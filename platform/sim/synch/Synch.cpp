// Synchronisation on real threads: critical sections, events, mutexes, threads and waits.
// Time is the machine's clock: Sleep moves it forward, and a timed wait that is not satisfied
// within a short real slice moves it to the wait's end and times out, so long polls cost no
// real time. A Sleep still gives up the processor for a sliver of real time, a thousandth of what
// it asked for (at most a millisecond), so that a thread polling in a loop leaves its peers the
// time the poll was meant for instead of spinning against them.
#include "synch/StartedThreads.h"
#include "core/Failures.h"
#include "core/Handles.h"
#include "process/Clock.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nirasim::sim {
namespace {

constexpr auto kRealWaitSlice = std::chrono::milliseconds(20);
constexpr DWORD kRealSleepCap = 1000;  // microseconds

// One lock and condition for every wait: simple and free of lost wake-ups.
std::mutex& WaitLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::condition_variable& WaitChanged()
{
    static auto* changed = new std::condition_variable;
    return *changed;
}

class EventObject : public KernelObject {
public:
    EventObject(bool manualReset, bool signaled) : manualReset(manualReset), signaled(signaled) {}
    bool IsWaitable() const override { return true; }
    bool IsSignaled() const override { return signaled; }
    void Consume() override
    {
        if (!manualReset) {
            signaled = false;
        }
    }
    bool manualReset;
    bool signaled;
};

class MutexObject : public KernelObject {
public:
    bool IsWaitable() const override { return true; }
    bool IsSignaled() const override { return count == 0 || owner == std::this_thread::get_id(); }
    void Consume() override
    {
        owner = std::this_thread::get_id();
        ++count;
    }
    std::thread::id owner;
    int count = 0;
};

class ThreadObject : public KernelObject {
public:
    bool IsWaitable() const override { return true; }
    bool IsSignaled() const override { return finished; }
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
};

// Named events by name (names are case-sensitive, as kernel object names are); an event lives
// while a handle to it is open.
std::map<std::u16string, std::weak_ptr<EventObject>>& NamedEvents()
{
    static auto* events = new std::map<std::u16string, std::weak_ptr<EventObject>>;
    return *events;
}

std::shared_ptr<EventObject> FindNamedEvent(const char16_t* name)
{
    auto found = NamedEvents().find(name);
    return found == NamedEvents().end() ? nullptr : found->second.lock();
}

std::recursive_mutex* LockOf(LPCRITICAL_SECTION section)
{
    return static_cast<std::recursive_mutex*>(section->DebugInfo);
}

void Notify()
{
    WaitChanged().notify_all();
}

DWORD Wait(const std::vector<std::shared_ptr<KernelObject>>& objects, bool all, DWORD milliseconds)
{
    std::unique_lock<std::mutex> hold(WaitLock());
    auto ready = [&]() -> int {
        if (all) {
            for (const auto& object : objects) {
                if (!object->IsSignaled()) {
                    return -1;
                }
            }
            for (const auto& object : objects) {
                object->Consume();
            }
            return 0;
        }
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i]->IsSignaled()) {
                objects[i]->Consume();
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    int index = ready();
    if (index < 0 && milliseconds == INFINITE) {
        WaitChanged().wait(hold, [&] { return (index = ready()) >= 0; });
    } else if (index < 0 && milliseconds > 0) {
        WaitChanged().wait_for(hold, kRealWaitSlice, [&] { return (index = ready()) >= 0; });
        if (index < 0) {
            AdvanceClock(milliseconds);
        }
    }
    return index < 0 ? WAIT_TIMEOUT : WAIT_OBJECT_0 + static_cast<DWORD>(index);
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    *lpCriticalSection = CRITICAL_SECTION{};
    lpCriticalSection->DebugInfo = new std::recursive_mutex;
}

BOOL WINAPI InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD)
{
    InitializeCriticalSection(lpCriticalSection);
    return TRUE;
}

void WINAPI EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    LockOf(lpCriticalSection)->lock();
}

BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    return LockOf(lpCriticalSection)->try_lock() ? TRUE : FALSE;
}

void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    LockOf(lpCriticalSection)->unlock();
}

void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    delete LockOf(lpCriticalSection);
    lpCriticalSection->DebugInfo = nullptr;
}

HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCWSTR lpName)
{
    auto event = std::make_shared<EventObject>(bManualReset != FALSE, bInitialState != FALSE);
    if (lpName == nullptr || *lpName == 0) {
        return AddHandle(event);
    }
    std::lock_guard<std::mutex> hold(WaitLock());
    if (auto existing = FindNamedEvent(lpName)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return AddHandle(existing);
    }
    NamedEvents()[lpName] = event;
    SetLastError(ERROR_SUCCESS);
    return AddHandle(event);
}

HANDLE WINAPI OpenEventW(DWORD, BOOL, LPCWSTR lpName)
{
    if (lpName == nullptr || *lpName == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(WaitLock());
    auto existing = FindNamedEvent(lpName);
    if (!existing) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return AddHandle(existing);
}

static BOOL ChangeEvent(HANDLE hEvent, bool signaled)
{
    auto event = LookUpHandleAs<EventObject>(hEvent);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> hold(WaitLock());
        event->signaled = signaled;
    }
    Notify();
    return TRUE;
}

BOOL WINAPI SetEvent(HANDLE hEvent)
{
    return ChangeEvent(hEvent, true);
}

BOOL WINAPI ResetEvent(HANDLE hEvent)
{
    return ChangeEvent(hEvent, false);
}

HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCWSTR)
{
    auto mutex = std::make_shared<MutexObject>();
    if (bInitialOwner) {
        mutex->Consume();
    }
    return AddHandle(mutex);
}

BOOL WINAPI ReleaseMutex(HANDLE hMutex)
{
    auto mutex = LookUpHandleAs<MutexObject>(hMutex);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> hold(WaitLock());
        if (mutex->count == 0 || mutex->owner != std::this_thread::get_id()) {
            SetLastError(ERROR_NOT_OWNER);
            return FALSE;
        }
        if (--mutex->count == 0) {
            mutex->owner = std::thread::id();
        }
    }
    Notify();
    return TRUE;
}

DWORD WINAPI WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                                    DWORD dwMilliseconds)
{
    if (nCount == 0 || lpHandles == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<KernelObject>> objects;
    for (DWORD i = 0; i < nCount; ++i) {
        auto object = LookUpHandle(lpHandles[i]);
        if (!object || !object->IsWaitable()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(object);
    }
    return Wait(objects, bWaitAll != FALSE, dwMilliseconds);
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}

namespace nirasim::sim {

thread_local ULONGLONG t_slept = 0;

ULONGLONG SleptOnThisThread()
{
    return t_slept;
}

}  // namespace nirasim::sim

void WINAPI Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds != INFINITE) {
        AdvanceClock(dwMilliseconds);
        nirasim::sim::t_slept += dwMilliseconds;
    }
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    const DWORD micros = dwMilliseconds < kRealSleepCap ? dwMilliseconds : kRealSleepCap;
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress,
                           LPVOID lpParameter, DWORD, LPDWORD lpThreadId)
{
    NIRASIM_FAIL_IF_INJECTED("CreateThread", nullptr);
    if (lpStartAddress == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<ThreadObject>();
    static std::atomic<DWORD> nextId{0x100};
    DWORD id = nextId += 4;
    std::thread::id creator = std::this_thread::get_id();
    NoteThreadStarted(creator);
    std::thread([thread, lpStartAddress, lpParameter, creator] {
        DWORD code = lpStartAddress(lpParameter);
        NoteThreadEnded(creator);
        {
            std::lock_guard<std::mutex> hold(WaitLock());
            thread->exitCode = code;
            thread->finished = true;
        }
        Notify();
    }).detach();
    if (lpThreadId != nullptr) {
        *lpThreadId = id;
    }
    return AddHandle(thread);
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto thread = LookUpHandleAs<ThreadObject>(hThread);
    if (!thread || lpExitCode == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard<std::mutex> hold(WaitLock());
    *lpExitCode = thread->exitCode;
    return TRUE;
}

LPVOID WINAPI VirtualAlloc(LPVOID lpAddress, SIZE_T dwSize, DWORD flAllocationType, DWORD)
{
    if (lpAddress != nullptr || dwSize == 0 || !(flAllocationType & (MEM_COMMIT | MEM_RESERVE))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* block = calloc(1, dwSize);
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return block;
}

BOOL WINAPI VirtualFree(LPVOID lpAddress, SIZE_T dwSize, DWORD dwFreeType)
{
    if (lpAddress == nullptr || dwFreeType != MEM_RELEASE || dwSize != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    free(lpAddress);
    return TRUE;
}
