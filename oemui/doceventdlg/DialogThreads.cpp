#include "oemui/doceventdlg/DialogThreads.h"

#include <atomic>

namespace {

HMODULE g_module = nullptr;
constexpr int kSlotCount = 2;
// Swapped atomically: a thread detach may close a slot while an entry point fills it.
std::atomic<HANDLE> g_slots[kSlotCount] = {};

std::atomic<HANDLE>& Slot(DialogThreadSlot slot)
{
    return g_slots[slot == DialogThreadSlot::JobStorage ? 0 : 1];
}

}  // namespace

HMODULE NiraEvtModule()
{
    return g_module;
}

void SetNiraEvtModule(HMODULE module)
{
    g_module = module;
}

BOOL StartDialogThread(DialogThreadSlot slot, LPTHREAD_START_ROUTINE routine, LPVOID argument)
{
    HANDLE thread = CreateThread(nullptr, 0, routine, argument, 0, nullptr);
    if (thread == nullptr) {
        return FALSE;
    }
    HANDLE earlier = Slot(slot).exchange(thread);
    if (earlier != nullptr) {
        CloseHandle(earlier);
    }
    return TRUE;
}

void CloseDialogThreadHandles()
{
    for (auto& slot : g_slots) {
        HANDLE thread = slot.exchange(nullptr);
        if (thread != nullptr) {
            CloseHandle(thread);
        }
    }
}

HANDLE DialogThreadHandle(DialogThreadSlot slot)
{
    return Slot(slot).load();
}
