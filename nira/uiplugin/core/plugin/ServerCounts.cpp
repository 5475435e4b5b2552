#include "nira/uiplugin/core/plugin/ServerCounts.h"

namespace {

LONG volatile g_liveObjects = 0;
LONG volatile g_serverLocks = 0;

}  // namespace

void CountObjectCreated()
{
    InterlockedIncrement(&g_liveObjects);
}

void CountObjectDestroyed()
{
    InterlockedDecrement(&g_liveObjects);
}

void CountServerLock(BOOL lock)
{
    if (lock) {
        InterlockedIncrement(&g_serverLocks);
    } else {
        InterlockedDecrement(&g_serverLocks);
    }
}

bool IsServerUnused()
{
    return g_liveObjects == 0 && g_serverLocks == 0;
}
