// The statements one database connection runs again and again, compiled once and kept: a reader
// enumerating features or widgets runs the same few texts for every one of them, differing only
// in a number, and compiling a text costs more than running it.
#pragma once

#include <windows.h>

#include <sqlite3.h>

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"

class CNiraStatementCache {
public:
    // Statements kept at most; a text beyond them is compiled, run and finalized on its own.
    static constexpr int kCapacity = 32;

    CNiraStatementCache();
    ~CNiraStatementCache();
    CNiraStatementCache(const CNiraStatementCache&) = delete;
    CNiraStatementCache& operator=(const CNiraStatementCache&) = delete;

    // Runs text on the connection with the row callback, as ExecuteQuery runs one statement;
    // with a number, the statement is text followed by one parameter ("?") that the number is
    // bound to. Answers SQLite's result code (SQLITE_ABORT when the callback stopped the rows).
    int Run(sqlite3* connection, LPCSTR text, const LONGLONG* number, NiraQueryRowCallback callback,
            void* argument);
    // Finalizes every statement; required before the connection closes, and never done while a
    // statement's rows are being read (IsRunning).
    void Clear();
    BOOL IsRunning() const;

private:
    struct Entry {
        LPSTR text;     // a copy of the caller's text
        bool numbered;  // the statement is the text and a parameter
        sqlite3_stmt* statement;
    };

    sqlite3_stmt* Find(LPCSTR text, bool numbered) const;
    int Prepare(sqlite3* connection, LPCSTR text, bool numbered, sqlite3_stmt** statement) const;

    sqlite3* m_connection;  // the connection the statements belong to
    Entry m_entries[kCapacity];
    int m_count;
};
