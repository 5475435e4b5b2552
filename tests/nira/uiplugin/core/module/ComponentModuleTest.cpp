// The settings helper module named by the driver INI: loaded once for the process, told of the
// printer, serving the helper rows of the settings module table, freed at process detach.
#include <gtest/gtest.h>

#include <winspool.h>

#include <nirasim/Machine.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/module/ComponentModule.h"
#include "nira/uiplugin/core/module/LibraryEntry.h"
#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include "support/WString.h"

namespace {

typedef LONG (*TestHelperLoadCallsProc)(HANDLE* lastPrinter);

class ComponentModuleTest : public ::testing::Test {
protected:
    // A driver whose INI names `helperName` under Component_F_C, and a printer that uses it.
    void InstallPrinter(const std::string& iniComponentLine)
    {
        const WString folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
        ASSERT_TRUE(machine.CopyIn(NIRA_BUILD_DIR "/fixtures/niratesthelper.dll",
                                   folder + TEXT("niratesthelper.dll")));
        ASSERT_TRUE(machine.WriteFile(folder + TEXT("niratest.ini"),
                                      "[ComponentFiles]\r\n" + iniComponentLine + "\r\n"));
        ASSERT_TRUE(machine.WriteFile(folder + TEXT("niratest.dll"), ""));
        nirasim::DriverSpec driver;
        driver.name = TEXT("Nira Test Driver");
        driver.driverFile = TEXT("niratest.dll");
        driver.configFile = TEXT("niratest.dll");
        driver.dataFile = TEXT("niratest.ini");
        driver.dependentFiles = {TEXT("niratest.dll"), TEXT("niratest.ini")};
        machine.InstallDriver(driver);
        nirasim::PrinterSpec printerSpec;
        printerSpec.name = TEXT("Test Printer");
        printerSpec.driverName = driver.name;
        machine.AddPrinter(printerSpec);
        ASSERT_EQ(OpenPrinterW(const_cast<LPWSTR>(TEXT("Test Printer")), &printer, nullptr), TRUE);
    }

    void TearDown() override
    {
        // Process detach frees the helper module and forgets it.
        DllMain(nullptr, DLL_PROCESS_DETACH, nullptr);
        if (printer != nullptr) {
            ClosePrinter(printer);
        }
    }

    nirasim::Machine machine;
    HANDLE printer = nullptr;
};

TEST_F(ComponentModuleTest, HelperModuleIsLoadedOnceAndServesTheHelperRows)
{
    InstallPrinter("Component_F_C=niratesthelper.dll");
    void* object = nullptr;
    EXPECT_EQ(GetSettingsInstance(&kSettingsGuidHelperProvider, &object), FALSE);

    ASSERT_EQ(LoadComponentModule(printer), NIRA_STATUS_OK);
    HMODULE helper = GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT);
    ASSERT_NE(helper, nullptr);
    auto loadCalls = reinterpret_cast<TestHelperLoadCallsProc>(
        reinterpret_cast<void*>(GetProcAddress(helper, "TestHelperLoadCalls")));
    ASSERT_NE(loadCalls, nullptr);
    HANDLE told = nullptr;
    EXPECT_EQ(loadCalls(&told), 1);
    EXPECT_EQ(told, printer);

    EXPECT_EQ(LoadComponentModule(printer), NIRA_STATUS_OK);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT), helper);
    EXPECT_EQ(loadCalls(&told), 1);

    ASSERT_EQ(GetSettingsInstance(&kSettingsGuidHelperProvider, &object), TRUE);
    ASSERT_NE(object, nullptr);
    static_cast<INiraSettingsProvider*>(object)->Release();
    object = nullptr;
    EXPECT_EQ(GetSettingsInstance(&kSettingsGuidHelperObject, &object), FALSE);
    EXPECT_EQ(object, nullptr);

    DllMain(nullptr, DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT), nullptr);
    EXPECT_EQ(GetSettingsInstance(&kSettingsGuidHelperProvider, &object), FALSE);
}

TEST_F(ComponentModuleTest, MissingHelperModuleFailsCleanly)
{
    InstallPrinter("Component_F_C=absent.dll");
    EXPECT_EQ(LoadComponentModule(printer), NIRA_STATUS_FAILED);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT), nullptr);
    void* object = reinterpret_cast<void*>(5);
    EXPECT_EQ(GetSettingsInstance(&kSettingsGuidHelperProvider, &object), FALSE);
    EXPECT_EQ(object, reinterpret_cast<void*>(5));
}

TEST_F(ComponentModuleTest, IniWithoutTheKeyOrNoPrinterFails)
{
    InstallPrinter("NIRA_UI_DLL=nirapres.dll");
    EXPECT_EQ(LoadComponentModule(printer), NIRA_STATUS_FAILED);
    EXPECT_EQ(LoadComponentModule(nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT), nullptr);
}

}  // namespace
