#include "host/PreviewReport.h"
#include "host/RenderChoices.h"

#include <nirasim/AsyncUI.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/PreviewRecords.h"

namespace {

const WCHAR kPreviewValue[] = TEXT("PreviewEnabled");
constexpr DWORD kAsyncUIMajorVersion = 6;
constexpr size_t kRequestTail = 20;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

void ReportRecords(const std::vector<BYTE>& sent, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        PreviewPageRecord record;
        std::memcpy(&record, sent.data() + sizeof(PreviewJobBlock) + i * sizeof(record), sizeof(record));
        HostMachine::Print("  sheet " + std::to_string(i + 1) + ": paper " +
                           std::to_string(record.paperSize) + ", sheet " + Number(record.sheetWidth) + " x " +
                           Number(record.sheetHeight) + ", bitmap " + Number(record.bitmapWidth) + " x " +
                           Number(record.bitmapHeight) + ", orientation " +
                           std::to_string(record.orientation) + (record.next == nullptr ? " (last)" : ""));
    }
}

void ReportBitmaps(HostMachine& host, DWORD jobId, LONG sheets)
{
    WCHAR folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    for (LONG sheet = 1; sheet <= sheets; ++sheet) {
        char name[32];
        std::snprintf(name, sizeof(name), "[j%04lu]-[p%02ld].bmp", static_cast<unsigned long>(jobId),
                      static_cast<long>(sheet));
        std::string bytes;
        bool found = host.machine().ReadFile(WString(folder) + nirasim::Wide(name), bytes);
        HostMachine::Print(std::string("  page bitmap ") + name + ": " +
                           (found ? std::to_string(bytes.size()) + " bytes" : "missing"));
    }
}

}  // namespace

void PreparePreview(HostMachine& host, bool confirm)
{
    host.machine().SetWindowsVersion(kAsyncUIMajorVersion, 0);
    ChooseRenderSetting(kPreviewValue, 1);
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply(confirm ? "OK" : "Cancel")});
}

void ReportPreview(HostMachine& host, DWORD jobId, bool printed)
{
    nirasim::asyncui::WaitForHost();
    std::vector<nirasim::asyncui::Request> requests = nirasim::asyncui::Requests();
    if (requests.empty()) {
        HostMachine::Print("preview: no request reached the print-UI host");
        return;
    }
    const nirasim::asyncui::Request& request = requests.back();
    HostMachine::Print("preview request to " + nirasim::Utf8(request.dll) + " " +
                       nirasim::Utf8(request.entryPoint) + ": " + std::to_string(request.size) + " bytes");
    const std::vector<BYTE>& sent = request.afterText;
    if (sent.size() < sizeof(PreviewJobBlock) + kRequestTail) {
        HostMachine::Print("  the request carries no job block");
        return;
    }
    PreviewJobBlock block;
    std::memcpy(&block, sent.data(), sizeof(block));
    size_t records = (sent.size() - sizeof(block) - kRequestTail) / sizeof(PreviewPageRecord);
    HostMachine::Print("  job " + std::to_string(block.jobId) + " \"" + nirasim::Utf8(block.documentName) +
                       "\" on \"" + nirasim::Utf8(block.printerName) +
                       "\": " + std::to_string(block.recordCount) + " sheets, " +
                       std::to_string(block.copies) + " copies, " + std::to_string(block.pagesPerSheet) +
                       " pages per sheet, duplex " + std::to_string(block.duplex) + ", " +
                       std::to_string(block.dpiX) + " x " + std::to_string(block.dpiY) + " dpi");
    HostMachine::Print("  string library: " + nirasim::Utf8(block.stringDllPath));
    ReportRecords(sent, records);
    ReportBitmaps(host, jobId, block.recordCount);
    HostMachine::Print(printed ? "the user chose Print: the printing pass ran after the preview pass"
                               : "the user cancelled: only the preview pass ran");
}
