// The DEVMODE synchronisation: the core driver's default request with the printer's stored
// defaults, the settings into the public fields and the core driver's options after a sheet is
// applied, and the public fields over the private settings when the sheets open.
#include "SyncFixture.h"

#include <cstring>
#include <utility>

#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/OemUIPlugin.h"
#include "nira/uiplugin/core/uicore/UICore.h"

namespace {

constexpr int kOrientation = 4118;
constexpr int kPaperSize = 4114;
constexpr int kDuplex = 4125;
constexpr int kDuplexEdge = 4126;
constexpr int kPagesPerSheet = 4128;
constexpr int kPaperA5 = 260;
constexpr short kDevModeA5 = 11;

std::string Bytes(const void* data, size_t size)
{
    return std::string(static_cast<const char*>(data), size);
}

// A plug-in object of the test's own, on the simulated core driver's helper, with its core built.
class PluginSyncTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        plugin = new CNiraOemUIPlugin();
        ASSERT_EQ(plugin->PublishDriverInterface(CoreDriver().CoreHelper()), S_OK);
        plugin->CreateHelpers(printer);
        ASSERT_EQ(plugin->EnsureSettingsClient(printer), 0);
        ASSERT_EQ(plugin->GetCore()->ConstructDriverState(printer, nullptr), 0);
        plugin->GetCore()->GetSettings(&settings);
        devMode = DefaultDevMode();
        sheetParam.cbSize = sizeof(sheetParam);
        sheetParam.hPrinter = printer;
        sheetParam.pPublicDM = PublicOf(devMode);
    }
    void TearDown() override
    {
        plugin->Release();
        SyncTest::TearDown();
    }

    // The settings packed into the DEVMODE's section, as a sheet applied earlier left them.
    void PackSettings()
    {
        CNiraDevModeSync* sync = plugin->GetDevModeSync();
        sync->SetClient(plugin->GetSettingsClient());
        ASSERT_TRUE(sync->SaveToSection(SectionOf(devMode), plugin->GetCore()));
    }

    std::vector<std::pair<std::string, std::string>> CoreOptionsSet()
    {
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const nirasim::SetOptionsCall& call : CoreDriver().SetOptionsCalls()) {
            pairs.insert(pairs.end(), call.pairs.begin(), call.pairs.end());
        }
        return pairs;
    }

    CNiraOemUIPlugin* plugin = nullptr;
    CNiraUISettings* settings = nullptr;
    std::vector<BYTE> devMode;
    OEMUIPSPARAM sheetParam = {};
};

}  // namespace

