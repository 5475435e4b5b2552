// The image preview's paint: the page is composed off screen at its own size, the roll and its
// shading are drawn on the window, and the page is copied into the sheet's bottom-right corner
// through a turning world transform and a clip to the sheet.
#include "nira/uiplugin/sheetpreview/ImagePreview.h"

#include <algorithm>
#include <cmath>

#include "common/NiraStatus.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/sheetpreview/Drawing.h"
#include "common/ScopedGdi.h"

using namespace sheetpreview;

namespace {

constexpr int kRollHeight = 25;
constexpr int kRollEndWidth = 15;
constexpr int kRollRightGap = 2;
constexpr int kNarrowPixels = 50;
constexpr double kNarrowInches = 8.5;
constexpr double kWideInches = 42.0;
constexpr int kPercent = 100;
constexpr int kMirrored = 2;
constexpr float kPi = 3.1415925f;
constexpr float kHalfTurnDegrees = 180.0f;
constexpr float kQuarterTurn = 90.0f;
constexpr float kHalfTurn = 180.0f;
// The page is placed this far from the sheet's right edge and the widget's bottom after a turn.
constexpr double kTurnedBottomGap = 4.0;
constexpr double kTurnedRightGap = 4.0;
// The fade strip left of the sheet, through which the page shows before it is cut off.
constexpr int kFadeStrip = 20;
constexpr int kMarksMaxTop = 130;
constexpr int kMarkBitmap = 215;
constexpr int kDimensionBitmap = 214;
constexpr COLORREF kMarkTransparent = RGB(255, 255, 255);

}  // namespace

CNiraImagePreview::CNiraImagePreview()
    : m_rollHeight(kRollHeight),
      m_rollEndWidth(kRollEndWidth),
      m_rollRightGap(kRollRightGap),
      m_narrowPixels(kNarrowPixels),
      m_narrowInches(kNarrowInches),
      m_widePixels(0),
      m_wideInches(kWideInches),
      m_rollInches(kWideInches),
      m_rollPixels(0),
      m_paperArea(),
      m_pageRect(),
      m_pageWidth(0),
      m_pageHeight(0),
      m_turned(0),
      m_cells(),
      m_horizontalInset(1),
      m_textInset(1),
      m_verticalInset(2),
      m_sheetOrientation(1),
      m_imageScale(kPercent),
      m_strip(0),
      m_marks(0),
      m_pagesOption(0),
      m_bitmapWidth(0),
      m_bitmapHeight(0)
{}

CNiraImagePreview::~CNiraImagePreview() = default;

void CNiraImagePreview::ReadLayout()
{
    m_pagesOption = GetPagesPerSheet();
    ReadOrientation();
    m_sheetOrientation = static_cast<short>(m_orientation);
    if (m_pagesOption == 2 || m_pagesOption == 4) {
        m_sheetOrientation = m_orientation == 1 ? 2 : 1;
    }
}

// The flags keep their value when a read fails or answers an option they do not know. Answers the
// status of the last read.
int CNiraImagePreview::ReadSettings()
{
    constexpr int kFitScale = 3;
    int status = 0;
    auto read = [&](int featureId, int* value) {
        int isSet = 0;
        status = m_services != nullptr ? m_services->GetValue(featureId, value, &isSet) : NIRA_STATUS_FAILED;
        return status == 0;
    };
    int value = 1;
    if (read(FEATURE_FIT_TO_SIZE, &value) && value == kFitScale) {
        read(FEATURE_SCALE_PERCENT, &m_imageScale);
    } else {
        m_imageScale = kPercent;
    }
    auto readFlag = [&](int featureId, int* flag) {
        int option = 0;
        if (read(featureId, &option) && (option == 1 || option == 2)) {
            *flag = option == 2 ? 1 : 0;
        }
    };
    readFlag(FEATURE_ROTATION, &m_turned);
    readFlag(FEATURE_SAVE_ROLL_PAPER, &m_strip);
    int marks = 0;
    if (read(FEATURE_ROLL_CUT, &marks)) {
        m_marks = marks == 1 ? 1 : 0;
    }
    return status;
}

