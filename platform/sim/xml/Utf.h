// UTF-8 <-> UTF-16 conversion at the boundary between the DOM interfaces and libxml2, on the
// machine's one conversion (strings/Utf8.h).
#pragma once

#include <string>

namespace nirasim {

// Invalid sequences become U+FFFD; nothing is dropped silently.
std::string ToUtf8(const char16_t* text, size_t length);
std::string ToUtf8(const char16_t* text);
std::u16string ToUtf16(const char* text, size_t length);
std::u16string ToUtf16(const char* text);

}  // namespace nirasim
