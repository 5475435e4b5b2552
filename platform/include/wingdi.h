// Declarations of the simulated machine for <wingdi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
