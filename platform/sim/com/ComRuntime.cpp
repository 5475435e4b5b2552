// The COM runtime: per-thread apartments, the class registry behind CoCreateInstance, task memory
// and GUID helpers.
#include <objbase.h>
#include <msxml2.h>

#include "com/ClassRegistry.h"
#include "com/ComObjectCount.h"
#include "core/Failures.h"
#include "core/MachineState.h"
#include "xml/DomFactory.h"

#include <nirasim/Com.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <vector>

namespace nirasim {
namespace com {

std::atomic<long>& LiveObjects()
{
    static std::atomic<long> count{0};
    return count;
}

LONG LiveObjectCount()
{
    return static_cast<LONG>(LiveObjects().load());
}

}  // namespace com
}  // namespace nirasim

namespace {

constexpr DWORD kConcurrencyMask = COINIT_APARTMENTTHREADED;

struct Apartment {
    int initCount = 0;
    DWORD model = 0;
};
thread_local Apartment t_apartment;

struct RegisteredClass {
    CLSID clsid;
    IUnknown* factory;
    DWORD cookie;
};

std::mutex g_registryLock;
std::vector<RegisteredClass> g_registry;
DWORD g_nextCookie = 1;

bool IsBuiltInDocument(REFCLSID clsid)
{
    return clsid == CLSID_DOMDocument || clsid == CLSID_DOMDocument26 || clsid == CLSID_DOMDocument30;
}

IUnknown* FindRegisteredFactory(REFCLSID clsid)
{
    std::lock_guard<std::mutex> lock(g_registryLock);
    for (const RegisteredClass& entry : g_registry) {
        if (entry.clsid == clsid) {
            entry.factory->AddRef();
            return entry.factory;
        }
    }
    return nullptr;
}

}  // namespace

HRESULT WINAPI CoInitializeEx(LPVOID, DWORD dwCoInit)
{
    NIRASIM_HRESULT_IF_INJECTED("CoInitializeEx");
    DWORD model = dwCoInit & kConcurrencyMask;
    if (t_apartment.initCount > 0) {
        if (t_apartment.model != model) {
            return RPC_E_CHANGED_MODE;
        }
        ++t_apartment.initCount;
        return S_FALSE;
    }
    t_apartment.model = model;
    t_apartment.initCount = 1;
    return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID pvReserved)
{
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize(void)
{
    if (t_apartment.initCount > 0) {
        --t_apartment.initCount;
    }
}

HRESULT WINAPI CoRegisterClassObject(REFCLSID rclsid, LPUNKNOWN pUnk, DWORD, DWORD, LPDWORD lpdwRegister)
{
    if (!pUnk || !lpdwRegister) {
        return E_INVALIDARG;
    }
    std::lock_guard<std::mutex> lock(g_registryLock);
    pUnk->AddRef();
    *lpdwRegister = g_nextCookie++;
    g_registry.push_back({rclsid, pUnk, *lpdwRegister});
    return S_OK;
}

HRESULT WINAPI CoRevokeClassObject(DWORD dwRegister)
{
    IUnknown* factory = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_registryLock);
        for (auto it = g_registry.begin(); it != g_registry.end(); ++it) {
            if (it->cookie == dwRegister) {
                factory = it->factory;
                g_registry.erase(it);
                break;
            }
        }
    }
    if (!factory) {
        return E_INVALIDARG;
    }
    factory->Release();
    return S_OK;
}

HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD, LPVOID, REFIID riid, LPVOID* ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (t_apartment.initCount == 0) {
        return CO_E_NOTINITIALIZED;
    }
    IUnknown* factory = FindRegisteredFactory(rclsid);
    if (!factory) {
        return nirasim::com::GetInprocServerFactory(rclsid, riid, ppv);
    }
    HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    NIRASIM_HRESULT_IF_INJECTED("CoCreateInstance");
    if (t_apartment.initCount == 0) {
        return CO_E_NOTINITIALIZED;
    }
    if (IsBuiltInDocument(rclsid)) {
        if (pUnkOuter) {
            return CLASS_E_NOAGGREGATION;
        }
        if (!(dwClsContext & CLSCTX_INPROC_SERVER)) {
            return REGDB_E_CLASSNOTREG;
        }
        return nirasim::xml::CreateDocument(riid, ppv);
    }
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) {
        return hr;
    }
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    return hr;
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb)
{
    NIRASIM_FAIL_IF_INJECTED("CoTaskMemAlloc", nullptr);
    return std::malloc(cb ? cb : 1);
}

