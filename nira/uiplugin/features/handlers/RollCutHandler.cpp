#include "nira/uiplugin/features/handlers/RollCutHandler.h"

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr int kRollCutClass = 4254;
constexpr int kSaveRollClass = 4255;

// Index 0 and 1 of the converter are options 1 and 2; anything else no option.
int OptionOfIndex(int index)
{
    return index == 0 || index == 1 ? index + 1 : 0;
}

int IndexOfOption(int option)
{
    return option == 2 ? 1 : 0;
}

}  // namespace

int CNiraRollCutHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    RollCutValues values = {0, 0};
    CXDPrintTicket ticket(printTicket);
    m_converter.ReadPrintTicket(ticket, &values);
    if (m_services == nullptr) {
        return 0;
    }
    SetOption(kRollCutClass, FEATURE_ROLL_CUT, OptionOfIndex(values.cutMode));
    return SetOption(kSaveRollClass, FEATURE_SAVE_ROLL_PAPER, OptionOfIndex(values.saveRollOnPaper));
}

int CNiraRollCutHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    RollCutValues values = {IndexOfOption(CurrentOption(FEATURE_ROLL_CUT)),
                            IndexOfOption(CurrentOption(FEATURE_SAVE_ROLL_PAPER))};
    CXDPrintTicket ticket(printTicket);
    m_converter.WritePrintTicket(ticket, &values);
    return 0;
}

void CNiraRollCutHandler::FillConverterTables()
{
    if (!TakeFeatureName(FEATURE_ROLL_CUT, m_converter.rollCut)) {
        return;
    }
    SetEntry(m_converter.rollCutOptions[0], TEXT("CutSheetAtStandardMediaSize"), 1, 0, 1, 1);
    SetEntry(m_converter.rollCutOptions[1], TEXT("None"), 1, 0, 1, 0);
    if (TakeFeatureName(FEATURE_SAVE_ROLL_PAPER, m_converter.saveRoll)) {
        SetEntry(m_converter.saveRollOptions[0], TEXT("Off"), 1, 0, 1, 1);
        SetEntry(m_converter.saveRollOptions[1], TEXT("On"), 1, 0, 1, 0);
    }
}

int CNiraRollCutHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    XDGuarded([&] {
        FillConverterTables();
        if (printCapabilities == nullptr) {
            return S_OK;
        }
        CXDPrintCapabilities capabilities(printCapabilities, &m_converter);
        return m_converter.WritePrintCapabilities(capabilities);
    });
    return 0;
}
