// The four sources of product values: feature columns at the current option, the product row,
// the print-mode row and the paper row of the capability database.
#include "nira/uiplugin/settings/productdata/ProductData.h"

#include <stdlib.h>
#include <strsafe.h>

#include <memory>

#include "nira/uiplugin/foundation/databases/QueryRow.h"
#include "nira/uiplugin/foundation/databases/QueryText.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

namespace {

// A setting and the column of a cached row that gives it.
struct ProductRowColumn {
    LONG position;
    LONG kind;
    LONG index;
};

struct FeatureColumn {
    LONG featureId;
    LONG kind;
    LONG index;
    LPCSTR column;
};

#define COLUMN(feature, kind, index, name)         \
    {                                              \
        feature, SETTING_ARRAY_##kind, index, name \
    }

const FeatureColumn FeatureColumnTable[] = {
    COLUMN(4117, INT_REF, 49, "EKeyEnum_HbIjUiInputBin"),
    COLUMN(4118, INT_REF, 5, "EKeyEnum_UiOrientation"),
    COLUMN(4118, INT_REF, 6, "EKeyEnum_UiLandscapeAngle"),
    COLUMN(4120, FLAG, 3, "EKeyBool_UiFitToPaper"),
    COLUMN(4121, INT, 2, "EKeyDword_UiDestPaperSizeIndex"),
    COLUMN(4124, FLAG, 105, "EKeyBool_HbIjUiPrintPreviewEnabled"),
    COLUMN(4125, INT, 2048, "EKeyDword_UiManualDuplexEnabled"),
    COLUMN(4126, INT_REF, 0, "EKeyEnum_UiDuplexMode"),
    COLUMN(4127, INT_REF, 1, "EKeyEnum_UiDuplexScalingOptions"),
    COLUMN(4128, INT_REF, 3, "EKeyEnum_UiNUpMode"),
    COLUMN(4129, INT_REF, 8, "EKeyEnum_UiNUpPageOrder"),
    COLUMN(4130, INT_REF, 2, "EKeyEnum_UiBookletMode"),
    COLUMN(4136, FLAG, 103, "EKeyBool_HbIjUiGrayscaleEnabled"),
    COLUMN(4136, INT_REF, 4, "EKeyEnum_UiColorMode"),
    COLUMN(4137, INT_REF, 46, "EKeyEnum_HbIjUiGrayScaleMode"),
    COLUMN(4138, INT_REF, 106, "EKeyEnum_HbIjPmPclColorSpace"),
    COLUMN(4238, FLAG, 104, "EKeyBool_HbIjUiRedEyeReductionEnabled"),
    COLUMN(4239, INT_REF, 38, "EKeyEnum_HbIjUiClarivexSlider"),
    COLUMN(4240, INT_REF, 39, "EKeyEnum_HbIjUiContrastSlider"),
    COLUMN(4241, INT_REF, 42, "EKeyEnum_HbIjUiLumigrantSlider"),
    COLUMN(4242, INT_REF, 40, "EKeyEnum_HbIjUiSharpnessSlider"),
    COLUMN(4243, INT_REF, 41, "EKeyEnum_HbIjUiSmoothingSlider"),
    COLUMN(4267, FLAG, 109, "EKeyBool_HbIjUiJpegPngPassthroughEnabled"),
    COLUMN(4218, FLAG, 12, "EKeyBool_UiMirrorPrintEnabled"),
    COLUMN(4299, FLAG, 21, "EKeyBool_HbIjHagakiPrintingEnabled"),
    COLUMN(4131, FLAG, 8, "EKeyBool_UiScaleToFit"),
    COLUMN(4156, FLAG, 20, "EKeyBool_UiMediaWithSensorEnabled"),
    COLUMN(4222, FLAG, 13, "EKeyBool_UiPrintTextAsBlackEnabled"),
    COLUMN(4169, INT_REF, 30, "EKeyEnum_HbIjUiCSlider"),
    COLUMN(4170, INT_REF, 31, "EKeyEnum_HbIjUiMSlider"),
    COLUMN(4171, INT_REF, 32, "EKeyEnum_HbIjUiYSlider"),
    COLUMN(4172, INT_REF, 33, "EKeyEnum_HbIjUiKSlider"),
    COLUMN(4166, INT_REF, 35, "EKeyEnum_HbIjUiBrightness"),
    COLUMN(4167, INT_REF, 34, "EKeyEnum_HbIjUiSaturation"),
    COLUMN(4168, INT_REF, 36, "EKeyEnum_HbIjUiColorTone"),
    COLUMN(4215, FLAG, 106, "EKeyBool_HbIjUiMinimizeMarginsEnabled"),
    COLUMN(4302, INT_REF, 37, "EKeyEnum_HbIjUiInkVolumeSlider"),
    COLUMN(4301, INT_REF, 45, "EKeyEnum_HbIjUiOverspraySlider"),
    COLUMN(4310, INT, 2006, "EKeyDword_HbIjPmDefaultTolerance"),
    COLUMN(4310, INT, 2007, "EKeyDword_HbIjPmMediaTypeSnapping"),
    COLUMN(4300, INT_REF, 48, "EKeyEnum_HbIjUiInkDryTimeSlider"),
};

#undef COLUMN
#define MAP(position, kind, index)            \
    {                                         \
        position, SETTING_ARRAY_##kind, index \
    }

const char kProductRowQuery[] =
    "SELECT EKeyEnum_HbIjPmRmProductId,EKeyDword_HbIjPmWantedBandCount,EKeyDword_HbIjPmWantedBandSize,"
    "EKeyEnum_SdPdlType,EKeyEnum_SdPjlEncodingMode,EKeyBool_HbIjPmGdiAntiAliasingEnabled,"
    "EKeyBool_HbSdPreAnalysisEnabled,EKeyBool_SdBornOnDateEnabled,EKeyBool_SdCurrentBornOnDateEnabled,"
    "EKeyBool_HbIjPmZqaFilteringEnabled,EKeyBool_HbIjPmPpPreAnalysisForced,EKeyString_HbIjSdMhDllName,"
    "EKeyString_HbIjSdHtDllName,EKeyString_HbIjSdResDllName,EKeyDword_HbIjSdDebugFlags,"
    "EKeyBool_HbIjSdReverseBandOrderForEvenPagesAvailable,EKeyBool_HbIjSdTimeStampMobilePrinterEnabled,"
    "EKeyBool_HbIjSdJobUiNetworkEnabled,EKeyBool_HbIjSdJobUiEnabled,EKeyBool_HbIjSdCdColorCalEnabled,"
    "EKeyBool_HbIjSdJpegPngPassthroughAllowed,EKeyBool_HbIjSdShiftMarginsFor180RotationEnabled,"
    "EKeyBool_HbIjSdSmartDuplexOddPageJobEnabled,EKeyBool_HbIjSdSmartDuplexSinglePageJobEnabled,"
    "EKeyBool_HbIjSdManualDuplexPCLCommandEnabled,EKeyBool_SdMapManualFeedToTray1Enabled,"
    "EKeyBool_SdManualDuplexModalDialogEnabled,EKeyBool_SdManualDuplexEvenPagesFirstEnabled,"
    "EKeyBool_SdManualDuplexUserRotateEnabled,EKeyBool_SdPlotwellPrinterClassEnabled,"
    "EKeyBool_SdDriverRotate180Enabled,EKeyBool_SdRotate180Supported,EKeyFloat_SdMaxCustomPaperWidthInches,"
    "EKeyFloat_SdMaxCustomPaperHeightInches,EKeyEnum_SdJobAccountingMode,"
    "EKeyBool_HbIjSdSpeedMechForManualDuplexAllowed,EKeyString_HbIjSdRPOFileName,"
    "EKeyBool_SdOutputBinOrientationFaceUp,EKeyEnum_HbIjDsFallbackPenSet,EKeyBool_"
    "SdInputBinOrientationFaceUp,"
    "EKeyDword_HbIjSdTopMarginAdjustment,EKeyBool_SdAutomaticallySelectSupported,"
    "EKeyDword_HbIjSdCDDVDTopMarginAdjustment,EKeyString_HbIjSdPumpUsageOption FROM PRODUCT_DATA";

const ProductRowColumn ProductRowMap[] = {
    MAP(0, INT_REF, 101), MAP(1, INT, 1999),   MAP(2, INT, 2000),     MAP(3, INT_REF, 71),
    MAP(4, INT_REF, 70),  MAP(5, FLAG, 270),   MAP(6, FLAG, 158),     MAP(7, FLAG, 140),
    MAP(8, FLAG, 141),    MAP(9, FLAG, 273),   MAP(10, FLAG, 272),    MAP(11, STRING, 72),
    MAP(12, STRING, 71),  MAP(13, STRING, 70), MAP(14, INT, 1950),    MAP(15, FLAG, 154),
    MAP(16, FLAG, 153),   MAP(17, FLAG, 152),  MAP(18, FLAG, 151),    MAP(19, FLAG, 150),
    MAP(20, FLAG, 149),   MAP(21, FLAG, 148),  MAP(22, FLAG, 144),    MAP(23, FLAG, 143),
    MAP(24, FLAG, 142),   MAP(25, FLAG, 120),  MAP(26, FLAG, 121),    MAP(27, FLAG, 122),
    MAP(28, FLAG, 123),   MAP(29, FLAG, 124),  MAP(30, FLAG, 125),    MAP(31, FLAG, 126),
    MAP(32, FLOAT, 0),    MAP(33, FLOAT, 1),   MAP(34, INT_REF, 72),  MAP(35, FLAG, 253),
    MAP(36, STRING, 73),  MAP(37, FLAG, 127),  MAP(38, INT_REF, 130), MAP(39, FLAG, 336),
    MAP(40, INT, 2047),   MAP(41, FLAG, 337),  MAP(42, INT, 2032),    MAP(43, STRING, 74),
};

const char kPrintModeColumns[] =
    "SELECT EKeyDword_HbIjPmPclMediaIndex,EKeyDword_HbIjPmPclMediaSubIndex,EKeyEnum_HbIjPmPclPrintQuality,"
    "CoolDotPrintMode,EKeyDword_PmReportedHorzDpi,EKeyDword_PmReportedVertDpi,"
    "EKeyDword_HbIjPmBlackHorzResolution,EKeyDword_HbIjPmBlackVertResolution,"
    "EKeyDword_HbIjPmColorHorzResolution,EKeyDword_HbIjPmColorVertResolution,"
    "EKeyBool_HbIjPmSeparateBlackSurfaceEnabled,EKeyBool_HbIjPmBlackExtractEnabled,"
    "EKeyBool_HbIjPmKFortificationEnabled,EKeyBool_HbIjPmReducedKChannelEnabled,"
    "EKeyDword_HbIjPmReducedKChannelMaxLineWidth,EKeyDword_HbIjPmReducedKChannelMaxFontSize,"
    "EKeyDword_HbIjPmZqaFilteringSlope,EKeyDword_HbIjPmZqaFilteringIntercept,EKeyEnum_HbIjPmRmMediaType,"
    "EKeyDword_HbIjPmHtBlackLevels,EKeyDword_HbIjPmHtColorLevels,EKeyDword_HbIjPmHtColorCount,"
    "EKeyEnum_HbIjPmHtMediaType,EKeyEnum_HbIjPmHtPrintQuality,EKeyEnum_HbIjUiPrintQualityGroup,"
    "EKeyEnum_HbIjPmHtProductId,EKeyBool_HbIjPmSpeedMechCapablePrintMode,EKeyBool_HbIjPmPageExtentEnabled,"
    "EKeyBool_HbIjPmPhotoMediaSelected,EKeyBool_HbIjPmHagakiMediaType,EKeyDword_HbIjPmGladeProductVariant "
    "FROM FDT4116 WHERE ";

const ProductRowColumn PrintModeRowMap[] = {
    MAP(0, INT, 2003),  MAP(1, INT, 2004),    MAP(2, INT_REF, 105),  MAP(3, FLAG, 268),
    MAP(4, INT, 1920),  MAP(5, INT, 1921),    MAP(6, INT, 1985),     MAP(7, INT, 1986),
    MAP(8, INT, 1983),  MAP(9, INT, 1984),    MAP(10, FLAG, 260),    MAP(11, FLAG, 262),
    MAP(12, FLAG, 263), MAP(13, FLAG, 261),   MAP(14, INT, 1981),    MAP(15, INT, 1982),
    MAP(16, INT, 1996), MAP(17, INT, 1997),   MAP(18, INT_REF, 104), MAP(19, INT, 1989),
    MAP(20, INT, 1988), MAP(21, INT, 1987),   MAP(22, INT_REF, 102), MAP(23, INT_REF, 103),
    MAP(23, INT, 3),    MAP(24, INT_REF, 47), MAP(25, INT_REF, 100), MAP(26, FLAG, 265),
    MAP(27, FLAG, 266), MAP(28, FLAG, 274),   MAP(29, FLAG, 269),    MAP(30, INT, 1995),
};

const char kPaperColumns[] =
    "SELECT PaperName,EKeyDword_HbIjPmPclPaperSizeIndex,EKeyFloat_PmPaperWidthInches,"
    "EKeyFloat_PmPaperHeightInches,EKeyFloat_PmPaperTopMarginInches,EKeyFloat_PmPaperBottomMarginInches,"
    "EKeyFloat_PmPaperLeftMarginInches,EKeyFloat_PmPaperRightMarginInches,CustomSize,Borderless,"
    "EKeyBool_HbIjPmBannerEnabled,EKeyBool_UiEnvelopeSelected,EKeyFloat_HbIjPmTopOverspray,"
    "EKeyFloat_HbIjPmBottomOverspray,EKeyFloat_HbIjPmLeftOverspray,EKeyFloat_HbIjPmRightOverspray,"
    "EKeyBool_HbIjUiBorderlessHagakiSelected,EKeyBool_UiMediaWidthSensorSupported,"
    "EKeyEnum_HbIjDefaultInputBinForPaperSize,EKeyBool_HbIjUiCDDVDPaperSizeSelected FROM FDT4114 WHERE ";

const ProductRowColumn PaperRowMap[] = {
    MAP(0, STRING, 3),  MAP(1, INT, 2005),  MAP(2, FLOAT, 10),     MAP(3, FLOAT, 11),  MAP(4, FLOAT, 13),
    MAP(5, FLOAT, 15),  MAP(6, FLOAT, 12),  MAP(7, FLOAT, 14),     MAP(9, FLAG, 100),  MAP(10, FLAG, 275),
    MAP(11, FLAG, 15),  MAP(12, FLOAT, 22), MAP(13, FLOAT, 23),    MAP(14, FLOAT, 20), MAP(15, FLOAT, 21),
    MAP(16, FLAG, 110), MAP(17, FLAG, 22),  MAP(18, INT_REF, 135), MAP(19, FLAG, 112),
};

#undef MAP

constexpr size_t kRowQueryChars = 2048;
constexpr size_t kColumnQueryChars = 300;

constexpr LONG FEATURE_BORDERLESS = 4119;
constexpr LONG FEATURE_BASE_MEDIA = 4307;
constexpr LONG kLastStandardMedia = 549;
constexpr LONG kLastStandardPaper = 500;
constexpr LONG kFallbackPenSet = 2;
constexpr LONG kFlagForcePlainMedia = 222;
constexpr LONG kPenSetEntry = 121;          // kind 6, set by the device
constexpr LONG kFallbackPenSetEntry = 130;  // kind 6, product row

// The row of a user-defined paper size: the option's name, its size and margins (option 1 of
// the size and margin features), and its overspray.
constexpr LONG kUserPaperSizeIndex = 101;
constexpr LONG kUserPaperDimensionFeatures[] = {4150, 4151, 4147, 4149, 4146, 4148};
constexpr LONG kUserPaperOversprayFeatures[] = {4180, 4181, 4182, 4183};

template <size_t N>
const ProductRowColumn* FindRowColumn(const ProductRowColumn (&map)[N], LONG kind, LONG index)
{
    for (const ProductRowColumn& row : map) {
        if (row.kind == kind && row.index == index) {
            return &row;
        }
    }
    return nullptr;
}

void AppendText(ProductRowCache& cache, LPCSTR text)
{
    std::unique_ptr<CNiraString> value(new CNiraString(text));
    cache.Append(value.get());
    value.release();
}

void AppendText(ProductRowCache& cache, LPCWSTR text)
{
    std::unique_ptr<CNiraString> value(new CNiraString(text));
    cache.Append(value.get());
    value.release();
}

}  // namespace

