// Texts by string id from a module's string tables (RT_STRING blocks of 16 counted strings),
// looked up in the library's process-wide string language with a fallback to a language of the
// module that shares the wanted primary language, else US English.
#pragma once

#include <windows.h>

// The language string lookups use; each library that compiles this file has its own.
LANGID GetStringLanguage();
void SetStringLanguage(LANGID language);

// Copies the text of `id` into buffer (at most capacity - 1 characters, terminated) and answers
// the text's length in the resource, which can exceed what was copied; 0 when there is no text.
// When the block exists but not in the string language, the language is chosen again
// (ChooseStringLanguage) and kept for later lookups.
int LoadStringResource(HMODULE module, UINT id, LPWSTR buffer, int capacity);

// The first language of the module's first string block whose primary language is that of
// `wanted`, else 1033; `current` when the module has no string block.
LANGID ChooseStringLanguage(HMODULE module, LANGID wanted, LANGID current);

// The counted string of entry id % 16 in the string block of `id` found as `block`: its
// characters and length (0 for an empty entry). FALSE when the block cannot be read or an entry
// runs past its end.
BOOL ReadStringEntry(HMODULE module, HRSRC block, UINT id, const WCHAR** text, WORD* length);

// The resource name of the string block that holds `id` (id / 16 + 1); null when the block
// number does not fit in 16 bits.
LPCWSTR StringBlockName(UINT id);
