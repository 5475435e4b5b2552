#include "nira/uiplugin/features/handlers/StatusRefreshHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kRefreshButton = 6003;
constexpr int kPrinterStatusElement = 6501;

}  // namespace

int CNiraStatusRefreshHandler::OnWidgetCommand(int)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return m_services->SendHandlerCommand(kRefreshButton, kPrinterStatusElement, kCommandShowPrinterStatus,
                                          nullptr, nullptr);
}
