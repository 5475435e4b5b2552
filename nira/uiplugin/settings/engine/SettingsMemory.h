// Heap blocks of the settings engine.
#pragma once

#include <windows.h>

// A zeroed block of size bytes; raises ERROR_NOT_ENOUGH_MEMORY when none can be had.
void* AllocateSettingsBlock(SIZE_T size);

// Frees a block of AllocateSettingsBlock; null does nothing.
void FreeSettingsBlock(void* block);
