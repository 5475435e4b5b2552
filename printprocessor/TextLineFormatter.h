// Lays plain ANSI text out into lines for the TEXT road: tab expansion with tab stops that keep
// their phase across wrapped lines, line wrapping that never splits a double-byte character, and
// the line-end events that CR, LF and FF raise.
#pragma once

#include <windows.h>

enum TextFlag : DWORD {
    TEXT_FLAG_SKIP_LF = 0x1,         // a directly following LF is taken without effect
    TEXT_FLAG_TAB_PENDING = 0x2,     // the next line starts with tabPhase spaces
    TEXT_FLAG_LEAD_BYTE_HELD = 0x8,  // the source ended between a lead and its trail byte
    TEXT_FLAG_PAGE = 0x10,           // event: go on at the top of a new page
    TEXT_FLAG_NEW_LINE = 0x20,       // event: go down one line
    TEXT_FLAG_COLUMN_ZERO = 0x40,    // event: go back to column 0
    TEXT_FLAG_LF_RETURNS = 0x80,     // an LF also goes back to column 0
    TEXT_FLAG_CR_NEW_LINE = 0x100,   // a CR also goes down one line and sets TEXT_FLAG_SKIP_LF
};

constexpr DWORD kTextEventFlags = TEXT_FLAG_PAGE | TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO;

// The line state that FormatTextLine carries from call to call.
struct TextLineState {
    DWORD pendingCount;  // bytes in the line buffer not printed yet
    DWORD tabPhase;      // shift of the line's tab stops; spaces owed by a cut TAB
    DWORD textFlags;     // TextFlag bits
};

// Writes the source into the line buffer behind the pending bytes until a line event, a wrap
// (room cells are full) or the source's end. Answers where it stopped, or null when the source
// is used up; with TEXT_FLAG_LEAD_BYTE_HELD the answer is the unread lead byte.
const BYTE* FormatTextLine(const BYTE* source, const BYTE* sourceEnd, BYTE* lineBuffer, DWORD room,
                           DWORD tabSize, UINT codePage, TextLineState& state);
