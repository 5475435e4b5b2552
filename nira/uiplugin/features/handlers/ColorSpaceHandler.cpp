#include "nira/uiplugin/features/handlers/ColorSpaceHandler.h"

#include <oleauto.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDConverterSteps.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintTicket.h"

namespace {

const WCHAR kColorManagementFeature[] = TEXT("psk:PageColorManagement");
// The option as the library gives it: its name without the keywords prefix.
const WCHAR kDriverOption[] = TEXT("Driver");
constexpr int kDriverColorSpace = 1;
constexpr int kOtherColorSpace = 3;
constexpr int kPictureWidget = 6025;

}  // namespace

int CNiraColorSpaceHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr) {
        return E_FAIL;
    }
    return XDGuarded([&] {
        CXDPrintTicket ticket(printTicket);
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = XDSelectRoot(ticket, root);
        if (hr != S_OK) {
            return hr;
        }
        BSTR option = nullptr;
        hr = ticket.GetFeatureOption(kColorManagementFeature, &option);
        int status = hr;
        if (hr == S_OK) {
            status = SelectColorSpace(option);
        }
        SysFreeString(option);
        return static_cast<HRESULT>(status);
    });
}

int CNiraColorSpaceHandler::SelectColorSpace(LPCWSTR option)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int feature = FEATURE_INPUT_COLOR_SPACE;
    if (option != nullptr && lstrcmpW(option, kDriverOption) == 0) {
        int driver = kDriverColorSpace;
        return m_services->SetValue(CLASS_COLOR_SPACE, &feature, &driver, kReasonByHandler, 0, 0, 0);
    }
    OptionInfo info = {};
    if (m_services->GetOptionInfo(FEATURE_INPUT_COLOR_SPACE, kOtherColorSpace, &info) != 0) {
        return 0;
    }
    int other = kOtherColorSpace;
    int status = m_services->SetValue(CLASS_COLOR_SPACE, &feature, &other, kReasonByHandler, 0, 0, 0);
    ResetPicture();
    return status;
}

int CNiraColorSpaceHandler::ResetPicture()
{
    return m_services->SendHandlerCommand(CLASS_COLOR_SPACE, kPictureWidget, kCommandPictureReset, nullptr,
                                          nullptr);
}

int CNiraColorSpaceHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    return printTicket != nullptr ? 0 : E_FAIL;
}

int CNiraColorSpaceHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    return printCapabilities != nullptr ? 0 : E_FAIL;
}

int CNiraColorSpaceHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int option = 0;
    int isSet = 0;
    int status = m_services->GetValue(widgetId, &option, &isSet);
    if (status == 0 && option == kOtherColorSpace) {
        status = ResetPicture();
    }
    return status;
}
