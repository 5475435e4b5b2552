// nirauip's exported settings factory and library entry, linked in directly.
#include <gtest/gtest.h>

#include "FailingAllocation.h"
#include "nira/uiplugin/core/module/LibraryEntry.h"
#include "nira/uiplugin/core/module/SettingsExport.h"
#include "nira/uiplugin/settings/adapters/FieldAdapter.h"
#include "nira/uiplugin/settings/adapters/FlatRecordAdapter.h"
#include "nira/uiplugin/settings/block/BlockPacker.h"
#include "nira/uiplugin/settings/block/BlockUnpacker.h"
#include "nira/uiplugin/settings/engine/INiraSettingsStore.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/engine/SettingsManager.h"
#include "nira/uiplugin/settings/engine/SettingsMask.h"
#include "nira/uiplugin/settings/engine/SettingsStore.h"
#include "nira/uiplugin/settings/productdata/ProductData.h"
#include "nira/uiplugin/settings/providers/DerivedValuesProvider.h"
#include "nira/uiplugin/settings/providers/HostProcessProvider.h"

namespace {

// Each GUID of the class table gives an object of its row's class, handed out as its interface.
TEST(SettingsExport, FactoryMakesTheClassOfEachRow)
{
    struct Row {
        const GUID* id;
        bool (*isRightClass)(void* object);
        void (*release)(void* object);
    };
    auto provider = [](void* o) { static_cast<INiraSettingsProvider*>(o)->Release(); };
    const Row rows[] = {
        {&kSettingsGuidStore,
         [](void* o) {
             return dynamic_cast<CNiraSettingsStore*>(static_cast<INiraSettingsStore*>(o)) != nullptr;
         },
         [](void* o) { static_cast<INiraSettingsStore*>(o)->Release(); }},
        {&kSettingsGuidMask,
         [](void* o) {
             return dynamic_cast<CNiraSettingsMask*>(static_cast<INiraSettingsMask*>(o)) != nullptr;
         },
         [](void* o) { static_cast<INiraSettingsMask*>(o)->Release(); }},
        {&kSettingsGuidManager,
         [](void* o) {
             return dynamic_cast<CNiraSettingsManager*>(static_cast<INiraSettingsAccess*>(o)) != nullptr;
         },
         [](void* o) { static_cast<INiraSettingsAccess*>(o)->Release(); }},
        {&kSettingsGuidFieldAdapter,
         [](void* o) {
             return dynamic_cast<CNiraFieldAdapter*>(static_cast<INiraSettingsProvider*>(o)) != nullptr;
         },
         provider},
        {&kSettingsGuidUnpacker,
         [](void* o) {
             return dynamic_cast<CNiraBlockUnpacker*>(static_cast<INiraSettingsProvider*>(o)) != nullptr;
         },
         provider},
        {&kSettingsGuidProductData,
         [](void* o) {
             return dynamic_cast<CNiraProductData*>(static_cast<INiraSettingsProvider*>(o)) != nullptr;
         },
         provider},
        {&kSettingsGuidFlatAdapter,
         [](void* o) {
             return dynamic_cast<CNiraFlatRecordAdapter*>(static_cast<INiraSettingsProvider*>(o)) != nullptr;
         },
         provider},
        {&kSettingsGuidPacker,
         [](void* o) {
             return dynamic_cast<CNiraBlockPacker*>(static_cast<INiraSettingsProvider*>(o)) != nullptr;
         },
         provider},
        {&kSettingsGuidHostFlags,
         [](void* o) {
             return dynamic_cast<CNiraHostProcessProvider*>(static_cast<INiraSettingsProvider*>(o)) !=
                    nullptr;
         },
         provider},
        {&kSettingsGuidDerived,
         [](void* o) {
             return dynamic_cast<CNiraDerivedValuesProvider*>(static_cast<INiraSettingsProvider*>(o)) !=
                    nullptr;
         },
         provider},
    };
    for (const Row& row : rows) {
        void* object = nullptr;
        ASSERT_EQ(CreateSettingsInstance(row.id, &object), TRUE);
        ASSERT_NE(object, nullptr);
        EXPECT_TRUE(row.isRightClass(object));
        row.release(object);
    }
}

TEST(SettingsExport, FactoryAnswersFalseWhenMemoryRunsOut)
{
    for (const SettingsClassRow& row : SettingsClassTable) {
        void* object = reinterpret_cast<void*>(1);
        FailNothrowAllocations(true);
        const BOOLEAN made = CreateSettingsInstance(&row.interfaceId, &object);
        FailNothrowAllocations(false);
        EXPECT_EQ(made, FALSE) << row.kind;
        EXPECT_EQ(object, nullptr) << row.kind;
    }
    void* object = nullptr;
    ASSERT_EQ(CreateSettingsInstance(&kSettingsGuidStore, &object), TRUE);
    static_cast<INiraSettingsStore*>(object)->Release();
}

TEST(SettingsExport, LibraryEntryKeepsTheModuleForTheSettingsEngine)
{
    auto* self = reinterpret_cast<HINSTANCE>(0x1000);
    EXPECT_EQ(DllMain(self, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(GetLibraryModule(), self);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_SELF), self);
    EXPECT_EQ(DllMain(self, DLL_THREAD_ATTACH, nullptr), TRUE);
    EXPECT_EQ(GetLibraryModule(), self);

    // Only the low 16 bits of the reason count.
    EXPECT_EQ(DllMain(self, 0x10000 | DLL_PROCESS_DETACH, nullptr), TRUE);
    EXPECT_EQ(GetLibraryModule(), nullptr);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_SELF), nullptr);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT), nullptr);
}

}  // namespace
