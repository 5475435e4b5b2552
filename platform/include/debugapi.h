// Declarations of the simulated machine for <debugapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