void DeleteProductRowCache(ProductRowCache*& cache)
{
    if (cache == nullptr) {
        return;
    }
    for (LONG i = 0; i < cache->GetCount(); ++i) {
        delete (*cache)[i];
    }
    delete cache;
    cache = nullptr;
}

// Row callbacks run inside SQLite: nothing may be thrown through it, so a failure aborts the query.
int ProductSingleValueRow(void* argument, int columnCount, char** values, char**)
{
    if (columnCount < 1 || values == nullptr || values[0] == nullptr) {
        return 1;
    }
    return GuardSettingsCall([&] { static_cast<CNiraString*>(argument)->Assign(values[0]); }) ? 0 : 1;
}

int ProductCountRow(void* argument, int columnCount, char** values, char**)
{
    if (columnCount < 1 || values == nullptr || values[0] == nullptr) {
        return 1;
    }
    *static_cast<LONG*>(argument) = ReadColumnInt(columnCount, values, 0);
    return 0;
}

int ProductCacheRow(void* argument, int columnCount, char** values, char**)
{
    if (columnCount < 1 || values == nullptr) {
        return 1;
    }
    for (int i = 0; i < columnCount; ++i) {
        if (values[i] == nullptr) {
            return 1;
        }
    }
    auto* cache = static_cast<ProductRowCache*>(argument);
    return GuardSettingsCall([&] {
        for (int i = 0; i < columnCount; ++i) {
            AppendText(*cache, values[i]);
        }
    })
               ? 0
               : 1;
}

