// Declarations of the simulated machine for <processthreadsapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
