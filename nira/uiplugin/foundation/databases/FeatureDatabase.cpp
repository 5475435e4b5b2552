#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"

#include <strsafe.h>

#include "common/NiraStatus.h"

CNiraFeatureDatabase::CNiraFeatureDatabase(LPCWSTR path)
    : m_copy(nullptr),
      m_lastResult(SQLITE_OK),
      m_errorText(nullptr),
      m_mode(0),
      m_callback(nullptr),
      m_callbackArg(nullptr)
{
    if (path != nullptr) {
        m_ownCopy.SetPath(path);
        m_copy = &m_ownCopy;
        m_lastResult = OpenResult();
    }
}

CNiraFeatureDatabase::CNiraFeatureDatabase(CNiraDatabaseCopy& shared)
    : m_copy(&shared),
      m_lastResult(SQLITE_OK),
      m_errorText(nullptr),
      m_mode(0),
      m_callback(nullptr),
      m_callbackArg(nullptr)
{
    m_lastResult = OpenResult();
}

CNiraFeatureDatabase::~CNiraFeatureDatabase()
{
    FreeError();
}

// A database that did not open fails every statement (its result stays the open's until a
// statement runs), so that a failed copy or open never passes for a statement without rows.
INT CNiraFeatureDatabase::OpenResult()
{
    return m_copy->EnsureOpen() ? SQLITE_OK : SQLITE_CANTOPEN;
}

LONG CNiraFeatureDatabase::SetMode(INT value)
{
    m_mode = value;
    return 0;
}

LONG CNiraFeatureDatabase::ClearMode(INT)
{
    m_mode = 0;
    return 0;
}

LONG CNiraFeatureDatabase::Execute(LPCSTR sql)
{
    FreeError();
    if (m_callback != nullptr && m_copy != nullptr) {
        m_lastResult = m_copy->Execute(sql, m_callback, m_callbackArg, &m_errorText);
    }
    return m_lastResult != SQLITE_OK ? NIRA_STATUS_FAILED : 0;
}

LONG CNiraFeatureDatabase::MakeTableName(UINT featureId, LPWSTR name)
{
    if (name == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR work[kFeatureTableNameSize] = {};
    StringCchPrintfW(work, kFeatureTableNameSize, TEXT("FDT%4u"), featureId);
    StringCchCopyW(name, kFeatureTableNameSize, work);
    return 0;
}

LONG CNiraFeatureDatabase::Reserved5()
{
    return 1;
}

LONG CNiraFeatureDatabase::SetCallback(NiraQueryRowCallback callback, void* argument)
{
    m_callback = callback;
    m_callbackArg = argument;
    return 0;
}

LONG CNiraFeatureDatabase::GetResult(char** errorText, INT* result)
{
    if (errorText != nullptr) {
        *errorText = m_errorText;
    }
    if (result != nullptr) {
        *result = m_lastResult;
    }
    return 0;
}

LONG CNiraFeatureDatabase::FreeError()
{
    FreeQueryError(m_errorText);
    m_errorText = nullptr;
    return 0;
}
