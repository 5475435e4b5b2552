// The PrintTicket library's wide (UTF-16) string. The text lives in a process-heap block that
// starts with its capacity (a 32-bit count of characters, terminator included); the capacity starts
// at 128 and only doubles. A string without a block reads as empty: every operation first gives it
// a block of the minimum capacity. Failures are thrown as CXDException.
#pragma once

#include <windows.h>

#include <stdarg.h>

class CXDString {
public:
    CXDString();
    CXDString(LPCWSTR text);
    CXDString(LPCSTR text);
    CXDString(LPCWSTR text, int length);  // a negative length throws E_INVALIDARG
    // Gives the other string a block first, then copies its text into a block of its own.
    CXDString(const CXDString& other);
    ~CXDString();

    // Frees the block; the string then has none.
    void Free();

    // Copies at most length characters (fewer when the source ends first) over the text; a null
    // text or a zero length changes nothing.
    void Assign(LPCWSTR text, int length);
    // Replaces the text unless it is already equal (then the block is not written); a null text
    // throws E_FAIL.
    void Assign(LPCWSTR text);
    // Narrow text converts only when every byte becomes one character (E_FAIL otherwise).
    void Assign(LPCSTR text);
    void Assign(LPCSTR text, int length);
    // As Assign(text, wcslen(text)) for a non-null text, without comparing first.
    void SetText(LPCWSTR text);
    CXDString& operator=(LPCWSTR text);
    CXDString& operator=(LPCSTR text);
    CXDString& operator=(const CXDString& other);

    int GetLength() const;    // never throws; 0 when no block can be made
    int GetCapacity() const;  // E_PENDING for a string without a block
    // The text, never null: the string gets a block first.
    LPWSTR GetBuffer() const;
    bool IsEmpty() const { return GetLength() == 0; }

    bool Equals(LPCWSTR text) const;  // case-sensitive; a null text throws E_FAIL
    bool Equals(LPCSTR text) const;   // a null narrow text compares as empty
    // Index of sub at or after start, -1 when absent, for a null sub or a start outside the text.
    // An empty sub is found at start.
    int Find(LPCWSTR sub, int start) const;

    // Removes count characters at index (negatives count as 0); E_INVALIDARG past the end.
    int Delete(int index, int count);
    void Append(LPCWSTR text);
    CXDString Mid(int start, int count) const;
    // The next token after runs of the delimiter; position moves behind it, beyond the end after
    // the last token and to -1 once nothing is left. An empty delimiter is refused (E_INVALIDARG).
    CXDString Tokenize(LPCWSTR delimiter, int& position) const;
    // Replaces the text by the formatted one (Windows wide format rules); returns its length.
    int Format(LPCWSTR format, ...);
    int FormatV(LPCWSTR format, va_list arguments);

    // Makes room for n characters plus the terminator; never shrinks.
    void Reserve(unsigned int n) const;

    static constexpr int kMinimumCapacity = 128;

private:
    LPWSTR Materialize() const;
    template <class Body>
    void Construct(Body body);

    // The text pointer sits just behind the block's capacity. Giving a string its block does not
    // change its value, so reading operations may do it on a const string.
    mutable LPWSTR m_text;
};
