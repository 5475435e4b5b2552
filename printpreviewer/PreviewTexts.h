// The preview's texts: its own string table (captions of the save command), and the driver's
// string-resource library, loaded once per process for its resources only and never freed.
#pragma once

#include <windows.h>

// Ids of the preview library's own string table.
constexpr UINT kTextPreviewCaption = 11;
constexpr UINT kTextSaveTitle = 16;
constexpr UINT kTextImageFiles = 17;

// A text of the preview library's own table; its English text when the table lacks it.
void LoadPreviewText(HMODULE module, UINT id, LPWSTR buffer, int capacity);

// Loads the string-resource library at `path` unless this process has it already.
void LoadStringLibrary(LPCWSTR path);
HMODULE StringLibrary();
// A text of the string-resource library in the user's UI language (at most 255 characters,
// whatever the capacity); its length in the library, 0 when there is none.
int LoadDriverText(UINT id, LPWSTR buffer, int capacity);
// A text of the string-resource library, or `fallback` when the library lacks it.
void LoadDriverTextOr(UINT id, LPCWSTR fallback, LPWSTR buffer, int capacity);