void CNiraProductData::RunQuery(LPCSTR sql, NiraQueryRowCallback callback, void* argument)
{
    RequireSettings(m_database != nullptr);
    char* errorText = nullptr;
    const int result = ExecuteQuery(m_database, sql, callback, argument, &errorText);
    FreeQueryError(errorText);
    if (result != SQLITE_OK) {
        RaiseSettingsError(QueryResultError(result));
    }
}

BOOLEAN CNiraProductData::RunSingleValueQuery(LPCSTR sql, CNiraString* text)
{
    return GuardSettingsCall([&] {
        RequireArgument(sql != nullptr && text != nullptr);
        RunQuery(sql, ProductSingleValueRow, text);
    });
}

void CNiraProductData::RequireSource()
{
    RequireSettings(m_owner != nullptr && m_uiSettings != nullptr);
}

void CNiraProductData::QueryFeatureColumnText(LONG kind, LONG index, CNiraString& text)
{
    RequireSource();
    const FeatureColumn* column = nullptr;
    for (const FeatureColumn& row : FeatureColumnTable) {
        if (row.kind == kind && row.index == index) {
            column = &row;
            break;
        }
    }
    RequireSettings(column != nullptr);
    const LONG option = CurrentOption(column->featureId);
    CHAR sql[kColumnQueryChars];
    RequireSettings(
        SUCCEEDED(StringCchPrintfA(sql, kColumnQueryChars, "SELECT %s FROM FDT%d WHERE OptionID=\"%d\"",
                                   column->column, column->featureId, option)));
    RunQuery(sql, ProductSingleValueRow, &text);
}

