// UTF-16 helpers inside the simulated machine: conversions, case folding as Windows compares
// names, and bounded copies into callers' buffers.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace nirasim::sim {

// A caller's terminated wide text as a string; null gives an empty string.
std::u16string WideFrom(const WCHAR* text);
std::u16string WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::u16string_view wide);

// Upper case as Windows compares names: ASCII, Latin-1 and the basic Greek and Cyrillic letters.
char16_t FoldUpper(char16_t c);
std::u16string UpperCase(std::u16string_view text);
bool EqualNoCase(std::u16string_view a, std::u16string_view b);

// Comparison for ordered containers keyed without regard to case.
struct NoCaseLess {
    bool operator()(const std::u16string& a, const std::u16string& b) const;
};

// Copies text and its terminator into a buffer of `capacity` characters when it fits.
bool CopyWideOut(std::u16string_view text, WCHAR* buffer, size_t capacity);

}  // namespace nirasim::sim
