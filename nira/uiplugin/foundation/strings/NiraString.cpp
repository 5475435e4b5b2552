#include "nira/uiplugin/foundation/strings/NiraString.h"

#include "common/NiraException.h"

#include <memory>
#include <new>

namespace {

const WCHAR kEmpty[] = {0};
const char kEmptyNarrow[] = "";

// Runs a member's body; any failure inside leaves it as the general failure.
template <class Body>
auto Guarded(Body body) -> decltype(body())
{
    try {
        return body();
    } catch (...) {
        throw CNiraException(ERROR_INVALID_DATA);
    }
}

LPWSTR NewCopy(LPCWSTR text, size_t length)
{
    LPWSTR copy = new WCHAR[length + 1];
    memcpy(copy, text, length * sizeof(WCHAR));
    copy[length] = 0;
    return copy;
}

WCHAR Same(WCHAR c)
{
    return c;
}

// The C runtime's default-locale upper case: only a-z change.
WCHAR FoldAscii(WCHAR c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<WCHAR>(c - 'a' + 'A') : c;
}

WCHAR Widen(WCHAR c)
{
    return c;
}

// A narrow byte widened with its sign, as a signed char converts.
WCHAR Widen(char c)
{
    return static_cast<WCHAR>(static_cast<signed char>(c));
}

template <class Ch>
size_t PatternLength(const Ch* pattern)
{
    size_t n = 0;
    while (pattern[n]) {
        ++n;
    }
    return n;
}

template <class Ch>
bool MatchesAt(LPCWSTR text, size_t position, const Ch* pattern, size_t patternLength, WCHAR (*fold)(WCHAR))
{
    for (size_t i = 0; i < patternLength; ++i) {
        // The text's terminator never equals a pattern character, so the walk stays inside it.
        if (text[position + i] == 0 || fold(text[position + i]) != fold(Widen(pattern[i]))) {
            return false;
        }
    }
    return true;
}

template <class Ch>
int FindForward(LPCWSTR text, int length, const Ch* pattern, int start, WCHAR (*fold)(WCHAR))
{
    size_t patternLength = PatternLength(pattern);
    if (length <= 0 || patternLength == 0) {
        return -1;
    }
    for (int p = start < 0 ? 0 : start; p < length; ++p) {
        if (MatchesAt(text, static_cast<size_t>(p), pattern, patternLength, fold)) {
            return p;
        }
    }
    return -1;
}

template <class Ch>
int FindBackward(LPCWSTR text, int length, const Ch* pattern, int start)
{
    size_t patternLength = PatternLength(pattern);
    if (length <= 0 || patternLength == 0 || start < 0 || patternLength > static_cast<size_t>(length)) {
        return -1;
    }
    int last = length - static_cast<int>(patternLength);
    for (int p = start < last ? start : last; p >= 0; --p) {
        if (MatchesAt(text, static_cast<size_t>(p), pattern, patternLength, Same)) {
            return p;
        }
    }
    return -1;
}

}  // namespace

CNiraString::CNiraString() : m_buffer(nullptr), m_size(kDefaultSize), m_narrow(nullptr)
{
    m_buffer = Guarded([] { return new WCHAR[kDefaultSize](); });
}

CNiraString::CNiraString(LPCWSTR text) : m_buffer(nullptr), m_size(0), m_narrow(nullptr)
{
    Guarded([&] {
        size_t length = wcslen(text);
        m_buffer = NewCopy(text, length);
        m_size = static_cast<int>(length);
    });
}

CNiraString::CNiraString(LPCSTR text) : m_buffer(nullptr), m_size(0), m_narrow(nullptr)
{
    try {
        ConvertFromNarrow(text);
    } catch (...) {
        delete[] m_buffer;
        throw CNiraException(ERROR_INVALID_DATA);
    }
}

CNiraString::CNiraString(WCHAR c) : m_buffer(nullptr), m_size(2), m_narrow(nullptr)
{
    m_buffer = Guarded([c] { return new WCHAR[2]{c, 0}; });
}

CNiraString::CNiraString(const CNiraString& other) : m_buffer(nullptr), m_size(0), m_narrow(nullptr)
{
    try {
        Assign(other);
    } catch (...) {
        delete[] m_buffer;
        throw;
    }
}

CNiraString::~CNiraString()
{
    delete[] m_buffer;
    delete[] m_narrow;
}

LPCWSTR CNiraString::Text() const
{
    return m_buffer ? m_buffer : kEmpty;
}

bool CNiraString::Equals(const CNiraString& other) const
{
    return Guarded([&] { return wcscmp(Text(), other.Text()) == 0; });
}

bool CNiraString::EqualsNoCase(const CNiraString& other) const
{
    return Guarded([&] { return _wcsicmp(Text(), other.Text()) == 0; });
}

bool CNiraString::IsGreater(const CNiraString& other) const
{
    return Guarded([&] { return wcscmp(Text(), other.Text()) > 0; });
}

bool CNiraString::IsLess(const CNiraString& other) const
{
    return Guarded([&] { return wcscmp(Text(), other.Text()) < 0; });
}

int CNiraString::GetLength() const
{
    return Guarded([&] { return m_buffer ? static_cast<int>(wcslen(m_buffer)) : -1; });
}

int CNiraString::Find(LPCWSTR pattern, int start) const
{
    return FindForward(Text(), GetLength(), pattern, start, Same);
}

int CNiraString::Find(LPCSTR pattern, int start) const
{
    return FindForward(Text(), GetLength(), pattern, start, Same);
}

int CNiraString::FindString(const CNiraString& pattern, int start) const
{
    return Guarded([&] { return Find(pattern.Text(), start); });
}

int CNiraString::ReverseFind(LPCWSTR pattern, int start) const
{
    return FindBackward(Text(), GetLength(), pattern, start);
}

