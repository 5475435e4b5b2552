// Small readers of the core driver's option items, shared by the adapter's operations.
#pragma once

#include <windows.h>

#include <printoem.h>

// The option or item text is a text, not a resource id (a value below 256).
bool IsOptionText(LPCWSTR text);
// The item has an option at index.
bool HasOption(const OPTITEM& item, LONG index);
// The ANSI feature keyword of a core-driver item; null when it names none.
LPCSTR ItemKeyword(const OPTITEM& item);
// A new[] copy of the text: 0, or kPropsheetNoMemory.
LONG CopyAdapterText(LPCWSTR text, WCHAR** copy);
