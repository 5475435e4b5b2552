#include "nira/uiplugin/foundation/dmc/DmcNameTables.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(DmcNameTables, FeatureNamesMapWithoutRegardToCase)
{
    EXPECT_EQ(DmcFeatureIdFromName(TEXT("PaperSize")), 4114);
    EXPECT_EQ(DmcFeatureIdFromName(TEXT("papersize")), 4114);
    EXPECT_EQ(DmcFeatureIdFromName(TEXT("ADVANCED_PAGEORDER")), 4226);
    EXPECT_EQ(DmcFeatureIdFromName(TEXT("ZQMaxDpi")), 4298);
    EXPECT_EQ(DmcFeatureIdFromName(TEXT("Staple")), kDmcNoId);
    EXPECT_EQ(DmcFeatureIdFromName(TEXT("")), kDmcNoId);
    EXPECT_EQ(DmcFeatureIdFromName(nullptr), kDmcNoId);
}

TEST(DmcNameTables, OptionNamesMapPerFeatureAndTheFirstRowWins)
{
    struct Case {
        int featureId;
        const WCHAR* name;
        int optionId;
    };
    const int kNotFound = 12345;  // what the look-up leaves alone when the table lacks the name
    const Case cases[] = {
        {4116, TEXT("INKJET_SCRAPBOOK_PAPER_MATTE"), 74},  // listed again as 76
        {4114, TEXT("BORDERLESS_B5_176_X_250_MM"), 48},    // listed again as 71
        {4114, TEXT("jis_chou_#2"), 67},
        {4117, TEXT("Main Tray"), 5},
        {4125, TEXT("automatic"), 3},
        {4136, TEXT("TRUE"), 2},
        {4119, TEXT("true"), 2},
        {4302, TEXT("Ligher"), -2},
        {4302, TEXT("Light"), -1},  // a real option, found
        {4302, TEXT("HEAVIEST"), 2},
        {4137, TEXT("BlackOnly"), 4},
        {4122, TEXT("Off"), 1},
        {4116, TEXT("TRUE"), kNotFound},  // a name of other features only
        {9999, TEXT("Normal"), kNotFound},
        {4115, nullptr, kNotFound},
    };
    for (const Case& c : cases) {
        int optionId = kNotFound;
        EXPECT_EQ(DmcFindOptionId(c.featureId, c.name, &optionId), c.optionId != kNotFound) << c.featureId;
        EXPECT_EQ(optionId, c.optionId) << c.featureId;
    }
}

TEST(DmcNameTables, RowsPerFeatureAreComplete)
{
    std::map<int, int> rows;
    for (const DmcOptionName& row : DmcOptionNameTable) {
        ++rows[row.featureId];
    }
    const std::map<int, int> expected = {
        {4115, 7}, {4116, 75}, {4114, 89}, {4117, 9}, {4118, 2}, {4298, 2}, {4120, 2}, {4121, 28}, {4122, 3},
        {4128, 6}, {4129, 4},  {4136, 2},  {4226, 2}, {4127, 2}, {4125, 3}, {4126, 2}, {4130, 3},  {4119, 2},
        {4222, 2}, {4218, 2},  {4138, 1},  {4221, 2}, {4305, 2}, {4302, 5}, {4137, 2}};
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(DmcOptionNameTable[0].optionId, 1);
    EXPECT_EQ(DmcOptionNameTable[kDmcOptionNameCount - 1].optionId, 4);
    EXPECT_EQ(DmcFeatureNameTable[kDmcFeatureNameCount - 1].featureId, 4298);
}

}  // namespace
