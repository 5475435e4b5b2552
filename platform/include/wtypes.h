// Declarations of the simulated machine for <wtypes.h>; filled as the system needs them.
#pragma once

#include <windef.h>
