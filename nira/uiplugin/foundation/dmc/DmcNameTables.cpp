#include "nira/uiplugin/foundation/dmc/DmcNameTables.h"

int DmcFeatureIdFromName(LPCWSTR name)
{
    if (name == nullptr) {
        return kDmcNoId;
    }
    for (const DmcFeatureName& row : DmcFeatureNameTable) {
        if (_wcsicmp(row.name, name) == 0) {
            return row.featureId;
        }
    }
    return kDmcNoId;
}

bool DmcFindOptionId(int featureId, LPCWSTR name, int* optionId)
{
    if (name == nullptr) {
        return false;
    }
    for (const DmcOptionName& row : DmcOptionNameTable) {
        if (row.featureId == featureId && _wcsicmp(row.name, name) == 0) {
            *optionId = row.optionId;
            return true;
        }
    }
    return false;
}
