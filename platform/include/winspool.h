// Declarations of the simulated machine for <winspool.h>; filled as the system needs them.
#pragma once

#include <windef.h>
