// Settings objects by GUID: nirauip's exported factory and the module table behind
// GetSettingsInstance, through nirauip loaded on the simulated machine.
#include <gtest/gtest.h>

#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "SettingsTestLibrary.h"

namespace {

class SettingsInstanceTest : public SettingsLibraryTest {
protected:
    CreateSettingsInstanceProc Factory()
    {
        FARPROC proc = GetProcAddress(LibraryModule(), SETTINGS_FACTORY_EXPORT);
        return reinterpret_cast<CreateSettingsInstanceProc>(reinterpret_cast<void*>(proc));
    }
};

// Each own kind is recognised by what only its class does.
void ExpectStore(void* object)
{
    auto* store = static_cast<INiraSettingsStore*>(object);
    ASSERT_EQ(store->Allocate(), TRUE);
    void* data = nullptr;
    DWORD size = 0;
    DWORD count = 0;
    ASSERT_EQ(store->GetArrayInfo(SETTING_ARRAY_INT, &data, &size, &count), TRUE);
    EXPECT_EQ(count, kSettingIntCount);
    store->Release();
}

void ExpectMask(void* object)
{
    auto* mask = static_cast<INiraSettingsMask*>(object);
    ASSERT_EQ(mask->Allocate(), TRUE);
    EXPECT_EQ(mask->GetInfo()->kinds[SETTING_ARRAY_INT].size, 257u);
    mask->Release();
}

void ExpectManager(void* object)
{
    auto* manager = static_cast<INiraSettingsAccess*>(object);
    EXPECT_EQ(manager->GetStore(), nullptr);
    ASSERT_EQ(manager->Attach(manager, nullptr, nullptr), TRUE);
    ASSERT_NE(manager->GetStore(), nullptr);
    ASSERT_EQ(manager->SetInt(7, 70, 1), TRUE);
    LONG value = 0;
    ASSERT_EQ(manager->GetInt(7, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 70);
    manager->Release();
}

TEST_F(SettingsInstanceTest, ExportedFactoryMakesTheKindOfEachOwnGuid)
{
    CreateSettingsInstanceProc create = Factory();
    ASSERT_NE(create, nullptr);
    struct Row {
        const GUID* id;
        void (*expect)(void*);
    };
    const Row rows[] = {{&kSettingsGuidStore, ExpectStore},
                        {&kSettingsGuidMask, ExpectMask},
                        {&kSettingsGuidManager, ExpectManager}};
    for (const Row& row : rows) {
        void* object = reinterpret_cast<void*>(1);
        ASSERT_EQ(create(row.id, &object), TRUE);
        ASSERT_NE(object, nullptr);
        row.expect(object);
    }
    // The provider kinds: an object when their class is in the library, else a clean refusal.
    for (const SettingsClassRow& row : SettingsClassTable) {
        if (row.kind < SETTINGS_KIND_FIELD_ADAPTER) {
            continue;
        }
        void* object = reinterpret_cast<void*>(1);
        const BOOLEAN made = create(&row.interfaceId, &object);
        EXPECT_EQ(made == TRUE, object != nullptr) << row.kind;
        if (made == TRUE) {
            static_cast<INiraSettingsProvider*>(object)->Release();
        }
    }
}

TEST_F(SettingsInstanceTest, ExportedFactoryRefusesUnknownGuidsAndNullOut)
{
    CreateSettingsInstanceProc create = Factory();
    ASSERT_NE(create, nullptr);
    const GUID unknown = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(create(&unknown, &object), FALSE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(create(&kSettingsGuidHelperProvider, &object), FALSE);  // served by the helper module
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(create(&kSettingsGuidStore, nullptr), FALSE);
}

TEST_F(SettingsInstanceTest, ModuleTableSendsOwnGuidsToTheOwnModule)
{
    void* object = nullptr;
    ASSERT_EQ(GetSettingsInstance(&kSettingsGuidMask, &object), TRUE);
    ExpectMask(object);
    ASSERT_EQ(GetSettingsInstance(&kSettingsGuidStore, nullptr), FALSE);

    const GUID unknown = {0xDEADBEEF, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    object = reinterpret_cast<void*>(5);
    EXPECT_EQ(GetSettingsInstance(&unknown, &object), FALSE);
    EXPECT_EQ(object, reinterpret_cast<void*>(5));  // never written by the lookup itself

    // Without its own module nothing is served.
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    object = nullptr;
    EXPECT_EQ(GetSettingsInstance(&kSettingsGuidMask, &object), FALSE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(SettingsInstanceTest, HelperRowsFailCleanlyWithoutTheHelperModule)
{
    for (const GUID* id : {&kSettingsGuidHelperProvider, &kSettingsGuidHelperObject}) {
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
        void* object = reinterpret_cast<void*>(5);
        EXPECT_EQ(GetSettingsInstance(id, &object), FALSE);
        EXPECT_EQ(object, reinterpret_cast<void*>(5));

        // A module without the factory export serves nothing either.
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, ModuleWithoutFactory());
        EXPECT_EQ(GetSettingsInstance(id, &object), FALSE);
        EXPECT_EQ(object, reinterpret_cast<void*>(5));

        // A module whose factory does not know the GUID answers for itself.
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, LibraryModule());
        object = nullptr;
        EXPECT_EQ(GetSettingsInstance(id, &object), FALSE);
        EXPECT_EQ(object, nullptr);
    }
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
}

}  // namespace
