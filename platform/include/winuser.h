// Declarations of the simulated machine for <winuser.h>; filled as the system needs them.
#pragma once

#include <windef.h>
