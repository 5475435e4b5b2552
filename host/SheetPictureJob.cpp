// Job "sheet-picture": the sheet preview picture painted into a widget window for the printer's
// current settings and for a set of variants, through the UI core and core services of the sample
// package; one PNG per picture in the output folder (--out DIR, by default nirahost-out/).
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
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

namespace {

constexpr int kWidgetWidth = 200;
constexpr int kWidgetHeight = 280;
constexpr int kPictureWidget = 6002;

// The core services of the UI core, with some settings shown as a variant asks.
class VariantServices : public CNiraCoreServices {
public:
    VariantServices(CNiraUICore* core, std::map<int, int> shown)
        : CNiraCoreServices(core), m_shown(std::move(shown))
    {}
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

LRESULT CALLBACK WidgetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWidget()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WidgetProc;
    windowClass.lpszClassName = TEXT("NiraHostWidget");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassExW(&windowClass);
    HWND page = CreateWindowExW(0, TEXT("NiraHostWidget"), TEXT(""), 0, 100, 100, 600, 400, nullptr, nullptr,
                                nullptr, nullptr);
    return CreateWindowExW(0, TEXT("NiraHostWidget"), TEXT(""), WS_CHILD, 30, 40, kWidgetWidth, kWidgetHeight,
                           page, nullptr, nullptr, nullptr);
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
    int status = core->ConstructDriverState(printer, nullptr);
    core->LoadResourceModule(printer);
    HostMachine::Print("driver state " + std::string(status == 0 ? "built" : "failed") +
                       ", resource module " + (core->GetResourceModule() != nullptr ? "loaded" : "missing"));
    HWND widget = MakeWidget();
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
    core.reset();
    ClosePrinter(printer);
    return failures == 0 ? 0 : 1;
}

const HostJobRegistration kJob{
    {"sheet-picture", "the sheet preview for the current settings and variants, one PNG each", 70, Run}};

}  // namespace
