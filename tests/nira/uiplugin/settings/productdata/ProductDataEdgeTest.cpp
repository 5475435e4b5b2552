// Rules of the product-data provider at their edges, over a database and UI settings of the
// test's own: user-defined papers, the target-size boundary, the input-bin fallback, the sliders,
// and the provider's life between Attach and SetTarget.
#include "SettingsClientFixture.h"

#include <initializer_list>
#include <string>
#include "support/WString.h"
#include <utility>

#include "common/SafeString.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/productdata/ProductData.h"

namespace {

// The sample's tables, with a product that cannot select its input bin by itself and a paper
// option 26 whose two-sided bottom margin is 0.7 in.
std::string EdgeDatabase()
{
    return "ATTACH DATABASE '" + std::string(NIRA_BUILD_DIR) +
           "/package/niracap.vdf' AS sample;"
           "CREATE TABLE PRODUCT_DATA AS SELECT * FROM sample.PRODUCT_DATA;"
           "UPDATE PRODUCT_DATA SET EKeyBool_SdAutomaticallySelectSupported = 0;"
           "CREATE TABLE FDT4114 AS SELECT * FROM sample.FDT4114;"
           "INSERT INTO FDT4114 SELECT 26, 0, 0, 0, 26, Duplex, Orientation, MM, 'Card', 1, 4, 6, 0.1, 0.7, "
           "0.1, 0.1, 0, "
           "0, 0, 0,"
           " 0, 0, 0, 0, 0, 1, 1, 0 FROM sample.FDT4114 WHERE OptionID = 256;"
           "CREATE TABLE FDT4117 AS SELECT * FROM sample.FDT4117;"
           "CREATE TABLE FDT4121 (OptionID INTEGER, EKeyDword_UiDestPaperSizeIndex INTEGER);"
           "INSERT INTO FDT4121 VALUES (500, 77);"
           "CREATE TABLE CAP_OPTIONS_INFO AS SELECT * FROM sample.CAP_OPTIONS_INFO;"
           "CREATE TABLE FDT4116 AS SELECT * FROM sample.FDT4116;"
           "INSERT INTO FDT4116 SELECT 549, NiraUIPrintQualityID, EKeyEnum_HbIjDsPenSet, 42, 0,"
           " EKeyEnum_HbIjPmPclPrintQuality, CoolDotPrintMode, EKeyDword_PmReportedHorzDpi, "
           "EKeyDword_PmReportedVertDpi,"
           " EKeyDword_HbIjPmBlackHorzResolution, EKeyDword_HbIjPmBlackVertResolution,"
           " EKeyDword_HbIjPmColorHorzResolution, EKeyDword_HbIjPmColorVertResolution,"
           " EKeyBool_HbIjPmSeparateBlackSurfaceEnabled, EKeyBool_HbIjPmBlackExtractEnabled,"
           " EKeyBool_HbIjPmKFortificationEnabled, EKeyBool_HbIjPmReducedKChannelEnabled,"
           " EKeyDword_HbIjPmReducedKChannelMaxLineWidth, EKeyDword_HbIjPmReducedKChannelMaxFontSize,"
           " EKeyDword_HbIjPmZqaFilteringSlope, EKeyDword_HbIjPmZqaFilteringIntercept, "
           "EKeyEnum_HbIjPmRmMediaType,"
           " EKeyDword_HbIjPmHtBlackLevels, EKeyDword_HbIjPmHtColorLevels, EKeyDword_HbIjPmHtColorCount,"
           " EKeyEnum_HbIjPmHtMediaType, EKeyEnum_HbIjPmHtPrintQuality, EKeyEnum_HbIjUiPrintQualityGroup,"
           " EKeyEnum_HbIjPmHtProductId, EKeyBool_HbIjPmSpeedMechCapablePrintMode, "
           "EKeyBool_HbIjPmPageExtentEnabled,"
           " EKeyBool_HbIjPmPhotoMediaSelected, EKeyBool_HbIjPmHagakiMediaType, "
           "EKeyDword_HbIjPmGladeProductVariant"
           " FROM sample.FDT4116 WHERE NiraUIMediaTypeID = 256;"
           "DETACH DATABASE sample;";
}

void AddFeature(CNiraUISettings& ui, int feature, int defaultOption,
                std::initializer_list<std::pair<int, const WCHAR*>> options)
{
    auto* record = static_cast<FeatureRecord*>(LocalAlloc(LPTR, sizeof(FeatureRecord)));
    record->size = sizeof(FeatureRecord);
    record->featureId = feature;
    record->defaultOption = defaultOption;
    ASSERT_EQ(ui.AddFeature(record), 0);
    for (const auto& option : options) {
        auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
        info->featureId = feature;
        info->optionIndex = option.first;
        CopyStringSafe(info->displayName, kOptionTextLength, option.second);
        ASSERT_EQ(ui.AddOption(feature, option.first, info), 0);
    }
}

}  // namespace

