#include "nira/uiplugin/foundation/databases/QueryText.h"

#include <strsafe.h>

namespace {
constexpr CHAR QUOTE = '"';
constexpr size_t NUMBER_TEXT_SIZE = 16;
}  // namespace

CNiraQueryText::CNiraQueryText(size_t capacity)
    : m_text(static_cast<LPSTR>(LocalAlloc(LPTR, capacity))),
      m_capacity(capacity),
      m_length(0),
      m_complete(TRUE)
{}

CNiraQueryText::~CNiraQueryText()
{
    if (m_text != nullptr) {
        LocalFree(m_text);
    }
}

BOOL CNiraQueryText::AppendChar(CHAR c)
{
    // One byte stays free for the terminator.
    if (!m_complete || m_text == nullptr || m_length + 1 >= m_capacity) {
        m_complete = FALSE;
        return FALSE;
    }
    m_text[m_length++] = c;
    m_text[m_length] = '\0';
    return TRUE;
}

CNiraQueryText& CNiraQueryText::Append(LPCSTR text)
{
    if (text == nullptr) {
        return *this;
    }
    for (; *text != '\0'; ++text) {
        if (!AppendChar(*text)) {
            break;
        }
    }
    return *this;
}

CNiraQueryText& CNiraQueryText::AppendQuoted(LPCSTR value)
{
    AppendChar(QUOTE);
    for (; value != nullptr && *value != '\0'; ++value) {
        if (*value == QUOTE && !AppendChar(QUOTE)) {
            break;
        }
        if (!AppendChar(*value)) {
            break;
        }
    }
    AppendChar(QUOTE);
    return *this;
}

CNiraQueryText& CNiraQueryText::AppendQuotedName(LPCWSTR name)
{
    CHAR narrow[MAX_PATH] = {};
    if (name != nullptr && name[0] != 0 &&
        WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, MAX_PATH, nullptr, nullptr) == 0) {
        // A name that does not convert (or does not fit) would select the wrong row.
        m_complete = FALSE;
        return *this;
    }
    return AppendQuoted(narrow);
}

CNiraQueryText& CNiraQueryText::AppendQuotedUnsigned(UINT value)
{
    CHAR number[NUMBER_TEXT_SIZE];
    if (FAILED(StringCchPrintfA(number, NUMBER_TEXT_SIZE, "%u", value))) {
        m_complete = FALSE;
        return *this;
    }
    return AppendQuoted(number);
}

CNiraQueryText& CNiraQueryText::AppendQuotedSigned(INT value)
{
    CHAR number[NUMBER_TEXT_SIZE];
    if (FAILED(StringCchPrintfA(number, NUMBER_TEXT_SIZE, "%d", value))) {
        m_complete = FALSE;
        return *this;
    }
    return AppendQuoted(number);
}
