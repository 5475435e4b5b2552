// The class factory of the UI plug-in object, and the COM entry points of the library.
#pragma once

#include <windows.h>

#include <objbase.h>

class CNiraClassFactory : public IClassFactory {
public:
    CNiraClassFactory() = default;
    CNiraClassFactory(const CNiraClassFactory&) = delete;
    CNiraClassFactory& operator=(const CNiraClassFactory&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // A new plug-in object asked for iid; no aggregation.
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHOD(LockServer)(BOOL lock) override;

private:
    virtual ~CNiraClassFactory() = default;

    LONG volatile m_refCount = 1;
};

// The COM entry points, exported through nirauip.def.
// A factory for the core driver's UI plug-in class or its PrintTicket-provider class.
STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out);
// S_OK once no plug-in object lives and no lock is held, else S_FALSE.
STDAPI DllCanUnloadNow(void);
