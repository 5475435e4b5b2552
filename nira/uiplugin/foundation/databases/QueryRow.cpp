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

LPWSTR DuplicateColumnText(int columnCount, char** values, int index)
{
    LPCSTR text = ReadColumnText(columnCount, values, index);
    if (text == nullptr) {
        return nullptr;
    }
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return nullptr;
    }
    LPWSTR wide = static_cast<LPWSTR>(LocalAlloc(LPTR, static_cast<SIZE_T>(length) * sizeof(WCHAR)));
    if (wide == nullptr) {
        return nullptr;
    }
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, length) == 0) {
        LocalFree(wide);
        return nullptr;
    }
    return wide;
}

CNiraColumnWideText::CNiraColumnWideText(int columnCount, char** values, int index)
    : m_allocated(nullptr), m_text(nullptr)
{
    LPCSTR text = ReadColumnText(columnCount, values, index);
    if (text == nullptr) {
        return;
    }
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, m_inline, kInlineChars) > 0) {
        m_text = m_inline;
        return;
    }
    m_allocated = DuplicateColumnText(columnCount, values, index);  // longer than the room here
    m_text = m_allocated;
}

CNiraColumnWideText::~CNiraColumnWideText()
{
    if (m_allocated != nullptr) {
        LocalFree(m_allocated);
    }
}

void CopyColumnText(int columnCount, char** values, int index, LPWSTR buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0) {
        return;
    }
    buffer[0] = 0;
    LPWSTR wide = DuplicateColumnText(columnCount, values, index);
    if (wide == nullptr) {
        return;
    }
    int i = 0;
    for (; i < capacity - 1 && wide[i] != 0; ++i) {
        buffer[i] = wide[i];
    }
    buffer[i] = 0;
    LocalFree(wide);
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
