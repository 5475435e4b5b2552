// Printer device contexts: made for a printer of the spooler, sized by the DEVMODE they are made
// with (paper, orientation, resolution), with documents and pages; each page ended is written as
// a PNG picture when pictures are asked for.
#include "gdi/GdiState.h"

#include "core/Failures.h"
#include "core/Wide.h"
#include "spooler/Spooler.h"

#include <cmath>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr int kDefaultDpi = 600;
constexpr int kPrinterBits = 24;
constexpr short kLetterPaper = 1;
constexpr double kMicronsPerInch = 25400.0;
constexpr double kTenthsMmPerInch = 254.0;
// The unprintable border on every side, as a fraction of an inch.
constexpr int kBorderDivisor = 8;

// The DEVMODE's public part, whatever its dmSize (missing fields are zero).
DEVMODEW PublicPart(const std::vector<BYTE>& devmode)
{
    DEVMODEW fields = {};
    memcpy(&fields, devmode.data(), std::min(devmode.size(), sizeof(fields)));
    return fields;
}

DeviceGeometry GeometryOf(const std::vector<BYTE>& devmode)
{
    DEVMODEW fields = devmode.empty() ? DEVMODEW{} : PublicPart(devmode);
    DeviceGeometry geometry;
    geometry.dpiX = fields.dmPrintQuality > 0 ? fields.dmPrintQuality : kDefaultDpi;
    geometry.dpiY = fields.dmYResolution > 0 ? fields.dmYResolution : geometry.dpiX;
    double widthInches = 0;
    double heightInches = 0;
    LONG width = 0;
    LONG height = 0;
    if (fields.dmPaperSize != DMPAPER_USER && BuiltInPaperSize(fields.dmPaperSize, width, height)) {
        widthInches = width / kMicronsPerInch;
        heightInches = height / kMicronsPerInch;
    } else if (fields.dmPaperWidth > 0 && fields.dmPaperLength > 0) {
        widthInches = fields.dmPaperWidth / kTenthsMmPerInch;
        heightInches = fields.dmPaperLength / kTenthsMmPerInch;
    } else {
        BuiltInPaperSize(kLetterPaper, width, height);
        widthInches = width / kMicronsPerInch;
        heightInches = height / kMicronsPerInch;
    }
    if (fields.dmOrientation == DMORIENT_LANDSCAPE) {
        std::swap(widthInches, heightInches);
    }
    geometry.physicalWidth = static_cast<int>(std::lround(widthInches * geometry.dpiX));
    geometry.physicalHeight = static_cast<int>(std::lround(heightInches * geometry.dpiY));
    geometry.offsetX = geometry.dpiX / kBorderDivisor;
    geometry.offsetY = geometry.dpiY / kBorderDivisor;
    geometry.printableWidth = geometry.physicalWidth - 2 * geometry.offsetX;
    geometry.printableHeight = geometry.physicalHeight - 2 * geometry.offsetY;
    return geometry;
}

void StartPicture(GdiDC& dc)
{
    const DeviceGeometry& g = dc.geometry;
    int width = static_cast<int>(std::ceil(g.physicalWidth * PictureScaleX(g)));
    int height = static_cast<int>(std::ceil(g.physicalHeight * PictureScaleY(g)));
    dc.surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    dc.cairo = cairo_create(dc.surface);
    cairo_set_source_rgb(dc.cairo, 1, 1, 1);
    cairo_paint(dc.cairo);
    // Device units, with the origin at the printable area's corner.
    cairo_scale(dc.cairo, PictureScaleX(g), PictureScaleY(g));
    cairo_translate(dc.cairo, g.offsetX, g.offsetY);
}

void DropPicture(GdiDC& dc)
{
    if (dc.cairo != nullptr) {
        cairo_destroy(dc.cairo);
        dc.cairo = nullptr;
    }
    if (dc.surface != nullptr) {
        cairo_surface_destroy(dc.surface);
        dc.surface = nullptr;
    }
}

void WritePicture(GdiDC& dc)
{
    if (dc.surface == nullptr || Gdi().pictureFolder.empty()) {
        DropPicture(dc);
        return;
    }
    cairo_surface_flush(dc.surface);
    std::string path = Gdi().pictureFolder + "/" + std::to_string(dc.documentNumber) + "-" +
                       std::to_string(dc.pages) + ".png";
    if (cairo_surface_write_to_png(dc.surface, path.c_str()) == CAIRO_STATUS_SUCCESS) {
        Gdi().pictures.push_back(path);
    }
    DropPicture(dc);
}

// A DC call that needs a document (and, with needPage, a page) in progress.
template <typename Action>
int InDocument(const char* name, HDC hdc, bool needPage, Action action)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    int result = SP_ERROR;
    if (dc != nullptr && dc->inDocument && (!needPage || dc->inPage)) {
        result = action(*dc);
    }
    Journal(MakeGdiCall(name, hdc, {}, result));
    return result;
}

}  // namespace

