// ExtEscape on a printer DC reaches the driver's render module: the dependent file named
// RENDER_MODULE_FILE, loaded once per DC, whose RenderEscape export answers with the DC's DEVMODE.
#include "gdi/GdiState.h"

#include "core/Wide.h"
#include "spooler/Spooler.h"

using namespace nirasim;
using namespace nirasim::sim;

namespace {

const char16_t kRenderModuleFile[] = u"nirarend.dll";
const char kRenderEscapeExport[] = "RenderEscape";

typedef int (*RenderEscapeProc)(const DEVMODEW* devmode, int code, int inputSize, const void* input,
                                int outputSize, void* output);

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

int WINAPI ExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput, LPSTR lpOutData)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    int answer = 0;
    if (dc != nullptr && Gdi().escapesAnswered && cjInput >= 0 && cjOutput >= 0) {
        if (!dc->renderModuleTried) {
            dc->renderModuleTried = true;
            dc->renderModule = LoadRenderModule(dc->printer);
        }
        auto escape = dc->renderModule != nullptr
                          ? reinterpret_cast<RenderEscapeProc>(reinterpret_cast<void*>(
                                GetProcAddress(dc->renderModule, kRenderEscapeExport)))
                          : nullptr;
        const auto* devmode =
            dc->devmode.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(dc->devmode.data());
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
