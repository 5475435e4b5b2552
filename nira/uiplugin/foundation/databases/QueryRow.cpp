#include "nira/uiplugin/foundation/databases/QueryRow.h"

#include <climits>
#include <cstdlib>

INT ReadColumnInt(int columnCount, char** values, int index)
{
    LPCSTR text = ReadColumnText(columnCount, values, index);
    if (text == nullptr) {
        return 0;
    }
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<INT>(value);
}

LPCSTR ReadColumnText(int columnCount, char** values, int index)
{
    if (values == nullptr || index < 0 || index >= columnCount) {
        return nullptr;
    }
    return values[index];
}

BOOL DuplicateColumnText(int columnCount, char** values, int index, LPWSTR* wide)
{
    *wide = nullptr;
    LPCSTR text = ReadColumnText(columnCount, values, index);
    if (text == nullptr) {
        return TRUE;
    }
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return FALSE;
    }
    LPWSTR copy = static_cast<LPWSTR>(LocalAlloc(LPTR, static_cast<SIZE_T>(length) * sizeof(WCHAR)));
    if (copy == nullptr) {
        return FALSE;
    }
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, copy, length) == 0) {
        LocalFree(copy);
        return FALSE;
    }
    *wide = copy;
    return TRUE;
}

CNiraColumnWideText::CNiraColumnWideText(int columnCount, char** values, int index)
    : m_allocated(nullptr), m_text(nullptr), m_failed(false)
{
    LPCSTR text = ReadColumnText(columnCount, values, index);
    if (text == nullptr) {
        return;
    }
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, m_inline, kInlineChars) > 0) {
        m_text = m_inline;
        return;
    }
    m_failed = !DuplicateColumnText(columnCount, values, index, &m_allocated);  // longer than the room here
    m_text = m_allocated;
}

CNiraColumnWideText::~CNiraColumnWideText()
{
    if (m_allocated != nullptr) {
        LocalFree(m_allocated);
    }
}

BOOL CopyColumnText(int columnCount, char** values, int index, LPWSTR buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0) {
        return TRUE;
    }
    buffer[0] = 0;
    LPWSTR wide = nullptr;
    if (!DuplicateColumnText(columnCount, values, index, &wide)) {
        return FALSE;
    }
    if (wide == nullptr) {
        return TRUE;
    }
    int i = 0;
    for (; i < capacity - 1 && wide[i] != 0; ++i) {
        buffer[i] = wide[i];
    }
    buffer[i] = 0;
    LocalFree(wide);
    return TRUE;
}

int StoreFirstColumn(void* argument, int columnCount, char** values, char**)
{
    if (argument != nullptr && columnCount > 0) {
        *static_cast<INT*>(argument) = ReadColumnInt(columnCount, values, 0);
    }
    return 0;
}

CNiraIdCollector::CNiraIdCollector(INT capacity)
    : m_ids(capacity > 0 ? static_cast<INT*>(LocalAlloc(LPTR, static_cast<SIZE_T>(capacity) * sizeof(INT)))
                         : nullptr),
      m_capacity(m_ids != nullptr ? capacity : 0),
      m_count(0)
{}

CNiraIdCollector::~CNiraIdCollector()
{
    if (m_ids != nullptr) {
        LocalFree(m_ids);
    }
}

int CNiraIdCollector::OnRow(void* argument, int columnCount, char** values, char**)
{
    auto* self = static_cast<CNiraIdCollector*>(argument);
    if (self->m_count < self->m_capacity && columnCount > 0) {
        self->m_ids[self->m_count++] = ReadColumnInt(columnCount, values, 0);
    }
    return 0;
}

INT* CNiraIdCollector::Detach()
{
    INT* ids = m_ids;
    m_ids = nullptr;
    m_capacity = 0;
    return ids;
}
