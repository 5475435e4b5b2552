// The device-information updater against the package's device servers and a simulated network
// printer.
#include "DeviceInfoFixture.h"

#include <objbase.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"
#include "nira/uiplugin/foundation/deviceinfo/NetworkDeviceInfo.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include "support/WString.h"

namespace {

constexpr WCHAR kModelOid[] = TEXT("1.3.6.1.4.1.99.1.1");
constexpr WCHAR kMediaPathOid[] = TEXT("1.3.6.1.4.1.99.1.2");

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

}  // namespace

class DeviceInfoUpdaterTest : public DeviceInfoTest {
protected:
    void SetUp() override
    {
        DeviceInfoTest::SetUp();
        // Each test gets a device of its own on a port of its own.
        static int serial = 0;
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        printerName = TEXT("Net ") + nirasim::Wide(info->name());
        port = TEXT("IP_10.1.0.") + nirasim::Wide(std::to_string(++serial));
        TestMachine().AddSamplePrinter(printerName, port);
        nirasim::network::AddDevice(port);
        printer = OpenTestPrinter(printerName);
        ASSERT_NE(printer, nullptr);
        access = std::make_unique<CNiraPrinterAccess>(printer);
        updater = std::make_unique<ListUpdater>(printer, access.get());
        updater->objectIds = {{TEXT("MODEL_NAME"), kModelOid}, {TEXT("prtMediaPathType2"), kMediaPathOid}};
        nirasim::network::SetAnswer(port, kModelOid, NIRA_MGMT_TYPE_OCTETS,
                                    Bytes({0x01, 0x15, 'S', 'a', 'm'}));
    }

    void TearDown() override
    {
        updater.reset();
        access.reset();
        DeviceInfoTest::TearDown();
    }

    BOOL RunUpdate(int skipServerCheck = 0)
    {
        EXPECT_TRUE(updater->Open());
        return updater->Update(skipServerCheck);
    }

    std::string Answer(const WString& name, DWORD* type = nullptr)
    {
        DWORD stored = 0;
        std::string bytes;
        if (!ReadAnswer(printerName, name, &stored, &bytes)) {
            return "<absent>";
        }
        if (type != nullptr) {
            *type = stored;
        }
        return bytes;
    }

    bool Traced(const WString& line)
    {
        auto output = TestMachine().DebugOutput();
        return std::find(output.begin(), output.end(), line) != output.end();
    }

    WString printerName;
    WString port;
    HANDLE printer = nullptr;
    std::unique_ptr<CNiraPrinterAccess> access;
    std::unique_ptr<ListUpdater> updater;
};

TEST_F(DeviceInfoUpdaterTest, MissingOrEmptyGuidIsMadeWithoutBraces)
{
    EXPECT_EQ(PrinterGuid(printerName), TEXT(""));
    RunUpdate();
    WString first = PrinterGuid(printerName);
    ASSERT_EQ(first.size(), 36u);
    EXPECT_EQ(first.find_first_of(TEXT("{}")), WString::npos);
    EXPECT_EQ(first[8], TEXT('-'));
    EXPECT_EQ(first[23], TEXT('-'));

    // Once written, it stays.
    RunUpdate();
    EXPECT_EQ(PrinterGuid(printerName), first);

    // An empty value is replaced.
    TestMachine().SetPrinterData(printerName, "ZQRestrictedUserGuid", REG_SZ, WideBytes(TEXT("")),
                                 "ZQPresetRoot");
    RunUpdate();
    WString second = PrinterGuid(printerName);
    EXPECT_EQ(second.size(), 36u);
    EXPECT_NE(second, first);
}

TEST_F(DeviceInfoUpdaterTest, CompleteUpdateStoresAnswersAndMarksIt)
{
    EXPECT_EQ(RunUpdate(), TRUE);
    DWORD type = 0;
    EXPECT_EQ(Answer(TEXT("MODEL_NAME"), &type), WideBytes(TEXT("Sam")));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // Not answered: no duplex path.
    EXPECT_EQ(Answer(TEXT("prtMediaPathType2"), &type), DwordBytes(6400));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Answer(TEXT("DevSetUpdate"), &type), DwordBytes(1));
    int installed = -1;
    EXPECT_EQ(updater->GetDuplexUnit(&installed), TRUE);
    EXPECT_EQ(installed, 0);

    nirasim::network::SetAnswer(port, kMediaPathOid, NIRA_MGMT_TYPE_INTEGER, DwordBytes(3));
    EXPECT_EQ(RunUpdate(), TRUE);
    EXPECT_EQ(Answer(TEXT("prtMediaPathType2")), DwordBytes(3));
    EXPECT_EQ(updater->GetDuplexUnit(&installed), TRUE);
    EXPECT_EQ(installed, 1);
}

