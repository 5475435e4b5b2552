// nirapres's library entry: its module handle, kept from process attach to process detach; the
// help provider goes with the process.
#pragma once

#include <windows.h>

// nirapres's own module handle; null outside process attach and detach.
HMODULE GetPresentationModule();

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
