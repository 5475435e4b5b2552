#include "printprocessor/TextJob.h"

#include "printprocessor/RawJob.h"
#include "printprocessor/TextLineFormatter.h"

namespace {

constexpr DWORD kLineBufferSpare = 5;
constexpr LONG kNormalWeight = 400;

const WCHAR kNoTranslationValue[] = TEXT("Winprint_TextNoTranslation");
const WCHAR kNoCRTranslationValue[] = TEXT("Winprint_TextNoCRTranslation");
const WCHAR kTransparencyValue[] = TEXT("Transparency");

// What one TEXT job holds; released on every way out.
struct TextJobResources {
    HFONT font = nullptr;
    HGDIOBJ previousFont = nullptr;
    BYTE* lineBuffer = nullptr;
    BYTE* readBuffer = nullptr;
    HANDLE copySource = nullptr;
    int previousBkMode = 0;
    bool bkModeChanged = false;
};

// The page geometry of the job, fixed once.
struct TextPageLayout {
    DWORD charWidth;
    DWORD lineHeight;
    DWORD columns;
    DWORD linesPerPage;
    UINT codePage;
};

// Where the text of one copy stands on its page.
struct TextCursor {
    DWORD column;
    DWORD line;
    TextLineState state;
};

enum class PieceResult { PRINTED, CANCELLED, FAILED };

void ReleaseResources(ProcessorJob& job, TextJobResources& held)
{
    if (held.bkModeChanged) {
        SetBkMode(job.printerDC, held.previousBkMode);
    }
    if (held.copySource != nullptr) {
        ClosePrinter(held.copySource);
    }
    if (held.lineBuffer != nullptr) {
        GlobalFree(held.lineBuffer);
    }
    if (held.font != nullptr) {
        SelectObject(job.printerDC, held.previousFont);
        DeleteObject(held.font);
    }
    if (held.readBuffer != nullptr) {
        GlobalFree(held.readBuffer);
    }
}

// A fixed-pitch font of the code page's character set; the DC's own font when the code page has
// no character set.
void SelectTextFont(HDC dc, UINT codePage, TextJobResources& held)
{
    CHARSETINFO charset = {};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &charset,
                              TCI_SRCCODEPAGE)) {
        return;
    }
    LOGFONTW font = {};
    font.lfWeight = kNormalWeight;
    font.lfCharSet = static_cast<BYTE>(charset.ciCharset);
    font.lfPitchAndFamily = FIXED_PITCH;
    held.font = CreateFontIndirectW(&font);
    if (held.font != nullptr) {
        held.previousFont = SelectObject(dc, held.font);
    }
}

bool MeasurePage(HDC dc, TextPageLayout& layout)
{
    TEXTMETRICW metrics = {};
    if (!GetTextMetricsW(dc, &metrics)) {
        return false;
    }
    layout.charWidth = static_cast<DWORD>(metrics.tmAveCharWidth);
    layout.lineHeight = static_cast<DWORD>(metrics.tmHeight + metrics.tmExternalLeading);
    if (layout.charWidth == 0 || layout.lineHeight == 0) {
        return false;
    }
    layout.columns = static_cast<DWORD>(GetDeviceCaps(dc, DESKTOPHORZRES)) / layout.charWidth;
    layout.linesPerPage = static_cast<DWORD>(GetDeviceCaps(dc, DESKTOPVERTRES)) / layout.lineHeight;
    return layout.columns != 0 && layout.linesPerPage != 0;
}

// A 4-byte printer-data value; false when it cannot be read.
bool ReadSwitch(HANDLE printer, LPCWSTR name, DWORD& value)
{
    DWORD type = 0;
    DWORD needed = 0;
    value = 0;
    return GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, reinterpret_cast<LPBYTE>(&value),
                           sizeof(value), &needed) == ERROR_SUCCESS;
}

