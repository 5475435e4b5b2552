// The machine's one UTF-8 <-> UTF-16 conversion, shared by the code page functions and the DOM.
#pragma once

#include <cstddef>
#include <string>

namespace nirasim {

// Each conversion appends to out. A malformed sequence (an unpaired surrogate when encoding) fails
// the whole call when strict, else becomes U+FFFD.
bool DecodeUtf8(const unsigned char* s, size_t n, bool strict, std::u16string& out);
bool EncodeUtf8(const char16_t* s, size_t n, bool strict, std::string& out);

}  // namespace nirasim