int CNiraImagePreview::PaintWidget(int, HWND window, INT_PTR)
{
    if (window != nullptr) {
        m_window = window;
    }
    ReadLayout();
    int status = ReadSettings();
    m_windowDC = GetDC(m_window);
    m_memoryDC = m_windowDC != nullptr ? CreateCompatibleDC(m_windowDC) : nullptr;
    if (m_memoryDC == nullptr) {
        ReleaseSurface();
        return NIRA_STATUS_FAILED;
    }
    ComputeRects();
    GetClientRect(m_window, &m_widgetRect);
    m_bitmap = CreateCompatibleBitmap(m_windowDC, Width(m_pageRect), Height(m_pageRect));
    // A page of no size (an orientation the picture does not know) leaves only the roll.
    bool page = m_bitmap != nullptr && SelectObject(m_memoryDC, m_bitmap) != nullptr;
    if (page) {
        FillBackground(m_memoryDC);
        m_cells = ComputeImageCellLayout();
        {
            CNiraScopedSelection brush(m_memoryDC, GetStockObject(WHITE_BRUSH));
            CNiraScopedSelection pen(m_memoryDC, GetStockObject(BLACK_PEN));
            RECT white = WhitePageRect();
            Rectangle(m_memoryDC, white.left, white.top, white.right, white.bottom);
        }
        m_horizontalInset = 1;
        m_textInset = 1;
        m_verticalInset = 2;
        DrawPages(m_cells);
    }
    DrawRoll();
    if (page) {
        if (ReadValue(FEATURE_MIRROR_PRINT, 0) == kMirrored) {
            MirrorPage();
        }
        GdiFlush();
        GetBitmapSize(m_bitmap, &m_bitmapWidth, &m_bitmapHeight);
        DrawShadows();
        TurnPage();
        const RECT& a = m_paperArea;
        const POINT outline[] = {{a.right, a.bottom},
                                 {a.left - kFadeStrip, a.bottom},
                                 {a.left - kFadeStrip, a.top + m_rollHeight + 1},
                                 {a.left, a.top + m_rollHeight + 1},
                                 {a.left, a.top},
                                 {a.right - 5, a.top},
                                 {a.right, a.top + m_rollHeight / 4}};
        CNiraScopedObject clip(
            CreatePolygonRgn(outline, static_cast<int>(sizeof(outline) / sizeof(outline[0])), WINDING));
        SelectClipRgn(m_windowDC, static_cast<HRGN>(clip.Get()));
        BitBlt(m_windowDC, a.right - Width(m_pageRect), a.bottom - Height(m_pageRect), Width(m_pageRect),
               Height(m_pageRect), m_memoryDC, m_pageRect.left, m_pageRect.top, SRCCOPY);
        DrawPaperEdge();
        if (m_marks != 0) {
            NarrowForMarks();
            DrawDimensionMarks();
        }
        SelectClipRgn(m_windowDC, nullptr);
    }
    ResetTransform(m_windowDC);
    ReleaseSurface();
    return status;
}

void CNiraImagePreview::MirrorPage()
{
    const RECT& p = m_pageRect;
    StretchBlt(m_memoryDC, p.right, p.top, -(Width(p) + 1), Height(p), m_memoryDC, p.left, p.top,
               Width(p) + 1, Height(p), SRCCOPY);
}

