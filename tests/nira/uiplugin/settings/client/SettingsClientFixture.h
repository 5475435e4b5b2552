// A simulated machine with the sample package and a printer, nirauip loaded as the settings
// library and the package's settings helper module loaded as the component module; a UI settings
// object filled from the sample capability database; and small capability databases of a test's
// own, installed as the database of a further printer.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <string>
#include "support/WString.h"

#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nirasim/Machine.h"
#include "support/SampleUISettings.h"

extern const WCHAR kSamplePrinter[];

nirasim::Machine& TestMachine();
HMODULE SettingsLibrary();
HMODULE HelperModule();

// Installs a driver whose INI names `databaseFile` (copied from the host path `sqlFile` built
// into a database) as its capability database, and a printer of that name using it.
void InstallPrinterWithDatabase(const WString& printer, const std::string& sql);

class SettingsClientTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HANDLE OpenTestPrinter(const WString& name);
    // The sample UI settings, with the option of each (feature, option) pair selected.
    std::unique_ptr<SampleUISettings> SampleSettings();
    static void Select(CNiraUISettings& ui, int feature, int option);
    // Initialize on the printer, then CopyFromUISettings.
    void Fill(CNiraSettingsClient& client, CNiraUISettings& ui, BYTE useDefaults = 0);

    HANDLE printer = nullptr;
};
