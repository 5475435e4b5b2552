// A simulated machine with the sample package and a sample printer, the UI settings object the
// device-model configuration is pushed into, and readers of the printer data it leaves.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include "support/WString.h"

#include <nirasim/Machine.h>

#include "nira/uiplugin/foundation/dmc/DmcSnapshotRecord.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "tests/nira/uiplugin/core/uisettings/UISettingsFixture.h"

inline bool operator==(const DmcSnapshotRecord& a, const DmcSnapshotRecord& b)
{
    return a.featureId == b.featureId && a.optionId == b.optionId && a.enable == b.enable && a.lock == b.lock;
}

inline void PrintTo(const DmcSnapshotRecord& r, std::ostream* os)
{
    *os << "{" << r.featureId << ", " << r.optionId << ", " << r.enable << ", " << r.lock << "}";
}

constexpr const WCHAR* kDmcPrinter = TEXT("Sample Inkjet DMC");

// The real UI settings object, with a look inside while a capture pushes values into it.
class ObservedSettings : public CNiraUISettings {
public:
    std::function<void(int)> onHasFeature;
    int HasFeature(int id) override
    {
        if (onHasFeature) {
            onHasFeature(id);
        }
        return CNiraUISettings::HasFeature(id);
    }
};

class DmcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kDmcPrinter);
        settings.SetOwner(&owner);
    }

    static WString VersionFolder() { return nirasim::Machine::DriverVersionDirectory() + TEXT("\\"); }
    static WString PackageFile(const WString& name) { return VersionFolder() + name; }

    // Replaces the model's configuration file with `printing` and `physical` section bodies.
    void WriteConfig(const std::string& printing, const std::string& physical = "")
    {
        std::string xml = "<device><software><component name=\"dmc_driver\"><current><printing>" + printing +
                          "</printing><physical>" + physical +
                          "</physical></current></component></software></device>";
        ASSERT_TRUE(machine.WriteFile(PackageFile(TEXT("nirasmpl_dmc.xml")), xml));
    }

    // Replaces the library with one of the broken copies the build makes.
    void UseFixtureLibrary(const std::string& name)
    {
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/" + name,
                                   PackageFile(TEXT("niradmc.dll"))));
    }

    void AddFeature(int id, int defaultOption, std::initializer_list<int> options)
    {
        AddFeatureTo(settings, id, defaultOption, options);
    }
    static void AddFeatureTo(CNiraUISettings& target, int id, int defaultOption,
                             std::initializer_list<int> options)
    {
        ASSERT_EQ(target.AddFeature(NewFeatureRecord(id, defaultOption)), 0);
        target.SetFeatureUIRecord(id, NewUIRecord(id));
        for (int opt : options) {
            ASSERT_EQ(target.AddOption(id, opt, NewOption(id, opt * 10)), 0);
        }
    }

    // The features the sample configuration names, with the options the tables map them to.
    void AddSampleFeatures() { AddSampleFeaturesTo(settings); }
    static void AddSampleFeaturesTo(CNiraUISettings& target)
    {
        AddFeatureTo(target, 4115, 1, {1, 2, 3, 4});  // print quality
        AddFeatureTo(target, 4117, 7, {1, 2, 4, 7});  // input bin
        AddFeatureTo(target, 4125, 1, {1, 2, 3});     // duplex
        AddFeatureTo(target, 4126, 1, {1, 2});        // duplex edge
        AddFeatureTo(target, 4127, 1, {1, 2});        // preserve layout
        AddFeatureTo(target, 4136, 1, {1, 2});        // colour as gray
        AddFeatureTo(target, 4226, 1, {1, 2});        // page order
        AddFeatureTo(target, 4221, 2, {1, 2});        // duplex unit
        AddFeatureTo(target, 4305, 1, {1, 2});        // tray 2
        AddFeatureTo(target, 4143, 1, {1, 9});        // where the settings came from
    }

    int Current(int id)
    {
        int opt = -1, isSet = 0;
        settings.GetCurrentOption(id, &opt, &isSet);
        return opt;
    }

    int Default(int id)
    {
        int opt = -1;
        settings.GetDefaultOption(id, &opt);
        return opt;
    }

    OptionInfo Option(int id, int opt)
    {
        OptionInfo info = {};
        EXPECT_EQ(settings.GetOptionInfo(id, opt, &info), 0);
        return info;
    }

    FeatureUIRecord* UIRecord(int id)
    {
        FeatureEntry* entry = nullptr;
        settings.FindFeature(&id, &entry);
        return entry ? entry->uiRecord : nullptr;
    }

    bool ReadData(const WCHAR* name, std::string& bytes)
    {
        return machine.GetPrinterData(kDmcPrinter, name, bytes);
    }

    DWORD ReadDword(const WCHAR* name)
    {
        std::string bytes;
        if (!ReadData(name, bytes) || bytes.size() != sizeof(DWORD)) {
            return 0xFFFFFFFF;
        }
        DWORD value = 0;
        memcpy(&value, bytes.data(), sizeof(value));
        return value;
    }

    static std::string Records(std::initializer_list<DmcSnapshotRecord> records)
    {
        std::string bytes;
        for (const DmcSnapshotRecord& record : records) {
            bytes.append(reinterpret_cast<const char*>(&record), sizeof(record));
        }
        return bytes;
    }

    void StoreSnapshot(std::initializer_list<DmcSnapshotRecord> records, DWORD count)
    {
        machine.SetPrinterData(kDmcPrinter, TEXT("DMCSnapshotFeatureData"), REG_BINARY, Records(records));
        machine.SetPrinterDword(kDmcPrinter, TEXT("DMCFeatureCount"), count);
    }

    nirasim::Machine machine;
    ::testing::NiceMock<MockSettingsOwner> owner;
    ObservedSettings settings;
};
