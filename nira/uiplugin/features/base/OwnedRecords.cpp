#include "nira/uiplugin/features/base/OwnedRecords.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

OptionInfo* NewOptionInfo()
{
    return static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
}

TreeViewOptionRecord* NewTreeViewRecord()
{
    return static_cast<TreeViewOptionRecord*>(LocalAlloc(LPTR, sizeof(TreeViewOptionRecord)));
}

int AddOwnedOption(INiraCoreServices& services, int callerId, int featureId, int optionId, OptionInfo* info)
{
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int status = services.AddOption(callerId, featureId, optionId, info);
    if (status != 0) {
        LocalFree(info);
    }
    return status;
}

int AddOwnedTreeViewOption(INiraCoreServices& services, int callerId, int featureId, int optionId,
                           TreeViewOptionRecord* record)
{
    if (record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int status = services.AddTreeViewOption(callerId, featureId, optionId, record);
    if (status != 0) {
        LocalFree(record);
    }
    return status;
}
