#include "common/NiraStringDll.h"

#include "common/NiraException.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"

#include <new>

namespace {

constexpr UINT kStringsPerBlock = 16;
constexpr UINT kBlockLimit = 0x10000;  // block numbers are 16-bit
constexpr WORD kUsEnglish = 1033;
const WCHAR kStringTypeName[] = TEXT("RT_STRING");

CNiraStringDll* g_stringDll = nullptr;
ULONG g_stringDllReferences = 0;

bool IsStringType(LPCWSTR type)
{
    return IS_INTRESOURCE(type) ? type == RT_STRING : _wcsicmp(type, kStringTypeName) == 0;
}

}  // namespace

void CNiraStringDll::CheckLayout()
{
    static_assert(offsetof(CNiraStringDll, m_language) == 0 && offsetof(CNiraStringDll, m_uiLanguage) == 2 &&
                      offsetof(CNiraStringDll, m_module) == sizeof(void*) &&
                      sizeof(CNiraStringDll) == 2 * sizeof(void*),
                  "CNiraStringDll record layout shared with the presentation library");
}

CNiraStringDll::CNiraStringDll(LPCWSTR path) : m_language(0), m_uiLanguage(0), m_module(nullptr)
{
    LANGID language = 0;
    GetUserUILanguage(&language);
    m_language = language;
    m_uiLanguage = language;
    if (path != nullptr) {
        m_module = LoadLibraryExW(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    }
}

CNiraStringDll::~CNiraStringDll()
{
    if (m_module != nullptr) {
        FreeLibrary(m_module);
        m_module = nullptr;
    }
}

LONG CNiraStringDll::GetString(const UINT* id, LPWSTR out, DWORD size, DWORD* outLength)
{
    if (id == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (*id == 0) {
        if (out != nullptr && size > 0) {
            out[0] = 0;
        }
        return NIRA_STATUS_OK;
    }
    DWORD length = size;
    LONG result = FindString(id, out, &length);
    if (result != NIRA_STATUS_OK && outLength != nullptr) {
        *outLength = length;
    }
    return result;
}

LONG CNiraStringDll::FindString(const UINT* id, LPWSTR out, DWORD* size)
{
    if (id == nullptr || size == nullptr || m_module == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    UINT blockNumber = *id / kStringsPerBlock + 1;
    if (blockNumber >= kBlockLimit) {
        return NIRA_STATUS_FAILED;  // the 16-bit block number would wrap to 0
    }
    LPCWSTR block = MAKEINTRESOURCEW(blockNumber);
    HRSRC found = FindResourceExW(m_module, RT_STRING, block, m_language);
    if (found == nullptr && GetLastError() == ERROR_RESOURCE_LANG_NOT_FOUND) {
        SelectLanguage();
        found = FindResourceExW(m_module, RT_STRING, block, m_language);
    }
    if (found == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(m_module, found)));
    const size_t available = SizeofResource(m_module, found) / sizeof(WORD);
    if (words == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // Walk the counted entries; one that runs past the block ends the walk.
    size_t at = 0;
    for (UINT entry = 0; entry < *id % kStringsPerBlock; ++entry) {
        if (at >= available) {
            return NIRA_STATUS_FAILED;
        }
        at += 1 + static_cast<size_t>(words[at]);
    }
    if (at >= available || words[at] == 0 || at + 1 + words[at] > available) {
        return NIRA_STATUS_FAILED;
    }
    const DWORD capacity = *size;
    const DWORD length = words[at];
    *size = length;
    if (out == nullptr || capacity == 0) {
        return NIRA_STATUS_FAILED;
    }
    const DWORD copied = length < capacity - 1 ? length : capacity - 1;
    CopyMemory(out, words + at + 1, copied * sizeof(WCHAR));
    out[copied] = 0;
    return NIRA_STATUS_OK;
}

void CNiraStringDll::SelectLanguage()
{
    if (m_module != nullptr) {
        EnumResourceTypesW(m_module, OnResourceType, reinterpret_cast<LONG_PTR>(this));
    }
}

BOOL CALLBACK CNiraStringDll::OnResourceType(HMODULE module, LPWSTR type, LONG_PTR self)
{
    if (!IsStringType(type)) {
        return TRUE;
    }
    EnumResourceNamesW(module, type, OnResourceName, self);
    return FALSE;  // only the string tables matter
}

BOOL CALLBACK CNiraStringDll::OnResourceName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR self)
{
    EnumResourceLanguagesW(module, type, name, OnResourceLanguage, self);
    return FALSE;  // the first block decides
}

BOOL CALLBACK CNiraStringDll::OnResourceLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR self)
{
    CNiraStringDll* strings = reinterpret_cast<CNiraStringDll*>(self);
    if (PRIMARYLANGID(language) == PRIMARYLANGID(strings->m_uiLanguage)) {
        strings->m_language = language;
        return FALSE;
    }
    strings->m_language = kUsEnglish;
    return TRUE;
}

CNiraStringDll* AcquireStringDll(LPCWSTR path)
{
    if (g_stringDll == nullptr) {
        try {
            g_stringDll = new (std::nothrow) CNiraStringDll(path);
        } catch (const CNiraException&) {
            g_stringDll = nullptr;
        }
        if (g_stringDll == nullptr) {
            return nullptr;
        }
    }
    ++g_stringDllReferences;
    return g_stringDll;
}

LONG GetStringDll(CNiraStringDll** out)
{
    if (g_stringDll == nullptr || g_stringDllReferences == 0 || out == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *out = g_stringDll;
    return NIRA_STATUS_OK;
}

void ReleaseStringDll()
{
    if (g_stringDllReferences > 0) {
        --g_stringDllReferences;
    }
    if (g_stringDll != nullptr && g_stringDllReferences == 0) {
        delete g_stringDll;
        g_stringDll = nullptr;
        OutputDebugStringW(TEXT("String Dll freed"));
    }
}