BOOLEAN CNiraProductData::QueryFeatureColumn(LONG kind, LONG index, CNiraString* text)
{
    return GuardSettingsCall([&] {
        RequireArgument(text != nullptr);
        QueryFeatureColumnText(kind, index, *text);
    });
}

// Runs the query into a new cache; a query that fails part way leaves no cache, so the next
// request queries again.
void CNiraProductData::LoadRow(ProductRowCache*& cache, LPCSTR sql)
{
    cache = new ProductRowCache();
    try {
        RunQuery(sql, ProductCacheRow, cache);
    } catch (...) {
        DeleteProductRowCache(cache);
        throw;
    }
}

void CNiraProductData::EnsureProductRow()
{
    RequireSource();
    if (m_productRow == nullptr) {
        LoadRow(m_productRow, kProductRowQuery);
    }
}

LONG CNiraProductData::PrintModePenSet()
{
    bool read = false;
    const LONG penSet = OwnerIntRef(kPenSetEntry, &read);
    if (read) {
        return penSet;
    }
    LONG fallback = 0;
    if (LookupValue(PRODUCT_SOURCE_PRODUCT_ROW, SETTING_ARRAY_INT_REF, kFallbackPenSetEntry, &fallback) ==
        TRUE) {
        return fallback;
    }
    return kFallbackPenSet;
}

