// Declarations of the simulated machine for <processenv.h>; filled as the system needs them.
#pragma once

#include <windef.h>
