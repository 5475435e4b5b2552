// The external settings interface as a program outside the property sheets uses it: one
// initialisation, values through the constraint engine, the option lists, and a DEVMODE written
// and read back.
#include "SyncFixture.h"

#include <utility>

#include "nira/uiplugin/core/external/ExternalInterface.h"

namespace {

constexpr int kPrintQuality = 4115;
constexpr int kMaxResolution = 4298;
constexpr int kPaperSize = 4114;
constexpr int kBorderless = 4119;
constexpr int kMediaType = 4116;

using Seen = std::vector<std::pair<int, WString>>;

int OnOption(int, int optionId, const WCHAR* name, void* userData)
{
    static_cast<Seen*>(userData)->emplace_back(optionId, WString(name));
    return 0;
}

int OnOptionEx(int, int optionId, int, const WCHAR* name, void* userData)
{
    static_cast<Seen*>(userData)->emplace_back(optionId, WString(name));
    return 0;
}

int OnFeature(int featureId, int optionId, const WCHAR*, int, void* userData)
{
    static_cast<std::vector<std::pair<int, int>>*>(userData)->emplace_back(featureId, optionId);
    return featureId;
}

std::vector<int> Ids(const Seen& seen)
{
    std::vector<int> ids;
    for (const auto& entry : seen) {
        ids.push_back(entry.first);
    }
    return ids;
}

class ExternalInterfaceTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        external.reset(CreateExternalInterfaceInstance());
        ASSERT_NE(external, nullptr);
    }
    void TearDown() override
    {
        external.reset();
        SyncTest::TearDown();
    }

    std::unique_ptr<INiraExternalInterface> external;
};

}  // namespace

TEST_F(ExternalInterfaceTest, NothingAnswersBeforeInitialize)
{
    int option = 7;
    EXPECT_EQ(external->GetValue(kPrintQuality, &option), NIRA_STATUS_FAILED);
    EXPECT_EQ(external->SetValue(kPrintQuality, 1), NIRA_STATUS_FAILED);
    EXPECT_EQ(external->GetDefaultValue(kPrintQuality, &option), 0);
    EXPECT_EQ(option, 7);
    OptionInfo info = {};
    EXPECT_EQ(external->GetOptionInfo(kPrintQuality, 1, &info), -1);
    EXPECT_EQ(external->EnumerateFeatures(0, OnFeature, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(external->ReadDevMode(), nullptr);
    EXPECT_EQ(external->SaveFeatureStore(), 0);
}

TEST_F(ExternalInterfaceTest, OnlyTheFirstInitializeCounts)
{
    Machine().AddSamplePrinter(TEXT("Second Inkjet"));
    HANDLE second = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(TEXT("Second Inkjet")), &second, nullptr));
    external->Initialize(printer);
    ASSERT_EQ(external->SetValue(kPrintQuality, 3), 0);
    external->Initialize(second);
    int option = 0;
    EXPECT_EQ(external->GetValue(kPrintQuality, &option), 0);
    EXPECT_EQ(option, 3);
    ClosePrinter(second);
}

