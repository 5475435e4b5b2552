// Declarations of the simulated machine for <winver.h>; filled as the system needs them.
#pragma once

#include <windef.h>
