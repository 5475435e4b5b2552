// Reading the columns of a result row as SQLite hands them to a row callback: every value is a
// narrow text or null, and every read is bounded by the row's column count.
#pragma once

#include <windows.h>

// The column's text read as a decimal integer; 0 for a missing, null or non-numeric column, and
// values beyond the 32-bit range are clamped to it.
INT ReadColumnInt(int columnCount, char** values, int index);

// The column's text, or null for a missing or null column.
LPCSTR ReadColumnText(int columnCount, char** values, int index);

// The column converted from the ANSI code page into a LocalAlloc'ed wide text that the caller
// frees with LocalFree (null for a null column). FALSE, with *wide null, when the conversion or
// the allocation failed: a text that is there must not pass for a null column.
BOOL DuplicateColumnText(int columnCount, char** values, int index, LPWSTR* wide);

// A column converted as DuplicateColumnText converts it, for as long as the object lives: a short
// text in the object itself, a longer one LocalAlloc'ed. Rows whose texts are handed on only for
// the time of a callback convert them without a heap block each.
class CNiraColumnWideText {
public:
    CNiraColumnWideText(int columnCount, char** values, int index);
    ~CNiraColumnWideText();
    CNiraColumnWideText(const CNiraColumnWideText&) = delete;
    CNiraColumnWideText& operator=(const CNiraColumnWideText&) = delete;

    // Null for a null column or a failed conversion.
    LPCWSTR Get() const { return m_text; }
    // True when the column holds a text that could not be converted (or memory ran out): the row
    // must not be handed on as if the column were null.
    bool Failed() const { return m_failed; }

private:
    static constexpr int kInlineChars = 64;

    WCHAR m_inline[kInlineChars];
    LPWSTR m_allocated;
    LPCWSTR m_text;
    bool m_failed;
};

// The column converted into a wide buffer, cut to capacity - 1 characters; an empty text for a
// null column. FALSE, with an empty buffer, when the conversion or the allocation failed.
BOOL CopyColumnText(int columnCount, char** values, int index, LPWSTR buffer, int capacity);

// Row callback: stores the first column of every row into the INT that argument points to, so
// the last row's value stays.
int StoreFirstColumn(void* argument, int columnCount, char** values, char** names);

// Collects the first column of the rows into a LocalAlloc'ed array of a known capacity (from a
// COUNT query); rows beyond the capacity are ignored.
class CNiraIdCollector {
public:
    explicit CNiraIdCollector(INT capacity);
    ~CNiraIdCollector();
    CNiraIdCollector(const CNiraIdCollector&) = delete;
    CNiraIdCollector& operator=(const CNiraIdCollector&) = delete;

    static int OnRow(void* argument, int columnCount, char** values, char** names);

    BOOL IsAllocated() const { return m_ids != nullptr; }
    INT Count() const { return m_count; }
    INT At(INT index) const { return m_ids[index]; }
    // Hands the array to the caller, who frees it with LocalFree.
    INT* Detach();

private:
    INT* m_ids;
    INT m_capacity;
    INT m_count;
};
