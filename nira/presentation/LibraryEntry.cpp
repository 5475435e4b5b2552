#include "nira/presentation/LibraryEntry.h"

#include "nira/presentation/HelpProvider.h"

namespace {

HMODULE g_module = nullptr;

}  // namespace

HMODULE GetPresentationModule()
{
    return g_module;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (LOWORD(reason)) {
    case DLL_PROCESS_ATTACH:
        g_module = instance;
        break;
    case DLL_PROCESS_DETACH:
        DeleteHelpProvider();
        g_module = nullptr;
        break;
    default:
        break;
    }
    return TRUE;
}
