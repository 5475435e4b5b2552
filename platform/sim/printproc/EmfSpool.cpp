// The spooler's EMF side: a job's spool file (a header, then per page an optional DEVMODE record
// and the page's metafile record), opened by a print processor through the document name
// "<printer>, Job <id>", its pages played onto the printer DC through the DC's world transform and
// the placement journal of what was played where.
#include <winppi.h>

#include <nirasim/Emf.h>

#include "core/Failures.h"
#include "core/Wide.h"
#include "emf/EmfRecords.h"
#include "gdi/GdiState.h"
#include "gdi/Raster.h"
#include "spooler/Spooler.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

constexpr DWORD kSpoolVersion = 0x00010000;
constexpr DWORD kRecordDevmode = 0x03;
constexpr DWORD kRecordMetafile = 0x0C;
constexpr size_t kSpoolHeaderSize = 16;
constexpr size_t kSpoolRecordHead = 8;
constexpr char16_t kJobMarker[] = u", Job ";

struct SpoolPageData {
    std::string emf;
    int devmodeIndex = -1;  // into SpoolFile::devmodes; -1: none
};

struct SpoolFile {
    std::vector<std::vector<BYTE>> devmodes;  // never resized once read: pages hand out pointers
    std::vector<SpoolPageData> pages;
    HDC dc = nullptr;
    std::vector<BYTE> jobDevmode;
    std::u16string printer;
    DWORD jobId = 0;
    bool pageFailed = false;  // a page played on the current side had a bad record
};

struct EmfSpoolState {
    std::mutex lock;
    std::map<HANDLE, std::shared_ptr<SpoolFile>> files;
    uintptr_t nextHandle = 0x7000;
    std::vector<SheetSideRecord> journal;
};

EmfSpoolState& State()
{
    static EmfSpoolState state;
    return state;
}

std::shared_ptr<SpoolFile> FileOf(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(State().lock);
    auto found = State().files.find(handle);
    if (found == State().files.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return found->second;
}

template <typename T>
T ReadAt(const std::string& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// Reads the spool file's records; false for a file that is not one or a record past its end.
bool ParseSpoolFile(const std::string& bytes, SpoolFile& file)
{
    if (bytes.size() < kSpoolHeaderSize || ReadAt<DWORD>(bytes, 0) != kSpoolVersion) {
        return false;
    }
    size_t at = ReadAt<DWORD>(bytes, 4);
    if (at < kSpoolHeaderSize || at > bytes.size()) {
        return false;
    }
    std::vector<std::vector<BYTE>> devmodes;
    int current = -1;
    while (at < bytes.size()) {
        if (bytes.size() - at < kSpoolRecordHead) {
            return false;
        }
        auto id = ReadAt<DWORD>(bytes, at);
        size_t size = ReadAt<DWORD>(bytes, at + 4);
        at += kSpoolRecordHead;
        if (size > bytes.size() - at) {
            return false;
        }
        if (id == kRecordDevmode) {
            if (size < offsetof(DEVMODEW, dmFields)) {
                return false;
            }
            devmodes.emplace_back(bytes.begin() + at, bytes.begin() + at + size);
            current = static_cast<int>(devmodes.size()) - 1;
        } else if (id == kRecordMetafile) {
            file.pages.push_back({bytes.substr(at, size), current});
        }
        at += size;
    }
    file.devmodes = std::move(devmodes);
    return true;
}

// The id of the job that a document name "<printer>, Job <id>" names; 0 for none.
DWORD JobIdOf(const std::u16string& documentName)
{
    size_t marker = documentName.rfind(kJobMarker);
    if (marker == std::u16string::npos) {
        return 0;
    }
    DWORD id = 0;
    constexpr DWORD kDecimal = 10;
    for (size_t i = marker + std::char_traits<char16_t>::length(kJobMarker); i < documentName.size(); ++i) {
        char16_t c = documentName[i];
        if (c < u'0' || c > u'9' || id > MAXDWORD / kDecimal - 1) {
            return 0;
        }
        id = id * kDecimal + (c - u'0');
    }
    return id;
}

bool WorldIsIdentity(HDC dc)
{
    XFORM x = {};
    return GetWorldTransform(dc, &x) && x.eM11 == 1 && x.eM12 == 0 && x.eM21 == 0 && x.eM22 == 1 &&
           x.eDx == 0 && x.eDy == 0;
}

void JournalCall(const char* name, HANDLE handle, std::vector<long long> args, long long result)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiCall call = MakeGdiCall(name, nullptr, std::move(args), result);
    call.dc = reinterpret_cast<uintptr_t>(handle);
    Journal(call);
}

// Draws a page onto the DC's picture: the frame on the sheet, then the page's own units scaled into
// the document rectangle, through the DC's transform, inside the clip.
bool PlayOnPicture(HDC hdc, const std::string& emf, const RECT& document, const RECT* border,
                   const RECT* clip)
{
    std::lock_guard<std::recursive_mutex> guard(Gdi().lock);
    GdiDC* dc = DcOf(hdc);
    cairo_t* picture = dc != nullptr ? dc->cairo : nullptr;
    EmfPageSize size;
    if (picture == nullptr) {
        return PlayEmfRecords(emf, nullptr, size);
    }
    cairo_save(picture);
    XFORM w = LogicalToDevice(*dc);
    cairo_matrix_t world;
    cairo_matrix_init(&world, w.eM11, w.eM12, w.eM21, w.eM22, w.eDx, w.eDy);
    // The frame is drawn on the sheet in device units, with the DC's pen, outside the clip.
    if (border != nullptr && border->left != -1) {
        cairo_rectangle(picture, border->left, border->top, border->right - border->left,
                        border->bottom - border->top);
        StrokePicturePath(*dc);
    }
    // The clip is the cell on the sheet, in device units; the page is drawn through the transform.
    if (clip != nullptr) {
        cairo_rectangle(picture, clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top);
        cairo_clip(picture);
    }
    cairo_transform(picture, &world);
    // The header tells the page's size; the records are drawn in the page's own units.
    EmfPageSize pageSize;
    bool valid = PlayEmfRecords(emf, nullptr, pageSize);
    if (valid && pageSize.width > 0 && pageSize.height > 0) {
        cairo_translate(picture, document.left, document.top);
        cairo_scale(picture, static_cast<double>(document.right - document.left) / pageSize.width,
                    static_cast<double>(document.bottom - document.top) / pageSize.height);
        valid = PlayEmfRecords(emf, picture, size);
    }
    cairo_restore(picture);
    return valid;
}

}  // namespace

