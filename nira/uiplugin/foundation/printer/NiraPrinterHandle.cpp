#include "nira/uiplugin/foundation/printer/NiraPrinterHandle.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

constexpr size_t kPrinterNameChars = 261;

// Opens the printer of `printer` again by its name; null when that fails.
HANDLE Reopen(HANDLE printer)
{
    DWORD needed = 0;
    if (GetPrinterW(printer, 2, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        needed == 0) {
        return nullptr;
    }
    LPBYTE buffer = static_cast<LPBYTE>(LocalAlloc(LPTR, needed));
    if (buffer == nullptr) {
        return nullptr;
    }
    HANDLE opened = nullptr;
    WCHAR name[kPrinterNameChars];
    const PRINTER_INFO_2W* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer);
    if (GetPrinterW(printer, 2, buffer, needed, &needed) && info->pPrinterName != nullptr &&
        SUCCEEDED(StringCchCopyW(name, kPrinterNameChars, info->pPrinterName))) {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(name, &opened, &defaults)) {
            opened = nullptr;
        }
    }
    LocalFree(buffer);
    return opened;
}

}  // namespace

CNiraPrinterHandle::CNiraPrinterHandle(HANDLE printer, bool reopen) : m_handle(printer), m_owned(0)
{
    if (reopen && printer != nullptr) {
        if (HANDLE opened = Reopen(printer)) {
            m_handle = opened;
            m_owned = 1;
        }
    }
}

CNiraPrinterHandle::~CNiraPrinterHandle()
{
    Release();
}

void CNiraPrinterHandle::Release()
{
    if (m_owned && m_handle != nullptr) {
        ClosePrinter(m_handle);
    }
    m_owned = 0;
}

void CNiraPrinterHandle::Assign(HANDLE printer)
{
    Release();
    m_handle = printer;
}
