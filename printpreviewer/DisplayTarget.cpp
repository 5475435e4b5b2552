#include "printpreviewer/DisplayTarget.h"

#include "printpreviewer/PageRenderer.h"
#include "printpreviewer/SheetMarks.h"

namespace {

constexpr LONG kPercent = 100;
constexpr size_t kPathChars = 256;
// The page picture's margins come from the record's offsets when it has both.
constexpr double kOffsetUnitsPerInch = 1200.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kMarginBase = 3.0;

LONG MarginOf(FLOAT offset, bool bothOffsets)
{
    if (!bothOffsets) {
        return static_cast<LONG>(offset);
    }
    return static_cast<LONG>(offset / kOffsetUnitsPerInch * kMillimetresPerInch + kMarginBase);
}

}  // namespace

LONG CNiraDisplayTarget::Pixels(LONG units) const
{
    return static_cast<LONG>(static_cast<LONGLONG>(zoom) * units / CNiraPreviewDocument::kUnitsPerInch);
}

RECT CNiraDisplayTarget::SheetRect(const PreviewPage& page, LONG slot) const
{
    LONG width = Pixels(page.sheetWidth);
    LONG height = Pixels(page.sheetHeight);
    LONG cellWidth = Pixels(largestSheet.cx);
    LONG cellHeight = Pixels(largestSheet.cy);
    LONG perRow = columns > 0 ? columns : 1;
    LONG x = origin.x + (slot % perRow) * (cellWidth + gapX);
    LONG y = origin.y + (slot / perRow) * (cellHeight + gapY);
    if ((flags & kCentred) != 0) {
        x += (cellWidth - width) / 2;
        y += (cellHeight - height) / 2;
    }
    return {x, y, x + width, y + height};
}

RECT CNiraDisplayTarget::PictureRect(const CNiraPreviewDocument& document, const RECT& sheet) const
{
    bool both = document.OffsetX() != 0 && document.OffsetY() != 0;
    LONG mx = MarginOf(document.OffsetX(), both);
    LONG my = MarginOf(document.OffsetY(), both);
    LONG width = static_cast<LONG>(static_cast<LONGLONG>(sheet.right - sheet.left) * document.ScalePercent() /
                                   kPercent);
    LONG height = static_cast<LONG>(static_cast<LONGLONG>(sheet.bottom - sheet.top) *
                                    document.ScalePercent() / kPercent);
    return {sheet.left + mx, sheet.top + my, sheet.left + width - mx, sheet.top + height - my};
}

void CNiraDisplayTarget::NoteVisible(const RECT& sheet, LONG slot)
{
    RECT visible = {};
    if (!IntersectRect(&visible, &sheet, &client)) {
        return;
    }
    LONGLONG area = static_cast<LONGLONG>(visible.right - visible.left) * (visible.bottom - visible.top);
    if (area > m_largestArea) {
        m_largestArea = area;
        m_largestSlot = slot;
    }
}

bool CNiraDisplayTarget::PlaceSheet(CNiraPreviewDocument& document, const PreviewDisplayStep& step)
{
    const PreviewPage* page = document.PageAt(step.pageIndex);
    if (page == nullptr) {
        return true;
    }
    RECT sheet = SheetRect(*page, ShowsSlots() ? step.slot : 0);
    NoteVisible(sheet, step.slot);
    RECT shown = {};
    if (clip != nullptr && !IntersectRect(&shown, &sheet, clip)) {
        return true;
    }
    if (!BeginSheet(step.slot, sheet.right - sheet.left, sheet.bottom - sheet.top)) {
        return false;
    }
    if ((flags & kFramesAndMarks) != 0) {
        DrawSheetFrame(dc, sheet);
    }
    WCHAR path[kPathChars] = {};
    if (document.PageFilePath(step.fileNumber, path, kPathChars)) {
        DrawPageBitmap(document, {dc, PictureRect(document, sheet), path, step.fileCounter});
    }
    if ((flags & kFramesAndMarks) != 0) {
        bool sideEdge =
            step.bindingCode % kMarkCover == kMarkLeft || step.bindingCode % kMarkCover == kMarkRight;
        DrawBindingMarks(dc, BindingMarksOf(sheet, step.bindingCode, sideEdge ? gapX : gapY));
    }
    EndSheet();
    return true;
}
