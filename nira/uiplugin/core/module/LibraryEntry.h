// nirauip's library entry: its module handle, kept from process attach to process detach.
#pragma once

#include <windows.h>

// nirauip's own module handle; null outside process attach and detach.
HMODULE GetLibraryModule();

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
