#include "nira/uiplugin/settings/SettingsFactory.h"

#include <new>

#include "nira/uiplugin/settings/BlockPacker.h"
#include "nira/uiplugin/settings/BlockUnpacker.h"
#include "nira/uiplugin/settings/DerivedValuesProvider.h"
#include "nira/uiplugin/settings/FieldAdapter.h"
#include "nira/uiplugin/settings/FlatRecordAdapter.h"
#include "nira/uiplugin/settings/HostProcessProvider.h"
#include "nira/uiplugin/settings/ProductData.h"
#include "nira/uiplugin/settings/SettingsInstance.h"
#include "nira/uiplugin/settings/SettingsManager.h"
#include "nira/uiplugin/settings/SettingsMask.h"
#include "nira/uiplugin/settings/SettingsStore.h"

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
    case SETTINGS_KIND_STORE: return Construct<CNiraSettingsStore, INiraSettingsStore>();
    case SETTINGS_KIND_MASK: return Construct<CNiraSettingsMask, INiraSettingsMask>();
    case SETTINGS_KIND_MANAGER: return Construct<CNiraSettingsManager, INiraSettingsAccess>();
    case SETTINGS_KIND_FIELD_ADAPTER: return Construct<CNiraFieldAdapter, INiraSettingsProvider>();
    case SETTINGS_KIND_UNPACKER: return Construct<CNiraBlockUnpacker, INiraSettingsProvider>();
    case SETTINGS_KIND_PRODUCT_DATA: return Construct<CNiraProductData, INiraSettingsProvider>();
    case SETTINGS_KIND_FLAT_ADAPTER: return Construct<CNiraFlatRecordAdapter, INiraSettingsProvider>();
    case SETTINGS_KIND_PACKER: return Construct<CNiraBlockPacker, INiraSettingsProvider>();
    case SETTINGS_KIND_HOST_FLAGS: return Construct<CNiraHostProcessProvider, INiraSettingsProvider>();
    case SETTINGS_KIND_DERIVED: return Construct<CNiraDerivedValuesProvider, INiraSettingsProvider>();
    default: return nullptr;
    }
}
