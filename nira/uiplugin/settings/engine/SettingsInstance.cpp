#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include <rpc.h>

const SettingsClassRow SettingsClassTable[kSettingsClassRows] = {
    {kSettingsGuidStore, SETTINGS_KIND_STORE},
    {kSettingsGuidMask, SETTINGS_KIND_MASK},
    {kSettingsGuidManager, SETTINGS_KIND_MANAGER},
    {kSettingsGuidFieldAdapter, SETTINGS_KIND_FIELD_ADAPTER},
    {kSettingsGuidUnpacker, SETTINGS_KIND_UNPACKER},
    {kSettingsGuidProductData, SETTINGS_KIND_PRODUCT_DATA},
    {kSettingsGuidHostFlags, SETTINGS_KIND_HOST_FLAGS},
    {kSettingsGuidFlatAdapter, SETTINGS_KIND_FLAT_ADAPTER},
    {kSettingsGuidDerived, SETTINGS_KIND_DERIVED},
    {kSettingsGuidPacker, SETTINGS_KIND_PACKER},
};

const SettingsModuleRow SettingsModuleTable[kSettingsModuleRows] = {
    {kSettingsGuidStore, SETTINGS_MODULE_SELF},
    {kSettingsGuidMask, SETTINGS_MODULE_SELF},
    {kSettingsGuidManager, SETTINGS_MODULE_SELF},
    {kSettingsGuidFieldAdapter, SETTINGS_MODULE_SELF},
    {kSettingsGuidUnpacker, SETTINGS_MODULE_SELF},
    {kSettingsGuidHostFlags, SETTINGS_MODULE_SELF},
    {kSettingsGuidFlatAdapter, SETTINGS_MODULE_SELF},
    {kSettingsGuidDerived, SETTINGS_MODULE_SELF},
    {kSettingsGuidPacker, SETTINGS_MODULE_SELF},
    {kSettingsGuidProductData, SETTINGS_MODULE_SELF},
    {kSettingsGuidHelperProvider, SETTINGS_MODULE_COMPONENT},
    {kSettingsGuidHelperObject, SETTINGS_MODULE_COMPONENT},
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
