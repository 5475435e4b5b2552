// A machine with the sample package and a printer, nirauip and the settings helper module loaded
// as the settings library finds them, and the simulated core driver open on the printer.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>
#include <nirasim/CoreDriver.h>

#include <memory>
#include <string>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nira/uiplugin/core/uicore/HandlerFactoryHook.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "support/SampleDriverMachine.h"
#include "support/WString.h"

class SyncTest : public ::testing::Test {
protected:
    static constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");

    void SetUp() override
    {
        sample = std::make_unique<CSampleDriverMachine>(CSampleDriverMachine::kEnglishUS);
        sample->Machine().AddSamplePrinter(kPrinter);
        HMODULE library = sample->LoadDriverModule(TEXT("nirauip.dll"));
        HMODULE helper = sample->LoadDriverModule(TEXT("nirasettings.dll"));
        ASSERT_NE(library, nullptr);
        ASSERT_NE(helper, nullptr);
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, library);
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, helper);
        SetDefaultHandlerFactory(&CreateFeatureHandler);
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
    }
    void TearDown() override
    {
        coreDriver.reset();
        ClosePrinter(printer);
        sample.reset();
    }

    nirasim::Machine& Machine() { return sample->Machine(); }
    nirasim::CoreDriverInstance& CoreDriver()
    {
        if (coreDriver == nullptr) {
            coreDriver = std::make_unique<nirasim::CoreDriver>(kPrinter);
        }
        return **coreDriver;
    }

    // The core driver's default DEVMODE, with the plug-in's section at its end.
    std::vector<BYTE> DefaultDevMode() { return CoreDriver().DefaultDevMode().devMode; }
    static DEVMODEW* PublicOf(std::vector<BYTE>& devMode)
    {
        return reinterpret_cast<DEVMODEW*>(devMode.data());
    }
    static PrivateDevMode* SectionOf(std::vector<BYTE>& devMode)
    {
        PrivateDevMode* section = nullptr;
        EXPECT_TRUE(FindPrivateDevMode(PublicOf(devMode), &section));
        return section;
    }

    // The printer's default settings packed into the DEVMODE's section, as an application's
    // DEVMODE carries them.
    void PackDefaults(std::vector<BYTE>& devMode)
    {
        CNiraUICore core;
        ASSERT_EQ(core.ConstructDriverState(printer, nullptr), 0);
        CNiraSettingsClient client;
        ASSERT_TRUE(client.Initialize(printer));
        CNiraDevModeSync sync;
        sync.SetClient(&client);
        ASSERT_TRUE(sync.StoreDefaults(SectionOf(devMode), &core));
    }

    static int Current(CNiraUISettings* settings, int featureId)
    {
        int option = 0;
        int isSet = 0;
        settings->GetCurrentOption(featureId, &option, &isSet);
        return option;
    }
    static void Force(CNiraUISettings* settings, int featureId, int optionId)
    {
        settings->ForceCurrentOption(&featureId, &optionId, 1);
    }

    std::unique_ptr<CSampleDriverMachine> sample;
    std::unique_ptr<nirasim::CoreDriver> coreDriver;
    HANDLE printer = nullptr;
};
