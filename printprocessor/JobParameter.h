// The spooler's job parameter text: entries "name=value" separated by ";".
#pragma once

#include <windows.h>

// Looks a key up (compared over the key's length, A to Z without case) and reads its decimal
// value, which counts only when a ";" follows it directly. size is an in/out size word that
// must be at least 4. Answers 0 when found (size left as it was); 87 for a missing argument,
// 122 for a size below 4 and 232 when the key is not found (size set to 0 in all three).
DWORD ReadJobParameter(LPCWSTR text, LPCWSTR key, WORD* size, DWORD* value);
