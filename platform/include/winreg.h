// Declarations of the simulated machine for <winreg.h>; filled as the system needs them.
#pragma once

#include <windef.h>
