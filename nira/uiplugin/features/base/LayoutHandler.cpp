#include "nira/uiplugin/features/base/LayoutHandler.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/base/ConverterTables.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

int CNiraLayoutHandler::SetOption(int callerId, int featureId, int option)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int feature = featureId;
    return m_services->SetValue(callerId, &feature, &option, kReasonByHandler, 0, 0, 0);
}

int CNiraLayoutHandler::CurrentOption(int featureId)
{
    int option = 0;
    int isSet = 0;
    if (m_services == nullptr || m_services->GetValue(featureId, &option, &isSet) != 0) {
        return 0;
    }
    return option;
}

void CNiraLayoutHandler::SetEntry(CXDOptionEntry& entry, LPCWSTR name, int offered, int displayNumber,
                                  int third, int identity)
{
    entry.name = name;
    entry.listed = offered;
    entry.displayId = displayNumber;
    entry.value = third;
    entry.flag = identity;
}

bool CNiraLayoutHandler::TakeFeatureName(int featureId, CXDOptionEntry& entry)
{
    LPCWSTR name = m_services != nullptr ? FeaturePrintTicketName(featureId) : nullptr;
    if (name == nullptr || IsNoPrintTicketName(name)) {
        return false;
    }
    SetEntry(entry, name, 1, 0, 1, 0);
    return true;
}

int CNiraLayoutHandler::AppendDatabaseOptions(int featureId, CXDOptionEntry* options, int capacity)
{
    ConverterOptionTable table = {m_services, featureId, options, capacity, 0};
    AppendConverterOptions(table);
    return table.count;
}
