// Makes the DMC handler the plug-in asks for.
#pragma once

#include "nira/uiplugin/foundation/dmc/INiraDmcHandler.h"

class CNiraDmcHandlerFactory {
public:
    // flag 0: a CNiraDmcHandler; otherwise a CNiraNullDmcHandler, with *isNull 1. Null when no
    // memory is left; the caller owns the handler.
    static INiraDmcHandler* Create(int flag, int* isNull);
};
