// Job "sheet-picture": the sheet preview picture painted into a widget window for the printer's
// current settings and for a set of variants, the image preview of the page on a paper roll, and
// the colour page's sample picture under a few slider settings, through the UI core and core
// services of the sample package; one PNG per picture in the output folder (--out DIR, by default
// nirahost-out/).
#include "host/HostJob.h"
#include "host/OutFolder.h"

#include <nirasim/Gdi.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"
#include "nira/uiplugin/sheetpreview/ImagePreview.h"
#include "nira/uiplugin/sheetpreview/PictureHandler.h"
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

namespace {

constexpr int kWidgetWidth = 200;
constexpr int kWidgetHeight = 280;
constexpr int kPictureWidget = 6002;
constexpr int kRollWidth = 160;
constexpr int kRollHeight = 130;
constexpr int kColorPictureWidth = 141;
constexpr int kColorPictureHeight = 100;

// The core services of the UI core, with some settings shown as a variant asks, and the picture
// widget showing another picture when one is named.
class VariantServices : public CNiraCoreServices {
public:
    VariantServices(CNiraUICore* core, std::map<int, int> shown, int pictureId = 0)
        : CNiraCoreServices(core), m_shown(std::move(shown)), m_pictureId(pictureId)
    {}
    int FindFeature(int* id, FeatureEntry** entry) override
    {
        if (m_pictureId == 0 || id == nullptr || *id != CNiraPictureHandler::kPictureWidget) {
            return CNiraCoreServices::FindFeature(id, entry);
        }
        m_record.bitmapId = m_pictureId;
        m_entry.uiRecord = &m_record;
        *entry = &m_entry;
        return 0;
    }
    int GetValue(int id, int* opt, int* isSet) override
    {
        auto found = m_shown.find(id);
        if (found == m_shown.end()) {
            return CNiraCoreServices::GetValue(id, opt, isSet);
        }
        *opt = found->second;
        *isSet = 0;
        return 0;
    }

private:
    std::map<int, int> m_shown;
    int m_pictureId;
    FeatureEntry m_entry;
    FeatureUIRecord m_record = {};
};

struct Variant {
    const char* name;
    const char* what;
    std::map<int, int> shown;
};

std::map<int, int> PosterTilesLeftOut()
{
    std::map<int, int> shown = {{4219, 3}, {4128, 1}, {4125, 1}};
    for (int tile : {0, 4, 8}) {
        shown[6350 + tile] = 1;  // the diagonal is not printed
    }
    return shown;
}

const std::vector<Variant>& Variants()
{
    static const std::vector<Variant> variants = {
        {"current", "the printer's current settings", {}},
        {"2-up", "2 pages per sheet", {{4128, 2}}},
        {"4-up-order3", "4 pages per sheet in page order 3 (rows from the right)", {{4128, 3}, {4129, 3}}},
        {"booklet", "booklet, two-sided", {{4130, 2}, {4125, 2}, {4128, 2}}},
        {"poster-3x3", "3 x 3 poster, the diagonal tiles left out", PosterTilesLeftOut()},
        {"mirror", "mirror printing, two-sided bound on the left", {{4218, 2}, {4125, 2}}},
        {"borderless", "borderless, sepia", {{4119, 2}, {4176, 2}}},
        {"landscape-top", "landscape, two-sided bound on the top edge", {{4118, 2}, {4125, 2}, {4126, 2}}},
    };
    return variants;
}

const std::vector<Variant>& RollVariants()
{
    static const std::vector<Variant> variants = {
        {"sheet", "Letter portrait as it leaves the roll, upside down", {}},
        {"roll-paper",
         "the page at 600 %, wider than the roll: faded, then cut off",
         {{4120, 3}, {4142, 600}}},
        {"margin-strip", "the margin strip kept free, with the dimension marks", {{4133, 2}, {4132, 1}}},
        {"turned-portrait", "turned by the printer: a quarter turn", {{4135, 2}}},
        {"turned-landscape", "landscape turned by the printer: not turned again", {{4135, 2}, {4118, 2}}},
        {"4-up", "4 pages per sheet with page borders", {{4128, 3}, {4266, 2}}},
    };
    return variants;
}

struct PictureVariant {
    const char* name;
    const char* what;
    int pictureId;
    std::map<int, int> sliders;
};

const std::vector<PictureVariant>& PictureVariants()
{
    static const std::vector<PictureVariant> variants = {
        {"plain", "all sliders at 0", 0, {}},
        {"bright", "tone +40", 0, {{4166, 40}}},
        {"warm-saturated", "colour tone +40, saturation +30", 0, {{4168, 40}, {4167, 30}}},
        {"cyan", "cyan +50", 0, {{4169, 50}}},
        {"palette-dark", "the 256-colour picture, tone -30", 302, {{4166, -30}}},
    };
    return variants;
}

LRESULT CALLBACK WidgetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWidget(int width, int height)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WidgetProc;
    windowClass.lpszClassName = TEXT("NiraHostWidget");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassExW(&windowClass);
    HWND page = CreateWindowExW(0, TEXT("NiraHostWidget"), TEXT(""), 0, 100, 100, 600, 400, nullptr, nullptr,
                                nullptr, nullptr);
    return CreateWindowExW(0, TEXT("NiraHostWidget"), TEXT(""), WS_CHILD, 30, 40, width, height, page,
                           nullptr, nullptr, nullptr);
}

