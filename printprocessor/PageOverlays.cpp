// Page overlays: where each page lands goes to the render module, and under the page the
// overlay text of output mode 3 or the space marker of output mode 1.
#include "printprocessor/CellPlacement.h"

#include <strsafe.h>

namespace {

constexpr LONG kOutputMarker = 1;
constexpr LONG kOutputOverlay = 3;
constexpr LONG kFullQuality = 600;
constexpr DWORD kOverlayPoints = 75;
constexpr DWORD kPointsPerInch = 72;
constexpr LONG kVariantHeight = -156;
constexpr SHORT kVariantQuality = 300;
constexpr int kTextAt = 100;
constexpr BYTE kPitchAndFamily = 23;
constexpr BYTE kTrueTypePrecision = 4;  // OUT_TT_PRECIS
constexpr LONG kMarkerHeight = -10;
constexpr LONG kMarkerTurn = 2700;
constexpr WCHAR kHighByteMask = 0xFF00;
const WCHAR kMarkerFace[] = TEXT("Comic Sans MS");
const WCHAR kMarkerText[] = TEXT(" ");

size_t BoundedLength(const WCHAR* text, size_t capacity)
{
    size_t length = 0;
    while (length < capacity && text[length] != 0) {
        ++length;
    }
    return length;
}

LOGFONTW BaseFont()
{
    LOGFONTW font = {};
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = kTrueTypePrecision;
    font.lfPitchAndFamily = kPitchAndFamily;
    return font;
}

// Draws the text with the font selected; the font is deleted again. FALSE when nothing was drawn.
template <typename Draw>
BOOL WithFont(HDC dc, const LOGFONTW& font, Draw draw)
{
    HFONT created = CreateFontIndirectW(&font);
    if (created == nullptr) {
        return FALSE;
    }
    HGDIOBJ previous = SelectObject(dc, created);
    if (previous == nullptr || previous == HGDI_ERROR) {
        DeleteObject(created);
        return FALSE;
    }
    BOOL drawn = draw();
    SelectObject(dc, previous);
    DeleteObject(created);
    return drawn;
}

BOOL DrawOverlayText(CellPlacement& p, const DEVMODEW* page)
{
    const JobSettingsRecord& s = p.job->settings;
    const JobOverlaySettings& o = s.overlay;
    SHORT q = page != nullptr ? page->dmPrintQuality : 0;
    LONG f = q != 0 && q <= kFullQuality ? kFullQuality / q : 1;
    LOGFONTW font = BaseFont();
    DWORD product = static_cast<DWORD>(q) * static_cast<DWORD>(f) * kOverlayPoints;
    font.lfHeight = -static_cast<LONG>(static_cast<SHORT>(product / kPointsPerInch));
    font.lfWeight = o.overlayStyle == 1 || o.overlayStyle == 3 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = o.overlayStyle == 2 || o.overlayStyle == 3 ? 1 : 0;
    if (q == kVariantQuality) {
        if (s.booklet != 0 && font.lfItalic != 0 && (s.overlayVariant == 1 || s.overlayVariant == 2)) {
            font.lfItalic = 0;
        }
        if (s.overlayVariant == 0 || s.overlayVariant == 1) {
            font.lfHeight = kVariantHeight;
        }
    }
    if (BoundedLength(o.overlayFont, kOverlayTextChars) >= LF_FACESIZE) {
        return FALSE;
    }
    StringCchCopyW(font.lfFaceName, LF_FACESIZE, o.overlayFont);
    size_t length = BoundedLength(o.overlayText2, kOverlayTextChars);
    if (length >= kOverlayTextChars) {
        return FALSE;
    }
    HDC dc = p.printerDC;
    return WithFont(dc, font, [&]() -> BOOL {
        XFORM saved = {};
        if (!GetWorldTransform(dc, &saved) || !ModifyWorldTransform(dc, nullptr, MWT_IDENTITY)) {
            return FALSE;
        }
        // The text stands at the printable area's origin whatever the cell's transform.
        BOOL drawn = TextOutW(dc, kTextAt, kTextAt, o.overlayText2, static_cast<int>(length));
        return ModifyWorldTransform(dc, &saved, MWT_RIGHTMULTIPLY) ? drawn : FALSE;
    });
}

BOOL DrawOverlay(CellPlacement& p, const DEVMODEW* page, LONG pageNumber)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (job.pageCount == 0) {
        job.CountPages();
    }
    if (job.pageCount == 0) {
        return FALSE;
    }
    bool takes = false;
    if (s.overlayFirstPageOnly != 0) {
        takes = pageNumber == 1;
    } else if (s.booklet == 0) {
        takes = pageNumber <= job.pageCount;
    } else {
        constexpr LONG kBookletQuarter = 4;
        takes = (job.pagesPerSide > 0 && pageNumber % job.pagesPerSide == 1) ||
                (pageNumber == 2 && job.pageCount % kBookletQuarter != 3);
    }
    if (!takes) {
        return FALSE;
    }
    job.SendDriverEscape(ESCAPE_OVERLAY_BEGIN);
    BOOL drawn = DrawOverlayText(p, page);
    if (!drawn) {
        job.SendDriverEscape(ESCAPE_OVERLAY_NONE);
    }
    return drawn;
}

