#include "nira/uiplugin/features/handlers/DuplexUnitHandler.h"

#include <printoem.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kUnitInstalled = 1;
constexpr int kUnitAbsent = 2;

}  // namespace

HRESULT CNiraDuplexUnitHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID, DEVMODEW*, PVOID,
                                                   DWORD, DWORD* result, int* handled)
{
    if (capability != DC_DUPLEX || m_services == nullptr) {
        return E_FAIL;
    }
    if (m_services->GetOptionCount(FEATURE_DUPLEX_UNIT) > 0 && result != nullptr) {
        *result = 1;
    }
    if (handled != nullptr) {
        *handled = 1;
    }
    return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
}

int CNiraDuplexUnitHandler::InitializeStates()
{
    if (m_services != nullptr && m_services->GetDisplayState(FEATURE_DUPLEX_UNIT) == kDisplayGreyed) {
        int feature = FEATURE_DUPLEX_UNIT;
        int option = kUnitAbsent;
        m_services->SetValue(m_ownId, &feature, &option, kReasonByHandler, 0, 0, 0);
    }
    return 0;
}

int CNiraDuplexUnitHandler::OnCommand(int, int command, int* value, int*)
{
    if (command != kCommandDuplexUnitPresent) {
        return 0;
    }
    if (value == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (*value != 0 && *value != 1) {
        return 0;
    }
    int feature = FEATURE_DUPLEX_UNIT;
    int option = *value == 1 ? kUnitInstalled : kUnitAbsent;
    m_services->SetValue(m_ownId, &feature, &option, kReasonByHandler, 0, 0, 0);
    return 0;
}
