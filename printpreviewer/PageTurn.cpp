#include "printpreviewer/PageTurn.h"

namespace {

PageTurn LandscapeTurn(const PageTurnWords& w)
{
    bool p26 = w.jobSettings1868 != 0 && (w.pagesPerSheet == 2 || w.pagesPerSheet == 6);
    bool twoSided = w.duplex != DMDUP_SIMPLEX;
    bool anyEdge = w.flipShortEdge != 0 || w.flipLongEdge != 0;
    bool oneOrFour = w.pagesPerSheet == 1 || w.pagesPerSheet == 4;
    bool even = w.fileCounter % 2 == 0;
    LONG s = w.pageSettingsWord;
    LONG j72 = w.jobSettings1672;
    if (s == 0 && !anyEdge && !p26) {
        return PageTurn::kClockwise;
    }
    if (j72 == 1 && s == 0 && anyEdge && !p26) {
        return PageTurn::kClockwise;
    }
    if (twoSided && j72 == 0 && s == 0 && w.flipLongEdge != 0 && oneOrFour) {
        return PageTurn::kClockwise;
    }
    if (!anyEdge || (j72 == 1 && p26) || (j72 == 1 && s == 1)) {
        return PageTurn::kAnticlockwise;
    }
    if (twoSided && j72 == 0 && s == 1 && w.flipLongEdge != 0 && oneOrFour) {
        return PageTurn::kAnticlockwise;
    }
    if (twoSided && j72 == 0 && s == 1) {
        return even ? PageTurn::kAnticlockwise : PageTurn::kClockwise;
    }
    if (twoSided && j72 == 0 && s == 0) {
        return even || w.pagesPerSheet == 2 ? PageTurn::kClockwise : PageTurn::kAnticlockwise;
    }
    return PageTurn::kNone;
}

PageTurn PortraitTurn(const PageTurnWords& w)
{
    bool twoSided = w.duplex != DMDUP_SIMPLEX;
    bool even = w.fileCounter % 2 == 0;
    LONG s = w.pageSettingsWord;
    bool backSide = twoSided && w.jobSettings1672 == 0 && even;
    if (backSide && w.pagesPerSheet > 1 && s == 0 && (w.flipShortEdge == 0 || w.flipLongEdge == 0)) {
        return w.flipShortEdge == 0 && w.booklet == 0 ? PageTurn::kHalf : PageTurn::kNone;
    }
    if (backSide && w.pagesPerSheet > 1 && s == 1 && w.flipLongEdge == 1) {
        return PageTurn::kHalf;
    }
    if (w.jobSettings1672 == 0 && (w.pagesPerSheet == 2 || w.pagesPerSheet == 6) && s == 0) {
        return PageTurn::kHalf;
    }
    if (backSide && w.pagesPerSheet == 1 && w.flipShortEdge == 0 && w.booklet == 0) {
        return PageTurn::kHalf;
    }
    return PageTurn::kNone;
}

}  // namespace

PageTurn ChoosePageTurn(const PageTurnWords& words)
{
    switch (words.orientation) {
    case DMORIENT_LANDSCAPE:
        return LandscapeTurn(words);
    case DMORIENT_PORTRAIT:
        return PortraitTurn(words);
    default:
        return PageTurn::kNone;
    }
}