TEST_F(DeviceInfoUpdaterTest, ServersAreRegisteredOnlyWhileUpdating)
{
    EXPECT_EQ(RunUpdate(), TRUE);
    for (const WCHAR* file : {TEXT("nirastatusps.dll"), TEXT("nirastatus.dll"), TEXT("niramgmt.dll"),
                              TEXT("niraqueryps.dll"), TEXT("niraquery.dll")}) {
        EXPECT_TRUE(Traced(WString(file) + TEXT(": registered"))) << nirasim::Utf8(file);
        EXPECT_TRUE(Traced(WString(file) + TEXT(": unregistered"))) << nirasim::Utf8(file);
    }
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, TEXT("CLSID\\{5A5AA0AA-1DEB-4683-96B0-B43301E83971}"), 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    void* object = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    EXPECT_EQ(CoCreateInstance(CLSID_NiraMgmtConnection, nullptr, kDeviceServerContext,
                               IID_INiraMgmtConnection, &object),
              REGDB_E_CLASSNOTREG);
    CoUninitialize();

    // With the servers left registered by someone else, skipping the check still works.
    TestMachine().ClearJournals();
    EXPECT_EQ(RunUpdate(1), FALSE);  // nothing registered: the device cannot be asked
    EXPECT_FALSE(Traced(TEXT("nirastatusps.dll: registered")));
}

TEST_F(DeviceInfoUpdaterTest, RequestsCarryAtMostTwentyIds)
{
    updater->objectIds.clear();
    for (int i = 0; i < 21; ++i) {
        WString oid = TEXT("1.3.6.1.4.1.99.2.") + nirasim::Wide(std::to_string(i));
        updater->objectIds.push_back({TEXT("V") + nirasim::Wide(std::to_string(i)), oid});
        nirasim::network::SetAnswer(port, oid, NIRA_MGMT_TYPE_STRING, "x");
    }
    EXPECT_EQ(RunUpdate(), TRUE);  // no MODEL_NAME: every value readable is enough
    EXPECT_EQ(nirasim::network::RequestSizes(port), (std::vector<DWORD>{20, 1}));
    EXPECT_EQ(Answer(TEXT("V20")), WideBytes(TEXT("x")));
}

TEST_F(DeviceInfoUpdaterTest, AnswersAreStoredByPrefixAndType)
{
    struct StoreCase {
        const WCHAR* name;
        BYTE type;
        std::string bytes;
        DWORD storedType;
        std::string stored;
    };
    const std::string placeholder = WideBytes(TEXT(" "));
    const StoreCase cases[] = {
        {TEXT("Utf16"), 0, Bytes({0x02, 0x4E, 'A', 0, 'B', 0}), REG_SZ, WideBytes(TEXT("AB"))},
        {TEXT("Ascii"), 4, Bytes({0x01, 0x0B, 'H', 'i', 0}), REG_SZ, WideBytes(TEXT("Hi"))},
        {TEXT("Utf8"), 5, Bytes({0xFD, 0xE8, 0xC3, 0xA9, 'x'}), REG_SZ, WideBytes(TEXT("\u00e9x"))},
        {TEXT("Plain"), 0, "plain", REG_SZ, WideBytes(TEXT("plain"))},
        {TEXT("MEDIA-NAMES-AVAILABLE"), 0, "plain", REG_BINARY, "plain"},
        {TEXT("Unprintable"), 0, Bytes({0x7F, 0x01}), REG_SZ, WideBytes(TEXT("\x7f\x01"))},
        {TEXT("Empty"), 4, "", REG_SZ, WideBytes(TEXT(""))},
        {TEXT("Integer"), 1, DwordBytes(7), REG_DWORD, DwordBytes(7)},
        {TEXT("Unsigned"), 8, DwordBytes(0x10000), REG_DWORD, DwordBytes(0x10000)},
        {TEXT("ShortCounter"), 2, Bytes({1, 2}), REG_SZ, placeholder},
        {TEXT("OtherType"), 9, "abc", REG_SZ, placeholder},
        // Within the answer limit as bytes, beyond it once widened: never stored unreadable.
        {TEXT("LongText"), 0, std::string(40000, 'A'), REG_SZ, placeholder},
    };
    int index = 0;
    for (const StoreCase& test : cases) {
        WString oid = TEXT("1.3.6.1.4.1.99.3.") + nirasim::Wide(std::to_string(index++));
        updater->objectIds.push_back({test.name, oid});
        nirasim::network::SetAnswer(port, oid, test.type, test.bytes);
    }
    EXPECT_EQ(RunUpdate(), TRUE);
    for (const StoreCase& test : cases) {
        SCOPED_TRACE(nirasim::Utf8(test.name));
        DWORD type = 0;
        EXPECT_EQ(Answer(test.name, &type), test.stored);
        EXPECT_EQ(type, test.storedType);
    }
}

