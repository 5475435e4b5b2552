#include "common/StringResource.h"

namespace {

constexpr UINT kStringsPerBlock = 16;
constexpr UINT kBlockLimit = 0x10000;  // block numbers are 16-bit
constexpr LANGID kUsEnglish = 1033;
const WCHAR kStringTypeName[] = TEXT("RT_STRING");

LANGID g_stringLanguage = 0;

struct LanguageChoice {
    LANGID wanted;
    LANGID chosen;
};

bool IsStringType(LPCWSTR type)
{
    return IS_INTRESOURCE(type) ? type == RT_STRING : _wcsicmp(type, kStringTypeName) == 0;
}

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    LanguageChoice* choice = reinterpret_cast<LanguageChoice*>(param);
    if (PRIMARYLANGID(language) == PRIMARYLANGID(choice->wanted)) {
        choice->chosen = language;
        return FALSE;
    }
    choice->chosen = kUsEnglish;
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return FALSE;  // the first block decides
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    if (!IsStringType(type)) {
        return TRUE;
    }
    EnumResourceNamesW(module, type, OnName, param);
    return FALSE;  // only the string tables matter
}

}  // namespace

LANGID GetStringLanguage()
{
    return g_stringLanguage;
}

void SetStringLanguage(LANGID language)
{
    g_stringLanguage = language;
}

LANGID ChooseStringLanguage(HMODULE module, LANGID wanted, LANGID current)
{
    LanguageChoice choice{wanted, current};
    if (module != nullptr) {
        EnumResourceTypesW(module, OnType, reinterpret_cast<LONG_PTR>(&choice));
    }
    return choice.chosen;
}

LPCWSTR StringBlockName(UINT id)
{
    const UINT block = id / kStringsPerBlock + 1;
    return block < kBlockLimit ? MAKEINTRESOURCEW(block) : nullptr;
}

BOOL ReadStringEntry(HMODULE module, HRSRC block, UINT id, const WCHAR** text, WORD* length)
{
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(module, block)));
    if (words == nullptr) {
        return FALSE;
    }
    const size_t available = SizeofResource(module, block) / sizeof(WORD);
    size_t at = 0;
    for (UINT entry = 0; entry < id % kStringsPerBlock; ++entry) {
        if (at >= available) {
            return FALSE;
        }
        at += 1 + static_cast<size_t>(words[at]);
    }
    if (at >= available || at + 1 + words[at] > available) {
        return FALSE;
    }
    *text = reinterpret_cast<const WCHAR*>(words + at + 1);
    *length = words[at];
    return TRUE;
}

int LoadStringResource(HMODULE module, UINT id, LPWSTR buffer, int capacity)
{
    LPCWSTR blockName = StringBlockName(id);
    if (module == nullptr || blockName == nullptr) {
        return 0;
    }
    HRSRC block = FindResourceExW(module, RT_STRING, blockName, g_stringLanguage);
    if (block == nullptr && GetLastError() == ERROR_RESOURCE_LANG_NOT_FOUND) {
        g_stringLanguage = ChooseStringLanguage(module, g_stringLanguage, g_stringLanguage);
        block = FindResourceExW(module, RT_STRING, blockName, g_stringLanguage);
    }
    const WCHAR* text = nullptr;
    WORD length = 0;
    if (block == nullptr || !ReadStringEntry(module, block, id, &text, &length) || length == 0) {
        return 0;
    }
    if (buffer != nullptr && capacity > 0) {
        const int copied = length < capacity - 1 ? length : capacity - 1;
        CopyMemory(buffer, text, copied * sizeof(WCHAR));
        buffer[copied] = 0;
    }
    return length;
}
