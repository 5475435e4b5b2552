// The wide string functions of the C runtime for 16-bit WCHAR, and the Microsoft-only narrow ones.
#include <windows.h>

#include <errno.h>
#include <stdlib.h>

#include <type_traits>

namespace {

// The "C" locale's case mapping: only ASCII letters have a case.
template <class Ch>
Ch Upper(Ch c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<Ch>(c - 'a' + 'A') : c;
}

template <class Ch>
Ch Lower(Ch c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<Ch>(c - 'A' + 'a') : c;
}

template <class Ch>
int CompareFolded(const Ch* a, const Ch* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        // The Microsoft runtime folds to lower case before comparing.
        int ca = static_cast<int>(Lower(static_cast<std::make_unsigned_t<Ch>>(a[i])));
        int cb = static_cast<int>(Lower(static_cast<std::make_unsigned_t<Ch>>(b[i])));
        if (ca != cb) {
            return ca - cb;
        }
        if (ca == 0) {
            return 0;
        }
    }
    return 0;
}

bool InSet(WCHAR c, const WCHAR* set)
{
    for (; *set; ++set) {
        if (*set == c) {
            return true;
        }
    }
    return false;
}

}  // namespace

size_t wcslen(const WCHAR* s)
{
    const WCHAR* p = s;
    while (*p) {
        ++p;
    }
    return static_cast<size_t>(p - s);
}

size_t wcsnlen(const WCHAR* s, size_t maxCount)
{
    size_t n = 0;
    while (n < maxCount && s[n]) {
        ++n;
    }
    return n;
}

int wcscmp(const WCHAR* a, const WCHAR* b)
{
    return wcsncmp(a, b, static_cast<size_t>(-1));
}

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
        if (a[i] == 0) {
            return 0;
        }
    }
    return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b)
{
    return CompareFolded(a, b, static_cast<size_t>(-1));
}

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count)
{
    return CompareFolded(a, b, count);
}

WCHAR* wcscpy(WCHAR* dest, const WCHAR* src)
{
    WCHAR* d = dest;
    while ((*d++ = *src++) != 0) {
    }
    return dest;
}

WCHAR* wcsncpy(WCHAR* dest, const WCHAR* src, size_t count)
{
    size_t i = 0;
    for (; i < count && src[i]; ++i) {
        dest[i] = src[i];
    }
    for (; i < count; ++i) {
        dest[i] = 0;
    }
    return dest;
}

WCHAR* wcscat(WCHAR* dest, const WCHAR* src)
{
    wcscpy(dest + wcslen(dest), src);
    return dest;
}

WCHAR* wcsncat(WCHAR* dest, const WCHAR* src, size_t count)
{
    WCHAR* d = dest + wcslen(dest);
    size_t i = 0;
    for (; i < count && src[i]; ++i) {
        d[i] = src[i];
    }
    d[i] = 0;
    return dest;
}

const WCHAR* wcschr(const WCHAR* s, WCHAR c)
{
    for (;; ++s) {
        if (*s == c) {
            return s;
        }
        if (*s == 0) {
            return nullptr;
        }
    }
}

WCHAR* wcschr(WCHAR* s, WCHAR c)
{
    return const_cast<WCHAR*>(wcschr(static_cast<const WCHAR*>(s), c));
}

const WCHAR* wcsrchr(const WCHAR* s, WCHAR c)
{
    const WCHAR* found = nullptr;
    for (;; ++s) {
        if (*s == c) {
            found = s;
        }
        if (*s == 0) {
            return found;
        }
    }
}

WCHAR* wcsrchr(WCHAR* s, WCHAR c)
{
    return const_cast<WCHAR*>(wcsrchr(static_cast<const WCHAR*>(s), c));
}

const WCHAR* wcsstr(const WCHAR* s, const WCHAR* pattern)
{
    size_t n = wcslen(pattern);
    for (; *s; ++s) {
        if (wcsncmp(s, pattern, n) == 0) {
            return s;
        }
    }
    return n == 0 ? s : nullptr;
}

WCHAR* wcsstr(WCHAR* s, const WCHAR* pattern)
{
    return const_cast<WCHAR*>(wcsstr(static_cast<const WCHAR*>(s), pattern));
}

const WCHAR* wcspbrk(const WCHAR* s, const WCHAR* set)
{
    for (; *s; ++s) {
        if (InSet(*s, set)) {
            return s;
        }
    }
    return nullptr;
}

WCHAR* wcspbrk(WCHAR* s, const WCHAR* set)
{
    return const_cast<WCHAR*>(wcspbrk(static_cast<const WCHAR*>(s), set));
}

size_t wcsspn(const WCHAR* s, const WCHAR* set)
{
    size_t n = 0;
    while (s[n] && InSet(s[n], set)) {
        ++n;
    }
    return n;
}

size_t wcscspn(const WCHAR* s, const WCHAR* set)
{
    size_t n = 0;
    while (s[n] && !InSet(s[n], set)) {
        ++n;
    }
    return n;
}