TEST_F(SyncTest, DefaultRequestTakesThePrintersStoredDefaults)
{
    DEVMODEW stored = {};
    stored.dmSize = sizeof(DEVMODEW);
    stored.dmPaperSize = DMPAPER_A4;
    stored.dmOrientation = DMORIENT_LANDSCAPE;
    stored.dmPrintQuality = 600;
    stored.dmMediaType = 259;
    static_assert(sizeof(DEVMODEW) == kStoredPublicDevModeSize, "stored public default");
    Machine().SetPrinterData(kPrinter, kDefaultPublicDevModeValue, REG_BINARY,
                             Bytes(&stored, sizeof(stored)));
    std::vector<BYTE> storedSection(kPrivateDevmodeSize, 0x5A);
    Machine().SetPrinterData(kPrinter, kDefaultPrivateDevModeValue, REG_BINARY,
                             Bytes(storedSection.data(), storedSection.size()));

    DEVMODEW in = {};
    in.dmDuplex = DMDUP_VERTICAL;
    in.dmPrintQuality = 300;
    DEVMODEW out = {};
    std::vector<BYTE> section(kPrivateDevmodeSize);
    OEMDMPARAM param = {};
    param.cbSize = sizeof(param);
    param.hPrinter = printer;
    param.pPublicDMIn = &in;
    param.pPublicDMOut = &out;
    param.pOEMDMOut = section.data();
    param.cbBufSize = kPrivateDevmodeSize;
    CNiraDevModeSync sync;
    ASSERT_EQ(sync.DevMode(OEMDM_DEFAULT, &param), S_OK);

    EXPECT_EQ(in.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(in.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(in.dmMediaType, 259u);
    EXPECT_EQ(in.dmDuplex, DMDUP_VERTICAL);  // the stored zero is not taken, but its bit is
    EXPECT_EQ(in.dmPrintQuality, 300);       // never taken
    EXPECT_EQ(in.dmFields, 0x3801203u);
    const auto* header = reinterpret_cast<const PrivateDevMode*>(section.data());
    EXPECT_EQ(header->size, kPrivateDevmodeSize);
    EXPECT_EQ(header->signature, kPrivateDevmodeSignature);
    EXPECT_EQ(header->packedLength, 0x5A5A5A5Au);  // the stored section's payload
    EXPECT_EQ(sync.GetTarget(), &out);
}

TEST_F(SyncTest, StoredDefaultsOfAnotherSizeAreNotTrusted)
{
    Machine().SetPrinterData(kPrinter, kDefaultPrivateDevModeValue, REG_BINARY,
                             std::string(kPrivateDevmodeSize - 1, '\x5A'));
    Machine().SetPrinterData(kPrinter, kDefaultPublicDevModeValue, REG_BINARY, std::string(200, '\x01'));
    DEVMODEW in = {};
    std::vector<BYTE> section(kPrivateDevmodeSize, 0xEE);
    OEMDMPARAM param = {};
    param.cbSize = sizeof(param);
    param.hPrinter = printer;
    param.pPublicDMIn = &in;
    param.pOEMDMOut = section.data();
    param.cbBufSize = kPrivateDevmodeSize;
    CNiraDevModeSync sync;
    ASSERT_EQ(sync.DevMode(OEMDM_DEFAULT, &param), S_OK);
    EXPECT_EQ(reinterpret_cast<const PrivateDevMode*>(section.data())->packedLength, 0u);
    EXPECT_EQ(in.dmFields, 0u);
    EXPECT_EQ(sync.GetTarget(), nullptr);
    EXPECT_EQ(sync.DevMode(OEMDM_DEFAULT, nullptr), E_FAIL);
}

struct DuplexCase {
    int duplex;
    int edge;
    short expected;
};

TEST_F(PluginSyncTest, AppliedSettingsReachThePublicFieldsAndTheSection)
{
    // An edge option of another printer model: neither long nor short edge.
    auto* other = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    ASSERT_EQ(settings->AddOption(kDuplexEdge, 5, other), 0);
    const DuplexCase cases[] = {{1, 2, DMDUP_SIMPLEX},
                                {2, 1, DMDUP_VERTICAL},
                                {2, 2, DMDUP_HORIZONTAL},
                                {3, 1, DMDUP_VERTICAL},
                                {2, 5, DMDUP_SIMPLEX}};
    for (const DuplexCase& c : cases) {
        Force(settings, kDuplex, c.duplex);
        Force(settings, kDuplexEdge, c.edge);
        ASSERT_EQ(plugin->SyncPublicDevMode(&sheetParam), 0);
        EXPECT_EQ(PublicOf(devMode)->dmDuplex, c.expected) << c.duplex << "/" << c.edge;
        EXPECT_EQ(SectionOf(devMode)->duplexAtApply, c.expected);
        EXPECT_NE(PublicOf(devMode)->dmFields & DM_DUPLEX, 0u);
    }
    Force(settings, kOrientation, 2);
    ASSERT_EQ(plugin->SyncPublicDevMode(&sheetParam), 0);
    EXPECT_EQ(PublicOf(devMode)->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(SectionOf(devMode)->orientationAtApply, DMORIENT_LANDSCAPE);
    EXPECT_TRUE(IsBlockChecksumValid(SectionOf(devMode)));
    EXPECT_GT(SectionOf(devMode)->packedLength, 8u);
}

TEST_F(PluginSyncTest, PagesPerSheetGoesToTheCoreDriverOnlyWhenItHasTheFeature)
{
    Force(settings, kPagesPerSheet, 3);
    CoreDriver().ClearJournals();
    ASSERT_EQ(plugin->SyncPublicDevMode(&sheetParam), 0);
    const auto pairs = CoreOptionsSet();
    EXPECT_NE(
        std::find(pairs.begin(), pairs.end(), std::make_pair(std::string("%PagePerSheet"), std::string("4"))),
        pairs.end());

    std::vector<nirasim::CoreFeature> features = CoreDriver().Features();
    features.erase(std::remove_if(features.begin(), features.end(),
                                  [](const nirasim::CoreFeature& f) { return f.keyword == "%PagePerSheet"; }),
                   features.end());
    CoreDriver().SetFeatures(features);
    CoreDriver().ClearJournals();
    ASSERT_EQ(plugin->SyncPublicDevMode(&sheetParam), 0);
    for (const auto& pair : CoreOptionsSet()) {
        EXPECT_NE(pair.first, "%PagePerSheet");
    }
}

TEST_F(PluginSyncTest, NothingWithoutASectionOrASheet)
{
    EXPECT_EQ(plugin->SyncPublicDevMode(nullptr), 0);
    DEVMODEW bare = {};
    bare.dmSize = sizeof(bare);
    sheetParam.pPublicDM = &bare;
    EXPECT_EQ(plugin->SyncPublicDevMode(&sheetParam), 0);
    EXPECT_EQ(bare.dmFields, 0u);
    EXPECT_EQ(plugin->ImportPrivateDevMode(nullptr, nullptr), NIRA_STATUS_FAILED);
}

// The shell of Windows 6 hands out public fields that are not the job's: its section's settings
// stay; elsewhere, and on Windows 5.1, the public fields win.
TEST_F(PluginSyncTest, PublicFieldsOverrideThePrivateSettingsExceptFromTheShellOnWindows6)
{
    const struct {
        DWORD major;
        DWORD minor;
        const char* process;
        int orientation;
    } cases[] = {{6, 0, "C:\\Windows\\explorer.exe", 1},
                 {6, 0, "C:\\Program Files\\Photo Gallery\\WINDOWSPHOTOGALLERY.EXE", 1},
                 {5, 1, "C:\\Windows\\explorer.exe", 2},
                 {6, 0, "C:\\Program Files\\Editor\\editor.exe", 2}};
    for (const auto& c : cases) {
        Machine().SetWindowsVersion(c.major, c.minor);
        Force(settings, kOrientation, 1);
        PackSettings();
        std::strncpy(SectionOf(devMode)->processPath, c.process, kPrivateDevmodeTextChars - 1);
        PublicOf(devMode)->dmOrientation = DMORIENT_LANDSCAPE;
        plugin->ImportPublicDevMode(PublicOf(devMode));
        EXPECT_EQ(Current(settings, kOrientation), c.orientation) << c.process << " on " << c.major;
    }
}

TEST_F(PluginSyncTest, StandInPaperSizeGivesWayToTheStoredOne)
{
    const struct {
        short publicPaper;
        int option;
    } cases[] = {{DMPAPER_A4, kPaperA5}, {DMPAPER_LETTER, kPaperA5}, {DMPAPER_LEGAL, 257}};
    for (const auto& c : cases) {
        Force(settings, kPaperSize, 256);
        PackSettings();
        SectionOf(devMode)->paperSizeAtConvert = kDevModeA5;
        PublicOf(devMode)->dmPaperSize = c.publicPaper;
        plugin->ImportPublicDevMode(PublicOf(devMode));
        EXPECT_EQ(Current(settings, kPaperSize), c.option) << c.publicPaper;
    }
}
