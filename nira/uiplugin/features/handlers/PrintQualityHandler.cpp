#include "nira/uiplugin/features/handlers/PrintQualityHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kTopQualityOption = 5;
constexpr int kMaxDpiAvailable = 2;

}  // namespace

int CNiraPrintQualityHandler::OnCommand(int, int command, int* value, int*)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (command == kCommandSetPrintQuality) {
        if (value == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        int feature = FEATURE_PRINT_QUALITY;
        int option = *value;
        int status = m_services->SetValue(m_ownId, &feature, &option, kReasonByHandler, 0, 0, 0);
        if (status == 0) {
            OnWidgetChanged(FEATURE_PRINT_QUALITY);
        }
        return status;
    }
    if (command == kCommandSyncMaxDpi) {
        int maxDpi = 0;
        int isSet = 0;
        int status = m_services->GetValue(FEATURE_MAX_DPI, &maxDpi, &isSet);
        if (status == 0) {
            status = m_services->SetOptionState(
                FEATURE_PRINT_QUALITY, FEATURE_PRINT_QUALITY, kTopQualityOption,
                maxDpi == kMaxDpiAvailable ? kOptionStateAvailable : kOptionStateUnavailable);
        }
        return status;
    }
    return NIRA_STATUS_FAILED;
}

int CNiraPrintQualityHandler::OnWidgetChanged(int)
{
    return NIRA_STATUS_FAILED;
}
