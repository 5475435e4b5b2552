// One notification of a print-UI conversation: a private copy of the message bytes and of the
// notification type, handed out to the platform through AcquireData.
#pragma once

#include <windows.h>

#include <prnasnot.h>

class CNiraAsyncNotifyData final : public IPrintAsyncNotifyDataObject {
public:
    // A data object with one reference over a copy of size bytes of data (none for a null buffer
    // or a size of 0); null when the object or its copy cannot be had.
    static CNiraAsyncNotifyData* Create(const BYTE* data, DWORD size, const GUID& type);

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(AcquireData)(BYTE** data, ULONG* size, PrintAsyncNotificationType** type) override;
    STDMETHOD(ReleaseData)() override;

private:
    CNiraAsyncNotifyData() = default;
    ~CNiraAsyncNotifyData();
    CNiraAsyncNotifyData(const CNiraAsyncNotifyData&) = delete;
    CNiraAsyncNotifyData& operator=(const CNiraAsyncNotifyData&) = delete;

    HRESULT m_status = E_FAIL;
    BYTE* m_data = nullptr;
    ULONG m_size = 0;
    PrintAsyncNotificationType m_type = {};
    volatile LONG m_references = 1;
};
