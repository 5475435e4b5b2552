// Declarations of the simulated machine for <rpcdce.h>; filled as the system needs them.
#pragma once

#include <windef.h>
