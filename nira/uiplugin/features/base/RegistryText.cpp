#include "nira/uiplugin/features/base/RegistryText.h"

#include <utility>

namespace {

constexpr DWORD kWholeTextLimitBytes = 0x100000;

// Reads into a buffer of bytes + one character and terminates after what was read.
bool ReadInto(HKEY key, LPCWSTR name, WCHAR* buffer, DWORD bytes)
{
    DWORD size = bytes;
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        size > bytes) {
        return false;
    }
    buffer[size / sizeof(WCHAR)] = 0;
    return true;
}

}  // namespace

bool ReadRegistryText(HKEY key, LPCWSTR name, LPWSTR text, DWORD chars)
{
    if (text == nullptr || chars == 0) {
        return false;
    }
    text[0] = 0;
    auto read = CNiraLocalBuffer<WCHAR>::Allocate((chars + 1) * sizeof(WCHAR));
    if (!read || !ReadInto(key, name, read.Get(), chars * sizeof(WCHAR))) {
        return false;
    }
    DWORD length = 0;
    while (length < chars && read.Get()[length] != 0) {
        ++length;
    }
    if (length >= chars) {
        return false;
    }
    for (DWORD i = 0; i <= length; ++i) {
        text[i] = read.Get()[i];
    }
    return true;
}

bool ReadRegistryText(HKEY key, LPCWSTR name, CNiraLocalBuffer<WCHAR>& text)
{
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
        bytes > kWholeTextLimitBytes) {
        return false;
    }
    auto read = CNiraLocalBuffer<WCHAR>::Allocate(bytes + 2 * sizeof(WCHAR));
    if (!read || !ReadInto(key, name, read.Get(), bytes)) {
        return false;
    }
    text = std::move(read);
    return true;
}
