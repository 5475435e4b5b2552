// The library's process-wide state: its module handle (dialog templates, the warning pictures)
// and the handles of the latest job storage and modeless manual two-sided dialog threads, which
// the library closes when a thread detaches and when the process detaches.
#pragma once

#include <windows.h>

enum class DialogThreadSlot { JobStorage, ManualDuplex };

HMODULE NiraEvtModule();
void SetNiraEvtModule(HMODULE module);

// Runs `routine` on a new thread (default security and stack size) and keeps its handle in the
// slot, closing the handle it replaces. FALSE when the thread cannot be started.
BOOL StartDialogThread(DialogThreadSlot slot, LPTHREAD_START_ROUTINE routine, LPVOID argument);
// Closes and clears both slots' handles.
void CloseDialogThreadHandles();
// The handle in a slot (null when none); for tests that wait for a dialog thread.
HANDLE DialogThreadHandle(DialogThreadSlot slot);
