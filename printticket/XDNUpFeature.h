// The pages-per-sheet converter: DocumentNUp, whose unnamed Option carries PagesPerSheet (1, 2, 4,
// 6, 9 or 16), with the sub-features PresentationDirection and the private ZQBorders.
#pragma once

#include <windows.h>

#include "printticket/XDFeature.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

struct NUpValues {
    int featureIndex;   // index into the converter's N-up features; only 0 (DocumentNUp) exists
    int pagesPerSheet;  // 1, 2, 4, 6, 9 or 16
    int direction;      // 0 RightBottom, 1 BottomRight, 2 LeftBottom, 3 BottomLeft
    int borders;        // 0 Off, 1 On
};

class CXDNUpFeature : public CXDFeature {
public:
    static constexpr int kPagesSlots = 6;
    static constexpr int kDirections = 4;

    CXDNUpFeature() = default;
    ~CXDNUpFeature() override = default;

    // Not found without DocumentNUp, PresentationDirection or PagesPerSheet or with a count below
    // 1; E_FAIL for a count that is not offered. A missing ZQBorders reads as Off.
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, NUpValues* values);
    // Replaces DocumentNUp; an unoffered count is written as 1. A feature index other than 0 or a
    // direction or borders value out of range gives E_INVALIDARG before the ticket is touched.
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const NUpValues* values);
    // Publishes DocumentNUp with its listed page counts and the listed sub-features.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);

    // The pages-per-sheet count of a slot, 0 outside 0 ... 5.
    static int PagesPerSheet(int slot);

    CXDOptionEntry nUp[1];
    // Slot i stands for the count of slot i; its name names the ScoredProperty that carries it.
    CXDOptionEntry nUpOptions[kPagesSlots];
    CXDOptionEntry direction;
    CXDOptionEntry directionOptions[kDirections];
    CXDOptionEntry borders;
    CXDOptionEntry bordersOptions[2];
};
