#include "nira/uiplugin/features/handlers/PopupSettingsHandler.h"

#include <cstdlib>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PopupChoiceStore.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kFirstOption = 1;
constexpr int kSecondOption = 2;
// *show when the user has not chosen the pop-up settings: the message is not shown.
constexpr int kShowNot = 2;

}  // namespace

int CNiraPopupSettingsHandler::ReadSetting(int featureId, int* value)
{
    if (CNiraPopupChoiceStore::ReadChoice(m_services, featureId, value) == CNiraPopupChoiceStore::NoValue &&
        value != nullptr) {
        *value = kFirstOption;
    }
    return 0;
}

int CNiraPopupSettingsHandler::WriteSetting(int featureId, int option)
{
    return CNiraPopupChoiceStore::WriteChoice(m_services, featureId, option);
}

int CNiraPopupSettingsHandler::InitializeStates()
{
    if (m_services == nullptr) {
        return 0;
    }
    // Without a store for the printer the option is left as the settings have it.
    int option = 0;
    ReadSetting(kPopupFeature, &option);
    if (option != 0) {
        int feature = kPopupFeature;
        m_services->SetValue(m_handlerId, &feature, &option, kReasonByHandler, 0, 0, 0);
    }
    return 0;
}

int CNiraPopupSettingsHandler::OnCommand(int, int command, int*, int*)
{
    if (m_services == nullptr || command != kCommandResetPopupChoices) {
        return NIRA_STATUS_FAILED;
    }
    int feature = kPopupFeature;
    int option = kFirstOption;
    int status = m_services->SetValue(m_handlerId, &feature, &option, kReasonByHandler, 0, 0, 0);
    if (status == 0) {
        WriteSetting(kPopupFeature, kFirstOption);
    }
    return status;
}

int CNiraPopupSettingsHandler::OnWidgetChanged(int widgetId)
{
    if (widgetId != kStoreWidget || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int option = 0;
    int isSet = 0;
    if (m_services->GetValue(kPopupFeature, &option, &isSet) != 0) {
        return NIRA_STATUS_FAILED;
    }
    return option == kSecondOption ? WriteSetting(kPopupFeature, kSecondOption) : 0;
}

int CNiraPopupSettingsHandler::OnConstraintMessage(int, const char*, const char* data2, const char*,
                                                   int* show)
{
    if (show == nullptr) {
        return 0;
    }
    *show = kShowNot;
    int chosen = 0;
    if (m_services == nullptr || m_services->IsUserSelected(FEATURE_POPUP_SETTINGS, &chosen) != 0 ||
        chosen == 0) {
        return 0;
    }
    int option = 0;
    int isSet = 0;
    if (data2 != nullptr && m_services->GetValue(std::atoi(data2), &option, &isSet) == 0) {
        *show = option;
    }
    return 0;
}
