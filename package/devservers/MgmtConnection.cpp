// The device-management connection: sends get requests to the device of one printer's port.
#include "MgmtRequest.h"
#include "ServerModule.h"

#include <strsafe.h>
#include <winspool.h>

#include <new>

namespace {

constexpr DWORD kPortChars = 256;

// The port of a printer; FALSE when the printer or its port cannot be read.
BOOL ReadPrinterPort(LPCWSTR printerName, LPWSTR port, DWORD capacity)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &printer, nullptr)) {
        return FALSE;
    }
    DWORD needed = 0;
    BOOL found = FALSE;
    if (!GetPrinterW(printer, 2, nullptr, 0, &needed) && GetLastError() == ERROR_INSUFFICIENT_BUFFER &&
        needed > 0) {
        BYTE* buffer = static_cast<BYTE*>(LocalAlloc(LPTR, needed));
        auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer);
        found = buffer != nullptr && GetPrinterW(printer, 2, buffer, needed, &needed) &&
                info->pPortName != nullptr && SUCCEEDED(StringCchCopyW(port, capacity, info->pPortName));
        LocalFree(buffer);
    }
    ClosePrinter(printer);
    return found;
}

class CMgmtConnection : public CServerObject<INiraMgmtConnection> {
public:
    CMgmtConnection() : CServerObject(IID_INiraMgmtConnection), m_port{} {}

    HRESULT STDMETHODCALLTYPE Open(LPCWSTR printerName) override
    {
        if (printerName == nullptr) {
            return E_POINTER;
        }
        BOOL supported = FALSE;
        if (!ReadPrinterPort(printerName, m_port, kPortChars) || !TransportFindDevice(m_port, &supported)) {
            m_port[0] = 0;
            return E_FAIL;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Get(INiraMgmtRequest* request) override
    {
        if (request == nullptr) {
            return E_POINTER;
        }
        auto* own = dynamic_cast<CMgmtRequest*>(request);
        if (own == nullptr) {
            return E_INVALIDARG;
        }
        if (m_port[0] == 0) {
            return E_UNEXPECTED;
        }
        return own->Send(m_port) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Close() override
    {
        m_port[0] = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Configure(int, int, int, int, int, int, int) override
    {
        // The transport keeps its own timing and ports.
        return S_OK;
    }

private:
    WCHAR m_port[kPortChars];
};

}  // namespace

HRESULT CreateMgmtConnection(REFIID interfaceId, void** object)
{
    return CMgmtConnection::Deliver(new (std::nothrow) CMgmtConnection(), interfaceId, object);
}
