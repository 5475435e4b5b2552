// nirauip's exported factory of settings objects.
#pragma once

#include <windows.h>

// Stores a new object implementing the interface interfaceId names in out and answers 1; answers
// 0 for a null out, a GUID that is not one of the library's own, or when memory runs out (out is
// then null). The object belongs to the caller, who frees it through its own Release.
extern "C" __declspec(dllexport) BOOLEAN CreateSettingsInstance(const GUID* interfaceId, void** out);
