#include "MgmtRequest.h"

#include <strsafe.h>

#include <new>

CMgmtRequest::CMgmtRequest()
    : CServerObject(IID_INiraMgmtRequest), m_count(0), m_objectIds{}, m_answers{}, m_answered(FALSE)
{}

CMgmtRequest::~CMgmtRequest()
{
    FreeAnswers();
}

void CMgmtRequest::FreeAnswers()
{
    for (SnmpAnswer& answer : m_answers) {
        CoTaskMemFree(answer.data);
        answer = {};
    }
    m_answered = FALSE;
}

HRESULT CMgmtRequest::Add(LONG index, LPCWSTR objectId)
{
    if (objectId == nullptr) {
        return E_POINTER;
    }
    if (index < 0 || index > m_count || index >= kMaxEntries) {
        return E_INVALIDARG;
    }
    if (FAILED(StringCchCopyW(m_objectIds[index], kMaxObjectIdChars, objectId))) {
        return E_INVALIDARG;
    }
    if (index == m_count) {
        ++m_count;
    }
    FreeAnswers();
    return S_OK;
}

HRESULT CMgmtRequest::Clear()
{
    FreeAnswers();
    m_count = 0;
    return S_OK;
}

BOOL CMgmtRequest::Send(LPCWSTR port)
{
    FreeAnswers();
    LPCWSTR ids[kMaxEntries];
    for (LONG i = 0; i < m_count; ++i) {
        ids[i] = m_objectIds[i];
    }
    const BOOL sent = TransportGet(port, m_count, ids, m_answers);
    m_answered = TRUE;
    return sent;
}

HRESULT CMgmtRequest::GetError(LONG index, int* error)
{
    if (error == nullptr) {
        return E_POINTER;
    }
    if (index < 0 || index >= m_count || !m_answered) {
        return E_INVALIDARG;
    }
    *error = m_answers[index].error;
    return S_OK;
}

HRESULT CMgmtRequest::GetValue(LONG index, BYTE* type, BYTE** data, DWORD* length)
{
    if (type == nullptr || data == nullptr || length == nullptr) {
        return E_POINTER;
    }
    *data = nullptr;
    *length = 0;
    if (index < 0 || index >= m_count || !m_answered || m_answers[index].error != 0) {
        return E_INVALIDARG;
    }
    const SnmpAnswer& answer = m_answers[index];
    BYTE* copy = static_cast<BYTE*>(CoTaskMemAlloc(answer.length));
    if (copy == nullptr) {
        return E_OUTOFMEMORY;
    }
    if (answer.length > 0) {
        memcpy(copy, answer.data, answer.length);
    }
    *type = answer.type;
    *data = copy;
    *length = answer.length;
    return S_OK;
}

HRESULT CreateMgmtRequest(REFIID interfaceId, void** object)
{
    return CMgmtRequest::Deliver(new (std::nothrow) CMgmtRequest(), interfaceId, object);
}
