#include "printprocessor/JobParameter.h"

namespace {

constexpr WORD kValueSize = sizeof(DWORD);

enum ScanState { BETWEEN_ENTRIES, IN_KEY, AFTER_KEY, AFTER_EQUALS, IN_VALUE, AFTER_VALUE };

WCHAR FoldAsciiCase(WCHAR c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<WCHAR>(c - 'a' + 'A') : c;
}

bool IsBlank(WCHAR c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(WCHAR c)
{
    return c >= '0' && c <= '9';
}

// The entry name starting at entry begins with the key (A to Z without case). The entry is
// known to run at least up to the current position, and the text is terminated, so the
// comparison stops at the terminator at the latest.
bool EntryMatchesKey(LPCWSTR entry, LPCWSTR key)
{
    for (; *key != 0; ++entry, ++key) {
        if (*entry == 0 || FoldAsciiCase(*entry) != FoldAsciiCase(*key)) {
            return false;
        }
    }
    return true;
}

// Behind the next ";", or null at the end of the text.
LPCWSTR SkipEntry(LPCWSTR at)
{
    for (; *at != 0; ++at) {
        if (*at == ';') {
            return at + 1;
        }
    }
    return nullptr;
}

DWORD ReadDecimal(LPCWSTR digits)
{
    DWORD value = 0;
    for (; IsDigit(*digits); ++digits) {
        value = value * 10 + static_cast<DWORD>(*digits - '0');
    }
    return value;
}

// Finds the key's value; true with the value, false when the text ends first.
bool ScanForKey(LPCWSTR text, LPCWSTR key, DWORD* value)
{
    ScanState state = BETWEEN_ENTRIES;
    LPCWSTR entry = nullptr;
    LPCWSTR valueStart = nullptr;
    LPCWSTR at = text;
    while (at != nullptr && *at != 0) {
        WCHAR c = *at;
        bool skip = false;
        switch (state) {
        case BETWEEN_ENTRIES:
            if (c == '=') {
                skip = true;
            } else if (!IsBlank(c) && c != ';') {
                entry = at;
                state = IN_KEY;
            }
            break;
        case IN_KEY:
            if (c == ';') {
                state = BETWEEN_ENTRIES;
            } else if (IsBlank(c) || c == '=') {
                if (!EntryMatchesKey(entry, key)) {
                    skip = true;
                } else {
                    state = c == '=' ? AFTER_EQUALS : AFTER_KEY;
                }
            }
            break;
        case AFTER_KEY:
            if (c == ';') {
                state = BETWEEN_ENTRIES;
            } else if (!IsBlank(c)) {
                skip = true;
            }
            break;
        case AFTER_EQUALS:
            if (c == ';') {
                state = BETWEEN_ENTRIES;
            } else if (c == '=') {
                skip = true;
            } else if (!IsBlank(c)) {
                valueStart = at;
                state = IN_VALUE;
            }
            break;
        case IN_VALUE:
            if (IsBlank(c)) {
                state = AFTER_VALUE;
            } else if (c == ';') {
                if (IsDigit(*valueStart)) {
                    *value = ReadDecimal(valueStart);
                    return true;
                }
                state = BETWEEN_ENTRIES;
            } else if (c == '=') {
                skip = true;
            }
            break;
        case AFTER_VALUE:
            if (c == ';') {
                state = BETWEEN_ENTRIES;
            } else if (!IsBlank(c)) {
                skip = true;
            }
            break;
        }
        if (skip) {
            at = SkipEntry(at);
            state = BETWEEN_ENTRIES;
        } else {
            ++at;
        }
    }
    return false;
}

}  // namespace

DWORD ReadJobParameter(LPCWSTR text, LPCWSTR key, WORD* size, DWORD* value)
{
    if (text == nullptr || key == nullptr || size == nullptr || value == nullptr) {
        if (size != nullptr) {
            *size = 0;
        }
        return ERROR_INVALID_PARAMETER;
    }
    if (*size < kValueSize) {
        *size = 0;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (!ScanForKey(text, key, value)) {
        *size = 0;
        return ERROR_NO_DATA;
    }
    return ERROR_SUCCESS;
}
