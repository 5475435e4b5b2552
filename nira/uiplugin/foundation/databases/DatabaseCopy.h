// The temporary copy of one database file that a reader works on: the path it was given, the
// connection of the copy (opened lazily by the first query), and the query routine every reader
// runs its statements through.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nira/uiplugin/foundation/databases/QueryText.h"
#include "nira/uiplugin/foundation/databases/StatementCache.h"

class CNiraDatabaseCopy {
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
    // Closes the copy (which sweeps the temporary directory); FALSE when none was open, or when
    // called from a row callback of a statement running on the copy (the copy stays open).
    BOOL Close();
    BOOL IsOpen() const { return m_database != nullptr; }

    // Runs a complete statement (opening the copy first when needed): 0, or NIRA_STATUS_FAILED
    // when the statement did not fit its buffer, no copy could be opened, or the query failed or
    // was stopped by its callback.
    LONG Run(const CNiraQueryText& sql, NiraQueryRowCallback callback, void* argument);
    // The same for a constant text, compiled once for the copy.
    LONG Run(LPCSTR sql, NiraQueryRowCallback callback, void* argument);
    // The statement textBeforeNumber followed by the number, with the rows that the text with the
    // number pasted in quotes gives (the readers compare it with integer columns); compiled once
    // for the copy, the number bound at every run.
    LONG RunWithNumber(LPCSTR textBeforeNumber, LONGLONG number, NiraQueryRowCallback callback,
                       void* argument);
    // Runs a caller's text of one or more statements (opening the copy first when needed) as
    // ExecuteQuery does, for a reader that borrows this copy: SQLite's result code, SQLITE_CANTOPEN
    // when no copy could be opened. *errorText as ExecuteQuery gives it.
    int Execute(LPCSTR sql, NiraQueryRowCallback callback, void* argument, char** errorText);

    // One read transaction around several statements: they share one lock of the file and one
    // check that it has not changed. Nested, or on a copy that cannot be opened, it does nothing.
    class ReadTransaction {
    public:
        explicit ReadTransaction(CNiraDatabaseCopy& copy);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;

    private:
        CNiraDatabaseCopy& m_copy;
        BOOL m_began;
    };

private:
    LONG Finish(int result) const;

    sqlite3* m_database;
    LPWSTR m_path;
    CNiraStatementCache m_statements;  // of m_database
    int m_executing;                   // Execute calls whose rows are being read
};
