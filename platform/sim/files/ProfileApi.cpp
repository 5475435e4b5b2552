// Private-profile (INI) files: read-only access as the driver needs it. Sections and keys match
// without regard to case; the first of equal keys counts; values lose surrounding blanks and one
// pair of matching quotes. Files are UTF-16 with a byte-order mark, or UTF-8 (ASCII) text.
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <cwctype>
#include <vector>

namespace nirasim::sim {
namespace {

constexpr size_t kProfileSizeLimit = 1 << 20;

struct ProfileEntry {
    std::u16string key;
    std::u16string value;
};

struct ProfileSection {
    std::u16string name;
    std::vector<ProfileEntry> entries;
};

std::u16string Decode(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return text;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return WideFromUtf8(std::string_view(bytes).substr(3));
    }
    return WideFromUtf8(bytes);
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v';
}

std::u16string Trim(std::u16string_view text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return std::u16string(text.substr(first, last - first));
}

std::u16string Unquote(std::u16string value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<ProfileSection> Parse(const std::u16string& text)
{
    std::vector<ProfileSection> sections;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) {
            end = text.size();
        }
        std::u16string line = Trim(std::u16string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == u';') {
            continue;
        }
        if (line[0] == u'[') {
            size_t close = line.find(u']');
            sections.push_back({Trim(std::u16string_view(line).substr(
                                    1, close == std::u16string::npos ? std::u16string::npos : close - 1)),
                                {}});
            continue;
        }
        size_t equals = line.find(u'=');
        if (sections.empty() || equals == std::u16string::npos) {
            continue;
        }
        sections.back().entries.push_back({Trim(std::u16string_view(line).substr(0, equals)),
                                           Unquote(Trim(std::u16string_view(line).substr(equals + 1)))});
    }
    return sections;
}

const ProfileSection* FindSection(const std::vector<ProfileSection>& sections, const std::u16string& name)
{
    for (const auto& section : sections) {
        if (EqualNoCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

// A single text: at most size - 1 characters and the terminator.
DWORD AnswerValue(const std::u16string& value, WCHAR* buffer, DWORD size)
{
    size_t count = std::min<size_t>(value.size(), size - 1);
    value.copy(buffer, count);
    buffer[count] = 0;
    return static_cast<DWORD>(count);
}

// A list of names, each terminated, closed by an empty one; a list that does not fit is cut and
// answers size - 2.
DWORD AnswerList(const std::vector<std::u16string>& names, WCHAR* buffer, DWORD size)
{
    std::u16string packed;
    for (const auto& name : names) {
        packed += name;
        packed.push_back(0);
    }
    if (packed.size() + 1 <= size) {
        packed.copy(buffer, packed.size());
        buffer[packed.size()] = 0;
        return static_cast<DWORD>(packed.empty() ? 0 : packed.size());
    }
    if (size < 2) {
        buffer[0] = 0;
        return 0;
    }
    packed.copy(buffer, size - 2);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    return size - 2;
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

DWORD WINAPI GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault,
                                      LPWSTR lpReturnedString, DWORD nSize, LPCWSTR lpFileName)
{
    if (lpReturnedString == nullptr || nSize == 0) {
        return 0;
    }
    std::u16string fallback = WideFrom(lpDefault);
    while (!fallback.empty() && fallback.back() == u' ') {
        fallback.pop_back();
    }
    std::string contents;
    if (lpFileName == nullptr || !ReadHostFile(MapWindowsPath(lpFileName), contents, kProfileSizeLimit)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return AnswerValue(lpAppName && lpKeyName ? fallback : std::u16string(), lpReturnedString, nSize);
    }
    std::vector<ProfileSection> sections = Parse(Decode(contents));
    if (lpAppName == nullptr) {
        std::vector<std::u16string> names;
        for (const auto& section : sections) {
            names.push_back(section.name);
        }
        return AnswerList(names, lpReturnedString, nSize);
    }
    const ProfileSection* section = FindSection(sections, lpAppName);
    if (lpKeyName == nullptr) {
        std::vector<std::u16string> keys;
        if (section != nullptr) {
            for (const auto& entry : section->entries) {
                keys.push_back(entry.key);
            }
        }
        return AnswerList(keys, lpReturnedString, nSize);
    }
    if (section != nullptr) {
        for (const auto& entry : section->entries) {
            if (EqualNoCase(entry.key, lpKeyName)) {
                SetLastError(ERROR_SUCCESS);
                return AnswerValue(entry.value, lpReturnedString, nSize);
            }
        }
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return AnswerValue(fallback, lpReturnedString, nSize);
}

UINT WINAPI GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault, LPCWSTR lpFileName)
{
    WCHAR text[32];
    if (GetPrivateProfileStringW(lpAppName, lpKeyName, u"", text, 32, lpFileName) == 0) {
        return static_cast<UINT>(nDefault);
    }
    bool negative = text[0] == u'-';
    UINT value = 0;
    for (const WCHAR* c = text + (negative ? 1 : 0); *c >= u'0' && *c <= u'9'; ++c) {
        value = value * 10 + static_cast<UINT>(*c - u'0');
    }
    return negative ? static_cast<UINT>(-static_cast<INT>(value)) : value;
}
