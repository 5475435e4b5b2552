#include "nira/uiplugin/features/base/FeatureHandler.h"

#include <new>

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

// *show when nobody chose either feature: the message is not shown.
constexpr int kShowNot = 2;
constexpr int kResourceStringChars = 260;

// The leading decimal digits of a text (0 when there are none), bounded to what an int holds.
int LeadingNumber(const char* text)
{
    if (text == nullptr) {
        return 0;
    }
    long long value = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > 0x7FFFFFFF) {
            return 0;
        }
    }
    return static_cast<int>(value);
}

}  // namespace

CNiraFeatureHandler::CNiraFeatureHandler()
    : m_services(nullptr), m_features(nullptr), m_handlerId(0), m_options(nullptr), m_currentFeature(0)
{}

CNiraFeatureHandler::~CNiraFeatureHandler()
{
    CNiraFeatureHandler::Detach();
}

int CNiraFeatureHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase*)
{
    m_services = services;
    m_handlerId = handlerId;
    if (m_features == nullptr) {
        m_features = new (std::nothrow) CNiraPtrList;
    }
    return 0;
}

int CNiraFeatureHandler::Detach()
{
    m_services = nullptr;
    delete m_features;  // the list owns its nodes, and the values are the ids themselves
    m_features = nullptr;
    return 0;
}

int CNiraFeatureHandler::AddFeature(int featureId)
{
    if (m_features == nullptr) {
        m_features = new (std::nothrow) CNiraPtrList;
    }
    // The id itself is the list value, so that a walk needs no records of its own.
    if (m_features == nullptr ||
        m_features->AddHead(reinterpret_cast<void*>(static_cast<INT_PTR>(featureId))) == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

int CNiraFeatureHandler::OnAttached()
{
    return 0;
}
int CNiraFeatureHandler::InitializeStates()
{
    return 0;
}
int CNiraFeatureHandler::OnFeaturesEnumerated()
{
    return 0;
}
int CNiraFeatureHandler::Reserved7()
{
    return 0;
}
int CNiraFeatureHandler::Reserved8()
{
    return 0;
}

int CNiraFeatureHandler::GetOptionValue(int featureId, int optionId, int* value)
{
    return m_services ? m_services->GetOptionValue(featureId, optionId, value) : NIRA_STATUS_FAILED;
}

int CNiraFeatureHandler::FindOptionByValue(int featureId, int value, int* optionId)
{
    return m_services ? m_services->FindOptionByValue(featureId, value, optionId) : NIRA_STATUS_FAILED;
}

int CNiraFeatureHandler::Reserved11(int, int, int, int)
{
    return 0;
}
int CNiraFeatureHandler::Reserved12(int, int, int, int)
{
    return 0;
}

HRESULT CNiraFeatureHandler::OnDocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID, PINT, DEVMODEW*)
{
    return S_OK;
}

int CNiraFeatureHandler::OnPublicDevMode(DEVMODEW*)
{
    return 0;
}
int CNiraFeatureHandler::Reserved15(int)
{
    return 0;
}

HRESULT CNiraFeatureHandler::DeviceCapabilities(HANDLE, PWSTR, WORD, PVOID, DEVMODEW*, PVOID, DWORD, DWORD*,
                                                int* handled)
{
    if (handled != nullptr) {
        *handled = 0;
    }
    return S_OK;
}

int CNiraFeatureHandler::OnCommand(int, int, int*, int*)
{
    return 0;
}
int CNiraFeatureHandler::OnValueDiffers()
{
    return 0;
}
int CNiraFeatureHandler::OnWidgetChanged(int)
{
    return 0;
}
int CNiraFeatureHandler::OnFeatureChanged(int, int)
{
    return 0;
}
int CNiraFeatureHandler::OnFeatureNotify(int)
{
    return 0;
}
int CNiraFeatureHandler::PaintWidget(int, HWND, INT_PTR)
{
    return 0;
}
int CNiraFeatureHandler::OnWidgetCommand(int)
{
    return 0;
}

int CNiraFeatureHandler::OnConstraintMessage(int featureId, const char*, const char* data2, const char*,
                                             int* show)
{
    if (m_services == nullptr) {
        return 0;
    }
    int targetFeature = LeadingNumber(data2);
    int found = 0;
    int softLinkTarget = 0;
    int isSecond = 0;
    m_services->FindSoftLinkTarget(featureId, &found, &softLinkTarget, &isSecond);
    int featureChosen = 0;
    int targetChosen = 0;
    m_services->IsUserSelected(featureId, &featureChosen);
    m_services->IsUserSelected(softLinkTarget, &targetChosen);
    if (featureChosen != 0 || targetChosen != 0) {
        // The owner of the target feature decides whether its message shows.
        m_services->SendHandlerCommand(featureId, targetFeature, kCommandConstraintMessageWanted,
                                       &targetFeature, show);
    } else if (show != nullptr) {
        *show = kShowNot;
    }
    return 0;
}

int CNiraFeatureHandler::OnConstraintAction(int, const char*, const char*, const char*)
{
    return 0;
}

int CNiraFeatureHandler::LoadResourceString(int stringId, WCHAR* buffer)
{
    if (m_services == nullptr) {
        return 0;
    }
    WCHAR* printerName = nullptr;
    if (m_services->GetPrinterName(&printerName) != 0 || printerName == nullptr) {
        LocalFree(printerName);
        return 0;
    }
    CNiraPrinterAccess access(printerName);
    access.FindDriverIni(FALSE);
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (access.GetComponentPath(kStringDllKey, path)) {
        CNiraStringDll* strings = AcquireStringDll(path);
        if (strings != nullptr) {
            if (buffer != nullptr) {
                UINT id = static_cast<UINT>(stringId);
                strings->GetString(&id, buffer, kResourceStringChars, nullptr);
            }
            ReleaseStringDll();
        }
    }
    LocalFree(printerName);
    return 0;
}

bool IsNoPrintTicketName(LPCWSTR name)
{
    return name != nullptr && name[0] == TEXT('0') && name[1] == 0;
}
