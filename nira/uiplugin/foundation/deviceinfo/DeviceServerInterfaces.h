// The COM servers of the driver package that fetch device information from a network printer:
// the device-status provider, the device-management connection and request, and the object-id
// server. They are reached by class id; the driver registers them through their DLLs while it
// needs them. Every operation answers an HRESULT; operations listed as reserved belong to the
// servers' other clients and are not called by the driver.
#pragma once

#include <windows.h>
#include <objbase.h>

inline constexpr CLSID CLSID_NiraDeviceStatusProvider = {
    0x5A5AA0AA, 0x1DEB, 0x4683, {0x96, 0xB0, 0xB4, 0x33, 0x01, 0xE8, 0x39, 0x71}};
inline constexpr IID IID_INiraDeviceStatusProvider = {
    0x454CB2AB, 0x0024, 0x4434, {0xA5, 0xC0, 0x0D, 0xF0, 0xFB, 0x3C, 0x3E, 0x74}};
inline constexpr CLSID CLSID_NiraMgmtConnection = {
    0x88721C50, 0xBC58, 0x11D3, {0xA9, 0x9D, 0x81, 0xEA, 0xEC, 0x5E, 0x8E, 0x45}};
inline constexpr IID IID_INiraMgmtConnection = {
    0x88721C4F, 0xBC58, 0x11D3, {0xA9, 0x9D, 0x81, 0xEA, 0xEC, 0x5E, 0x8E, 0x45}};
inline constexpr CLSID CLSID_NiraMgmtRequest = {
    0x88721C4D, 0xBC58, 0x11D3, {0xA9, 0x9D, 0x81, 0xEA, 0xEC, 0x5E, 0x8E, 0x45}};
inline constexpr IID IID_INiraMgmtRequest = {
    0x88721C4C, 0xBC58, 0x11D3, {0xA9, 0x9D, 0x81, 0xEA, 0xEC, 0x5E, 0x8E, 0x45}};
inline constexpr CLSID CLSID_NiraObjectIdServer = {
    0xD713F357, 0x7920, 0x4B91, {0x9E, 0xB6, 0x49, 0x05, 0x47, 0x09, 0xEC, 0x7A}};
inline constexpr IID IID_INiraObjectIdServer = {
    0x8AF30D93, 0xD46B, 0x456E, {0x8F, 0x70, 0xED, 0x6A, 0x07, 0x19, 0x7A, 0x3F}};

// Classes are created with every context a server may run in.
constexpr DWORD kDeviceServerContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// Whether the device-status provider serves a printer.
struct INiraDeviceStatusProvider : public IUnknown {
    // supported: not 0 when the printer's device can be asked; statusAvailable: not 0 when it
    // also reports a live status.
    virtual HRESULT STDMETHODCALLTYPE CheckPrinterSupport(LPCWSTR printerName, LPCWSTR portName,
                                                          int* supported, int* statusAvailable) = 0;
};

struct INiraMgmtRequest;

// A connection to the device of one printer.
struct INiraMgmtConnection : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Open(LPCWSTR printerName) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    // Sends a get request for the request's object ids; fills each entry's error and value.
    virtual HRESULT STDMETHODCALLTYPE Get(INiraMgmtRequest* request) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    // Transport settings: (use defaults, reserved, retries, then timeouts and port numbers, -1
    // for the server's defaults).
    virtual HRESULT STDMETHODCALLTYPE Configure(int useDefaults, int reserved, int retries, int timeout,
                                                int retryTimeout, int port, int trapPort) = 0;
};

// The object ids of one request and, after the connection's Get, their answers.
struct INiraMgmtRequest : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Add(LONG index, LPCWSTR objectId) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    // The value of an entry: its type byte and its bytes, allocated with CoTaskMemAlloc and freed
    // by the caller with CoTaskMemFree.
    virtual HRESULT STDMETHODCALLTYPE GetValue(LONG index, BYTE* type, BYTE** data, DWORD* length) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
    // The error of an entry: 0 when the device answered it.
    virtual HRESULT STDMETHODCALLTYPE GetError(LONG index, int* error) = 0;
};

// The object-id server has nothing the driver calls; it only has to be creatable.
struct INiraObjectIdServer : public IUnknown {};

// The answer types of the device-management server.
enum NiraMgmtValueType : BYTE {
    NIRA_MGMT_TYPE_OCTETS = 0,
    NIRA_MGMT_TYPE_INTEGER = 1,
    NIRA_MGMT_TYPE_COUNTER = 2,
    NIRA_MGMT_TYPE_STRING = 4,
    NIRA_MGMT_TYPE_OBJECT_ID = 5,
    NIRA_MGMT_TYPE_UNSIGNED = 8,
};
