#include "nira/uiplugin/foundation/databases/DatabaseCopy.h"

#include <strsafe.h>

#include "common/NiraStatus.h"

CNiraDatabaseCopy::CNiraDatabaseCopy() : m_database(nullptr), m_path(nullptr), m_executing(0) {}

CNiraDatabaseCopy::~CNiraDatabaseCopy()
{
    Close();
    if (m_path != nullptr) {
        LocalFree(m_path);
    }
}

BOOL CNiraDatabaseCopy::SetPath(LPCWSTR path)
{
    if (m_path != nullptr) {
        LocalFree(m_path);
        m_path = nullptr;
    }
    if (path == nullptr) {
        return FALSE;
    }
    m_path = static_cast<LPWSTR>(LocalAlloc(LPTR, MAX_PATH * sizeof(WCHAR)));
    if (m_path == nullptr) {
        return FALSE;
    }
    if (FAILED(StringCchCopyW(m_path, MAX_PATH, path))) {
        LocalFree(m_path);
        m_path = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CNiraDatabaseCopy::EnsureOpen()
{
    if (m_database == nullptr && m_path != nullptr) {
        OpenDatabaseCopy(m_path, &m_database);
        // The copy is this reader's alone: its read lock is kept from the first read to the close,
        // so that no statement locks the file again or checks that it changed.
        if (m_database != nullptr) {
            sqlite3_exec(m_database, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
        }
    }
    return m_database != nullptr;
}

BOOL CNiraDatabaseCopy::Close()
{
    if (m_database == nullptr || m_executing != 0 || m_statements.IsRunning()) {
        return FALSE;
    }
    m_statements.Clear();
    CloseDatabaseCopy(m_database);
    m_database = nullptr;
    return TRUE;
}

LONG CNiraDatabaseCopy::Run(const CNiraQueryText& sql, NiraQueryRowCallback callback, void* argument)
{
    // A statement cut short could select other rows than intended: it is never run.
    if (!sql.IsComplete() || !EnsureOpen()) {
        return NIRA_STATUS_FAILED;
    }
    char* errorText = nullptr;
    int result = ExecuteQuery(m_database, sql.Text(), callback, argument, &errorText);
    FreeQueryError(errorText);
    return Finish(result);
}

LONG CNiraDatabaseCopy::Run(LPCSTR sql, NiraQueryRowCallback callback, void* argument)
{
    if (sql == nullptr || !EnsureOpen()) {
        return NIRA_STATUS_FAILED;
    }
    return Finish(m_statements.Run(m_database, sql, nullptr, callback, argument));
}

LONG CNiraDatabaseCopy::RunWithNumber(LPCSTR textBeforeNumber, LONGLONG number, NiraQueryRowCallback callback,
                                      void* argument)
{
    // As a statement built in its buffer, the text and its parameter must fit the buffer.
    size_t length = 0;
    if (textBeforeNumber == nullptr || FAILED(StringCchLengthA(textBeforeNumber, kQueryTextSize, &length)) ||
        length + 1 >= kQueryTextSize || !EnsureOpen()) {
        return NIRA_STATUS_FAILED;
    }
    return Finish(m_statements.Run(m_database, textBeforeNumber, &number, callback, argument));
}

int CNiraDatabaseCopy::Execute(LPCSTR sql, NiraQueryRowCallback callback, void* argument, char** errorText)
{
    if (errorText != nullptr) {
        *errorText = nullptr;
    }
    if (!EnsureOpen()) {
        return SQLITE_CANTOPEN;
    }
    ++m_executing;
    int result = ExecuteQuery(m_database, sql, callback, argument, errorText);
    --m_executing;
    return result;
}

LONG CNiraDatabaseCopy::Finish(int result) const
{
    return result == SQLITE_OK ? 0 : NIRA_STATUS_FAILED;
}

CNiraDatabaseCopy::ReadTransaction::ReadTransaction(CNiraDatabaseCopy& copy) : m_copy(copy), m_began(FALSE)
{
    if (m_copy.EnsureOpen() && sqlite3_get_autocommit(m_copy.m_database) != 0) {
        m_began = m_copy.Run("BEGIN", nullptr, nullptr) == 0;
    }
}

CNiraDatabaseCopy::ReadTransaction::~ReadTransaction()
{
    if (m_began && m_copy.m_database != nullptr && sqlite3_get_autocommit(m_copy.m_database) == 0 &&
        m_copy.Run("COMMIT", nullptr, nullptr) != 0) {
        m_copy.Run("ROLLBACK", nullptr, nullptr);
    }
}
