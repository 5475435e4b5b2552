// The value rule of every entry the product-data provider serves.
#include "nira/uiplugin/settings/productdata/ProductData.h"

#include <strsafe.h>

#include "nira/uiplugin/foundation/databases/QueryText.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

namespace {

// A run of entries whose value comes from one source, or is one fixed value (source 0).
struct ProductValueRule {
    LONG first;
    LONG last;
    LONG source;
    LONG fixed;
};

constexpr LONG kFixedValue = 0;
constexpr LONG kFromOption = PRODUCT_SOURCE_FEATURE_OPTION;
constexpr LONG kFromProduct = PRODUCT_SOURCE_PRODUCT_ROW;
constexpr LONG kFromPrintMode = PRODUCT_SOURCE_PRINT_MODE_ROW;
constexpr LONG kFromPaper = PRODUCT_SOURCE_PAPER_ROW;

const ProductValueRule kFlagRules[] = {
    {0, 1, kFixedValue, 0},        {4, 4, kFixedValue, 0},        {6, 7, kFixedValue, 0},
    {9, 11, kFixedValue, 0},       {14, 14, kFixedValue, 0},      {17, 18, kFixedValue, 0},
    {101, 102, kFixedValue, 0},    {107, 108, kFixedValue, 0},    {264, 264, kFixedValue, 0},
    {267, 267, kFixedValue, 0},    {270, 270, kFixedValue, 0},    {3, 3, kFromOption, 0},
    {8, 8, kFromOption, 0},        {12, 13, kFromOption, 0},      {103, 106, kFromOption, 0},
    {109, 109, kFromOption, 0},    {120, 127, kFromProduct, 0},   {140, 144, kFromProduct, 0},
    {148, 154, kFromProduct, 0},   {158, 158, kFromProduct, 0},   {253, 253, kFromProduct, 0},
    {272, 273, kFromProduct, 0},   {336, 337, kFromProduct, 0},   {260, 263, kFromPrintMode, 0},
    {265, 266, kFromPrintMode, 0}, {268, 269, kFromPrintMode, 0}, {274, 274, kFromPrintMode, 0},
    {15, 15, kFromPaper, 0},       {22, 22, kFromPaper, 0},       {100, 100, kFromPaper, 0},
    {110, 110, kFromPaper, 0},     {112, 112, kFromPaper, 0},     {275, 275, kFromPaper, 0},
};

const ProductValueRule kIntRules[] = {
    {0, 0, kFixedValue, 0},          {1912, 1912, kFixedValue, 0},    {1994, 1994, kFixedValue, 0},
    {1998, 1998, kFixedValue, 0},    {4, 4, kFixedValue, 100},        {1910, 1910, kFixedValue, 100},
    {2048, 2048, kFromOption, 0},    {1950, 1950, kFromProduct, 0},   {1999, 2000, kFromProduct, 0},
    {2032, 2032, kFromProduct, 0},   {2047, 2047, kFromProduct, 0},   {3, 3, kFromPrintMode, 0},
    {1920, 1921, kFromPrintMode, 0}, {1981, 1989, kFromPrintMode, 0}, {1995, 1997, kFromPrintMode, 0},
    {2003, 2004, kFromPrintMode, 0}, {2005, 2005, kFromPaper, 0},
};

const ProductValueRule kFloatRules[] = {
    {0, 1, kFromProduct, 0},
    {10, 15, kFromPaper, 0},
};

const ProductValueRule kIntRefRules[] = {
    {1, 6, kFromOption, 0},      {8, 8, kFromOption, 0},        {30, 42, kFromOption, 0},
    {45, 45, kFromOption, 0},    {48, 48, kFromOption, 0},      {106, 106, kFromOption, 0},
    {70, 72, kFromProduct, 0},   {101, 101, kFromProduct, 0},   {130, 130, kFromProduct, 0},
    {47, 47, kFromPrintMode, 0}, {100, 100, kFromPrintMode, 0}, {102, 105, kFromPrintMode, 0},
    {135, 135, kFromPaper, 0},
};

const ProductValueRule kStringRules[] = {
    {3, 3, kFromPaper, 0},
    {70, 74, kFromProduct, 0},
};

template <size_t N>
const ProductValueRule& FindRule(const ProductValueRule (&rules)[N], LONG index)
{
    for (const ProductValueRule& rule : rules) {
        if (index >= rule.first && index <= rule.last) {
            return rule;
        }
    }
    RaiseSettingsError(ERROR_INVALID_DATA);
}

// Features whose current options the rules read.
constexpr LONG FEATURE_TARGET_SIZE = 4121;
constexpr LONG FEATURE_DUPLEX_EDGE = 4126;
constexpr LONG FEATURE_POSTER = 4219;
constexpr LONG FEATURE_ROLL_CUT = 4254;
constexpr LONG kFeatureRollValuesFirst = 4255;  // 4255..4260 give kind-3 1951..1956
constexpr LONG kFeatureHagaki = 4299;
constexpr LONG kFeatureTolerance = 4310;

// Above this an option id names a user-defined paper size, whose margins follow this paper.
constexpr LONG kLastStandardOption = 500;
constexpr LONG kUserPaperMarginOption = 26;
constexpr LONG kNoOption = -1;
constexpr LONG kAutoSelectBin = 7;
constexpr LONG kSliderAbsent = -99;

constexpr size_t kShortQueryChars = 300;

// -1 (no current option) is read as the first option.
LONG FirstIfNone(LONG option)
{
    return option == kNoOption ? 1 : option;
}

}  // namespace

