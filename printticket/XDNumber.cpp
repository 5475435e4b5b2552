#include "printticket/XDNumber.h"

#include "printticket/XDQName.h"

#include <limits.h>

bool XDParseInteger(LPCWSTR text, int& value)
{
    const XDText trimmed = XDTrimmed(text);
    size_t at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed[at] == TEXT('+') || trimmed[at] == TEXT('-'))) {
        negative = trimmed[at++] == TEXT('-');
    }
    if (at == trimmed.size()) {
        return false;
    }
    // Stops as soon as the magnitude leaves the range, so a long run of digits cannot overflow.
    long long magnitude = 0;
    for (; at < trimmed.size(); ++at) {
        if (trimmed[at] < TEXT('0') || trimmed[at] > TEXT('9')) {
            return false;
        }
        magnitude = magnitude * 10 + (trimmed[at] - TEXT('0'));
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            return false;
        }
    }
    if (!negative && magnitude > INT_MAX) {
        return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}
