#include "langmon/pcllm/DeviceStatus.h"

namespace {

// The text form's layout, with every field at its place.
const char kVStatusTemplate[] = "$AU0$AU0,ff,DN,IDLE,CUT,K0,C0,SM";
constexpr size_t kTemplateLength = sizeof(kVStatusTemplate) - 1;
constexpr size_t kPenFieldLength = 9;  // two pen groups and the comma
constexpr size_t kSecondGroupMark = 4;

// Positions in the text form after the copy.
constexpr size_t kKindPen1 = 1, kColourPen1 = 2, kFlagPen1 = 3;
constexpr size_t kKindPen2 = 5, kColourPen2 = 6, kFlagPen2 = 7;
constexpr size_t kFormFeedField = 9;
constexpr size_t kCoverField = 12;
constexpr size_t kStateField = 15;
constexpr size_t kStateWordLength = 4;
constexpr size_t kCutterField = 20;
constexpr size_t kLevelPen1 = 25;
constexpr size_t kLevelPen2 = 28;
constexpr size_t kDuplexField = 30;

constexpr LONG kTextPenClass = 3;
constexpr LONG kConditionBase = 4;
constexpr LONG kFullLevel = 100;
constexpr LONG kPresent = 8;
constexpr LONG kAbsent = 9;

// The header members of the text form (1-based digit numbers).
constexpr int kCoverDigit = 1, kDuplexDigit = 3, kFifthDigit = 5, kCutterDigit = 7, kFormFeedDigit = 8;

const char* const kStateWords[] = {"IDLE", "BUSY", "PRNT", "OFFF", "RPRT", "CNCL", "IOST", "DRYW",
                                   "PENC", "OOPA", "BNEJ", "BNMZ", "PHMZ", "DPMZ", "PAJM", "CARS",
                                   "PAPS", "PENF", "ERRO", "PWDN", "FPTS", "CLNO"};

bool KeyIs(LPCSTR key, size_t keyLength, LPCSTR wanted)
{
    return keyLength == strlen(wanted) && strncmp(key, wanted, keyLength) == 0;
}

LONG HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 0;
}

LONG ColourCode(char c)
{
    switch (c) {
    case 'B':
    case 'b':
        return 1;
    case 'C':
    case 'c':
        return 2;
    case 'D':
    case 'd':
        return 3;
    default:
        return 0;
    }
}

LONG FirstPenKind(char c)
{
    return c == 'C' ? 5 : c == 'H' ? 2 : 0;
}

LONG SecondPenKind(char c)
{
    switch (c) {
    case 'F':
        return 3;
    case 'M':
        return 6;
    case 'N':
        return 1;
    case 'R':
        return 4;
    default:
        return 0;
    }
}

void ReadTextPen(const char* text, LONG kind, size_t colourAt, size_t flagAt, size_t levelAt, PenStatus* pen)
{
    *pen = PenStatus{};
    pen->penClass = kTextPenClass;
    pen->colour = ColourCode(text[colourAt]);
    pen->kind = kind;
    pen->condition = text[levelAt] == '0' ? 0 : HexDigit(text[levelAt]) + kConditionBase;
    pen->flag = text[flagAt] != '0' ? 1 : 0;
    pen->level = text[levelAt] == '0' ? kFullLevel : kFullLevel / pen->condition;
}

LONG StateOfWord(const char* word)
{
    for (size_t i = 0; i < sizeof(kStateWords) / sizeof(kStateWords[0]); ++i) {
        if (strncmp(word, kStateWords[i], kStateWordLength) == 0) {
            return static_cast<LONG>(i);
        }
    }
    return DEVICE_STATE_IDLE;
}

// Reads hexadecimal digits of the value at fixed positions; positions past its end read as
// nothing, so a short value leaves what it lacks at 0.
class HexReader {
public:
    explicit HexReader(LPCSTR value) : m_value(value), m_length(strlen(value)) {}
    LONG Digit(size_t at) const { return at < m_length ? HexDigit(m_value[at]) : 0; }
    ULONG Number(size_t at, size_t digits) const
    {
        ULONG number = 0;
        for (size_t i = 0; i < digits && at + i < m_length; ++i) {
            number = (number << 4) | static_cast<ULONG>(HexDigit(m_value[at + i]));
        }
        return number;
    }

private:
    LPCSTR m_value;
    size_t m_length;
};

struct HexLayout {
    size_t state;
    size_t penLayout;
    size_t firstPen;
    int pens;
    int wordDigits;
};

constexpr int kWideWordDigits = 8;
constexpr int kNarrowWordDigits = 4;

HexLayout LayoutOfVersion(LONG version)
{
    switch (version) {
    case 1:
        return {14, 16, 17, 6, kWideWordDigits};
    case 2:
        return {14, 16, 17, 8, kNarrowWordDigits};
    case 3:
        return {16, 18, 19, 2, kWideWordDigits};
    case 4:
        return {20, 22, 23, 2, kWideWordDigits};
    default:
        return {14, 16, 17, 2, kWideWordDigits};
    }
}