class ProductDataEdgeTest : public SettingsClientTest {
protected:
    void SetUp() override
    {
        SettingsClientTest::SetUp();
        static bool installed = false;
        if (!installed) {
            InstallPrinterWithDatabase(TEXT("Edge Rows"), EdgeDatabase());
            installed = true;
        }
        edgePrinter = OpenTestPrinter(TEXT("Edge Rows"));
        ASSERT_NE(edgePrinter, nullptr);
        AddFeature(ui, 4114, 256, {{256, TEXT("Letter")}, {501, TEXT("My card")}});
        AddFeature(ui, 4117, 7, {{7, TEXT("Automatically select")}});
        AddFeature(ui, 4119, 1, {{1, TEXT("Off")}, {2, TEXT("On")}});
        AddFeature(ui, 4115, 2, {{2, TEXT("Normal")}});
        AddFeature(ui, 4116, 549, {{549, TEXT("Media 549")}, {550, TEXT("My media")}});
        AddFeature(ui, 4307, 259, {{259, TEXT("Photo paper, glossy")}});
        AddFeature(ui, 4121, 500, {{500, TEXT("Five hundred")}, {501, TEXT("My card")}});
        const std::pair<int, const WCHAR*> sizes[] = {
            {4150, TEXT("4.5")},  {4151, TEXT("6.5")},  {4147, TEXT("0.2")},  {4149, TEXT("0.3")},
            {4146, TEXT("0.25")}, {4148, TEXT("0.35")}, {4180, TEXT("0.01")}, {4181, TEXT("0.02")},
            {4182, TEXT("0.03")}, {4183, TEXT("0.04")}};
        for (const auto& size : sizes) {
            AddFeature(ui, size.first, 1, {{1, size.second}});
        }
        ASSERT_EQ(client.Initialize(edgePrinter), TRUE);
        ASSERT_EQ(provider.Attach(&client), TRUE);
        ASSERT_EQ(provider.SetTarget(edgePrinter, &ui), TRUE);
    }

    void TearDown() override
    {
        provider.ReleaseAll();
        client.ReleaseObjects();
        if (edgePrinter != nullptr) {
            ClosePrinter(edgePrinter);
        }
        SettingsClientTest::TearDown();
    }

    void SelectOption(int feature, int option) { ASSERT_EQ(ui.ForceCurrentOption(&feature, &option, 1), 0); }

    HANDLE edgePrinter = nullptr;
    CNiraUISettings ui;
    CNiraSettingsClient client;
    CNiraProductData provider;
};

