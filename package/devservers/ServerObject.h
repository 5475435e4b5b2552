// A COM object of a device server: reference counting and QueryInterface for IUnknown and one
// interface, keeping the DLL loaded while it lives.
#pragma once

#include "ServerModule.h"

#include <atomic>

template <class Interface>
class CServerObject : public Interface {
public:
    explicit CServerObject(const IID& interfaceId) : m_interfaceId(interfaceId) { ServerLock(); }
    virtual ~CServerObject() { ServerUnlock(); }
    CServerObject(const CServerObject&) = delete;
    CServerObject& operator=(const CServerObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (interfaceId == IID_IUnknown || interfaceId == m_interfaceId) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Hands out the new object for the interface asked, or deletes it.
    static HRESULT Deliver(CServerObject* created, REFIID interfaceId, void** object)
    {
        if (object == nullptr) {
            delete created;
            return E_POINTER;
        }
        *object = nullptr;
        if (created == nullptr) {
            return E_OUTOFMEMORY;
        }
        HRESULT result = created->QueryInterface(interfaceId, object);
        created->Release();  // the caller's reference, if any, keeps it
        return result;
    }

private:
    std::atomic<ULONG> m_references{1};
    const IID& m_interfaceId;
};
