#include "SettingsClientFixture.h"

#include <sqlite3.h>

#include <cstdio>
#include <vector>

#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "support/SampleLibraryEnvironment.h"

#include "support/WString.h"

const WCHAR kSamplePrinter[] = TEXT("Nira Sample Inkjet");

namespace {

class ClientEnvironment : public CSampleLibraryEnvironment {
public:
    ClientEnvironment()
        : CSampleLibraryEnvironment(CSampleDriverMachine::kEnglishUS, TEXT("nirasettings.dll"))
    {}

protected:
    void AddPrinters(nirasim::Machine& machine) override { machine.AddSamplePrinter(kSamplePrinter); }
};

ClientEnvironment* g_environment =
    static_cast<ClientEnvironment*>(::testing::AddGlobalTestEnvironment(new ClientEnvironment));

}  // namespace

nirasim::Machine& TestMachine()
{
    return g_environment->Machine();
}

HMODULE SettingsLibrary()
{
    return g_environment->Library();
}

HMODULE HelperModule()
{
    return g_environment->SecondModule();
}

void InstallPrinterWithDatabase(const WString& printer, const std::string& sql)
{
    const std::string name = nirasim::Utf8(printer);
    const std::string hostDatabase = TestMachine().Root() + "/" + name + ".db";
    std::remove(hostDatabase.c_str());
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(hostDatabase.c_str(), &database), SQLITE_OK);
    char* error = nullptr;
    const int result = sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(database);
    ASSERT_EQ(result, SQLITE_OK) << message;

    const WString folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    const WString databaseFile = printer + TEXT(".vdf");
    const WString iniFile = printer + TEXT(".ini");
    ASSERT_TRUE(TestMachine().CopyIn(hostDatabase, folder + databaseFile));
    ASSERT_TRUE(TestMachine().WriteFile(
        folder + iniFile, "[ComponentFiles]\r\nNIRA_CAPABILITY_XML=" + nirasim::Utf8(databaseFile) + "\r\n"));
    nirasim::DriverSpec driver = nirasim::Machine::SamplePackageDriver();
    driver.name = printer + TEXT(" Driver");
    driver.dependentFiles = {TEXT("nirauip.dll"), iniFile};
    TestMachine().InstallDriver(driver);
    nirasim::PrinterSpec spec;
    spec.name = printer;
    spec.driverName = driver.name;
    TestMachine().AddPrinter(spec);
}

void SettingsClientTest::SetUp()
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, SettingsLibrary());
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, HelperModule());
    printer = OpenTestPrinter(kSamplePrinter);
    ASSERT_NE(printer, nullptr);
}

void SettingsClientTest::TearDown()
{
    if (printer != nullptr) {
        ClosePrinter(printer);
    }
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, HelperModule());
}

HANDLE SettingsClientTest::OpenTestPrinter(const WString& name)
{
    HANDLE opened = nullptr;
    WString copy = name;
    return OpenPrinterW(copy.data(), &opened, nullptr) ? opened : nullptr;
}

std::unique_ptr<SampleUISettings> SettingsClientTest::SampleSettings()
{
    const WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\niracap.vdf");
    auto sample = LoadSampleUISettings(path.c_str());
    EXPECT_NE(sample, nullptr);
    return sample;
}

void SettingsClientTest::Select(CNiraUISettings& ui, int feature, int option)
{
    ASSERT_EQ(ui.ForceCurrentOption(&feature, &option, 1), 0) << feature << " " << option;
}

void SettingsClientTest::Fill(CNiraSettingsClient& client, CNiraUISettings& ui, BYTE useDefaults)
{
    ASSERT_EQ(client.Initialize(printer), TRUE);
    ASSERT_EQ(client.CopyFromUISettings(&ui, useDefaults), TRUE);
}
