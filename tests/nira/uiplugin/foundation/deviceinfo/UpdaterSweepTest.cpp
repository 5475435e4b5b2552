// The device-information updater with each of its injectable calls failing in turn: the answers it
// stores, and the servers it leaves registered, are those of the unfailed update, or the update
// reports the failure.
#include "DeviceInfoFixture.h"

#include <map>
#include <optional>
#include <utility>

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "support/FailureSweep.h"

namespace {

constexpr WCHAR kSweepPrinter[] = TEXT("Net Sweep");
constexpr WCHAR kSweepPort[] = TEXT("IP_10.2.0.1");
constexpr int kGuidChars = 39;
constexpr WCHAR kMgmtServerKey[] = TEXT("CLSID\\{5A5AA0AA-1DEB-4683-96B0-B43301E83971}");

struct Stored {
    DWORD type;
    std::string bytes;
    bool operator==(const Stored& other) const { return type == other.type && bytes == other.bytes; }
};

struct UpdateOutcome {
    std::map<WString, Stored> answers;
    bool serversLeftRegistered;
    bool operator==(const UpdateOutcome& other) const
    {
        return answers == other.answers && serversLeftRegistered == other.serversLeftRegistered;
    }
};

std::string Raw(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

// Every kind of answer the updater stores: prefixed texts, a number, a value the device does not
// answer, the memory size asked again without its instance, and the model name last.
const std::pair<WString, WString> kObjectIds[] = {
    {TEXT("Utf16"), TEXT("1.3.6.1.4.1.99.3.1")},
    {TEXT("Utf8"), TEXT("1.3.6.1.4.1.99.3.2")},
    {TEXT("Count"), TEXT("1.3.6.1.4.1.99.3.3")},
    {TEXT("prtMediaPathType2"), TEXT("1.3.6.1.4.1.99.3.4")},
    {TEXT("hrMemorySize"), TEXT("1.3.6.1.2.1.25.2.2.0")},
    {TEXT("MODEL_NAME"), TEXT("1.3.6.1.4.1.99.3.5")},
};

class UpdaterSweepTest : public DeviceInfoTest {
protected:
    void SetUp() override
    {
        DeviceInfoTest::SetUp();
        TestMachine().AddSamplePrinter(kSweepPrinter, kSweepPort);
        nirasim::network::AddDevice(kSweepPort);
        nirasim::network::SetAnswer(kSweepPort, TEXT("1.3.6.1.4.1.99.3.1"), NIRA_MGMT_TYPE_OCTETS,
                                    Raw({0x02, 0x4E, 'A', 0, 'B', 0}));
        nirasim::network::SetAnswer(kSweepPort, TEXT("1.3.6.1.4.1.99.3.2"), NIRA_MGMT_TYPE_STRING,
                                    Raw({0xFD, 0xE8, 0xC3, 0xA9, 'x'}));
        nirasim::network::SetAnswer(kSweepPort, TEXT("1.3.6.1.4.1.99.3.3"), NIRA_MGMT_TYPE_COUNTER,
                                    DwordBytes(7));
        nirasim::network::SetAnswer(kSweepPort, TEXT("1.3.6.1.2.1.25.2.2"), NIRA_MGMT_TYPE_INTEGER,
                                    DwordBytes(64));
        nirasim::network::SetAnswer(kSweepPort, TEXT("1.3.6.1.4.1.99.3.5"), NIRA_MGMT_TYPE_OCTETS,
                                    Raw({0x01, 0x15, 'S', 'a', 'm'}));
        printer = OpenTestPrinter(kSweepPrinter);
        ASSERT_NE(printer, nullptr);
    }

    // Opens an updater and updates, with the calls of both armed; what is stored afterwards.
    std::optional<UpdateOutcome> Run(CFailureSweep& sweep)
    {
        ForgetAnswers();
        ForgetServers();
        BOOL updated = FALSE;
        {
            CNiraPrinterAccess access(printer);
            ListUpdater updater(printer, &access);
            for (const auto& entry : kObjectIds) {
                updater.objectIds.push_back(entry);
            }
            updated = sweep.Armed([&] { return updater.Open() && updater.Update(0); });
        }
        if (!updated) {
            return std::nullopt;
        }
        UpdateOutcome outcome{{}, ServersRegistered()};
        for (const auto& entry : kObjectIds) {
            Stored stored{};
            if (ReadAnswer(kSweepPrinter, entry.first, &stored.type, &stored.bytes)) {
                outcome.answers[entry.first] = stored;
            }
        }
        Stored done{};
        if (ReadAnswer(kSweepPrinter, TEXT("DevSetUpdate"), &done.type, &done.bytes)) {
            outcome.answers[TEXT("DevSetUpdate")] = done;
        }
        return outcome;
    }

    void ForgetAnswers()
    {
        const WString guid = PrinterGuid(kSweepPrinter);
        if (!guid.empty()) {
            RegDeleteTreeW(HKEY_CURRENT_USER, (TEXT("Software\\Norvell-Ashby\\") + guid).c_str());
        }
    }

    // A run that could not unregister the servers leaves them to the next; each run starts without.
    static void ForgetServers()
    {
        for (const CLSID& server : {CLSID_NiraDeviceStatusProvider, CLSID_NiraMgmtConnection,
                                    CLSID_NiraMgmtRequest, CLSID_NiraObjectIdServer}) {
            WCHAR text[kGuidChars] = {};
            ASSERT_NE(StringFromGUID2(server, text, kGuidChars), 0);
            RegDeleteTreeW(HKEY_CLASSES_ROOT, (TEXT("CLSID\\") + WString(text)).c_str());
        }
    }

    static bool ServersRegistered()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kMgmtServerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    HANDLE printer = nullptr;
};

TEST_F(UpdaterSweepTest, FailedCallsAreReportedNeverLost)
{
    CFailureSweep::Sweep<UpdateOutcome>("device-information updater",
                                        [&](CFailureSweep& sweep) { return Run(sweep); });

    // The unfailed update stored every kind of answer the sweep is meant to cover.
    CFailureSweep unfailed;
    const std::optional<UpdateOutcome> outcome = Run(unfailed);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->serversLeftRegistered);
    const std::map<WString, Stored> expected = {
        {TEXT("Utf16"), {REG_SZ, WideBytes(TEXT("AB"))}},
        {TEXT("Utf8"), {REG_SZ, WideBytes(TEXT("\u00e9x"))}},
        {TEXT("Count"), {REG_DWORD, DwordBytes(7)}},
        {TEXT("prtMediaPathType2"), {REG_DWORD, DwordBytes(6400)}},
        {TEXT("hrMemorySize"), {REG_DWORD, DwordBytes(64)}},
        {TEXT("MODEL_NAME"), {REG_SZ, WideBytes(TEXT("Sam"))}},
        {TEXT("DevSetUpdate"), {REG_DWORD, DwordBytes(1)}},
    };
    EXPECT_TRUE(outcome->answers == expected);
}

}  // namespace
