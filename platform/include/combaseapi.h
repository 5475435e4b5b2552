// COM base API: interface declaration macros, apartment set-up, object creation, task memory and GUIDs.
#pragma once

#include <windef.h>
#include <winerror.h>
#include <guiddef.h>
#include <wtypes.h>
#include <rpcdce.h>

#define interface struct
#define PURE = 0
#define THIS_
#define THIS void
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
// A module's COM entry points (DllGetClassObject, DllRegisterServer, ...) are declared STDAPI and
// exported by the module's .def file on Windows; the simulated loader finds them by visibility.
#define STDAPI extern "C" __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE
#define STDAPI_(type) extern "C" __attribute__((visibility("default"))) type STDAPICALLTYPE
#define MIDL_INTERFACE(x) struct

struct IUnknown;
typedef IUnknown* LPUNKNOWN;

typedef enum tagCOINIT {
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_MULTITHREADED = 0x0,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8
} COINIT;

typedef enum tagREGCLS {
    REGCLS_SINGLEUSE = 0,
    REGCLS_MULTIPLEUSE = 1,
    REGCLS_MULTI_SEPARATE = 2,
    REGCLS_SUSPENDED = 4,
    REGCLS_SURROGATE = 8
} REGCLS;

extern "C" {
HRESULT WINAPI CoInitialize(LPVOID pvReserved);
HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void WINAPI CoUninitialize(void);
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv);
HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid,
                                LPVOID* ppv);
HRESULT WINAPI CoRegisterClassObject(REFCLSID rclsid, LPUNKNOWN pUnk, DWORD dwClsContext, DWORD flags,
                                     LPDWORD lpdwRegister);
HRESULT WINAPI CoRevokeClassObject(DWORD dwRegister);
LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb);
LPVOID WINAPI CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
void WINAPI CoTaskMemFree(LPVOID pv);
HRESULT WINAPI CoCreateGuid(GUID* pguid);
int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
// Process-wide security of COM: the first call succeeds, every later one answers RPC_E_TOO_LATE.
HRESULT WINAPI CoInitializeSecurity(void* pSecDesc, LONG cAuthSvc, void* asAuthSvc, void* pReserved1,
                                    DWORD dwAuthnLevel, DWORD dwImpLevel, void* pAuthList,
                                    DWORD dwCapabilities, void* pReserved3);
}

// What an in-process server exports (the class registry finds it under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32).
typedef HRESULT(STDAPICALLTYPE* LPFNGETCLASSOBJECT)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* LPFNCANUNLOADNOW)(void);
