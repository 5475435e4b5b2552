// The registry feature store: the stored blob's layout and order, the round trip back into the UI
// settings, and what is (not) written when the printer, its preset root or the registry fail.
#include <windows.h>
#include <winspool.h>

#include "common/NiraStatus.h"
#include "CoreStubs.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/store/FeatureRegistryStore.h"

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include "support/WString.h"
#include <tuple>
#include <vector>

namespace {

const WCHAR* const kPrinter = TEXT("Studio Inkjet");
const WCHAR* const kGuid = TEXT("6f1c2a9e-0b7d-4e35-9a41-2c8d5e7f1b30");
const WString kStorePath = WString(TEXT("Software\\Norvell-Ashby\\")) + kGuid + TEXT("\\RegFeatureDataStore");

struct FeatureValues {
    int option;
    int optionState;
    int featureState;
};

// Answers the values of its table; a repeated read of one feature's option answers one more each
// time, so a test can tell which read a record holds.
class FakeSettings : public StubUISettings {
public:
    std::map<int, FeatureValues> values;
    std::map<int, int> optionReads;
    std::vector<std::string> calls;

    int GetCurrentOption(int id, int* opt, int* isSet) override
    {
        auto found = values.find(id);
        if (found == values.end()) {
            return NIRA_STATUS_FAILED;
        }
        *opt = found->second.option + optionReads[id]++;
        *isSet = 1;
        return 0;
    }
    int GetOptionState(int id, int, int* state) override
    {
        auto found = values.find(id);
        if (found == values.end()) {
            return NIRA_STATUS_FAILED;
        }
        *state = found->second.optionState;
        return 0;
    }
    int QueryFeatureState(int* id, int* state) override
    {
        auto found = values.find(*id);
        if (found == values.end()) {
            return NIRA_STATUS_NO_FEATURE;
        }
        *state = found->second.featureState;
        return 0;
    }
    int SetDisplayState(int id, int state) override
    {
        calls.push_back("display " + std::to_string(id) + " " + std::to_string(state));
        return 0;
    }
    int SetOptionState(int id, int opt, int state, int clearConflict) override
    {
        calls.push_back("optionState " + std::to_string(id) + " " + std::to_string(opt) + " " +
                        std::to_string(state) + " " + std::to_string(clearConflict));
        return 7;  // told apart from the other calls' answers
    }
};

class FakeServices : public StubCoreServices {
public:
    explicit FakeServices(std::vector<std::string>& log) : calls(log) {}
    WString printerName = kPrinter;
    std::vector<std::string>& calls;

    int GetPrinterName(WCHAR** buffer) override
    {
        if (buffer == nullptr || printerName.empty()) {
            return NIRA_STATUS_FAILED;
        }
        if (*buffer == nullptr) {
            *buffer = static_cast<WCHAR*>(LocalAlloc(LPTR, 260 * sizeof(WCHAR)));
        }
        std::copy(printerName.begin(), printerName.end(), *buffer);
        return 0;
    }
    int GetFeatureClassId(int id, int* classId) override
    {
        *classId = id + 1000;
        return 0;
    }
    int SetValue(int callerId, int* id, int* opt, int reason, int byUser, int clearUser,
                 int fromOwner) override
    {
        calls.push_back("value " + std::to_string(callerId) + " " + std::to_string(*id) + " " +
                        std::to_string(*opt) + " " + std::to_string(reason) + " " + std::to_string(byUser) +
                        std::to_string(clearUser) + std::to_string(fromOwner));
        return 0;
    }
};

std::string Wide(const WCHAR* text)
{
    WString wide(text);
    return std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(WCHAR));
}