// The line-end translation of a copy, from the printer's switches.
DWORD LineEndFlags(ProcessorJob& job, TextJobResources& held)
{
    DWORD flags = TEXT_FLAG_LF_RETURNS | TEXT_FLAG_CR_NEW_LINE;
    DWORD value = 0;
    if (ReadSwitch(held.copySource, kNoTranslationValue, value) && value != 0) {
        flags = 0;
    }
    if (ReadSwitch(held.copySource, kNoCRTranslationValue, value) && value != 0) {
        flags &= ~TEXT_FLAG_CR_NEW_LINE;
        if (ReadSwitch(held.copySource, kTransparencyValue, value) && value != 0) {
            int previous = SetBkMode(job.printerDC, TRANSPARENT);
            if (!held.bkModeChanged) {
                held.previousBkMode = previous;
                held.bkModeChanged = true;
            }
        }
    }
    return flags;
}

// Prints the pending bytes of the line (starting pages as the line needs) and applies the line
// events; the pause and cancel checks come first.
PieceResult PrintPiece(ProcessorJob& job, const TextPageLayout& layout, const BYTE* lineBuffer,
                       TextCursor& cursor)
{
    if (WaitWhilePausedAndCheckAbort(job)) {
        return PieceResult::CANCELLED;
    }
    TextLineState& state = cursor.state;
    if (state.pendingCount > 0) {
        while (cursor.line >= layout.linesPerPage) {
            if (EndPage(job.printerDC) <= 0 || StartPage(job.printerDC) <= 0) {
                return PieceResult::FAILED;
            }
            cursor.line -= layout.linesPerPage;
        }
        if (!TextOutA(job.printerDC, static_cast<int>(cursor.column * layout.charWidth),
                      static_cast<int>(cursor.line * layout.lineHeight), reinterpret_cast<LPCSTR>(lineBuffer),
                      static_cast<int>(state.pendingCount))) {
            return PieceResult::FAILED;
        }
        cursor.column += state.pendingCount;
    }
    if (state.textFlags & TEXT_FLAG_COLUMN_ZERO) {
        cursor.column = 0;
    }
    if (state.textFlags & TEXT_FLAG_NEW_LINE) {
        ++cursor.line;
    }
    if (state.textFlags & TEXT_FLAG_PAGE) {
        cursor.line = layout.linesPerPage;
        cursor.column = 0;
    }
    state.textFlags &= ~kTextEventFlags;
    state.pendingCount = 0;
    return PieceResult::PRINTED;
}

// A line of a single cell cannot take a double-byte character: it goes alone on its line, so
// that the text always moves on.
const BYTE* TakeUnfittingCharacter(const BYTE* at, BYTE* lineBuffer, TextCursor& cursor)
{
    constexpr DWORD width = 2;
    CopyMemory(lineBuffer, at, width);
    cursor.state.pendingCount = width;
    cursor.state.textFlags &= ~kTextEventFlags;
    cursor.state.textFlags |= TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO;
    return at + width;
}

// Formats and prints one chunk; held is where a lead byte waiting for its trail byte starts
// (null when none).
PieceResult PrintChunk(ProcessorJob& job, const TextPageLayout& layout, BYTE* lineBuffer, const BYTE* chunk,
                       const BYTE* chunkEnd, TextCursor& cursor, const BYTE*& held)
{
    held = nullptr;
    const BYTE* at = chunk;
    while (at < chunkEnd) {
        const BYTE* next = FormatTextLine(at, chunkEnd, lineBuffer, layout.columns - cursor.column,
                                          job.tabSize, layout.codePage, cursor.state);
        if (next == nullptr) {
            return PieceResult::PRINTED;  // the bytes stay pending for the next chunk
        }
        if (cursor.state.textFlags & TEXT_FLAG_LEAD_BYTE_HELD) {
            held = next;
            return PieceResult::PRINTED;
        }
        bool stuck = next == at && cursor.column == 0 && cursor.state.pendingCount == 0 &&
                     !(cursor.state.textFlags & TEXT_FLAG_TAB_PENDING);
        if (stuck && at + 1 >= chunkEnd) {
            held = at;  // the trail byte comes with the next chunk
            return PieceResult::PRINTED;
        }
        if (stuck) {
            next = TakeUnfittingCharacter(at, lineBuffer, cursor);
        }
        PieceResult result = PrintPiece(job, layout, lineBuffer, cursor);
        if (result != PieceResult::PRINTED) {
            return result;
        }
        at = next;
    }
    return PieceResult::PRINTED;
}

