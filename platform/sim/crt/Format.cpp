// The printf engine: walks the format, takes each argument with the size the Windows runtime
// gives its length prefix, and formats numbers through the host's snprintf.
#include "crt/Format.h"

#include <stdio.h>

#include <vector>

namespace nirasim::crt {
namespace {

enum class Width { Default, Char, Short, Int32, Int64, Pointer, LongDouble, Wide };

struct Spec {
    std::string flags;
    int width = -1;
    int precision = -1;
    Width size = Width::Default;
    char conversion = 0;

    bool LeftAligned() const { return flags.find('-') != std::string::npos; }
    bool ZeroPadded() const { return flags.find('0') != std::string::npos; }
};

// va_list is an array type on x86-64: holding a copy in a record lets helpers take it by reference.
struct Arguments {
    va_list list;
};

template <class Ch>
int Digit(Ch c)
{
    return (c >= '0' && c <= '9') ? static_cast<int>(c - '0') : -1;
}

template <class Ch>
int ReadNumber(const Ch*& p)
{
    long long value = 0;
    while (Digit(*p) >= 0) {
        if (value < 100000000) {
            value = value * 10 + Digit(*p);
        }
        ++p;
    }
    return static_cast<int>(value);
}

template <class Ch>
bool Matches(const Ch* p, const char* text)
{
    for (; *text; ++p, ++text) {
        if (*p != static_cast<Ch>(*text)) {
            return false;
        }
    }
    return true;
}

template <class Ch>
void ReadLength(const Ch*& p, Spec& spec)
{
    if (Matches(p, "I64")) {
        spec.size = Width::Int64;
        p += 3;
    } else if (Matches(p, "I32")) {
        spec.size = Width::Int32;
        p += 3;
    } else if (Matches(p, "hh")) {
        spec.size = Width::Char;
        p += 2;
    } else if (Matches(p, "ll")) {
        spec.size = Width::Int64;
        p += 2;
    } else if (*p == 'I' || *p == 'z' || *p == 't' || *p == 'j') {
        spec.size = Width::Pointer;
        ++p;
    } else if (*p == 'h') {
        spec.size = Width::Short;
        ++p;
    } else if (*p == 'l') {
        spec.size = Width::Int32;
        ++p;
    } else if (*p == 'w') {
        spec.size = Width::Wide;
        ++p;
    } else if (*p == 'L') {
        spec.size = Width::LongDouble;
        ++p;
    }
}

// Reads flags, width, precision and length; leaves p on the conversion character.
template <class Ch>
void ReadSpec(const Ch*& p, Arguments& args, Spec& spec)
{
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0') {
        spec.flags += static_cast<char>(*p++);
    }
    if (*p == '*') {
        spec.width = va_arg(args.list, int);
        if (spec.width < 0) {
            spec.flags += '-';
            spec.width = -spec.width;
        }
        ++p;
    } else if (Digit(*p) >= 0) {
        spec.width = ReadNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            spec.precision = va_arg(args.list, int);
            ++p;
        } else {
            spec.precision = ReadNumber(p);
        }
    }
    ReadLength(p, spec);
    spec.conversion = static_cast<char>(*p);
}

std::string NumberFormat(const Spec& spec, const char* length, char conversion)
{
    std::string f = "%" + spec.flags;
    if (spec.width >= 0) {
        f += std::to_string(spec.width);
    }
    if (spec.precision >= 0) {
        f += "." + std::to_string(spec.precision);
    }
    return f + length + conversion;
}

template <class T>
std::string Printed(const std::string& format, T value)
{
    int n = snprintf(nullptr, 0, format.c_str(), value);
    std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) {
        snprintf(&text[0], text.size() + 1, format.c_str(), value);
    }
    return text;
}

long long SignedArgument(Arguments& args, Width size)
{
    switch (size) {
    case Width::Char:
        return static_cast<signed char>(va_arg(args.list, int));
    case Width::Short:
        return static_cast<short>(va_arg(args.list, int));
    case Width::Int64:
        return va_arg(args.list, long long);
    case Width::Pointer:
        return static_cast<long long>(va_arg(args.list, INT_PTR));
    default:
        return va_arg(args.list, int);
    }
}

unsigned long long UnsignedArgument(Arguments& args, Width size)
{
    switch (size) {
    case Width::Char:
        return static_cast<unsigned char>(va_arg(args.list, unsigned int));
    case Width::Short:
        return static_cast<unsigned short>(va_arg(args.list, unsigned int));
    case Width::Int64:
        return va_arg(args.list, unsigned long long);
    case Width::Pointer:
        return static_cast<unsigned long long>(va_arg(args.list, UINT_PTR));
    default:
        return va_arg(args.list, unsigned int);
    }
}

