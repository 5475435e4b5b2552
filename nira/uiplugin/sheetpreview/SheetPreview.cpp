// The sheet preview's paint: the picture is composed off screen from the current settings and
// copied to the widget's window in one step.
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/OrientationHandler.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "common/ScopedGdi.h"

using namespace sheetpreview;

namespace {

constexpr int kPictureWidget = 6002;
constexpr int kMirrored = 2;
constexpr int kBorderless = 2;
constexpr int kBorderlessPapers[] = {174, 175};
constexpr int kBookletOff = 1;
constexpr int kTwoPagesPerSheet = 2;
// Where the background colour is sampled: a point of the window, else its corners.
constexpr POINT kBackgroundSample = {200, 100};
constexpr POINT kBackgroundCorner = {1, 1};

}  // namespace

CNiraSheetPreview::CNiraSheetPreview()
    : m_window(nullptr),
      m_orientation(1),
      m_widgetRect(),
      m_paperRect(),
      m_cellRect(),
      m_documentPaperRect(),
      m_memoryDC(nullptr),
      m_windowDC(nullptr),
      m_outerMargin(0),
      m_innerMargin(0),
      m_bitmap(nullptr),
      m_scale(100)
{}

CNiraSheetPreview::~CNiraSheetPreview() = default;

int CNiraSheetPreview::ReadValue(int featureId, int fallback)
{
    int value = fallback;
    int isSet = 0;
    if (m_services == nullptr || m_services->GetValue(featureId, &value, &isSet) != 0) {
        return fallback;
    }
    return value;
}

int CNiraSheetPreview::ReadOrientation()
{
    m_orientation = ReadValue(FEATURE_ORIENTATION, 0);
    return m_orientation;
}

int CNiraSheetPreview::GetPagesPerSheet()
{
    int option = ReadValue(FEATURE_PAGES_PER_SHEET, 1);
    return option == 0 ? 1 : option;
}

int CNiraSheetPreview::GetBooklet()
{
    return ReadValue(FEATURE_BOOKLET, kBookletOff);
}

bool CNiraSheetPreview::IsMirrored()
{
    return ReadValue(FEATURE_MIRROR_PRINT, 0) == kMirrored;
}

bool CNiraSheetPreview::IsBorderless()
{
    if (ReadValue(FEATURE_BORDERLESS, 0) == kBorderless) {
        return true;
    }
    int paper = ReadValue(FEATURE_PAPER_SIZE, 0);
    for (int borderless : kBorderlessPapers) {
        if (paper == borderless) {
            return true;
        }
    }
    return false;
}

void CNiraSheetPreview::GetBitmapSize(HBITMAP bitmap, int* width, int* height)
{
    BITMAP info = {};
    bool known = bitmap != nullptr && GetObjectW(bitmap, sizeof(info), &info) != 0;
    *width = known ? info.bmWidth : 0;
    *height = known ? info.bmHeight : 0;
}

COLORREF CNiraSheetPreview::MakeColor(int red, int green, int blue)
{
    return RGB(red, green, blue);
}

int CNiraSheetPreview::OnWidgetChanged(int)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return m_services->SendHandlerCommand(kPictureWidget, FEATURE_ORIENTATION,
                                          CNiraOrientationHandler::kCommandToggleOrientation, nullptr,
                                          nullptr);
}

bool CNiraSheetPreview::CreateSurface()
{
    m_windowDC = GetDC(m_window);
    if (m_windowDC == nullptr) {
        return false;
    }
    int width = m_widgetRect.right - m_widgetRect.left;
    int height = m_widgetRect.bottom - m_widgetRect.top;
    m_bitmap = CreateCompatibleBitmap(m_windowDC, width, height);
    m_memoryDC = m_bitmap != nullptr ? CreateCompatibleDC(m_windowDC) : nullptr;
    if (m_memoryDC == nullptr || SelectObject(m_memoryDC, m_bitmap) == nullptr) {
        return false;
    }
    COLORREF background = GetPixel(m_windowDC, kBackgroundSample.x, kBackgroundSample.y);
    if (background == CLR_INVALID) {
        background = GetPixel(m_windowDC, kBackgroundCorner.x, kBackgroundCorner.y);
    }
    if (background == CLR_INVALID) {
        background = GetPixel(m_windowDC, m_widgetRect.right - 1, m_widgetRect.bottom - 1);
    }
    CNiraScopedObject brush(CreateSolidBrush(background));
    CNiraScopedSelection selection(m_memoryDC, brush.Get());
    PatBlt(m_memoryDC, 0, 0, width, height, PATCOPY);
    return true;
}

// The memory DC is deleted with the bitmap it still holds; the window DC goes back to the window.
void CNiraSheetPreview::ReleaseSurface()
{
    if (m_memoryDC != nullptr) {
        DeleteDC(m_memoryDC);
    }
    if (m_bitmap != nullptr) {
        DeleteObject(m_bitmap);
    }
    if (m_windowDC != nullptr) {
        ReleaseDC(m_window, m_windowDC);
    }
    m_memoryDC = nullptr;
    m_bitmap = nullptr;
    m_windowDC = nullptr;
}

int CNiraSheetPreview::PaintWidget(int, HWND window, INT_PTR)
{
    if (window != nullptr) {
        m_window = window;
    }
    ReadOrientation();
    int scale = ComputeSheetRects();
    if (!CreateSurface()) {
        ReleaseSurface();
        return NIRA_STATUS_FAILED;
    }
    m_scale = scale;
    CellLayout layout = {};
    // An orientation or a pages-per-sheet option the picture does not know leaves the widget empty.
    bool known = (m_orientation == 1 || m_orientation == 2) && ComputeCellLayout(&layout) == 0;
    if (known) {
        {
            CNiraScopedObject pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
            CNiraScopedObject brush(CreateSolidBrush(RGB(255, 255, 255)));
            CNiraScopedSelection penSelection(m_memoryDC, pen.Get());
            CNiraScopedSelection brushSelection(m_memoryDC, brush.Get());
            Rectangle(m_memoryDC, m_paperRect.left, m_paperRect.top, m_paperRect.right, m_paperRect.bottom);
        }
        DrawPages(layout);
        if (IsMirrored()) {
            MirrorPaper();
        }
        int booklet = GetBooklet();
        if (ReadValue(FEATURE_DUPLEX, kOneSided) == kOneSided) {
            if (booklet != kBookletOff && GetPagesPerSheet() == kTwoPagesPerSheet) {
                DrawFoldLine();
            }
        } else {
            if (booklet == kBookletOff) {
                DrawBindingRings();
            } else {
                DrawFoldLine();
            }
            DrawBindingIcon();
        }
    }
    BITMAP size = {};
    GetObjectW(m_bitmap, sizeof(size), &size);
    BitBlt(m_windowDC, m_widgetRect.left, m_widgetRect.top, size.bmWidth, size.bmHeight, m_memoryDC,
           m_widgetRect.left, m_widgetRect.top, SRCCOPY);
    ReleaseSurface();
    return 0;
}
