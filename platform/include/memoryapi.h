// Declarations of the simulated machine for <memoryapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
