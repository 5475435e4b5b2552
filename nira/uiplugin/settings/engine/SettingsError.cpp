#include "nira/uiplugin/settings/engine/SettingsError.h"

#include "common/NiraException.h"

void RaiseSettingsError(LONG code)
{
    throw CNiraException(code);
}
