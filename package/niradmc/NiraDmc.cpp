// The DMC core library of the sample package: answers the printer's device-model configuration,
// an XML file of the driver package, as a path-addressed feature tree. One configuration is open
// at a time, between DMCStartConfig and DMCEndConfig.
#include <windows.h>
#include <objbase.h>
#include <strsafe.h>

#include <new>

#include "nira/uiplugin/foundation/dmc/DmcCoreExports.h"
#include "package/niradmc/DmcConfigDocument.h"
#include "package/niradmc/DmcExport.h"

#define DMC_EXPORT extern "C" __declspec(dllexport)

namespace {

#define VALUE_ATTRIBUTE TEXT("value")

CDmcConfigDocument* g_config = nullptr;
CDmcExport* g_export = nullptr;
bool g_comStarted = false;
HRESULT g_lastComError = S_OK;
WCHAR g_context[kDmcValueChars] = {};

bool IsOpen()
{
    return g_config != nullptr && g_config->IsOpen();
}

void EndConfig()
{
    if (g_config != nullptr) {
        g_lastComError = g_config->GetLastError();
    }
    delete g_export;
    g_export = nullptr;
    delete g_config;
    g_config = nullptr;
    g_context[0] = 0;
    if (g_comStarted) {
        CoUninitialize();
        g_comStarted = false;
    }
}

// A path of the current context joined with a relative one, into g_context's size.
bool JoinContext(LPCWSTR relative, LPWSTR joined)
{
    return SUCCEEDED(StringCchCopyW(joined, kDmcValueChars, g_context)) &&
           SUCCEEDED(StringCchCatW(joined, kDmcValueChars, TEXT("/"))) &&
           SUCCEEDED(StringCchCatW(joined, kDmcValueChars, relative));
}

}  // namespace

DMC_EXPORT int WINAPI DMCStartConfig(LPCWSTR configPath, int access, LPWSTR rootContext, int startMode)
{
    EndConfig();
    if (configPath == nullptr || rootContext == nullptr || access != kDmcAccessRead ||
        startMode != kDmcStartCurrentValues) {
        return 0;
    }
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    g_comStarted = SUCCEEDED(hr);
    g_config = new (std::nothrow) CDmcConfigDocument();
    if (g_config == nullptr || !g_config->Open(configPath, rootContext) ||
        FAILED(StringCchPrintfW(g_context, kDmcValueChars, TEXT("device/software/component[%s]"),
                                rootContext))) {
        EndConfig();
        return 0;
    }
    return 1;
}

