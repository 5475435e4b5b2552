// The library's wide (UTF-16) string, with a narrow copy made on demand in the ANSI code page.
// Failures are thrown as CNiraException; texts passed in must not be null.
#pragma once

#include <windows.h>

class CNiraString {
public:
    // An empty text in a zeroed buffer of kDefaultSize characters.
    CNiraString();
    CNiraString(LPCWSTR text);
    CNiraString(LPCSTR text);  // converted from the ANSI code page
    CNiraString(WCHAR c);
    CNiraString(const CNiraString& other);
    virtual ~CNiraString();

    // Comparisons by the C runtime's rules; a string without a buffer compares as empty.
    virtual bool Equals(const CNiraString& other) const;
    virtual bool EqualsNoCase(const CNiraString& other) const;
    virtual bool IsGreater(const CNiraString& other) const;
    virtual bool IsLess(const CNiraString& other) const;
    // The text's length, -1 for a string without a buffer.
    virtual int GetLength() const;
    // Index of the first occurrence of the pattern at or after start, -1 when there is none; an
    // empty pattern is never found, a negative start counts as 0. A narrow pattern is compared
    // byte by byte, each byte widened with its sign.
    virtual int Find(LPCWSTR pattern, int start) const;
    virtual int Find(LPCSTR pattern, int start) const;
    virtual int FindString(const CNiraString& pattern, int start) const;
    // Index of the last occurrence that begins at or before start (a start beyond the text means
    // the whole text), -1 when there is none or start is negative.
    virtual int ReverseFind(LPCWSTR pattern, int start) const;
    virtual int ReverseFind(LPCSTR pattern, int start) const;
    virtual int ReverseFindString(const CNiraString& pattern, int start) const;

    // Replaces the text by a copy of the other's; a string without a buffer changes nothing.
    void Assign(const CNiraString& other);
    void Assign(LPCSTR text);
    void Assign(LPCWSTR text);
    CNiraString& operator=(const CNiraString& other);
    CNiraString& operator=(LPCWSTR text);
    CNiraString& operator=(LPCSTR text);

    void Append(const CNiraString& other);
    void Append(LPCSTR text);
    CNiraString& operator+=(const CNiraString& other);
    CNiraString& operator+=(LPCSTR text);
    static CNiraString Concat(const CNiraString& first, const CNiraString& second);

    // The buffer itself, writable within GetSize() characters plus the terminator.
    LPWSTR GetBuffer() { return m_buffer; }
    LPCWSTR GetBuffer() const { return m_buffer; }
    int GetSize() const { return m_size; }
    // A narrow copy in the ANSI code page, valid until the next call or the string's end.
    LPCSTR GetNarrow();

    // Both compare through Equals, so a subclass's comparison holds.
    bool operator==(LPCWSTR text) const;
    bool operator!=(LPCSTR text) const;

    static constexpr int kDefaultSize = 260;

protected:
    // The text, or an empty one for a string without a buffer.
    LPCWSTR Text() const;

private:
    void ConvertFromNarrow(LPCSTR text);
    void ReleaseNarrow();

    LPWSTR m_buffer;
    int m_size;
    LPSTR m_narrow;
};

// A string whose finds ignore the case of the letters a-z (and nothing else).
class CNiraNoCaseString : public CNiraString {
public:
    CNiraNoCaseString() = default;
    CNiraNoCaseString(const CNiraString& other);
    CNiraNoCaseString(LPCWSTR text);
    ~CNiraNoCaseString() override;

    int Find(LPCWSTR pattern, int start) const override;
    int Find(LPCSTR pattern, int start) const override;
    int FindString(const CNiraString& pattern, int start) const override;

    int FindNoCase(LPCWSTR pattern, int start) const;
    int FindNoCase(LPCSTR pattern, int start) const;
};
