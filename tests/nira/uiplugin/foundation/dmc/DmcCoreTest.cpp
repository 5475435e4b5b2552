#include "nira/uiplugin/foundation/dmc/NiraDmcCore.h"

#include "common/NiraStatus.h"
#include "tests/nira/uiplugin/foundation/dmc/DmcFixture.h"

#include <vector>

#include "support/WString.h"

namespace {

class DmcCore : public DmcTest {
protected:
    void SetUp() override
    {
        DmcTest::SetUp();
        access = new CNiraPrinterAccess(kDmcPrinter);
    }
    void TearDown() override { delete access; }

    CNiraDmcCore* Make(const WString& library = TEXT("niradmc.dll"),
                       const WString& config = TEXT("nirasmpl_dmc.xml"))
    {
        WString libraryPath = library.empty() ? library : PackageFile(library);
        core.reset();
        core = std::make_unique<CNiraDmcCore>(libraryPath.c_str(), PackageFile(config).c_str(), access);
        return core.get();
    }

    std::vector<DmcSnapshotRecord> Snapshot()
    {
        std::vector<DmcSnapshotRecord> records(core->GetItemCount());
        EXPECT_EQ(core->CopySnapshot(records.data(), static_cast<int>(records.size())), 0);
        return records;
    }

    CNiraPrinterAccess* access = nullptr;
    std::unique_ptr<CNiraDmcCore> core;
};

TEST_F(DmcCore, RunFailuresAreReportedBeforeAnythingIsRead)
{
    EXPECT_EQ(Make(TEXT(""))->Run(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Make(TEXT("absent.dll"))->Run(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Make(TEXT("niradmc.dll"), TEXT("absent.xml"))->Run(), ERROR_INVALID_NAME);
    WriteConfig("");
    machine.WriteFile(PackageFile(TEXT("other.xml")),
                      "<device><software><component name=\"other\"/></software></device>");
    EXPECT_EQ(Make(TEXT("niradmc.dll"), TEXT("other.xml"))->Run(), ERROR_INVALID_NAME);
    EXPECT_EQ(core->ApplyToSettings(&settings), NIRA_STATUS_FAILED);
    core.reset();  // a loaded library cannot be replaced
    UseFixtureLibrary("niradmc_nosavedom.dll");
    EXPECT_EQ(Make()->Run(), ERROR_INVALID_NAME);
    core.reset();
    UseFixtureLibrary("niradmc_noregister.dll");
    EXPECT_EQ(Make()->Run(), ERROR_INVALID_NAME);
}

TEST_F(DmcCore, SampleConfigurationIsPushedAndRecorded)
{
    AddSampleFeatures();
    ASSERT_EQ(Make()->Run(), 0);
    // Seven printing features, the two that hang below the current duplex value, two physical.
    EXPECT_EQ(core->GetItemCount(), 11);
    EXPECT_EQ(core->Run(), 0);
    EXPECT_EQ(core->GetItemCount(), 11);
    EXPECT_EQ(core->ApplyToSettings(nullptr), NIRA_STATUS_FAILED);
    ASSERT_EQ(core->ApplyToSettings(&settings), 0);

    EXPECT_EQ(Current(4115), 3);  // Normal
    EXPECT_EQ(Current(4125), 3);  // AUTOMATIC
    EXPECT_EQ(Current(4127), 2);  // Preserve_Layout below AUTOMATIC
    EXPECT_EQ(Current(4221), 1);  // Installed
    EXPECT_EQ(Current(4143), 9);
    EXPECT_EQ(Default(4143), 9);
    EXPECT_EQ(settings.GetDisplayState(4221), kDmcEnableLocked);
    EXPECT_EQ(settings.GetDisplayState(4115), kDmcEnableFree);

    // "physical" first; paper size and media type name options the sample database lacks.
    const std::vector<DmcSnapshotRecord> expected = {
        {4221, 1, 2, 1}, {4305, 2, 2, 1}, {4115, 3, 3, 0}, {4117, 1, 3, 0}, {4125, 3, 3, 0}, {4136, 1, 3, 0},
        {4226, 1, 3, 0}, {4126, 1, 3, 0}, {4127, 2, 3, 0}, {0, 0, 0, 0},    {0, 0, 0, 0}};
    EXPECT_EQ(Snapshot(), expected);
}

TEST_F(DmcCore, UnknownValuesStillSetTheEnableWord)
{
    AddFeature(4114, 256, {256, 257});
    AddFeature(4143, 1, {1, 9});
    WriteConfig(
        "<feature name=\"PaperSize\" value=\"LETTER_8_5_X_11_IN\" lock=\"true\"/>"
        "<feature name=\"Staple\" value=\"On\"/>");
    ASSERT_EQ(Make()->Run(), 0);
    ASSERT_EQ(core->ApplyToSettings(&settings), 0);
    EXPECT_EQ(Current(4114), 256);
    EXPECT_EQ(Current(4143), 1);  // nothing was accepted
    EXPECT_EQ(settings.GetDisplayState(4114), kDmcEnableLocked);
    EXPECT_EQ(Snapshot(), (std::vector<DmcSnapshotRecord>{{4114, kDmcNoOption, 2, 1}, {0, 0, 0, 0}}));
}

TEST_F(DmcCore, EmptyPrintingSectionGivesNoComponents)
{
    WriteConfig("", "<feature name=\"DuplexUnit\" value=\"Installed\"/>");
    ASSERT_EQ(Make()->Run(), 0);
    EXPECT_EQ(core->GetItemCount(), 0);
    EXPECT_EQ(core->ApplyToSettings(&settings), NIRA_STATUS_FAILED);
    DmcSnapshotRecord record = {};
    EXPECT_EQ(core->CopySnapshot(&record, 1), NIRA_STATUS_FAILED);
}

TEST_F(DmcCore, LockAttributeIsTrueInAnyLetterCase)
{
    AddFeature(4118, 1, {1, 2});
    AddFeature(4126, 1, {1, 2});
    AddFeature(4127, 1, {1, 2});
    AddFeature(4136, 1, {1, 2});
    WriteConfig(
        "<feature name=\"Orientation\" value=\"Landscape\" lock=\"TRUE\"/>"
        "<feature name=\"DuplexEdge\" value=\"ShortEdge\" lock=\"True\"/>"
        "<feature name=\"Preserve_Layout\" value=\"TRUE\" lock=\"yes\"/>"
        "<feature name=\"PrintColorAsGray\" value=\"TRUE\"/>");
    ASSERT_EQ(Make()->Run(), 0);
    ASSERT_EQ(core->ApplyToSettings(&settings), 0);
    EXPECT_EQ(Snapshot(), (std::vector<DmcSnapshotRecord>{
                              {4118, 2, 2, 1}, {4126, 2, 2, 1}, {4127, 2, 3, 0}, {4136, 2, 3, 0}}));
}

TEST_F(DmcCore, PrintingValuesArePushedAfterPhysicalOnes)
{
    AddFeature(4115, 1, {1, 2, 3, 4});
    AddFeature(4119, 1, {1, 2});
    AddFeature(4215, 2, {1, 2});
    WriteConfig(
        "<feature name=\"PrintQuality\" value=\"Best\"><option name=\"Normal\"/><option "
        "name=\"Best\"/></feature>"
        "<feature name=\"BorderlessPaperSize\" value=\"TRUE\"/>",
        "<feature name=\"PrintQuality\" value=\"FastDraft\"/>");
    ASSERT_EQ(Make()->Run(), 0);
    ASSERT_EQ(core->ApplyToSettings(&settings), 0);
    EXPECT_EQ(Current(4115), 4);
    EXPECT_EQ(Current(4119), 2);
    EXPECT_EQ(Current(4215), 1);  // borderless selects its companion's first option
    EXPECT_EQ(Default(4215), 1);
}

TEST_F(DmcCore, FeaturesBelowTheCurrentValueAreMergedOnce)
{
    AddFeature(4125, 1, {1, 2, 3});
    AddFeature(4126, 1, {1, 2});
    // Both values carry the same sub-feature; only the current value's counts, and a sub-feature
    // equal to one of the section's own is not added twice.
    WriteConfig(
        "<feature name=\"Duplex\" value=\"MANUAL\">"
        "<option name=\"MANUAL\"><feature name=\"DuplexEdge\" value=\"ShortEdge\"><option name=\"LongEdge\"/>"
        "<option name=\"ShortEdge\"/></feature></option>"
        "<option name=\"AUTOMATIC\"><feature name=\"DuplexEdge\" value=\"LongEdge\"/></option></feature>"
        "<feature name=\"DuplexEdge\" value=\"ShortEdge\"><option name=\"LongEdge\"/><option "
        "name=\"ShortEdge\"/>"
        "</feature>");
    ASSERT_EQ(Make()->Run(), 0);
    EXPECT_EQ(core->GetItemCount(), 2);
    ASSERT_EQ(core->ApplyToSettings(&settings), 0);
    EXPECT_EQ(Current(4125), 2);
    EXPECT_EQ(Current(4126), 2);
}

}  // namespace

namespace {

TEST_F(DmcCore, ListedFeaturesAreSavedToTheUsersFeatureStore)
{
    const WString guid = TEXT("5f0c9a52-1d7e-4b8a-9c3e-2a6b7d8e9f01");
    machine.SetPrinterData(kDmcPrinter, "ZQRestrictedUserGuid", REG_SZ,
                           std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * 2),
                           "ZQPresetRoot");
    AddSampleFeatures();
    for (int id : {4115, 4221}) {
        FeatureEntry* entry = nullptr;
        settings.FindFeature(&id, &entry);
        ASSERT_NE(entry, nullptr);
        entry->record->uiDataStore = 1;
    }
    ASSERT_EQ(Make()->Run(), 0);
    ASSERT_EQ(core->ApplyToSettings(&settings), 0);

    HKEY key = nullptr;
    const WString path = TEXT("Software\\Norvell-Ashby\\") + guid + TEXT("\\RegFeatureDataStore");
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    BYTE blob[64] = {};
    DWORD size = sizeof(blob);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("RegFeatureStore"), nullptr, nullptr, blob, &size), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(size, 2 * 16u + 12u);
    // Newest listed first, each with the option the configuration chose.
    INT32 first[4] = {};
    memcpy(first, blob, sizeof(first));
    EXPECT_EQ(first[0], 4221);
    EXPECT_EQ(first[2], 1);
    INT32 second[4] = {};
    memcpy(second, blob + 16, sizeof(second));
    EXPECT_EQ(second[0], 4115);
    EXPECT_EQ(second[2], 3);
}

}  // namespace