bool CNiraProductData::TryCurrentOption(LONG featureId, LONG* option)
{
    int current = 0;
    int isSet = 0;
    if (m_uiSettings == nullptr || m_uiSettings->GetCurrentOption(featureId, &current, &isSet) != 0) {
        return false;
    }
    *option = current;
    return true;
}

LONG CNiraProductData::CurrentOption(LONG featureId)
{
    LONG option = 0;
    RequireSettings(TryCurrentOption(featureId, &option));
    return option;
}

// The option starts at 0 and keeps it when the read fails.
LONG CNiraProductData::CurrentOptionOrZero(LONG featureId)
{
    LONG option = 0;
    TryCurrentOption(featureId, &option);
    return option;
}

BYTE CNiraProductData::OwnerFlag(LONG index, bool* read)
{
    BYTE value = 0;
    *read = m_owner->GetFlag(index, &value, FALSE, FALSE) == TRUE;
    return *read ? value : 0;
}

LONG CNiraProductData::OwnerIntRef(LONG index, bool* read)
{
    LONG value = 0;
    *read = m_owner->GetIntRef(index, &value, FALSE, FALSE) == TRUE;
    return value;
}

// The OptionIndex of an option in CAP_OPTIONS_INFO; 0 when the option has no row.
LONG CNiraProductData::QueryOptionIndex(LONG featureId, LONG optionId)
{
    CHAR sql[kShortQueryChars];
    RequireSettings(SUCCEEDED(StringCchPrintfA(
        sql, kShortQueryChars,
        "SELECT OptionIndex FROM CAP_OPTIONS_INFO WHERE FeatureID=\"%d\" AND OptionID=\"%d\"", featureId,
        optionId)));
    LONG optionIndex = 0;
    RunQuery(sql, ProductCountRow, &optionIndex);
    return optionIndex;
}

LONG CNiraProductData::InputBinOptionIndex()
{
    return QueryOptionIndex(kFeatureInputBin, FirstIfNone(CurrentOption(kFeatureInputBin)));
}

FLOAT CNiraProductData::BottomMargin()
{
    LONG paper = FirstIfNone(CurrentOption(kFeaturePaperSize));
    if (paper > kLastStandardOption) {
        paper = kUserPaperMarginOption;
    }
    CHAR sql[kShortQueryChars];
    RequireSettings(
        SUCCEEDED(StringCchPrintfA(sql, kShortQueryChars,
                                   "SELECT EKeyFloat_PmPaperBottomMarginInches FROM FDT4114 WHERE "
                                   "OptionID=\"%d\" AND Duplex =\"1\" AND MM =\"1\"",
                                   paper)));
    CNiraString text;
    RunQuery(sql, ProductSingleValueRow, &text);
    return static_cast<FLOAT>(_wtof(text.GetBuffer()));
}

BYTE CNiraProductData::FlagValue(LONG index)
{
    switch (index) {
    case 5:
        return CurrentOptionOrZero(FEATURE_DUPLEX_EDGE) != 1 ? 1 : 0;
    case 16:
        return CurrentOptionOrZero(FEATURE_POSTER) != 1 ? 1 : 0;
    case 19:
        return CurrentOption(FEATURE_ROLL_CUT) == 2 ? 1 : 0;
    case 21:
        return CurrentOptionOrZero(kFeatureHagaki) == 2 ? 1 : 0;
    case 20: {
        const BYTE sensorMedia = SourceFlag(kFromOption, index);
        bool read = false;
        const BYTE widthSensor = OwnerFlag(22, &read);
        RequireSettings(read);
        return sensorMedia && widthSensor ? 1 : 0;
    }
    case 23: {
        LONG option = 0;
        return TryCurrentOption(kFeatureTolerance, &option) ? 1 : 0;
    }
    default:
        break;
    }
    const ProductValueRule& rule = FindRule(kFlagRules, index);
    return rule.source == kFixedValue ? static_cast<BYTE>(rule.fixed) : SourceFlag(rule.source, index);
}

