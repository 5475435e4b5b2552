// The temporary copy of one database file that a reader works on: the path it was given, the
// connection of the copy (opened lazily by the first query), and the query routine every reader
// runs its statements through.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nira/uiplugin/foundation/databases/QueryText.h"

class CNiraDatabaseCopy
{
public:
    CNiraDatabaseCopy();
    ~CNiraDatabaseCopy();
    CNiraDatabaseCopy(const CNiraDatabaseCopy&) = delete;
    CNiraDatabaseCopy& operator=(const CNiraDatabaseCopy&) = delete;

    // Replaces the stored path (at most MAX_PATH - 1 characters; a longer path is refused and
    // leaves no path, so that no other file is opened by mistake).
    BOOL SetPath(LPCWSTR path);
    // Opens a copy of the stored path when none is open; TRUE when a copy is open.
    BOOL EnsureOpen();
    // Closes the copy (which sweeps the temporary directory); FALSE when none was open.
    BOOL Close();
    BOOL IsOpen() const { return m_database != nullptr; }

    // Runs a complete statement (opening the copy first when needed): 0, or NIRA_STATUS_FAILED
    // when the statement did not fit its buffer, no copy could be opened, or the query failed or
    // was stopped by its callback.
    LONG Run(const CNiraQueryText& sql, NiraQueryRowCallback callback, void* argument);
    LONG Run(LPCSTR sql, NiraQueryRowCallback callback, void* argument);

private:
    sqlite3* m_database;
    LPWSTR m_path;
};