HDC WINAPI CreateDCW(LPCWSTR, LPCWSTR pwszDevice, LPCWSTR, const DEVMODEW* pdm)
{
    NIRASIM_FAIL_IF_INJECTED("CreateDCW", nullptr);
    if (pwszDevice == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dc = std::make_shared<GdiDC>();
    {
        std::lock_guard<std::recursive_mutex> spooler(Spooler().lock);
        PrinterRecord* printer = FindPrinter(pwszDevice);
        if (printer == nullptr) {
            SetLastError(ERROR_INVALID_PRINTER_NAME);
            return nullptr;
        }
        dc->printer = printer->spec.name;
    }
    if (pdm != nullptr) {
        const auto* bytes = reinterpret_cast<const BYTE*>(pdm);
        dc->devmode.assign(bytes, bytes + pdm->dmSize + pdm->dmDriverExtra);
    }
    dc->geometry = GeometryOf(dc->devmode);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    dc->font = StockObject(DEVICE_DEFAULT_FONT);
    dc->pen = StockObject(BLACK_PEN);
    dc->brush = StockObject(WHITE_BRUSH);
    auto handle = static_cast<HDC>(AddGdiObject(dc));
    GdiCall call = MakeGdiCall("CreateDCW", handle, {dc->geometry.dpiX, dc->geometry.dpiY}, 1);
    call.text = pwszDevice;
    Journal(call);
    return handle;
}

namespace nirasim::sim {

bool ResetPrinterDC(HDC hdc, const DEVMODEW* devmode)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr || devmode == nullptr || dc->inPage) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(devmode);
    dc->devmode.assign(bytes, bytes + devmode->dmSize + devmode->dmDriverExtra);
    dc->geometry = GeometryOf(dc->devmode);
    Journal(MakeGdiCall("ResetDC", hdc, {dc->geometry.physicalWidth, dc->geometry.physicalHeight}, 1));
    return true;
}

}  // namespace nirasim::sim

BOOL WINAPI DeleteDC(HDC hdc)
{
    HMODULE module = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
        GdiDC* dc = DcOf(hdc);
        Journal(MakeGdiCall("DeleteDC", hdc, {}, dc != nullptr));
        if (dc == nullptr) {
            return FALSE;
        }
        module = dc->renderModule;
        std::shared_ptr<GdiObject> bitmap = ObjectOf(dc->bitmap);
        if (bitmap && bitmap->kind == GdiKind::BITMAP) {
            static_cast<GdiBitmap*>(bitmap.get())->selectedInto = nullptr;
        }
        Gdi().objects.erase(hdc);
    }
    if (module != nullptr) {
        FreeLibrary(module);
    }
    return TRUE;
}

BOOL WINAPI CancelDC(HDC hdc)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc != nullptr) {
        dc->cancelled = true;
    }
    Journal(MakeGdiCall("CancelDC", hdc, {}, dc != nullptr));
    return dc != nullptr;
}

int WINAPI GetDeviceCaps(HDC hdc, int index)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc == nullptr) {
        return 0;
    }
    const DeviceGeometry& g = dc->geometry;
    switch (index) {
    case HORZRES:
    case DESKTOPHORZRES:
        return g.printableWidth;
    case VERTRES:
    case DESKTOPVERTRES:
        return g.printableHeight;
    case HORZSIZE:
        return static_cast<int>(std::lround(g.printableWidth * 25.4 / g.dpiX));
    case VERTSIZE:
        return static_cast<int>(std::lround(g.printableHeight * 25.4 / g.dpiY));
    case BITSPIXEL:
        return dc->target == DcTarget::PRINTER ? kPrinterBits : Gdi().displayBits;
    case PLANES:
        return 1;
    case LOGPIXELSX:
        return g.dpiX;
    case LOGPIXELSY:
        return g.dpiY;
    case PHYSICALWIDTH:
        return g.physicalWidth;
    case PHYSICALHEIGHT:
        return g.physicalHeight;
    case PHYSICALOFFSETX:
        return g.offsetX;
    case PHYSICALOFFSETY:
        return g.offsetY;
    default:
        return 0;
    }
}

int WINAPI StartDocW(HDC hdc, const DOCINFOW* lpdi)
{
    NIRASIM_FAIL_IF_INJECTED("StartDocW", SP_ERROR);
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    int result = SP_ERROR;
    if (dc != nullptr && lpdi != nullptr && !dc->inDocument) {
        dc->inDocument = true;
        dc->pages = 0;
        dc->documentNumber = ++Gdi().documents;
        result = dc->documentNumber;
    }
    GdiCall call = MakeGdiCall("StartDocW", hdc, {}, result);
    if (lpdi != nullptr && lpdi->lpszDocName != nullptr) {
        call.text = lpdi->lpszDocName;
    }
    Journal(call);
    return result;
}

int WINAPI StartPage(HDC hdc)
{
    NIRASIM_FAIL_IF_INJECTED("StartPage", SP_ERROR);
    return InDocument("StartPage", hdc, false, [](GdiDC& dc) {
        if (dc.inPage) {
            return SP_ERROR;
        }
        dc.inPage = true;
        ++dc.pages;
        if (!Gdi().pictureFolder.empty() || RenderModuleTakesPages(dc)) {
            StartPicture(dc);
        }
        return 1;
    });
}

int WINAPI EndPage(HDC hdc)
{
    NIRASIM_FAIL_IF_INJECTED("EndPage", SP_ERROR);
    return InDocument("EndPage", hdc, true, [](GdiDC& dc) {
        dc.inPage = false;
        HandPageToRenderModule(dc);
        WritePicture(dc);
        return 1;
    });
}

int WINAPI EndDoc(HDC hdc)
{
    return InDocument("EndDoc", hdc, false, [](GdiDC& dc) {
        if (dc.inPage) {
            dc.inPage = false;
            WritePicture(dc);
        }
        dc.inDocument = false;
        return 1;
    });
}

int WINAPI AbortDoc(HDC hdc)
{
    return InDocument("AbortDoc", hdc, false, [](GdiDC& dc) {
        DropPicture(dc);
        dc.inPage = false;
        dc.inDocument = false;
        return 1;
    });
}
