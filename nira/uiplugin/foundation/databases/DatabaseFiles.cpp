#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"

#include <strsafe.h>

namespace {
constexpr LPCWSTR kCopyPrefix = TEXT("ZQVDF");
constexpr LPCWSTR kCopyExtension = TEXT(".vdf");
constexpr LPCWSTR kCopyPattern = TEXT("*.tmp.vdf");
// Names tried before giving up when each one is already taken by another reader's copy.
constexpr int kMaxCopyNameAttempts = 16;

// The text after the last '\' of a path.
LPCWSTR BaseName(LPCWSTR path)
{
    LPCWSTR base = path;
    for (LPCWSTR p = path; *p != 0; ++p) {
        if (*p == TEXT('\\')) {
            base = p + 1;
        }
    }
    return base;
}

// Makes the name of a new copy in the temporary directory. The unique empty file that
// GetTempFileNameW creates is removed again: the copy takes its name with ".vdf" appended.
BOOL MakeCopyName(LPCWSTR shippedPath, LPWSTR name, size_t capacity)
{
    WCHAR tempDir[MAX_PATH] = {};
    DWORD length = GetTempPathW(MAX_PATH, tempDir);
    if (length == 0 || length >= MAX_PATH) {
        return FALSE;
    }
    if (GetTempFileNameW(tempDir, kCopyPrefix, 0, name) != 0) {
        DeleteFileW(name);
    } else if (FAILED(StringCchCopyW(name, capacity, tempDir)) ||
               FAILED(StringCchCatW(name, capacity, BaseName(shippedPath)))) {
        // Without a unique name the copy is named after the shipped file. Nothing is deleted
        // here: a file of that name was not made by this reader.
        return FALSE;
    }
    return SUCCEEDED(StringCchCatW(name, capacity, kCopyExtension));
}

void SweepCopies()
{
    WCHAR tempDir[MAX_PATH] = {};
    WCHAR pattern[MAX_PATH] = {};
    DWORD length = GetTempPathW(MAX_PATH, tempDir);
    if (length == 0 || length >= MAX_PATH || FAILED(StringCchCopyW(pattern, MAX_PATH, tempDir)) ||
        FAILED(StringCchCatW(pattern, MAX_PATH, kCopyPattern))) {
        return;
    }

    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    int swept = 0;
    do {
        WCHAR path[MAX_PATH] = {};
        if (SUCCEEDED(StringCchCopyW(path, MAX_PATH, tempDir)) &&
            SUCCEEDED(StringCchCatW(path, MAX_PATH, found.cFileName))) {
            DeleteFileW(path);
        }
    } while (swept++ < kMaxSweptCopies && FindNextFileW(search, &found));
    FindClose(search);
}
}  // namespace

int OpenDatabaseCopy(LPCWSTR shippedPath, sqlite3** connection)
{
    if (connection == nullptr) {
        return SQLITE_MISUSE;
    }
    *connection = nullptr;
    if (shippedPath == nullptr) {
        return SQLITE_CANTOPEN;
    }

    // The unique name is unique for the ".tmp" file only, which is removed again: a copy of
    // another reader may already hold the ".vdf" name, and is never opened in place of ours.
    WCHAR copyPath[MAX_PATH] = {};
    BOOL named = FALSE;
    for (int attempt = 0; attempt < kMaxCopyNameAttempts && !named; ++attempt) {
        if (!MakeCopyName(shippedPath, copyPath, MAX_PATH)) {
            return SQLITE_CANTOPEN;
        }
        // Any other failure of the copy is not an error here: the open then makes an empty
        // database, whose first query fails with "no such table".
        named = CopyFileW(shippedPath, copyPath, TRUE) || GetLastError() != ERROR_FILE_EXISTS;
    }
    if (!named) {
        return SQLITE_CANTOPEN;
    }

    sqlite3* opened = nullptr;
    int result = sqlite3_open16(copyPath, &opened);
    if (result != SQLITE_OK) {
        CloseDatabaseCopy(opened);
        return result;
    }
    *connection = opened;
    return SQLITE_OK;
}

int ExecuteQuery(sqlite3* connection, LPCSTR sql, NiraQueryRowCallback callback, void* argument,
                 char** errorText)
{
    return sqlite3_exec(connection, sql, callback, argument, errorText);
}

LONG QueryResultError(int result)
{
    switch (result & 0xFF) {  // the primary code, without the extended bits
    case SQLITE_OK:
        return ERROR_SUCCESS;
    case SQLITE_NOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ERROR_READ_FAULT;
    default:
        return ERROR_INVALID_DATA;
    }
}

void FreeQueryError(char* errorText)
{
    sqlite3_free(errorText);
}

void CloseDatabaseCopy(sqlite3* connection)
{
    sqlite3_close(connection);
    SweepCopies();
}
