// Construction of the settings classes by their SettingsKind.
#pragma once

#include <windows.h>

// A new object of the kind's class, as a pointer to the interface it implements; null when memory
// runs out or the kind names no class of this library.
void* CreateSettingsObject(LONG kind);
