#include "nira/uiplugin/features/base/OwnedRecords.h"

#include "common/NiraStatus.h"
#include "common/SafeString.h"
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

int InsertOwnedOption(INiraCoreServices& services, int callerId, int featureId, int beforeOptionId,
                      int optionId, OptionInfo* info)
{
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int status = services.InsertOption(callerId, featureId, beforeOptionId, optionId, info);
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

int AddTreeViewRow(INiraCoreServices& services, int callerId, const TreeViewRow& row, LPCWSTR text)
{
    constexpr size_t kTextChars = sizeof(TreeViewOptionRecord::displayName) / sizeof(WCHAR);
    TreeViewOptionRecord* record = NewTreeViewRecord();
    if (record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    record->size = sizeof(TreeViewOptionRecord);
    record->featureId = row.featureId;
    record->optionId = row.optionId;
    record->optionIndex = row.optionId;
    record->supportOption = row.supportOption;
    record->stringId = row.stringId;
    record->levelId = row.levelId;
    record->discriminator = 0;
    record->groupId = row.groupId;
    CopyStringSafeN(record->displayName, kTextChars, text, kTextChars - 1);
    CopyStringSafeN(record->optionName, kTextChars, text, kTextChars - 1);
    return AddOwnedTreeViewOption(services, callerId, row.featureId, row.optionId, record);
}