WCHAR* wcstok_s(WCHAR* s, const WCHAR* delimiters, WCHAR** context)
{
    if (!delimiters || !context || (!s && !*context)) {
        errno = EINVAL;
        return nullptr;
    }
    WCHAR* p = s ? s : *context;
    p += wcsspn(p, delimiters);
    if (*p == 0) {
        *context = p;
        return nullptr;
    }
    WCHAR* end = p + wcscspn(p, delimiters);
    if (*end) {
        *end++ = 0;
    }
    *context = end;
    return p;
}

WCHAR* _wcsupr(WCHAR* s)
{
    for (WCHAR* p = s; *p; ++p) {
        *p = Upper(*p);
    }
    return s;
}

WCHAR* _wcslwr(WCHAR* s)
{
    for (WCHAR* p = s; *p; ++p) {
        *p = Lower(*p);
    }
    return s;
}

int _wcsupr_s(WCHAR* s, size_t size)
{
    if (!s || wcsnlen(s, size) == size) {
        return EINVAL;
    }
    _wcsupr(s);
    return 0;
}

int _wcslwr_s(WCHAR* s, size_t size)
{
    if (!s || wcsnlen(s, size) == size) {
        return EINVAL;
    }
    _wcslwr(s);
    return 0;
}

WCHAR* _wcsdup(const WCHAR* s)
{
    if (!s) {
        return nullptr;
    }
    size_t bytes = (wcslen(s) + 1) * sizeof(WCHAR);
    WCHAR* copy = static_cast<WCHAR*>(malloc(bytes));
    if (copy) {
        memcpy(copy, s, bytes);
    }
    return copy;
}

WCHAR towupper(WCHAR c)
{
    return Upper(c);
}

WCHAR towlower(WCHAR c)
{
    return Lower(c);
}

int iswspace(WCHAR c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

int iswdigit(WCHAR c)
{
    return c >= '0' && c <= '9';
}

int iswxdigit(WCHAR c)
{
    return iswdigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'f');
}

int iswupper(WCHAR c)
{
    return c >= 'A' && c <= 'Z';
}

int iswlower(WCHAR c)
{
    return c >= 'a' && c <= 'z';
}

int iswalpha(WCHAR c)
{
    return iswupper(c) || iswlower(c);
}

int iswalnum(WCHAR c)
{
    return iswalpha(c) || iswdigit(c);
}

int iswpunct(WCHAR c)
{
    return c > 0x20 && c < 0x7F && !iswalnum(c);
}

int _stricmp(const char* a, const char* b)
{
    return CompareFolded(a, b, static_cast<size_t>(-1));
}

int _strnicmp(const char* a, const char* b, size_t count)
{
    return CompareFolded(a, b, count);
}

char* _strupr(char* s)
{
    for (char* p = s; *p; ++p) {
        *p = Upper(*p);
    }
    return s;
}

char* _strlwr(char* s)
{
    for (char* p = s; *p; ++p) {
        *p = Lower(*p);
    }
    return s;
}

namespace {

// The bounded copies of the secure runtime: on failure the destination is emptied when it can be.
template <class Ch>
int SecureCopy(Ch* dest, size_t size, size_t offset, const Ch* src, size_t count)
{
    if (!dest || size == 0) {
        return EINVAL;
    }
    if (!src) {
        dest[0] = 0;
        return EINVAL;
    }
    size_t n = 0;
    while (n < count && src[n]) {
        ++n;
    }
    bool truncate = count == _TRUNCATE;
    if (offset + n >= size) {
        if (!truncate) {
            dest[0] = 0;
            return ERANGE;
        }
        n = size - offset - 1;
    }
    memcpy(dest + offset, src, n * sizeof(Ch));
    dest[offset + n] = 0;
    return truncate && src[n] ? STRUNCATE : 0;
}

template <class Ch>
int SecureAppend(Ch* dest, size_t size, const Ch* src)
{
    if (!dest || size == 0) {
        return EINVAL;
    }
    size_t length = 0;
    while (length < size && dest[length]) {
        ++length;
    }
    if (length == size) {
        dest[0] = 0;
        return EINVAL;
    }
    return SecureCopy(dest, size, length, src, static_cast<size_t>(-2));
}

}  // namespace

int strcpy_s(char* dest, size_t size, const char* src)
{
    return SecureCopy(dest, size, 0, src, static_cast<size_t>(-2));
}

int strcat_s(char* dest, size_t size, const char* src)
{
    return SecureAppend(dest, size, src);
}

int strncpy_s(char* dest, size_t size, const char* src, size_t count)
{
    return SecureCopy(dest, size, 0, src, count);
}

int wcscpy_s(WCHAR* dest, size_t size, const WCHAR* src)
{
    return SecureCopy(dest, size, 0, src, static_cast<size_t>(-2));
}

int wcscat_s(WCHAR* dest, size_t size, const WCHAR* src)
{
    return SecureAppend(dest, size, src);
}

int wcsncpy_s(WCHAR* dest, size_t size, const WCHAR* src, size_t count)
{
    return SecureCopy(dest, size, 0, src, count);
}
