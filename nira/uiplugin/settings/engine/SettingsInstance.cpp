#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include <rpc.h>

const SettingsClassRow SettingsClassTable[SETTINGS_CLASS_ROWS] = {
    {SETTINGS_GUID_STORE, SETTINGS_KIND_STORE},
    {SETTINGS_GUID_MASK, SETTINGS_KIND_MASK},
    {SETTINGS_GUID_MANAGER, SETTINGS_KIND_MANAGER},
    {SETTINGS_GUID_FIELD_ADAPTER, SETTINGS_KIND_FIELD_ADAPTER},
    {SETTINGS_GUID_UNPACKER, SETTINGS_KIND_UNPACKER},
    {SETTINGS_GUID_PRODUCT_DATA, SETTINGS_KIND_PRODUCT_DATA},
    {SETTINGS_GUID_HOST_FLAGS, SETTINGS_KIND_HOST_FLAGS},
    {SETTINGS_GUID_FLAT_ADAPTER, SETTINGS_KIND_FLAT_ADAPTER},
    {SETTINGS_GUID_DERIVED, SETTINGS_KIND_DERIVED},
    {SETTINGS_GUID_PACKER, SETTINGS_KIND_PACKER},
};

const SettingsModuleRow SettingsModuleTable[SETTINGS_MODULE_ROWS] = {
    {SETTINGS_GUID_STORE, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_MASK, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_MANAGER, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_FIELD_ADAPTER, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_UNPACKER, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_HOST_FLAGS, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_FLAT_ADAPTER, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_DERIVED, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_PACKER, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_PRODUCT_DATA, SETTINGS_MODULE_SELF},
    {SETTINGS_GUID_HELPER_PROVIDER, SETTINGS_MODULE_COMPONENT},
    {SETTINGS_GUID_HELPER_OBJECT, SETTINGS_MODULE_COMPONENT},
};

namespace {

HMODULE g_selfModule = nullptr;
HMODULE g_componentModule = nullptr;

// Only equality counts; the RPC status is not consulted.
bool IsSameGuid(const GUID& row, const GUID* interfaceId)
{
    RPC_STATUS status = RPC_S_OK;
    return UuidCompare(const_cast<UUID*>(&row), const_cast<UUID*>(interfaceId), &status) == 0;
}

const SettingsModuleRow* FindModuleRow(const GUID* interfaceId)
{
    for (const SettingsModuleRow& row : SettingsModuleTable) {
        if (IsSameGuid(row.interfaceId, interfaceId)) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

HMODULE GetSettingsModuleHandle(LONG module)
{
    switch (module) {
    case SETTINGS_MODULE_SELF:
        return g_selfModule;
    case SETTINGS_MODULE_COMPONENT:
        return g_componentModule;
    default:
        return nullptr;
    }
}

void SetSettingsModuleHandle(LONG module, HMODULE handle)
{
    if (module == SETTINGS_MODULE_SELF) {
        g_selfModule = handle;
    } else if (module == SETTINGS_MODULE_COMPONENT) {
        g_componentModule = handle;
    }
}

LONG FindSettingsKind(const GUID* interfaceId)
{
    for (const SettingsClassRow& row : SettingsClassTable) {
        if (IsSameGuid(row.interfaceId, interfaceId)) {
            return row.kind;
        }
    }
    return 0;
}

BOOLEAN GetSettingsInstance(const GUID* interfaceId, void** out)
{
    if (out == nullptr || interfaceId == nullptr) {
        return FALSE;
    }
    const SettingsModuleRow* row = FindModuleRow(interfaceId);
    if (row == nullptr) {
        return FALSE;
    }
    HMODULE module = GetSettingsModuleHandle(row->module);
    if (module == nullptr) {
        return FALSE;
    }
    FARPROC proc = GetProcAddress(module, SETTINGS_FACTORY_EXPORT);
    if (proc == nullptr) {
        return FALSE;
    }
    auto factory = reinterpret_cast<CreateSettingsInstanceProc>(reinterpret_cast<void*>(proc));
    return static_cast<BOOLEAN>(factory(interfaceId, out) & 0xFF);
}
