// The poster converter: PagePoster, one page printed across 1, 4, 9, 16 or 25 sheets, with the
// private sub-feature ZQPosterTiles that prints all tiles or a list of them. The list travels as
// the ParameterInit PageZQSelectedPosterTilesList, tile numbers separated by commas ("1,3,5").
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "printticket/XDFeature.h"
#include "printticket/XDPrintCapabilities.h"

class CXDPrintTicket;
class CXDPrintCapabilities;

constexpr int kXDMaximumPosterTiles = 25;

struct PosterValues {
    int sheetsIndex;                   // 0 ... 4 for 1, 4, 9, 16, 25 sheets
    int sheets;                        // the sheet count itself, written as SheetsPerPage
    int tileMode;                      // 0 ZQAllTiles, 1 ZQTilesList
    int tiles[kXDMaximumPosterTiles];  // tiles[n - 1] is 1 when tile n is printed
};

class CXDPosterFeature : public CXDFeature {
public:
    static constexpr int kSheetCounts = 5;
    static constexpr int kTileListFormat = 0;  // the comma list, the only format

    CXDPosterFeature() = default;
    ~CXDPosterFeature() override = default;

    // Not found without PagePoster, ZQPosterTiles or SheetsPerPage, or with a sheet count outside
    // 1 ... 25; E_INVALIDARG for another count inside it. Listed tiles inside the count are set.
    HRESULT ReadPrintTicket(CXDPrintTicket& ticket, PosterValues* values);
    // Replaces PagePoster and its tile list; a tile mode outside 0 ... 1 gives E_INVALIDARG before
    // the ticket is touched.
    HRESULT WritePrintTicket(CXDPrintTicket& ticket, const PosterValues* values);
    // Publishes PagePoster, ZQPosterTiles and the ParameterDef of the tile list.
    HRESULT WritePrintCapabilities(CXDPrintCapabilities& capabilities);
    // The tile list of the values: its value type and the comma list of the selected tiles within
    // the sheet count of sheetsIndex, ascending.
    static HRESULT BuildTileList(const PosterValues* values, int format, BSTR* type, BSTR* text);

    // The sheet count of a sheets index, 0 outside 0 ... 4.
    static int SheetCount(int sheetsIndex);

    CXDOptionEntry poster;
    // Slot i stands for the sheet count of index i; its name names the ScoredProperty that carries it.
    CXDOptionEntry posterOptions[kSheetCounts];
    CXDOptionEntry tiles;
    CXDOptionEntry tilesOptions[2];  // ZQAllTiles, ZQTilesList
    CXDParameterEntry tileListParameter;
};
