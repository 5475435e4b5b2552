#include "DeviceInfoFixture.h"

#include <sqlite3.h>

#include <cstdio>

#include "nira/uiplugin/settings/client/DeviceSettings.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "support/SampleLibraryEnvironment.h"

#include "support/WString.h"

const WCHAR kUsbPrinter[] = TEXT("Nira Sample Inkjet");
const WCHAR kNetworkPrinter[] = TEXT("Nira Network Inkjet");
const WCHAR kNetworkPort[] = TEXT("IP_10.0.0.5");

INiraDeviceSettingsSource* DeviceSettings()
{
    static CNiraDeviceSettingsSource source;
    return &source;
}

namespace {

// nirauip is the settings engine of the USB provider's settings client, and the helper module is the
// one it binds, as the UI plug-in has them loaded.
class DeviceInfoEnvironment : public CSampleLibraryEnvironment {
public:
    DeviceInfoEnvironment()
        : CSampleLibraryEnvironment(CSampleDriverMachine::kEnglishUS, TEXT("nirasettings.dll"))
    {}

protected:
    void AddPrinters(nirasim::Machine& machine) override
    {
        machine.AddSamplePrinter(kUsbPrinter);
        machine.AddSamplePrinter(kNetworkPrinter, kNetworkPort);
    }
};

DeviceInfoEnvironment* g_environment =
    static_cast<DeviceInfoEnvironment*>(::testing::AddGlobalTestEnvironment(new DeviceInfoEnvironment));

LPWSTR Duplicate(const WString& text)
{
    auto* copy = static_cast<LPWSTR>(LocalAlloc(LPTR, (text.size() + 1) * sizeof(WCHAR)));
    if (copy != nullptr) {
        text.copy(copy, text.size());
    }
    return copy;
}

}  // namespace

nirasim::Machine& TestMachine()
{
    return g_environment->Machine();
}

PmlOidEntry* MakeObjectIdList(const std::vector<std::pair<WString, WString>>& entries)
{
    PmlOidEntry* head = nullptr;
    PmlOidEntry** tail = &head;
    for (const auto& entry : entries) {
        // Made inside an update, the list may meet an injected failure: then there is none, as
        // when the reader's own allocation fails.
        auto* node = static_cast<PmlOidEntry*>(LocalAlloc(LPTR, sizeof(PmlOidEntry)));
        if (node == nullptr) {
            CNiraPmlOidXml::FreeList(head);
            return nullptr;
        }
        *tail = node;
        tail = &node->next;
        node->name = Duplicate(entry.first);
        node->oid = Duplicate(entry.second);
        if (node->name == nullptr || node->oid == nullptr) {
            CNiraPmlOidXml::FreeList(head);
            return nullptr;
        }
    }
    return head;
}

void DeviceInfoTest::SetUp()
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, g_environment->Library());
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, g_environment->SecondModule());
    TestMachine().ClearJournals();
}

void DeviceInfoTest::TearDown()
{
    for (HANDLE printer : opened) {
        ClosePrinter(printer);
    }
    TestMachine().ClearFailures();
}

HANDLE DeviceInfoTest::OpenTestPrinter(const WString& name)
{
    HANDLE printer = nullptr;
    WString copy = name;
    if (!OpenPrinterW(copy.data(), &printer, nullptr)) {
        return nullptr;
    }
    opened.push_back(printer);
    return printer;
}

void DeviceInfoTest::InstallBidiPrinter(const WString& name, const WString& port, const std::string& rows)
{
    const std::string hostDatabase = TestMachine().Root() + "/" + nirasim::Utf8(name) + ".db";
    std::remove(hostDatabase.c_str());
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(hostDatabase.c_str(), &database), SQLITE_OK);
    std::string sql = "CREATE TABLE UI_BIDI_INFO (EAC INTEGER, DS INTEGER);";
    if (!rows.empty()) {
        sql += "INSERT INTO UI_BIDI_INFO (EAC, DS) VALUES " + rows + ";";
    }
    ASSERT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);

    const WString folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    ASSERT_TRUE(TestMachine().CopyIn(hostDatabase, folder + name + TEXT(".vdf")));
    ASSERT_TRUE(TestMachine().WriteFile(
        folder + name + TEXT(".ini"),
        "[ComponentFiles]\r\nNIRA_CAPABILITY_XML=" + nirasim::Utf8(name) + ".vdf\r\n"));
    InstallPrinterWithFiles(name, port, {TEXT("nirauip.dll"), name + TEXT(".ini")});
}

void DeviceInfoTest::InstallPrinterWithFiles(const WString& name, const WString& port,
                                             const std::vector<WString>& dependentFiles)
{
    nirasim::DriverSpec driver = nirasim::Machine::SamplePackageDriver();
    driver.name = name + TEXT(" Driver");
    driver.dependentFiles = dependentFiles;
    TestMachine().InstallDriver(driver);
    nirasim::PrinterSpec spec;
    spec.name = name;
    spec.portName = port;
    spec.driverName = driver.name;
    TestMachine().AddPrinter(spec);
}

WString DeviceInfoTest::PrinterGuid(const WString& printer)
{
    std::string bytes;
    DWORD type = 0;
    if (!TestMachine().GetPrinterData(printer, "ZQRestrictedUserGuid", bytes, &type, "ZQPresetRoot") ||
        type != REG_SZ) {
        return TEXT("");
    }
    WString text(bytes.size() / 2, TEXT('\0'));
    memcpy(&text[0], bytes.data(), text.size() * 2);
    return WString(text.c_str());
}

bool DeviceInfoTest::ReadAnswer(const WString& printer, const WString& name, DWORD* type, std::string* bytes)
{
    WString path = TEXT("Software\\Norvell-Ashby\\") + PrinterGuid(printer) + TEXT("\\ZQBIDIInfo");
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD size = 0;
    bool found = RegQueryValueExW(key, name.c_str(), nullptr, type, nullptr, &size) == ERROR_SUCCESS;
    if (found) {
        bytes->assign(size, '\0');
        found = size == 0 || RegQueryValueExW(key, name.c_str(), nullptr, type,
                                              reinterpret_cast<BYTE*>(&(*bytes)[0]), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return found;
}

std::string DeviceInfoTest::WideBytes(const WString& text)
{
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(WCHAR));
}

std::string DeviceInfoTest::DwordBytes(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof(value));
}
