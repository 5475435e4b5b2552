#include "common/ProcessIdentity.h"

#include "common/NiraStatus.h"

#include <strsafe.h>

namespace {

const char kSpoolerProgram[] = "spoolsv.exe";
constexpr size_t kUserNameChars = 260;

// The last token of a path split at '\' and ',' (empty tokens skipped), copied into token.
void LastToken(LPCSTR path, char (&token)[MAX_PATH])
{
    token[0] = 0;
    const char* start = nullptr;
    size_t count = 0;
    for (const char* c = path; *c != 0; ++c) {
        if (*c == '\\' || *c == ',') {
            continue;
        }
        if (c == path || c[-1] == '\\' || c[-1] == ',') {
            start = c;
            count = 0;
        }
        ++count;
    }
    if (start != nullptr) {
        StringCchCopyNA(token, MAX_PATH, start, count);
    }
}

bool IsSpooler(LPCSTR baseName)
{
    return _stricmp(baseName, kSpoolerProgram) == 0;
}

// The process's program path: NIRA_STATUS_OK, ERROR_INSUFFICIENT_BUFFER when it is too long to
// read whole, NIRA_STATUS_FAILED when it cannot be read.
LONG ReadProgramPath(char (&path)[MAX_PATH])
{
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0) {
        return NIRA_STATUS_FAILED;
    }
    return length < MAX_PATH ? NIRA_STATUS_OK : ERROR_INSUFFICIENT_BUFFER;
}

bool ProgramPath(char (&path)[MAX_PATH])
{
    return ReadProgramPath(path) == NIRA_STATUS_OK;
}

}  // namespace

LONG GetProcessBaseName(LPSTR out, size_t size, size_t* length)
{
    char path[MAX_PATH];
    if (length == nullptr || !ProgramPath(path)) {
        return NIRA_STATUS_FAILED;
    }
    char base[MAX_PATH];
    LastToken(path, base);
    if (FAILED(StringCchLengthA(base, MAX_PATH, length))) {
        return NIRA_STATUS_FAILED;
    }
    if (out == nullptr || size <= *length) {
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (!IsSpooler(base)) {
        StringCchPrintfA(out, size, "%s", base);
    }
    return NIRA_STATUS_OK;
}

LONG GetProcessPath(LPSTR out, size_t size, size_t* length)
{
    char path[MAX_PATH];
    if (out == nullptr || size == 0 || length == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const LONG read = ReadProgramPath(path);
    if (read != NIRA_STATUS_OK) {
        return read;
    }
    if (FAILED(StringCchLengthA(path, MAX_PATH, length))) {
        return NIRA_STATUS_FAILED;
    }
    if (size <= *length) {
        return ERROR_INSUFFICIENT_BUFFER;
    }
    char base[MAX_PATH];
    LastToken(path, base);
    if (!IsSpooler(base)) {
        StringCchCopyA(out, size, path);
    }
    return NIRA_STATUS_OK;
}

LONG GetFileBaseName(LPCSTR path, LPSTR out, size_t size, size_t* length)
{
    if (path == nullptr || out == nullptr || size == 0 || length == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    char base[MAX_PATH];
    LastToken(path, base);
    if (FAILED(StringCchLengthA(base, MAX_PATH, length))) {
        return NIRA_STATUS_FAILED;
    }
    if (size <= *length) {
        return ERROR_INSUFFICIENT_BUFFER;
    }
    StringCchCopyA(out, size, base);
    return NIRA_STATUS_OK;
}

LONG GetCurrentUserName(LPWSTR out, size_t size)
{
    WCHAR name[kUserNameChars];
    DWORD chars = kUserNameChars;
    if (out == nullptr || !GetUserNameW(name, &chars)) {
        return NIRA_STATUS_FAILED;
    }
    StringCchPrintfW(out, size, TEXT("%s"), name);
    return NIRA_STATUS_OK;
}

LONG GetUserUILanguage(LANGID* language)
{
    if (language != nullptr) {
        *language = GetUserDefaultUILanguage();
    }
    return NIRA_STATUS_OK;
}

LPWSTR MakeIntResource(UINT number)
{
    return MAKEINTRESOURCEW(number & 0xFFFF);
}

BOOL IsStateOverrideEnabled()
{
    return FALSE;
}
