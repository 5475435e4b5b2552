// Declarations of the simulated machine for <synchapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
