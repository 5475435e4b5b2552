#include "nira/uiplugin/foundation/dmc/NiraDmcHandlerFactory.h"

#include <new>

#include "nira/uiplugin/foundation/dmc/NiraDmcHandler.h"

INiraDmcHandler* CNiraDmcHandlerFactory::Create(int flag, int* isNull)
{
    if (isNull != nullptr) {
        *isNull = 0;
    }
    if (flag == 0) {
        return new (std::nothrow) CNiraDmcHandler();
    }
    if (isNull != nullptr) {
        *isNull = 1;
    }
    return new (std::nothrow) CNiraNullDmcHandler();
}
