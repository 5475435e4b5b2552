// The DMC core with each of its injectable calls failing in turn, the library's DOM reads included:
// a capture gives the unfailed capture's values, display states, snapshot and saved features, or
// reports the failure.
#include "nira/uiplugin/foundation/dmc/NiraDmcCore.h"

#include "support/FailureSweep.h"
#include "tests/nira/uiplugin/foundation/dmc/DmcFixture.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

const WString kUserGuid = TEXT("5f0c9a52-1d7e-4b8a-9c3e-2a6b7d8e9f01");
const WString kStoreKey = TEXT("Software\\Norvell-Ashby\\") + kUserGuid;
constexpr int kStoredFeatures[] = {4115, 4221};

struct CaptureOutcome {
    std::vector<DmcSnapshotRecord> snapshot;
    std::map<int, std::pair<int, int>> options;  // feature: current option, display state
    std::string store;
    bool operator==(const CaptureOutcome& other) const
    {
        return snapshot == other.snapshot && options == other.options && store == other.store;
    }
};

class DmcSweep : public DmcTest {
protected:
    void SetUp() override
    {
        DmcTest::SetUp();
        machine.SetPrinterData(
            kDmcPrinter, "ZQRestrictedUserGuid", REG_SZ,
            std::string(reinterpret_cast<const char*>(kUserGuid.c_str()), (kUserGuid.size() + 1) * 2),
            "ZQPresetRoot");
    }

    // A capture of the sample configuration into settings of its own, with the calls of the core
    // and of its library armed; what it leaves behind.
    std::optional<CaptureOutcome> Capture(CFailureSweep& sweep)
    {
        ObservedSettings target;
        target.SetOwner(&owner);
        AddSampleFeaturesTo(target);
        for (int id : kStoredFeatures) {
            FeatureEntry* entry = nullptr;
            target.FindFeature(&id, &entry);
            entry->record->uiDataStore = 1;
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey.c_str());
        CNiraPrinterAccess access(kDmcPrinter);
        const WString library = PackageFile(TEXT("niradmc.dll"));
        const WString config = PackageFile(TEXT("nirasmpl_dmc.xml"));
        std::unique_ptr<CNiraDmcCore> core;
        CaptureOutcome outcome;
        const LONG captured = sweep.Armed([&] {
            core = std::make_unique<CNiraDmcCore>(library.c_str(), config.c_str(), &access);
            LONG result = core->Run();
            if (result == 0) {
                result = core->ApplyToSettings(&target);
            }
            if (result == 0) {
                outcome.snapshot.resize(core->GetItemCount());
                result =
                    core->CopySnapshot(outcome.snapshot.data(), static_cast<int>(outcome.snapshot.size()));
            }
            return result;
        });
        if (captured != 0) {
            return std::nullopt;
        }
        for (int id : {4115, 4117, 4125, 4126, 4127, 4136, 4226, 4221, 4305, 4143}) {
            int option = -1, isSet = 0;
            target.GetCurrentOption(id, &option, &isSet);
            outcome.options[id] = {option, target.GetDisplayState(id)};
        }
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (kStoreKey + TEXT("\\RegFeatureDataStore")).c_str(), 0,
                          KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            BYTE blob[256] = {};
            DWORD size = sizeof(blob);
            if (RegQueryValueExW(key, TEXT("RegFeatureStore"), nullptr, nullptr, blob, &size) ==
                ERROR_SUCCESS) {
                outcome.store.assign(reinterpret_cast<const char*>(blob), size);
            }
            RegCloseKey(key);
        }
        return outcome;
    }
};

TEST_F(DmcSweep, FailedCallsAreReportedNeverLost)
{
    CFailureSweep::Sweep<CaptureOutcome>("DMC core", [&](CFailureSweep& sweep) { return Capture(sweep); });

    // The unfailed capture covers every kind of value: pushed, locked, below a value, and saved.
    CFailureSweep unfailed;
    const std::optional<CaptureOutcome> outcome = Capture(unfailed);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->snapshot.size(), 11u);
    EXPECT_EQ(outcome->options.at(4127).first, 2);
    EXPECT_EQ(outcome->options.at(4221).second, kDmcEnableLocked);
    EXPECT_EQ(outcome->store.size(), 2 * 16u + 12u);
}

}  // namespace