LONG Bits(ULONG word, int high, int low)
{
    return static_cast<LONG>((word >> low) & ((1UL << (high - low + 1)) - 1));
}

PenStatus PenOfWideWord(ULONG word)
{
    return PenStatus{Bits(word, 31, 30), Bits(word, 29, 24), Bits(word, 23, 19), Bits(word, 18, 16),
                     Bits(word, 15, 14), Bits(word, 13, 13), Bits(word, 12, 8),  Bits(word, 7, 0)};
}

PenStatus PenOfNarrowWord(ULONG word)
{
    PenStatus pen{};
    pen.penClass = Bits(word, 15, 12);
    pen.condition = Bits(word, 11, 9);
    pen.twoBitField = Bits(word, 8, 7);
    pen.level = Bits(word, 6, 0);
    return pen;
}

}  // namespace

LPSTR SplitDeviceId(LPSTR deviceId, LPSTR* model)
{
    LPSTR status = nullptr;
    LPSTR at = deviceId;
    while (at != nullptr && *at != 0) {
        LPSTR colon = strchr(at, ':');
        if (colon == nullptr) {
            break;
        }
        const size_t keyLength = static_cast<size_t>(colon - at) + 1;
        LPSTR value = colon + 1;
        if ((*at == 'M' || *at == 'm') && (KeyIs(at, keyLength, "MDL:") || KeyIs(at, keyLength, "MODEL:"))) {
            if (model != nullptr) {
                *model = value;
            }
        } else if ((*at == 'V' || *at == 'S') &&
                   (KeyIs(at, keyLength, "VSTATUS:") || KeyIs(at, keyLength, "S:"))) {
            status = value;
        }
        LPSTR semicolon = strchr(value, ';');
        if (semicolon == nullptr) {
            break;
        }
        *semicolon = 0;
        at = semicolon + 1;
    }
    return status;
}

int ParseVStatus(LPCSTR value, DeviceStatus* status)
{
    char text[sizeof(kVStatusTemplate)];
    memcpy(text, kVStatusTemplate, sizeof(text));
    // The pen field: at most its nine characters; a longer field's rest is skipped.
    size_t from = 0;
    while (value[from] != 0 && from < kPenFieldLength) {
        text[from] = value[from];
        if (value[from++] == ',') {
            break;
        }
    }
    if (from == kPenFieldLength && value[from - 1] != ',') {
        while (value[from] != 0 && value[from++] != ',') {
        }
    }
    for (size_t to = kPenFieldLength; value[from] != 0 && to < kTemplateLength; ++to, ++from) {
        text[to] = value[from];
    }
    *status = DeviceStatus{};
    const bool twoGroups =
        strnlen(value, kSecondGroupMark + 1) > kSecondGroupMark && value[kSecondGroupMark] == '$';
    status->penLayout = twoGroups ? 2 : 1;
    const bool coverKnown =
        strncmp(text + kCoverField, "DN", 2) == 0 || strncmp(text + kCoverField, "UP", 2) == 0;
    if (!coverKnown) {
        // The older layout has no cover field: its state word stands where the cover is.
        memmove(text + kStateField, text + kCoverField, kStateWordLength);
        memcpy(text + kCoverField, "DN,", 3);
    }
    status->header[kCoverDigit - 1] = text[kCoverField] == 'D' ? kCoverClosed : kCoverOpen;
    status->header[kDuplexDigit - 1] = text[kDuplexField] == 'S' ? 0 : kPresent;
    status->header[kFifthDigit - 1] = kPresent;
    status->header[kCutterDigit - 1] = text[kCutterField] == 'C' ? kPresent : kAbsent;
    status->header[kFormFeedDigit - 1] = text[kFormFeedField] == 'f' ? 0 : 1;
    status->state = StateOfWord(text + kStateField);
    ReadTextPen(text, FirstPenKind(text[kKindPen1]), kColourPen1, kFlagPen1, kLevelPen1, &status->pens[0]);
    if (!twoGroups) {
        return 1;
    }
    ReadTextPen(text, SecondPenKind(text[kKindPen2]), kColourPen2, kFlagPen2, kLevelPen2, &status->pens[1]);
    return 2;
}

int ParseHexStatus(LPCSTR value, DeviceStatus* status)
{
    const HexReader reader(value);
    *status = DeviceStatus{};
    status->version = static_cast<LONG>(reader.Number(0, 2));
    for (int digit = 1; digit <= 12; ++digit) {
        status->header[digit - 1] = reader.Digit(static_cast<size_t>(digit) + 1);
    }
    const HexLayout layout = LayoutOfVersion(status->version);
    status->state = static_cast<LONG>(reader.Number(layout.state, 2));
    status->penLayout = reader.Digit(layout.penLayout);
    for (int pen = 0; pen < layout.pens; ++pen) {
        const ULONG word =
            reader.Number(layout.firstPen + static_cast<size_t>(pen) * layout.wordDigits, layout.wordDigits);
        status->pens[pen] =
            layout.wordDigits == kWideWordDigits ? PenOfWideWord(word) : PenOfNarrowWord(word);
    }
    return 1;
}