void CNiraImagePreview::SetRotation(HDC dc, float angle, float translateX, float translateY)
{
    SetGraphicsMode(dc, GM_ADVANCED);
    auto radians = static_cast<float>(angle * kPi / kHalfTurnDegrees);
    auto cosine = static_cast<float>(std::cos(radians));
    auto sine = static_cast<float>(std::sin(radians));
    // Moved by -c, turned, then moved by the translation.
    auto cx = static_cast<float>(Width(m_widgetRect) - m_bitmapWidth / 2.0);
    auto cy = static_cast<float>(Height(m_widgetRect) - m_bitmapHeight / 2.0);
    XFORM transform = {cosine,
                       sine,
                       -sine,
                       cosine,
                       -cx * cosine + cy * sine + translateX,
                       -cx * sine - cy * cosine + translateY};
    SetWorldTransform(dc, &transform);
}

void CNiraImagePreview::ResetTransform(HDC dc)
{
    SetRotation(dc, 0.0f, static_cast<float>(Width(m_widgetRect) - m_bitmapWidth / 2.0),
                static_cast<float>(Height(m_widgetRect) - m_bitmapHeight / 2.0));
}

bool CNiraImagePreview::IsTurnedQuarter() const
{
    return (m_turned != 0 && m_sheetOrientation == 1) || (m_turned == 0 && m_sheetOrientation != 1);
}

// A quarter turn stands the page in the sheet's bottom-right corner; an upright sheet that is not
// turned by the printer is shown upside down, as it leaves the roll.
void CNiraImagePreview::TurnPage()
{
    const RECT& a = m_paperArea;
    const RECT& w = m_widgetRect;
    if (IsTurnedQuarter()) {
        SetRotation(m_windowDC, kQuarterTurn, static_cast<float>(a.right - w.left - m_bitmapHeight / 2.0),
                    static_cast<float>(w.bottom + kTurnedBottomGap - m_bitmapWidth / 2.0));
    } else if (m_turned != 0) {
        ResetTransform(m_windowDC);
    } else {
        SetRotation(m_windowDC, kHalfTurn,
                    static_cast<float>(a.right - kTurnedRightGap - m_bitmapWidth / 2.0 - 1.0),
                    static_cast<float>(a.bottom - m_bitmapHeight / 2.0 - 1.0));
    }
}

// Marks beside the top of the page as it shows on the sheet: a tick at the page's top edge and,
// when that edge lies on the sheet, a dimension line along it.
void CNiraImagePreview::DrawDimensionMarks()
{
    const RECT& a = m_paperArea;
    int y0 =
        std::min<int>(a.bottom - (IsTurnedQuarter() ? Width(m_pageRect) : Height(m_pageRect)), kMarksMaxTop);
    bool onSheet = y0 > a.top;
    int yRef = onSheet ? y0 : a.top + 2 * m_rollHeight;
    HMODULE module = m_services != nullptr ? m_services->GetResourceModule() : nullptr;
    CNiraScopedMemoryDC mark(m_windowDC, LoadBitmapW(module, MAKEINTRESOURCEW(kMarkBitmap)));
    int w = 0;
    int h = 0;
    if (mark.Ready()) {
        GetBitmapSize(static_cast<HBITMAP>(GetCurrentObject(mark.Get(), OBJ_BITMAP)), &w, &h);
        TransparentBlt(m_windowDC, a.left - w, yRef - h / 2 - 2, w, h, mark.Get(), 0, 0, w, h,
                       kMarkTransparent);
    }
    if (!onSheet) {
        return;
    }
    CNiraScopedMemoryDC line(m_windowDC, LoadBitmapW(module, MAKEINTRESOURCEW(kDimensionBitmap)));
    if (line.Ready()) {
        int lineWidth = 0;
        int lineHeight = 0;
        GetBitmapSize(static_cast<HBITMAP>(GetCurrentObject(line.Get(), OBJ_BITMAP)), &lineWidth,
                      &lineHeight);
        TransparentBlt(m_windowDC, a.left - 5, yRef - lineHeight - 1,
                       2 * m_widgetRect.right - a.left - lineWidth, lineHeight, line.Get(), 0, 0, lineWidth,
                       lineHeight, kMarkTransparent);
    }
}
