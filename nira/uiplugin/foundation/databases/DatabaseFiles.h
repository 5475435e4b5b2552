// The feature databases are shipped as SQLite files in the driver directory. A reader never opens
// the shipped file: it copies it to a fresh file in the temporary directory and opens the copy, so
// the shipped file is never locked or changed. Closing a copy sweeps the temporary directory of
// closed copies ("*.tmp.vdf").
#pragma once

#include <windows.h>

#include <sqlite3.h>

// The row callback of a query: (argument, column count, column texts, column names); a non-zero
// answer stops the query, which then reports SQLITE_ABORT.
typedef int (*NiraQueryRowCallback)(void* argument, int columnCount, char** values, char** names);

// Copies the shipped database to a new temporary file and opens the copy. Answers SQLite's result
// code; on success *connection is the open copy, otherwise null.
int OpenDatabaseCopy(LPCWSTR shippedPath, sqlite3** connection);

// Runs the statement, calling the callback once a row. *errorText (may be null) receives SQLite's
// message on failure, to be freed with FreeQueryError.
int ExecuteQuery(sqlite3* connection, LPCSTR sql, NiraQueryRowCallback callback, void* argument,
                 char** errorText);

void FreeQueryError(char* errorText);

// The Win32 error of a failed query: ERROR_NOT_ENOUGH_MEMORY or ERROR_READ_FAULT when the machine
// failed (memory, the file), ERROR_INVALID_DATA when the database does not hold what was asked;
// ERROR_SUCCESS for SQLITE_OK.
LONG QueryResultError(int result);

// Closes the copy, then deletes the first "*.tmp.vdf" file of the temporary directory and up to
// kMaxSweptCopies more: copies of other readers too, except those still open.
void CloseDatabaseCopy(sqlite3* connection);

constexpr int kMaxSweptCopies = 100;
