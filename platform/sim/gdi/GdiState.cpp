// The simulated GDI's object table, journal and test control.
#include "gdi/GdiState.h"

#include "core/MachineState.h"

#include <algorithm>

namespace nirasim::sim {
namespace {

constexpr uintptr_t kStockBase = 0x7F000000;
constexpr uintptr_t kHandleStep = 4;
constexpr int kStockCount = 22;
// The 1 x 1 monochrome bitmap that every memory DC starts with.
constexpr int kDefaultBitmapIndex = 21;
// Page pictures are drawn at this many pixels per inch, whatever the device's resolution.
constexpr double kPictureDpi = 100.0;

std::shared_ptr<GdiObject> MakeStock(int index)
{
    auto brush = [](COLORREF color, bool hollow) {
        auto object = std::make_shared<GdiBrush>();
        object->color = color;
        object->hollow = hollow;
        return std::shared_ptr<GdiObject>(object);
    };
    auto pen = [](COLORREF color, int style) {
        auto object = std::make_shared<GdiPen>();
        object->color = color;
        object->style = style;
        return std::shared_ptr<GdiObject>(object);
    };
    auto font = [](BYTE pitch) {
        auto object = std::make_shared<GdiFont>();
        object->logFont.lfWeight = FW_NORMAL;
        object->logFont.lfPitchAndFamily = pitch;
        return std::shared_ptr<GdiObject>(object);
    };
    switch (index) {
    case kDefaultBitmapIndex: {
        auto bitmap = std::make_shared<GdiBitmap>();
        bitmap->width = 1;
        bitmap->height = 1;
        bitmap->bitsPerPixel = 1;
        bitmap->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        return std::shared_ptr<GdiObject>(bitmap);
    }
    case WHITE_BRUSH:
        return brush(RGB(255, 255, 255), false);
    case LTGRAY_BRUSH:
        return brush(RGB(192, 192, 192), false);
    case GRAY_BRUSH:
        return brush(RGB(128, 128, 128), false);
    case DKGRAY_BRUSH:
        return brush(RGB(64, 64, 64), false);
    case BLACK_BRUSH:
        return brush(0, false);
    case NULL_BRUSH:
        return brush(0, true);
    case WHITE_PEN:
        return pen(RGB(255, 255, 255), PS_SOLID);
    case BLACK_PEN:
        return pen(0, PS_SOLID);
    case NULL_PEN:
        return pen(0, PS_NULL);
    case SYSTEM_FONT:
        return font(VARIABLE_PITCH);
    case DEVICE_DEFAULT_FONT:
        return font(VARIABLE_PITCH);
    case SYSTEM_FIXED_FONT:
        return font(FIXED_PITCH);
    case DEFAULT_PALETTE:
        return std::make_shared<GdiPalette>();
    default:
        return nullptr;
    }
}

void AddStockObjects(GdiState& state)
{
    for (int index = 0; index < kStockCount; ++index) {
        std::shared_ptr<GdiObject> object = MakeStock(index);
        if (object) {
            object->stock = true;
            state.objects[reinterpret_cast<HGDIOBJ>(kStockBase + index * kHandleStep)] = object;
        }
    }
}

void ResetGdi()
{
    GdiState& state = Gdi();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    state.objects.clear();
    for (auto& [window, surface] : state.windowPixels) {
        cairo_surface_destroy(surface);
    }
    state.windowPixels.clear();
    state.journal.clear();
    state.pictures.clear();
    state.pictureFolder.clear();
    state.documents = 0;
    state.escapesAnswered = true;
    state.displayBits = kTrueColourBits;
    state.systemPalette = nullptr;
    state.paletteGeneration = 0;
    AddStockObjects(state);
}

const ResetHook g_reset(ResetGdi);

}  // namespace

GdiState& Gdi()
{
    static auto* state = [] {
        auto* made = new GdiState;
        AddStockObjects(*made);
        return made;
    }();
    return *state;
}

GdiBitmap::~GdiBitmap()
{
    if (surface != nullptr) {
        cairo_surface_destroy(surface);
    }
    delete[] bits;
}

HGDIOBJ DefaultBitmap()
{
    return StockObject(kDefaultBitmapIndex);
}

GdiDC::~GdiDC()
{
    if (cairo != nullptr) {
        cairo_destroy(cairo);
    }
    if (surface != nullptr) {
        cairo_surface_destroy(surface);
    }
}

std::shared_ptr<GdiObject> ObjectOf(HGDIOBJ handle)
{
    auto found = Gdi().objects.find(handle);
    return found != Gdi().objects.end() ? found->second : nullptr;
}

GdiDC* DcOf(HDC dc)
{
    std::shared_ptr<GdiObject> object = ObjectOf(dc);
    if (!object || object->kind != GdiKind::DC) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<GdiDC*>(object.get());
}

HGDIOBJ AddGdiObject(std::shared_ptr<GdiObject> object)
{
    GdiState& state = Gdi();
    auto handle = reinterpret_cast<HGDIOBJ>(state.nextHandle);
    state.nextHandle += kHandleStep;
    state.objects[handle] = std::move(object);
    return handle;
}

HGDIOBJ StockObject(int index)
{
    auto handle = reinterpret_cast<HGDIOBJ>(kStockBase + index * kHandleStep);
    return ObjectOf(handle) ? handle : nullptr;
}

void Journal(GdiCall call)
{
    Gdi().journal.push_back(std::move(call));
}

GdiCall MakeGdiCall(const char* name, HDC dc, std::vector<long long> args, long long result)
{
    GdiCall call;
    call.call = name;
    call.dc = reinterpret_cast<uintptr_t>(dc);
    call.args = std::move(args);
    call.result = result;
    return call;
}

long long HandleValue(HGDIOBJ handle)
{
    return static_cast<long long>(reinterpret_cast<uintptr_t>(handle));
}

void SetPictureColor(cairo_t* cairo, COLORREF color)
{
    cairo_set_source_rgb(cairo, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

bool PictureOfSurface(cairo_surface_t* surface, Picture& picture)
{
    if (surface == nullptr) {
        return false;
    }
    cairo_surface_flush(surface);
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels[static_cast<size_t>(y) * picture.width + x] = row[x] & 0xFFFFFF;
        }
    }
    return true;
}

double PictureScaleX(const DeviceGeometry& geometry)
{
    return kPictureDpi / geometry.dpiX;
}

double PictureScaleY(const DeviceGeometry& geometry)
{
    return kPictureDpi / geometry.dpiY;
}

}  // namespace nirasim::sim

