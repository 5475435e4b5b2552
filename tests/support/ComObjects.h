// COM objects a test leaves alive: the simulated machine counts them.
#pragma once

#include <windows.h>

#include <nirasim/Com.h>

inline LONG LiveComObjects()
{
    return nirasim::com::LiveObjectCount();
}
