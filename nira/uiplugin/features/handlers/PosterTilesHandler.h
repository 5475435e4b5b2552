// The handler of the poster tile selection (class 4243): the 25 tile widgets 6350 to 6374 (option 2
// chosen, 1 not), the selection kept as a bit mask in feature 4303 (bit k for tile 6350 + k), the
// count of chosen tiles in text widget 6078, and the tiles painted as the user interface asks.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraPosterTilesHandler : public CNiraFeatureHandler {
public:
    CNiraPosterTilesHandler();

    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    int OnFeatureChanged(int featureId, int changeKind) override;
    // Paints the tile into the window: a dotted frame, the tile white or light grey as it is
    // chosen or not, inset by the poster's size, and its number.
    int PaintWidget(int widgetId, HWND window, INT_PTR extra) override;

    static constexpr int kFirstTile = 6350;
    static constexpr int kTileCount = 25;
    static constexpr int kSelectionMask = 4303;
    static constexpr int kCountText = 6078;
    static constexpr int kStoreSelection = 6345;
    static constexpr int kRestoreSelection = 6346;
    static constexpr int kSelectAll = 6347;
    static constexpr int kClearAll = 6348;
    static constexpr int kChosen = 2;
    static constexpr int kNotChosen = 1;

private:
    int SetTile(int tile, int option, int fromOwner);
    void SetAllTiles(int option);
    void TilesFromMask();
    void StoreSelection();
    void ToggleTile(int tile);
    int ShowCount();
    int PosterSide(int* side);
    void PaintTile(HDC dc, int tile, const RECT& client);
    void PaintLabel(HDC dc, int tile, const RECT& inner);

    WCHAR m_labelFormat[MAX_PATH];
    bool m_allSelected = false;  // all tiles chosen through widget 6347; never cleared
    bool m_stored = false;       // the selection stored through widget 6345; never cleared
};