LONG CNiraProductData::IntValue(LONG index)
{
    switch (index) {
    case 2: {
        const LONG target = FirstIfNone(CurrentOption(FEATURE_TARGET_SIZE));
        return target > kLastStandardOption ? target : SourceInt(kFromOption, SETTING_ARRAY_INT, index);
    }
    case 5:
        return InputBinOptionIndex();
    case 1911:
        return QueryOptionIndex(kFeatureMediaType, 1);
    case 1951:
    case 1952:
    case 1953:
    case 1954:
    case 1955:
    case 1956:
        return CurrentOption(kFeatureRollValuesFirst + index - 1951);
    case 2006:
    case 2007: {
        bool read = false;
        const BYTE toleranceShown = OwnerFlag(23, &read);
        return read && toleranceShown ? SourceInt(kFromOption, SETTING_ARRAY_INT, index) : 0;
    }
    default:
        break;
    }
    const ProductValueRule& rule = FindRule(kIntRules, index);
    return rule.source == kFixedValue ? rule.fixed : SourceInt(rule.source, SETTING_ARRAY_INT, index);
}

FLOAT CNiraProductData::FloatValue(LONG index)
{
    constexpr LONG kOversprayFirst = 20;
    constexpr LONG kOversprayLast = 23;
    constexpr LONG kOversprayPercent = 45;  // kind 6
    if (index == 16) {
        return BottomMargin();
    }
    if (index >= kOversprayFirst && index <= kOversprayLast) {
        FLOAT overspray = SourceFloat(kFromPaper, index);
        if (overspray > 0) {
            const DWORD percent =
                static_cast<DWORD>(SourceInt(kFromOption, SETTING_ARRAY_INT_REF, kOversprayPercent));
            overspray = static_cast<FLOAT>(overspray * static_cast<FLOAT>(percent) / 100.0);
        }
        return overspray;
    }
    return SourceFloat(FindRule(kFloatRules, index).source, index);
}

LONG CNiraProductData::IntRefValue(LONG index)
{
    switch (index) {
    case 0: {
        const LONG mode = SourceInt(kFromOption, SETTING_ARRAY_INT_REF, index);
        return CurrentOption(kFeatureDuplex) == 1 ? 0 : mode;
    }
    case 9: {
        // Poster sheets 2x2 .. 5x5; the poster-off option has no value here.
        const LONG poster = CurrentOption(FEATURE_POSTER);
        RequireSettings(poster >= 2 && poster <= 5);
        return poster - 2;
    }
    case 10:
        return InputBinOptionIndex();
    case 46: {
        bool read = false;
        const BYTE grayscale = OwnerFlag(103, &read);
        return read && grayscale ? SourceInt(kFromOption, SETTING_ARRAY_INT_REF, index) : 0;
    }
    case 49: {
        LONG bin = SourceInt(kFromOption, SETTING_ARRAY_INT_REF, index);
        if (bin == kAutoSelectBin && !SourceFlag(kFromProduct, 337)) {
            bin = SourceInt(kFromPaper, SETTING_ARRAY_INT_REF, 135);
        }
        return bin;
    }
    case 50: {
        bool read = false;
        LONG sharpness = OwnerIntRef(40, &read);
        sharpness = read ? sharpness : kSliderAbsent;
        LONG clarity = OwnerIntRef(38, &read);
        clarity = read ? clarity : kSliderAbsent;
        return sharpness == kSliderAbsent && clarity == kSliderAbsent ? 1 : 2;
    }
    default:
        break;
    }
    return SourceInt(FindRule(kIntRefRules, index).source, SETTING_ARRAY_INT_REF, index);
}

void CNiraProductData::StringValue(LONG index, CNiraString& value)
{
    if (index == 5) {
        DescriptionText(value);
        return;
    }
    value.Assign(SourceText(FindRule(kStringRules, index).source, SETTING_ARRAY_STRING, index));
}
