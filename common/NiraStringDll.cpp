#include "common/NiraStringDll.h"

#include "common/NiraException.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"
#include "common/StringResource.h"

#include <new>

namespace {

CNiraStringDll* g_stringDll = nullptr;
ULONG g_stringDllReferences = 0;

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
    LPCWSTR block = StringBlockName(*id);
    if (block == nullptr) {
        return NIRA_STATUS_FAILED;  // the 16-bit block number would wrap to 0
    }
    HRSRC found = FindResourceExW(m_module, RT_STRING, block, m_language);
    if (found == nullptr && GetLastError() == ERROR_RESOURCE_LANG_NOT_FOUND) {
        SelectLanguage();
        found = FindResourceExW(m_module, RT_STRING, block, m_language);
    }
    const WCHAR* text = nullptr;
    WORD length = 0;
    if (found == nullptr || !ReadStringEntry(m_module, found, *id, &text, &length) || length == 0) {
        return NIRA_STATUS_FAILED;
    }
    const DWORD capacity = *size;
    *size = length;
    if (out == nullptr || capacity == 0) {
        return NIRA_STATUS_FAILED;
    }
    const DWORD copied = length < capacity - 1 ? length : capacity - 1;
    CopyMemory(out, text, copied * sizeof(WCHAR));
    out[copied] = 0;
    return NIRA_STATUS_OK;
}

void CNiraStringDll::SelectLanguage()
{
    m_language = ChooseStringLanguage(m_module, m_uiLanguage, m_language);
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
