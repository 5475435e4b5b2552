#include "nira/uiplugin/settings/SettingsError.h"

#include "common/NiraException.h"

void RaiseSettingsError(LONG code)
{
    throw CNiraException(code);
}
