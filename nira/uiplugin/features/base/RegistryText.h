// Text values of the registry as the handlers read them: bounded, and always terminated, also when
// the stored value lacks its terminator.
#pragma once

#include <windows.h>

#include "common/ScopedResources.h"

// At most chars - 1 characters of the value into text; false (text emptied) when it cannot be read
// or does not fit.
bool ReadRegistryText(HKEY key, LPCWSTR name, LPWSTR text, DWORD chars);
// The whole value, its size asked first, in a LocalAlloc buffer; false when it cannot be read.
bool ReadRegistryText(HKEY key, LPCWSTR name, CNiraLocalBuffer<WCHAR>& text);
