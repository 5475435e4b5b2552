#include "printprocessor/FormFeedTracker.h"

namespace {

constexpr BYTE kEscape = 0x1B;
constexpr BYTE kFormFeed = 0x0C;
constexpr BYTE kFirstPrintable = 0x20;
constexpr DWORD kLengthHighShift = 8;

}  // namespace

const RawCommand RawCommandTable[kRawCommandCount] = {
    {"-", RAW_COMMAND_COUNTED, 1},    {"0", RAW_COMMAND_PLAIN, 0},   {"1", RAW_COMMAND_PLAIN, 0},
    {"2", RAW_COMMAND_PLAIN, 0},      {"3", RAW_COMMAND_COUNTED, 1}, {"4", RAW_COMMAND_PLAIN, 0},
    {"5", RAW_COMMAND_COUNTED, 1},    {"6", RAW_COMMAND_PLAIN, 0},   {"7", RAW_COMMAND_PLAIN, 0},
    {":", RAW_COMMAND_PLAIN, 0},      {"=", RAW_COMMAND_PLAIN, 0},   {"A", RAW_COMMAND_COUNTED, 1},
    {"B", RAW_COMMAND_TERMINATED, 0}, {"C", RAW_COMMAND_COUNTED, 1}, {"D", RAW_COMMAND_TERMINATED, 0},
    {"E", RAW_COMMAND_RESET_E, 0},    {"F", RAW_COMMAND_PLAIN, 0},   {"G", RAW_COMMAND_PLAIN, 0},
    {"H", RAW_COMMAND_PLAIN, 0},      {"I", RAW_COMMAND_COUNTED, 1}, {"J", RAW_COMMAND_COUNTED, 1},
    {"K", RAW_COMMAND_LENGTH, 0},     {"L", RAW_COMMAND_LENGTH, 0},  {"N", RAW_COMMAND_COUNTED, 1},
    {"O", RAW_COMMAND_PLAIN, 0},      {"P", RAW_COMMAND_COUNTED, 1}, {"Q", RAW_COMMAND_COUNTED, 1},
    {"R", RAW_COMMAND_PLAIN, 0},      {"S", RAW_COMMAND_COUNTED, 1}, {"T", RAW_COMMAND_PLAIN, 0},
    {"U", RAW_COMMAND_COUNTED, 1},    {"W", RAW_COMMAND_COUNTED, 1}, {"X", RAW_COMMAND_COUNTED, 2},
    {"Y", RAW_COMMAND_LENGTH, 0},     {"Z", RAW_COMMAND_LENGTH, 0},  {"[@", RAW_COMMAND_LENGTH, 0},
    {"[C", RAW_COMMAND_LENGTH, 0},    {"[F", RAW_COMMAND_LENGTH, 0}, {"[I", RAW_COMMAND_LENGTH, 0},
    {"[S", RAW_COMMAND_LENGTH, 0},    {"[T", RAW_COMMAND_LENGTH, 0}, {"[\\", RAW_COMMAND_LENGTH, 0},
    {"[g", RAW_COMMAND_LENGTH, 0},    {"\\", RAW_COMMAND_LENGTH, 0}, {"]", RAW_COMMAND_PLAIN, 0},
    {"^", RAW_COMMAND_PLAIN, 0},      {"_", RAW_COMMAND_COUNTED, 1}, {"d", RAW_COMMAND_COUNTED, 2},
    {"e", RAW_COMMAND_COUNTED, 2},    {"j", RAW_COMMAND_PLAIN, 0},   {"n", RAW_COMMAND_PLAIN, 0},
    {"o", RAW_COMMAND_EJECT_O, 0},
};

namespace {

bool NameStartsWith(const RawCommand& command, BYTE byte)
{
    return static_cast<BYTE>(command.name[0]) == byte;
}

// The first entry whose name begins with the byte, found by a binary search; null when none.
const RawCommand* FindFirstByName(BYTE byte)
{
    DWORD low = 0;
    DWORD high = kRawCommandCount;
    while (low < high) {
        DWORD middle = low + (high - low) / 2;
        if (static_cast<BYTE>(RawCommandTable[middle].name[0]) < byte) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < kRawCommandCount && NameStartsWith(RawCommandTable[low], byte) ? &RawCommandTable[low]
                                                                                : nullptr;
}

// The entry sharing the matched bytes whose next byte is this one; null when none.
const RawCommand* FindContinuation(const RawCommand* entry, DWORD position, BYTE byte)
{
    const RawCommand* end = RawCommandTable + kRawCommandCount;
    for (const RawCommand* candidate = entry; candidate != end; ++candidate) {
        if (memcmp(candidate->name, entry->name, position) != 0) {
            break;
        }
        if (static_cast<BYTE>(candidate->name[position]) == byte) {
            return candidate;
        }
    }
    return nullptr;
}

void StartCommandBody(FormFeedTracker& tracker)
{
    const RawCommand& command = *tracker.entry;
    tracker.state = TRACK_PLAIN;
    switch (command.kind) {
    case RAW_COMMAND_TERMINATED:
        tracker.terminator = static_cast<BYTE>(command.parameter & 0xFF);
        tracker.state = TRACK_TERMINATED;
        break;
    case RAW_COMMAND_COUNTED:
        tracker.count = command.parameter;
        tracker.state = TRACK_COUNTED;
        break;
    case RAW_COMMAND_LENGTH:
        tracker.state = TRACK_LENGTH_LOW;
        break;
    case RAW_COMMAND_EJECT_O:
        tracker.lastMark = RAW_MARK_COMMAND_O;
        break;
    case RAW_COMMAND_RESET_E:
        tracker.lastMark = RAW_MARK_COMMAND_E;
        break;
    default:
        break;
    }
}

void TrackNameByte(FormFeedTracker& tracker, BYTE byte)
{
    const RawCommand* next = tracker.entry == nullptr
                                 ? FindFirstByName(byte)
                                 : FindContinuation(tracker.entry, tracker.position, byte);
    if (next == nullptr) {
        tracker.state = TRACK_PLAIN;  // the byte ends the escape and is dropped
        return;
    }
    tracker.entry = next;
    ++tracker.position;
    if (next->name[tracker.position] == 0) {
        StartCommandBody(tracker);
    }
}

}  // namespace

void TrackFormFeed(FormFeedTracker& tracker, BYTE byte)
{
    switch (tracker.state) {
    case TRACK_PLAIN:
        if (byte >= kFirstPrintable) {
            tracker.lastMark = RAW_MARK_PRINTABLE;
        } else if (byte == kFormFeed) {
            tracker.lastMark = RAW_MARK_FORM_FEED;
        } else if (byte == kEscape) {
            tracker.entry = nullptr;
            tracker.position = 0;
            tracker.state = TRACK_NAME;
        }
        break;
    case TRACK_NAME:
        TrackNameByte(tracker, byte);
        break;
    case TRACK_COUNTED:
        if (tracker.count <= 1) {
            tracker.state = TRACK_PLAIN;
        } else {
            --tracker.count;
        }
        break;
    case TRACK_TERMINATED:
        if (byte == tracker.terminator) {
            tracker.state = TRACK_PLAIN;
        }
        break;
    case TRACK_LENGTH_LOW:
        tracker.count = byte;
        tracker.state = TRACK_LENGTH_HIGH;
        break;
    case TRACK_LENGTH_HIGH:
        tracker.count += static_cast<DWORD>(byte) << kLengthHighShift;
        tracker.state = tracker.count == 0 ? TRACK_PLAIN : TRACK_COUNTED;
        break;
    default:
        tracker.state = TRACK_PLAIN;
        break;
    }
}
