// Declarations of the simulated machine for <objbase.h>; filled as the system needs them.
#pragma once

#include <windef.h>
