#include "nira/uiplugin/features/handlers/PosterTilesHandler.h"

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "common/ScopedGdi.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PosterReactions.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr DWORD kAllTiles = (1u << CNiraPosterTilesHandler::kTileCount) - 1;  // 0x1FFFFFF
constexpr int kCountOption = 1;
constexpr int kSmallestPoster = 2;
constexpr int kLargestPoster = 5;
constexpr COLORREF kPenColour = RGB(0, 0, 0);
constexpr int kFramePenWidth = 2;
constexpr int kTilePenWidth = 0;  // one pixel, whatever the mapping
constexpr size_t kLabelChars = 16;
constexpr int kLabelShiftX = 6;  // about half a digit pair left of the middle
constexpr int kLabelShiftY = 5;

// How far the tile sits inside its frame for a poster n sheets wide: the smaller the tiles are
// drawn, the thinner their margins.
struct TileInset {
    int leading;   // left and top
    int trailing;  // right and bottom
};
constexpr TileInset kTileInsets[] = {{5, 6}, {4, 5}, {3, 4}, {2, 3}};  // n = 2 to 5

// The tile inside the widget's client area; empty for a poster size without tiles.
RECT TileRect(const RECT& client, int side)
{
    if (side < kSmallestPoster || side > kLargestPoster) {
        return RECT{};
    }
    const TileInset& inset = kTileInsets[side - kSmallestPoster];
    return RECT{client.left + inset.leading, client.top + inset.leading, client.right - inset.trailing,
                client.bottom - inset.trailing};
}

// The system's menu font, bold, at the DC's default height.
LOGFONTW LabelFont()
{
    LOGFONTW font = {};
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        CopyStringSafe(font.lfFaceName, LF_FACESIZE, metrics.lfMenuFont.lfFaceName);
    }
    return font;
}

// The tiles of a poster n sheets wide, at most all the tile widgets.
int TilesOfPoster(int side)
{
    return side <= 0 ? 0 : side >= kLargestPoster ? CNiraPosterTilesHandler::kTileCount : side * side;
}

}  // namespace

CNiraPosterTilesHandler::CNiraPosterTilesHandler()
{
    CopyStringSafe(m_labelFormat, MAX_PATH, TEXT(" %d"));
}

int CNiraPosterTilesHandler::SetTile(int tile, int option, int fromOwner)
{
    int feature = tile;
    return m_services->SetValue(CLASS_POSTER_TILES, &feature, &option, kReasonByHandler, 0, 0, fromOwner);
}

void CNiraPosterTilesHandler::SetAllTiles(int option)
{
    for (int k = 0; k < kTileCount; ++k) {
        SetTile(kFirstTile + k, option, 0);
    }
}

void CNiraPosterTilesHandler::TilesFromMask()
{
    int mask = 0;
    int isSet = 0;
    if (m_services->GetValue(kSelectionMask, &mask, &isSet) != 0) {
        return;
    }
    for (int k = 0; k < kTileCount; ++k) {
        bool chosen = (static_cast<DWORD>(mask) & (1u << k)) != 0;
        if (SetTile(kFirstTile + k, chosen ? kChosen : kNotChosen, 0) != 0) {
            break;
        }
    }
}

int CNiraPosterTilesHandler::PosterSide(int* side)
{
    int isSet = 0;
    *side = 0;
    return m_services->GetValue(FEATURE_POSTER, side, &isSet);
}

void CNiraPosterTilesHandler::StoreSelection()
{
    int mask = 0;
    int side = 0;
    int isSet = 0;
    if (m_services->GetValue(kSelectionMask, &mask, &isSet) != 0 || PosterSide(&side) != 0) {
        return;
    }
    DWORD bits = static_cast<DWORD>(mask);
    int shown = TilesOfPoster(side);
    for (int k = 0; k < shown; ++k) {
        int option = 0;
        if (m_services->GetValue(kFirstTile + k, &option, &isSet) != 0) {
            break;
        }
        if (option == kNotChosen) {
            bits &= ~(1u << k);
        } else if (option == kChosen) {
            bits |= 1u << k;
        }
    }
    if (!m_allSelected && !m_stored) {
        // Tiles beyond the poster are not printed: they lose their choice.
        for (int k = shown; k < kTileCount; ++k) {
            SetTile(kFirstTile + k, kNotChosen, 0);
            bits &= ~(1u << k);
        }
    }
    int feature = kSelectionMask;
    int value = static_cast<int>(bits);
    m_services->SetValue(CLASS_POSTER_TILES, &feature, &value, kReasonByHandler, 0, 0, 0);
}

void CNiraPosterTilesHandler::ToggleTile(int tile)
{
    int option = 0;
    int isSet = 0;
    if (m_services->GetValue(tile, &option, &isSet) == 0 && option != 0) {
        SetTile(tile, option == kChosen ? kNotChosen : kChosen, 1);
    }
}

