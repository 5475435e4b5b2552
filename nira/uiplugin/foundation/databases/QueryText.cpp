#include "nira/uiplugin/foundation/databases/QueryText.h"

#include <strsafe.h>

namespace {
constexpr CHAR kQuote = '"';
constexpr size_t kNumberTextSize = 16;
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
    AppendChar(kQuote);
    for (; value != nullptr && *value != '\0'; ++value) {
        if (*value == kQuote && !AppendChar(kQuote)) {
            break;
        }
        if (!AppendChar(*value)) {
            break;
        }
    }
    AppendChar(kQuote);
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
    CHAR number[kNumberTextSize];
    if (FAILED(StringCchPrintfA(number, kNumberTextSize, "%u", value))) {
        m_complete = FALSE;
        return *this;
    }
    return AppendQuoted(number);
}

CNiraQueryText& CNiraQueryText::AppendQuotedSigned(INT value)
{
    CHAR number[kNumberTextSize];
    if (FAILED(StringCchPrintfA(number, kNumberTextSize, "%d", value))) {
        m_complete = FALSE;
        return *this;
    }
    return AppendQuoted(number);
}
