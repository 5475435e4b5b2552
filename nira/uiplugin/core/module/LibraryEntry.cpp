#include "nira/uiplugin/core/module/LibraryEntry.h"

#include "nira/uiplugin/settings/engine/SettingsInstance.h"

namespace {

HMODULE g_libraryModule = nullptr;

// The settings helper module is loaded once for the process and freed only here.
void FreeComponentModule()
{
    HMODULE component = GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT);
    if (component != nullptr) {
        FreeLibrary(component);
    }
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
}

}  // namespace

HMODULE GetLibraryModule()
{
    return g_libraryModule;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (LOWORD(reason)) {
    case DLL_PROCESS_ATTACH:
        g_libraryModule = instance;
        // The settings engine reaches its own classes through this module's factory.
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, instance);
        break;
    case DLL_PROCESS_DETACH:
        g_libraryModule = nullptr;
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
        FreeComponentModule();
        break;
    default:
        break;
    }
    return TRUE;
}
