#include "common/AsyncNotifyData.h"

#include <new>

CNiraAsyncNotifyData* CNiraAsyncNotifyData::Create(const BYTE* data, DWORD size, const GUID& type)
{
    auto* object = new (std::nothrow) CNiraAsyncNotifyData;
    if (object == nullptr) {
        return nullptr;
    }
    if (data != nullptr && size != 0) {
        object->m_data = static_cast<BYTE*>(LocalAlloc(LPTR, size));
        if (object->m_data == nullptr) {
            object->Release();
            return nullptr;
        }
        CopyMemory(object->m_data, data, size);
        object->m_size = size;
    }
    object->m_type = type;
    object->m_status = S_OK;
    return object;
}

CNiraAsyncNotifyData::~CNiraAsyncNotifyData()
{
    if (m_data != nullptr) {
        LocalFree(m_data);
    }
}

STDMETHODIMP CNiraAsyncNotifyData::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPrintAsyncNotifyDataObject)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IPrintAsyncNotifyDataObject*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CNiraAsyncNotifyData::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CNiraAsyncNotifyData::Release()
{
    LONG left = InterlockedDecrement(&m_references);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP CNiraAsyncNotifyData::AcquireData(BYTE** data, ULONG* size, PrintAsyncNotificationType** type)
{
    if (FAILED(m_status)) {
        return m_status;
    }
    if (data == nullptr || size == nullptr || type == nullptr) {
        return E_INVALIDARG;
    }
    *data = m_data;
    *size = m_size;
    *type = &m_type;
    AddRef();
    return S_OK;
}

STDMETHODIMP CNiraAsyncNotifyData::ReleaseData()
{
    HRESULT status = m_status;
    Release();
    return status;
}
