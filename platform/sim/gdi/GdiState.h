// The state of the simulated GDI: its objects (fonts, pens, brushes, bitmaps, regions, device
// contexts) by handle, the pixels of windows, the drawing journal and the folder that page
// pictures go to.
#pragma once

#include <windows.h>

#include <nirasim/Gdi.h>

#include "gdi/Region.h"

#include <cairo.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace nirasim::sim {

enum class GdiKind { FONT, PEN, BRUSH, BITMAP, REGION, DC, PALETTE };

struct GdiObject {
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiKind kind;
    bool stock = false;
};

struct GdiFont : GdiObject {
    GdiFont() : GdiObject(GdiKind::FONT) {}
    LOGFONTW logFont = {};
};

struct GdiPen : GdiObject {
    GdiPen() : GdiObject(GdiKind::PEN) {}
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct GdiBrush : GdiObject {
    GdiBrush() : GdiObject(GdiKind::BRUSH) {}
    COLORREF color = 0;
    bool hollow = false;
};

// A bitmap's pixels live in a cairo image surface (0x00RRGGBB words, top row first). A DIB
// section also has the bits its maker writes, in the Windows layout; the two are brought together
// around every GDI call that touches the bitmap.
struct GdiBitmap : GdiObject {
    GdiBitmap() : GdiObject(GdiKind::BITMAP) {}
    ~GdiBitmap() override;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;  // 1 for a monochrome bitmap
    cairo_surface_t* surface = nullptr;
    HDC selectedInto = nullptr;
    // DIB sections only.
    bool dib = false;
    BITMAPINFOHEADER header = {};
    std::vector<RGBQUAD> colors;
    BYTE* bits = nullptr;
    size_t bitsSize = 0;
};

// A logical palette: kept and selected, never mapped into pixels (every DC draws true colour).
// On a palette display its realisation is tracked: `realized` holds the system palette's
// generation it was last realised into, so realising it again changes no entry.
struct GdiPalette : GdiObject {
    GdiPalette() : GdiObject(GdiKind::PALETTE) {}
    std::vector<PALETTEENTRY> entries;
    int realized = -1;
};

struct GdiRegion : GdiObject {
    GdiRegion() : GdiObject(GdiKind::REGION) {}
    Region area;
};

// The device a DC draws on: sizes in device units.
struct DeviceGeometry {
    int dpiX = 600;
    int dpiY = 600;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
};

// What a DC draws on: a printer's pages, the bitmap selected into a memory DC, or a window.
enum class DcTarget { PRINTER, MEMORY, WINDOW };

struct GdiDC : GdiObject {
    GdiDC() : GdiObject(GdiKind::DC) {}
    ~GdiDC() override;
    DcTarget target = DcTarget::PRINTER;
    HGDIOBJ bitmap = nullptr;  // memory DCs
    HWND window = nullptr;     // window DCs
    bool hasClip = false;
    Region clip;  // device units; meaningful when hasClip
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    DWORD layout = 0;
    std::u16string printer;
    std::vector<BYTE> devmode;  // public and private part
    DeviceGeometry geometry;
    HGDIOBJ font = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    int bkMode = OPAQUE;
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    POINT position = {0, 0};
    int graphicsMode = GM_COMPATIBLE;
    XFORM world = {1, 0, 0, 1, 0, 0};
    int arcDirection = AD_COUNTERCLOCKWISE;
    // The page space: logical points are mapped window -> viewport after the world transform.
    int mapMode = MM_TEXT;
    POINT windowOrg = {0, 0};
    POINT viewportOrg = {0, 0};
    SIZE windowExt = {1, 1};
    SIZE viewportExt = {1, 1};
    HGDIOBJ palette = nullptr;       // null: the stock default palette
    bool paletteBackground = false;  // selected with bForceBkgd
    bool inDocument = false;
    bool inPage = false;
    bool cancelled = false;
    int pages = 0;
    int documentNumber = 0;
    HMODULE renderModule = nullptr;
    bool renderModuleTried = false;
    DWORD jobId = 0;  // the spooled job a print processor plays on this DC; 0 for others
    // The picture of the current page, made only when pictures are asked for.
    cairo_surface_t* surface = nullptr;
    cairo_t* cairo = nullptr;
};

constexpr int kTrueColourBits = 32;

struct GdiState {
    std::recursive_mutex lock;
    std::map<HGDIOBJ, std::shared_ptr<GdiObject>> objects;
    // The pixels of each window that has been drawn on, as large as its client area.
    std::map<HWND, cairo_surface_t*> windowPixels;
    uintptr_t nextHandle = 0x10000;
    std::vector<GdiCall> journal;
    std::string pictureFolder;  // empty: no pictures
    std::vector<std::string> pictures;
    int documents = 0;
    bool escapesAnswered = true;
    // The display's colour depth (what GetDeviceCaps answers for every DC but a printer's), and the
    // system palette of a palette display: the palette realised in the foreground last, and a
    // generation counted up whenever its entries change.
    int displayBits = kTrueColourBits;
    HGDIOBJ systemPalette = nullptr;
    int paletteGeneration = 0;
};

GdiState& Gdi();

// Call under Gdi().lock. Null with ERROR_INVALID_HANDLE for an unknown handle or another kind.
GdiDC* DcOf(HDC dc);
std::shared_ptr<GdiObject> ObjectOf(HGDIOBJ handle);
HGDIOBJ AddGdiObject(std::shared_ptr<GdiObject> object);
HGDIOBJ StockObject(int index);
HGDIOBJ DefaultBitmap();
void Journal(GdiCall call);
// A journal entry of a call on a DC (null for none) with the arguments that matter.
GdiCall MakeGdiCall(const char* name, HDC dc, std::vector<long long> args, long long result);
// The handle as the journal keeps it.
long long HandleValue(HGDIOBJ handle);

// Gives a printer DC between pages the paper, orientation and resolution of another DEVMODE.
bool ResetPrinterDC(HDC dc, const DEVMODEW* devmode);

// Sets a colour as the picture's drawing source.
void SetPictureColor(cairo_t* cairo, COLORREF color);

// A surface's pixels as a test reads them; false for no surface.
bool PictureOfSurface(cairo_surface_t* surface, Picture& picture);

// Pixels per device unit of the page pictures, per axis.
double PictureScaleX(const DeviceGeometry& geometry);
double PictureScaleY(const DeviceGeometry& geometry);

// The driver's render module of a printer DC, loaded at the first need; null when the driver has
// none. Call under Gdi().lock.
HMODULE RenderModuleOf(GdiDC& dc);
// The page the render module is handed at EndPage when it asks for pages (its RenderEndPage
// export), drawn at the picture resolution.
void HandPageToRenderModule(GdiDC& dc);
bool RenderModuleTakesPages(GdiDC& dc);
// The spooled job whose pages a DC shows (the print processor's DC of a spool file).
void SetDcJob(HDC dc, DWORD jobId);

// The transform that applies a first, then b (a point is a row vector).
XFORM CombineTransforms(const XFORM& a, const XFORM& b);
// Logical to device units: the world transform, then the page's window-to-viewport mapping.
XFORM LogicalToDevice(const GdiDC& dc);

// The font selected in a DC (the stock system font when none is).
LOGFONTW SelectedFont(const GdiDC& dc);

}  // namespace nirasim::sim
