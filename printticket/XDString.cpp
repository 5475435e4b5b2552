#include "printticket/XDString.h"

#include "printticket/XDException.h"
#include "printticket/XDTextCopy.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>

namespace {

// A block is its capacity followed by the characters.
constexpr size_t kHeaderBytes = sizeof(INT32);
// The largest capacity a signed 32-bit count holds when it only doubles from 128.
constexpr unsigned int kMaximumCapacity = 1u << 30;

BYTE* BlockOf(LPWSTR text)
{
    return reinterpret_cast<BYTE*>(text) - kHeaderBytes;
}

INT32 CapacityOf(LPCWSTR text)
{
    INT32 capacity;
    memcpy(&capacity, reinterpret_cast<const BYTE*>(text) - kHeaderBytes, sizeof(capacity));
    return capacity;
}

LPWSTR TextOf(BYTE* block, INT32 capacity)
{
    memcpy(block, &capacity, sizeof(capacity));
    return reinterpret_cast<LPWSTR>(block + kHeaderBytes);
}

SIZE_T BlockBytes(unsigned int capacity)
{
    return kHeaderBytes + static_cast<SIZE_T>(capacity) * sizeof(WCHAR);
}

// The capacity that holds n characters and the terminator, doubling from start.
unsigned int GrownCapacity(unsigned int start, unsigned int n)
{
    if (n >= kMaximumCapacity) {
        throw CXDException(E_OUTOFMEMORY);
    }
    unsigned int capacity = start;
    while (n >= capacity) {
        capacity *= 2;
    }
    return capacity;
}

}  // namespace

// A constructor that fails after it made a block frees it: no destructor runs for it.
template <class Body>
void CXDString::Construct(Body body)
{
    try {
        body();
    } catch (...) {
        Free();
        throw;
    }
}

CXDString::CXDString() : m_text(nullptr) {}

CXDString::CXDString(LPCWSTR text) : m_text(nullptr)
{
    if (text) {
        Construct([&] { Assign(text, static_cast<int>(wcslen(text))); });
    }
}

CXDString::CXDString(LPCSTR text) : m_text(nullptr)
{
    if (text) {
        Construct([&] { Assign(text, static_cast<int>(strlen(text))); });
    }
}

CXDString::CXDString(LPCWSTR text, int length) : m_text(nullptr)
{
    if (length < 0) {
        throw CXDException(E_INVALIDARG);
    }
    Construct([&] { Assign(text, length); });
}

CXDString::CXDString(const CXDString& other) : m_text(nullptr)
{
    LPCWSTR source = other.Materialize();
    Construct([&] { Assign(source, static_cast<int>(wcslen(source))); });
}

CXDString::~CXDString()
{
    Free();
}

void CXDString::Free()
{
    if (m_text) {
        HeapFree(GetProcessHeap(), 0, BlockOf(m_text));
        m_text = nullptr;
    }
}

void CXDString::Reserve(unsigned int n) const
{
    if (!m_text) {
        unsigned int capacity = GrownCapacity(kMinimumCapacity, n);
        auto* block = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, BlockBytes(capacity)));
        if (!block) {
            throw CXDException(E_OUTOFMEMORY);
        }
        m_text = TextOf(block, static_cast<INT32>(capacity));
        m_text[0] = 0;
        return;
    }
    unsigned int current = static_cast<unsigned int>(CapacityOf(m_text));
    if (n < current) {
        return;
    }
    unsigned int capacity = GrownCapacity(current, n);
    // On failure the old block stays attached and valid.
    auto* block = static_cast<BYTE*>(HeapReAlloc(GetProcessHeap(), 0, BlockOf(m_text), BlockBytes(capacity)));
    if (!block) {
        throw CXDException(E_OUTOFMEMORY);
    }
    m_text = TextOf(block, static_cast<INT32>(capacity));
}

LPWSTR CXDString::Materialize() const
{
    Reserve(1);
    return m_text;
}

void CXDString::Assign(LPCWSTR text, int length)
{
    if (!text) {
        return;
    }
    Reserve(static_cast<unsigned int>(length));
    CopyWideN(m_text, CapacityOf(m_text), text, length);
}

void CXDString::Assign(LPCWSTR text)
{
    if (Equals(text)) {
        return;
    }
    Materialize()[0] = 0;
    Assign(text, static_cast<int>(wcslen(text)));
}

void CXDString::Assign(LPCSTR text)
{
    if (Equals(text)) {
        return;
    }
    Materialize()[0] = 0;
    if (text) {
        Assign(text, static_cast<int>(strlen(text)));
    }
}

