#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "printprocessor/TextLineFormatter.h"

namespace {

constexpr UINT kWestern = 1252;
constexpr UINT kShiftJis = 932;
constexpr DWORD kTab = 8;

// Formats one piece of text; what the line buffer holds and where it stopped.
struct Piece {
    std::string line;
    size_t stoppedAt;  // std::string::npos when the source was used up
};

Piece Format(const std::string& text, DWORD room, TextLineState& state, UINT codePage = kWestern)
{
    BYTE buffer[64] = {};
    const auto* source = reinterpret_cast<const BYTE*>(text.data());
    const BYTE* stop = FormatTextLine(source, source + text.size(), buffer, room, kTab, codePage, state);
    Piece piece = {std::string(reinterpret_cast<char*>(buffer), state.pendingCount),
                   stop == nullptr ? std::string::npos : static_cast<size_t>(stop - source)};
    state.textFlags &= ~kTextEventFlags;
    state.pendingCount = 0;
    return piece;
}

TEST(TextLineFormatterTest, ATabCutByAWrapGoesOnWithItsRemainingSpaces)
{
    // Ten cells a line: "abcdefgh" and a TAB to column 16 need 8 spaces, 2 fit.
    TextLineState state = {0, 0, TEXT_FLAG_LF_RETURNS | TEXT_FLAG_CR_NEW_LINE};
    std::string text = "abcdefgh\tx\ty";
    Piece first = Format(text, 10, state);
    EXPECT_EQ(first.line, "abcdefgh");
    EXPECT_EQ(first.stoppedAt, 9u);
    EXPECT_TRUE(state.textFlags & TEXT_FLAG_TAB_PENDING);
    EXPECT_EQ(state.tabPhase, 6u);
    // The next line owes the other 6 spaces; "x" stands at unwrapped column 16, and the next
    // TAB reaches unwrapped column 24, that is cell 14 of this line: only 3 more cells fit.
    Piece second = Format(text.substr(first.stoppedAt), 10, state);
    EXPECT_EQ(second.line, "      x");
    EXPECT_EQ(second.stoppedAt, 2u);
    EXPECT_EQ(state.tabPhase, (6 + kTab - 10 % kTab) % kTab);
}

TEST(TextLineFormatterTest, LineEndsRaiseTheirEvents)
{
    struct Case {
        const char* text;
        DWORD flags;
        DWORD events;
        size_t stoppedAt;
    };
    const DWORD translated = TEXT_FLAG_LF_RETURNS | TEXT_FLAG_CR_NEW_LINE;
    const Case cases[] = {
        {"ab\r\ncd", translated, TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO, 3},
        {"ab\ncd", translated, TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO, 3},
        {"ab\rcd", TEXT_FLAG_LF_RETURNS, TEXT_FLAG_COLUMN_ZERO, 3},
        {"ab\ncd", 0, TEXT_FLAG_NEW_LINE, 3},
        {"ab\x0c"
         "cd",
         translated, TEXT_FLAG_PAGE, 3},
    };
    for (const Case& c : cases) {
        TextLineState state = {0, 0, c.flags};
        BYTE buffer[16] = {};
        const auto* source = reinterpret_cast<const BYTE*>(c.text);
        const BYTE* stop = FormatTextLine(source, source + strlen(c.text), buffer, 10, kTab, kWestern, state);
        EXPECT_EQ(state.textFlags & kTextEventFlags, c.events) << c.text;
        EXPECT_EQ(static_cast<size_t>(stop - source), c.stoppedAt) << c.text;
        EXPECT_EQ(state.pendingCount, 2u);
    }
    // After CR LF, the LF is taken without effect.
    TextLineState state = {0, 0, translated};
    Format("\r", 10, state);
    EXPECT_EQ(Format("\nab", 10, state).stoppedAt, std::string::npos);
}

TEST(TextLineFormatterTest, ADoubleByteCharacterIsNeverSplit)
{
    TextLineState state = {0, 0, 0};
    // "a" then a two-byte character: with two cells the character does not fit after "a".
    std::string text = "a\x82\xa0";
    Piece piece = Format(text, 2, state, kShiftJis);
    EXPECT_EQ(piece.line, "a");
    EXPECT_EQ(piece.stoppedAt, 1u);
    EXPECT_EQ(Format(text.substr(1), 2, state, kShiftJis).line, "\x82\xa0");
    // A lead byte at the source's end is held, unread, for the next chunk.
    state = {0, 0, 0};
    piece = Format("ab\x82", 10, state, kShiftJis);
    EXPECT_EQ(piece.stoppedAt, 2u);
}

}  // namespace
