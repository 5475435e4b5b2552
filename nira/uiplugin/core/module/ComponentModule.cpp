#include "nira/uiplugin/core/module/ComponentModule.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

namespace {}  // namespace

LONG LoadComponentModule(HANDLE printer)
{
    if (GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT) != nullptr) {
        return NIRA_STATUS_OK;
    }
    auto* path =
        static_cast<LPWSTR>(LocalAlloc(LPTR, CNiraPrinterAccess::kComponentPathChars * sizeof(WCHAR)));
    if (path == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    HMODULE module = nullptr;
    {
        CNiraPrinterAccess access(printer);
        access.FindDriverIni(FALSE);
        if (access.GetComponentPath(kSettingsHelperModuleKey, path)) {
            module = LoadLibraryW(path);
        }
    }
    LocalFree(path);
    if (module == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, module);
    FARPROC proc = GetProcAddress(module, SETTINGS_HELPER_LOAD_EXPORT);
    if (proc != nullptr) {
        reinterpret_cast<LoadHelperProc>(reinterpret_cast<void*>(proc))(printer);
    }
    return NIRA_STATUS_OK;
}