std::string Rect(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

// The paper rectangle of the last paint, read back as the sheet preview keeps it.
class ReportingPreview : public CNiraSheetPreview {
public:
    const RECT& Paper() const { return m_paperRect; }
    int InnerMargin() const { return m_innerMargin; }
};

// The image preview, read back as it keeps its page and sheet.
class ReportingImagePreview : public CNiraImagePreview {
public:
    const RECT& Page() const { return m_pageRect; }
    const RECT& Sheet() const { return m_paperArea; }
};

int PaintRolls(CNiraUICore* core, const std::string& out)
{
    HWND widget = MakeWidget(kRollWidth, kRollHeight);
    int failures = 0;
    for (const Variant& variant : RollVariants()) {
        VariantServices services(core, variant.shown);
        ReportingImagePreview preview;
        preview.Attach(&services, CLASS_IMAGE_PREVIEW, nullptr);
        int objects = nirasim::LiveGdiObjects();
        int painted = preview.PaintWidget(FEATURE_IMAGE_PREVIEW, widget, 0);
        std::string path = out + "/image-" + variant.name + ".png";
        bool saved = nirasim::SaveWindowPicture(widget, path);
        failures += painted != 0 || !saved || nirasim::LiveGdiObjects() != objects;
        const RECT& page = preview.Page();
        HostMachine::Print(std::string("image-") + variant.name + ": " + variant.what + "; page " +
                           std::to_string(page.right - page.left) + " x " +
                           std::to_string(page.bottom - page.top) + ", sheet " + Rect(preview.Sheet()) +
                           ", " + (saved ? path : std::string("not written")));
        preview.Detach();
    }
    DestroyWindow(GetParent(widget));
    return failures;
}

int PaintPictures(CNiraUICore* core, const std::string& out)
{
    HWND widget = MakeWidget(kColorPictureWidth, kColorPictureHeight);
    int failures = 0;
    for (const PictureVariant& variant : PictureVariants()) {
        std::map<int, int> sliders = {{4166, 0}, {4167, 0}, {4168, 0}, {4169, 0},
                                      {4170, 0}, {4171, 0}, {4172, 0}};
        for (const auto& [feature, value] : variant.sliders) {
            sliders[feature] = value;
        }
        VariantServices services(core, sliders, variant.pictureId);
        CNiraPictureHandler handler;
        handler.Attach(&services, CLASS_PICTURE, nullptr);
        handler.InitializeStates();
        nirasim::ClearGdiJournal();
        int objects = nirasim::LiveGdiObjects();
        int painted = handler.PaintWidget(CNiraPictureHandler::kPictureWidget, widget, 0);
        std::vector<nirasim::GdiCall> drawn = nirasim::GdiCallsNamed("StretchDIBits");
        std::string path = out + "/picture-" + variant.name + ".png";
        bool saved = nirasim::SaveWindowPicture(widget, path);
        failures += painted != 0 || !saved || drawn.empty() || nirasim::LiveGdiObjects() != objects;
        std::string how = drawn.empty()
                              ? std::string("nothing drawn")
                              : std::to_string(drawn[0].args[2]) + " x " + std::to_string(drawn[0].args[3]) +
                                    " at " + std::to_string(drawn[0].args[8]) + " bits per pixel";
        HostMachine::Print(std::string("picture-") + variant.name + ": " + variant.what + "; " + how + ", " +
                           (saved ? path : std::string("not written")));
        handler.Detach();
    }
    DestroyWindow(GetParent(widget));
    return failures;
}

int Run(HostMachine& host, const std::vector<std::string>& arguments)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    std::string out = MakeOutFolder(arguments);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        HostMachine::Print("cannot open the printer");
        return 1;
    }
    auto core = std::make_unique<CNiraUICore>();
    // Up to the widget features, as the property sheets build it, so that the picture widget is known.
    int status = core->ConstructDriverState(printer, nullptr, CNiraUICore::kSheetFeatureLimit);
    core->LoadResourceModule(printer);
    HostMachine::Print("driver state " + std::string(status == 0 ? "built" : "failed") +
                       ", resource module " + (core->GetResourceModule() != nullptr ? "loaded" : "missing"));
    HWND widget = MakeWidget(kWidgetWidth, kWidgetHeight);
    int failures = status == 0 ? 0 : 1;
    for (const Variant& variant : Variants()) {
        VariantServices services(core.get(), variant.shown);
        ReportingPreview preview;
        preview.Attach(&services, CLASS_SHEET_PREVIEW, nullptr);
        int objects = nirasim::LiveGdiObjects();
        int painted = preview.PaintWidget(kPictureWidget, widget, 0);
        std::string path = out + "/sheet-" + variant.name + ".png";
        bool saved = nirasim::SaveWindowPicture(widget, path);
        failures += painted != 0 || !saved || nirasim::LiveGdiObjects() != objects;
        HostMachine::Print(std::string(variant.name) + ": " + variant.what + "; paper " +
                           Rect(preview.Paper()) + ", inner margin " + std::to_string(preview.InnerMargin()) +
                           ", " + (saved ? path : std::string("not written")));
        preview.Detach();
    }
    failures += PaintRolls(core.get(), out);
    failures += PaintPictures(core.get(), out);
    core.reset();
    ClosePrinter(printer);
    return failures == 0 ? 0 : 1;
}

const HostJobRegistration kJob{
    {"sheet-picture", "the sheet and image previews and the colour page's picture, one PNG each", 70, Run}};

}  // namespace
