#include "nira/uiplugin/core/module/SettingsExport.h"

#include "nira/uiplugin/settings/engine/SettingsFactory.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

BOOLEAN CreateSettingsInstance(const GUID* interfaceId, void** out)
{
    if (out == nullptr) {
        return FALSE;
    }
    *out = nullptr;
    if (interfaceId == nullptr) {
        return FALSE;
    }
    const LONG kind = FindSettingsKind(interfaceId);
    if (kind == 0) {
        return FALSE;
    }
    *out = CreateSettingsObject(kind);
    return *out != nullptr ? TRUE : FALSE;
}