TEST_F(ProductDataEdgeTest, TargetSizeAboveFiveHundredIsTheOptionItself)
{
    LONG value = 0;
    ASSERT_EQ(provider.SyncInt(2), TRUE);
    ASSERT_EQ(client.GetInt(2, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 77);
    SelectOption(4121, 501);
    ASSERT_EQ(provider.SyncInt(2), TRUE);
    ASSERT_EQ(client.GetInt(2, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 501);
}

// A user-defined paper's row is made from its option records; the columns such a row lacks
// cannot be read, and its two-sided bottom margin is that of paper option 26.
TEST_F(ProductDataEdgeTest, UserDefinedPaperComesFromOptionRecords)
{
    SelectOption(4114, 501);
    CNiraString name;
    ASSERT_EQ(provider.LookupValue(PRODUCT_SOURCE_PAPER_ROW, SETTING_ARRAY_STRING, 3, &name), TRUE);
    EXPECT_EQ(WString(name.GetBuffer()), TEXT("My card"));
    LONG sizeIndex = 0;
    ASSERT_EQ(provider.LookupValue(PRODUCT_SOURCE_PAPER_ROW, SETTING_ARRAY_INT, 2005, &sizeIndex), TRUE);
    EXPECT_EQ(sizeIndex, 101);
    const std::pair<LONG, FLOAT> floats[] = {{10, 4.5f},  {11, 6.5f},  {13, 0.2f},  {15, 0.3f},  {12, 0.25f},
                                             {14, 0.35f}, {22, 0.01f}, {23, 0.02f}, {20, 0.03f}, {21, 0.04f}};
    for (const auto& expected : floats) {
        FLOAT value = 0;
        ASSERT_EQ(provider.LookupValue(PRODUCT_SOURCE_PAPER_ROW, SETTING_ARRAY_FLOAT, expected.first, &value),
                  TRUE)
            << expected.first;
        EXPECT_FLOAT_EQ(value, expected.second) << expected.first;
    }
    BYTE borderless = 1;
    ASSERT_EQ(provider.LookupValue(PRODUCT_SOURCE_PAPER_ROW, SETTING_ARRAY_FLAG, 100, &borderless), TRUE);
    EXPECT_EQ(borderless, 0);
    EXPECT_EQ(provider.SyncFlag(22), FALSE);
    EXPECT_EQ(provider.SyncFlag(112), FALSE);
    EXPECT_EQ(provider.SyncIntRef(135), FALSE);

    ASSERT_EQ(provider.SyncFloat(16), TRUE);
    FLOAT bottom = 0;
    ASSERT_EQ(client.GetFloat(16, &bottom, 0, 0), TRUE);
    EXPECT_FLOAT_EQ(bottom, 0.7f);
}

// A media option above 549 is a user's media: its print mode is that of its base media.
TEST_F(ProductDataEdgeTest, UserMediaUsesItsBaseMedia)
{
    LONG mediaIndex = 0;
    ASSERT_EQ(provider.LookupValue(PRODUCT_SOURCE_PRINT_MODE_ROW, SETTING_ARRAY_INT, 2003, &mediaIndex),
              TRUE);
    EXPECT_EQ(mediaIndex, 42);
    SelectOption(4116, 550);
    ASSERT_EQ(provider.Attach(&client), TRUE);
    ASSERT_EQ(provider.SetTarget(edgePrinter, &ui), TRUE);
    ASSERT_EQ(provider.LookupValue(PRODUCT_SOURCE_PRINT_MODE_ROW, SETTING_ARRAY_INT, 2003, &mediaIndex),
              TRUE);
    EXPECT_EQ(mediaIndex, 3);  // glossy photo paper
}

// Automatic selection of a product that cannot select by itself becomes the paper's input bin.
TEST_F(ProductDataEdgeTest, AutomaticInputBinFallsBackToThePapersBin)
{
    ASSERT_EQ(provider.SyncIntRef(49), TRUE);
    LONG bin = 0;
    ASSERT_EQ(client.GetIntRef(49, &bin, 0, 0), TRUE);
    EXPECT_EQ(bin, 1);  // Letter's bin
}

TEST_F(ProductDataEdgeTest, SlidersAndTheProvidersLife)
{
    LONG value = 0;
    ASSERT_EQ(provider.SyncIntRef(50), TRUE);
    ASSERT_EQ(client.GetIntRef(50, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 1);
    const LONG sharpness = 0;
    ASSERT_EQ(client.SetIntRef(40, &sharpness, 0), TRUE);
    ASSERT_EQ(provider.SyncIntRef(50), TRUE);
    ASSERT_EQ(client.GetIntRef(50, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 2);

    // Handled, but served by nobody here.
    EXPECT_EQ(provider.HandlesInt(100), TRUE);
    EXPECT_EQ(provider.SyncInt(100), FALSE);
    EXPECT_EQ(provider.HandlesInt(2052), FALSE);
    EXPECT_EQ(provider.HandlesByte(0), FALSE);

    // A new Attach closes the database: nothing is set until the next SetTarget.
    ASSERT_EQ(provider.Attach(&client), TRUE);
    EXPECT_EQ(provider.UpdateAll(), TRUE);
    EXPECT_EQ(client.IsIntPresent(4), FALSE);
    EXPECT_EQ(provider.SyncInt(4), FALSE);
    ASSERT_EQ(provider.SetTarget(edgePrinter, &ui), TRUE);
    EXPECT_EQ(provider.SyncInt(4), TRUE);
    EXPECT_EQ(provider.SetTarget(nullptr, &ui), FALSE);
    EXPECT_EQ(provider.SetTarget(edgePrinter, nullptr), FALSE);
}

// String 5: the description of the process image in its last translation; empty without a
// version block; the owner's value kept when the block has no description.
TEST_F(ProductDataEdgeTest, ProcessDescription)
{
    auto description = [this]() {
        CNiraString* copy = nullptr;
        WString text = TEXT("(absent)");
        if (provider.SyncString(5) == TRUE && client.GetString(5, &copy, 0, 0) == TRUE) {
            text = copy->GetBuffer();
            client.ReleaseString(copy);
        }
        return text;
    };
    TestMachine().SetProcessPath("C:\\Apps\\Report.exe");
    nirasim::FileVersion version;
    version.strings = {{TEXT("FileDescription"), TEXT("Report Writer")},
                       {TEXT("CompanyName"), TEXT("Example")}};
    TestMachine().SetFileVersion("C:\\Apps\\Report.exe", version);
    EXPECT_EQ(description(), TEXT("Report Writer"));

    TestMachine().SetProcessPath("C:\\Apps\\Plain.exe");
    EXPECT_EQ(description(), TEXT(""));

    TestMachine().SetProcessPath("C:\\Apps\\Bare.exe");
    version.strings = {{TEXT("CompanyName"), TEXT("Example")}};
    TestMachine().SetFileVersion("C:\\Apps\\Bare.exe", version);
    CNiraString earlier(TEXT("Earlier"));
    ASSERT_EQ(client.SetString(5, &earlier, 0), TRUE);
    EXPECT_EQ(description(), TEXT("Earlier"));
}
