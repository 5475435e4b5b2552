#include "nira/presentation/LibraryEntry.h"

#include "nira/presentation/HelpProvider.h"
#include "nira/presentation/PresentationController.h"

#include <new>

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

INiraPresentationIntf* WINAPI CreateInstance(int)
{
    return new (std::nothrow) CNiraPresentationController();
}

int WINAPI FreeInstance(INiraPresentationIntf* instance)
{
    delete instance;
    return 0;
}
