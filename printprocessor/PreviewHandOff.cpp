#include "printprocessor/PreviewHandOff.h"

#include <strsafe.h>
#include <winppi.h>

#include "common/AsyncUIRequest.h"
#include "common/SafeString.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "printprocessor/DriverQueries.h"
#include "printprocessor/PageStrategies.h"

namespace {

const WCHAR kPreviewLibraryKey[] = TEXT("NIRA_PR_DLL");
const char kPreviewExport[] = "BDisplayZQPrintPreview";
const WCHAR kDefaultStringDll[] = TEXT("nirastr.DLL");
const WCHAR kPageBitmapFormat[] = TEXT("[j%04d]-[p%02d].bmp");
const WCHAR kConversation[] = TEXT("bidi");
constexpr DWORD kFirstAsyncUIMajorVersion = 6;
constexpr DWORD kBitmapFileHeaderBytes = 14;
constexpr DWORD kBitmapInfoHeaderBytes = 40;
constexpr LONG kBookletPagesPerSheet = 4;
constexpr LONG kBookletRecordsPerSheet = 2;

typedef INT(WINAPI* DisplayPreviewProc)(PreviewJobBlock block);

void CopyText(WCHAR (&field)[kPreviewTextChars], LPCWSTR text)
{
    if (text != nullptr) {
        CopyStringSafeN(field, kPreviewTextChars, text, kPreviewTextChars - 1);
    }
}

LONG CeilDiv(LONG value, LONG divisor)
{
    return divisor > 0 ? (value + divisor - 1) / divisor : value;
}

LONG ChosenPosterTiles(const JobSettingsRecord& s)
{
    LONG tiles = PosterTilesPerSide(s.posterSize);
    LONG chosen = 0;
    for (LONG i = 0; i < tiles * tiles && i < static_cast<LONG>(kPosterTileCount); ++i) {
        chosen += s.posterTileSelected[i] == 1 ? 1 : 0;
    }
    return chosen;
}

bool IsBooklet(const CNiraEmfJob& job)
{
    return job.settings.booklet != 0 && job.pageCount > 1;
}

LONG ReadLittleEndian32(const BYTE* bytes)
{
    return static_cast<LONG>(static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
                             static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24);
}

bool ReadExactly(HANDLE file, BYTE* bytes, DWORD size)
{
    DWORD read = 0;
    return ReadFile(file, bytes, size, &read, nullptr) && read == size;
}

// The path of the string-resource library: the driver INI's Component_R_B (else the default) in
// the folder of the driver file. What could not be built stays empty.
void FillStringDllPath(HANDLE printer, PreviewJobBlock& block)
{
    WCHAR iniPath[MAX_PATH] = {};
    WCHAR name[kStringDllNameChars] = {};
    if (!FindDriverIni(iniPath, printer) || !ReadStringDllName(iniPath, name)) {
        CopyStringSafe(name, kStringDllNameChars, kDefaultStringDll);
    }
    LPWSTR path = nullptr;
    if (BuildStringDllPath(printer, &path, name)) {
        CopyText(block.stringDllPath, path);
        LocalFree(path);
    }
}

// Gives a page DEVMODE the job's quality, resolution, copies and collation and resets the DC to
// it, as the printing pass will.
void ResetToPage(CNiraEmfJob& job, DEVMODEW* page)
{
    page->dmPrintQuality = job.jobDevmode->dmPrintQuality;
    page->dmYResolution = job.jobDevmode->dmYResolution;
    page->dmCopies = job.jobDevmode->dmCopies;
    page->dmCollate = job.jobDevmode->dmCollate;
    GdiResetDCEMF(job.spoolHandle, page);
    SetGraphicsMode(job.printerDC, GM_ADVANCED);
}

PreviewPageRecord* MakeRecord(const CNiraEmfJob& job, const DEVMODEW& page, FLOAT fx, FLOAT fy,
                              FLOAT bitmapWidth, FLOAT bitmapHeight)
{
    auto* record = static_cast<PreviewPageRecord*>(LocalAlloc(LPTR, sizeof(PreviewPageRecord)));
    if (record == nullptr) {
        return nullptr;
    }
    HDC dc = job.printerDC;
    record->paperSize = page.dmPaperSize;
    record->sheetWidth = static_cast<FLOAT>(GetDeviceCaps(dc, PHYSICALWIDTH)) * fx;
    record->sheetHeight = static_cast<FLOAT>(GetDeviceCaps(dc, PHYSICALHEIGHT)) * fy;
    record->bitmapWidth = bitmapWidth;
    record->bitmapHeight = bitmapHeight;
    record->offsetY = static_cast<FLOAT>(GetDeviceCaps(dc, PHYSICALOFFSETY)) * fx;
    record->offsetX = static_cast<FLOAT>(GetDeviceCaps(dc, PHYSICALOFFSETX)) * fx;
    record->orientation = page.dmOrientation;
    bool turned = (job.nupPages == 2 || job.nupPages == 6) && job.settings.driverScales == 0;
    if (turned) {
        FLOAT width = record->sheetWidth;
        record->sheetWidth = record->sheetHeight;
        record->sheetHeight = width;
        width = record->bitmapWidth;
        record->bitmapWidth = record->bitmapHeight;
        record->bitmapHeight = width;
        record->orientation =
            page.dmOrientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    }
    return record;
}

// The request buffer: text, block, at most kMaxPreviewRecords records, tail. Null when it cannot
// be had.
BYTE* BuildRequest(const PreviewJobBlock& block, DWORD* size)
{
    size_t recordBytes =
        sizeof(PreviewJobBlock) + sizeof(PreviewPageRecord) * static_cast<size_t>(block.recordCount);
    size_t total = AsyncUIRequestSize(kEntryPointPrintPreview, recordBytes);
    auto* buffer = static_cast<BYTE*>(LocalAlloc(LPTR, total));
    if (buffer == nullptr) {
        return nullptr;
    }
    size_t offset = AsyncUIRequestRecordOffset(kEntryPointPrintPreview);
    WriteAsyncUIRequestText(kEntryPointPrintPreview, reinterpret_cast<LPWSTR>(buffer),
                            offset / sizeof(WCHAR));
    CopyMemory(buffer + offset, &block, sizeof(block));
    // The records follow the text at an offset of 4 modulo 8: they are copied as bytes.
    BYTE* records = buffer + offset + sizeof(block);
    LONG copied = 0;
    for (const PreviewPageRecord* record = block.pageRecords; record != nullptr && copied < block.recordCount;
         record = record->next) {
        PreviewPageRecord copy = *record;
        if (copied + 1 == block.recordCount || copy.next == nullptr) {
            copy.next = nullptr;
        }
        CopyMemory(records + sizeof(PreviewPageRecord) * static_cast<size_t>(copied++), &copy, sizeof(copy));
    }
    *size = static_cast<DWORD>(total);
    return buffer;
}

}  // namespace

