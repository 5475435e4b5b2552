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
// Adds the record (freed when refused) and answers the settings' status.
int AddOwnedOption(INiraCoreServices& services, int callerId, int featureId, int optionId, OptionInfo* info);
int AddOwnedTreeViewOption(INiraCoreServices& services, int callerId, int featureId, int optionId,
                           TreeViewOptionRecord* record);
