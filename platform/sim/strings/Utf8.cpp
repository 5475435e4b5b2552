#include "strings/Utf8.h"

#include <algorithm>

namespace nirasim {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

}  // namespace

bool DecodeUtf8(const unsigned char* s, size_t n, bool strict, std::u16string& out)
{
    size_t i = 0;
    while (i < n) {
        // A run of ASCII (most text) is copied at once.
        size_t run = i;
        while (run < n && s[run] < 0x80) {
            ++run;
        }
        if (run > i) {
            const size_t at = out.size();
            out.resize(at + (run - i));
            std::copy(s + i, s + run, &out[at]);
            i = run;
            continue;
        }
        unsigned char b = s[i];
        int extra = b < 0x80                  ? 0
                    : (b >= 0xC2 && b < 0xE0) ? 1
                    : (b >= 0xE0 && b < 0xF0) ? 2
                    : (b >= 0xF0 && b < 0xF5) ? 3
                                              : -1;
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        size_t used = 1;
        bool valid = extra >= 0;
        for (int k = 1; valid && k <= extra; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (s[i + k] & 0x3F);
            used = static_cast<size_t>(k) + 1;
        }
        // Overlong forms, surrogates and values above U+10FFFF are malformed too.
        if (valid && ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) ||
                      (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))) {
            valid = false;
        }
        if (!valid) {
            if (strict) {
                return false;
            }
            out += kReplacement;
            i += used;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += used;
    }
    return true;
}

bool EncodeUtf8(const char16_t* s, size_t n, bool strict, std::string& out)
{
    for (size_t i = 0; i < n; ++i) {
        // A run of ASCII (most text) is copied at once.
        size_t run = i;
        while (run < n && s[run] < 0x80) {
            ++run;
        }
        if (run > i) {
            const size_t at = out.size();
            out.resize(at + (run - i));
            std::copy(s + i, s + run, &out[at]);
            i = run - 1;
            continue;
        }
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            if (strict) {
                return false;
            }
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return true;
}

}  // namespace nirasim
