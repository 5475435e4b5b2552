#include "nira/uiplugin/features/handlers/PresetPopupHandler.h"

#include <cstdlib>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PopupChoiceStore.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

const char kPopupFeaturesQuery[] = "Select * from FDT6334";
constexpr int kFirstOption = 1;
constexpr int kSecondOption = 2;

int FeatureAt(const CNiraPtrList::Node* node)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(node->value));
}

}  // namespace

int CNiraPresetPopupHandler::Attach(INiraCoreServices* services, int handlerId,
                                    INiraFeatureDatabase* database)
{
    m_database = database;
    m_popupFeatures.RemoveAll();
    return CNiraFeatureHandler::Attach(services, handlerId, database);
}

int CNiraPresetPopupHandler::AddPopupFeature(int featureId)
{
    if (featureId == 0) {
        return NIRA_STATUS_FAILED;
    }
    return m_popupFeatures.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(featureId))) != nullptr
               ? 0
               : NIRA_STATUS_FAILED;
}

int CNiraPresetPopupHandler::OnPopupRow(void* argument, int columns, char** values, char**)
{
    if (columns > 0 && values != nullptr && values[0] != nullptr) {
        static_cast<CNiraPresetPopupHandler*>(argument)->AddPopupFeature(std::atoi(values[0]));
    }
    return 0;
}

int CNiraPresetPopupHandler::LoadPopupFeatures()
{
    if (m_database == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_popupFeatures.RemoveAll();
    m_database->SetCallback(&OnPopupRow, this);
    return m_database->Execute(kPopupFeaturesQuery) == 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPresetPopupHandler::AccessPopupSetting(int featureId, int operation, int data, int* value)
{
    if (operation == kReadSetting) {
        return CNiraPopupChoiceStore::ReadChoice(m_services, featureId, value) == CNiraPopupChoiceStore::Read
                   ? 0
                   : NIRA_STATUS_FAILED;
    }
    if (operation == kWriteSetting) {
        return CNiraPopupChoiceStore::WriteChoice(m_services, featureId, data);
    }
    return 0;
}

int CNiraPresetPopupHandler::SetOption(int featureId, int option)
{
    return m_services->SetValue(m_handlerId, &featureId, &option, kReasonByHandler, 0, 0, 0);
}

int CNiraPresetPopupHandler::InitializeStates()
{
    if (m_services == nullptr || LoadPopupFeatures() != 0) {
        return 0;
    }
    for (const CNiraPtrList::Node* node = m_popupFeatures.GetHead(); node != nullptr; node = node->next) {
        int option = 0;
        if (AccessPopupSetting(FeatureAt(node), kReadSetting, 0, &option) == 0) {
            SetOption(FeatureAt(node), option);
        }
    }
    return 0;
}

int CNiraPresetPopupHandler::OnCommand(int, int command, int* value, int* result)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (command == kCommandResetPopupChoices) {
        int status = 0;
        for (const CNiraPtrList::Node* node = m_popupFeatures.GetHead(); node != nullptr; node = node->next) {
            status = SetOption(FeatureAt(node), kFirstOption);
            if (status == 0) {
                status = AccessPopupSetting(FeatureAt(node), kWriteSetting, kFirstOption, nullptr);
            }
        }
        return status;
    }
    if (command == kCommandConstraintMessageWanted && value != nullptr) {
        int option = 0;
        int status = AccessPopupSetting(*value, kReadSetting, 0, &option);
        if (status == 0 && result != nullptr) {
            *result = option == kFirstOption ? kFirstOption : kSecondOption;
        }
        return status;
    }
    return NIRA_STATUS_FAILED;
}

int CNiraPresetPopupHandler::OnConstraintAction(int featureId, const char*, const char*, const char*)
{
    int option = 0;
    int isSet = 0;
    if (m_services == nullptr || m_services->GetValue(featureId, &option, &isSet) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (option != kFirstOption && option != kSecondOption) {
        return 0;
    }
    return AccessPopupSetting(featureId, kWriteSetting, option, nullptr);
}
