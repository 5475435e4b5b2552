// The handler of the paper dimensions text (class 4258). It owns feature 4211, whose two options
// show the size of the current paper: option 1 in inches, option 2 in millimetres. The texts are
// built from the orientation and the size the paper handler reports, at start and when asked
// (command 24, or a constraint action on 4211); a change of the widget switches the unit.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

constexpr int kFeaturePaperDimensionsText = 4211;
constexpr int kCommandRebuildDimensions = 24;

class CNiraPaperDimensionsHandler : public CNiraFeatureHandler {
public:
    static constexpr size_t kTextChars = 260;

    CNiraPaperDimensionsHandler();

    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    int LoadUnitTexts();
    int RefreshDimensions();

private:
    int ReadOrientation();
    int ReadPaperSize();
    int FormatInches();
    int FormatMillimetres();
    // The text of option 1 (inches) or 2 (millimetres).
    int FormatDimensions(int unit);
    // Gives option `option` of 4211 the text: the option's record, removed and added again.
    int ReplaceOptionText(int option, const WCHAR* text);
    int SelectUnit(int unit, int ignoreLastChanged);

    int m_orientation = 1;
    int m_width = 0;  // tenths of a millimetre
    int m_height = 0;
    WCHAR m_inchUnit[kTextChars];
    WCHAR m_mmUnit[kTextChars];
};
