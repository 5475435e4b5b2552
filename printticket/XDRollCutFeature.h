// The roll-cut converter: DocumentRollCut (cut the roll at a standard media size, or not) with its
// private sub-feature ZQSaveRollOnPaper (Off, On).
#pragma once

#include <windows.h>

#include "printticket/XDFeature.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

struct RollCutValues {
    int cutMode;          // 0 CutSheetAtStandardMediaSize, 1 None
    int saveRollOnPaper;  // 0 Off, 1 On
};

class CXDRollCutFeature : public CXDFeature {
public:
    CXDRollCutFeature() = default;
    ~CXDRollCutFeature() override = default;

    // The fields keep the caller's values unless the ticket names a known option. Not found
    // without DocumentRollCut or without its sub-feature (the cut mode is read all the same).
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, RollCutValues* values);
    // Replaces DocumentRollCut; fields outside 0 ... 1 give E_INVALIDARG before the ticket is touched.
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const RollCutValues* values);
    // Publishes DocumentRollCut with its listed options and, nested in it, the sub-feature.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);

    CXDOptionEntry rollCut;
    CXDOptionEntry rollCutOptions[2];  // CutSheetAtStandardMediaSize, None
    CXDOptionEntry saveRoll;
    CXDOptionEntry saveRollOptions[2];  // Off, On
};
