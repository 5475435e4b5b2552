// Reference counting, interface lookup and the unused IDispatch part shared by the simulated
// machine's COM objects.
#pragma once

#include <oaidl.h>

#include "com/ComObjectCount.h"

#include <atomic>

namespace nirasim {
namespace com {

template <class Interface>
class ComObject : public Interface {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (!object) {
            return E_POINTER;
        }
        *object = Find(riid);
        if (!*object) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Late binding is not offered: callers of the simulated machine bind at compile time.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (count) {
            *count = 0;
        }
        return E_NOTIMPL;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    // The interface pointer for riid, or null; IUnknown and IDispatch are answered here.
    virtual void* Find(REFIID riid)
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            return static_cast<Interface*>(this);
        }
        return nullptr;
    }

private:
    std::atomic<ULONG> m_references{1};
    ObjectCounter m_counter;
};

}  // namespace com
}  // namespace nirasim