int CNiraString::ReverseFind(LPCSTR pattern, int start) const
{
    return FindBackward(Text(), GetLength(), pattern, start);
}

int CNiraString::ReverseFindString(const CNiraString& pattern, int start) const
{
    return Guarded([&] { return ReverseFind(pattern.Text(), start); });
}

void CNiraString::Assign(const CNiraString& other)
{
    Guarded([&] {
        if (!other.m_buffer) {
            return;
        }
        size_t length = wcslen(other.m_buffer);
        LPWSTR copy = NewCopy(other.m_buffer, length);
        delete[] m_buffer;
        m_buffer = copy;
        m_size = static_cast<int>(length) + 1;
    });
}

void CNiraString::Assign(LPCSTR text)
{
    Guarded([&] { Assign(CNiraString(text)); });
}

void CNiraString::Assign(LPCWSTR text)
{
    Guarded([&] { Assign(CNiraString(text)); });
}

CNiraString& CNiraString::operator=(const CNiraString& other)
{
    Assign(other);
    return *this;
}

CNiraString& CNiraString::operator=(LPCWSTR text)
{
    Assign(text);
    return *this;
}

CNiraString& CNiraString::operator=(LPCSTR text)
{
    Assign(text);
    return *this;
}

void CNiraString::Append(const CNiraString& other)
{
    Guarded([&] {
        size_t ownLength = wcslen(Text());
        size_t addedLength = wcslen(other.Text());
        // The size hint grows by what is appended; it never falls below what the text needs.
        size_t size = static_cast<size_t>(m_size) + addedLength + 1;
        if (size < ownLength + addedLength + 1) {
            size = ownLength + addedLength + 1;
        }
        LPWSTR joined = new WCHAR[size]();
        memcpy(joined, Text(), ownLength * sizeof(WCHAR));
        memcpy(joined + ownLength, other.Text(), addedLength * sizeof(WCHAR));
        delete[] m_buffer;
        m_buffer = joined;
        m_size = static_cast<int>(size);
    });
}

void CNiraString::Append(LPCSTR text)
{
    Guarded([&] { Append(CNiraString(text)); });
}

CNiraString& CNiraString::operator+=(const CNiraString& other)
{
    Append(other);
    return *this;
}

CNiraString& CNiraString::operator+=(LPCSTR text)
{
    Append(text);
    return *this;
}

CNiraString CNiraString::Concat(const CNiraString& first, const CNiraString& second)
{
    return Guarded([&] {
        CNiraString joined;
        joined.Assign(first);
        joined.Append(second);
        return joined;
    });
}

bool CNiraString::operator==(LPCWSTR text) const
{
    return Guarded([&] { return Equals(CNiraString(text)); });
}

bool CNiraString::operator!=(LPCSTR text) const
{
    return Guarded([&] { return !Equals(CNiraString(text)); });
}

LPCSTR CNiraString::GetNarrow()
{
    int length = m_buffer ? static_cast<int>(wcslen(m_buffer)) : 0;
    if (length == 0) {
        return kEmptyNarrow;
    }
    ReleaseNarrow();
    int size = 2 * length + 1;
    m_narrow = new (std::nothrow) char[size];
    if (!m_narrow) {
        throw CNiraException(ERROR_OUTOFMEMORY);
    }
    if (WideCharToMultiByte(CP_ACP, 0, m_buffer, -1, m_narrow, size, nullptr, nullptr) == 0) {
        LONG error = static_cast<LONG>(GetLastError());
        ReleaseNarrow();
        throw CNiraException(error);
    }
    return m_narrow;
}

void CNiraString::ReleaseNarrow()
{
    delete[] m_narrow;
    m_narrow = nullptr;
}

void CNiraString::ConvertFromNarrow(LPCSTR text)
{
    if (strlen(text) == 0) {
        LPWSTR empty = new WCHAR[1]{0};
        delete[] m_buffer;
        m_buffer = empty;
        m_size = 1;
        return;
    }
    int needed = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (needed == 0) {
        throw CNiraException(static_cast<LONG>(GetLastError()));
    }
    std::unique_ptr<WCHAR[]> converted(new (std::nothrow) WCHAR[needed]);
    if (!converted) {
        throw CNiraException(ERROR_OUTOFMEMORY);
    }
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, converted.get(), needed) == 0) {
        throw CNiraException(static_cast<LONG>(GetLastError()));
    }
    size_t length = wcslen(converted.get());
    LPWSTR copy = NewCopy(converted.get(), length);
    delete[] m_buffer;
    m_buffer = copy;
    m_size = static_cast<int>(length);
}

CNiraNoCaseString::CNiraNoCaseString(const CNiraString& other) : CNiraString(other) {}

CNiraNoCaseString::CNiraNoCaseString(LPCWSTR text) : CNiraString(text) {}

CNiraNoCaseString::~CNiraNoCaseString() = default;

int CNiraNoCaseString::Find(LPCWSTR pattern, int start) const
{
    return FindNoCase(pattern, start);
}

int CNiraNoCaseString::Find(LPCSTR pattern, int start) const
{
    return FindNoCase(pattern, start);
}

int CNiraNoCaseString::FindString(const CNiraString& pattern, int start) const
{
    return Guarded([&] { return Find(pattern.GetBuffer() ? pattern.GetBuffer() : TEXT(""), start); });
}

int CNiraNoCaseString::FindNoCase(LPCWSTR pattern, int start) const
{
    return FindForward(Text(), GetLength(), pattern, start, FoldAscii);
}

int CNiraNoCaseString::FindNoCase(LPCSTR pattern, int start) const
{
    return FindForward(Text(), GetLength(), pattern, start, FoldAscii);
}
