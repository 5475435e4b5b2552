// The settings client: binding to a printer, its checks, the copies between the UI settings
// object and the settings, the private section round trip and the public DEVMODE check.
#include "SettingsClientFixture.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "nira/uiplugin/core/module/ComponentModule.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "support/DefaultPrivateSection.h"

#include "support/WString.h"

namespace {

// Every packed feature's current option.
std::map<int, int> CurrentOptions(CNiraUISettings& ui)
{
    std::map<int, int> options;
    for (int feature = kFirstSettingsFeature; feature <= kLastSettingsFeature; ++feature) {
        int option = 0;
        int isSet = 0;
        if (ui.GetCurrentOption(feature, &option, &isSet) == 0) {
            options[feature] = option;
        }
    }
    return options;
}

}  // namespace

// The UI settings of the sample model are changed on a set of features, copied into the
// settings and packed into a section; a fresh client unpacks the section into fresh UI settings,
// where every feature's option comes back.
TEST_F(SettingsClientTest, RoundTripThroughThePrivateSection)
{
    auto source = SampleSettings();
    const std::pair<int, int> changes[] = {{4114, 259}, {4115, 3}, {4116, 261}, {4117, 2}, {4118, 2},
                                           {4125, 3},   {4126, 2}, {4128, 4},   {4129, 3}, {4130, 2},
                                           {4136, 2},   {4139, 3}, {4141, 1},   {4215, 1}, {4218, 2},
                                           {4219, 4},   {4302, 3}, {4167, -40}, {4170, 25}};
    for (const auto& change : changes) {
        Select(source->settings, change.first, change.second);
    }
    const std::map<int, int> expected = CurrentOptions(source->settings);
    ASSERT_GT(expected.size(), 40u);

    auto block = DefaultPrivateSection();
    {
        CNiraSettingsClient client;
        Fill(client, source->settings);
        ASSERT_EQ(client.SavePrivateBlock(block.get()), TRUE);
    }
    EXPECT_TRUE(IsBlockChecksumValid(block.get()));
    EXPECT_GT(block->packedLength, 8u);

    auto target = SampleSettings();
    CNiraSettingsClient client;
    ASSERT_EQ(client.Initialize(printer), TRUE);
    ASSERT_EQ(client.LoadPrivateBlock(block.get()), TRUE);
    ASSERT_EQ(client.CopyToUISettings(&target->settings, 1), TRUE);
    EXPECT_EQ(CurrentOptions(target->settings), expected);

    // The product data and the public values travelled with them.
    LONG value = 0;
    ASSERT_EQ(client.GetInt(1905, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 259);  // A4's public number
    ASSERT_EQ(client.GetInt(1920, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 600);
    FLOAT width = 0;
    ASSERT_EQ(client.GetFloat(10, &width, 0, 0), TRUE);
    EXPECT_FLOAT_EQ(width, 8.2677f);
}

TEST_F(SettingsClientTest, DefaultsArePackedFromTheDefaultOptions)
{
    auto sample = SampleSettings();
    auto block = DefaultPrivateSection();
    CNiraSettingsClient client;
    Fill(client, sample->settings, 1);
    ASSERT_EQ(client.SavePrivateBlock(block.get()), TRUE);
    LONG paper = 0;
    ASSERT_EQ(client.GetInt(4114 - 4103, &paper, 0, 0), TRUE);
    EXPECT_EQ(paper, 256);
    // Letter at 600 dpi, portrait, minimized margins: the geometry of the section header.
    EXPECT_EQ(block->horizontalResolution, 600u);
    EXPECT_EQ(block->physicalWidth, 5100);
    EXPECT_EQ(block->physicalHeight, 6600);
}

TEST_F(SettingsClientTest, InitializeFailsCleanly)
{
    CNiraSettingsClient client;
    EXPECT_EQ(client.Initialize(nullptr), FALSE);
    EXPECT_EQ(client.Initialize(INVALID_HANDLE_VALUE), FALSE);
    EXPECT_EQ(client.GetStore(), nullptr);

    // Without the settings helper module, and with a module that lacks the factory.
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
    EXPECT_EQ(client.Initialize(printer), FALSE);
    EXPECT_EQ(client.GetStore(), nullptr);
    LONG value = 0;
    EXPECT_EQ(client.SetInt(10, 1, 0), FALSE);
    EXPECT_EQ(client.GetInt(10, &value, 0, 0), FALSE);

    const std::string fixture = std::string(NIRA_BUILD_DIR) + "/fixtures/nirasettings_nofactory.dll";
    const WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirasettings_nofactory.dll");
    ASSERT_TRUE(TestMachine().CopyIn(fixture, path));
    HMODULE withoutFactory = LoadLibraryW(path.c_str());
    ASSERT_NE(withoutFactory, nullptr);
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, withoutFactory);
    EXPECT_EQ(client.Initialize(printer), FALSE);
    EXPECT_EQ(client.GetStore(), nullptr);
    auto block = DefaultPrivateSection();
    EXPECT_EQ(client.SavePrivateBlock(block.get()), FALSE);
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, HelperModule());
    FreeLibrary(withoutFactory);

    // Once the module is there the same client starts over: bound as the plug-in core binds it,
    // through the driver INI's Component_F_C.
    SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
    ASSERT_EQ(LoadComponentModule(printer), 0);
    HMODULE bound = GetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT);
    EXPECT_EQ(bound, HelperModule());
    EXPECT_EQ(client.Initialize(printer), TRUE);
    EXPECT_NE(client.GetStore(), nullptr);
    FreeLibrary(bound);
}

