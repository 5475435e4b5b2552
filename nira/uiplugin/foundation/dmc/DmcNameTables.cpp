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

int DmcOptionIdFromName(int featureId, LPCWSTR name)
{
    if (name == nullptr) {
        return kDmcNoId;
    }
    for (const DmcOptionName& row : DmcOptionNameTable) {
        if (row.featureId == featureId && _wcsicmp(row.name, name) == 0) {
            return row.optionId;
        }
    }
    return kDmcNoId;
}