void CNiraProductData::EnsurePrintModeRow()
{
    RequireSource();
    if (m_printModeRow != nullptr) {
        return;
    }
    LONG media = CurrentOption(kFeatureMediaType);
    media = media == -1 ? 1 : media;
    if (media > kLastStandardMedia) {
        media = CurrentOption(FEATURE_BASE_MEDIA);
    }
    bool read = false;
    if (OwnerFlag(kFlagForcePlainMedia, &read) && read) {
        media = 1;
    }
    LONG quality = CurrentOption(kFeaturePrintQuality);
    quality = quality == -1 ? 1 : quality;

    CHAR sql[kRowQueryChars];
    RequireSettings(SUCCEEDED(StringCchPrintfA(sql, kRowQueryChars,
                                               "SELECT COUNT(CoolDotPrintMode) FROM FDT4116 WHERE "
                                               "NiraUIMediaTypeID=\"%d\" AND NiraUIPrintQualityID=\"%d\" AND "
                                               "CoolDotPrintMode=\"1\"",
                                               media, quality)));
    LONG coolDotModes = 0;
    RunQuery(sql, ProductCountRow, &coolDotModes);

    RequireSettings(SUCCEEDED(StringCchPrintfA(sql, kRowQueryChars,
                                               "%sNiraUIMediaTypeID=\"%d\" AND NiraUIPrintQualityID=\"%d\"",
                                               kPrintModeColumns, media, quality)));
    if (coolDotModes != 0) {
        CHAR penClause[64];
        RequireSettings(SUCCEEDED(
            StringCchPrintfA(penClause, 64, " AND EKeyEnum_HbIjDsPenSet=\"%d\"", PrintModePenSet())));
        RequireSettings(SUCCEEDED(StringCchCatA(sql, kRowQueryChars, penClause)));
    }
    LoadRow(m_printModeRow, sql);
}

