// Number parsing and printing of the C runtime for 16-bit WCHAR. Results have the Windows sizes:
// long is 32-bit there, so the long forms saturate at the 32-bit limits as Windows does.
#include <windows.h>

#include <errno.h>
#include <limits.h>
#include <stdlib.h>

#include <string>

namespace {

// The ASCII prefix of a wide text: a number never holds anything else, so parsing it with the
// narrow runtime gives the same result and the same end position.
std::string AsciiPrefix(const WCHAR* s)
{
    std::string text;
    for (; *s && *s < 0x80; ++s) {
        text += static_cast<char>(*s);
    }
    return text;
}

template <class T>
void SetEnd(const WCHAR* s, const std::string& text, const char* narrowEnd, WCHAR** end)
{
    if (end) {
        *end = const_cast<WCHAR*>(s) + (narrowEnd - text.c_str());
    }
}

long long Clamp(long long value, long long low, long long high)
{
    if (value < low || value > high) {
        errno = ERANGE;
        return value < low ? low : high;
    }
    return value;
}

std::string Digits(unsigned long long value, int radix, bool negative)
{
    if (radix < 2 || radix > 36) {
        return std::string();
    }
    std::string digits;
    do {
        int d = static_cast<int>(value % static_cast<unsigned>(radix));
        digits.insert(digits.begin(), static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10));
        value /= static_cast<unsigned>(radix);
    } while (value);
    return negative ? "-" + digits : digits;
}

// Signed values are printed with a sign only in radix 10; other radixes show the bits.
std::string SignedDigits(long long value, int radix, unsigned long long mask)
{
    if (radix == 10 && value < 0) {
        return Digits(0ull - static_cast<unsigned long long>(value), radix, true);
    }
    return Digits(static_cast<unsigned long long>(value) & mask, radix, false);
}

template <class Ch>
Ch* Store(const std::string& digits, Ch* buffer)
{
    for (size_t i = 0; i <= digits.size(); ++i) {
        buffer[i] = static_cast<Ch>(i < digits.size() ? digits[i] : 0);
    }
    return buffer;
}

}  // namespace

long wcstol(const WCHAR* s, WCHAR** end, int base)
{
    std::string text = AsciiPrefix(s);
    char* narrowEnd = nullptr;
    long long value = strtoll(text.c_str(), &narrowEnd, base);
    SetEnd<long>(s, text, narrowEnd, end);
    return static_cast<long>(Clamp(value, INT32_MIN, INT32_MAX));
}

unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base)
{
    std::string text = AsciiPrefix(s);
    char* narrowEnd = nullptr;
    // As on Windows, a minus sign negates the value in 32 bits.
    long long value = strtoll(text.c_str(), &narrowEnd, base);
    SetEnd<unsigned long>(s, text, narrowEnd, end);
    if (value > static_cast<long long>(UINT32_MAX) || value < -static_cast<long long>(UINT32_MAX)) {
        errno = ERANGE;
        return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

long long wcstoll(const WCHAR* s, WCHAR** end, int base)
{
    std::string text = AsciiPrefix(s);
    char* narrowEnd = nullptr;
    long long value = strtoll(text.c_str(), &narrowEnd, base);
    SetEnd<long long>(s, text, narrowEnd, end);
    return value;
}

unsigned long long wcstoull(const WCHAR* s, WCHAR** end, int base)
{
    std::string text = AsciiPrefix(s);
    char* narrowEnd = nullptr;
    unsigned long long value = strtoull(text.c_str(), &narrowEnd, base);
    SetEnd<unsigned long long>(s, text, narrowEnd, end);
    return value;
}

double wcstod(const WCHAR* s, WCHAR** end)
{
    std::string text = AsciiPrefix(s);
    char* narrowEnd = nullptr;
    double value = strtod(text.c_str(), &narrowEnd);
    SetEnd<double>(s, text, narrowEnd, end);
    return value;
}

int _wtoi(const WCHAR* s)
{
    return static_cast<int>(Clamp(wcstoll(s, nullptr, 10), INT_MIN, INT_MAX));
}

long _wtol(const WCHAR* s)
{
    return wcstol(s, nullptr, 10);
}

long long _wtoi64(const WCHAR* s)
{
    return wcstoll(s, nullptr, 10);
}

double _wtof(const WCHAR* s)
{
    return wcstod(s, nullptr);
}

long long _atoi64(const char* s)
{
    return strtoll(s, nullptr, 10);
}

WCHAR* _itow(int value, WCHAR* buffer, int radix)
{
    return Store(SignedDigits(value, radix, UINT32_MAX), buffer);
}

WCHAR* _ltow(long value, WCHAR* buffer, int radix)
{
    return Store(SignedDigits(static_cast<int32_t>(value), radix, UINT32_MAX), buffer);
}

WCHAR* _ultow(unsigned long value, WCHAR* buffer, int radix)
{
    return Store(Digits(static_cast<uint32_t>(value), radix, false), buffer);
}

WCHAR* _i64tow(long long value, WCHAR* buffer, int radix)
{
    return Store(SignedDigits(value, radix, UINT64_MAX), buffer);
}

WCHAR* _ui64tow(unsigned long long value, WCHAR* buffer, int radix)
{
    return Store(Digits(value, radix, false), buffer);
}

int _itow_s(int value, WCHAR* buffer, size_t size, int radix)
{
    std::string digits = SignedDigits(value, radix, UINT32_MAX);
    if (!buffer || size == 0 || radix < 2 || radix > 36) {
        return EINVAL;
    }
    if (digits.size() >= size) {
        buffer[0] = 0;
        return ERANGE;
    }
    Store(digits, buffer);
    return 0;
}

char* _itoa(int value, char* buffer, int radix)
{
    return Store(SignedDigits(value, radix, UINT32_MAX), buffer);
}

char* _ultoa(unsigned long value, char* buffer, int radix)
{
    return Store(Digits(static_cast<uint32_t>(value), radix, false), buffer);
}

char* _i64toa(long long value, char* buffer, int radix)
{
    return Store(SignedDigits(value, radix, UINT64_MAX), buffer);
}