// Reads and prints one copy's data.
PieceResult PrintCopyText(ProcessorJob& job, const TextPageLayout& layout, TextJobResources& resources,
                          TextCursor& cursor)
{
    DWORD carried = 0;
    for (;;) {
        DWORD read = 0;
        BOOL ok = ReadPrinter(resources.copySource, resources.readBuffer + carried, kSpoolReadChunk - carried,
                              &read);
        if (!ok || read == 0) {
            break;
        }
        const BYTE* held = nullptr;
        const BYTE* end = resources.readBuffer + carried + read;
        PieceResult result =
            PrintChunk(job, layout, resources.lineBuffer, resources.readBuffer, end, cursor, held);
        if (result != PieceResult::PRINTED) {
            return result;
        }
        carried = 0;
        if (held != nullptr) {
            // The lead byte waits at the buffer's start for its trail byte in the next chunk.
            carried = static_cast<DWORD>(end - held);
            MoveMemory(resources.readBuffer, held, carried);
            cursor.state.textFlags &= ~TEXT_FLAG_LEAD_BYTE_HELD;
        }
    }
    if (carried > 0) {
        // The data ended on a lead byte: it is printed alone.
        CopyMemory(resources.lineBuffer + cursor.state.pendingCount, resources.readBuffer, carried);
        cursor.state.pendingCount += carried;
    }
    return PrintPiece(job, layout, resources.lineBuffer, cursor);
}

PieceResult PrintCopy(ProcessorJob& job, LPWSTR documentName, const TextPageLayout& layout,
                      TextJobResources& resources)
{
    if (!OpenPrinterW(documentName, &resources.copySource, nullptr)) {
        resources.copySource = nullptr;
        return PieceResult::FAILED;
    }
    TextCursor cursor = {};
    cursor.state.textFlags = LineEndFlags(job, resources);
    if (StartPage(job.printerDC) <= 0) {
        return PieceResult::FAILED;
    }
    PieceResult result = PrintCopyText(job, layout, resources, cursor);
    if (result == PieceResult::PRINTED && EndPage(job.printerDC) <= 0) {
        result = PieceResult::FAILED;
    }
    ClosePrinter(resources.copySource);
    resources.copySource = nullptr;
    return result;
}

BOOL PrintDocument(ProcessorJob& job, LPWSTR documentName, TextJobResources& resources)
{
    TextPageLayout layout = {};
    layout.codePage = GetACP();
    SelectTextFont(job.printerDC, layout.codePage, resources);
    if (!MeasurePage(job.printerDC, layout)) {
        return FALSE;
    }
    resources.lineBuffer = static_cast<BYTE*>(GlobalAlloc(GPTR, layout.columns + kLineBufferSpare));
    if (resources.lineBuffer == nullptr) {
        return FALSE;
    }
    DOCINFOW docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = job.documentName;
    if (StartDocW(job.printerDC, &docInfo) <= 0) {
        return FALSE;
    }
    resources.readBuffer = static_cast<BYTE*>(GlobalAlloc(GPTR, kSpoolReadChunk));
    if (resources.readBuffer == nullptr) {
        AbortDoc(job.printerDC);
        return FALSE;
    }
    for (DWORD copy = 0; copy < job.copies; ++copy) {
        PieceResult result = PrintCopy(job, documentName, layout, resources);
        if (result != PieceResult::PRINTED) {
            AbortDoc(job.printerDC);
            return result == PieceResult::CANCELLED;
        }
    }
    EndDoc(job.printerDC);
    return TRUE;
}

}  // namespace

BOOL RunTextJob(ProcessorJob& job, LPWSTR documentName)
{
    TextJobResources resources;
    BOOL result = PrintDocument(job, documentName, resources);
    ReleaseResources(job, resources);
    return result;
}