// Duplex counts when the provider's own duplex mode is set, non-zero, and the layout is
// preserved (scaling option 2, also when it cannot be read).
LONG CNiraProductData::PaperDuplexSelector()
{
    if (SyncIntRef(0) != TRUE) {
        return 0;
    }
    bool read = false;
    const LONG mode = OwnerIntRef(0, &read);
    if (!read || mode == 0) {
        return 0;
    }
    LONG scaling = OwnerIntRef(1, &read);
    scaling = read ? scaling : 2;
    return scaling == 2 ? 1 : 0;
}

LONG CNiraProductData::PaperOrientationSelector()
{
    bool read = false;
    const LONG orientation = SyncIntRef(5) == TRUE ? OwnerIntRef(5, &read) : 0;
    return read ? orientation : 1;
}

LONG CNiraProductData::PaperMetricSelector()
{
    bool read = false;
    const BYTE metric = SyncFlag(106) == TRUE ? OwnerFlag(106, &read) : 0;
    return read && metric ? 1 : 0;
}

void CNiraProductData::BuildUserPaperRow(ProductRowCache& cache, LONG paper)
{
    // The option record is large; it comes from the heap like the UI core's own.
    struct OptionBuffer {
        OptionInfo* info;
        ~OptionBuffer() { FreeSettingsBlock(info); }
    } option{static_cast<OptionInfo*>(AllocateSettingsBlock(sizeof(OptionInfo)))};

    auto optionName = [&](LONG featureId, LONG optionId) {
        ZeroMemory(option.info, sizeof(OptionInfo));
        RequireSettings(m_uiSettings->GetOptionInfo(featureId, optionId, option.info) == 0);
        AppendText(cache, option.info->displayName);
    };
    optionName(kFeaturePaperSize, paper);
    WCHAR sizeIndex[16];
    StringCchPrintfW(sizeIndex, 16, TEXT("%d"), kUserPaperSizeIndex);
    AppendText(cache, sizeIndex);
    for (LONG feature : kUserPaperDimensionFeatures) {
        optionName(feature, 1);
    }
    AppendText(cache, "1");
    AppendText(cache, CurrentOption(FEATURE_BORDERLESS) != 1 ? "1" : "0");
    AppendText(cache, "0");
    AppendText(cache, "0");
    for (LONG feature : kUserPaperOversprayFeatures) {
        optionName(feature, 1);
    }
    AppendText(cache, "0");
}

void CNiraProductData::EnsurePaperRow()
{
    RequireSource();
    if (m_paperRow != nullptr) {
        return;
    }
    LONG paper = CurrentOption(kFeaturePaperSize);
    paper = paper == -1 ? 1 : paper;
    if (paper > kLastStandardPaper) {
        m_paperRow = new ProductRowCache();
        try {
            BuildUserPaperRow(*m_paperRow, paper);
        } catch (...) {
            DeleteProductRowCache(m_paperRow);
            throw;
        }
        return;
    }
    const LONG duplex = PaperDuplexSelector();
    const LONG orientation = PaperOrientationSelector();
    const LONG metric = PaperMetricSelector();
    CHAR sql[kRowQueryChars];
    RequireSettings(SUCCEEDED(StringCchPrintfA(
        sql, kRowQueryChars, "%sOptionID=\"%d\" AND Duplex = \"%d\" AND Orientation = \"%d\" AND MM = \"%d\"",
        kPaperColumns, paper, duplex, orientation, metric)));
    LoadRow(m_paperRow, sql);
}

