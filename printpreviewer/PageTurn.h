// Which way a page bitmap is turned to stand upright in the preview: the render module stores
// landscape sheets and some portrait back sides turned for the printer.
#pragma once

#include <windows.h>

enum class PageTurn {
    kNone,
    kClockwise,      // a quarter turn clockwise
    kAnticlockwise,  // a quarter turn anticlockwise
    kHalf,           // a half turn
};

// The job words that decide the turn of one bitmap.
struct PageTurnWords {
    LONG orientation;       // of the bitmap's record: 1 portrait, 2 landscape
    LONG pagesPerSheet;     // N
    LONG pageSettingsWord;  // S
    LONG flipShortEdge;     // SE
    LONG flipLongEdge;      // LE
    LONG jobSettings1868;   // J68
    LONG jobSettings1672;   // J72
    LONG duplex;            // 1 one-sided
    LONG booklet;
    LONG fileCounter;  // g of the display step
};

PageTurn ChoosePageTurn(const PageTurnWords& words);

struct PageBitmap;
// The picture turned as `turn` says, its rows top-down; the picture itself for kNone. False when
// the turned picture cannot be had.
bool TurnPicture(const PageBitmap& picture, PageTurn turn, PageBitmap& turned);
