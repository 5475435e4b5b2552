#include "xml/Utf.h"

#include "strings/Utf8.h"

#include <cstring>

namespace nirasim {

std::string ToUtf8(const char16_t* text, size_t length)
{
    std::string out;
    out.reserve(length);
    EncodeUtf8(text, length, false, out);
    return out;
}

std::string ToUtf8(const char16_t* text)
{
    if (!text) {
        return {};
    }
    return ToUtf8(text, std::char_traits<char16_t>::length(text));
}

std::u16string ToUtf16(const char* text, size_t length)
{
    std::u16string out;
    out.reserve(length);
    DecodeUtf8(reinterpret_cast<const unsigned char*>(text), length, false, out);
    return out;
}

std::u16string ToUtf16(const char* text)
{
    if (!text) {
        return {};
    }
    return ToUtf16(text, std::strlen(text));
}

}  // namespace nirasim
