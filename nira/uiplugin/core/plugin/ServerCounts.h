// The library's COM server counts: plug-in objects alive and LockServer locks, which decide
// whether the library may be unloaded.
#pragma once

#include <windows.h>

void CountObjectCreated();
void CountObjectDestroyed();
void CountServerLock(BOOL lock);
// No plug-in object lives and no lock is held.
bool IsServerUnused();