TEST_F(DeviceInfoUpdaterTest, MemorySizeIsAskedAgainWithoutItsInstance)
{
    updater->objectIds.push_back({TEXT("hrMemorySize"), TEXT("1.3.6.1.2.1.25.2.2.0")});
    nirasim::network::SetAnswer(port, TEXT("1.3.6.1.2.1.25.2.2"), NIRA_MGMT_TYPE_INTEGER, DwordBytes(65536));
    EXPECT_EQ(RunUpdate(), TRUE);
    EXPECT_EQ(Answer(TEXT("hrMemorySize")), DwordBytes(65536));
    std::vector<WString> asked = nirasim::network::RequestedIds(port);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), TEXT("1.3.6.1.2.1.25.2.2"));
}

TEST_F(DeviceInfoUpdaterTest, ModelNameStillBlankMeansNoCompleteSet)
{
    nirasim::network::SetAnswer(port, kModelOid, NIRA_MGMT_TYPE_OCTETS, "");  // answered, but empty
    updater->objectIds = {{TEXT("Other"), TEXT("1.3.6.1.4.1.99.4.1")},
                          {TEXT("MODEL_NAME"), TEXT("1.3.6.1.4.1.99.4.2")}};
    EXPECT_EQ(RunUpdate(), FALSE);
    EXPECT_EQ(Answer(TEXT("MODEL_NAME")), WideBytes(TEXT(" ")));
    EXPECT_EQ(Answer(TEXT("DevSetUpdate")), "<absent>");
}

