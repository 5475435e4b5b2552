#include "nira/uiplugin/features/handlers/PagesPerSheetHandler.h"

#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

// Option n of 4128 stands for kPagesOfOption[n - 1] pages per sheet.
constexpr int kPagesOfOption[] = {1, 2, 4, 6, 9, 16};
constexpr int kOptions = sizeof(kPagesOfOption) / sizeof(kPagesOfOption[0]);
constexpr int kDirections = CXDNUpFeature::kDirections;

int OptionOfPages(int pages)
{
    for (int i = 1; i < kOptions; ++i) {
        if (kPagesOfOption[i] == pages) {
            return i + 1;
        }
    }
    return 1;
}

}  // namespace

int CNiraPagesPerSheetHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    NUpValues values = {0, 1, 0, 0};
    CXDPrintTicket ticket(printTicket);
    m_converter.ReadPrintTicket(ticket, &values);
    int order = values.direction >= 0 && values.direction < kDirections ? values.direction + 1 : 1;
    SetOption(CLASS_PAGES_PER_SHEET, FEATURE_PAGES_PER_SHEET, OptionOfPages(values.pagesPerSheet));
    SetOption(CLASS_PAGES_PER_SHEET, FEATURE_PAGE_ORDER_NUP, order);
    return 0;
}

int CNiraPagesPerSheetHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    int pages = CurrentOption(FEATURE_PAGES_PER_SHEET);
    int order = CurrentOption(FEATURE_PAGE_ORDER_NUP);
    NUpValues values = {0, pages >= 2 && pages <= kOptions ? kPagesOfOption[pages - 1] : 1,
                        order >= 2 && order <= kDirections ? order - 1 : 0, 0};
    CXDPrintTicket ticket(printTicket);
    m_converter.WritePrintTicket(ticket, &values);
    return 0;
}

void CNiraPagesPerSheetHandler::FillConverterTables()
{
    m_pagesCount = 0;
    m_orderCount = 0;
    if (TakeFeatureName(FEATURE_PAGES_PER_SHEET, m_converter.nUp[0])) {
        m_pagesCount = AppendDatabaseOptions(FEATURE_PAGES_PER_SHEET, m_converter.nUpOptions,
                                             CXDNUpFeature::kPagesSlots);
    }
    if (TakeFeatureName(FEATURE_PAGE_ORDER_NUP, m_converter.direction)) {
        m_orderCount =
            AppendDatabaseOptions(FEATURE_PAGE_ORDER_NUP, m_converter.directionOptions, kDirections);
    }
}

int CNiraPagesPerSheetHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
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
