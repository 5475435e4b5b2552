#include "nira/uiplugin/features/handlers/InputBinHandler.h"

#include <printoem.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/base/OptionList.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kSecondTrayPresent = 1;
constexpr int kSecondTrayBin = 9;

}  // namespace

int CNiraInputBinHandler::InitializeStates()
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int tray = 0;
    int isSet = 0;
    if (m_services->GetValue(FEATURE_TRAY2, &tray, &isSet) != 0) {
        tray = 0;
    }
    if (tray != kSecondTrayPresent) {
        m_services->SetOptionState(CLASS_INPUT_BIN, FEATURE_INPUT_BIN, kSecondTrayBin,
                                   kOptionStateUnavailable);
    }
    return 0;
}

HRESULT CNiraInputBinHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output, DEVMODEW*,
                                                 PVOID, DWORD, DWORD* result, int* handled)
{
    if ((capability != DC_BINS && capability != DC_BINNAMES) || m_services == nullptr) {
        return E_FAIL;
    }
    int count = m_services->GetOptionCount(FEATURE_INPUT_BIN);
    if (output == nullptr) {
        *result = static_cast<DWORD>(count);
        *handled = 1;
        return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
    }
    OptionList bins;
    if (count <= 0 ||
        !CollectOptions(*m_services, FEATURE_INPUT_BIN, static_cast<size_t>(count), kBinNameChars, bins)) {
        return E_FAIL;
    }
    if (capability == DC_BINS) {
        auto* values = static_cast<WORD*>(output);
        for (size_t i = 0; i < bins.count; ++i) {
            values[i] = static_cast<WORD>(bins.values[i]);
        }
    } else {
        CopyMemory(output, bins.names.data(), bins.names.size() * sizeof(WCHAR));
    }
    *result = static_cast<DWORD>(count);
    *handled = 1;
    return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
}
