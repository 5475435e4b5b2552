// Declarations of the simulated machine for <combaseapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
