// The turn of a page bitmap, by the job words of its sheet.
#include <gtest/gtest.h>

#include "printpreviewer/PageTurn.h"

TEST(PageTurn, RulesByOrientationAndJobWords)
{
    struct Case {
        PageTurnWords words;
        PageTurn turn;
    } cases[] = {
        // orientation, N, S, SE, LE, J68, J72, duplex, booklet, g
        {{2, 1, 0, 0, 0, 0, 0, 1, 0, 0}, PageTurn::kClockwise},      // one-sided landscape
        {{2, 1, 1, 0, 0, 0, 0, 1, 0, 0}, PageTurn::kAnticlockwise},  // ... with the page-settings word
        {{2, 2, 0, 0, 0, 1, 0, 1, 0, 0}, PageTurn::kAnticlockwise},  // 2-up with J68: not rule 1
        {{2, 2, 1, 0, 1, 0, 0, 2, 0, 0}, PageTurn::kAnticlockwise},  // two-sided, even g
        {{2, 2, 1, 0, 1, 0, 0, 2, 0, 1}, PageTurn::kClockwise},      // two-sided, odd g
        {{2, 1, 1, 0, 1, 0, 0, 2, 0, 1}, PageTurn::kAnticlockwise},  // 1-up: every picture
        {{2, 1, 0, 0, 1, 0, 0, 2, 0, 1}, PageTurn::kClockwise},      // rule 3
        {{2, 2, 0, 1, 0, 0, 0, 2, 0, 1}, PageTurn::kClockwise},      // rule 9, odd, 2-up
        {{2, 6, 0, 1, 0, 0, 0, 2, 0, 1}, PageTurn::kAnticlockwise},  // rule 9, odd, 6-up
        {{2, 1, 0, 1, 0, 0, 1, 2, 0, 0}, PageTurn::kClockwise},      // rule 2
        {{1, 2, 0, 0, 1, 0, 0, 2, 0, 0}, PageTurn::kHalf},           // portrait back side
        {{1, 2, 0, 0, 1, 0, 0, 2, 1, 0}, PageTurn::kNone},           // ... of a booklet
        {{1, 2, 1, 0, 1, 0, 0, 2, 0, 0}, PageTurn::kHalf},           // rule 2
        {{1, 2, 0, 0, 0, 0, 0, 1, 0, 1}, PageTurn::kHalf},           // rule 3: 2-up portrait
        {{1, 1, 0, 0, 1, 0, 0, 2, 0, 0}, PageTurn::kHalf},           // rule 4
        {{1, 1, 0, 1, 0, 0, 0, 2, 0, 0}, PageTurn::kNone},
        {{1, 1, 0, 0, 0, 0, 0, 1, 0, 0}, PageTurn::kNone},
        {{3, 1, 0, 0, 0, 0, 0, 1, 0, 0}, PageTurn::kNone},  // no such orientation
    };
    int row = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(ChoosePageTurn(c.words), c.turn) << "row " << row;
        ++row;
    }
}
