#include "printpreviewer/PreviewTexts.h"

#include <strsafe.h>

#include "common/StringResource.h"

namespace {

constexpr int kLongestDriverText = 256;  // 255 characters and the terminator

struct OwnText {
    UINT id;
    LPCWSTR english;
};

const OwnText kOwnTexts[] = {
    {kTextPreviewCaption, TEXT("zq preview")},
    {kTextSaveTitle, TEXT("Save Page %d to Bitmap (%d dpi)")},
    {kTextImageFiles, TEXT("Image Files")},
};

HMODULE g_stringLibrary = nullptr;

}  // namespace

void LoadPreviewText(HMODULE module, UINT id, LPWSTR buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0) {
        return;
    }
    if (module != nullptr && LoadStringW(module, id, buffer, capacity) > 0) {
        return;
    }
    buffer[0] = 0;
    for (const OwnText& text : kOwnTexts) {
        if (text.id == id) {
            StringCchCopyW(buffer, static_cast<size_t>(capacity), text.english);
        }
    }
}

void LoadStringLibrary(LPCWSTR path)
{
    if (g_stringLibrary == nullptr && path != nullptr) {
        g_stringLibrary = LoadLibraryExW(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    }
}

HMODULE StringLibrary()
{
    return g_stringLibrary;
}

int LoadDriverText(UINT id, LPWSTR buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    buffer[0] = 0;
    if (g_stringLibrary == nullptr) {
        return 0;
    }
    SetStringLanguage(GetUserDefaultUILanguage());
    return LoadStringResource(g_stringLibrary, id, buffer,
                              capacity < kLongestDriverText ? capacity : kLongestDriverText);
}

void LoadDriverTextOr(UINT id, LPCWSTR fallback, LPWSTR buffer, int capacity)
{
    if (LoadDriverText(id, buffer, capacity) == 0 && buffer != nullptr && capacity > 0) {
        StringCchCopyW(buffer, static_cast<size_t>(capacity), fallback);
    }
}