int CNiraPosterTilesHandler::ShowCount()
{
    int side = 0;
    int status = PosterSide(&side);
    if (status != 0 || side == 0) {
        return status;
    }
    unsigned count = 0;
    if (side >= kSmallestPoster && side <= kLargestPoster) {
        for (int k = 0; k < TilesOfPoster(side); ++k) {
            int option = 0;
            int isSet = 0;
            if (m_services->GetValue(kFirstTile + k, &option, &isSet) == 0 && option == kChosen) {
                ++count;
            }
        }
    }
    OptionInfo* text = NewOptionInfo();
    if (text == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    status = m_services->GetOptionInfo(kCountText, kCountOption, text);
    int feature = kCountText;
    int option = kCountOption;
    if (status == 0) {
        status = m_services->RemoveOption(CLASS_POSTER_TILES, &feature, &option);
    }
    if (status != 0) {
        LocalFree(text);
        return status;
    }
    StringCchPrintfW(text->displayName, ARRAYSIZE(text->displayName), TEXT("%u"), count);
    return AddOwnedOption(*m_services, CLASS_POSTER_TILES, kCountText, kCountOption, text);
}

int CNiraPosterTilesHandler::InitializeStates()
{
    if (m_services != nullptr) {
        TilesFromMask();
    }
    return 0;
}

int CNiraPosterTilesHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (widgetId == kStoreSelection) {
        StoreSelection();
        m_stored = true;
    } else if (widgetId == kRestoreSelection) {
        TilesFromMask();
    } else if (widgetId == kSelectAll) {
        SetAllTiles(kChosen);
        m_allSelected = true;
    } else if (widgetId == kClearAll) {
        SetAllTiles(kNotChosen);
    } else if (widgetId >= kFirstTile && widgetId < kFirstTile + kTileCount) {
        ToggleTile(widgetId);
    }
    return ShowCount();  // the status of the last call, as the widgets expect
}

int CNiraPosterTilesHandler::OnCommand(int, int command, int*, int*)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (command == kCommandSelectAllTiles) {
        int feature = kSelectionMask;
        int mask = static_cast<int>(kAllTiles);
        if (m_services->SetValue(CLASS_POSTER_TILES, &feature, &mask, kReasonByHandler, 0, 0, 0) == 0) {
            SetAllTiles(kChosen);
        }
        return 0;
    }
    if (command == kCommandOfferPosters) {
        return OfferPosterOptions(*m_services, CLASS_POSTER_TILES);
    }
    return NIRA_STATUS_FAILED;
}

int CNiraPosterTilesHandler::OnFeatureChanged(int featureId, int changeKind)
{
    // Reaches this handler only when the capability database gives it feature 4219.
    if (featureId == FEATURE_POSTER && changeKind == CHANGE_CURRENT_OPTION && m_services != nullptr) {
        OnPosterChosen(*m_services);
    }
    return 0;
}

int CNiraPosterTilesHandler::PaintWidget(int widgetId, HWND window, INT_PTR)
{
    HDC dc = window != nullptr ? GetDC(window) : nullptr;
    if (dc == nullptr) {
        return 0;
    }
    RECT client = {};
    if (GetClientRect(window, &client)) {
        PaintTile(dc, widgetId, client);
    }
    ReleaseDC(window, dc);
    return 0;
}

void CNiraPosterTilesHandler::PaintTile(HDC dc, int tile, const RECT& client)
{
    CNiraScopedObject framePen(CreatePen(PS_DOT, kFramePenWidth, kPenColour));
    CNiraScopedSelection frame(dc, framePen.Get());
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    int side = 0;
    if (m_services == nullptr || PosterSide(&side) != 0 || side == 0) {
        return;
    }
    RECT inner = TileRect(client, side);
    CNiraScopedObject tilePen(CreatePen(PS_DOT, kTilePenWidth, kPenColour));
    CNiraScopedSelection tileLine(dc, tilePen.Get());
    int option = 0;
    int isSet = 0;
    if (m_services->GetValue(tile, &option, &isSet) != 0 || option == 0) {
        return;
    }
    CNiraScopedSelection fill(dc, GetStockObject(option == kNotChosen ? WHITE_BRUSH : LTGRAY_BRUSH));
    Rectangle(dc, inner.left, inner.top, inner.right, inner.bottom);
    PaintLabel(dc, tile, inner);
}

void CNiraPosterTilesHandler::PaintLabel(HDC dc, int tile, const RECT& inner)
{
    WCHAR label[kLabelChars] = {};
    StringCchPrintfW(label, ARRAYSIZE(label), m_labelFormat, tile - kFirstTile + 1);
    LOGFONTW font = LabelFont();
    CNiraScopedObject labelFont(CreateFontIndirectW(&font));
    CNiraScopedSelection selection(dc, labelFont.Get());
    int x = (inner.right - inner.left) / 2 - kLabelShiftX;
    int y = (inner.bottom - inner.top) / 2 - kLabelShiftY;
    size_t length = 0;
    GetStringLengthSafe(label, ARRAYSIZE(label), &length);
    ExtTextOutW(dc, x, y, ETO_CLIPPED, nullptr, label, static_cast<UINT>(length), nullptr);
}