BOOL DrawSpaceMarker(CellPlacement& p, LONG pagesPerSheet)
{
    LOGFONTW font = BaseFont();
    font.lfHeight = kMarkerHeight;
    bool turnedCells = pagesPerSheet == 2 || pagesPerSheet == 6;
    font.lfEscapement = turnedCells ? kMarkerTurn : 0;
    font.lfOrientation = font.lfEscapement;
    StringCchCopyW(font.lfFaceName, LF_FACESIZE, kMarkerFace);
    HDC dc = p.printerDC;
    return WithFont(dc, font, [&]() { return TextOutW(dc, kTextAt, kTextAt, kMarkerText, 1); });
}

bool HasWideCharacter(const WCHAR* text)
{
    for (size_t i = 0; i < kOverlayTextChars && text[i] != 0; ++i) {
        if ((text[i] & kHighByteMask) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

BOOL OverlayStep(CellPlacement& p, const DEVMODEW* page, LONG pageNumber, LONG cellNumber, LONG pagesPerSheet)
{
    CNiraEmfJob& job = *p.job;
    const JobSettingsRecord& s = job.settings;
    if (s.cellReports == 0 && s.outputMode != kOutputOverlay && job.pagesPerSide == 1) {
        return TRUE;
    }
    if (job.pageCount == 0) {
        job.CountPages();
    }
    if (job.pageCount == 0 || cellNumber < 1 || cellNumber > static_cast<LONG>(kPageCellCount)) {
        return FALSE;
    }
    LONG entry = s.outputMode == kOutputOverlay && s.booklet != 0 ? 0 : cellNumber - 1;
    const RECT& c = p.cellRect;
    job.placement.cells[entry] = {
        pageNumber, c.left, c.top, c.right, c.bottom, page != nullptr ? page->dmOrientation : SHORT{0}, 0};
    job.placement.pageCount = job.pageCount;
    job.SendDriverEscape(ESCAPE_SET_PAGE_PLACEMENT);
    if (s.outputMode == kOutputOverlay && s.cellReports != 0) {
        DrawOverlay(p, page, pageNumber);
    }
    if (s.outputMode != kOutputMarker) {
        return TRUE;
    }
    if (pageNumber == 2) {
        job.SendDriverEscape(ESCAPE_GET_PAGE_SETTINGS);
    }
    if (s.cellReports != 0 &&
        (HasWideCharacter(s.overlay.overlayText2) || job.pageSettings.spaceMarker != 0)) {
        DrawSpaceMarker(p, pagesPerSheet);
    }
    return TRUE;
}
