// ExtEscape on a printer DC reaches the driver's render module: the dependent file named
// RENDER_MODULE_FILE, loaded once per DC, whose RenderEscape export answers with the DC's DEVMODE.
// A render module that exports RenderEndPage is also handed every finished page's pixels, as a
// printer driver renders the pages it is sent.
#include "gdi/GdiState.h"

#include "core/Wide.h"
#include "spooler/Spooler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

const char16_t kRenderModuleFile[] = u"nirarend.dll";
const char kRenderEscapeExport[] = "RenderEscape";
const char kRenderEndPageExport[] = "RenderEndPage";

typedef int (*RenderEscapeProc)(const DEVMODEW* devmode, int code, int inputSize, const void* input,
                                int outputSize, void* output);
// The page's pixels: rows from the top, 4 bytes each (blue, green, red, unused).
typedef void (*RenderEndPageProc)(const DEVMODEW* devmode, DWORD jobId, const BYTE* pixels, LONG width,
                                  LONG height, LONG stride, LONG dpi);

// The DC's public DEVMODE as the render module sees it: a driver works on its own full copy of the
// caller's public fields, so a DEVMODE of an older or damaged size gives a whole record, its
// missing fields zero. Null when the DC has no DEVMODE.
const DEVMODEW* DevmodeOf(const GdiDC& dc, DEVMODEW& full)
{
    if (dc.devmode.empty()) {
        return nullptr;
    }
    full = {};
    WORD size = 0;
    if (dc.devmode.size() >= offsetof(DEVMODEW, dmSize) + sizeof(size)) {
        memcpy(&size, dc.devmode.data() + offsetof(DEVMODEW, dmSize), sizeof(size));
    }
    memcpy(&full, dc.devmode.data(), std::min({dc.devmode.size(), static_cast<size_t>(size), sizeof(full)}));
    full.dmSize = sizeof(full);
    full.dmDriverExtra = 0;
    return &full;
}

RenderEndPageProc EndPageHook(GdiDC& dc)
{
    HMODULE module = RenderModuleOf(dc);
    return module != nullptr ? reinterpret_cast<RenderEndPageProc>(
                                   reinterpret_cast<void*>(GetProcAddress(module, kRenderEndPageExport)))
                             : nullptr;
}

// The driver's render module; null when the driver has none.
HMODULE LoadRenderModule(const std::u16string& printerName)
{
    std::u16string path;
    {
        std::lock_guard<std::recursive_mutex> spooler(Spooler().lock);
        PrinterRecord* printer = FindPrinter(printerName);
        const DriverSpec* driver = printer != nullptr ? FindDriver(printer->spec.driverName) : nullptr;
        if (driver == nullptr) {
            return nullptr;
        }
        for (const std::u16string& file : driver->dependentFiles) {
            if (EqualNoCase(file, kRenderModuleFile)) {
                path = DriverFilePath(file);
            }
        }
    }
    return path.empty() ? nullptr : LoadLibraryW(reinterpret_cast<LPCWSTR>(path.c_str()));
}

}  // namespace

namespace nirasim::sim {

HMODULE RenderModuleOf(GdiDC& dc)
{
    if (!dc.renderModuleTried) {
        dc.renderModuleTried = true;
        dc.renderModule = LoadRenderModule(dc.printer);
    }
    return dc.renderModule;
}

bool RenderModuleTakesPages(GdiDC& dc)
{
    return EndPageHook(dc) != nullptr;
}

void HandPageToRenderModule(GdiDC& dc)
{
    RenderEndPageProc hook = EndPageHook(dc);
    if (hook == nullptr || dc.surface == nullptr) {
        return;
    }
    cairo_surface_flush(dc.surface);
    DEVMODEW full;
    hook(DevmodeOf(dc, full), dc.jobId, cairo_image_surface_get_data(dc.surface),
         cairo_image_surface_get_width(dc.surface), cairo_image_surface_get_height(dc.surface),
         cairo_image_surface_get_stride(dc.surface),
         static_cast<LONG>(PictureScaleX(dc.geometry) * dc.geometry.dpiX + 0.5));
}

void SetDcJob(HDC hdc, DWORD jobId)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    if (dc != nullptr) {
        dc->jobId = jobId;
    }
}

}  // namespace nirasim::sim

int WINAPI ExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput, LPSTR lpOutData)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    int answer = 0;
    if (dc != nullptr && Gdi().escapesAnswered && cjInput >= 0 && cjOutput >= 0) {
        HMODULE module = RenderModuleOf(*dc);
        auto escape = module != nullptr ? reinterpret_cast<RenderEscapeProc>(reinterpret_cast<void*>(
                                              GetProcAddress(module, kRenderEscapeExport)))
                                        : nullptr;
        DEVMODEW full;
        const DEVMODEW* devmode = DevmodeOf(*dc, full);
        if (escape != nullptr) {
            answer = escape(devmode, iEscape, cjInput, lpInData, cjOutput, lpOutData);
        }
    }
    GdiCall call = MakeGdiCall("ExtEscape", hdc, {iEscape, cjInput, cjOutput}, answer);
    if (lpInData != nullptr && cjInput > 0) {
        call.bytes.assign(lpInData, static_cast<size_t>(cjInput));
    }
    Journal(call);
    return answer;
}
