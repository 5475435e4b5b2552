#include "package/niradmc/DmcPath.h"

#include <strsafe.h>

namespace {

const LPCWSTR kStructuralNames[] = {TEXT("device"),  TEXT("software"), TEXT("component"),
                                    TEXT("current"), TEXT("printing"), TEXT("physical")};
constexpr size_t kSegmentChars = 260;

bool IsStructural(LPCWSTR name)
{
    for (LPCWSTR structural : kStructuralNames) {
        if (lstrcmpW(name, structural) == 0) {
            return true;
        }
    }
    return false;
}

// Splits "name[value]" (the value may be absent); false for a malformed segment.
bool SplitSegment(LPWSTR segment, LPCWSTR* name, LPCWSTR* value)
{
    *name = segment;
    *value = nullptr;
    for (LPWSTR c = segment; *c != 0; ++c) {
        if (*c == TEXT('\'') || *c == TEXT('"')) {
            return false;
        }
    }
    int length = lstrlenW(segment);
    if (length == 0) {
        return false;
    }
    if (segment[length - 1] != TEXT(']')) {
        return true;
    }
    for (int i = 0; i < length - 1; ++i) {
        if (segment[i] == TEXT('[')) {
            segment[i] = 0;
            segment[length - 1] = 0;
            *value = segment + i + 1;
            return i > 0;
        }
    }
    return false;
}

HRESULT AppendStep(LPWSTR xpath, LPCWSTR name, LPCWSTR value)
{
    size_t used = 0;
    StringCchLengthW(xpath, kDmcXPathChars, &used);
    LPWSTR end = xpath + used;
    size_t left = kDmcXPathChars - used;
    LPCWSTR separator = used > 0 && xpath[used - 1] != TEXT('/') ? TEXT("/") : TEXT("");
    if (IsStructural(name)) {
        return value == nullptr
                   ? StringCchPrintfW(end, left, TEXT("%s%s"), separator, name)
                   : StringCchPrintfW(end, left, TEXT("%s%s[@name='%s']"), separator, name, value);
    }
    return value == nullptr ? StringCchPrintfW(end, left, TEXT("%sfeature[@name='%s']"), separator, name)
                            : StringCchPrintfW(end, left, TEXT("%sfeature[@name='%s']/option[@name='%s']"),
                                               separator, name, value);
}

}  // namespace

bool DmcPathToXPath(LPCWSTR path, LPWSTR xpath, bool* absolute)
{
    if (path == nullptr || xpath == nullptr || absolute == nullptr || path[0] == 0) {
        return false;
    }
    xpath[0] = 0;
    *absolute = false;
    bool first = true;
    for (LPCWSTR start = path; *start != 0;) {
        LPCWSTR end = start;
        while (*end != 0 && *end != TEXT('/')) {
            ++end;
        }
        WCHAR segment[kSegmentChars] = {};
        size_t length = static_cast<size_t>(end - start);
        if (length == 0 || length >= kSegmentChars) {
            return false;
        }
        CopyMemory(segment, start, length * sizeof(WCHAR));
        LPCWSTR name = nullptr;
        LPCWSTR value = nullptr;
        if (!SplitSegment(segment, &name, &value)) {
            return false;
        }
        if (first && lstrcmpW(name, TEXT("device")) == 0) {
            *absolute = true;
            StringCchCopyW(xpath, kDmcXPathChars, TEXT("/"));
        }
        first = false;
        if (FAILED(AppendStep(xpath, name, value))) {
            return false;
        }
        start = *end == TEXT('/') ? end + 1 : end;
        if (*end == TEXT('/') && *start == 0) {
            return false;  // a trailing "/"
        }
    }
    return true;
}