LONG PosterTilesPerSide(LONG posterSize)
{
    switch (posterSize) {
    case 1:
        return 3;
    case 2:
        return 4;
    case 3:
        return 5;
    default:
        return 2;
    }
}

LONG CountPreviewRecords(const CNiraEmfJob& job)
{
    if (IsBooklet(job)) {
        return CeilDiv(job.pageCount, kBookletPagesPerSheet) * kBookletRecordsPerSheet;
    }
    if (job.settings.poster != 0) {
        return job.pageCount * ChosenPosterTiles(job.settings);
    }
    return CeilDiv(job.pageCount, job.nupPages);
}

void FillPreviewBlock(CNiraEmfJob& job, PreviewJobBlock& block)
{
    const JobSettingsRecord& s = job.settings;
    DEVMODEW& devmode = *job.jobDevmode;
    block.jobId = job.processorJob->jobId;
    CopyText(block.printerName, job.processorJob->openDataPrinterName);
    CopyText(block.documentName, job.processorJob->documentName);
    block.recordCount = CountPreviewRecords(job);
    block.pageSettingsWord = job.pageSettings.marginFlag;
    block.layoutKind = 0;
    block.pageBorders = s.pageBorders;
    block.copies = devmode.dmCopies;
    block.collate = devmode.dmCollate;
    if (devmode.dmDuplex == 0) {
        devmode.dmDuplex = DMDUP_SIMPLEX;
    }
    bool twoSided = devmode.dmDuplex == DMDUP_VERTICAL || devmode.dmDuplex == DMDUP_HORIZONTAL;
    block.duplex = twoSided ? (s.bindShortEdge != 0 ? DMDUP_HORIZONTAL : DMDUP_VERTICAL) : devmode.dmDuplex;
    block.flipShortEdge = twoSided && s.bindShortEdge != 0 ? 1 : 0;
    block.flipLongEdge = twoSided && s.bindShortEdge == 0 ? 1 : 0;
    block.jobSettings1672 = s.manualDuplex;
    block.color = devmode.dmColor;
    block.pagesPerSheet = job.nupPages;
    block.scalePercent = s.scalePercent;
    block.expandToEdges = s.expandToEdges;
    block.booklet = s.booklet;
    block.posterTilesPerSide = PosterTilesPerSide(s.posterSize);
    block.posterTileCount = block.posterTilesPerSide * block.posterTilesPerSide;
    block.fitToPaper = s.fitToPaper;
    block.fitScales = s.fitScales;
    block.dpiX = GetDeviceCaps(job.printerDC, LOGPIXELSX);
    block.dpiY = GetDeviceCaps(job.printerDC, LOGPIXELSY);
    block.bannerForm = job.bannerForm;
    block.jobSettings1868 = s.driverStateWordA;
    block.colorToolEnabled = job.driverState.colorToolEnabled;
    block.colorToolEnabled2 = job.driverState.colorToolEnabled;
    CopyStringSafeN(block.colorToolArgument, kPreviewTextChars, job.driverState.colorToolArgument,
                    kPreviewTextChars - 1);
}