DMC_EXPORT int WINAPI DMCEndConfig()
{
    bool wasOpen = IsOpen();
    EndConfig();
    return wasOpen ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCCountChildElements(LPCWSTR path, LPCWSTR elementName)
{
    if (!IsOpen() || elementName == nullptr || elementName[0] == 0) {
        return 0;
    }
    int count = g_config->CountChildren(path, elementName);
    return count > 0 ? count : 0;
}

DMC_EXPORT int WINAPI DMCEnumFeatures(LPCWSTR path, LPWSTR list)
{
    return list != nullptr && IsOpen() &&
                   g_config->ListChildren(path, TEXT("feature"), list, kDmcFeatureListChars)
               ? 1
               : 0;
}

DMC_EXPORT int WINAPI DMCEnumOptions(LPCWSTR path, LPWSTR list)
{
    return list != nullptr && IsOpen() &&
                   g_config->ListChildren(path, TEXT("option"), list, kDmcOptionListChars)
               ? 1
               : 0;
}

DMC_EXPORT int WINAPI DMCEnumListToken(LPWSTR token, LPWSTR list)
{
    return DmcListTake(token, list) ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCGetPRV(LPCWSTR path, LPWSTR value)
{
    return value != nullptr && IsOpen() &&
                   g_config->ReadAttribute(path, VALUE_ATTRIBUTE, value, kDmcValueChars) == 1
               ? 1
               : 0;
}

DMC_EXPORT int WINAPI DMCGetNamedFeatureAttribute(LPCWSTR path, LPCWSTR name, LPWSTR value)
{
    if (value == nullptr || name == nullptr || !IsOpen()) {
        return -1;
    }
    return g_config->ReadAttribute(path, name, value, kDmcValueChars);
}

DMC_EXPORT int WINAPI DMCGetFeatureAttributes(LPCWSTR path, LPWSTR list)
{
    return list != nullptr && IsOpen() && g_config->ListAttributes(path, list, kDmcFeatureListChars) ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCGet(LPCWSTR path, LPCWSTR attribute, LPWSTR value)
{
    LPCWSTR name = attribute != nullptr && attribute[0] != 0 ? attribute : VALUE_ATTRIBUTE;
    return value != nullptr && IsOpen() && g_config->ReadAttribute(path, name, value, kDmcValueChars) == 1
               ? 1
               : 0;
}

DMC_EXPORT int WINAPI DMCSet(LPCWSTR path, LPCWSTR attribute, LPCWSTR value)
{
    LPCWSTR name = attribute != nullptr && attribute[0] != 0 ? attribute : VALUE_ATTRIBUTE;
    return IsOpen() && g_config->WriteAttribute(path, name, value) ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCSetContext(LPCWSTR path)
{
    if (!IsOpen() || path == nullptr || !g_config->SetContext(path)) {
        return 0;
    }
    return SUCCEEDED(StringCchCopyW(g_context, kDmcValueChars, path)) ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCGetContext(LPWSTR path)
{
    return path != nullptr && IsOpen() && SUCCEEDED(StringCchCopyW(path, kDmcValueChars, g_context)) ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCSetContextRelative(LPCWSTR relativePath)
{
    WCHAR joined[kDmcValueChars] = {};
    if (!IsOpen() || relativePath == nullptr || !JoinContext(relativePath, joined)) {
        return 0;
    }
    return DMCSetContext(joined);
}

DMC_EXPORT int WINAPI DMCGetContextPRV(LPWSTR value)
{
    return DMCGetPRV(g_context, value);
}

DMC_EXPORT int WINAPI DMCSetContextPRV(LPCWSTR value)
{
    return DMCSet(g_context, VALUE_ATTRIBUTE, value);
}

DMC_EXPORT int WINAPI DMCStartExport(LPCWSTR filePath)
{
    if (!IsOpen()) {
        return 0;
    }
    delete g_export;
    g_export = new (std::nothrow) CDmcExport();
    return g_export != nullptr && g_export->Start(filePath) ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCSetExport(LPCWSTR path)
{
    if (g_export == nullptr || !IsOpen()) {
        return 0;
    }
    IXMLDOMNode* node = g_config->Select(path);
    bool added = g_export->Add(node);
    if (node != nullptr) {
        node->Release();
    }
    return added ? 1 : 0;
}

DMC_EXPORT int WINAPI DMCEndExport()
{
    bool written = g_export != nullptr && g_export->End();
    delete g_export;
    g_export = nullptr;
    return written ? 1 : 0;
}

DMC_EXPORT HRESULT WINAPI DMCGetLastCOMError()
{
    return g_config != nullptr ? g_config->GetLastError() : g_lastComError;
}

#ifndef NIRA_DMC_WITHOUT_SAVEDOM
DMC_EXPORT int WINAPI saveDOM(LPCWSTR filePath)
{
    return IsOpen() && g_config->Save(filePath) ? 1 : 0;
}
#endif

// The configuration reader has no class of its own to enter in the registry.
STDAPI DllRegisterServer()
{
#ifdef NIRA_DMC_REFUSE_REGISTRATION
    return E_ACCESSDENIED;
#else
    return S_OK;
#endif
}

STDAPI DllUnregisterServer()
{
    return S_OK;
}
