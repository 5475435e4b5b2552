// The product data the settings client gathers after copying the UI settings: every rule of the
// provider over the sample capability database, for the default options and for changed ones.
#include "SettingsClientFixture.h"

#include <cmath>
#include <string>
#include "support/WString.h"
#include <vector>

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/productdata/ProductData.h"

namespace {

// A value expected in the client after CopyFromUISettings; kAbsent when the rule cannot give one.
struct Expected {
    LONG kind;
    LONG index;
    double value;
    const WCHAR* text;  // strings only
};

constexpr double kAbsent = -12345;

std::string Describe(const Expected& entry)
{
    return "kind " + std::to_string(entry.kind) + " index " + std::to_string(entry.index);
}

// The entry's value read from the client, or kAbsent.
double ReadValue(CNiraSettingsClient& client, LONG kind, LONG index, WString* text = nullptr)
{
    switch (kind) {
    case SETTING_ARRAY_FLAG: {
        BYTE value = 0;
        return client.GetFlag(index, &value, 0, 0) == TRUE ? value : kAbsent;
    }
    case SETTING_ARRAY_INT: {
        LONG value = 0;
        return client.GetInt(index, &value, 0, 0) == TRUE ? value : kAbsent;
    }
    case SETTING_ARRAY_FLOAT: {
        FLOAT value = 0;
        return client.GetFloat(index, &value, 0, 0) == TRUE ? value : kAbsent;
    }
    case SETTING_ARRAY_INT_REF: {
        LONG value = 0;
        return client.GetIntRef(index, &value, 0, 0) == TRUE ? value : kAbsent;
    }
    case SETTING_ARRAY_STRING: {
        CNiraString* copy = nullptr;
        if (client.GetString(index, &copy, 0, 0) != TRUE) {
            return kAbsent;
        }
        if (text != nullptr) {
            *text = copy->GetBuffer();
        }
        client.ReleaseString(copy);
        return 0;
    }
    default:
        return kAbsent;
    }
}

void ExpectValues(CNiraSettingsClient& client, const std::vector<Expected>& table)
{
    for (const Expected& entry : table) {
        SCOPED_TRACE(Describe(entry));
        WString text;
        const double value = ReadValue(client, entry.kind, entry.index, &text);
        if (entry.value == kAbsent) {
            EXPECT_EQ(value, kAbsent);
        } else if (entry.kind == SETTING_ARRAY_STRING) {
            ASSERT_NE(value, kAbsent);
            EXPECT_EQ(text, entry.text);
        } else {
            EXPECT_NEAR(value, entry.value, 1e-5);
        }
    }
}

constexpr LONG F = SETTING_ARRAY_FLAG;
constexpr LONG I = SETTING_ARRAY_INT;
constexpr LONG R = SETTING_ARRAY_FLOAT;
constexpr LONG N = SETTING_ARRAY_INT_REF;
constexpr LONG S = SETTING_ARRAY_STRING;

}  // namespace

using ProductDataTest = SettingsClientTest;

