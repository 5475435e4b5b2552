#include "SettingsTestLibrary.h"

#include <memory>
#include <string>

#include <nirasim/Machine.h>

namespace {

class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        const std::u16string folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
        library = LoadLibraryW((folder + TEXT("nirauip.dll")).c_str());
        withoutFactory = LoadLibraryW((folder + TEXT("nirapres.dll")).c_str());
        ASSERT_NE(library, nullptr);
        ASSERT_NE(withoutFactory, nullptr);
    }

    void TearDown() override
    {
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
        FreeLibrary(withoutFactory);
        FreeLibrary(library);
        machine.reset();
    }

    std::unique_ptr<nirasim::Machine> machine;
    HMODULE library = nullptr;
    HMODULE withoutFactory = nullptr;
};

LibraryEnvironment* g_environment =
    static_cast<LibraryEnvironment*>(::testing::AddGlobalTestEnvironment(new LibraryEnvironment));

}  // namespace

HMODULE LibraryModule()
{
    return g_environment->library;
}

HMODULE ModuleWithoutFactory()
{
    return g_environment->withoutFactory;
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
