#include "nira/uiplugin/foundation/databases/StatementCache.h"

#include <string.h>

#include <string>

namespace {
// Rows a statement hands to the callback have at most this many columns kept on the stack.
constexpr int kStackColumns = 64;

// Room for a 64-bit integer in decimal, with its sign and terminator.
constexpr int kIntegerTextRoom = 24;
constexpr int kDecimalBase = 10;

// The integer in decimal, as SQLite writes an integer it is asked for as text, written from the
// end of the room; answers where the text starts.
char* FormatInteger(sqlite3_int64 value, char (&room)[kIntegerTextRoom])
{
    char* at = room + kIntegerTextRoom - 1;
    *at = 0;
    // Digits of the magnitude taken as unsigned, so that the smallest value has one too.
    sqlite3_uint64 magnitude = value < 0 ? 0 - static_cast<sqlite3_uint64>(value) : value;
    do {
        *--at = static_cast<char>('0' + magnitude % kDecimalBase);
        magnitude /= kDecimalBase;
    } while (magnitude != 0);
    if (value < 0) {
        *--at = '-';
    }
    return at;
}

// A column's value as sqlite3_exec hands it on: its text, or null for a null value. An integer is
// written here rather than by SQLite, which would allocate its text. The value is read only by
// the thread that steps the statement, while the row is current.
char* ColumnText(sqlite3_stmt* statement, int column, char (&room)[kIntegerTextRoom])
{
    sqlite3_value* value = sqlite3_column_value(statement, column);
    if (value != nullptr && sqlite3_value_type(value) == SQLITE_INTEGER) {
        return FormatInteger(sqlite3_value_int64(value), room);
    }
    return reinterpret_cast<char*>(const_cast<unsigned char*>(sqlite3_column_text(statement, column)));
}

// Steps the statement to its end and hands every row to the callback as sqlite3_exec does:
// the column texts (null for a null value) and the column names.
int StepRows(sqlite3_stmt* statement, NiraQueryRowCallback callback, void* argument)
{
    const int columns = sqlite3_column_count(statement);
    if (columns > kStackColumns) {
        return SQLITE_TOOBIG;
    }
    char* names[kStackColumns];
    char* values[kStackColumns];
    char integers[kStackColumns][kIntegerTextRoom];
    bool named = false;  // the names are read once rows come, as sqlite3_exec reads them
    int result = SQLITE_OK;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        if (callback == nullptr) {
            continue;
        }
        for (int i = 0; i < columns && !named; ++i) {
            names[i] = const_cast<char*>(sqlite3_column_name(statement, i));
        }
        named = true;
        for (int i = 0; i < columns; ++i) {
            values[i] = ColumnText(statement, i, integers[i]);
            if (values[i] == nullptr && sqlite3_column_type(statement, i) != SQLITE_NULL) {
                return SQLITE_NOMEM;
            }
        }
        if (callback(argument, columns, values, names) != 0) {
            return SQLITE_ABORT;
        }
    }
    return result == SQLITE_DONE ? SQLITE_OK : result;
}

bool IsBlank(const char* text)
{
    for (; text != nullptr && *text != 0; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';') {
            return false;
        }
    }
    return true;
}

// Runs a compiled statement with its number bound, and leaves it ready for the next run.
int RunStatement(sqlite3_stmt* statement, const LONGLONG* number, NiraQueryRowCallback callback,
                 void* argument)
{
    int result = number != nullptr ? sqlite3_bind_int64(statement, 1, *number) : SQLITE_OK;
    if (result == SQLITE_OK) {
        result = StepRows(statement, callback, argument);
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return result;
}
}  // namespace

CNiraStatementCache::CNiraStatementCache() : m_connection(nullptr), m_entries(), m_count(0) {}

CNiraStatementCache::~CNiraStatementCache()
{
    Clear();
}

void CNiraStatementCache::Clear()
{
    for (int i = 0; i < m_count; ++i) {
        sqlite3_finalize(m_entries[i].statement);
        LocalFree(m_entries[i].text);
        m_entries[i] = Entry();
    }
    m_count = 0;
    m_connection = nullptr;
}

BOOL CNiraStatementCache::IsRunning() const
{
    for (int i = 0; i < m_count; ++i) {
        if (sqlite3_stmt_busy(m_entries[i].statement)) {
            return TRUE;
        }
    }
    return FALSE;
}

sqlite3_stmt* CNiraStatementCache::Find(LPCSTR text, bool numbered) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].numbered == numbered && strcmp(m_entries[i].text, text) == 0) {
            return m_entries[i].statement;
        }
    }
    return nullptr;
}

// Compiles the one statement of the text (followed by its parameter when numbered).
int CNiraStatementCache::Prepare(sqlite3* connection, LPCSTR text, bool numbered,
                                 sqlite3_stmt** statement) const
{
    std::string withParameter;
    if (numbered) {
        withParameter = std::string(text) + "?";
        text = withParameter.c_str();
    }
    const char* rest = nullptr;
    const int result = sqlite3_prepare_v2(connection, text, -1, statement, &rest);
    if (result != SQLITE_OK) {
        return result;
    }
    if (*statement == nullptr || !IsBlank(rest)) {
        sqlite3_finalize(*statement);  // one statement per text, as the readers write them
        *statement = nullptr;
        return SQLITE_MISUSE;
    }
    return SQLITE_OK;
}

int CNiraStatementCache::Run(sqlite3* connection, LPCSTR text, const LONGLONG* number,
                             NiraQueryRowCallback callback, void* argument)
{
    if (connection == nullptr || text == nullptr) {
        return SQLITE_MISUSE;
    }
    if (connection != m_connection) {
        Clear();  // statements of another connection are of no use here
        m_connection = connection;
    }
    const bool numbered = number != nullptr;
    sqlite3_stmt* statement = Find(text, numbered);
    // A callback may run the same text again while its rows are still being read: that run gets
    // a statement of its own, so that the outer one is not reset under its caller.
    if (statement != nullptr && !sqlite3_stmt_busy(statement)) {
        return RunStatement(statement, number, callback, argument);
    }
    const bool keep = statement == nullptr && m_count < kCapacity;
    int result = Prepare(connection, text, numbered, &statement);
    if (result != SQLITE_OK) {
        return result;
    }
    const size_t size = strlen(text) + 1;
    LPSTR copy = keep ? static_cast<LPSTR>(LocalAlloc(LMEM_FIXED, size)) : nullptr;
    if (copy == nullptr) {
        result = RunStatement(statement, number, callback, argument);
        sqlite3_finalize(statement);
        return result;
    }
    memcpy(copy, text, size);
    m_entries[m_count++] = Entry{copy, numbered, statement};
    return RunStatement(statement, number, callback, argument);
}
