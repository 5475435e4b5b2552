// Declarations of the simulated machine for <strsafe.h>; filled as the system needs them.
#pragma once

#include <windef.h>
