#include "oemui/doceventdlg/SessionRequest.h"

#include <winspool.h>

#include "common/AsyncUIRequest.h"

namespace {

const WCHAR kConversation[] = TEXT("bidi");
constexpr DWORD kPrinterInfoLevel = 4;
constexpr DWORD kFirstSessionMajorVersion = 6;

}  // namespace

BOOL SessionDialogsAvailable()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) && version.dwMajorVersion >= kFirstSessionMajorVersion;
}

BOOL SendSessionRequest(HANDLE printer, LPCWSTR entryPoint, const void* record, size_t recordBytes)
{
    DWORD needed = 0;
    GetPrinterW(printer, kPrinterInfoLevel, nullptr, 0, &needed);
    if (needed == 0) {
        return FALSE;
    }
    auto* info = static_cast<PRINTER_INFO_4W*>(LocalAlloc(LPTR, needed));
    if (info == nullptr ||
        !GetPrinterW(printer, kPrinterInfoLevel, reinterpret_cast<LPBYTE>(info), needed, &needed) ||
        info->pPrinterName == nullptr) {
        LocalFree(info);
        return FALSE;
    }
    size_t total = AsyncUIRequestSize(entryPoint, recordBytes);
    size_t offset = AsyncUIRequestRecordOffset(entryPoint);
    auto* message = total != 0 && total <= MAXDWORD ? static_cast<BYTE*>(LocalAlloc(LPTR, total)) : nullptr;
    BOOL confirmed = FALSE;
    if (message != nullptr &&
        WriteAsyncUIRequestText(entryPoint, reinterpret_cast<LPWSTR>(message), offset / sizeof(WCHAR))) {
        CopyMemory(message + offset, record, recordBytes);
        confirmed = SendAsyncUIRequest(info->pPrinterName, kConversation, message, static_cast<DWORD>(total));
    }
    LocalFree(message);
    LocalFree(info);
    return confirmed;
}
