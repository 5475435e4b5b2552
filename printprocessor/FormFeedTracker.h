// Follows the printer's escape sequences in RAW data to tell what the data ended with: printable
// text, a form feed, or one of the two escape commands that eject the page themselves ("o" and
// "E"). The RAW form-feed datatypes decide from it whether a form feed follows each copy.
#pragma once

#include <windows.h>

enum RawCommandKind : DWORD {
    RAW_COMMAND_PLAIN = 0,       // nothing follows the name
    RAW_COMMAND_TERMINATED = 1,  // bytes up to and including the terminator (parameter)
    RAW_COMMAND_COUNTED = 2,     // a fixed number of bytes (parameter)
    RAW_COMMAND_LENGTH = 3,      // a 16-bit length, low byte first, then that many bytes
    RAW_COMMAND_EJECT_O = 4,     // sets lastMark to RAW_MARK_COMMAND_O
    RAW_COMMAND_RESET_E = 5,     // sets lastMark to RAW_MARK_COMMAND_E
};

struct RawCommand {
    char name[3];  // one or two bytes after ESC, terminated
    DWORD kind;    // RawCommandKind
    DWORD parameter;
};

constexpr DWORD kRawCommandCount = 52;
// Sorted in ascending order of the name bytes.
extern const RawCommand RawCommandTable[kRawCommandCount];

enum RawMark : DWORD {
    RAW_MARK_PRINTABLE = 0,
    RAW_MARK_FORM_FEED = 1,
    RAW_MARK_COMMAND_O = 2,
    RAW_MARK_COMMAND_E = 3,
};

enum TrackerState : DWORD {
    TRACK_PLAIN = 0,
    TRACK_NAME = 1,
    TRACK_COUNTED = 2,
    TRACK_TERMINATED = 3,
    TRACK_LENGTH_LOW = 4,
    TRACK_LENGTH_HIGH = 5,
};

struct FormFeedTracker {
    DWORD state;              // TrackerState
    const RawCommand* entry;  // the entry being matched; null before the first name byte
    DWORD position;           // place in entry's name of the next byte to match
    DWORD count;
    BYTE terminator;
    DWORD lastMark;  // RawMark
    DWORD datatypeIndex;
};

void TrackFormFeed(FormFeedTracker& tracker, BYTE byte);
