#include "nira/uiplugin/features/handlers/PaperDimensionsHandler.h"

#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/features/handlers/StringIds.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kOwner = CLASS_PAPER_DIMENSIONS;
constexpr int kInchOption = 1;
constexpr int kMillimetreOption = 2;
constexpr int kPortrait = 1;
constexpr int kLandscape = 2;
constexpr double kTenthsMmPerInch = 254.0;
constexpr double kTenthsPerMm = 10.0;
const WCHAR kDefaultInchUnit[] = TEXT("inches");
const WCHAR kDefaultMmUnit[] = TEXT("mm");
const WCHAR kSeparator[] = TEXT(" x ");

}  // namespace

CNiraPaperDimensionsHandler::CNiraPaperDimensionsHandler()
{
    CopyStringSafe(m_inchUnit, kTextChars, kDefaultInchUnit);
    CopyStringSafe(m_mmUnit, kTextChars, kDefaultMmUnit);
}

int CNiraPaperDimensionsHandler::InitializeStates()
{
    LoadUnitTexts();
    RefreshDimensions();
    return 0;
}

int CNiraPaperDimensionsHandler::LoadUnitTexts()
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // The texts stay the built-in ones when the string library cannot be had.
    WCHAR text[kTextChars] = {};
    LoadResourceString(kStringInches, text);
    if (text[0] != 0) {
        CopyStringSafe(m_inchUnit, kTextChars, text);
    }
    text[0] = 0;
    LoadResourceString(kStringMillimetres, text);
    if (text[0] != 0) {
        CopyStringSafe(m_mmUnit, kTextChars, text);
    }
    return 0;
}

int CNiraPaperDimensionsHandler::OnCommand(int, int command, int*, int*)
{
    return command == kCommandRebuildDimensions ? RefreshDimensions() : NIRA_STATUS_FAILED;
}

int CNiraPaperDimensionsHandler::OnConstraintAction(int featureId, const char*, const char*, const char*)
{
    return featureId == kFeaturePaperDimensionsText ? RefreshDimensions() : NIRA_STATUS_FAILED;
}

int CNiraPaperDimensionsHandler::RefreshDimensions()
{
    for (int (CNiraPaperDimensionsHandler::*step)() :
         {&CNiraPaperDimensionsHandler::ReadOrientation, &CNiraPaperDimensionsHandler::ReadPaperSize,
          &CNiraPaperDimensionsHandler::FormatInches, &CNiraPaperDimensionsHandler::FormatMillimetres}) {
        if ((this->*step)() == NIRA_STATUS_FAILED) {
            return NIRA_STATUS_FAILED;
        }
    }
    int unit = 0;
    int isSet = 0;
    m_services->GetValue(kFeaturePaperDimensionsText, &unit, &isSet);
    // The current unit set again, so that the widget shows the new text.
    return unit == kInchOption || unit == kMillimetreOption ? SelectUnit(unit, 0) : 0;
}

int CNiraPaperDimensionsHandler::ReadOrientation()
{
    int isSet = 0;
    if (m_services == nullptr || m_services->GetValue(FEATURE_ORIENTATION, &m_orientation, &isSet) != 0) {
        m_orientation = 0;
    }
    return m_orientation != 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperDimensionsHandler::ReadPaperSize()
{
    int paper = 0;
    int isSet = 0;
    int status = m_services->GetValue(FEATURE_PAPER_SIZE, &paper, &isSet);
    if (status != 0 || isSet != 0) {
        return status;  // an option marked set keeps the size shown
    }
    int paperIndex = 0;
    int size[2] = {};
    if (m_services->GetOptionValue(FEATURE_PAPER_SIZE, paper, &paperIndex) != 0 ||
        m_services->SendHandlerCommand(kFeaturePaperDimensionsText, FEATURE_PAPER_SIZE,
                                       PAPER_COMMAND_GET_SIZE, &paperIndex, size) != 0) {
        return NIRA_STATUS_FAILED;
    }
    m_width = size[0];
    m_height = size[1];
    return 0;
}

int CNiraPaperDimensionsHandler::FormatInches()
{
    return FormatDimensions(kInchOption);
}

int CNiraPaperDimensionsHandler::FormatMillimetres()
{
    return FormatDimensions(kMillimetreOption);
}

int CNiraPaperDimensionsHandler::FormatDimensions(int unit)
{
    if (m_orientation == 0) {
        return NIRA_STATUS_FAILED;
    }
    // Across and down as the paper lies; any other orientation shows zeros.
    double across = 0.0;
    double down = 0.0;
    if (m_orientation == kPortrait || m_orientation == kLandscape) {
        bool turned = m_orientation == kLandscape;
        across = turned ? m_height : m_width;
        down = turned ? m_width : m_height;
    }
    WCHAR text[kTextChars] = {};
    if (unit == kInchOption) {
        StringCchPrintfW(text, kTextChars, TEXT("%.2f%s%.2f%s"), across / kTenthsMmPerInch, kSeparator,
                         down / kTenthsMmPerInch, m_inchUnit);
    } else {
        StringCchPrintfW(text, kTextChars, TEXT("%u%s%u%s"),
                         static_cast<unsigned>(across / kTenthsPerMm + 0.5), kSeparator,
                         static_cast<unsigned>(down / kTenthsPerMm + 0.5), m_mmUnit);
    }
    return ReplaceOptionText(unit, text);
}

int CNiraPaperDimensionsHandler::ReplaceOptionText(int option, const WCHAR* text)
{
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int feature = kFeaturePaperDimensionsText;
    if (m_services->GetOptionInfo(feature, option, info) != 0 ||
        m_services->RemoveOption(kOwner, &feature, &option) != 0) {
        LocalFree(info);
        return NIRA_STATUS_FAILED;
    }
    CopyStringSafe(info->displayName, kTextChars, text);
    return AddOwnedOption(*m_services, kOwner, feature, option, info) == 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperDimensionsHandler::SelectUnit(int unit, int ignoreLastChanged)
{
    int feature = kFeaturePaperDimensionsText;
    return m_services->SetValue(kOwner, &feature, &unit, kReasonByHandler, 0, 0, ignoreLastChanged);
}

int CNiraPaperDimensionsHandler::OnWidgetChanged(int)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int unit = 0;
    int isSet = 0;
    int status = m_services->GetValue(kFeaturePaperDimensionsText, &unit, &isSet);
    if (status != 0) {
        return status;
    }
    if (unit == 0) {
        return NIRA_STATUS_FAILED;
    }
    return SelectUnit(unit == kInchOption ? kMillimetreOption : kInchOption, 1);
}
