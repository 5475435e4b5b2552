// A narrow SQL statement built in a fixed buffer from literal text and quoted values.
#pragma once

#include <windows.h>

#include <cstddef>

// Buffer sizes the database readers build their statements in.
constexpr size_t kQueryTextSize = 600;
constexpr size_t kShortQueryTextSize = 300;

// A value is pasted between double quotes with every '"' inside it doubled, so no value can end
// its literal early and change the statement. A piece that does not fit marks the text
// incomplete; an incomplete statement must never be run (IsComplete says so).
class CNiraQueryText {
public:
    explicit CNiraQueryText(size_t capacity = kQueryTextSize);
    ~CNiraQueryText();
    CNiraQueryText(const CNiraQueryText&) = delete;
    CNiraQueryText& operator=(const CNiraQueryText&) = delete;

    CNiraQueryText& Append(LPCSTR text);
    CNiraQueryText& AppendQuoted(LPCSTR value);
    // The name converted to the ANSI code page (at most MAX_PATH bytes) and quoted.
    CNiraQueryText& AppendQuotedName(LPCWSTR name);
    CNiraQueryText& AppendQuotedUnsigned(UINT value);
    CNiraQueryText& AppendQuotedSigned(INT value);

    // True while every piece fitted (and the buffer could be allocated).
    BOOL IsComplete() const { return m_text != nullptr && m_complete; }
    LPCSTR Text() const { return m_text; }
    size_t Length() const { return m_length; }

private:
    BOOL AppendChar(CHAR c);

    LPSTR m_text;
    size_t m_capacity;
    size_t m_length;
    BOOL m_complete;
};
