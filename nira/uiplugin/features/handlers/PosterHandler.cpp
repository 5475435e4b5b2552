#include "nira/uiplugin/features/handlers/PosterHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PosterReactions.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr int kNoPoster = 1;
constexpr int kLargestPoster = 5;  // options 2 ... 5: 2 x 2 ... 5 x 5 sheets

}  // namespace

int CNiraPosterHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return 0;
    }
    PosterValues values = {0, 1, 0, {}};
    CXDPrintTicket ticket(printTicket);
    m_converter.ReadPrintTicket(ticket, &values);
    int option = values.sheetsIndex >= 1 && values.sheetsIndex <= kLargestPoster - 1 ? values.sheetsIndex + 1
                                                                                     : kNoPoster;
    SetOption(CLASS_POSTER, FEATURE_POSTER, option);
    return 0;
}

int CNiraPosterHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return 0;
    }
    int option = 0;
    int isSet = 0;
    int status = m_services->GetValue(FEATURE_POSTER, &option, &isSet);
    PosterValues values = {0, 1, 0, {}};
    if (option >= 2 && option <= kLargestPoster) {
        values.sheetsIndex = option - 1;
        values.sheets = CXDPosterFeature::SheetCount(values.sheetsIndex);
    }
    CXDPrintTicket ticket(printTicket);
    m_converter.WritePrintTicket(ticket, &values);
    return status;
}

void CNiraPosterHandler::FillConverterTables()
{
    if (TakeFeatureName(FEATURE_POSTER, m_converter.poster)) {
        m_optionCount =
            AppendDatabaseOptions(FEATURE_POSTER, m_converter.posterOptions, CXDPosterFeature::kSheetCounts);
    }
    SetEntry(m_converter.tiles, TEXT("ZQPosterTiles"), 1, 0, 1, 0);
    SetEntry(m_converter.tilesOptions[0], TEXT("ZQAllTiles"), 1, 0, 1, 1);
    SetEntry(m_converter.tilesOptions[1], TEXT("ZQTilesList"), 1, 0, 1, 0);
    CXDParameterEntry& tiles = m_converter.tileListParameter;
    tiles.name = TEXT("PageZQSelectedPosterTilesList");
    tiles.listed = 1;
    tiles.displayId = 0;
    tiles.value = 1;
    tiles.dataType = CXDParameterEntry::kStringData;
    tiles.defaultValue = TEXT("1");
    tiles.minValue = 1;
    tiles.maxValue = 65;
    tiles.multiple = 0;
    tiles.unitType = TEXT("Characters");
}

int CNiraPosterHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
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

int CNiraPosterHandler::OnCommand(int, int command, int*, int*)
{
    if (command != kCommandOfferPosters || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return OfferPosterOptions(*m_services, CLASS_POSTER);
}

int CNiraPosterHandler::OnFeatureChanged(int featureId, int changeKind)
{
    if (featureId == FEATURE_POSTER && changeKind == CHANGE_CURRENT_OPTION && m_services != nullptr) {
        OnPosterChosen(*m_services);
    }
    return 0;
}
