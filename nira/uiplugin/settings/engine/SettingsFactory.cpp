#include "nira/uiplugin/settings/engine/SettingsFactory.h"

#include <new>

#include "nira/uiplugin/settings/adapters/FieldAdapter.h"
#include "nira/uiplugin/settings/adapters/FlatRecordAdapter.h"
#include "nira/uiplugin/settings/block/BlockPacker.h"
#include "nira/uiplugin/settings/block/BlockUnpacker.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/engine/SettingsManager.h"
#include "nira/uiplugin/settings/engine/SettingsMask.h"
#include "nira/uiplugin/settings/engine/SettingsStore.h"
#include "nira/uiplugin/settings/productdata/ProductData.h"
#include "nira/uiplugin/settings/providers/DerivedValuesProvider.h"
#include "nira/uiplugin/settings/providers/HostProcessProvider.h"

namespace {

// The object as the interface it is handed out as.
template <typename Class, typename Interface>
void* Construct()
{
    Interface* object = new (std::nothrow) Class();
    return object;
}

}  // namespace

void* CreateSettingsObject(LONG kind)
{
    switch (kind) {
    case SETTINGS_KIND_STORE:
        return Construct<CNiraSettingsStore, INiraSettingsStore>();
    case SETTINGS_KIND_MASK:
        return Construct<CNiraSettingsMask, INiraSettingsMask>();
    case SETTINGS_KIND_MANAGER:
        return Construct<CNiraSettingsManager, INiraSettingsAccess>();
    case SETTINGS_KIND_FIELD_ADAPTER:
        return Construct<CNiraFieldAdapter, INiraSettingsProvider>();
    case SETTINGS_KIND_UNPACKER:
        return Construct<CNiraBlockUnpacker, INiraSettingsProvider>();
    case SETTINGS_KIND_PRODUCT_DATA:
        return Construct<CNiraProductData, INiraSettingsProvider>();
    case SETTINGS_KIND_FLAT_ADAPTER:
        return Construct<CNiraFlatRecordAdapter, INiraSettingsProvider>();
    case SETTINGS_KIND_PACKER:
        return Construct<CNiraBlockPacker, INiraSettingsProvider>();
    case SETTINGS_KIND_HOST_FLAGS:
        return Construct<CNiraHostProcessProvider, INiraSettingsProvider>();
    case SETTINGS_KIND_DERIVED:
        return Construct<CNiraDerivedValuesProvider, INiraSettingsProvider>();
    default:
        return nullptr;
    }
}
