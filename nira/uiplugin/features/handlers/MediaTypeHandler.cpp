#include "nira/uiplugin/features/handlers/MediaTypeHandler.h"

#include <printoem.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/base/OptionList.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kPendingMedia = 6419;
constexpr int kTakePendingMedia = 6070;
constexpr int kDropPendingMedia = 6071;
// Pending values that mean "back to the previous medium".
constexpr int kPendingCancelled = 900;
constexpr int kPendingNone = -1;
constexpr int kOptionStateConflicting = 4;

}  // namespace

int CNiraMediaTypeHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase*)
{
    if (services != nullptr) {
        m_services = services;
    }
    m_ownId = handlerId;
    return 0;
}

int CNiraMediaTypeHandler::InitializeStates()
{
    return NIRA_STATUS_FAILED;
}

HRESULT CNiraMediaTypeHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output, DEVMODEW*,
                                                  PVOID, DWORD, DWORD* result, int* handled)
{
    // A request that is not answered reaches the next handler: E_FAIL, never the full answer.
    if ((capability != DC_MEDIATYPES && capability != DC_MEDIATYPENAMES) || m_services == nullptr) {
        return E_FAIL;
    }
    int count = m_services->GetOptionCount(FEATURE_MEDIA_TYPE);
    if (output == nullptr) {
        *result = static_cast<DWORD>(count);
        *handled = 1;
        return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
    }
    OptionList media;
    if (count <= 0 || !CollectOptions(*m_services, FEATURE_MEDIA_TYPE, static_cast<size_t>(count),
                                      kMediaNameChars, media)) {
        return E_FAIL;
    }
    if (capability == DC_MEDIATYPES) {
        auto* values = static_cast<DWORD*>(output);
        for (size_t i = 0; i < media.count; ++i) {
            values[i] = static_cast<DWORD>(media.values[i]);
        }
    } else {
        CopyMemory(output, media.names.data(), media.names.size() * sizeof(WCHAR));
    }
    *result = static_cast<DWORD>(count);
    *handled = 1;
    return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
}

int CNiraMediaTypeHandler::PreviousOrDefault()
{
    int previous = 0;
    int isSet = 0;
    if (m_services->GetPreviousOption(FEATURE_MEDIA_TYPE, &previous, &isSet) != 0 || previous == 0) {
        m_services->GetDefaultOption(FEATURE_MEDIA_TYPE, &previous);
    }
    return previous;
}

void CNiraMediaTypeHandler::TakePendingMedia()
{
    int pending = 0;
    int isSet = 0;
    int chosen = 0;
    m_services->GetValue(kPendingMedia, &pending, &isSet);
    m_services->IsUserSelected(kPendingMedia, &chosen);
    if (chosen == 0) {
        return;
    }
    int previous = 0;
    m_services->GetPreviousOption(FEATURE_MEDIA_TYPE, &previous, &isSet);
    if (pending == previous) {
        int id = FEATURE_MEDIA_TYPE;
        FeatureEntry* entry = nullptr;
        if (m_services->FindFeature(&id, &entry) == 0 && entry != nullptr && entry->record != nullptr) {
            entry->record->currentOption = previous;
        }
        return;
    }
    if (pending == 0) {
        return;
    }
    bool back = pending == kPendingCancelled || pending == kPendingNone;
    int target = back ? PreviousOrDefault() : pending;
    int userChoice = back ? 0 : 1;
    int state = 0;
    int reason = m_services->GetOptionState(FEATURE_MEDIA_TYPE, target, &state) == 0 &&
                         state == kOptionStateConflicting
                     ? kOptionStateConflicting
                     : kReasonByHandler;
    int feature = FEATURE_MEDIA_TYPE;
    m_services->SetValue(m_ownId, &feature, &target, reason, userChoice, 0, 0);
    int pendingFeature = kPendingMedia;
    int none = 0;
    m_services->SetValue(m_ownId, &pendingFeature, &none, kReasonByHandler, 0, 0, 0);
    FeatureEntry* entry = nullptr;
    if (m_services->FindFeature(&pendingFeature, &entry) == 0 && entry != nullptr &&
        entry->record != nullptr) {
        entry->record->userSelected = 0;
    }
}

void CNiraMediaTypeHandler::DropPendingMedia()
{
    int feature = FEATURE_MEDIA_TYPE;
    int target = PreviousOrDefault();
    m_services->SetValue(m_ownId, &feature, &target, kReasonByHandler, 0, 0, 0);
}

int CNiraMediaTypeHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return 0;
    }
    int value = 0;
    int isSet = 0;
    m_services->GetValue(widgetId, &value, &isSet);
    if (widgetId == kTakePendingMedia) {
        TakePendingMedia();
    } else if (widgetId == kDropPendingMedia) {
        DropPendingMedia();
    }
    return 0;
}

int CNiraMediaTypeHandler::OnConstraintMessage(int, const char* data1, const char* data2, const char* data3,
                                               int* show)
{
    return CNiraFeatureHandler::OnConstraintMessage(FEATURE_MEDIA_TYPE, data1, data2, data3, show);
}

int CNiraMediaTypeHandler::OnConstraintAction(int, const char*, const char*, const char*)
{
    return NIRA_STATUS_FAILED;
}
