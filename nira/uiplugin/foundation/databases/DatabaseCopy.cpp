#include "nira/uiplugin/foundation/databases/DatabaseCopy.h"

#include <strsafe.h>

#include "common/NiraStatus.h"

CNiraDatabaseCopy::CNiraDatabaseCopy() : m_database(nullptr), m_path(nullptr)
{
}

CNiraDatabaseCopy::~CNiraDatabaseCopy()
{
    Close();
    if (m_path != nullptr)
        LocalFree(m_path);
}

BOOL CNiraDatabaseCopy::SetPath(LPCWSTR path)
{
    if (m_path != nullptr)
    {
        LocalFree(m_path);
        m_path = nullptr;
    }
    if (path == nullptr)
        return FALSE;
    m_path = static_cast<LPWSTR>(LocalAlloc(LPTR, MAX_PATH * sizeof(WCHAR)));
    if (m_path == nullptr)
        return FALSE;
    if (FAILED(StringCchCopyW(m_path, MAX_PATH, path)))
    {
        LocalFree(m_path);
        m_path = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CNiraDatabaseCopy::EnsureOpen()
{
    if (m_database == nullptr && m_path != nullptr)
        OpenDatabaseCopy(m_path, &m_database);
    return m_database != nullptr;
}

BOOL CNiraDatabaseCopy::Close()
{
    if (m_database == nullptr)
        return FALSE;
    CloseDatabaseCopy(m_database);
    m_database = nullptr;
    return TRUE;
}

LONG CNiraDatabaseCopy::Run(const CNiraQueryText& sql, NiraQueryRowCallback callback, void* argument)
{
    // A statement cut short could select other rows than intended: it is never run.
    if (!sql.IsComplete())
        return NIRA_STATUS_FAILED;
    return Run(sql.Text(), callback, argument);
}

LONG CNiraDatabaseCopy::Run(LPCSTR sql, NiraQueryRowCallback callback, void* argument)
{
    if (sql == nullptr || !EnsureOpen())
        return NIRA_STATUS_FAILED;
    char* errorText = nullptr;
    int result = ExecuteQuery(m_database, sql, callback, argument, &errorText);
    FreeQueryError(errorText);
    return result == SQLITE_OK ? 0 : NIRA_STATUS_FAILED;
}