std::vector<BYTE> Slot(DWORD value)
{
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

class FeatureRegistryStore : public ::testing::Test {
protected:
    nirasim::Machine machine;
    FakeSettings settings;
    FakeServices services{settings.calls};
    CNiraPtrList ids;

    void SetUp() override
    {
        nirasim::DriverSpec driver;
        driver.name = TEXT("Studio Driver");
        driver.driverFile = TEXT("unidrv.dll");
        driver.configFile = TEXT("unidrvui.dll");
        machine.InstallDriver(driver);
        nirasim::PrinterSpec printer;
        printer.name = kPrinter;
        printer.driverName = driver.name;
        machine.AddPrinter(printer);
        machine.SetPrinterData(kPrinter, "ZQRestrictedUserGuid", REG_SZ, Wide(kGuid), "ZQPresetRoot");
        settings.values = {{4114, {3, 1, 2}}, {4118, {2, 5, 1}}, {4123, {1, 0, 0}}};
    }

    void List(std::initializer_list<int> featureIds)
    {
        for (int id : featureIds) {
            ids.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(id)));
        }
    }

    int Save()
    {
        CNiraFeatureRegistryStore store;
        return store.Attach(&settings)->SaveFeatures(&ids, &services);
    }

    int Load(int count)
    {
        CNiraFeatureRegistryStore store;
        return store.Attach(&settings)->LoadFeatures(count, &services);
    }

    // The stored blob; false when there is none.
    bool Stored(std::vector<BYTE>& blob)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kStorePath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return false;
        }
        DWORD size = 0;
        DWORD type = 0;
        bool read =
            RegQueryValueExW(key, TEXT("RegFeatureStore"), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
        blob.assign(size, 0xCC);
        read = read && type == REG_BINARY &&
               RegQueryValueExW(key, TEXT("RegFeatureStore"), nullptr, nullptr, blob.data(), &size) ==
                   ERROR_SUCCESS;
        RegCloseKey(key);
        return read;
    }

    void Store(const std::vector<BYTE>& blob)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kStorePath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, TEXT("RegFeatureStore"), 0, REG_BINARY, blob.data(),
                                 static_cast<DWORD>(blob.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static std::vector<BYTE> Record(int id, int featureState, int option, int optionState)
    {
        std::vector<BYTE> bytes;
        for (int value : {id, featureState, option, optionState}) {
            for (BYTE b : Slot(static_cast<WORD>(value))) {
                bytes.push_back(b);
            }
        }
        return bytes;
    }
};

TEST_F(FeatureRegistryStore, StoresRecordsNewestIdFirstWithATrailer)
{
    List({4114, 4118, 4123});
    ASSERT_EQ(Save(), 0);
    std::vector<BYTE> blob;
    ASSERT_TRUE(Stored(blob));
    std::vector<BYTE> expected;
    for (const auto& record : {Record(4123, 0, 1, 0), Record(4118, 1, 2, 5), Record(4114, 2, 3, 1)}) {
        expected.insert(expected.end(), record.begin(), record.end());
    }
    expected.insert(expected.end(), 12, 0);
    EXPECT_EQ(blob.size(), 60u);
    EXPECT_EQ(blob, expected);
}

TEST_F(FeatureRegistryStore, ARepeatedIdKeepsItsFirstPlaceWithItsLastValues)
{
    List({4114, 4118, 4114});
    ASSERT_EQ(Save(), 0);
    std::vector<BYTE> blob;
    ASSERT_TRUE(Stored(blob));
    std::vector<BYTE> expected = Record(4118, 1, 2, 5);
    std::vector<BYTE> second = Record(4114, 2, 4, 1);  // the second read answers option 3 + 1
    expected.insert(expected.end(), second.begin(), second.end());
    expected.insert(expected.end(), 12, 0);
    EXPECT_EQ(blob, expected);
}

TEST_F(FeatureRegistryStore, AnEmptyListStillWritesTheTrailer)
{
    ASSERT_EQ(Save(), 0);
    std::vector<BYTE> blob;
    ASSERT_TRUE(Stored(blob));
    EXPECT_EQ(blob, std::vector<BYTE>(12, 0));
}

TEST_F(FeatureRegistryStore, NegativeValuesKeepTheirLowSixteenBits)
{
    settings.values = {{4114, {-1, -1, -1}}};
    List({4114});
    ASSERT_EQ(Save(), 0);
    std::vector<BYTE> blob;
    ASSERT_TRUE(Stored(blob));
    ASSERT_EQ(blob.size(), 28u);
    EXPECT_EQ(std::vector<BYTE>(blob.begin() + 4, blob.begin() + 8), (std::vector<BYTE>{0xFF, 0xFF, 0, 0}));
    BYTE* cursor = blob.data() + 4;
    EXPECT_EQ(CNiraFeatureRegistryStore::ReadInt32(cursor), 65535);
    EXPECT_EQ(cursor, blob.data() + 8);
}

TEST_F(FeatureRegistryStore, ReadInt32TakesFourBytesAndRefusesNegativeValues)
{
    const std::vector<std::pair<std::vector<BYTE>, int>> cases = {
        {{0x34, 0x12, 0, 0}, 0x1234}, {{0, 0, 1, 0}, 0x10000},       {{0xFF, 0xFF, 0xFF, 0x7F}, 0x7FFFFFFF},
        {{1, 0, 0, 0x80}, 0},         {{0xFF, 0xFF, 0xFF, 0xFF}, 0},
    };
    for (const auto& [bytes, value] : cases) {
        std::vector<BYTE> slot = bytes;
        BYTE* cursor = slot.data();
        EXPECT_EQ(CNiraFeatureRegistryStore::ReadInt32(cursor), value);
        EXPECT_EQ(cursor, slot.data() + 4);
    }
    BYTE* none = nullptr;
    EXPECT_EQ(CNiraFeatureRegistryStore::ReadInt32(none), 0);
    EXPECT_EQ(none, nullptr);
}