void BuildPreviewPageRecords(CNiraEmfJob& job, PreviewJobBlock& block)
{
    LONG dpiX = GetDeviceCaps(job.printerDC, LOGPIXELSX);
    LONG dpiY = GetDeviceCaps(job.printerDC, LOGPIXELSY);
    FLOAT fx = dpiX == dpiY ? 1.0f : static_cast<FLOAT>(dpiX);
    FLOAT fy = dpiX == dpiY ? 1.0f : static_cast<FLOAT>(dpiY);
    if (job.pageCount == 0) {
        job.CountPages();
    }
    if (job.pageCount <= 0) {
        return;
    }
    bool booklet = IsBooklet(job);
    LONG sheets = CountPreviewRecords(job);
    // A poster page gives one sheet per chosen tile, each with its own bitmap.
    LONG sheetsPerPage = !booklet && job.settings.poster != 0 ? ChosenPosterTiles(job.settings) : 1;
    LONG pageStep = booklet ? 1 : (job.nupPages > 0 ? job.nupPages : 1);
    FLOAT bitmapWidth = 0;
    FLOAT bitmapHeight = 0;
    PreviewPageRecord** tail = &block.pageRecords;
    LONG sheet = 0;
    for (LONG page = 1; sheet < sheets && sheetsPerPage > 0; page += pageStep) {
        DEVMODEW* pageDevmode = nullptr;
        if (!GetPageDevmode(job, page, &pageDevmode)) {
            break;
        }
        ResetToPage(job, pageDevmode);
        for (LONG tile = 0; tile < sheetsPerPage && sheet < sheets; ++tile) {
            ReadBitmapSize(block.jobId, ++sheet, &bitmapWidth, &bitmapHeight);
            PreviewPageRecord* record = MakeRecord(job, *pageDevmode, fx, fy, bitmapWidth, bitmapHeight);
            if (record == nullptr) {
                sheet = sheets;
                break;
            }
            *tail = record;
            tail = &record->next;
        }
    }
    DEVMODEW* firstPage = nullptr;
    if (GetPageDevmode(job, 1, &firstPage)) {
        ResetToPage(job, firstPage);
    }
}

void FreePreviewPageRecords(PreviewPageRecord* first)
{
    while (first != nullptr) {
        PreviewPageRecord* next = first->next;
        LocalFree(first);
        first = next;
    }
}