TEST_F(SettingsClientTest, AccessesAreCheckedBeforeTheManager)
{
    CNiraSettingsClient client;
    ASSERT_EQ(client.Initialize(printer), TRUE);
    BYTE byte = 0;
    WORD word = 0;
    double real = 0;
    LONG value = 0;
    EXPECT_EQ(client.SetByte(0, 1, 0), FALSE);
    EXPECT_EQ(client.GetByte(0, &byte, 0, 0), FALSE);
    EXPECT_EQ(client.SetWord(0, 1, 0), FALSE);
    EXPECT_EQ(client.GetWord(0, &word, 0, 0), FALSE);
    EXPECT_EQ(client.SetDouble(0, 1.0, 0), FALSE);
    EXPECT_EQ(client.GetDouble(0, &real, 0, 0), FALSE);
    EXPECT_EQ(client.SetInt(-1, 1, 0), FALSE);
    EXPECT_EQ(client.SetInt(2052, 1, 0), FALSE);
    EXPECT_EQ(client.SetInt(2051, 7, 0), TRUE);
    EXPECT_EQ(client.GetInt(2051, nullptr, 0, 0), FALSE);
    EXPECT_EQ(client.GetInt(2051, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(client.IsIntPresent(2052), FALSE);
    EXPECT_EQ(client.IsIntPresent(2051), TRUE);
    EXPECT_EQ(client.SetFlag(338, 1, 0), FALSE);
    EXPECT_EQ(client.LoadPrivateBlock(nullptr), FALSE);
    EXPECT_EQ(client.CopyFromUISettings(nullptr, 0), FALSE);
    // The helper module's entries reach the client through the manager.
    EXPECT_EQ(client.IsHandled(SETTING_ARRAY_INT, 2020), TRUE);
    EXPECT_EQ(client.IsHandled(SETTING_ARRAY_INT, 2019), FALSE);

    // Attach again: the earlier manager and its helper provider go (the leak check sees it).
    ASSERT_EQ(client.Attach(&client, nullptr, nullptr), TRUE);
    EXPECT_EQ(client.IsIntPresent(2051), FALSE);
    EXPECT_EQ(client.IsHandled(SETTING_ARRAY_INT, 2020), FALSE);
}

// Without the pseudo-features 5998 and 5999 the packed range is 4113 to 4312.
TEST_F(SettingsClientTest, DefaultRangeWithoutPseudoFeatures)
{
    CNiraUISettings ui;
    for (int feature : {4113, 4200, 4312, 4313}) {
        auto* record = static_cast<FeatureRecord*>(LocalAlloc(LPTR, sizeof(FeatureRecord)));
        record->size = sizeof(FeatureRecord);
        record->featureId = feature;
        record->defaultOption = feature - 4000;
        ASSERT_EQ(ui.AddFeature(record), 0);
    }
    CNiraSettingsClient client;
    Fill(client, ui, 1);
    LONG value = 0;
    ASSERT_EQ(client.GetInt(10, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 113);
    ASSERT_EQ(client.GetInt(97, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 200);
    ASSERT_EQ(client.GetInt(209, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 312);
    EXPECT_EQ(client.IsIntPresent(11), FALSE);
    for (LONG index = 210; index < 1894; ++index) {
        ASSERT_EQ(client.IsIntPresent(index), FALSE) << index;
    }

    // Any mode but 0 and 1 changes nothing and answers true.
    ASSERT_EQ(client.SetInt(10, 999, 0), TRUE);
    EXPECT_EQ(client.CopyToUISettings(&ui, 2), TRUE);
    int option = 0;
    int isSet = 0;
    ASSERT_EQ(ui.GetCurrentOption(4113, &option, &isSet), 0);
    EXPECT_EQ(option, 113);
}

// A range of more ids than there are indices stops at index 1893.
TEST_F(SettingsClientTest, LongRangeStopsAtTheLastIndex)
{
    CNiraUISettings ui;
    auto addFeature = [&ui](int feature, int defaultOption) {
        auto* record = static_cast<FeatureRecord*>(LocalAlloc(LPTR, sizeof(FeatureRecord)));
        record->size = sizeof(FeatureRecord);
        record->featureId = feature;
        record->defaultOption = defaultOption;
        ASSERT_EQ(ui.AddFeature(record), 0);
    };
    addFeature(kFeatureFirstPacked, 1000);
    addFeature(kFeatureLastPacked, 4000);
    addFeature(1000 + 1883, 5);  // index 1893
    addFeature(1000 + 1884, 6);  // would be index 1894
    CNiraSettingsClient client;
    Fill(client, ui, 1);
    LONG value = 0;
    ASSERT_EQ(client.GetInt(1893, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(client.IsIntPresent(1894), FALSE);
}

namespace {

struct DevModeCase {
    const char* name;
    LONG storedIndex;  // 0: nothing stored beyond the defaults below
    LONG storedValue;
    void (*change)(DEVMODEW&);
    BOOLEAN differs;
};

}  // namespace

TEST_F(SettingsClientTest, DevModeDiffersOnItsCases)
{
    const LONG stored[kClientPublicValueCount] = {1, 256, 1, 7, 600, 1, 2, 3};
    const DevModeCase cases[] = {
        {"equal", 0, 0, [](DEVMODEW&) {}, FALSE},
        {"orientation", 0, 0, [](DEVMODEW& d) { d.dmOrientation = 2; }, TRUE},
        {"media user-defined", 0, 0, [](DEVMODEW& d) { d.dmMediaType = 257; }, FALSE},
        {"media other", 0, 0, [](DEVMODEW& d) { d.dmMediaType = 258; }, TRUE},
        {"stored media 515", 1901, 515, [](DEVMODEW& d) { d.dmMediaType = 258; }, FALSE},
        {"paper user", 0, 0, [](DEVMODEW& d) { d.dmPaperSize = DMPAPER_USER; }, FALSE},
        {"paper other", 0, 0, [](DEVMODEW& d) { d.dmPaperSize = 9; }, TRUE},
        {"bin form source", 0, 0, [](DEVMODEW& d) { d.dmDefaultSource = DMBIN_FORMSOURCE; }, FALSE},
        {"bin 1", 0, 0, [](DEVMODEW& d) { d.dmDefaultSource = 1; }, FALSE},
        {"bin other", 0, 0, [](DEVMODEW& d) { d.dmDefaultSource = 4; }, TRUE},
        {"quality, sign-extended", 1904, -3, [](DEVMODEW& d) { d.dmPrintQuality = -3; }, FALSE},
        {"icm method", 0, 0, [](DEVMODEW& d) { d.dmICMMethod = 1; }, TRUE},
    };
    for (const DevModeCase& entry : cases) {
        SCOPED_TRACE(entry.name);
        CNiraSettingsClient client;
        ASSERT_EQ(client.Initialize(printer), TRUE);
        for (int k = 0; k < kClientPublicValueCount; ++k) {
            ASSERT_EQ(client.SetInt(kFirstPublicValueIndex + k, stored[k], 0), TRUE);
        }
        if (entry.storedIndex != 0) {
            ASSERT_EQ(client.SetInt(entry.storedIndex, entry.storedValue, 0), TRUE);
        }
        DEVMODEW devMode = {};
        devMode.dmSize = sizeof(DEVMODEW);
        devMode.dmOrientation = 1;
        devMode.dmMediaType = 256;
        devMode.dmDuplex = 1;
        devMode.dmDefaultSource = 7;
        devMode.dmPrintQuality = 600;
        devMode.dmPaperSize = 1;
        devMode.dmICMIntent = 2;
        devMode.dmICMMethod = 3;
        if (entry.storedIndex == 1904) {
            devMode.dmPrintQuality = -3;
        }
        entry.change(devMode);
        EXPECT_EQ(client.DevModeDiffers(&devMode), entry.differs);
    }

    DEVMODEW devMode = {};
    devMode.dmSize = sizeof(DEVMODEW);
    CNiraSettingsClient client;
    EXPECT_EQ(client.DevModeDiffers(nullptr), FALSE);
    ASSERT_EQ(client.Initialize(printer), TRUE);
    // Nothing stored: no field counts.
    EXPECT_EQ(client.DevModeDiffers(&devMode), FALSE);
    // Flag 222 present, whatever its value.
    ASSERT_EQ(client.SetFlag(222, 0, 0), TRUE);
    EXPECT_EQ(client.DevModeDiffers(&devMode), TRUE);
}

// An older DEVMODE ends before the media type, the ICM and later fields: only the fields it holds
// are compared, and nothing past its size is read (the copy lies in a block of exactly that size).
TEST_F(SettingsClientTest, DevModeDiffersReadsNothingPastAShortDevMode)
{
    CNiraSettingsClient client;
    ASSERT_EQ(client.Initialize(printer), TRUE);
    const LONG stored[kClientPublicValueCount] = {1, 256, 1, 7, 600, 1, 2, 3};
    for (int k = 0; k < kClientPublicValueCount; ++k) {
        ASSERT_EQ(client.SetInt(kFirstPublicValueIndex + k, stored[k], 0), TRUE);
    }
    DEVMODEW full = {};
    full.dmSize = static_cast<WORD>(offsetof(DEVMODEW, dmICMMethod));
    full.dmOrientation = 1;
    full.dmDuplex = 1;
    full.dmDefaultSource = 7;
    full.dmPrintQuality = 600;
    full.dmPaperSize = 1;
    auto shortCopy = [&](const DEVMODEW& source) {
        std::vector<BYTE> bytes(source.dmSize);
        memcpy(bytes.data(), &source, bytes.size());
        return bytes;
    };
    std::vector<BYTE> same = shortCopy(full);
    EXPECT_EQ(client.DevModeDiffers(reinterpret_cast<const DEVMODEW*>(same.data())), FALSE);
    full.dmOrientation = 2;
    std::vector<BYTE> turned = shortCopy(full);
    EXPECT_EQ(client.DevModeDiffers(reinterpret_cast<const DEVMODEW*>(turned.data())), TRUE);
}