TEST_F(FeatureRegistryStore, LoadAppliesTheStoredRecordsInOrder)
{
    List({4114, 4118});
    ASSERT_EQ(Save(), 0);
    EXPECT_EQ(Load(5), 7);  // more than stored: stops after the last record
    EXPECT_EQ(settings.calls, (std::vector<std::string>{"value 5118 4118 2 5 000", "display 4118 1",
                                                        "optionState 4118 2 5 0", "value 5114 4114 3 1 000",
                                                        "display 4114 2", "optionState 4114 3 1 0"}));
    settings.calls.clear();
    EXPECT_EQ(Load(1), 7);
    EXPECT_EQ(settings.calls.size(), 3u);
}

TEST_F(FeatureRegistryStore, LoadWithCountZeroReadsButAppliesNothing)
{
    List({4114});
    ASSERT_EQ(Save(), 0);
    EXPECT_EQ(Load(0), 0);
    EXPECT_TRUE(settings.calls.empty());
}

TEST_F(FeatureRegistryStore, LoadNeverReadsPastAShortBlob)
{
    const std::vector<std::pair<std::vector<BYTE>, size_t>> cases = {
        {{}, 0},                        // empty value
        {std::vector<BYTE>(8, 0), 0},   // shorter than the trailer
        {Record(4114, 1, 2, 3), 0},     // one record, no trailer
        {std::vector<BYTE>(27, 0), 0},  // a record cut short
    };
    for (const auto& [blob, applied] : cases) {
        Store(blob);
        settings.calls.clear();
        EXPECT_EQ(Load(10), 0);
        EXPECT_EQ(settings.calls.size(), applied);
    }
}

TEST_F(FeatureRegistryStore, NothingStoredMeansLoadFails)
{
    EXPECT_EQ(Load(1), NIRA_STATUS_FAILED);
    EXPECT_TRUE(settings.calls.empty());
}

TEST_F(FeatureRegistryStore, WithoutPresetRootNothingIsWrittenOrRead)
{
    HKEY printers = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Studio Inkjet"), 0,
                            KEY_ALL_ACCESS, &printers),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeW(printers, TEXT("ZQPresetRoot")), ERROR_SUCCESS);
    RegCloseKey(printers);
    List({4114});
    EXPECT_EQ(Save(), NIRA_STATUS_FAILED);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("System"), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(Load(1), NIRA_STATUS_FAILED);
}

TEST_F(FeatureRegistryStore, RegistryFailuresAreReported)
{
    List({4114});
    // A GUID that could not be read is no absent GUID: the values would go under another key.
    for (const char* function : {"RegCreateKeyExW", "RegSetValueExW", "GetPrinterDataExW"}) {
        machine.FailCalls(function, ERROR_ACCESS_DENIED);
        EXPECT_EQ(Save(), NIRA_STATUS_FAILED) << function;
        machine.ClearFailures();
    }
    std::vector<BYTE> blob;
    EXPECT_FALSE(Stored(blob));
    HKEY root = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Norvell-Ashby\\RegFeatureDataStore"), 0,
                            KEY_QUERY_VALUE, &root),
              ERROR_SUCCESS);
}

TEST_F(FeatureRegistryStore, MissingListSettingsOrPrinter)
{
    CNiraFeatureRegistryStore unattached;
    List({4114});
    EXPECT_EQ(unattached.SaveFeatures(&ids, &services), 0);
    CNiraFeatureRegistryStore store;
    store.Attach(&settings);
    EXPECT_EQ(store.SaveFeatures(nullptr, &services), 0);
    EXPECT_EQ(store.SaveFeaturesByHandle(&ids, nullptr), NIRA_STATUS_FAILED);
    services.printerName = TEXT("No Such Printer");
    EXPECT_EQ(store.SaveFeatures(&ids, &services), NIRA_STATUS_FAILED);
    EXPECT_EQ(store.LoadFeatures(1, &services), NIRA_STATUS_FAILED);
    services.printerName.clear();
    EXPECT_EQ(store.SaveFeatures(&ids, &services), NIRA_STATUS_FAILED);
    std::vector<BYTE> blob;
    EXPECT_FALSE(Stored(blob));
}

TEST_F(FeatureRegistryStore, SavesByPrinterHandle)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, &defaults));
    List({4118});
    CNiraFeatureRegistryStore store;
    EXPECT_EQ(store.Attach(&settings)->SaveFeaturesByHandle(&ids, printer), 0);
    ClosePrinter(printer);
    std::vector<BYTE> blob;
    ASSERT_TRUE(Stored(blob));
    std::vector<BYTE> expected = Record(4118, 1, 2, 5);
    expected.insert(expected.end(), 12, 0);
    EXPECT_EQ(blob, expected);
}

}  // namespace
