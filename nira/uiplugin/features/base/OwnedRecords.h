// Records a handler hands to the settings: an option or tree-view record that the settings store
// is theirs from then on (they free it with LocalFree); one they refuse stays the handler's, which
// frees it here.
#pragma once

#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"

class INiraCoreServices;

// Zero-filled records from the local heap; null when none is left.
OptionInfo* NewOptionInfo();
TreeViewOptionRecord* NewTreeViewRecord();

// A tree-view row of one option (its display text and option name both the text), as the
// handlers that add options of their own list them.
struct TreeViewRow {
    int featureId;
    int optionId;  // also the option index
    int supportOption;
    int stringId;
    int levelId;
    int groupId;
};
// Adds the row under the caller's id; the settings' status.
int AddTreeViewRow(INiraCoreServices& services, int callerId, const TreeViewRow& row, LPCWSTR text);
// Adds the record (freed when refused) and answers the settings' status.
int AddOwnedOption(INiraCoreServices& services, int callerId, int featureId, int optionId, OptionInfo* info);
int InsertOwnedOption(INiraCoreServices& services, int callerId, int featureId, int beforeOptionId,
                      int optionId, OptionInfo* info);
int AddOwnedTreeViewOption(INiraCoreServices& services, int callerId, int featureId, int optionId,
                           TreeViewOptionRecord* record);
