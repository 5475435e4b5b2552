// nirapres's library entry: its module handle, kept from process attach to process detach; the
// help provider goes with the process. The UI plug-in makes one presentation instance per frame
// with CreateInstance and frees it with FreeInstance.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/PresentationIntf.h"

// nirapres's own module handle; null outside process attach and detach.
HMODULE GetPresentationModule();

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

// A new presentation controller, or null when memory runs out; the argument is not used.
extern "C" __declspec(dllexport) INiraPresentationIntf* WINAPI CreateInstance(int kind);
// Deletes an instance CreateInstance made (nothing for null); answers 0.
extern "C" __declspec(dllexport) int WINAPI FreeInstance(INiraPresentationIntf* instance);