// Letter, plain paper, normal quality, one-sided portrait, minimized margins (the sample's
// defaults), one entry or more from each source and each special rule.
TEST_F(ProductDataTest, DefaultOptionsGiveEachSourcesValues)
{
    auto sample = SampleSettings();
    CNiraSettingsClient client;
    Fill(client, sample->settings);
    ExpectValues(client,
                 {
                     // Fixed values.
                     {F, 0, 0, nullptr},
                     {F, 270, 0, nullptr},
                     {I, 0, 0, nullptr},
                     {I, 4, 100, nullptr},
                     {I, 1910, 100, nullptr},
                     {I, 1912, 0, nullptr},
                     // The product row.
                     {N, 101, 23, nullptr},
                     {I, 1999, 4, nullptr},
                     {I, 2000, 128, nullptr},
                     {N, 71, 2, nullptr},
                     {F, 120, 0, nullptr},
                     {F, 121, 1, nullptr},
                     {F, 337, 1, nullptr},
                     {R, 0, 8.5, nullptr},
                     {R, 1, 14.0, nullptr},
                     {S, 70, 0, TEXT("nirarend.dll")},
                     {S, 74, 0, TEXT("standard")},
                     {N, 130, 2, nullptr},
                     // The print-mode row of plain paper at normal quality.
                     {I, 1920, 600, nullptr},
                     {I, 1921, 600, nullptr},
                     {I, 1983, 300, nullptr},
                     {N, 105, 1, nullptr},
                     {N, 103, 1, nullptr},
                     {I, 3, 1, nullptr},
                     {N, 47, 2, nullptr},
                     {F, 268, 0, nullptr},
                     {F, 260, 1, nullptr},
                     {I, 1995, 1, nullptr},
                     // The paper row of Letter, one-sided, portrait, minimized margins.
                     {S, 3, 0, TEXT("Letter")},
                     {I, 2005, 2, nullptr},
                     {R, 10, 8.5, nullptr},
                     {R, 11, 11.0, nullptr},
                     {R, 13, 0.118, nullptr},
                     {R, 15, 0.118, nullptr},
                     {F, 15, 0, nullptr},
                     {F, 22, 1, nullptr},
                     {N, 135, 1, nullptr},
                     {R, 20, 0, nullptr},
                     // Columns of the features at their current options.
                     {N, 5, 1, nullptr},
                     {N, 6, 0, nullptr},
                     {F, 106, 1, nullptr},
                     {F, 3, 0, nullptr},
                     {I, 2, 2, nullptr},
                     {N, 0, 0, nullptr},
                     {N, 4, 1, nullptr},
                     {N, 3, 1, nullptr},
                     {N, 30, 0, nullptr},
                     {I, 2048, 0, nullptr},
                     {N, 46, 0, nullptr},
                     // Special rules: option indices, options compared, margins, sliders.
                     {I, 5, 7, nullptr},
                     {N, 10, 7, nullptr},
                     {I, 1911, 0, nullptr},
                     {F, 5, 0, nullptr},
                     {F, 16, 0, nullptr},
                     {R, 16, 0.46, nullptr},
                     {N, 49, 7, nullptr},
                     {N, 50, 1, nullptr},
                     {I, 2006, 0, nullptr},
                     {F, 23, 0, nullptr},
                     {F, 21, 0, nullptr},
                     // Rules whose feature the sample model does not have, or whose option has no value.
                     {F, 104, kAbsent, nullptr},
                     {F, 20, kAbsent, nullptr},
                     {F, 19, kAbsent, nullptr},
                     {N, 9, kAbsent, nullptr},
                     {I, 1951, kAbsent, nullptr},
                     {N, 45, kAbsent, nullptr},
                     // Not the provider's: the host-process strings come with the private section.
                     {S, 0, kAbsent, nullptr},
                 });
}

// Photo paper at maximum dpi, two-sided, landscape, grey, with the device reporting its photo
// pen: the CoolDot print mode of that pen set and the two-sided landscape paper row.
TEST_F(ProductDataTest, ChangedOptionsChooseOtherRows)
{
    TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY, "MFG:Nira;CAL:0;DU:1;PS:1;");
    auto sample = SampleSettings();
    Select(sample->settings, 4116, 259);
    Select(sample->settings, 4115, 4);
    Select(sample->settings, 4125, 2);
    Select(sample->settings, 4118, 2);
    Select(sample->settings, 4136, 2);
    Select(sample->settings, 4215, 1);
    Select(sample->settings, 4114, 263);
    Select(sample->settings, 4219, 3);
    CNiraSettingsClient client;
    Fill(client, sample->settings);
    ExpectValues(client, {
                             {F, 268, 1, nullptr},
                             {I, 2004, 1, nullptr},
                             {I, 1920, 1200, nullptr},
                             {F, 274, 1, nullptr},
                             {N, 0, 1, nullptr},
                             {N, 5, 2, nullptr},
                             {F, 103, 1, nullptr},
                             {N, 4, 2, nullptr},
                             {N, 46, 1, nullptr},
                             {F, 106, 0, nullptr},
                             {S, 3, 0, TEXT("4x6 in")},
                             {R, 15, 0.46, nullptr},
                             {R, 13, 0.125, nullptr},
                             {F, 100, 1, nullptr},
                             {N, 135, 4, nullptr},
                             {F, 16, 1, nullptr},
                             {N, 9, 1, nullptr},
                             // Borderless overspray needs the overspray slider, which the sample model lacks.
                             {R, 20, kAbsent, nullptr},
                         });
    TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY, "");
}

// Without the device's answer the pen set is the product's fallback.
TEST_F(ProductDataTest, PenSetFallsBackToTheProductRow)
{
    auto sample = SampleSettings();
    Select(sample->settings, 4116, 259);
    Select(sample->settings, 4115, 4);
    CNiraSettingsClient client;
    Fill(client, sample->settings);
    ExpectValues(client, {{I, 2004, 2, nullptr}, {F, 268, 1, nullptr}});
}

// Flag 222 makes the print-mode row that of media 1 whatever the media.
TEST_F(ProductDataTest, ForcedPlainMediaChoosesMediaOne)
{
    auto sample = SampleSettings();
    Select(sample->settings, 4116, 262);
    CNiraSettingsClient client;
    ASSERT_EQ(client.Initialize(printer), TRUE);
    ASSERT_EQ(client.SetFlag(222, 1, 0), TRUE);
    ASSERT_EQ(client.CopyFromUISettings(&sample->settings, 0), TRUE);
    ExpectValues(client, {{I, 2003, 0, nullptr}, {N, 104, 0, nullptr}});
}
