#include "nira/uiplugin/features/handlers/BookletHandler.h"

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr int kNoBooklet = 1;
constexpr int kLeftEdge = 2;
constexpr int kRightEdge = 3;

}  // namespace

int CNiraBookletHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    BindingValues values = {0, 0};
    CXDPrintTicket ticket(printTicket);
    m_converter.ReadPrintTicket(ticket, &values);
    int option = values.binding == 0 ? kNoBooklet : values.layout != 0 ? kRightEdge : kLeftEdge;
    SetOption(CLASS_BOOKLET, FEATURE_BOOKLET, option);
    return 0;
}

int CNiraBookletHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    int option = CurrentOption(FEATURE_BOOKLET);
    BindingValues values = {option == kLeftEdge || option == kRightEdge ? 1 : 0,
                            option == kRightEdge ? 1 : 0};
    CXDPrintTicket ticket(printTicket);
    m_converter.WritePrintTicket(ticket, &values);
    return 0;
}

void CNiraBookletHandler::FillConverterTables()
{
    if (TakeFeatureName(FEATURE_BOOKLET, m_converter.binding)) {
        SetEntry(m_converter.bindingOptions[0], TEXT("None"), 1, 0, 1, 1);
        SetEntry(m_converter.bindingOptions[1], TEXT("Booklet"), 1, 0, 1, 0);
    }
    SetEntry(m_converter.layout, TEXT("ZQBookletLayout"), 1, 0, 1, 0);
    m_optionCount = AppendDatabaseOptions(FEATURE_BOOKLET, m_converter.layoutOptions, 2);
}

int CNiraBookletHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    if (printCapabilities == nullptr) {
        return 0;
    }
    XDGuarded([&] {
        FillConverterTables();
        CXDPrintCapabilities capabilities(printCapabilities, &m_converter);
        return m_converter.WritePrintCapabilities(capabilities);
    });
    return 0;
}
