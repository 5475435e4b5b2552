// Declarations of the simulated machine for <sysinfoapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
