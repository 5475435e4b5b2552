#include "nira/uiplugin/features/handlers/CollateHandler.h"

#include "common/NiraStatus.h"

HRESULT CNiraCollateHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID, DEVMODEW*, PVOID,
                                                DWORD, DWORD* result, int* handled)
{
    if (capability != DC_COLLATE || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *result = 1;
    *handled = 1;
    return 0;
}
