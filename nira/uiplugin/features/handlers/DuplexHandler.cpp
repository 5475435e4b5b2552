#include "nira/uiplugin/features/handlers/DuplexHandler.h"

#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kAutomaticTwoSided = 3;
constexpr int kUnitInstalled = 1;

}  // namespace

int CNiraDuplexHandler::InitializeStates()
{
    if (m_services == nullptr) {
        return 0;
    }
    int unit = 0;
    int isSet = 0;
    m_services->GetValue(FEATURE_DUPLEX_UNIT, &unit, &isSet);
    if (unit != kUnitInstalled && isSet == 0) {
        m_services->SetOptionState(CLASS_DUPLEX, FEATURE_DUPLEX, kAutomaticTwoSided, kOptionStateUnavailable);
    }
    return 0;
}

int CNiraDuplexHandler::OnCommand(int, int, int*, int*)
{
    return 0;
}
