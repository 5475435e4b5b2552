#include "nira/uiplugin/settings/engine/SettingsMemory.h"

#include "nira/uiplugin/settings/engine/SettingsError.h"

void* AllocateSettingsBlock(SIZE_T size)
{
    void* block = LocalAlloc(LPTR, size);
    if (block == nullptr) {
        RaiseSettingsError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return block;
}

void FreeSettingsBlock(void* block)
{
    if (block != nullptr) {
        LocalFree(block);
    }
}
