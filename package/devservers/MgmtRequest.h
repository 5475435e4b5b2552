// The device-management request: the object ids of one get request and their answers.
#pragma once

#include "NetworkTransport.h"
#include "ServerObject.h"

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

class CMgmtRequest : public CServerObject<INiraMgmtRequest> {
public:
    // At most this many object ids go in one request.
    static constexpr LONG kMaxEntries = 64;
    static constexpr DWORD kMaxObjectIdChars = 128;

    CMgmtRequest();
    ~CMgmtRequest() override;

    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    // Puts an object id at index (an existing index is replaced; the next free one appends).
    HRESULT STDMETHODCALLTYPE Add(LONG index, LPCWSTR objectId) override;
    HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetValue(LONG index, BYTE* type, BYTE** data, DWORD* length) override;
    HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetError(LONG index, int* error) override;

    // Sends the request through the transport to the device on the port; FALSE when the answers
    // could not all be taken in.
    BOOL Send(LPCWSTR port);

private:
    void FreeAnswers();

    LONG m_count;
    WCHAR m_objectIds[kMaxEntries][kMaxObjectIdChars];
    SnmpAnswer m_answers[kMaxEntries];
    BOOL m_answered;
};
