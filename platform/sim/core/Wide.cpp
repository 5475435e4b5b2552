#include "core/Wide.h"

#include <algorithm>
#include <cstring>

namespace nirasim::sim {

std::u16string WideFrom(const WCHAR* text)
{
    if (text == nullptr) {
        return {};
    }
    return std::u16string(text);
}

std::u16string WideFromUtf8(std::string_view utf8)
{
    std::u16string out;
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        size_t extra = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        }
        ++i;
        for (size_t k = 0; k < extra; ++k, ++i) {
            if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
                cp = 0xFFFD;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf8FromWide(std::u16string_view wide)
{
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

char16_t FoldUpper(char16_t c)
{
    if (c >= u'a' && c <= u'z') {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c < 0xE0) {
        return c;
    }
    if (c <= 0xFE && c != 0xF7) {
        return static_cast<char16_t>(c - 0x20);  // Latin-1 letters
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) {
        return static_cast<char16_t>(c - 0x20);  // Greek
    }
    if (c >= 0x430 && c <= 0x44F) {
        return static_cast<char16_t>(c - 0x20);  // Cyrillic
    }
    if (c >= 0x450 && c <= 0x45F) {
        return static_cast<char16_t>(c - 0x50);
    }
    return c;
}

std::u16string UpperCase(std::u16string_view text)
{
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldUpper);
    return out;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldUpper(a[i]) != FoldUpper(b[i])) {
            return false;
        }
    }
    return true;
}

bool NoCaseLess::operator()(const std::u16string& a, const std::u16string& b) const
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t x = FoldUpper(a[i]);
        char16_t y = FoldUpper(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

bool CopyWideOut(std::u16string_view text, WCHAR* buffer, size_t capacity)
{
    if (buffer == nullptr || capacity < text.size() + 1) {
        return false;
    }
    std::memcpy(buffer, text.data(), text.size() * sizeof(WCHAR));
    buffer[text.size()] = 0;
    return true;
}

}  // namespace nirasim::sim