void ReadBitmapSize(DWORD jobId, LONG sheet, FLOAT* width, FLOAT* height)
{
    WCHAR name[kPageBitmapNameChars] = {};
    WCHAR path[MAX_PATH] = {};
    DWORD folder = GetTempPathW(MAX_PATH, path);
    if (folder == 0 || folder >= MAX_PATH ||
        FAILED(StringCchPrintfW(name, kPageBitmapNameChars, kPageBitmapFormat, jobId, sheet)) ||
        FAILED(AppendStringSafe(path, MAX_PATH, name))) {
        return;
    }
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    BYTE fileHeader[kBitmapFileHeaderBytes];
    BYTE infoHeader[kBitmapInfoHeaderBytes];
    if (ReadExactly(file, fileHeader, sizeof(fileHeader)) && fileHeader[0] == 'B' && fileHeader[1] == 'M' &&
        ReadExactly(file, infoHeader, sizeof(infoHeader)) &&
        ReadLittleEndian32(infoHeader) == static_cast<LONG>(kBitmapInfoHeaderBytes)) {
        LONG bitmapHeight = ReadLittleEndian32(infoHeader + 8);
        *width = static_cast<FLOAT>(ReadLittleEndian32(infoHeader + 4));
        *height = bitmapHeight < 0 ? -static_cast<FLOAT>(bitmapHeight) : static_cast<FLOAT>(bitmapHeight);
    }
    CloseHandle(file);
}

bool ShowPreviewInProcess(const PreviewJobBlock& block)
{
    HMODULE library = nullptr;
    {
        CNiraPrinterAccess printer(block.printerName);
        WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
        if (printer.GetHandle() == nullptr || !printer.FindDriverIni(FALSE) ||
            !printer.GetComponentPath(kPreviewLibraryKey, path)) {
            return false;
        }
        library = LoadLibraryW(path);
    }
    if (library == nullptr) {
        return false;
    }
    auto display = reinterpret_cast<DisplayPreviewProc>(
        reinterpret_cast<void*>(GetProcAddress(library, kPreviewExport)));
    bool print = display != nullptr && display(block) == 1;
    FreeLibrary(library);
    return print;
}

bool SendPreviewRequest(const CNiraEmfJob& job, PreviewJobBlock& block)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(job.processorJob->openDataPrinterName, &printer, nullptr)) {
        return false;
    }
    DWORD needed = 0;
    GetPrinterW(printer, 4, nullptr, 0, &needed);
    auto* info = needed != 0 ? static_cast<PRINTER_INFO_4W*>(LocalAlloc(LPTR, needed)) : nullptr;
    if (info == nullptr || !GetPrinterW(printer, 4, reinterpret_cast<LPBYTE>(info), needed, &needed)) {
        // Without the printer's name for the channel there is no one to ask: print.
        LocalFree(info);
        ClosePrinter(printer);
        return true;
    }
    ClosePrinter(printer);
    if (block.recordCount > kMaxPreviewRecords) {
        block.recordCount = kMaxPreviewRecords;
    }
    DWORD size = 0;
    BYTE* request = BuildRequest(block, &size);
    bool print = request == nullptr || SendAsyncUIRequest(info->pPrinterName, kConversation, request, size);
    LocalFree(request);
    LocalFree(info);
    return print;
}

bool RequestPrintPreview(CNiraEmfJob& job)
{
    PreviewJobBlock block = {};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(job.processorJob->openDataPrinterName, &printer, nullptr)) {
        return false;
    }
    FillStringDllPath(printer, block);
    ClosePrinter(printer);
    if (job.pageCount == 0) {
        job.CountPages();
    }
    if (job.pageCount <= 0) {
        return false;
    }
    FillPreviewBlock(job, block);
    BuildPreviewPageRecords(job, block);
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    bool print = false;
    if (GetVersionExW(&version) && version.dwMajorVersion < kFirstAsyncUIMajorVersion) {
        print = ShowPreviewInProcess(block);
    } else {
        print = SendPreviewRequest(job, block);
    }
    FreePreviewPageRecords(block.pageRecords);
    return print;
}
