// nirauip's exported settings factory and library entry, linked in directly.
#include <gtest/gtest.h>

#include "nira/uiplugin/core/LibraryEntry.h"
#include "nira/uiplugin/core/SettingsExport.h"
#include "nira/uiplugin/settings/INiraSettingsStore.h"
#include "nira/uiplugin/settings/SettingsInstance.h"
#include "FailingAllocation.h"

namespace {

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
    ASSERT_EQ(CreateSettingsInstance(&SETTINGS_GUID_STORE, &object), TRUE);
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
