#include "SettingsTestLibrary.h"

#include <memory>

#include "support/SampleDriverMachine.h"

namespace {

class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        sample = std::make_unique<CSampleDriverMachine>();
        library = sample->LoadDriverModule(TEXT("nirauip.dll"));
        // The presentation library exports no settings factory.
        withoutFactory = sample->LoadDriverModule(TEXT("nirapres.dll"));
        ASSERT_NE(library, nullptr);
        ASSERT_NE(withoutFactory, nullptr);
    }

    void TearDown() override { sample.reset(); }

    std::unique_ptr<CSampleDriverMachine> sample;
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