namespace nirasim {

using sim::Gdi;

std::vector<GdiCall> GdiJournal()
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return Gdi().journal;
}

void ClearGdiJournal()
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    Gdi().journal.clear();
}

std::vector<GdiCall> GdiCallsNamed(const std::string& call)
{
    std::vector<GdiCall> named;
    for (const GdiCall& entry : GdiJournal()) {
        if (entry.call == call) {
            named.push_back(entry);
        }
    }
    return named;
}

int LiveGdiObjects()
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return static_cast<int>(std::count_if(Gdi().objects.begin(), Gdi().objects.end(),
                                          [](const auto& entry) { return !entry.second->stock; }));
}

void SetPagePictureFolder(const std::string& hostFolder)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    Gdi().pictureFolder = hostFolder;
}

std::vector<std::string> PagePictures()
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    return Gdi().pictures;
}

bool ReadPicture(const std::string& pngPath, Picture& picture)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(pngPath.c_str());
    bool read =
        cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS && sim::PictureOfSurface(surface, picture);
    cairo_surface_destroy(surface);
    return read;
}

void SetRenderModuleAnswers(bool answers)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    Gdi().escapesAnswered = answers;
}

void SetDisplayBitsPerPixel(int bits)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    Gdi().displayBits = bits;
}

void RealizeOtherProgramsPalette()
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    Gdi().systemPalette = nullptr;
    ++Gdi().paletteGeneration;
}

}  // namespace nirasim

// Fontconfig keeps its configuration and font caches for the life of the process and frees them
// only when asked to at the very end, after cairo has let go of every face; the leak checker is
// told about these process-lifetime blocks instead.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
