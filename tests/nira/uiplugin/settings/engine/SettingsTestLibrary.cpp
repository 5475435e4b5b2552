#include "SettingsTestLibrary.h"

#include "support/SampleLibraryEnvironment.h"

namespace {

// No printer, the machine's own UI language; the presentation library exports no settings factory.
CSampleLibraryEnvironment* g_environment =
    static_cast<CSampleLibraryEnvironment*>(::testing::AddGlobalTestEnvironment(
        new CSampleLibraryEnvironment(CSampleDriverMachine::kDefaultLanguage, TEXT("nirapres.dll"))));

}  // namespace

HMODULE LibraryModule()
{
    return g_environment->Library();
}

HMODULE ModuleWithoutFactory()
{
    return g_environment->SecondModule();
}

void SettingsLibraryTest::SetUp()
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, LibraryModule());
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
}

void SettingsLibraryTest::TearDown()
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, LibraryModule());
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
}
