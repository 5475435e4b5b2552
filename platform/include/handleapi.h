// Declarations of the simulated machine for <handleapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
