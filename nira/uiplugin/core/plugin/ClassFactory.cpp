#include "nira/uiplugin/core/plugin/ClassFactory.h"

#include "nira/uiplugin/core/plugin/OemUIPlugin.h"
#include "nira/uiplugin/core/plugin/ServerCounts.h"

#include <prcomoem.h>

#include <new>

STDMETHODIMP CNiraClassFactory::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CNiraClassFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

STDMETHODIMP_(ULONG) CNiraClassFactory::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CNiraClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    auto* plugin = new (std::nothrow) CNiraOemUIPlugin();
    if (plugin == nullptr) {
        return E_OUTOFMEMORY;
    }
    // The object's own reference goes once the caller holds one (or none, when iid was refused).
    const HRESULT result = plugin->QueryInterface(iid, out);
    plugin->Release();
    return result;
}

STDMETHODIMP CNiraClassFactory::LockServer(BOOL lock)
{
    CountServerLock(lock);
    return S_OK;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out)
{
    if (!IsEqualCLSID(clsid, CLSID_OEMUI) && !IsEqualCLSID(clsid, CLSID_OEMPTPROVIDER)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* factory = new (std::nothrow) CNiraClassFactory();
    if (factory == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT result = factory->QueryInterface(iid, out);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow(void)
{
    return IsServerUnused() ? S_OK : S_FALSE;
}
