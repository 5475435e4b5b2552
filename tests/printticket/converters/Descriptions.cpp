#include "Descriptions.h"

void SetEntry(CXDOptionEntry& entry, LPCWSTR name, int listed, int flag, int displayId)
{
    entry.name = name;
    entry.listed = listed;
    entry.displayId = displayId;
    entry.value = 1;
    entry.flag = flag;
}

namespace {

void SetParameter(CXDParameterEntry& entry, LPCWSTR name, int dataType, LPCWSTR defaultValue, double minValue,
                  double maxValue, double multiple, LPCWSTR unitType)
{
    entry.name = name;
    entry.listed = 1;
    entry.displayId = 0;
    entry.value = 1;
    entry.dataType = dataType;
    entry.defaultValue = defaultValue;
    entry.minValue = minValue;
    entry.maxValue = maxValue;
    entry.multiple = multiple;
    entry.unitType = unitType;
}

}  // namespace

void FillOrientation(CXDOrientationFeature& d)
{
    SetEntry(d.feature, TEXT("PageOrientation"));
    for (int i = 0; i < CXDOrientationFeature::kOptionCount; ++i) {
        SetEntry(d.options[i], CXDOrientationFeature::OptionName(i), i < 2 ? 1 : 0);
    }
}

void FillResolution(CXDResolutionFeature& d)
{
    SetEntry(d.feature, TEXT("PageResolution"));
    for (int i = 0; i < CXDResolutionFeature::kOptionCount; ++i) {
        SetEntry(d.options[i], CXDResolutionFeature::OptionName(i), 1, i == 1 ? 1 : 0,
                 CXDResolutionFeature::OptionResolution(i));
    }
}

void FillRollCut(CXDRollCutFeature& d)
{
    SetEntry(d.rollCut, TEXT("DocumentRollCut"));
    SetEntry(d.rollCutOptions[0], TEXT("CutSheetAtStandardMediaSize"), 1, 1);
    SetEntry(d.rollCutOptions[1], TEXT("None"));
    SetEntry(d.saveRoll, TEXT("ZQSaveRollOnPaper"));
    SetEntry(d.saveRollOptions[0], TEXT("Off"), 1, 1);
    SetEntry(d.saveRollOptions[1], TEXT("On"));
}

void FillPageScaling(CXDPageScalingFeature& d)
{
    SetEntry(d.scaling, TEXT("PageScaling"));
    SetEntry(d.scalingOptions[0], TEXT("None"));
    SetEntry(d.scalingOptions[1], TEXT("ZQPrintDocumentOn"));
    SetEntry(d.scalingOptions[2], TEXT("CustomSquare"));
    d.optionCount = 3;
    SetParameter(d.fitParameters[0], TEXT("PageScalingScaleWidth"), 1, TEXT("76200"), 76200.0, 296968.0, 1.0,
                 TEXT("microns"));
    SetParameter(d.fitParameters[1], TEXT("PageScalingScaleHeight"), 1, TEXT("127000"), 127000.0, 431800.0,
                 1.0, TEXT("microns"));
    SetParameter(d.fitParameters[2], TEXT("PageZQPrintDocumentOnScaleToFit"), 1, TEXT("0"), 0.0, 1.0, 1.0,
                 TEXT("Bool"));
    SetParameter(d.scaleParameter, TEXT("PageScalingScale"), 1, TEXT("100"), 25.0, 400.0, 1.0,
                 TEXT("Percent"));
}

void FillPoster(CXDPosterFeature& d)
{
    SetEntry(d.poster, TEXT("PagePoster"));
    for (CXDOptionEntry& option : d.posterOptions) {
        SetEntry(option, TEXT("SheetsPerPage"));
    }
    SetEntry(d.tiles, TEXT("ZQPosterTiles"));
    SetEntry(d.tilesOptions[0], TEXT("ZQAllTiles"), 1, 1);
    SetEntry(d.tilesOptions[1], TEXT("ZQTilesList"));
    SetParameter(d.tileListParameter, TEXT("PageZQSelectedPosterTilesList"), 0, TEXT("1"), 1.0, 65.0, 0.0,
                 TEXT("Characters"));
}

void FillBinding(CXDBindingFeature& d)
{
    SetEntry(d.binding, TEXT("DocumentBinding"));
    SetEntry(d.bindingOptions[0], TEXT("None"), 1, 1);
    SetEntry(d.bindingOptions[1], TEXT("Booklet"));
    SetEntry(d.layout, TEXT("ZQBookletLayout"));
    SetEntry(d.layoutOptions[0], TEXT("ZQLeftEdgeBindingLayout"));
    SetEntry(d.layoutOptions[1], TEXT("ZQRightEdgeBindingLayout"));
}

void FillNUp(CXDNUpFeature& d)
{
    SetEntry(d.nUp[0], TEXT("DocumentNUp"));
    for (CXDOptionEntry& option : d.nUpOptions) {
        SetEntry(option, TEXT("PagesPerSheet"));
    }
    SetEntry(d.direction, TEXT("PresentationDirection"));
    LPCWSTR directions[] = {TEXT("RightBottom"), TEXT("BottomRight"), TEXT("LeftBottom"), TEXT("BottomLeft")};
    for (int i = 0; i < CXDNUpFeature::kDirections; ++i) {
        SetEntry(d.directionOptions[i], directions[i]);
    }
}