// The handlers trust "DevSetUpdate": an update that had no list to ask, or whose every request went
// unanswered, stored nothing of the device and must not mark the set complete.
TEST_F(DeviceInfoUpdaterTest, UpdateWithoutListOrAnswersIsNotComplete)
{
    const struct {
        const char* name;
        std::vector<std::pair<WString, WString>> objectIds;
    } cases[] = {
        {"list empty or unreadable", {}},
        {"no answer, no model name", {{TEXT("Other"), TEXT("1.3.6.1.4.1.99.5.1")}}},
        {"no answer, only the duplex path", {{TEXT("prtMediaPathType2"), kMediaPathOid}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        updater->objectIds = c.objectIds;
        EXPECT_EQ(RunUpdate(), FALSE);
        EXPECT_EQ(Answer(TEXT("DevSetUpdate")), "<absent>");
    }

    // One answered value of a list without the model name is a complete set.
    nirasim::network::SetAnswer(port, TEXT("1.3.6.1.4.1.99.5.1"), NIRA_MGMT_TYPE_STRING, "x");
    updater->objectIds = {{TEXT("Other"), TEXT("1.3.6.1.4.1.99.5.1")},
                          {TEXT("Unanswered"), TEXT("1.3.6.1.4.1.99.5.2")}};
    EXPECT_EQ(RunUpdate(), TRUE);
    EXPECT_EQ(Answer(TEXT("DevSetUpdate")), DwordBytes(1));
    EXPECT_EQ(Answer(TEXT("Unanswered")), WideBytes(TEXT(" ")));
}

TEST_F(DeviceInfoUpdaterTest, UnsupportedDeviceGetsNoAnswers)
{
    nirasim::network::AddDevice(port, false);
    EXPECT_EQ(RunUpdate(), FALSE);
    EXPECT_EQ(Answer(TEXT("MODEL_NAME")), "<absent>");
    EXPECT_TRUE(Traced(TEXT("niraquery.dll: unregistered")));
}

TEST_F(DeviceInfoUpdaterTest, ServerFilesMustShipInOneForm)
{
    // Neither form of the object-id server: nothing is registered or written.
    InstallPrinterWithFiles(TEXT("No Query Server"), port,
                            {TEXT("nirauip.dll"), TEXT("nirasmpl.ini"), TEXT("nirastatusps.dll"),
                             TEXT("nirastatus.dll"), TEXT("niramgmt.dll"), TEXT("niraqueryps.dll")});
    HANDLE other = OpenTestPrinter(TEXT("No Query Server"));
    CNiraPrinterAccess otherAccess(other);
    ListUpdater incomplete(other, &otherAccess);
    incomplete.objectIds = updater->objectIds;
    ASSERT_TRUE(incomplete.Open());
    EXPECT_EQ(incomplete.Update(0), FALSE);
    EXPECT_FALSE(Traced(TEXT("nirastatusps.dll: registered")));
}

TEST_F(DeviceInfoUpdaterTest, ExecutableServerIsNotRegisteredAsDll)
{
    // The package ships the status server as a program next to its DLL. The program is not
    // running here, so only its proxy/stub is registered and the class cannot be made.
    const WString folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    ASSERT_TRUE(TestMachine().WriteFile(folder + TEXT("nirastatus.exe"), "program"));
    std::vector<WString> files = nirasim::Machine::SamplePackageDriver().dependentFiles;
    for (const WCHAR* file : {TEXT("nirastatus.exe"), TEXT("nirastatusps.dll"), TEXT("nirastatus.dll"),
                              TEXT("niramgmt.dll"), TEXT("niraqueryps.dll"), TEXT("niraquery.dll")}) {
        files.push_back(file);
    }
    InstallPrinterWithFiles(TEXT("Status Program"), port, files);
    HANDLE other = OpenTestPrinter(TEXT("Status Program"));
    CNiraPrinterAccess otherAccess(other);
    ListUpdater withProgram(other, &otherAccess);
    withProgram.objectIds = updater->objectIds;
    ASSERT_TRUE(withProgram.Open());
    EXPECT_EQ(withProgram.Update(0), FALSE);
    EXPECT_TRUE(Traced(TEXT("nirastatusps.dll: registered")));
    EXPECT_FALSE(Traced(TEXT("nirastatus.dll: registered")));
    EXPECT_TRUE(Traced(TEXT("nirastatusps.dll: unregistered")));  // what it registered it takes back

    // With the program running (its class object registered), the update goes through and
    // registers nothing for the status server.
    TestMachine().ClearJournals();
    HMODULE server = LoadLibraryW(TEXT("C:\\Windows\\System32\\nirastatus.dll"));
    ASSERT_NE(server, nullptr);
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(
        reinterpret_cast<void*>(GetProcAddress(server, "DllGetClassObject")));
    IUnknown* factory = nullptr;
    ASSERT_EQ(
        getClassObject(CLSID_NiraDeviceStatusProvider, IID_IUnknown, reinterpret_cast<void**>(&factory)),
        S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_NiraDeviceStatusProvider, factory, CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    EXPECT_EQ(withProgram.Update(0), TRUE);
    EXPECT_FALSE(Traced(TEXT("nirastatusps.dll: registered")));
    EXPECT_TRUE(Traced(TEXT("niramgmt.dll: registered")));
    CoRevokeClassObject(cookie);
    factory->Release();
    FreeLibrary(server);
}

TEST_F(DeviceInfoUpdaterTest, DuplexUnitReadsShortValuesSafely)
{
    RunUpdate();
    const WString path = TEXT("Software\\Norvell-Ashby\\") + PrinterGuid(printerName) + TEXT("\\ZQBIDIInfo");
    struct DuplexCase {
        DWORD type;
        std::string bytes;
        int installed;
    };
    const DuplexCase cases[] = {
        {REG_DWORD, DwordBytes(6400), 0},   {REG_SZ, WideBytes(TEXT(" ")), 0}, {REG_DWORD, DwordBytes(32), 0},
        {REG_BINARY, Bytes({0x05}), 1},     {REG_SZ, WideBytes(TEXT("")), 1},  {REG_DWORD, DwordBytes(2), 1},
        {REG_SZ, WideBytes(TEXT("  ")), 1},
    };
    for (const DuplexCase& test : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, TEXT("prtMediaPathType2"), 0, test.type,
                       reinterpret_cast<const BYTE*>(test.bytes.data()),
                       static_cast<DWORD>(test.bytes.size()));
        RegCloseKey(key);
        int installed = -1;
        EXPECT_EQ(updater->GetDuplexUnit(&installed), TRUE);
        EXPECT_EQ(installed, test.installed) << test.bytes.size();
    }
}

TEST_F(DeviceInfoUpdaterTest, OpenBalancesComOnItsThread)
{
    std::thread worker([&] {
        // A thread already in a single-threaded apartment keeps it.
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        {
            ListUpdater other(printer, access.get());
            EXPECT_EQ(other.Open(), TRUE);
        }
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);  // still initialised
        CoUninitialize();
        CoUninitialize();

        // An updater undoes its own initialisation when it goes.
        {
            ListUpdater other(printer, access.get());
            EXPECT_EQ(other.Open(), TRUE);
            EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
            CoUninitialize();
        }
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CoUninitialize();

        // A printer that cannot be opened: no update, COM left as found.
        TestMachine().FailCalls("OpenPrinterW", ERROR_ACCESS_DENIED);
        {
            ListUpdater other(printer, access.get());
            EXPECT_EQ(other.Open(), FALSE);
        }
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        CoUninitialize();
    });
    worker.join();
}

TEST_F(DeviceInfoUpdaterTest, NetworkProviderAnswersDuplexUnitAndSerialNumber)
{
    RunUpdate();  // makes the GUID and the answer key
    CNiraNetworkDeviceInfo provider(printer);
    int value = -1;
    EXPECT_EQ(provider.QueryDuplexUnit(4221, &value), 1);
    EXPECT_EQ(value, 0);  // "prtMediaPathType2" is 6400
    EXPECT_EQ(provider.QueryDuplexUnit(4308, &value), 0);

    // A refresh with an unknown serial number takes it from the device status.
    TestMachine().SetPrinterString(printerName, "SerialNumber", "<unavailable>");
    TestMachine().SetPrinterData(printerName, "ZQSTSSTR", REG_BINARY, "MFG:Nira;SN:NET42;");
    provider.Refresh(printer);
    std::string serial;
    ASSERT_TRUE(TestMachine().GetPrinterData(printerName, "SerialNumber", serial));
    EXPECT_EQ(serial, WideBytes(TEXT("NET42")));
}

TEST_F(DeviceInfoTest, NetworkRefreshAsksForThePackagesObjectIdList)
{
    HANDLE printer = OpenTestPrinter(kNetworkPrinter);
    ASSERT_NE(printer, nullptr);
    nirasim::network::AddDevice(kNetworkPort);
    nirasim::network::SetAnswer(kNetworkPort, TEXT("1.3.6.1.4.1.32473.2.3.9.4.2.1.1.3.3.0"),
                                NIRA_MGMT_TYPE_OCTETS, "Nira Sample Inkjet");
    nirasim::network::SetAnswer(kNetworkPort, TEXT("1.3.6.1.2.1.43.13.4.1.9.1.2"), NIRA_MGMT_TYPE_INTEGER,
                                DwordBytes(4));
    CNiraNetworkDeviceInfo provider(printer);
    EXPECT_EQ(provider.Refresh(printer), 1);

    std::vector<WString> asked = nirasim::network::RequestedIds(kNetworkPort);
    ASSERT_GE(asked.size(), 7u);
    EXPECT_EQ(asked[0], TEXT("1.3.6.1.4.1.32473.2.3.9.4.2.1.1.3.3.0"));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(ReadAnswer(kNetworkPrinter, TEXT("MODEL_NAME"), &type, &bytes));
    EXPECT_EQ(bytes, WideBytes(TEXT("Nira Sample Inkjet")));
    ASSERT_TRUE(ReadAnswer(kNetworkPrinter, TEXT("SERIAL_NUMBER"), &type, &bytes));
    EXPECT_EQ(bytes, WideBytes(TEXT(" ")));  // not answered
    int installed = -1;
    EXPECT_EQ(provider.QueryDuplexUnit(4221, &installed), 1);
    EXPECT_EQ(installed, 1);
}
