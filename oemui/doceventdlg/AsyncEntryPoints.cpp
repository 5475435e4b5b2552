// The entry points the asynchronous print-UI host calls in the user's session. Each copies the
// record it needs out of the host's buffer (which may lie at any alignment, and whose strings are
// never trusted to be terminated), shows its dialog and answers a reply from the heap.
#include "oemui/doceventdlg/NiraEvtExports.h"

#include "common/PreviewRecords.h"
#include "common/ResourceHelper.h"
#include "common/SafeString.h"
#include "oemui/doceventdlg/JobStorageDialog.h"
#include "oemui/doceventdlg/JobWarningDialog.h"
#include "oemui/doceventdlg/ManualDuplexDialog.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

constexpr size_t kReplyChars = 260;
const WCHAR kReplyOk[] = TEXT("OK");
const WCHAR kReplyCancel[] = TEXT("Cancel");
const WCHAR kPreviewLibrary[] = TEXT("niraprev.DLL");
const char kPreviewExport[] = "BDisplayZQPrintPreview";
constexpr DWORD kWarningKind = 1;
constexpr INT_PTR kConfirmed = IDOK;

typedef INT(WINAPI* DisplayPreviewProc)(PreviewJobBlock block);

// A 520-byte reply from this library's C runtime heap; null without memory.
LPWSTR Reply(LPCWSTR text)
{
    auto* reply = static_cast<LPWSTR>(std::malloc(kReplyChars * sizeof(WCHAR)));
    if (reply != nullptr) {
        CopyStringSafe(reply, kReplyChars, text);
    }
    return reply;
}

// A copy of the host's record when it received one whole; null otherwise.
template <class Record>
Record* CopyReceived(LPBYTE record, DWORD recordBytes)
{
    return recordBytes >= sizeof(Record) ? CopyRequest<Record>(record) : nullptr;
}

// The page records behind the block, copied and linked again in the copy: record i's `next` is
// record i + 1 while the sender's was set; the last copied record ends the list. Null for a count
// of 0, above the most a request carries, beyond the bytes received, or without memory.
PreviewPageRecord* CopyPageRecords(LPBYTE record, DWORD recordBytes, PreviewJobBlock& block)
{
    LONG count = block.recordCount;
    if (count <= 0 || count > kMaxPreviewRecords) {
        return nullptr;
    }
    size_t bytes = sizeof(PreviewPageRecord) * static_cast<size_t>(count);
    if (recordBytes - sizeof(PreviewJobBlock) < bytes) {
        return nullptr;
    }
    auto* records = static_cast<PreviewPageRecord*>(LocalAlloc(LPTR, bytes));
    if (records == nullptr) {
        return nullptr;
    }
    std::memcpy(records, record + sizeof(PreviewJobBlock), bytes);
    for (LONG i = 0; i < count; ++i) {
        bool linked = records[i].next != nullptr && i + 1 < count;
        records[i].next = linked ? &records[i + 1] : nullptr;
        if (!linked) {
            break;
        }
    }
    block.pageRecords = records;
    return records;
}

// Shows the preview through niraprev, loaded from the printer driver's folder; 1 for print.
INT ShowPreview(const PreviewJobBlock& block)
{
    HANDLE printer = nullptr;
    WCHAR printerName[kPreviewTextChars] = {};
    CopyMemory(printerName, block.printerName, sizeof(printerName));
    if (!OpenPrinterW(printerName, &printer, nullptr)) {
        return -1;
    }
    LPWSTR path = nullptr;
    CNiraResourceHelper helper;
    BOOL built = helper.GetDriverFilePath(printer, kPreviewLibrary, &path);
    HMODULE library = LoadLibraryW(built ? path : kPreviewLibrary);
    ClosePrinter(printer);
    LocalFree(path);
    INT result = 0;
    if (library != nullptr) {
        auto display = reinterpret_cast<DisplayPreviewProc>(
            reinterpret_cast<void*>(GetProcAddress(library, kPreviewExport)));
        result = display != nullptr ? display(block) : 0;
        FreeLibrary(library);
    }
    return result;
}

}  // namespace

LPWSTR WINAPI EvtDlgAsyncUIEntryPointJobStorage(LPBYTE record, DWORD recordBytes)
{
    OutputDebugStringA("##########  Come to EvtDlgAsyncUIEntryPointJobStorage: !!!!!!!!!!\n");
    auto* copy = CopyReceived<JobStorageRequest>(record, recordBytes);
    if (copy == nullptr && recordBytes >= sizeof(JobStorageRequest)) {
        return nullptr;
    }
    StartJobStorageDialog(copy);
    return Reply(kReplyCancel);
}

LPWSTR WINAPI EvtDlgAsyncUIEntryPointManualDuplexModal(LPBYTE record, DWORD recordBytes)
{
    auto* copy = CopyReceived<ManualDuplexRequest>(record, recordBytes);
    if (copy == nullptr && recordBytes >= sizeof(ManualDuplexRequest)) {
        return nullptr;
    }
    if (copy != nullptr) {
        RunManualDuplexDialog(copy);
    }
    return Reply(kReplyCancel);
}

LPWSTR WINAPI EvtDlgAsyncUIEntryPointManualDuplexModeless(LPBYTE record, DWORD recordBytes)
{
    auto* copy = CopyReceived<ManualDuplexRequest>(record, recordBytes);
    if (copy == nullptr && recordBytes >= sizeof(ManualDuplexRequest)) {
        return nullptr;
    }
    StartManualDuplexDialog(copy);
    return Reply(kReplyCancel);
}

LPWSTR WINAPI EvtDlgAsyncUIEntryPointPrintPreview(LPBYTE record, DWORD recordBytes)
{
    if (record == nullptr || recordBytes < sizeof(PreviewJobBlock)) {
        return Reply(kReplyCancel);
    }
    PreviewJobBlock block;
    std::memcpy(&block, record, sizeof(block));
    block.pageRecords = nullptr;
    for (WCHAR* text :
         {block.stringDllPath, block.printerName, block.documentName, block.colorToolArgument}) {
        text[kPreviewTextChars - 1] = 0;
    }
    PreviewPageRecord* records = CopyPageRecords(record, recordBytes, block);
    if (records == nullptr) {
        return Reply(kReplyCancel);
    }
    INT shown = ShowPreview(block);
    LocalFree(records);
    return Reply(shown > 0 ? kReplyOk : kReplyCancel);
}

LPWSTR WINAPI EvtDlgAsyncUIEntryPointJobUI(LPBYTE record, DWORD recordBytes)
{
    OutputDebugStringA("##########  Come to EvtDlgAsyncUIEntryPointJobUI: !!!!!!!!!!\n");
    auto* copy = CopyReceived<JobWarningRequest>(record, recordBytes);
    if (copy == nullptr) {
        return recordBytes >= sizeof(JobWarningRequest) ? nullptr : Reply(kReplyCancel);
    }
    HWND owner = copy->kind == kWarningKind ? GetForegroundWindow() : nullptr;
    INT_PTR code = RunJobWarningDialog(*copy, owner);
    LocalFree(copy);
    return Reply(code == kConfirmed ? kReplyOk : kReplyCancel);
}
