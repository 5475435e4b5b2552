#include "nira/uiplugin/features/handlers/BorderlessHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

int CNiraBorderlessHandler::OnCommand(int, int command, int* value, int*)
{
    if (command != kCommandSetBorderless && command != kCommandShowBorderless) {
        return 0;
    }
    if (value == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (command == kCommandSetBorderless) {
        int feature = FEATURE_BORDERLESS;
        int option = *value;
        return m_services->SetValue(CLASS_BORDERLESS, &feature, &option, kReasonByHandler, 0, 0, 0);
    }
    return m_services->SetDisplayState(CLASS_BORDERLESS, FEATURE_BORDERLESS, *value);
}
