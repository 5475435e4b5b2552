// Job "poster-tiles": the tile selection of a 3 x 3 poster on the sample printer, in the printing
// preferences opened headless (the tiles are widgets of the property sheets). The poster is
// chosen (fit to size switched off with it), every tile selected, the diagonal clicked away and
// the selection stored, each as the property sheets report it to the UI sink; then every tile of
// the poster is painted through the UI sink into a widget window of its own, one PNG each in the
// output folder (--out DIR, by default nirahost-out/).
#include "host/HostJob.h"
#include "host/OutFolder.h"
#include "host/PreferencesSession.h"

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <cstdio>
#include <string>
#include <vector>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/PosterTilesHandler.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraUISink.h"
#include "support/WString.h"

namespace {

constexpr int kPosterSide = 3;
constexpr int kSetReason = 2;
constexpr int kTileWidth = 48;
constexpr int kTileHeight = 40;
constexpr int kTileGap = 4;
constexpr int kFirstTile = CNiraPosterTilesHandler::kFirstTile;

int Current(CNiraCoreServices& services, int featureId)
{
    int option = 0;
    int isSet = 0;
    return services.GetValue(featureId, &option, &isSet) == 0 ? option : -1;
}

std::string CountText(CNiraCoreServices& services)
{
    OptionInfo* info = NewOptionInfo();
    std::string text = "unreadable";
    if (info != nullptr && services.GetOptionInfo(CNiraPosterTilesHandler::kCountText, 1, info) == 0) {
        text = "\"" + nirasim::Utf8(WString(info->displayName)) + "\"";
    }
    LocalFree(info);
    return text;
}

std::string Hex(int value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(value));
    return text;
}

LRESULT CALLBACK TileProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// The page the tile widgets sit on, as the poster's tiles sit on the sheet.
HWND MakePage()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TileProc;
    windowClass.lpszClassName = TEXT("NiraHostTile");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, TEXT("NiraHostTile"), TEXT(""), 0, 100, 100, 300, 240, nullptr, nullptr,
                           nullptr, nullptr);
}

HWND MakeTileWidget(HWND page, int row, int column)
{
    return CreateWindowExW(0, TEXT("NiraHostTile"), TEXT(""), WS_CHILD, 20 + column * (kTileWidth + kTileGap),
                           20 + row * (kTileHeight + kTileGap), kTileWidth, kTileHeight, page, nullptr,
                           nullptr, nullptr);
}

// The selection as the user makes it on the poster page.
void ChooseTiles(INiraUISink& sink, CNiraCoreServices& services)
{
    sink.NotifyWidgetChanged(CNiraPosterTilesHandler::kSelectAll);
    HostMachine::Print("all tiles selected: count " + CountText(services));
    for (int k = 0; k < kPosterSide; ++k) {
        sink.NotifyWidgetChanged(kFirstTile + k * (kPosterSide + 1));  // the diagonal, clicked
    }
    HostMachine::Print("tiles 1, 5 and 9 clicked: count " + CountText(services));
    sink.NotifyWidgetChanged(CNiraPosterTilesHandler::kStoreSelection);
    HostMachine::Print("stored: selection mask " +
                       Hex(Current(services, CNiraPosterTilesHandler::kSelectionMask)));
}

int PaintTiles(INiraUISink& sink, CNiraCoreServices& services, const std::string& out)
{
    HWND page = MakePage();
    int failures = 0;
    int objects = nirasim::LiveGdiObjects();
    for (int k = 0; k < kPosterSide * kPosterSide; ++k) {
        HWND widget = MakeTileWidget(page, k / kPosterSide, k % kPosterSide);
        int tile = kFirstTile + k;
        int painted = sink.PaintWidget(tile, widget, 0);
        std::string path = out + "/tile-" + std::to_string(k + 1) + ".png";
        bool saved = nirasim::SaveWindowPicture(widget, path);
        failures += painted != 0 || !saved;
        const char* choice =
            Current(services, tile) == CNiraPosterTilesHandler::kChosen ? "printed" : "left out";
        HostMachine::Print("tile " + std::to_string(k + 1) + " (" + std::to_string(tile) + "): " + choice +
                           ", " + (saved ? path : std::string("not written")));
    }
    int left = nirasim::LiveGdiObjects() - objects;
    HostMachine::Print("GDI objects left by the painting: " + std::to_string(left));
    DestroyWindow(page);
    return failures + (left != 0);
}

int Run(HostMachine& host, const std::vector<std::string>& arguments)
{
    std::string out = MakeOutFolder(arguments);
    PreferencesSession session(host);
    if (!session.Open() || session.Core().GetSink() == nullptr) {
        HostMachine::Print("the printing preferences could not be opened");
        return 1;
    }
    CNiraCoreServices services(&session.Core());
    INiraUISink& sink = *session.Core().GetSink();
    int feature = FEATURE_POSTER;
    int option = kPosterSide;
    int failures = services.SetValue(CLASS_POSTER, &feature, &option, kSetReason, 0, 0, 0) != 0;
    HostMachine::Print("poster " + std::to_string(kPosterSide) + " x " + std::to_string(kPosterSide) +
                       " chosen: fit to size " + std::to_string(Current(services, FEATURE_FIT_TO_SIZE)) +
                       ", target paper " + std::to_string(Current(services, FEATURE_TARGET_SIZE)) +
                       " (display state " + std::to_string(services.GetDisplayState(FEATURE_TARGET_SIZE)) +
                       ")");
    ChooseTiles(sink, services);
    failures += PaintTiles(sink, services, out);
    return failures == 0 ? 0 : 1;
}

const HostJobRegistration kJob{
    {"poster-tiles", "a 3 x 3 poster's tiles chosen and painted through the UI sink, one PNG each", 72, Run}};

}  // namespace
