// The printf family of the Microsoft runtime, each with its own rule for a short buffer.
#include "crt/Format.h"

#include <errno.h>

namespace {

using nirasim::crt::FormatNarrow;
using nirasim::crt::FormatWide;

bool FormatAny(const WCHAR* format, va_list args, std::u16string& out)
{
    return FormatWide(format, args, out);
}
bool FormatAny(const char* format, va_list args, std::string& out)
{
    return FormatNarrow(format, args, out);
}

template <class Ch>
void Put(Ch* buffer, const std::basic_string<Ch>& text, size_t count, bool terminate)
{
    memcpy(buffer, text.data(), count * sizeof(Ch));
    if (terminate) {
        buffer[count] = 0;
    }
}

// _snprintf rule: the terminator only when there is room; -1 when the text was cut.
template <class Ch>
int CountedPrint(Ch* buffer, size_t count, const Ch* format, va_list args)
{
    std::basic_string<Ch> text;
    if (!FormatAny(format, args, text) || (!buffer && count)) {
        errno = EINVAL;
        return -1;
    }
    if (text.size() < count) {
        Put(buffer, text, text.size(), true);
        return static_cast<int>(text.size());
    }
    Put(buffer, text, count, false);
    return text.size() == count ? static_cast<int>(count) : -1;
}

// _snprintf_s rule: always terminated; a text that does not fit (without _TRUNCATE) empties the
// buffer and fails; a text cut at count or by _TRUNCATE answers -1.
template <class Ch>
int SecureCountedPrint(Ch* buffer, size_t size, size_t count, const Ch* format, va_list args)
{
    std::basic_string<Ch> text;
    if (!buffer || size == 0 || !FormatAny(format, args, text)) {
        if (buffer && size) {
            buffer[0] = 0;
        }
        errno = EINVAL;
        return -1;
    }
    size_t limit = count == _TRUNCATE ? size - 1 : count;
    size_t written = text.size() < limit ? text.size() : limit;
    if (written >= size) {
        buffer[0] = 0;
        errno = ERANGE;
        return -1;
    }
    Put(buffer, text, written, true);
    return written == text.size() ? static_cast<int>(written) : -1;
}

// sprintf_s rule: all or nothing.
template <class Ch>
int SecurePrint(Ch* buffer, size_t size, const Ch* format, va_list args)
{
    std::basic_string<Ch> text;
    if (!buffer || size == 0 || !FormatAny(format, args, text) || text.size() >= size) {
        if (buffer && size) {
            buffer[0] = 0;
        }
        errno = buffer && size ? ERANGE : EINVAL;
        return -1;
    }
    Put(buffer, text, text.size(), true);
    return static_cast<int>(text.size());
}

// ISO swprintf: a text that does not fit is cut, terminated, and answers -1.
template <class Ch>
int BoundedPrint(Ch* buffer, size_t count, const Ch* format, va_list args)
{
    std::basic_string<Ch> text;
    if (!buffer || count == 0 || !FormatAny(format, args, text)) {
        return -1;
    }
    size_t written = text.size() < count ? text.size() : count - 1;
    Put(buffer, text, written, true);
    return written == text.size() ? static_cast<int>(written) : -1;
}

template <class Ch>
int Measure(const Ch* format, va_list args)
{
    std::basic_string<Ch> text;
    return FormatAny(format, args, text) ? static_cast<int>(text.size()) : -1;
}

}  // namespace

#define NIRA_FORWARD(call)  \
    va_list args;           \
    va_start(args, format); \
    int result = call;      \
    va_end(args);           \
    return result

int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args)
{
    return CountedPrint(buffer, count, format, args);
}
int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...)
{
    NIRA_FORWARD(CountedPrint(buffer, count, format, args));
}
int _vsnwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, va_list args)
{
    return SecureCountedPrint(buffer, size, count, format, args);
}
int _snwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, ...)
{
    NIRA_FORWARD(SecureCountedPrint(buffer, size, count, format, args));
}
int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args)
{
    return BoundedPrint(buffer, count, format, args);
}
int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...)
{
    NIRA_FORWARD(BoundedPrint(buffer, count, format, args));
}
int vswprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, va_list args)
{
    return SecurePrint(buffer, size, format, args);
}
int swprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, ...)
{
    NIRA_FORWARD(SecurePrint(buffer, size, format, args));
}
int _vscwprintf(const WCHAR* format, va_list args)
{
    return Measure(format, args);
}
int _scwprintf(const WCHAR* format, ...)
{
    NIRA_FORWARD(Measure(format, args));
}

int _vsnprintf(char* buffer, size_t count, const char* format, va_list args)
{
    return CountedPrint(buffer, count, format, args);
}
int _snprintf(char* buffer, size_t count, const char* format, ...)
{
    NIRA_FORWARD(CountedPrint(buffer, count, format, args));
}
int _vsnprintf_s(char* buffer, size_t size, size_t count, const char* format, va_list args)
{
    return SecureCountedPrint(buffer, size, count, format, args);
}
int _snprintf_s(char* buffer, size_t size, size_t count, const char* format, ...)
{
    NIRA_FORWARD(SecureCountedPrint(buffer, size, count, format, args));
}
int vsprintf_s(char* buffer, size_t size, const char* format, va_list args)
{
    return SecurePrint(buffer, size, format, args);
}
int sprintf_s(char* buffer, size_t size, const char* format, ...)
{
    NIRA_FORWARD(SecurePrint(buffer, size, format, args));
}
int _vscprintf(const char* format, va_list args)
{
    return Measure(format, args);
}
int _scprintf(const char* format, ...)
{
    NIRA_FORWARD(Measure(format, args));
}
