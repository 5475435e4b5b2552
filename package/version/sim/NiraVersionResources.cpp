// The resource table of a DLL whose only resource is the version.
#include "package/version/sim/NiraVersionInfo.h"

extern "C" __declspec(dllexport) const NIRASIM_RESOURCE_TABLE* WINAPI NiraSimGetResources(void)
{
    static const NIRASIM_RESOURCE_TABLE table = {
        NIRASIM_RESOURCE_TABLE_VERSION, nullptr, 0, nullptr, 0, NiraVersionInfo()};
    return &table;
}