// Formats a number conversion into narrow text; false for a conversion the runtime does not know.
bool FormatNumber(const Spec& spec, Arguments& args, std::string& text)
{
    switch (spec.conversion) {
    case 'd':
    case 'i':
        text = Printed(NumberFormat(spec, "ll", 'd'), SignedArgument(args, spec.size));
        return true;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        text = Printed(NumberFormat(spec, "ll", spec.conversion), UnsignedArgument(args, spec.size));
        return true;
    case 'e':
    case 'E':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        if (spec.size == Width::LongDouble) {
            text = Printed(NumberFormat(spec, "L", spec.conversion), va_arg(args.list, long double));
        } else {
            text = Printed(NumberFormat(spec, "", spec.conversion), va_arg(args.list, double));
        }
        return true;
    case 'p': {
        // The Windows runtime prints a pointer as 16 upper-case hexadecimal digits.
        Spec pointer;
        pointer.flags = spec.LeftAligned() ? "-" : "";
        pointer.width = spec.width;
        pointer.precision = 2 * static_cast<int>(sizeof(void*));
        text = Printed(NumberFormat(pointer, "ll", 'X'),
                       static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(va_arg(args.list, void*))));
        return true;
    }
    default:
        return false;
    }
}

std::u16string Widened(const char* text, size_t length)
{
    if (length == 0) {
        return std::u16string();
    }
    int n = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::u16string wide(n > 0 ? static_cast<size_t>(n) : 0, u'\0');
    if (n > 0) {
        MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &wide[0], n);
    }
    return wide;
}

std::string Narrowed(const WCHAR* text, size_t length)
{
    if (length == 0) {
        return std::string();
    }
    int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string narrow(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &narrow[0], n, nullptr, nullptr);
    }
    return narrow;
}

template <class Ch>
std::basic_string<Ch> InOutput(const char* text, size_t length);
template <>
std::u16string InOutput<WCHAR>(const char* text, size_t length)
{
    return Widened(text, length);
}
template <>
std::string InOutput<char>(const char* text, size_t length)
{
    return std::string(text, length);
}

template <class Ch>
std::basic_string<Ch> InOutput(const WCHAR* text, size_t length);
template <>
std::u16string InOutput<WCHAR>(const WCHAR* text, size_t length)
{
    return std::u16string(text, length);
}
template <>
std::string InOutput<char>(const WCHAR* text, size_t length)
{
    return Narrowed(text, length);
}

template <class T>
size_t BoundedLength(const T* text, int precision)
{
    size_t n = 0;
    while ((precision < 0 || n < static_cast<size_t>(precision)) && text[n] != 0) {
        ++n;
    }
    return n;
}

// Whether a %s or %c argument is wide: the format's own width unless a prefix or the upper-case
// conversion says otherwise.
template <class Ch>
bool WideArgument(const Spec& spec)
{
    bool wideFormat = sizeof(Ch) == sizeof(WCHAR);
    if (spec.size == Width::Short) {
        return false;
    }
    if (spec.size == Width::Int32 || spec.size == Width::Wide) {
        return true;
    }
    bool upper = spec.conversion == 'S' || spec.conversion == 'C';
    return upper ? !wideFormat : wideFormat;
}

template <class Ch>
std::basic_string<Ch> TextArgument(const Spec& spec, Arguments& args)
{
    static const char nullText[] = "(null)";
    bool wide = WideArgument<Ch>(spec);
    if (spec.conversion == 'c' || spec.conversion == 'C') {
        int c = va_arg(args.list, int);
        if (wide) {
            WCHAR w = static_cast<WCHAR>(c);
            return InOutput<Ch>(&w, 1);
        }
        char n = static_cast<char>(c);
        return InOutput<Ch>(&n, 1);
    }
    if (wide) {
        const WCHAR* s = va_arg(args.list, const WCHAR*);
        return s ? InOutput<Ch>(s, BoundedLength(s, spec.precision))
                 : InOutput<Ch>(nullText, BoundedLength(nullText, spec.precision));
    }
    const char* s = va_arg(args.list, const char*);
    if (!s) {
        s = nullText;
    }
    return InOutput<Ch>(s, BoundedLength(s, spec.precision));
}

template <class Ch>
void AppendPadded(std::basic_string<Ch>& out, const std::basic_string<Ch>& text, const Spec& spec)
{
    size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    size_t pad = width > text.size() ? width - text.size() : 0;
    if (spec.LeftAligned()) {
        out += text;
        out.append(pad, static_cast<Ch>(' '));
    } else {
        out.append(pad, static_cast<Ch>(spec.ZeroPadded() ? '0' : ' '));
        out += text;
    }
}

template <class Ch>
bool Format(const Ch* format, va_list list, std::basic_string<Ch>& out)
{
    out.clear();
    if (!format) {
        return false;
    }
    Arguments args;
    va_copy(args.list, list);
    bool ok = true;
    for (const Ch* p = format; *p && ok; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '%') {
            out += *p;
            continue;
        }
        Spec spec;
        ReadSpec(p, args, spec);
        switch (spec.conversion) {
        case 's':
        case 'S':
        case 'c':
        case 'C':
            AppendPadded(out, TextArgument<Ch>(spec, args), spec);
            break;
        default: {
            std::string number;
            ok = FormatNumber(spec, args, number);
            for (char c : number) {
                out += static_cast<Ch>(static_cast<unsigned char>(c));
            }
        }
        }
    }
    va_end(args.list);
    return ok;
}

}  // namespace

bool FormatWide(const WCHAR* format, va_list args, std::u16string& out)
{
    return Format(format, args, out);
}

bool FormatNarrow(const char* format, va_list args, std::string& out)
{
    return Format(format, args, out);
}

}  // namespace nirasim::crt
