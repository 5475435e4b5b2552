// The module of a device-server DLL: its entry point, class factory, and self-registration.
#include "ServerModule.h"

#include <olectl.h>
#include <strsafe.h>

#include <atomic>
#include <new>

namespace {

HMODULE g_module = nullptr;
std::atomic<LONG> g_locks{0};

constexpr int kGuidChars = 39;
constexpr DWORD kKeyChars = 128;
constexpr WCHAR kThreadingModel[] = TEXT("Both");

class CServerFactory : public IClassFactory {
public:
    explicit CServerFactory(ServerObjectCreator create) : m_create(create) { ServerLock(); }
    virtual ~CServerFactory() { ServerUnlock(); }
    CServerFactory(const CServerFactory&) = delete;
    CServerFactory& operator=(const CServerFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (interfaceId == IID_IUnknown || interfaceId == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
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
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        return m_create(interfaceId, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock) {
            ServerLock();
        } else {
            ServerUnlock();
        }
        return S_OK;
    }

private:
    std::atomic<ULONG> m_references{1};
    ServerObjectCreator m_create;
};

BOOL MakeKeyPath(LPWSTR path, LPCWSTR prefix, REFGUID id, LPCWSTR suffix)
{
    WCHAR text[kGuidChars];
    return StringFromGUID2(id, text, kGuidChars) != 0 && SUCCEEDED(StringCchCopyW(path, kKeyChars, prefix)) &&
           SUCCEEDED(StringCchCatW(path, kKeyChars, text)) &&
           SUCCEEDED(StringCchCatW(path, kKeyChars, suffix));
}

LSTATUS SetText(HKEY root, LPCWSTR path, LPCWSTR valueName, LPCWSTR text)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    size_t length = 0;
    status = ERROR_INVALID_PARAMETER;
    if (SUCCEEDED(StringCchLengthW(text, MAX_PATH, &length))) {
        status = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
    }
    RegCloseKey(key);
    return status;
}

BOOL DeleteTree(LPCWSTR prefix, REFGUID id)
{
    WCHAR path[kKeyChars];
    if (!MakeKeyPath(path, prefix, id, TEXT(""))) {
        return FALSE;
    }
    LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

void Trace(LPCWSTR action)
{
    WCHAR line[kKeyChars];
    if (SUCCEEDED(StringCchCopyW(line, kKeyChars, kServerModuleName)) &&
        SUCCEEDED(StringCchCatW(line, kKeyChars, action))) {
        OutputDebugStringW(line);
    }
}

}  // namespace

void ServerLock()
{
    ++g_locks;
}

void ServerUnlock()
{
    --g_locks;
}

LONG ServerLockCount()
{
    return g_locks.load();
}

HMODULE ServerModuleHandle()
{
    return g_module;
}

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID classId, REFIID interfaceId, LPVOID* object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    for (int i = 0; i < kServedClassCount; ++i) {
        if (*kServedClasses[i].classId == classId) {
            CServerFactory* factory = new (std::nothrow) CServerFactory(kServedClasses[i].create);
            if (factory == nullptr) {
                return E_OUTOFMEMORY;
            }
            HRESULT result = factory->QueryInterface(interfaceId, object);
            factory->Release();
            return result;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow(void)
{
    return ServerLockCount() == 0 ? S_OK : S_FALSE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer(void)
{
    WCHAR modulePath[MAX_PATH];
    DWORD length = GetModuleFileNameW(g_module, modulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return SELFREG_E_CLASS;
    }
    WCHAR path[kKeyChars];
    for (int i = 0; i < kServedClassCount; ++i) {
        const ServedClass& served = kServedClasses[i];
        if (!MakeKeyPath(path, TEXT("CLSID\\"), *served.classId, TEXT("")) ||
            SetText(HKEY_CLASSES_ROOT, path, nullptr, served.description) != ERROR_SUCCESS ||
            FAILED(StringCchCatW(path, kKeyChars, TEXT("\\InprocServer32"))) ||
            SetText(HKEY_CLASSES_ROOT, path, nullptr, modulePath) != ERROR_SUCCESS ||
            SetText(HKEY_CLASSES_ROOT, path, TEXT("ThreadingModel"), kThreadingModel) != ERROR_SUCCESS) {
            return SELFREG_E_CLASS;
        }
    }
    for (int i = 0; i < kProxyInterfaceCount; ++i) {
        const ProxyInterface& proxy = kProxyInterfaces[i];
        WCHAR stubClass[kGuidChars];
        if (!MakeKeyPath(path, TEXT("Interface\\"), *proxy.interfaceId, TEXT("")) ||
            SetText(HKEY_CLASSES_ROOT, path, nullptr, proxy.name) != ERROR_SUCCESS ||
            StringFromGUID2(*proxy.interfaceId, stubClass, kGuidChars) == 0 ||
            FAILED(StringCchCatW(path, kKeyChars, TEXT("\\ProxyStubClsid32"))) ||
            SetText(HKEY_CLASSES_ROOT, path, nullptr, stubClass) != ERROR_SUCCESS) {
            return SELFREG_E_CLASS;
        }
    }
    Trace(TEXT(": registered"));
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer(void)
{
    BOOL removed = TRUE;
    for (int i = 0; i < kServedClassCount; ++i) {
        removed = DeleteTree(TEXT("CLSID\\"), *kServedClasses[i].classId) && removed;
    }
    for (int i = 0; i < kProxyInterfaceCount; ++i) {
        removed = DeleteTree(TEXT("Interface\\"), *kProxyInterfaces[i].interfaceId) && removed;
    }
    Trace(TEXT(": unregistered"));
    return removed ? S_OK : SELFREG_E_CLASS;
}