BOOLEAN CNiraProductData::LoadProductRow()
{
    return GuardSettingsCall([&] { EnsureProductRow(); });
}

BOOLEAN CNiraProductData::LoadPrintModeRow()
{
    return GuardSettingsCall([&] { EnsurePrintModeRow(); });
}

BOOLEAN CNiraProductData::LoadPaperRow()
{
    return GuardSettingsCall([&] { EnsurePaperRow(); });
}

// The text of the first row's column that gives the entry.
CNiraString CNiraProductData::SourceText(LONG source, LONG kind, LONG index)
{
    RequireArgument(source != 0);
    RequireSettings(m_owner != nullptr && m_uiSettings != nullptr && m_database != nullptr);
    CNiraString text;
    const ProductRowColumn* column = nullptr;
    ProductRowCache* cache = nullptr;
    switch (source) {
    case PRODUCT_SOURCE_FEATURE_OPTION:
        QueryFeatureColumnText(kind, index, text);
        return text;
    case PRODUCT_SOURCE_PRODUCT_ROW:
        EnsureProductRow();
        column = FindRowColumn(ProductRowMap, kind, index);
        cache = m_productRow;
        break;
    case PRODUCT_SOURCE_PRINT_MODE_ROW:
        EnsurePrintModeRow();
        column = FindRowColumn(PrintModeRowMap, kind, index);
        cache = m_printModeRow;
        break;
    case PRODUCT_SOURCE_PAPER_ROW:
        EnsurePaperRow();
        column = FindRowColumn(PaperRowMap, kind, index);
        cache = m_paperRow;
        break;
    default:
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
    RequireSettings(column != nullptr && cache != nullptr && column->position < cache->GetCount());
    const CNiraString* found = (*cache)[column->position];
    RequireSettings(found != nullptr);
    text.Assign(*found);
    return text;
}

// Numbers and flags need a text to read.
namespace {
LPCWSTR NumericText(const CNiraString& text)
{
    RequireSettings(text.GetLength() > 0);
    return text.GetBuffer();
}
}  // namespace

BYTE CNiraProductData::SourceFlag(LONG source, LONG index)
{
    return _wtoi(NumericText(SourceText(source, SETTING_ARRAY_FLAG, index))) != 0 ? 1 : 0;
}

LONG CNiraProductData::SourceInt(LONG source, LONG kind, LONG index)
{
    return _wtoi(NumericText(SourceText(source, kind, index)));
}

FLOAT CNiraProductData::SourceFloat(LONG source, LONG index)
{
    return static_cast<FLOAT>(_wtof(NumericText(SourceText(source, SETTING_ARRAY_FLOAT, index))));
}

BOOLEAN CNiraProductData::LookupValue(LONG source, LONG kind, LONG index, BYTE* value)
{
    return GuardSettingsCall([&] {
        RequireArgument(value != nullptr && kind == SETTING_ARRAY_FLAG);
        *value = SourceFlag(source, index);
    });
}

BOOLEAN CNiraProductData::LookupValue(LONG source, LONG kind, LONG index, LONG* value)
{
    return GuardSettingsCall([&] {
        RequireArgument(value != nullptr && (kind == SETTING_ARRAY_INT || kind == SETTING_ARRAY_INT_REF));
        *value = SourceInt(source, kind, index);
    });
}

BOOLEAN CNiraProductData::LookupValue(LONG source, LONG kind, LONG index, FLOAT* value)
{
    return GuardSettingsCall([&] {
        RequireArgument(value != nullptr && kind == SETTING_ARRAY_FLOAT);
        *value = SourceFloat(source, index);
    });
}

BOOLEAN CNiraProductData::LookupValue(LONG source, LONG kind, LONG index, CNiraString* value)
{
    return GuardSettingsCall([&] {
        RequireArgument(value != nullptr && kind == SETTING_ARRAY_STRING);
        value->Assign(SourceText(source, kind, index));
    });
}
