#include "printpreviewer/PageTurn.h"

#include "printpreviewer/PageBitmapReader.h"

#include <new>

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

namespace {

// The byte offset of pixel (x, y), y counted from the picture's top.
size_t PixelOffset(const PageBitmap& picture, LONG x, LONG y)
{
    LONG row = picture.topDown ? y : picture.height - 1 - y;
    return static_cast<size_t>(row) * static_cast<size_t>(picture.stride) +
           static_cast<size_t>(x) * picture.bytesPerPixel;
}

// Where pixel (x, y) of the turned picture comes from in the picture.
POINT SourceOf(const PageBitmap& picture, PageTurn turn, LONG x, LONG y)
{
    switch (turn) {
    case PageTurn::kClockwise:
        return {y, picture.height - 1 - x};
    case PageTurn::kAnticlockwise:
        return {picture.width - 1 - y, x};
    case PageTurn::kHalf:
        return {picture.width - 1 - x, picture.height - 1 - y};
    default:
        return {x, y};
    }
}

}  // namespace

bool TurnPicture(const PageBitmap& picture, PageTurn turn, PageBitmap& turned)
{
    if (turn == PageTurn::kNone) {
        turned = picture;
        return true;
    }
    bool quarter = turn == PageTurn::kClockwise || turn == PageTurn::kAnticlockwise;
    PageBitmap out;
    out.width = quarter ? picture.height : picture.width;
    out.height = quarter ? picture.width : picture.height;
    out.topDown = true;
    out.bytesPerPixel = picture.bytesPerPixel;
    out.stride = static_cast<LONG>((static_cast<size_t>(out.width) * out.bytesPerPixel + 3) / 4 * 4);
    try {
        out.pixels.assign(static_cast<size_t>(out.stride) * static_cast<size_t>(out.height), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (LONG y = 0; y < out.height; ++y) {
        for (LONG x = 0; x < out.width; ++x) {
            POINT from = SourceOf(picture, turn, x, y);
            CopyMemory(out.pixels.data() + PixelOffset(out, x, y),
                       picture.pixels.data() + PixelOffset(picture, from.x, from.y), out.bytesPerPixel);
        }
    }
    turned = std::move(out);
    return true;
}