// Option 5 of print quality follows the maximum-resolution feature, a setting of the printer kept
// in the registry store; the plain enumeration leaves out every unavailable print-quality option,
// the extended one only option 5.
TEST_F(ExternalInterfaceTest, PrintQualityOptionsFollowTheRules)
{
    external->Initialize(printer);
    Seen plain;
    Seen extended;
    external->EnumerateOptions(kPrintQuality, OnOption, &plain);
    external->EnumerateOptionsEx(kPrintQuality, OnOptionEx, &extended);
    EXPECT_EQ(Ids(plain), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Ids(extended), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(plain.front().second, TEXT("Draft"));

    // Plain paper takes maximum dpi away (a sample rule).
    ASSERT_EQ(external->SetValue(kMediaType, 259), 0);
    ASSERT_EQ(external->SetValue(kMediaType, 256), 0);
    plain.clear();
    extended.clear();
    external->EnumerateOptions(kPrintQuality, OnOption, &plain);
    external->EnumerateOptionsEx(kPrintQuality, OnOptionEx, &extended);
    EXPECT_EQ(Ids(plain), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Ids(extended), (std::vector<int>{1, 2, 3, 4}));

    // The store lives under the printer's per-user key, which the paper list makes.
    const WString guid = TEXT("{5A1F0C2E-0B7D-4C1A-9E55-0D3C2B1A4F60}");
    Machine().SetPrinterData(kPrinter, "ZQRestrictedUserGuid", REG_SZ,
                             std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * 2),
                             "ZQPresetRoot");
    ASSERT_EQ(external->SetValue(kMaxResolution, 2), 0);
    EXPECT_EQ(external->SaveFeatureStore(), 0);
    std::unique_ptr<INiraExternalInterface> next(CreateExternalInterfaceInstance());
    next->Initialize(printer);
    OptionInfo info = {};
    ASSERT_EQ(next->GetOptionInfo(kPrintQuality, 5, &info), 0);
    EXPECT_EQ(info.state, OPTION_STATE_SELECTABLE);
    extended.clear();
    next->EnumerateOptionsEx(kPrintQuality, OnOptionEx, &extended);
    EXPECT_EQ(Ids(extended), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(ExternalInterfaceTest, ValuesGoThroughTheConstraintRules)
{
    external->Initialize(printer);
    ASSERT_EQ(external->SetValue(kPaperSize, 263), 0);
    ASSERT_EQ(external->SetValue(kBorderless, 2), 0);
    int option = 0;
    external->GetValue(kBorderless, &option);
    EXPECT_EQ(option, 2);
    OptionInfo info = {};
    ASSERT_EQ(external->GetOptionInfo(kMediaType, 256, &info), 0);
    EXPECT_EQ(info.state, OPTION_STATE_CONFLICT);  // plain paper is no paper for borderless prints
    EXPECT_EQ(info.iconId, 127);

    std::vector<std::pair<int, int>> features;
    const int last = external->EnumerateFeatures(0, OnFeature, &features);
    ASSERT_FALSE(features.empty());
    EXPECT_EQ(last, features.back().first);
    EXPECT_NE(std::find(features.begin(), features.end(), std::make_pair(kBorderless, 2)), features.end());
}

TEST_F(ExternalInterfaceTest, ReadDevModeReturnsTheWrittenDevModeWithTheSettings)
{
    external->Initialize(printer);
    std::vector<BYTE> devMode = DefaultDevMode();
    PackDefaults(devMode);
    DEVMODEW* written = PublicOf(devMode);
    EXPECT_EQ(external->WriteDevMode(written), 0);
    ASSERT_EQ(external->SetValue(kPaperSize, 259), 0);  // A4
    ASSERT_EQ(external->SetValue(4118, 2), 0);
    written->dmFields = 0;

    DEVMODEW* read = external->ReadDevMode();
    ASSERT_EQ(read, written);
    EXPECT_EQ(read->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(read->dmPaperLength, 5000);
    EXPECT_EQ(read->dmPaperWidth, 5000);
    EXPECT_EQ(read->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(read->dmFields & (DM_PAPERSIZE | DM_ORIENTATION),
              static_cast<DWORD>(DM_PAPERSIZE | DM_ORIENTATION));
    EXPECT_EQ(read->dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);
    PrivateDevMode* section = SectionOf(devMode);
    EXPECT_EQ(section->paperSizeAtApply, DMPAPER_A4);
    EXPECT_EQ(section->orientationAtApply, DMORIENT_LANDSCAPE);
    EXPECT_TRUE(IsBlockChecksumValid(section));

    // A fresh interface reads the settings back from the DEVMODE.
    std::unique_ptr<INiraExternalInterface> other(CreateExternalInterfaceInstance());
    other->Initialize(printer);
    other->WriteDevMode(read);
    int option = 0;
    other->GetValue(kPaperSize, &option);
    EXPECT_EQ(option, 259);
}

TEST_F(ExternalInterfaceTest, DevModeWithoutSectionIsLeftAlone)
{
    external->Initialize(printer);
    DEVMODEW bare = {};
    bare.dmSize = sizeof(bare);
    EXPECT_EQ(external->WriteDevMode(&bare), 0);
    EXPECT_EQ(external->ReadDevMode(), nullptr);  // nothing was written before
    EXPECT_EQ(bare.dmFields, 0u);
}
