#include "nira/uiplugin/foundation/deviceinfo/DeviceInfo.h"

namespace {

struct DeviceQueryCode {
    int code;
    int kind;
};

const DeviceQueryCode DeviceQueryCodeTable[] = {
    {1, 1}, {2, 2}, {3, 3}, {4, 4}, {4221, DEVICE_QUERY_DUPLEX_UNIT}, {4308, DEVICE_QUERY_FEATURE},
};

}  // namespace

int FindDeviceQueryKind(int queryCode)
{
    for (const DeviceQueryCode& row : DeviceQueryCodeTable) {
        if (row.code == queryCode) {
            return row.kind;
        }
    }
    return DEVICE_QUERY_NONE;
}

int CNiraDeviceInfoBase::Refresh(HANDLE)
{
    return 0;
}

int CNiraDeviceInfoBase::Reserved2(void*, void*, void*)
{
    return 0;
}

int CNiraDeviceInfoBase::QueryFeature(int, int*, int*)
{
    return 0;
}

int CNiraDeviceInfoBase::QueryDuplexUnit(int, int*)
{
    return 0;
}

int CNiraDeviceInfoBase::Reserved5(void*, void*, void*, void*)
{
    return 0;
}

int CNiraDeviceInfoBase::Reserved6(void*, void*, void*)
{
    return 0;
}