LPVOID WINAPI CoTaskMemRealloc(LPVOID pv, SIZE_T cb)
{
    NIRASIM_FAIL_IF_INJECTED("CoTaskMemRealloc", nullptr);
    return std::realloc(pv, cb ? cb : 1);
}

void WINAPI CoTaskMemFree(LPVOID pv)
{
    std::free(pv);
}

namespace {

// The GUIDs a test fixed, handed out first and in order.
struct FixedGuids {
    std::mutex lock;
    std::vector<GUID> queue;
};

FixedGuids& Fixed()
{
    static FixedGuids fixed;
    return fixed;
}

nirasim::sim::ResetHook forgetFixedGuids([] {
    std::lock_guard<std::mutex> guard(Fixed().lock);
    Fixed().queue.clear();
});

bool TakeFixedGuid(GUID* guid)
{
    std::lock_guard<std::mutex> guard(Fixed().lock);
    if (Fixed().queue.empty()) {
        return false;
    }
    *guid = Fixed().queue.front();
    Fixed().queue.erase(Fixed().queue.begin());
    return true;
}

}  // namespace

namespace nirasim {
namespace com {

void FixNextGuids(const std::vector<GUID>& guids)
{
    std::lock_guard<std::mutex> guard(Fixed().lock);
    Fixed().queue = guids;
}

}  // namespace com
}  // namespace nirasim

HRESULT WINAPI CoCreateGuid(GUID* pguid)
{
    if (!pguid) {
        return E_INVALIDARG;
    }
    if (TakeFixedGuid(pguid)) {
        return S_OK;
    }
    static std::mutex lock;
    static std::random_device device;
    static std::mt19937_64 generator(device());
    uint64_t halves[2];
    {
        std::lock_guard<std::mutex> guard(lock);
        halves[0] = generator();
        halves[1] = generator();
    }
    std::memcpy(pguid, halves, sizeof(GUID));
    pguid->Data3 = static_cast<WORD>((pguid->Data3 & 0x0FFF) | 0x4000);    // version 4
    pguid->Data4[0] = static_cast<BYTE>((pguid->Data4[0] & 0x3F) | 0x80);  // RFC 4122 variant
    return S_OK;
}

int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    constexpr int kGuidChars = 39;  // {8-4-4-4-12} and the terminator
    if (!lpsz || cchMax < kGuidChars) {
        return 0;
    }
    char text[kGuidChars + 1];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", rguid.Data1,
                  rguid.Data2, rguid.Data3, rguid.Data4[0], rguid.Data4[1], rguid.Data4[2], rguid.Data4[3],
                  rguid.Data4[4], rguid.Data4[5], rguid.Data4[6], rguid.Data4[7]);
    for (int i = 0; i < kGuidChars; ++i) {
        lpsz[i] = static_cast<OLECHAR>(text[i]);
    }
    return kGuidChars;
}

HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid)
{
    constexpr HRESULT kSyntaxError = static_cast<HRESULT>(0x800401F3L);  // CO_E_CLASSSTRING
    if (!lpsz || !pclsid) {
        return E_INVALIDARG;
    }
    constexpr int kGuidTextLength = 38;  // {8-4-4-4-12}
    char text[kGuidTextLength + 1] = {};
    for (int i = 0; i < kGuidTextLength; ++i) {
        if (lpsz[i] == 0 || lpsz[i] > 0x7F) {
            return kSyntaxError;
        }
        text[i] = static_cast<char>(lpsz[i]);
    }
    if (lpsz[kGuidTextLength] != 0) {
        return kSyntaxError;
    }
    unsigned int parts[11];
    int consumed = 0;
    if (std::sscanf(text, "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &parts[0], &parts[1], &parts[2],
                    &parts[3], &parts[4], &parts[5], &parts[6], &parts[7], &parts[8], &parts[9], &parts[10],
                    &consumed) != 11 ||
        consumed != kGuidTextLength) {
        return kSyntaxError;
    }
    pclsid->Data1 = parts[0];
    pclsid->Data2 = static_cast<WORD>(parts[1]);
    pclsid->Data3 = static_cast<WORD>(parts[2]);
    for (int i = 0; i < 8; ++i) {
        pclsid->Data4[i] = static_cast<BYTE>(parts[3 + i]);
    }
    return S_OK;
}
