#include "nira/uiplugin/features/handlers/CopiesHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

HRESULT CNiraCopiesHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID, DEVMODEW*, PVOID, DWORD,
                                               DWORD* result, int* handled)
{
    int most = 0;
    if (capability != DC_COPIES || m_services == nullptr ||
        m_services->GetRangeMax(FEATURE_COPIES, &most) != 0) {
        return NIRA_STATUS_FAILED;
    }
    *result = static_cast<DWORD>(most);
    *handled = 1;
    return 0;
}