HANDLE WINAPI GdiGetSpoolFileHandle(LPWSTR pwszPrinterName, LPDEVMODEW pDevmode, LPWSTR pwszDocName)
{
    NIRASIM_FAIL_IF_INJECTED("GdiGetSpoolFileHandle", nullptr);
    if (pwszPrinterName == nullptr || pwszDocName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto file = std::make_shared<SpoolFile>();
    file->printer = WideFrom(pwszPrinterName);
    DWORD jobId = JobIdOf(WideFrom(pwszDocName));
    std::string data;
    bool found = false;
    {
        std::lock_guard<std::recursive_mutex> spooler(Spooler().lock);
        for (const SpoolerJob& job : Spooler().jobs) {
            if (job.id == jobId) {
                data = job.data;
                found = true;
            }
        }
    }
    if (!found || !ParseSpoolFile(data, *file)) {
        SetLastError(found ? ERROR_INVALID_DATA : ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    file->jobId = jobId;
    if (pDevmode != nullptr) {
        const auto* bytes = reinterpret_cast<const BYTE*>(pDevmode);
        file->jobDevmode.assign(bytes, bytes + pDevmode->dmSize + pDevmode->dmDriverExtra);
    }
    std::lock_guard<std::mutex> guard(State().lock);
    auto handle = reinterpret_cast<HANDLE>(State().nextHandle++);
    State().files[handle] = file;
    return handle;
}

BOOL WINAPI GdiDeleteSpoolFileHandle(HANDLE SpoolFileHandle)
{
    std::shared_ptr<SpoolFile> file;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        auto found = State().files.find(SpoolFileHandle);
        if (found == State().files.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        file = found->second;
        State().files.erase(found);
    }
    if (file->dc != nullptr) {
        DeleteDC(file->dc);
    }
    return TRUE;
}

DWORD WINAPI GdiGetPageCount(HANDLE SpoolFileHandle)
{
    NIRASIM_FAIL_IF_INJECTED("GdiGetPageCount", 0);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    // The whole job is spooled before the processor runs here, so there is nothing to wait for.
    DWORD count = file != nullptr ? static_cast<DWORD>(file->pages.size()) : 0;
    JournalCall("GdiGetPageCount", SpoolFileHandle, {}, count);
    return count;
}

HDC WINAPI GdiGetDC(HANDLE SpoolFileHandle)
{
    NIRASIM_FAIL_IF_INJECTED("GdiGetDC", nullptr);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr) {
        return nullptr;
    }
    if (file->dc == nullptr) {
        const auto* devmode =
            file->jobDevmode.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(file->jobDevmode.data());
        file->dc = CreateDCW(nullptr, reinterpret_cast<LPCWSTR>(file->printer.c_str()), nullptr, devmode);
        SetDcJob(file->dc, file->jobId);
    }
    return file->dc;
}

HANDLE WINAPI GdiGetPageHandle(HANDLE SpoolFileHandle, DWORD Page, LPDWORD pdwPageType)
{
    NIRASIM_FAIL_IF_INJECTED("GdiGetPageHandle", nullptr);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr) {
        return nullptr;
    }
    if (Page == 0 || Page > file->pages.size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return nullptr;
    }
    if (pdwPageType != nullptr) {
        *pdwPageType = EMF_PP_NORMAL;
    }
    return &file->pages[Page - 1];
}

BOOL WINAPI GdiGetDevmodeForPage(HANDLE SpoolFileHandle, DWORD dwPageNumber, PDEVMODEW* pCurrDM,
                                 PDEVMODEW* pLastDM)
{
    NIRASIM_FAIL_IF_INJECTED("GdiGetDevmodeForPage", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr) {
        return FALSE;
    }
    if (dwPageNumber == 0 || dwPageNumber > file->pages.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto devmodeOf = [&file](DWORD page) -> PDEVMODEW {
        int index = page == 0 ? -1 : file->pages[page - 1].devmodeIndex;
        return index < 0 ? nullptr : reinterpret_cast<PDEVMODEW>(file->devmodes[index].data());
    };
    if (pCurrDM != nullptr) {
        *pCurrDM = devmodeOf(dwPageNumber);
    }
    if (pLastDM != nullptr) {
        *pLastDM = devmodeOf(dwPageNumber - 1);
    }
    return TRUE;
}

BOOL WINAPI GdiStartDocEMF(HANDLE SpoolFileHandle, DOCINFOW* pDocInfo)
{
    NIRASIM_FAIL_IF_INJECTED("GdiStartDocEMF", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    return file != nullptr && file->dc != nullptr && StartDocW(file->dc, pDocInfo) > 0;
}

BOOL WINAPI GdiStartPageEMF(HANDLE SpoolFileHandle)
{
    NIRASIM_FAIL_IF_INJECTED("GdiStartPageEMF", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr || file->dc == nullptr || StartPage(file->dc) <= 0) {
        return FALSE;
    }
    SheetSideRecord side;
    side.identityAtStart = WorldIsIdentity(file->dc);
    {
        std::lock_guard<std::recursive_mutex> gdi(Gdi().lock);
        GdiDC* dc = DcOf(file->dc);
        DEVMODEW fields = {};
        if (dc != nullptr && !dc->devmode.empty()) {
            std::memcpy(&fields, dc->devmode.data(), std::min(dc->devmode.size(), sizeof(fields)));
        }
        side.orientation = fields.dmOrientation;
        side.duplex = fields.dmDuplex;
        side.copies = fields.dmCopies;
    }
    std::lock_guard<std::mutex> guard(State().lock);
    State().journal.push_back(side);
    return TRUE;
}

BOOL WINAPI GdiPlayPageEMF(HANDLE SpoolFileHandle, HANDLE hemf, RECT* prectDocument, RECT* prectBorder,
                           RECT* prectClip)
{
    NIRASIM_FAIL_IF_INJECTED("GdiPlayPageEMF", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr || file->dc == nullptr || hemf == nullptr || prectDocument == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SpoolPageData* page = nullptr;
    DWORD number = 0;
    for (size_t i = 0; i < file->pages.size(); ++i) {
        if (&file->pages[i] == hemf) {
            page = &file->pages[i];
            number = static_cast<DWORD>(i + 1);
        }
    }
    if (page == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    PlayedPage played;
    played.page = number;
    played.document = *prectDocument;
    played.border = prectBorder != nullptr ? *prectBorder : RECT{-1, -1, -1, -1};
    played.clip = prectClip != nullptr ? *prectClip : RECT{-1, -1, -1, -1};
    GetWorldTransform(file->dc, &played.world);
    played.played = PlayOnPicture(file->dc, page->emf, *prectDocument, prectBorder, prectClip);
    DWORD error = GetLastError();
    file->pageFailed = file->pageFailed || !played.played;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        if (!State().journal.empty()) {
            State().journal.back().pages.push_back(played);
        }
    }
    SetLastError(error);
    return played.played;
}

BOOL WINAPI GdiEndPageEMF(HANDLE SpoolFileHandle, DWORD)
{
    NIRASIM_FAIL_IF_INJECTED("GdiEndPageEMF", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr || file->dc == nullptr) {
        return FALSE;
    }
    bool identity = WorldIsIdentity(file->dc);
    {
        std::lock_guard<std::mutex> guard(State().lock);
        if (!State().journal.empty()) {
            State().journal.back().identityAtEnd = identity;
        }
    }
    bool ended = EndPage(file->dc) > 0;
    if (file->pageFailed) {
        // A side whose page could not be played cannot be completed: the job learns it here.
        file->pageFailed = false;
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    return ended;
}

BOOL WINAPI GdiEndDocEMF(HANDLE SpoolFileHandle)
{
    NIRASIM_FAIL_IF_INJECTED("GdiEndDocEMF", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    return file != nullptr && file->dc != nullptr && EndDoc(file->dc) > 0;
}

BOOL WINAPI GdiResetDCEMF(HANDLE SpoolFileHandle, PDEVMODEW pCurrDM)
{
    NIRASIM_FAIL_IF_INJECTED("GdiResetDCEMF", FALSE);
    std::shared_ptr<SpoolFile> file = FileOf(SpoolFileHandle);
    if (file == nullptr || file->dc == nullptr || !ResetPrinterDC(file->dc, pCurrDM)) {
        return FALSE;
    }
    // A reset DC starts again in the compatible mode with the identity transform.
    ModifyWorldTransform(file->dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(file->dc, GM_COMPATIBLE);
    return TRUE;
}

namespace nirasim {

std::string EmfSpoolFile(const std::u16string& documentName, const std::vector<SpoolPage>& pages)
{
    auto append = [](std::string& bytes, DWORD value) {
        bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
    };
    std::string name(reinterpret_cast<const char*>(documentName.c_str()),
                     (documentName.size() + 1) * sizeof(char16_t));
    constexpr size_t kAlign = 4;
    name.resize((name.size() + kAlign - 1) / kAlign * kAlign, '\0');
    std::string bytes;
    append(bytes, kSpoolVersion);
    append(bytes, static_cast<DWORD>(kSpoolHeaderSize + name.size()));
    append(bytes, static_cast<DWORD>(kSpoolHeaderSize));
    append(bytes, 0);
    bytes += name;
    for (const SpoolPage& page : pages) {
        if (!page.devmode.empty()) {
            append(bytes, kRecordDevmode);
            append(bytes, static_cast<DWORD>(page.devmode.size()));
            bytes.append(reinterpret_cast<const char*>(page.devmode.data()), page.devmode.size());
        }
        append(bytes, kRecordMetafile);
        append(bytes, static_cast<DWORD>(page.emf.size()));
        bytes += page.emf;
    }
    return bytes;
}

DWORD SpoolEmfJob(const std::u16string& printer, const std::string& spoolFile)
{
    return QueueSpooledJob(printer, u"Document", u"NT EMF 1.006", spoolFile);
}

std::vector<SheetSideRecord> PlacementJournal()
{
    std::lock_guard<std::mutex> guard(State().lock);
    return State().journal;
}

void ClearPlacementJournal()
{
    std::lock_guard<std::mutex> guard(State().lock);
    State().journal.clear();
}

}  // namespace nirasim