void CXDString::Assign(LPCSTR text, int length)
{
    if (!text || length == 0) {
        return;
    }
    Reserve(static_cast<unsigned int>(length));
    CopyAnsiToWide(m_text, CapacityOf(m_text), text, length);
}

void CXDString::SetText(LPCWSTR text)
{
    if (text) {
        Assign(text, static_cast<int>(wcslen(text)));
    }
}

CXDString& CXDString::operator=(LPCWSTR text)
{
    Assign(text);
    return *this;
}

CXDString& CXDString::operator=(LPCSTR text)
{
    Assign(text);
    return *this;
}

CXDString& CXDString::operator=(const CXDString& other)
{
    Assign(static_cast<LPCWSTR>(other.m_text));
    return *this;
}

int CXDString::GetLength() const
{
    try {
        return static_cast<int>(wcslen(Materialize()));
    } catch (const CXDException&) {
        return 0;
    }
}

int CXDString::GetCapacity() const
{
    if (!m_text) {
        throw CXDException(E_PENDING);
    }
    return CapacityOf(m_text);
}

LPWSTR CXDString::GetBuffer() const
{
    return Materialize();
}

bool CXDString::Equals(LPCWSTR text) const
{
    LPCWSTR own = Materialize();
    if (!text) {
        throw CXDException(E_FAIL);
    }
    return wcscmp(own, text) == 0;
}

bool CXDString::Equals(LPCSTR text) const
{
    CXDString other(text);
    return Equals(static_cast<LPCWSTR>(other.Materialize()));
}

int CXDString::Find(LPCWSTR sub, int start) const
{
    LPCWSTR text = Materialize();
    if (!sub || start < 0) {
        return -1;
    }
    int length = static_cast<int>(wcslen(text));
    if (start > length) {
        return -1;
    }
    if (!*sub) {
        return start;  // as wcsstr answers, which not every C runtime does for an empty text
    }
    LPCWSTR found = wcsstr(text + start, sub);
    return found ? static_cast<int>(found - text) : -1;
}

int CXDString::Delete(int index, int count)
{
    if (index < 0) {
        index = 0;
    }
    if (count < 0) {
        count = 0;
    }
    LPWSTR text = Materialize();
    unsigned long long length = wcslen(text);
    unsigned long long end = static_cast<unsigned long long>(index) + static_cast<unsigned long long>(count);
    if (length < end) {
        throw CXDException(E_INVALIDARG);
    }
    memmove(text + index, text + end, (length - end + 1) * sizeof(WCHAR));
    return static_cast<int>(length - count);
}

void CXDString::Append(LPCWSTR text)
{
    size_t added = text ? wcslen(text) : 0;
    int present = GetLength();
    Reserve(static_cast<unsigned int>(added + present));
    if (added) {
        memcpy(m_text + present, text, (added + 1) * sizeof(WCHAR));
    }
}

CXDString CXDString::Mid(int start, int count) const
{
    int length = GetLength();
    if (start < 0 || count < 0 || start > length || static_cast<long long>(start) + count > length) {
        throw CXDException(E_INVALIDARG);
    }
    if (start == 0 && count == length) {
        return CXDString(*this);
    }
    return CXDString(m_text + start, count);
}

CXDString CXDString::Tokenize(LPCWSTR delimiter, int& position) const
{
    if (position < 0 || !delimiter || !delimiter[0]) {
        throw CXDException(E_INVALIDARG);
    }
    int delimiterLength = static_cast<int>(wcslen(delimiter));
    int length = GetLength();
    while (Find(delimiter, position) == position) {
        position += delimiterLength;
    }
    int found = Find(delimiter, position);
    if (found > 0) {
        CXDString token = Mid(position, found - position);
        position = found + delimiterLength;
        return token;
    }
    if (position < length) {
        CXDString token = Mid(position, length - position);
        position = length + delimiterLength;
        return token;
    }
    position = -1;
    return CXDString();
}

int CXDString::Format(LPCWSTR format, ...)
{
    if (!format) {
        throw CXDException(E_INVALIDARG);
    }
    va_list arguments;
    va_start(arguments, format);
    try {
        int written = FormatV(format, arguments);
        va_end(arguments);
        return written;
    } catch (...) {
        va_end(arguments);
        throw;
    }
}

int CXDString::FormatV(LPCWSTR format, va_list arguments)
{
    va_list measuring;
    va_copy(measuring, arguments);
    int needed = _vscwprintf(format, measuring);
    va_end(measuring);
    if (needed < 0) {
        throw CXDException(E_INVALIDARG);
    }
    Reserve(static_cast<unsigned int>(needed));
    return vswprintf_s(m_text, static_cast<size_t>(CapacityOf(m_text)), format, arguments);
}
